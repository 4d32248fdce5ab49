// Making dialogs from templates: the dialog class, fonts and dialog units,
// the controls in template order, WM_INITDIALOG; the default dialog
// procedure; the modal loop and EndDialog.
#include <strings.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <span>

#include "platform/comctl/comctl.h"
#include "platform/display/display.h"
#include "platform/gdi/gdi.h"
#include "platform/user/dialog/dialog_private.h"

namespace plat {
namespace dlg {

inline constexpr char kDialogClass[] = "#32770";

DialogState* state_of(HWND dlg) {
  if (!IsWindow(dlg) || !is_dialog(dlg)) return nullptr;
  return reinterpret_cast<DialogState*>(GetWindowLongPtrA(dlg, kStateOffset));
}

std::string class_of(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

bool is_dialog(HWND hwnd) { return IsWindow(hwnd) && class_of(hwnd) == kDialogClass; }

HWND dialog_child_of(HWND dlg, HWND hwnd) {
  while (hwnd && IsWindow(hwnd)) {
    HWND p = GetParent(hwnd);
    if (p == dlg && (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD)) return hwnd;
    if (!(GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD)) return nullptr;
    hwnd = p;
  }
  return nullptr;
}

namespace {

struct CreateRecord {
  DLGPROC proc;
  DialogState* state;
};

INT_PTR call_proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(dlg, DWLP_DLGPROC));
  return proc ? proc(dlg, msg, wp, lp) : 0;
}

// Messages whose answer is the dialog procedure's own return value, not
// DWLP_MSGRESULT.
bool returns_directly(UINT msg) {
  return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_INITDIALOG;
}

LRESULT dialog_window_proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lp);
    const auto* rec = static_cast<const CreateRecord*>(cs->lpCreateParams);
    SetWindowLongPtrA(dlg, kStateOffset, reinterpret_cast<LONG_PTR>(rec->state));
    SetWindowLongPtrA(dlg, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(rec->proc));
  }
  DialogState* s = state_of(dlg);
  if (msg == WM_NCDESTROY) {
    call_proc(dlg, msg, wp, lp);
    if (s) {
      if (s->own_font) DeleteObject(s->font);
      delete s;
      SetWindowLongPtrA(dlg, kStateOffset, 0);
    }
    return DefWindowProcA(dlg, msg, wp, lp);
  }
  SetWindowLongPtrA(dlg, DWLP_MSGRESULT, 0);
  INT_PTR r = msg == WM_NCCREATE ? 0 : call_proc(dlg, msg, wp, lp);
  if (!IsWindow(dlg)) return r;
  if (r) return returns_directly(msg) ? r : GetWindowLongPtrA(dlg, DWLP_MSGRESULT);
  return DefDlgProcA(dlg, msg, wp, lp);
}

void ensure_dialog_class() {
  WNDCLASSA probe;
  if (GetClassInfoA(nullptr, kDialogClass, &probe)) return;
  WNDCLASSA wc;
  wc.style = CS_DBLCLKS | CS_SAVEBITS | CS_GLOBALCLASS;
  wc.lpfnWndProc = dialog_window_proc;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = SysColorAsBrush(COLOR_BTNFACE);
  wc.lpszClassName = kDialogClass;
  RegisterClassA(&wc);
}

// Base units of a font: the average width of the letters, rounded as
// usual, and the character height.
void base_units(HFONT font, int* bx, int* by) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE sz;
  GetTextExtentPoint32A(dc, letters, 52, &sz);
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  *bx = std::max(1, static_cast<int>((sz.cx / 26 + 1) / 2));
  *by = std::max(1, static_cast<int>(tm.tmHeight));
  SelectObject(dc, old);
  DeleteDC(dc);
}

int dlu_x(const DialogState* s, int v) { return v * s->base_x / 4; }
int dlu_y(const DialogState* s, int v) { return v * s->base_y / 8; }

bool is_class(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

HWND first_tab_stop(HWND dlg) {
  for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    LONG_PTR st = GetWindowLongPtrA(c, GWL_STYLE);
    if ((st & WS_TABSTOP) && (st & WS_VISIBLE) && !(st & WS_DISABLED)) return c;
  }
  return nullptr;
}

}  // namespace

void log_dialog(HWND dlg) {
  DialogState* s = state_of(dlg);
  if (s) s->logged = true;
  std::string line = "dialog shown: \"" + ctl::window_text(dlg) + "\"";
  for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    std::string t = ctl::window_text(c);
    line += " | " + class_of(c) + " " + std::to_string(GetDlgCtrlID(c));
    if (!t.empty()) line += " \"" + t + "\"";
  }
  script_log(line);
}

}  // namespace dlg

using namespace dlg;

