// Input routing: host events become window messages. Keys go to the focus
// window (or the active window when nothing has the focus); the mouse goes
// to the capture window, or to the window under the pointer, in client
// coordinates for the client area and as WM_NC* messages with a hit-test
// code elsewhere. What the host does to a window (resize, move, expose,
// close) is applied through the normal window calls; an expose shows the
// window's kept pixels again.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/comctl/comctl.h"
#include "platform/display/display.h"
#include "platform/gdi/dc.h"
#include "platform/user/desktop.h"
#include "platform/user/dialog/dialog.h"
#include "platform/user/menu/menu.h"

namespace plat {

namespace {

constexpr int kDoubleClickDistance = 4;

// Keys of the editing and cursor block are "extended" keys; their twins
// on the numeric pad are not.
bool extended_key(const InputEvent& e) {
  switch (e.vk) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
      return !e.keypad;
    case VK_RETURN: case VK_DIVIDE:
      return e.keypad;
    default:
      return false;
  }
}

LPARAM key_lparam(const InputEvent& e, bool up, bool was_down) {
  DWORD l = 1;  // repeat count
  if (extended_key(e)) l |= 1u << 24;
  if (e.mods & kModAlt) l |= 1u << 29;
  if (was_down || up) l |= 1u << 30;
  if (up) l |= 1u << 31;
  return static_cast<LPARAM>(l);
}

void post_input(HWND hwnd, UINT msg, WPARAM w, LPARAM l, DWORD priv) {
  MSG m;
  m.hwnd = hwnd;
  m.message = msg;
  m.wParam = w;
  m.lParam = l;
  m.time = display_clock_ms();
  m.pt = desktop().cursor_pos;
  m.lPrivate = priv;
  post_message(m, false);
}

HWND keyboard_target() {
  Desktop& d = desktop();
  if (d.focus && IsWindow(d.focus)) return d.focus;
  return d.active;
}

void route_key(const InputEvent& e) {
  Desktop& d = desktop();
  bool down = e.kind == InputKind::key_down;
  bool was_down = (d.async_key_state[e.vk & 0xff] & 0x80) != 0;
  note_async_key(e.vk, down);
  // Alt released after another key (Alt+letter) is a plain key-up: only
  // Alt pressed and released alone asks for the menu bar.
  bool alt_used = e.vk == VK_MENU && !down && !d.alt_alone;
  if (down) d.alt_alone = e.vk == VK_MENU && (was_down ? d.alt_alone : true);
  HWND target = keyboard_target();
  if (!target) return;
  bool alt = (e.mods & kModAlt) != 0 && !(e.mods & kModCtrl);
  // With nothing focused, keys reach the active window as system keys.
  bool sys = (alt || e.vk == VK_MENU || e.vk == VK_F(10) || !d.focus) && !alt_used;
  UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  int ch = -1;
  if (down && e.text.size() == 1) ch = static_cast<unsigned char>(e.text[0]);
  DWORD priv = private_bits(e.mods, ch);
  if (down && ch < 0 && e.text_follows) priv |= kPrivNoChar;
  post_input(target, msg, e.vk, key_lparam(e, !down, was_down), priv);
}

void route_text(const InputEvent& e) {
  HWND target = keyboard_target();
  if (!target) return;
  for (char c : e.text)
    post_input(target, WM_CHAR, static_cast<unsigned char>(c), 1, private_bits(e.mods, -1));
}

WPARAM mouse_key_flags(unsigned mods) {
  Desktop& d = desktop();
  WPARAM w = 0;
  if (d.async_key_state[VK_LBUTTON] & 0x80) w |= MK_LBUTTON;
  if (d.async_key_state[VK_RBUTTON] & 0x80) w |= MK_RBUTTON;
  if (d.async_key_state[VK_MBUTTON] & 0x80) w |= MK_MBUTTON;
  if (mods & kModShift) w |= MK_SHIFT;
  if (mods & kModCtrl) w |= MK_CONTROL;
  return w;
}

UINT button_vk(int button) { return button == 3 ? VK_RBUTTON : button == 2 ? VK_MBUTTON : VK_LBUTTON; }

UINT client_message(InputKind k, int button) {
  if (k == InputKind::mouse_move) return WM_MOUSEMOVE;
  bool down = k == InputKind::mouse_down;
  if (button == 3) return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
  if (button == 2) return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
  return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
}

// Moving or sizing a window while its caption or border is dragged.
void drag_to(POINT pt) {
  Desktop& d = desktop();
  HWND w = d.dragging;
  if (!IsWindow(w)) {
    d.dragging = nullptr;
    return;
  }
  LONG dx = pt.x - d.drag_start.x, dy = pt.y - d.drag_start.y;
  RECT r = d.drag_rect;
  LRESULT h = d.drag_hit;
  if (h == HTCAPTION) {
    SetWindowPos(w, nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  if (h == HTLEFT || h == HTTOPLEFT || h == HTBOTTOMLEFT) r.left += dx;
  if (h == HTRIGHT || h == HTTOPRIGHT || h == HTBOTTOMRIGHT) r.right += dx;
  if (h == HTTOP || h == HTTOPLEFT || h == HTTOPRIGHT) r.top += dy;
  if (h == HTBOTTOM || h == HTBOTTOMLEFT || h == HTBOTTOMRIGHT) r.bottom += dy;
  int minw = GetSystemMetrics(SM_CXMIN), minh = GetSystemMetrics(SM_CYMIN);
  if (rect_width(r) < minw) (h == HTLEFT || h == HTTOPLEFT || h == HTBOTTOMLEFT) ? r.left = r.right - minw : r.right = r.left + minw;
  if (rect_height(r) < minh) (h == HTTOP || h == HTTOPLEFT || h == HTTOPRIGHT) ? r.top = r.bottom - minh : r.bottom = r.top + minh;
  SetWindowPos(w, nullptr, r.left, r.top, rect_width(r), rect_height(r), SWP_NOZORDER | SWP_NOACTIVATE);
}

void route_mouse(const InputEvent& e) {
  Desktop& d = desktop();
  HWND top = e.window && IsWindow(e.window) ? e.window : nullptr;
  POINT pt = e.pos;
  if (top) pt = POINT{top->rect.left + e.pos.x, top->rect.top + e.pos.y};
  d.cursor_pos = pt;
  if (e.kind != InputKind::mouse_move) note_async_key(button_vk(e.button), e.kind == InputKind::mouse_down);
  if (e.kind == InputKind::mouse_down) d.alt_alone = false;

  if (d.dragging) {
    // The window follows the pointer where the host says it is now: a
    // position relative to the window that was queued before the window's
    // last move would count that move again. Told so, the release puts the
    // window there too (a move the host left out on the way), and so does
    // any event once the button is up (a release the host lost).
    bool held = true;
    const bool told = display_pointer_position(&pt, &held);
    if (told) d.cursor_pos = pt;
    if (e.kind != InputKind::mouse_up || told) drag_to(pt);
    if (e.kind == InputKind::mouse_up || !held) d.dragging = nullptr;
    return;
  }

  HWND target = d.capture;
  LRESULT hit = HTCLIENT;
  if (!target) {
    target = WindowFromPoint(pt);
    if (!target) return;
    hit = SendMessageA(target, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    if (!IsWindow(target)) return;
  }
  HWND target_top = top_level_of(target);
  if (!IsWindowEnabled(target_top)) {
    // A window disabled by a modal one takes no input; a click says so.
    if (e.kind == InputKind::mouse_down) MessageBeep(MB_OK);
    return;
  }
  if (!IsWindowEnabled(target)) return;
  bool eaten = false;
  if (e.kind == InputKind::mouse_down) {
    // The window clicked (or, through DefWindowProcA, an ancestor) says
    // whether the press activates and whether it is passed on.
    LRESULT how = MA_ACTIVATE;
    if (!d.capture) {
      how = SendMessageA(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(target_top),
                         MAKELPARAM(static_cast<int>(hit), static_cast<int>(client_message(e.kind, e.button))));
      if (!IsWindow(target)) return;
    }
    eaten = how == MA_ACTIVATEANDEAT || how == MA_NOACTIVATEANDEAT;
    const bool activate = how != MA_NOACTIVATE && how != MA_NOACTIVATEANDEAT;
    if (activate && d.active != target_top && IsWindow(target_top)) activate_window(target_top, WA_CLICKACTIVE);
  }
  if (!IsWindow(target) || eaten) return;

  if (!d.capture) {
    // The window under the pointer chooses the cursor shape first.
    SendMessageA(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                 MAKELPARAM(static_cast<int>(hit), static_cast<int>(client_message(e.kind, e.button))));
    if (!IsWindow(target)) return;
  }
  WPARAM keys = mouse_key_flags(e.mods);
  DWORD priv = private_bits(e.mods, -1);
  UINT msg = client_message(e.kind, e.button);
  // A second press soon after the first at the same place is a double
  // click: in the client for classes that ask for them, and on a caption
  // (which maximises or restores the window).
  UINT nc = msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
  if (e.kind == InputKind::mouse_down) {
    const UINT which = hit == HTCLIENT ? msg : nc;
    DWORD now = display_clock_ms();
    bool dbl = d.last_click_window == target && d.last_click_message == which &&
               now - d.last_click_time <= GetDoubleClickTime() &&
               std::abs(pt.x - d.last_click_pos.x) <= kDoubleClickDistance &&
               std::abs(pt.y - d.last_click_pos.y) <= kDoubleClickDistance;
    if (dbl && (hit == HTCLIENT ? (target->cls->style & CS_DBLCLKS) != 0 : hit == HTCAPTION)) {
      msg += 2;  // WM_xBUTTONDOWN -> WM_xBUTTONDBLCLK
      nc += 2;
      d.last_click_window = nullptr;
    } else {
      d.last_click_window = target;
      d.last_click_message = which;
      d.last_click_time = now;
      d.last_click_pos = pt;
    }
  }
  if (hit == HTCLIENT) {
    POINT c = pt;
    ScreenToClient(target, &c);
    post_input(target, msg, keys, MAKELPARAM(c.x, c.y), priv);
  } else {
    post_input(target, nc, static_cast<WPARAM>(hit), MAKELPARAM(pt.x, pt.y), priv);
  }
}

// The wheel turns what is under the pointer (or what holds the mouse),
// as on any desktop, whatever has the keyboard. A window that does not
// scroll passes it on to its parent (DefWindowProcA).
void route_wheel(const InputEvent& e) {
  Desktop& d = desktop();
  HWND top = e.window && IsWindow(e.window) ? e.window : nullptr;
  POINT pt = e.pos;
  if (top) pt = POINT{top->rect.left + e.pos.x, top->rect.top + e.pos.y};
  d.cursor_pos = pt;
  HWND target = d.capture ? d.capture : WindowFromPoint(pt);
  if (!target || !IsWindowEnabled(top_level_of(target))) return;
  while (target && !IsWindowEnabled(target)) target = target->parent;
  if (!target) return;
  // The turn travels in 16 signed bits: at most 273 notches of 120 at once.
  const int turn = std::clamp(e.wheel, -32760, 32760);
  const WPARAM w = MAKEWPARAM(static_cast<WORD>(mouse_key_flags(e.mods)), static_cast<WORD>(static_cast<short>(turn)));
  post_input(target, WM_MOUSEWHEEL, w, MAKELPARAM(pt.x, pt.y), private_bits(e.mods, -1));
}

HWND host_target(const InputEvent& e) {
  if (e.window && IsWindow(e.window)) return e.window;
  return desktop().active;
}

// The host moved or sized a window (its window manager, or the host
// reporting a request of ours): the window takes that place, and the host
// is told only where the window ends elsewhere (kept to its least size).
void take_host_geometry(HWND w, const InputEvent& e) {
  const bool move = e.kind == InputKind::host_move;
  w->placed_by_host = true;
  if (move) SetWindowPos(w, nullptr, e.rect.left, e.rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  else SetWindowPos(w, nullptr, 0, 0, rect_width(e.rect), rect_height(e.rect), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (!IsWindow(w)) return;
  w->placed_by_host = false;
  const RECT& r = w->rect;
  const bool elsewhere = move ? r.left != e.rect.left || r.top != e.rect.top
                              : rect_width(r) != rect_width(e.rect) || rect_height(r) != rect_height(e.rect);
  if (elsewhere) tell_host_geometry(w);
}

void deliver(const InputEvent& e) { desktop().input.push_back(e); }

HWND hook_active() { return desktop().active; }

HWND hook_find(const std::string& title) {
  for (HWND w : desktop().top_level)
    if ((w->style & WS_VISIBLE) && w->title == title) return w;
  return nullptr;
}

bool hook_client_to_frame(HWND hwnd, POINT* pt) {
  if (!IsWindow(hwnd) || !pt) return false;
  POINT o = client_origin_on_screen(hwnd);
  HWND top = top_level_of(hwnd);
  pt->x += o.x - top->rect.left;
  pt->y += o.y - top->rect.top;
  return true;
}

HWND hook_top_level(HWND hwnd) { return IsWindow(hwnd) ? top_level_of(hwnd) : nullptr; }

RECT hook_close_box(HWND hwnd) { return IsWindow(hwnd) ? close_box_rect(hwnd) : RECT{}; }

}  // namespace

void route_event(const InputEvent& e) {
  switch (e.kind) {
    case InputKind::key_down:
    case InputKind::key_up: route_key(e); break;
    case InputKind::text: route_text(e); break;
    case InputKind::mouse_move:
    case InputKind::mouse_down:
    case InputKind::mouse_up: route_mouse(e); break;
    case InputKind::mouse_wheel: route_wheel(e); break;
    case InputKind::host_resize:
    case InputKind::host_move:
      if (HWND w = host_target(e)) take_host_geometry(w, e);
      break;
    case InputKind::host_expose:
      // Every top-level window keeps its whole surface: what the host lost
      // is shown again from it, without asking the program to draw (it may
      // be inside a menu or a dialog and unable to).
      if (HWND w = host_target(e)) top_level_of(w)->dirty = true;
      break;
    case InputKind::repaint:
      if (HWND w = host_target(e)) RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      break;
    case InputKind::host_minimise:
      // An owned window goes to its icon with its owner (the host's window
      // manager takes the whole family): it stays as it is here, and comes
      // back when the owner does. The host has iconified the window already
      // and is not asked to again: a request that reached it late would
      // iconify the window once more after the user had brought it back.
      if (HWND w = host_target(e); w && !IsIconic(w) && !w->owner) {
        w->iconic_on_host = true;
        w->shown_on_host = false;
        ShowWindow(w, SW_MINIMIZE);
      }
      break;
    case InputKind::host_restore:
      if (HWND w = host_target(e); w && IsIconic(w)) ShowWindow(w, SW_RESTORE);
      break;
    case InputKind::host_close:
      if (HWND w = host_target(e)) PostMessageA(w, WM_CLOSE, 0, 0);
      break;
    case InputKind::host_lost:
      std::fprintf(stderr, "display: the connection to the display was lost; ending\n");
      std::fflush(stderr);
      std::exit(3);
  }
}

void install_desktop_hooks() {
  DesktopHooks h;
  h.deliver = deliver;
  h.active_window = hook_active;
  h.find_window = hook_find;
  h.client_to_frame = hook_client_to_frame;
  h.top_level_of = hook_top_level;
  h.close_box = hook_close_box;
  h.control_point = script_control_point;
  h.menu_steps = script_menu_steps;
  h.toolbar_point = script_toolbar_point;
  display_set_hooks(h);
  // The drawing layer learns the screen it draws for.
  int w = 0, hh = 0, bits = 0;
  display_screen_info(&w, &hh, &bits);
  SetDisplaySize(w, hh);
  SetDisplayColourDepth(bits);
}

}  // namespace plat
