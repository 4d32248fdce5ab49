// Dialog windows of the dialog manager: templates from the resources, the
// field records and subclassing of a new dialog's controls, the copying of
// fields between two instances of one template, placement and focus, and
// the dialog procedures of the loaded and the modal instance.
#include "toolkit/window/wdlgwindow.h"

#include <span>
#include <string>
#include <vector>

#include "platform/user/user.h"
#include "toolkit/window/records.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wmessage.h"
#include "toolkit/window/wstate.h"

namespace tsd {

ModalStart wModalStart;

namespace {

constexpr const char* kFieldProp = "tsd.field";
constexpr int kCtrlA = 1;  // the character Ctrl+A gives

std::string classof(plat::HWND h) {
  char name[64] = {};
  plat::GetClassNameA(h, name, sizeof name);
  std::string s(name);
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

plat::DWORD styleof(plat::HWND h) { return static_cast<plat::DWORD>(plat::GetWindowLongPtrA(h, plat::GWL_STYLE)); }

bool isbutton(plat::HWND h) { return classof(h) == "BUTTON"; }

std::string textof(plat::HWND h) {
  int n = plat::GetWindowTextLengthA(h);
  if (n <= 0) return std::string();
  if (n > plat::kMaxControlText) n = plat::kMaxControlText;
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  int got = plat::GetWindowTextA(h, s.data(), n + 1);
  s.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return s;
}

std::vector<plat::HWND> controlsof(plat::HWND dlg) {
  std::vector<plat::HWND> v;
  for (plat::HWND c = plat::GetWindow(dlg, plat::GW_CHILD); c; c = plat::GetWindow(c, plat::GW_HWNDNEXT)) v.push_back(c);
  return v;
}

// Edit fields: Ctrl+A selects the whole text.
plat::LRESULT editsubclass(plat::HWND h, plat::UINT msg, plat::WPARAM wp, plat::LPARAM lp) {
  FieldRecord* f = yyfieldrecord(h);
  auto own = f ? reinterpret_cast<plat::WNDPROC>(f->ownproc) : nullptr;
  if (msg == plat::WM_CHAR && wp == static_cast<plat::WPARAM>(kCtrlA)) {
    plat::SendMessageA(h, plat::EM_SETSEL, 0, -1);
    return 0;
  }
  return own ? plat::CallWindowProcA(own, h, msg, wp, lp) : plat::DefWindowProcA(h, msg, wp, lp);
}

// The entry whose loaded window is dlg (0 when none).
int entryof(plat::HWND dlg) {
  for (int i = 1; i <= wdlg.nDialogs; ++i)
    if (wdlg.DialogInfo[i].hwnd == dlg) return i;
  return 0;
}

void copylist(plat::HWND from, plat::HWND to, bool combo) {
  using namespace plat;
  const UINT reset = combo ? CB_RESETCONTENT : LB_RESETCONTENT;
  const UINT count = combo ? CB_GETCOUNT : LB_GETCOUNT;
  const UINT len = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
  const UINT get = combo ? CB_GETLBTEXT : LB_GETTEXT;
  const UINT add = combo ? CB_ADDSTRING : LB_ADDSTRING;
  SendMessageA(to, reset, 0, 0);
  LRESULT n = SendMessageA(from, count, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    LRESULT l = SendMessageA(from, len, static_cast<WPARAM>(i), 0);
    std::string s(static_cast<std::size_t>(l > 0 ? l : 0) + 1, '\0');
    SendMessageA(from, get, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
    s.resize(s.find('\0'));
    SendMessageA(to, add, 0, reinterpret_cast<LPARAM>(s.c_str()));
  }
  if (combo) {
    SendMessageA(to, CB_SETCURSEL, static_cast<WPARAM>(SendMessageA(from, CB_GETCURSEL, 0, 0)), 0);
    return;
  }
  if (styleof(from) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
    for (LRESULT i = 0; i < n; ++i)
      SendMessageA(to, LB_SETSEL, SendMessageA(from, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0 ? TRUE : FALSE,
                   static_cast<LPARAM>(i));
  } else {
    SendMessageA(to, LB_SETCURSEL, static_cast<WPARAM>(SendMessageA(from, LB_GETCURSEL, 0, 0)), 0);
  }
}

// Control notifications of either instance: previous field = current
// field, current field = this control.
void fieldentered(DialogEntry& e, int id) {
  e.prevfield = e.field;
  e.field = id;
}

}  // namespace

std::optional<plat::DialogTemplate> yydialogtemplate(int id) {
  if (id <= 0 || id > 65535) return std::nullopt;
  std::span<const plat::BYTE> bytes =
      plat::resource_bytes(plat::MAKEINTRESOURCEA(static_cast<unsigned>(id)), plat::RT_DIALOG);
  if (bytes.empty()) return std::nullopt;
  return plat::decode_dialog(bytes);
}

FieldRecord* yyfieldrecord(plat::HWND control) {
  return control ? static_cast<FieldRecord*>(plat::GetPropA(control, kFieldProp)) : nullptr;
}

bool yyispushbutton(plat::HWND c) {
  if (!c || !isbutton(c)) return false;
  plat::DWORD t = styleof(c) & plat::BS_TYPEMASK;
  return t == plat::BS_PUSHBUTTON || t == plat::BS_DEFPUSHBUTTON;
}

bool yyisautoradio(plat::HWND c) {
  return c && isbutton(c) && (styleof(c) & plat::BS_TYPEMASK) == plat::BS_AUTORADIOBUTTON;
}

void yysetupcontrols(plat::HWND dlg) {
  using namespace plat;
  for (HWND c : controlsof(dlg)) {
    auto* f = new FieldRecord();
    SetPropA(c, kFieldProp, f);
    std::string cls = classof(c);
    if (cls == "EDIT") {
      f->ownproc = reinterpret_cast<void*>(GetWindowLongPtrA(c, GWLP_WNDPROC));
      SetWindowLongPtrA(c, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&editsubclass));
    } else if (cls == "BUTTON") {
      DWORD st = styleof(c);
      DWORD t = st & BS_TYPEMASK;
      DWORD nt = t == BS_CHECKBOX ? BS_AUTOCHECKBOX : t == BS_3STATE ? BS_AUTO3STATE : t == BS_RADIOBUTTON ? BS_AUTORADIOBUTTON : t;
      if (nt != t) SetWindowLongPtrA(c, GWL_STYLE, static_cast<LONG_PTR>((st & ~BS_TYPEMASK) | nt));
    }
  }
}

void yyreleasecontrols(plat::HWND dlg) {
  using namespace plat;
  for (HWND c : controlsof(dlg)) {
    FieldRecord* f = yyfieldrecord(c);
    if (!f) continue;
    if (f->ownproc) SetWindowLongPtrA(c, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(f->ownproc));
    RemovePropA(c, kFieldProp);
    delete f;
  }
}

void yycopyfields(plat::HWND from, plat::HWND to) {
  using namespace plat;
  SetWindowTextA(to, textof(from).c_str());
  std::vector<HWND> a = controlsof(from);
  std::vector<HWND> b = controlsof(to);
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    HWND s = a[i];
    HWND d = b[i];
    SetWindowLongPtrA(d, GWL_STYLE, static_cast<LONG_PTR>((styleof(s) & ~WS_VISIBLE) | (styleof(d) & WS_VISIBLE)));
    FieldRecord* fs = yyfieldrecord(s);
    FieldRecord* fd = yyfieldrecord(d);
    if (fs && fd) {
      void* own = fd->ownproc;
      *fd = *fs;
      fd->ownproc = own;
      fd->spin = nullptr;
    }
    std::string cls = classof(s);
    if (cls == "BUTTON") {
      SendMessageA(d, BM_SETCHECK, static_cast<WPARAM>(SendMessageA(s, BM_GETCHECK, 0, 0)), 0);
      SendMessageA(d, BM_SETIMAGE, IMAGE_BITMAP, SendMessageA(s, BM_GETIMAGE, IMAGE_BITMAP, 0));
    } else if (cls == "STATIC") {
      LRESULT img = SendMessageA(s, STM_GETIMAGE, IMAGE_BITMAP, 0);
      if (img) SendMessageA(d, STM_SETIMAGE, IMAGE_BITMAP, img);
    } else if (cls == "LISTBOX") {
      copylist(s, d, false);
    } else if (cls == "COMBOBOX") {
      copylist(s, d, true);
    } else if (cls == "EDIT") {
      SendMessageA(d, EM_LIMITTEXT, static_cast<WPARAM>(SendMessageA(s, EM_GETLIMITTEXT, 0, 0)), 0);
      SendMessageA(d, EM_SETPASSWORDCHAR, static_cast<WPARAM>(SendMessageA(s, EM_GETPASSWORDCHAR, 0, 0)), 0);
    }
    if (cls != "LISTBOX") SetWindowTextA(d, textof(s).c_str());
    EnableWindow(d, IsWindowEnabled(s));
  }
}

void yyplacedialog(plat::HWND dlg, int x, int y, bool child) {
  using namespace plat;
  RECT r;
  GetWindowRect(dlg, &r);
  int w = r.right - r.left;
  int h = r.bottom - r.top;
  int sw = GetSystemMetrics(SM_CXSCREEN);
  int sh = GetSystemMetrics(SM_CYSCREEN);
  if (child && wsys.slots[0].hClient) {
    RECT c;
    GetClientRect(wsys.slots[0].hClient, &c);
    sw = c.right;
    sh = c.bottom;
  }
  int px = x == -1 ? (sw - w) / 2 : x;
  int py = y == -1 ? (sh - h) / 2 : y;
  SetWindowPos(dlg, nullptr, px, py, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool yyfocusfield(plat::HWND dlg, int field) {
  if (field == 0) return false;
  plat::HWND c = plat::GetDlgItem(dlg, field);
  if (!c) return false;
  plat::SetFocus(c);
  if (classof(c) == "EDIT") plat::SendMessageA(c, plat::EM_SETSEL, 0, -1);
  return true;
}

plat::INT_PTR yydialogproc(plat::HWND dlg, plat::UINT msg, plat::WPARAM wp, plat::LPARAM lp) {
  using namespace plat;
  switch (msg) {
    case WM_INITDIALOG:
      yysetupcontrols(dlg);
      return FALSE;
    case WM_DESTROY:
      yyreleasecontrols(dlg);
      return FALSE;
    case WM_ACTIVATE:
      wmsg.hDlgCur = LOWORD(wp) == WA_INACTIVE ? nullptr : dlg;
      return FALSE;
    case WM_COMMAND: {
      int i = entryof(dlg);
      if (i == 0) return FALSE;
      DialogEntry& e = wdlg.DialogInfo[i];
      HWND c = reinterpret_cast<HWND>(lp);
      int id = LOWORD(wp);
      WORD code = HIWORD(wp);
      if (c && yyispushbutton(c) && code == BN_CLICKED) {
        // The previous field stays the field left unless the button has the focus.
        if (GetFocus() != c) e.prevfield = e.field;
        e.field = id;
        yybuildmessage(kPushButton, e.id, id, e.prevfield, -1, -1, -1, -1);
        return TRUE;
      }
      if (!c) {
        // Enter and Escape of the keyboard navigation: 1 and 2 as buttons.
        if (id == IDOK || id == IDCANCEL) {
          e.prevfield = e.field;
          e.field = id;
          yybuildmessage(kPushButton, e.id, id, e.prevfield, -1, -1, -1, -1);
          return TRUE;
        }
        return FALSE;
      }
      const bool click = code == BN_CLICKED || code == LBN_SELCHANGE || code == CBN_SELCHANGE;
      const bool focus = code == EN_SETFOCUS || code == BN_SETFOCUS ||
                         (classof(c) == "LISTBOX" && code == LBN_SETFOCUS) ||
                         (classof(c) == "COMBOBOX" && code == CBN_SETFOCUS);
      if ((code == LBN_DBLCLK && classof(c) == "LISTBOX") || (code == CBN_DBLCLK && classof(c) == "COMBOBOX")) {
        LRESULT def = SendMessageA(dlg, DM_GETDEFID, 0, 0);
        HWND b = HIWORD(def) == DC_HASDEFID ? GetDlgItem(dlg, LOWORD(def)) : nullptr;
        if (b && IsWindowEnabled(b)) SendMessageA(b, BM_CLICK, 0, 0);
        return TRUE;
      }
      if (!click && !focus) return FALSE;
      const bool differs = e.field != id;
      fieldentered(e, id);
      if (click || differs) {
        HWND last = e.lastcontrol;
        yybuildmessage(kFieldChanged, e.id, e.prevfield, id, -1, -1,
                       static_cast<int>(reinterpret_cast<std::intptr_t>(last)),
                       static_cast<int>(reinterpret_cast<std::intptr_t>(c)));
        e.lastcontrol = c;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

plat::INT_PTR yymodalproc(plat::HWND dlg, plat::UINT msg, plat::WPARAM wp, plat::LPARAM lp) {
  using namespace plat;
  DialogEntry& cur = wdlg.DialogInfo[wModalStart.entry];
  switch (msg) {
    case WM_INITDIALOG:
      wdlg.DialogInfo[0].hwnd = dlg;
      wdlg.DialogInfo[0].id = cur.id;
      yysetupcontrols(dlg);
      if (cur.hwnd) yycopyfields(cur.hwnd, dlg);
      yyplacedialog(dlg, wModalStart.x, wModalStart.y, false);
      if (yyfocusfield(dlg, wModalStart.focusfield)) return FALSE;
      return TRUE;
    case WM_DESTROY:
      yyreleasecontrols(dlg);
      return FALSE;
    case WM_COMMAND: {
      HWND c = reinterpret_cast<HWND>(lp);
      int id = LOWORD(wp);
      WORD code = HIWORD(wp);
      // Any push button ends the dialog; Enter presses the default button,
      // Escape and the close box come as button 2 whether or not it exists.
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
      const bool click = code == BN_CLICKED || code == LBN_SELCHANGE || code == CBN_SELCHANGE;
      const bool focus = code == EN_SETFOCUS || code == BN_SETFOCUS || code == LBN_SETFOCUS || code == CBN_SETFOCUS;
      if (click || (focus && cur.field != id)) fieldentered(cur, id);
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace tsd
