// The dialog procedures. The loaded (and modeless) instance turns what the
// user does into PushButton, FieldChanged and graphics-field messages; the
// modal instance keeps the current and previous field of its entry and
// ends the show at any push button. Each message has its own handler.
#include <cstdint>
#include <string>

#include "platform/comctl/comctl.h"
#include "platform/user/controls/controls.h"
#include "platform/user/dialog/dialog.h"
#include "platform/user/user.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wdlgfield.h"
#include "toolkit/window/wdlgwindow.h"
#include "toolkit/window/wmessage.h"
#include "toolkit/window/wmiscel.h"
#include "toolkit/window/wstate.h"

namespace tsd {

namespace {

using plat::HWND;
using plat::INT_PTR;
using plat::LPARAM;
using plat::UINT;
using plat::WPARAM;

constexpr int kHelpButton = 9;  // the push button F1 stands for

// The entry whose loaded window is dlg (0 when none).
int entryof(HWND dlg) {
  for (int i = 1; i <= wdlg.nDialogs; ++i)
    if (wdlg.DialogInfo[i].hwnd == dlg) return i;
  return 0;
}

// What a control's notification means to the dialog manager. Codes of
// different classes share numbers (a combo box's kill-focus is a list
// box's set-focus), so a code is read only with the class that sent it.
enum class Notice { none, click, focus, doubleclick };

Notice noticeof(HWND c, plat::WORD code) {
  using namespace plat;
  const std::string cls = yyfieldclass(c);
  if (cls == "BUTTON") return code == BN_CLICKED ? Notice::click : code == BN_SETFOCUS ? Notice::focus : Notice::none;
  if (cls == "EDIT") return code == EN_SETFOCUS ? Notice::focus : Notice::none;
  if (cls == "LISTBOX") {
    if (code == LBN_SELCHANGE) return Notice::click;
    if (code == LBN_SETFOCUS) return Notice::focus;
    return code == LBN_DBLCLK ? Notice::doubleclick : Notice::none;
  }
  if (cls == "COMBOBOX") {
    if (code == CBN_SELCHANGE) return Notice::click;
    if (code == CBN_SETFOCUS) return Notice::focus;
    return code == CBN_DBLCLK ? Notice::doubleclick : Notice::none;
  }
  return Notice::none;
}

// Previous field = current field, current field = this control.
void fieldentered(DialogEntry& e, int id) {
  e.prevfield = e.field;
  e.field = id;
}

void pushbutton(DialogEntry& e, int id) { yybuildmessage(kPushButton, e.id, id, e.prevfield, -1, -1, -1, -1); }

// A FieldChanged message: the field left, the field entered, and the
// controls of the previous message and of this one.
void fieldchanged(DialogEntry& e, HWND c) {
  yybuildmessage(kFieldChanged, e.id, e.prevfield, e.field, -1, -1,
                 static_cast<int>(reinterpret_cast<std::intptr_t>(e.lastcontrol)),
                 static_cast<int>(reinterpret_cast<std::intptr_t>(c)));
  e.lastcontrol = c;
}

bool iscolourrequest(UINT msg) { return msg >= plat::WM_CTLCOLORMSGBOX && msg <= plat::WM_CTLCOLORSTATIC; }

// A control's colour request: the brush of its field record's colours,
// or 0 for the default colours.
INT_PTR colourrequest(UINT msg, WPARAM wp, LPARAM lp) {
  return reinterpret_cast<INT_PTR>(yyfieldcolours(reinterpret_cast<HWND>(lp), reinterpret_cast<plat::HDC>(wp), msg));
}

bool ismouse(UINT msg) {
  using namespace plat;
  return msg == WM_LBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_LBUTTONUP ||
         msg == WM_MBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MOUSEMOVE;
}

int mousebutton(UINT msg) {
  switch (msg) {
    case plat::WM_LBUTTONDOWN: case plat::WM_LBUTTONUP: return 1;
    case plat::WM_MBUTTONDOWN: case plat::WM_MBUTTONUP: return 2;
    case plat::WM_RBUTTONDOWN: case plat::WM_RBUTTONUP: return 3;
    default: return 0;
  }
}

// Mouse events of a shown modeless or semi-modeless dialog with a graphics
// field: a press captures the mouse (104), a release frees it (105), a
// move is 106. Over a graphics field the position is in its pixels and
// the field is named; elsewhere it is the dialog's, field 0.
bool graphicsmouse(HWND dlg, UINT msg, LPARAM lp) {
  using namespace plat;
  int i = entryof(dlg);
  if (i == 0) return false;
  DialogEntry& e = wdlg.DialogInfo[i];
  if (!e.gflag || !e.shown || (e.showtype != kShowModeless && e.showtype != kShowSemiModeless)) return false;
  POINT p{static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lp))),
          static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lp)))};
  e.gfield = 0;
  for (HWND c : yycontrols(dlg)) {
    FieldRecord* f = yyfieldrecord(c);
    if (!f || !f->graphics || !IsWindowVisible(c)) continue;
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    if (PtInRect(&r, p)) {
      POINT q = p;
      MapWindowPoints(dlg, c, &q, 1);
      p = q;
      e.gfield = GetDlgCtrlID(c);
      break;
    }
  }
  int type = kDialogMouseMove;
  if (msg == WM_LBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_RBUTTONDOWN) {
    SetCapture(dlg);
    type = kDialogButtonDown;
  } else if (msg == WM_LBUTTONUP || msg == WM_MBUTTONUP || msg == WM_RBUTTONUP) {
    if (GetCapture() == dlg) ReleaseCapture();
    type = kDialogButtonUp;
  }
  e.gbutton = mousebutton(msg);
  const int time = static_cast<int>(GetMessageTime()) / 10;
  yybuildmessage(type, e.id, type == kDialogMouseMove ? -1 : e.gbutton, time, 1, e.gfield, p.x, p.y);
  return true;
}