namespace {
// A template of the module's resources, decoded; nothing when it is missing or damaged.
std::optional<DialogTemplate> load_template(HINSTANCE instance, LPCSTR name) {
  HRSRC r = FindResourceA(reinterpret_cast<HMODULE>(instance), name, RT_DIALOG);
  if (!r) return std::nullopt;
  const void* data = LockResource(LoadResource(reinterpret_cast<HMODULE>(instance), r));
  DWORD size = SizeofResource(reinterpret_cast<HMODULE>(instance), r);
  if (!data) return std::nullopt;
  return decode_dialog(std::span<const BYTE>(static_cast<const BYTE*>(data), size));
}
}  // namespace

HWND CreateDialogIndirectParamA(HINSTANCE instance, const DialogTemplate* t, HWND owner, DLGPROC proc,
                                LPARAM param) {
  if (!t) return nullptr;
  ensure_standard_controls();
  ensure_dialog_class();
  auto* s = new DialogState();
  s->proc = proc;
  if (t->font_size && !t->font_face.empty()) {
    int px = -(t->font_size * 96 + 36) / 72;
    s->font = CreateFontA(px, 0, 0, 0, t->font_weight ? t->font_weight : FW_NORMAL, t->font_italic, 0, 0, DEFAULT_CHARSET, 0, 0, 0, VARIABLE_PITCH | FF_SWISS,
                          t->font_face.c_str());
    s->own_font = s->font != nullptr;
  }
  if (!s->font) s->font = default_dialog_font();
  base_units(s->font, &s->base_x, &s->base_y);

  DWORD style = t->style & ~WS_VISIBLE;
  DWORD exstyle = t->exstyle | WS_EX_CONTROLPARENT;
  if (t->style & DS_MODALFRAME) exstyle |= WS_EX_DLGMODALFRAME;
  if (style & WS_CHILD) exstyle &= ~WS_EX_DLGMODALFRAME;
  RECT r{0, 0, dlu_x(s, t->cx), dlu_y(s, t->cy)};
  AdjustWindowRectEx(&r, style, FALSE, exstyle);
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = dlu_x(s, t->x), y = dlu_y(s, t->y);
  if (t->style & DS_CENTER) {
    x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  } else if (owner && !(style & WS_CHILD)) {
    POINT o{0, 0};
    ClientToScreen(owner, &o);
    x += o.x;
    y += o.y;
  }
  HWND parent = owner;
  if (!(style & WS_CHILD) && owner) parent = GetAncestor(owner, GA_ROOT) ? GetAncestor(owner, GA_ROOT) : owner;
  CreateRecord rec{proc, s};
  HWND dlg = CreateWindowExA(exstyle, kDialogClass, t->caption.c_str(), style, x, y, w, h, parent, nullptr, instance, &rec);
  if (!dlg) {
    if (s->own_font) DeleteObject(s->font);
    delete s;
    return nullptr;
  }
  SendMessageA(dlg, WM_SETFONT, reinterpret_cast<WPARAM>(s->font), 0);
  for (const DialogControlTemplate& it : t->controls) {
    DWORD cs = (it.style | WS_CHILD) & ~WS_POPUP;
    DWORD cex = it.exstyle;
    // Bordered fields get the sunken 3-D edge of a dialog.
    if (is_class(it.window_class, "EDIT") || is_class(it.window_class, "LISTBOX")) {
      if (cs & WS_BORDER) {
        cs &= ~WS_BORDER;
        cex |= WS_EX_CLIENTEDGE;
      }
    }
    if (is_class(it.window_class, "COMBOBOX")) cs &= ~WS_BORDER;
    // An up-down control takes its automatic buddy once it stands in its
    // template place (below): made in front of every other control, it
    // would take the first one.
    const bool autobuddy = is_class(it.window_class, UPDOWN_CLASSA) && (cs & UDS_AUTOBUDDY);
    if (autobuddy) cs &= ~UDS_AUTOBUDDY;
    HWND c = CreateWindowExA(cex, it.window_class.c_str(), it.text.c_str(), cs, dlu_x(s, it.x), dlu_y(s, it.y),
                             dlu_x(s, it.cx), dlu_y(s, it.cy), dlg,
                             reinterpret_cast<HMENU>(static_cast<std::intptr_t>(it.id)), instance, nullptr);
    if (!c) {
      DestroyWindow(dlg);
      return nullptr;
    }
    // New children go in front; template order is kept by sending each to the back.
    SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
    SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(s->font), 0);
    // The automatic buddy is the control made just before, the previous
    // one in the z-order now.
    if (autobuddy) {
      SetWindowLongPtrA(c, GWL_STYLE, GetWindowLongPtrA(c, GWL_STYLE) | static_cast<LONG_PTR>(UDS_AUTOBUDDY));
      SendMessageA(c, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetWindow(c, GW_HWNDPREV)), 0);
    }
  }
  HWND first = first_tab_stop(dlg);
  s->saved_focus = first;
  LRESULT want_focus = SendMessageA(dlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
  if (!IsWindow(dlg)) return nullptr;
  if (!want_focus) s->saved_focus = nullptr;  // the procedure set the focus itself
  if (t->style & WS_VISIBLE) {
    ShowWindow(dlg, SW_SHOW);
    UpdateWindow(dlg);
  }
  return dlg;
}

