// Activation of top-level windows, keyboard focus and mouse capture.
//
// Order of the messages when the active window changes from A to B:
// A gets WM_NCACTIVATE(FALSE) and WM_ACTIVATE(WA_INACTIVE, B); the focus
// window inside A gets WM_KILLFOCUS; B gets WM_NCACTIVATE(TRUE) and
// WM_ACTIVATE(WA_ACTIVE, A), whose default handling gives B the focus
// (WM_SETFOCUS).
#include "platform/display/display.h"
#include "platform/user/desktop.h"

namespace plat {

void activate_window(HWND hwnd, WPARAM how) {
  Desktop& d = desktop();
  if (hwnd && !IsWindow(hwnd)) return;
  if (hwnd) hwnd = top_level_of(hwnd);
  // A window disabled by its modal dialog or box hands activation on to it
  // (as when the host restores or raises the owner while the dialog is open).
  if (hwnd && !IsWindowEnabled(hwnd))
    if (HWND popup = enabled_owned_popup(hwnd)) hwnd = popup;
  HWND old = d.active;
  if (old == hwnd) return;
  d.active = hwnd;
  if (old && IsWindow(old)) {
    SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
    if (IsWindow(old)) SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), reinterpret_cast<LPARAM>(hwnd));
    if (d.focus && IsWindow(d.focus) && top_level_of(d.focus) == old) {
      HWND f = d.focus;
      d.focus = nullptr;
      SendMessageA(f, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    }
  }
  if (d.active != hwnd) return;  // a handler changed it meanwhile
  if (hwnd) {
    auto& v = d.top_level;
    if (!v.empty() && v.front() != hwnd) BringWindowToTop(hwnd);
    if (hwnd->shown_on_host) display_window_raised(hwnd);
    SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
    if (IsWindow(hwnd) && d.active == hwnd)
      SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(hwnd) ? 1 : 0), reinterpret_cast<LPARAM>(old));
  }
}

HWND SetActiveWindow(HWND hwnd) {
  if (!IsWindow(hwnd) || !is_top_level(hwnd)) return nullptr;
  HWND old = desktop().active;
  activate_window(hwnd, WA_ACTIVE);
  return old;
}

HWND GetActiveWindow() { return desktop().active; }
HWND GetForegroundWindow() { return desktop().active; }
BOOL SetForegroundWindow(HWND hwnd) { return SetActiveWindow(hwnd) || GetActiveWindow() == hwnd; }

HWND SetFocus(HWND hwnd) {
  Desktop& d = desktop();
  HWND old = d.focus;
  if (hwnd && !IsWindow(hwnd)) return nullptr;
  if (hwnd == old) return old;
  if (hwnd) {
    // Focus goes with activation: the window's top-level must be active.
    HWND top = top_level_of(hwnd);
    if (IsIconic(top)) return nullptr;
    if (d.active != top) {
      activate_window(top, WA_ACTIVE);
      if (!IsWindow(hwnd) || d.active != top) return nullptr;
      old = d.focus;
      if (old == hwnd) return old;
    }
  }
  d.focus = hwnd;
  if (old && IsWindow(old)) SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (hwnd && IsWindow(hwnd) && d.focus == hwnd)
    SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old && IsWindow(old) ? old : nullptr), 0);
  return old && IsWindow(old) ? old : nullptr;
}

HWND GetFocus() { return desktop().focus; }

HWND SetCapture(HWND hwnd) {
  Desktop& d = desktop();
  HWND old = d.capture;
  if (!IsWindow(hwnd)) return nullptr;
  d.capture = hwnd;
  if (old && old != hwnd && IsWindow(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return old;
}

BOOL ReleaseCapture() {
  Desktop& d = desktop();
  HWND old = d.capture;
  d.capture = nullptr;
  if (old && IsWindow(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return desktop().capture; }

void focus_lost_with(HWND hwnd) {
  Desktop& d = desktop();
  if (d.focus && (d.focus == hwnd || IsChild(hwnd, d.focus))) {
    HWND f = d.focus;
    // A child that goes away leaves the focus with its top-level window's
    // nothing; a top-level window's focus leaves with its activation.
    d.focus = nullptr;
    SendMessageA(f, WM_KILLFOCUS, 0, 0);
  }
  if (d.capture && (d.capture == hwnd || IsChild(hwnd, d.capture))) ReleaseCapture();
}

}  // namespace plat