// ---- The loaded and modeless instance, message by message ------------------

// Activation makes the dialog the loop's active modeless dialog and gives
// it the one active caption: a child window that had it before loses it
// (the window system knows nothing of captions inside the root).
INT_PTR onactivate(HWND dlg, WPARAM wp) {
  const bool active = plat::LOWORD(wp) != plat::WA_INACTIVE;
  wmsg.hDlgCur = active ? dlg : nullptr;
  if (active) yytitlecolour(dlg);
  return plat::FALSE;
}

// A dialog inside the root is a window of its own there: a press in it
// gives it the active caption (the root is not asked).
INT_PTR onmouseactivate(HWND dlg) {
  using namespace plat;
  if (!(GetWindowLongPtrA(dlg, GWL_STYLE) & WS_CHILD)) return FALSE;
  yytitlecolour(dlg);
  SetWindowLongPtrA(dlg, DWLP_MSGRESULT, MA_ACTIVATE);
  return TRUE;
}

// F1 is reported as push button 9.
INT_PTR onhelp(HWND dlg) {
  int i = entryof(dlg);
  if (i == 0) return plat::FALSE;
  DialogEntry& e = wdlg.DialogInfo[i];
  pushbutton(e, kHelpButton);
  return plat::TRUE;
}

// A dialog with a graphics field reports its repaints (not while a modal
// loop keeps the windows' pictures); the window system paints it as usual.
INT_PTR onpaint(HWND dlg) {
  int i = entryof(dlg);
  if (i > 0 && wdlg.DialogInfo[i].gflag && !wsys.wImagesSaved) {
    DialogEntry& e = wdlg.DialogInfo[i];
    e.gfield = 0;
    yybuildmessage(kDialogExpose, e.id, -1, -1, 1, 0, -1, -1);
  }
  return plat::FALSE;
}

// A trackbar moved (its end of scroll is not a change of its own).
INT_PTR onscroll(HWND dlg, WPARAM wp, LPARAM lp) {
  int i = entryof(dlg);
  HWND c = reinterpret_cast<HWND>(lp);
  if (i == 0 || !c || yyfieldkind(c) != kFieldTrackbar || plat::LOWORD(wp) == plat::TB_ENDTRACK) return plat::FALSE;
  DialogEntry& e = wdlg.DialogInfo[i];
  fieldentered(e, plat::GetDlgCtrlID(c));
  fieldchanged(e, c);
  return plat::TRUE;
}

// A double click in a list or combo box presses the default button when
// it exists and is enabled.
void pressdefault(HWND dlg) {
  using namespace plat;
  LRESULT def = SendMessageA(dlg, DM_GETDEFID, 0, 0);
  HWND b = HIWORD(def) == DC_HASDEFID ? GetDlgItem(dlg, LOWORD(def)) : nullptr;
  if (b && IsWindowEnabled(b)) SendMessageA(b, BM_CLICK, 0, 0);
}