HWND CreateDialogParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  std::optional<DialogTemplate> t = load_template(instance, name);
  return t ? CreateDialogIndirectParamA(instance, &*t, owner, proc, param) : nullptr;
}

INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, const DialogTemplate* t, HWND owner, DLGPROC proc,
                                LPARAM param) {
  if (!t) return -1;
  DialogTemplate modal = *t;
  modal.style &= ~WS_VISIBLE;
  modal.style &= ~WS_CHILD;
  modal.style |= WS_POPUP;
  HWND dlg = CreateDialogIndirectParamA(instance, &modal, owner, proc, param);
  if (!dlg) return -1;
  DialogState* s = state_of(dlg);
  s->modal = true;
  HWND top_owner = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
  if (!top_owner) top_owner = owner;
  bool owner_was_enabled = top_owner && IsWindowEnabled(top_owner);
  if (!s->ended) {
    if (owner_was_enabled) EnableWindow(top_owner, FALSE);
    ShowWindow(dlg, SW_SHOW);
    SetActiveWindow(dlg);
    UpdateWindow(dlg);
  }
  bool quit = false;
  int quit_code = 0;
  MSG m;
  while (IsWindow(dlg) && !state_of(dlg)->ended) {
    if (!GetMessageA(&m, nullptr, 0, 0)) {
      quit = true;
      quit_code = static_cast<int>(m.wParam);
      break;
    }
    if (!IsDialogMessageA(dlg, &m)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
  INT_PTR result = IsWindow(dlg) ? state_of(dlg)->result : (quit ? 0 : -1);
  if (owner_was_enabled && IsWindow(top_owner)) EnableWindow(top_owner, TRUE);
  if (IsWindow(dlg)) {
    if (top_owner && IsWindow(top_owner) && GetActiveWindow() == dlg) SetActiveWindow(top_owner);
    DestroyWindow(dlg);
  }
  if (quit) PostQuitMessage(quit_code);
  return result;
}

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  std::optional<DialogTemplate> t = load_template(instance, name);
  return t ? DialogBoxIndirectParamA(instance, &*t, owner, proc, param) : -1;
}

BOOL EndDialog(HWND dlg, INT_PTR result) {
  DialogState* s = state_of(dlg);
  if (!s) return FALSE;
  s->ended = true;
  s->result = result;
  if (s->modal) {
    // The owner is enabled again before the dialog disappears, so it can be activated.
    HWND owner = GetWindow(dlg, GW_OWNER);
    if (owner) EnableWindow(owner, TRUE);
    ShowWindow(dlg, SW_HIDE);
  }
  return TRUE;
}

LRESULT DefDlgProcA(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  DialogState* s = state_of(dlg);
  if (!s) return DefWindowProcA(dlg, msg, wp, lp);
  switch (msg) {
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wp);
      RECT c;
      GetClientRect(dlg, &c);
      INT_PTR b = call_proc(dlg, WM_CTLCOLORDLG, wp, reinterpret_cast<LPARAM>(dlg));
      FillRect(dc, &c, b ? reinterpret_cast<HBRUSH>(b) : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_SETFONT: s->font = reinterpret_cast<HFONT>(wp); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_CLOSE: {
      // The close box is Cancel, whether or not a Cancel button exists.
      HWND cancel = GetDlgItem(dlg, IDCANCEL);
      if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return 0;
      }
      PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND f = GetFocus();
        if (f && dialog_child_of(dlg, f)) s->saved_focus = f;
      } else {
        HWND f = s->saved_focus;
        if (!f || !IsWindow(f) || !IsChild(dlg, f)) f = GetNextDlgTabItem(dlg, nullptr, FALSE);
        if (f) focus_control(dlg, f);
        else SetFocus(dlg);
      }
      return 0;
    case WM_SETFOCUS: {
      HWND f = s->saved_focus;
      if (!f || !IsWindow(f) || !IsChild(dlg, f)) f = GetNextDlgTabItem(dlg, nullptr, FALSE);
      if (f) focus_control(dlg, f);
      return 0;
    }
    case WM_SHOWWINDOW:
      if (wp && !s->logged) log_dialog(dlg);
      return DefWindowProcA(dlg, msg, wp, lp);
    case WM_NEXTDLGCTL: {
      HWND target = lp ? reinterpret_cast<HWND>(wp) : GetNextDlgTabItem(dlg, GetFocus(), wp != 0);
      if (target) focus_control(dlg, target);
      return 0;
    }
    case DM_GETDEFID: {
      if (s->def_id) return MAKELPARAM(s->def_id, DC_HASDEFID);
      for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (SendMessageA(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return MAKELPARAM(GetDlgCtrlID(c), DC_HASDEFID);
      return 0;
    }
    case DM_SETDEFID: s->def_id = static_cast<int>(wp); return TRUE;
    case WM_INITDIALOG: return TRUE;
    default: break;
  }
  if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) return 0;
  return DefWindowProcA(dlg, msg, wp, lp);
}

}  // namespace plat
