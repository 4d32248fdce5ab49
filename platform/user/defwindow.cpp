// Default handling of window messages (DefWindowProcA): window text, the
// frame's mouse clicks (move, size, minimise, maximise, close), system
// commands, closing, activation, painting and background erasing.
#include <cstring>

#include "platform/display/display.h"
#include "platform/user/desktop.h"
#include "platform/user/menu/menu.h"

namespace plat {

namespace {

void set_title(HWND hwnd, const char* text) {
  hwnd->title = text ? text : "";
  if (is_top_level(hwnd)) {
    if (hwnd->shown_on_host) display_window_title(hwnd, hwnd->title);
    if (!rect_empty(caption_rect(hwnd))) {
      hwnd->frame_pending = true;
      if (really_visible(hwnd)) nc_paint(hwnd), hwnd->frame_pending = false;
    }
  }
}

void start_drag(HWND hwnd, LRESULT hit) {
  Desktop& d = desktop();
  HWND top = top_level_of(hwnd);
  if (hwnd != top && hit == HTCAPTION) top = hwnd;  // a captioned child moves itself
  if (IsZoomed(top) || IsIconic(top)) return;
  d.dragging = top;
  d.drag_hit = hit;
  d.drag_start = d.cursor_pos;
  d.drag_rect = top->rect;
}

LRESULT nc_button_down(HWND hwnd, WPARAM hit) {
  switch (static_cast<LRESULT>(hit)) {
    case HTCLOSE: return SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    case HTMINBUTTON:
      if (hwnd->style & WS_MINIMIZEBOX) SendMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      return 0;
    case HTMAXBUTTON:
      if (hwnd->style & WS_MAXIMIZEBOX) SendMessageA(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
      return 0;
    case HTCAPTION:
      if (IsIconic(hwnd)) return SendMessageA(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
      start_drag(hwnd, HTCAPTION);
      return 0;
    case HTLEFT: case HTRIGHT: case HTTOP: case HTBOTTOM:
    case HTTOPLEFT: case HTTOPRIGHT: case HTBOTTOMLEFT: case HTBOTTOMRIGHT:
      start_drag(hwnd, static_cast<LRESULT>(hit));
      return 0;
    default: return 0;
  }
}

LRESULT sys_command(HWND hwnd, WPARAM cmd, LPARAM lparam) {
  switch (cmd & 0xFFF0) {
    case SC_CLOSE:
      if (hwnd->cls && (hwnd->cls->style & CS_NOCLOSE)) return 0;
      return SendMessageA(hwnd, WM_CLOSE, 0, 0);
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); return 0;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
    case SC_MOVE: keyboard_move_size(hwnd, false); return 0;
    case SC_SIZE:
      if (hwnd->style & WS_THICKFRAME) keyboard_move_size(hwnd, true);
      return 0;
    case SC_KEYMENU:  // the menu bar from the keyboard: Alt or F10 (0), or Alt with a letter
      menu_bar_track_keys(hwnd, static_cast<char>(lparam));
      return 0;
    default: return 0;
  }
}

// The pointer's shape: the parent may choose for its children; else the
// class cursor of the window under the pointer in its client, sizing arrows over the sizing border and its
// corners, the arrow over the rest of the frame.
LRESULT set_cursor(HWND hwnd, WPARAM wparam, LPARAM lparam) {
  if (hwnd->parent && SendMessageA(hwnd->parent, WM_SETCURSOR, wparam, lparam)) return TRUE;
  const int hit = static_cast<short>(LOWORD(lparam));
  if (hit == HTCLIENT) {
    // The class cursor of the window the pointer is over (wParam).
    HWND under = reinterpret_cast<HWND>(wparam);
    if (!IsWindow(under)) under = hwnd;
    if (!under->cls || !under->cls->cursor) return FALSE;
    SetCursor(under->cls->cursor);
    return TRUE;
  }
  if (hit == HTERROR || hit == HTNOWHERE || hit == HTTRANSPARENT) return FALSE;
  LPCSTR shape = IDC_ARROW;
  switch (hit) {
    case HTLEFT: case HTRIGHT: shape = IDC_SIZEWE; break;
    case HTTOP: case HTBOTTOM: shape = IDC_SIZENS; break;
    case HTTOPLEFT: case HTBOTTOMRIGHT: shape = IDC_SIZENWSE; break;
    case HTTOPRIGHT: case HTBOTTOMLEFT: shape = IDC_SIZENESW; break;
    default: break;
  }
  SetCursor(LoadCursorA(nullptr, shape));
  return TRUE;
}

LRESULT erase_background(HWND hwnd, HDC dc) {
  HBRUSH brush = hwnd->cls ? hwnd->cls->background : nullptr;
  if (!brush || !dc) return 0;
  RECT r;
  GetClientRect(hwnd, &r);
  fill_with_class_brush(dc, r, brush);
  return 1;
}

}  // namespace

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (!IsWindow(hwnd)) return 0;
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lparam);
      if (cs && cs->lpszName) hwnd->title = cs->lpszName;
      return TRUE;
    }
    case WM_SETTEXT:
      set_title(hwnd, reinterpret_cast<const char*>(lparam));
      return TRUE;
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<char*>(lparam);
      if (!buf || wparam == 0) return 0;
      std::size_t n = hwnd->title.size();
      if (n > wparam - 1) n = wparam - 1;
      std::memcpy(buf, hwnd->title.data(), n);
      buf[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(hwnd->title.size());
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSCOMMAND: return sys_command(hwnd, wparam, lparam);
    case WM_NCHITTEST: return nc_hit_test(hwnd, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
    case WM_NCLBUTTONDOWN:
      if (static_cast<LRESULT>(wparam) == HTSYSMENU) {
        system_menu_track(hwnd, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        return 0;
      }
      if (static_cast<LRESULT>(wparam) == HTMENU) {
        menu_bar_track_mouse(hwnd, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        return 0;
      }
      return nc_button_down(hwnd, wparam);
    case WM_NCLBUTTONDBLCLK:
      if (static_cast<LRESULT>(wparam) == HTSYSMENU) return SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      if (static_cast<LRESULT>(wparam) == HTCAPTION && (hwnd->style & WS_MAXIMIZEBOX))
        return SendMessageA(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
      return 0;
    case WM_SYSKEYDOWN:
      if (wparam == VK_F(4) && (lparam & (1 << 29)))
        return SendMessageA(top_level_of(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_SYSKEYUP:
      // Alt or F10 alone asks for the menu bar from the keyboard.
      if (wparam == VK_MENU || wparam == VK_F(10)) return SendMessageA(top_level_of(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
      return 0;
    case WM_SYSCHAR:
      // Alt with a letter: the menu bar's mnemonic.
      return SendMessageA(top_level_of(hwnd), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wparam));
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE && !HIWORD(wparam)) {
        HWND f = desktop().focus;
        if (!f || top_level_of(f) != hwnd) SetFocus(hwnd);
      }
      return 0;
    case WM_NCACTIVATE:
      hwnd->caption_active = wparam != 0;
      if (really_visible(hwnd)) nc_paint(hwnd);
      return TRUE;
    case WM_NCPAINT:
      nc_paint(hwnd);
      return 0;
    case WM_ERASEBKGND: return erase_background(hwnd, reinterpret_cast<HDC>(wparam));
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_MOUSEACTIVATE:
      // A child lets its parent decide first; the first answer that is not 0 counts.
      if (hwnd->parent) {
        if (LRESULT r = SendMessageA(hwnd->parent, WM_MOUSEACTIVATE, wparam, lparam)) return r;
      }
      return MA_ACTIVATE;
    case WM_MOUSEWHEEL:
      // What does not scroll lets its parent scroll.
      if (hwnd->parent) return SendMessageA(hwnd->parent, WM_MOUSEWHEEL, wparam, lparam);
      return 0;
    case WM_SETCURSOR: return set_cursor(hwnd, wparam, lparam);
    default: return 0;
  }
}

}  // namespace plat
