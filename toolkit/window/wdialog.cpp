// The dialog table and the dialog lifecycle: load (with the companion
// record), select, show in its three ways, hide and unload, and the
// emptying of the table when the window layer closes.
#include "toolkit/window/wdialog.h"

#include <span>
#include <string_view>

#include "platform/user/user.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/records.h"
#include "toolkit/window/wdlgfield.h"
#include "toolkit/window/wdlgwindow.h"
#include "toolkit/window/wimages.h"
#include "toolkit/window/wmessage.h"
#include "toolkit/window/wresource.h"
#include "toolkit/window/wstate.h"
#include "toolkit/window/wwindow.h"

namespace tsd {

DialogTable wdlg;

namespace {

bool ischild(plat::HWND dlg) {
  return dlg && (plat::GetWindowLongPtrA(dlg, plat::GWL_STYLE) & plat::WS_CHILD) != 0;
}

plat::HWND rootclient() { return wsys.slots[0].hClient; }

void applycompanion(plat::HWND dlg, int id) {
  using namespace plat;
  std::span<const BYTE> bytes = resource_bytes(MAKEINTRESOURCEA(static_cast<unsigned>(id)), RT_RCDATA);
  if (bytes.empty()) return;
  Companion c = yyparsecompanion(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  for (const CompanionCheck& k : c.checks) {
    HWND h = GetDlgItem(dlg, k.field);
    if (h) SendMessageA(h, BM_SETCHECK, static_cast<WPARAM>(k.state), 0);
  }
  for (const CompanionList& l : c.lists) {
    HWND h = GetDlgItem(dlg, l.field);
    if (!h) continue;
    const bool combo = yyfieldkind(h) == kFieldCombo;
    SendMessageA(h, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
    for (const std::string& e : l.entries)
      SendMessageA(h, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.c_str()));
    SendMessageA(h, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(l.selection - 1), 0);
  }
  for (const CompanionLength& k : c.lengths) {
    HWND h = GetDlgItem(dlg, k.field);
    if (!h) continue;
    const bool combo = yyfieldkind(h) == kFieldCombo;
    SendMessageA(h, combo ? CB_LIMITTEXT : EM_LIMITTEXT, static_cast<WPARAM>(k.maximum), 0);
    if (FieldRecord* f = yyfieldrecord(h)) f->maxlength = k.maximum;
  }
}

// Creates the loaded instance: a hidden modeless window owned by the root
// client; the loop's active dialog, the focus and the active window are
// put back afterwards.
plat::HWND createloaded(int id) {
  using namespace plat;
  std::optional<DialogTemplate> t = yydialogtemplate(id);
  if (!t) return nullptr;
  t->style &= ~WS_VISIBLE;
  HWND active = GetActiveWindow();
  HWND focus = GetFocus();
  HWND cur = wmsg.hDlgCur;
  HWND dlg = CreateDialogIndirectParamA(wsys.wInstance, &*t, rootclient(), yydialogproc, 0);
  wmsg.hDlgCur = cur;
  if (active && IsWindow(active) && GetActiveWindow() != active) SetActiveWindow(active);
  if (focus && IsWindow(focus) && GetFocus() != focus) SetFocus(focus);
  return dlg;
}

int root_to_pixels(int v, bool xaxis) {
  if (v == -1) return -1;
  int px = 0, py = 0;
  const int previous = quorba01.current;
  if (previous != 0) windowselect(0);
  windowunitstopixels(xaxis ? v : 0, xaxis ? 0 : v, px, py);
  if (previous != 0) windowselect(previous);
  return xaxis ? px : py;
}

void showmodal(DialogEntry& e, int index, int x, int y, int focusfield) {
  using namespace plat;
  HWND owner = yycurrentowner();
  e.owner = owner;
  e.showtype = kShowModal;
  yysaveimages(nullptr);
  std::vector<HWND> disabled = yydisableothers(owner);
  HWND activedlg = wmsg.hDlgCur;
  const int current = quorba01.current;
  wModalStart = ModalStart{index, x, y, focusfield, false};
  wdlg.DialogInfo[0] = DialogEntry{};
  std::optional<DialogTemplate> t = yydialogtemplate(e.id);
  if (t) {
    t->style &= ~WS_VISIBLE;
    DialogBoxIndirectParamA(wsys.wInstance, &*t, owner, yymodalproc, 0);
  }
  wdlg.DialogInfo[0] = DialogEntry{};
  yyenableagain(disabled);
  wmsg.hDlgCur = activedlg && IsWindow(activedlg) ? activedlg : nullptr;
  if (quorba01.current != current) windowselect(current);
  yyfocusowner(owner);
  yyrestoreimages();
  e.owner = nullptr;
  quorba04.exitfield = e.field;
  quorba04.focusfield = e.prevfield;
  quorba04.activedialog = wdlg.iDlgAct;
}

// lastsemi: the semi-modeless dialog shown last before this show, which
// this dialog enables again when it is hidden.
void showmodeless(DialogEntry& e, int x, int y, int focusfield, plat::HWND lastsemi) {
  using namespace plat;
  const bool child = ischild(e.hwnd);
  if (child && wsys.wHideRoot) {
    xxerror(kErrRootHidden);
    return;
  }
  if (e.showtype != kShowSemiModeless) e.showtype = kShowModeless;
  HWND owner = yycurrentowner();
  e.owner = owner;
  e.reenable = lastsemi ? lastsemi : owner;
  yyplacedialog(e.hwnd, x, y, child);
  if (child) {
    SetWindowPos(e.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetActiveWindow(e.hwnd);
  }
  ShowWindow(e.hwnd, SW_SHOW);
  if (yyfocusfield(e.hwnd, focusfield)) {
    e.prevfield = focusfield;
  } else {
    HWND f = GetFocus();
    if (f && IsChild(e.hwnd, f)) {
      if (yyfieldkind(f) == kFieldEdit) SendMessageA(f, EM_SETSEL, 0, -1);
      e.prevfield = GetDlgCtrlID(f);
    }
  }
  UpdateWindow(e.hwnd);
  e.shown = 1;
}

}  // namespace

int yydialogindex(int id) {
  for (int i = 1; i <= wdlg.nDialogs; ++i)
    if (wdlg.DialogInfo[i].id == id) return i;
  return 0;
}

void wdialogload(int id) {
  if (int i = yydialogindex(id)) {
    wdlg.iDlgCur = i;
    quorba04.currentdialog = id;
    return;
  }
  if (wdlg.nDialogs >= kMaxDialogs) {
    xxerror(kErrDialogLoad);
    return;
  }
  plat::HWND dlg = createloaded(id);
  if (!dlg) {
    xxerror(kErrDialogLoad);
    return;
  }
  const int i = ++wdlg.nDialogs;
  wdlg.DialogInfo[i] = DialogEntry{};
  wdlg.DialogInfo[i].id = id;
  wdlg.DialogInfo[i].hwnd = dlg;
  wdlg.iDlgCur = i;
  applycompanion(dlg, id);
  quorba04.currentdialog = id;
}

void wdialogselect(int id) {
  int i = yydialogindex(id);
  if (i == 0) {
    xxerror(kErrDialogNotLoaded);
    return;
  }
  wdlg.iDlgCur = i;
  quorba04.currentdialog = id;
}

void wdialogshow(int x, int y, int focusfield, int type) {
  using namespace plat;
  if (wdlg.iDlgCur == 0) {
    xxerror(kErrNoDialog);
    return;
  }
  const int index = wdlg.iDlgCur;
  DialogEntry& e = wdlg.DialogInfo[index];
  const bool child = ischild(e.hwnd);
  // Window units of the root for a child dialog; screen pixels otherwise.
  int px = child ? root_to_pixels(x, true) : x;
  int py = child ? root_to_pixels(y, false) : y;
  if (e.shown) {
    SetWindowPos(e.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(e.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return;
  }
  if (type != kShowModal && type != kShowSemiModeless) type = kShowModeless;
  if (type == kShowModeless && wdlg.nSemi > 0) {
    type = kShowSemiModeless;
    xxerror(kErrShowType);
  }
  if (child && type != kShowModeless) {
    type = kShowModeless;
    xxerror(kErrShowType);
  }
  if (type == kShowModal) {
    showmodal(e, index, px, py, focusfield);
    return;
  }
  const HWND lastsemi = wdlg.hLastSemi;
  if (type == kShowSemiModeless) {
    if (child && wsys.wHideRoot) {
      xxerror(kErrRootHidden);
      return;
    }
    ++wdlg.nSemi;
    wdlg.hLastSemi = e.hwnd;
    e.showtype = kShowSemiModeless;
    for (int i = 1; i <= wdlg.nDialogs; ++i) {
      HWND d = wdlg.DialogInfo[i].hwnd;
      if (i != index && wdlg.DialogInfo[i].shown && d) EnableWindow(d, FALSE);
    }
    for (WindowSlot& s : wsys.slots)
      if (s.wWindow) EnableWindow(s.wWindow, FALSE);
  } else {
    e.showtype = kShowModeless;
  }
  showmodeless(e, px, py, focusfield, lastsemi);
}

void wdialoghide() {
  using namespace plat;
  if (wdlg.iDlgCur == 0) {
    xxerror(kErrNoDialog);
    return;
  }
  DialogEntry& e = wdlg.DialogInfo[wdlg.iDlgCur];
  if (e.shown && e.showtype == kShowSemiModeless && wdlg.nSemi > 0) {
    --wdlg.nSemi;
    if (wdlg.nSemi == 0) {
      for (int i = 1; i <= wdlg.nDialogs; ++i)
        if (wdlg.DialogInfo[i].hwnd) EnableWindow(wdlg.DialogInfo[i].hwnd, TRUE);
      for (WindowSlot& s : wsys.slots)
        if (s.wWindow) EnableWindow(s.wWindow, TRUE);
    } else if (e.reenable) {
      EnableWindow(e.reenable, TRUE);
    }
  }
  // Dialogs owned by this one take its owner.
  for (int i = 1; i <= wdlg.nDialogs; ++i)
    if (wdlg.DialogInfo[i].owner == e.hwnd) wdlg.DialogInfo[i].owner = e.owner;
  const bool wasactive = wmsg.hDlgCur == e.hwnd;
  if (e.hwnd) ShowWindow(e.hwnd, SW_HIDE);
  if (e.showtype == kShowSemiModeless && wdlg.hLastSemi == e.hwnd) {
    wdlg.hLastSemi = nullptr;
    for (int i = wdlg.nDialogs; i >= 1; --i) {
      const DialogEntry& o = wdlg.DialogInfo[i];
      if (o.shown && o.showtype == kShowSemiModeless && o.hwnd != e.hwnd) {
        wdlg.hLastSemi = o.hwnd;
        break;
      }
    }
  }
  e.shown = 0;
  if (wasactive) {
    HWND owner = e.owner && IsWindow(e.owner) ? e.owner : rootclient();
    wmsg.hDlgCur = nullptr;
    for (int i = 1; i <= wdlg.nDialogs; ++i)
      if (wdlg.DialogInfo[i].hwnd == owner) wmsg.hDlgCur = owner;
    if (owner) SetFocus(owner);
  }
  e.owner = nullptr;
}

void wdialogunload() {
  if (wdlg.iDlgCur == 0) {
    xxerror(kErrNoDialog);
    return;
  }
  const int index = wdlg.iDlgCur;
  DialogEntry& e = wdlg.DialogInfo[index];
  if (e.shown) wdialoghide();
  if (wmsg.hDlgCur == e.hwnd) wmsg.hDlgCur = nullptr;
  if (e.hwnd) plat::DestroyWindow(e.hwnd);
  for (int i = index; i < wdlg.nDialogs; ++i) wdlg.DialogInfo[i] = wdlg.DialogInfo[i + 1];
  wdlg.DialogInfo[wdlg.nDialogs] = DialogEntry{};
  --wdlg.nDialogs;
  wdlg.iDlgCur = 0;
  quorba04.currentdialog = 0;
  // With no dialog left, later dialogs and boxes belong to the root again.
  if (wdlg.nDialogs == 0) wsys.wOwner = rootclient();
}

void wdialogunload(int) { wdialogunload(); }

void yyclosedialogs() {
  for (int i = wdlg.nDialogs; i >= 1; --i) {
    plat::HWND h = wdlg.DialogInfo[i].hwnd;
    if (h && plat::IsWindow(h)) plat::DestroyWindow(h);
  }
  wdlg = DialogTable{};
  wmsg.hDlgCur = nullptr;
}

}  // namespace tsd
