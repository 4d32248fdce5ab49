// Keyboard use of dialogs: Tab order, groups and arrows, the default push
// button, Escape, mnemonics.
#include <strings.h>

#include "platform/user/dialog/dialog_private.h"
#include "text/letters.h"

namespace plat {
namespace dlg {
namespace {

LONG_PTR style(HWND h) { return GetWindowLongPtrA(h, GWL_STYLE); }
bool usable(HWND h) { return (style(h) & WS_VISIBLE) && !(style(h) & WS_DISABLED); }

std::vector<HWND> controls(HWND dlg) {
  std::vector<HWND> v;
  for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) v.push_back(c);
  return v;
}

bool is_push_button(HWND h) {
  LRESULT code = SendMessageA(h, WM_GETDLGCODE, 0, 0);
  return code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
}

// The push button that shows the default frame follows the focus: a
// focused push button is the default, else the dialog's default id is.
void update_default_button(HWND dlg, HWND focused) {
  LRESULT def = SendMessageA(dlg, DM_GETDEFID, 0, 0);
  int def_id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
  DialogState* s = state_of(dlg);
  if (s && !s->def_id && HIWORD(def) == DC_HASDEFID) s->def_id = def_id;  // remember the template's default
  for (HWND c : controls(dlg)) {
    if (!is_push_button(c)) continue;
    bool want = focused && is_push_button(focused) ? c == focused : GetDlgCtrlID(c) == def_id;
    bool has = SendMessageA(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON;
    if (want != has) SendMessageA(c, BM_SETSTYLE, want ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}

bool is_auto_radio(HWND h) {
  return strcasecmp(class_of(h).c_str(), "BUTTON") == 0 && (style(h) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

void click_default(HWND dlg, HWND focus_ctl) {
  int id = IDOK;
  if (focus_ctl && is_push_button(focus_ctl)) {
    id = GetDlgCtrlID(focus_ctl);
  } else {
    LRESULT def = SendMessageA(dlg, DM_GETDEFID, 0, 0);
    if (HIWORD(def) == DC_HASDEFID) id = LOWORD(def);
  }
  HWND b = GetDlgItem(dlg, id);
  if (b && !IsWindowEnabled(b)) {
    MessageBeep(0);
    return;
  }
  if (b && is_push_button(b)) SendMessageA(b, BM_CLICK, 0, 0);
  else SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(b));
}

// A mnemonic typed: a button is clicked (a radio or check box gets the
// focus too); a label gives the focus to the next control that takes it.
bool mnemonic(HWND dlg, HWND from, char c) {
  if (!c) return false;
  const char key = text::asciilower(c);
  std::vector<HWND> all = controls(dlg);
  if (all.empty()) return false;
  std::size_t start = 0;
  HWND cur = from ? dialog_child_of(dlg, from) : nullptr;
  for (std::size_t i = 0; i < all.size(); ++i)
    if (all[i] == cur) start = i + 1;
  for (std::size_t k = 0; k < all.size(); ++k) {
    HWND h = all[(start + k) % all.size()];
    if (!usable(h)) continue;
    std::string cls = class_of(h);
    bool is_button = strcasecmp(cls.c_str(), "BUTTON") == 0;
    bool is_static = strcasecmp(cls.c_str(), "STATIC") == 0;
    if (!is_button && !is_static) continue;
    if (is_static && (style(h) & SS_NOPREFIX)) continue;
    if (ctl::mnemonic_of(ctl::window_text(h)) != key) continue;
    if (is_static || (style(h) & BS_TYPEMASK) == BS_GROUPBOX) {
      HWND next = GetNextDlgTabItem(dlg, h, FALSE);
      // The control right after the label in order, when it takes the focus.
      for (HWND n = GetWindow(h, GW_HWNDNEXT); n; n = GetWindow(n, GW_HWNDNEXT)) {
        if (usable(n) && (style(n) & WS_TABSTOP)) {
          next = n;
          break;
        }
        if (usable(n) && !(SendMessageA(n, WM_GETDLGCODE, 0, 0) & DLGC_STATIC)) {
          next = n;
          break;
        }
      }
      if (next) focus_control(dlg, next);
      return true;
    }
    if (!is_push_button(h)) focus_control(dlg, h);
    SendMessageA(h, BM_CLICK, 0, 0);
    return true;
  }
  return false;
}

}  // namespace

void focus_control(HWND dlg, HWND ctl) {
  if (!ctl || !IsWindow(ctl)) return;
  SetFocus(ctl);
  if (SendMessageA(ctl, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(ctl, EM_SETSEL, 0, -1);
  update_default_button(dlg, ctl);
  DialogState* s = state_of(dlg);
  if (s) s->saved_focus = ctl;
}

}  // namespace dlg

using namespace dlg;

HWND GetNextDlgTabItem(HWND dlg, HWND ctl, BOOL previous) {
  std::vector<HWND> all = controls(dlg);
  int n = static_cast<int>(all.size());
  if (n == 0) return nullptr;
  int at = previous ? 0 : -1;
  HWND cur = ctl ? dialog_child_of(dlg, ctl) : nullptr;
  for (int i = 0; i < n; ++i)
    if (all[static_cast<std::size_t>(i)] == cur) at = i;
  for (int k = 1; k <= n; ++k) {
    int i = ((at + (previous ? -k : k)) % n + n) % n;
    HWND h = all[static_cast<std::size_t>(i)];
    if (usable(h) && (style(h) & WS_TABSTOP)) return h;
  }
  return cur;
}

HWND GetNextDlgGroupItem(HWND dlg, HWND ctl, BOOL previous) {
  HWND cur = ctl ? dialog_child_of(dlg, ctl) : nullptr;
  if (!cur) return GetNextDlgTabItem(dlg, nullptr, FALSE);
  // The group: from the nearest control at or before with WS_GROUP to the
  // one before the next with WS_GROUP.
  std::vector<HWND> all = controls(dlg);
  int n = static_cast<int>(all.size()), at = 0;
  for (int i = 0; i < n; ++i)
    if (all[static_cast<std::size_t>(i)] == cur) at = i;
  int first = at;
  while (first > 0 && !(style(all[static_cast<std::size_t>(first)]) & WS_GROUP)) --first;
  int last = at;
  while (last + 1 < n && !(style(all[static_cast<std::size_t>(last) + 1]) & WS_GROUP)) ++last;
  int size = last - first + 1;
  for (int k = 1; k <= size; ++k) {
    int off = ((at - first + (previous ? -k : k)) % size + size) % size;
    HWND h = all[static_cast<std::size_t>(first + off)];
    if (usable(h)) return h;
  }
  return cur;
}

BOOL IsDialogMessageA(HWND dlg, MSG* m) {
  if (!m || !IsWindow(dlg) || !m->hwnd) return FALSE;
  if (m->hwnd != dlg && !IsChild(dlg, m->hwnd)) return FALSE;
  HWND focus = GetFocus();
  HWND target = m->hwnd;
  if (m->message == WM_KEYDOWN || m->message == WM_CHAR || m->message == WM_SYSCHAR) {
    LRESULT code = target != dlg ? SendMessageA(target, WM_GETDLGCODE, m->wParam, reinterpret_cast<LPARAM>(m)) : 0;
    bool wants_all = code & DLGC_WANTALLKEYS;
    if (m->message == WM_KEYDOWN && !wants_all) {
      bool shift = GetKeyState(VK_SHIFT) < 0;
      switch (m->wParam) {
        case VK_TAB:
          if (code & DLGC_WANTTAB) break;
          if (HWND next = GetNextDlgTabItem(dlg, focus, shift)) focus_control(dlg, next);
          return TRUE;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
          if (code & DLGC_WANTARROWS) break;
          bool back = m->wParam == VK_LEFT || m->wParam == VK_UP;
          HWND next = GetNextDlgGroupItem(dlg, focus, back);
          if (next && next != dialog_child_of(dlg, focus)) {
            focus_control(dlg, next);
            if (is_auto_radio(next)) SendMessageA(next, BM_CLICK, 0, 0);
          }
          return TRUE;
        }
        case VK_RETURN: click_default(dlg, dialog_child_of(dlg, focus)); return TRUE;
        case VK_F1: {
          HELPINFO info;
          HWND item = dialog_child_of(dlg, focus);
          info.hItemHandle = item ? item : dlg;
          info.iCtrlId = item ? GetDlgCtrlID(item) : 0;
          SendMessageA(dlg, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
          return TRUE;
        }
        case VK_ESCAPE: {
          HWND cancel = GetDlgItem(dlg, IDCANCEL);
          if (cancel && !IsWindowEnabled(cancel)) return TRUE;
          SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
          return TRUE;
        }
        default: break;
      }
    }
    if (m->message == WM_SYSCHAR || (m->message == WM_CHAR && !(code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)))) {
      if (m->wParam >= 32 && mnemonic(dlg, focus, static_cast<char>(m->wParam))) return TRUE;
      if (m->message == WM_CHAR) return TRUE;  // a character nothing wants is dropped
    }
  }
  TranslateMessage(m);
  DispatchMessageA(m);
  return TRUE;
}

}  // namespace plat