INT_PTR oncommand(HWND dlg, WPARAM wp, LPARAM lp) {
  using namespace plat;
  int i = entryof(dlg);
  if (i == 0) return FALSE;
  DialogEntry& e = wdlg.DialogInfo[i];
  HWND c = reinterpret_cast<HWND>(lp);
  const int id = LOWORD(wp);
  const WORD code = HIWORD(wp);
  if (!c) {
    // Enter and Escape of the keyboard navigation: 1 and 2 as buttons.
    if (id != IDOK && id != IDCANCEL) return FALSE;
    fieldentered(e, id);
    pushbutton(e, id);
    return TRUE;
  }
  if (yyispushbutton(c) && code == BN_CLICKED) {
    // The previous field stays the field left unless the button has the focus.
    if (GetFocus() != c) e.prevfield = e.field;
    e.field = id;
    pushbutton(e, id);
    return TRUE;
  }
  const Notice n = noticeof(c, code);
  if (n == Notice::doubleclick) {
    pressdefault(dlg);
    return TRUE;
  }
  if (n == Notice::none) return FALSE;
  const bool differs = e.field != id;
  fieldentered(e, id);
  if (n == Notice::click || differs) fieldchanged(e, c);
  return FALSE;
}

}  // namespace

INT_PTR yydialogproc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  using namespace plat;
  if (iscolourrequest(msg)) return colourrequest(msg, wp, lp);
  if (ismouse(msg)) return graphicsmouse(dlg, msg, lp) ? TRUE : FALSE;
  switch (msg) {
    case WM_INITDIALOG:
      yysetupcontrols(dlg);
      return FALSE;
    case WM_DESTROY:
      yyreleasecontrols(dlg);
      return FALSE;
    case WM_ACTIVATE: return onactivate(dlg, wp);
    case WM_MOUSEACTIVATE: return onmouseactivate(dlg);
    case WM_HELP: return onhelp(dlg);
    case WM_PAINT: return onpaint(dlg);
    case WM_HSCROLL:
    case WM_VSCROLL: return onscroll(dlg, wp, lp);
    case WM_COMMAND: return oncommand(dlg, wp, lp);
    default: return FALSE;
  }
}

// ---- The modal instance -----------------------------------------------------

namespace {

// At its creation the modal instance takes the loaded instance's fields,
// its place and its focus field.
INT_PTR onmodalinit(HWND dlg, DialogEntry& cur) {
  wdlg.DialogInfo[0].hwnd = dlg;
  wdlg.DialogInfo[0].id = cur.id;
  yysetupcontrols(dlg);
  if (cur.hwnd) yycopyfields(cur.hwnd, dlg);
  yyplacedialog(dlg, wModalStart.x, wModalStart.y, false);
  return yyfocusfield(dlg, wModalStart.focusfield) ? plat::FALSE : plat::TRUE;
}

// Any push button ends the dialog; Enter presses the default button,
// Escape and the close box come as button 2 whether or not it exists.
INT_PTR onmodalcommand(HWND dlg, DialogEntry& cur, WPARAM wp, LPARAM lp) {
  using namespace plat;
  HWND c = reinterpret_cast<HWND>(lp);
  const int id = LOWORD(wp);
  const WORD code = HIWORD(wp);
  const bool ends = (c && yyispushbutton(c) && code == BN_CLICKED) || (!c && (id == IDOK || id == IDCANCEL)) ||
                    (c && id == IDCANCEL && code == BN_CLICKED);
  if (ends) {
    if (cur.field != id) cur.prevfield = cur.field;
    cur.field = id;
    wdlg.iDlgAct = cur.id;
    if (cur.hwnd) yycopyfields(dlg, cur.hwnd);
    EndDialog(dlg, id);
    return TRUE;
  }
  if (!c) return FALSE;
  const Notice n = noticeof(c, code);
  if (n == Notice::click || (n == Notice::focus && cur.field != id)) fieldentered(cur, id);
  return FALSE;
}

}  // namespace

INT_PTR yymodalproc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  using namespace plat;
  if (iscolourrequest(msg)) return colourrequest(msg, wp, lp);
  DialogEntry& cur = wdlg.DialogInfo[wModalStart.entry];
  switch (msg) {
    case WM_INITDIALOG: return onmodalinit(dlg, cur);
    case WM_DESTROY:
      yyreleasecontrols(dlg);
      return FALSE;
    case WM_COMMAND: return onmodalcommand(dlg, cur, wp, lp);
    default: return FALSE;
  }
}

}  // namespace tsd
