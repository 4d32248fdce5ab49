// State of the SDL backend shared by its files: one host window per
// top-level window. Our frame is drawn by us, so each host window is
// borderless and exactly as large as the window's outer rectangle; host
// mouse positions are then frame-relative as they are.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/display/backend.h"

namespace plat::sdl {

struct HostWindow {
  SDL_Window* sdl = nullptr;
  HWND window = nullptr;
  bool exposed_once = false;  // the first expose of a new window is its map, not damage
  // The host has nothing of what was presented before (new, resized,
  // exposed, shown again): the next present sends every pixel.
  bool present_whole = true;
  SDL_Surface* presented_on = nullptr;  // the host surface of the last present
  // Whether our pixels go straight into the X window (-1: not yet asked);
  // then the host keeps no copy of them, and what was presented is known
  // by a fingerprint of each row instead.
  int put_straight = -1;
  std::vector<std::uint64_t> row_prints;
  // Where we last asked the host to put the window. SDL's own idea of the
  // place follows the host's reports, which may be of an earlier request
  // still (a quick drag asks for a place before the last one is reported).
  SDL_Rect asked{0, 0, 0, 0};
};

struct XlibCalls;  // sdl_x11_host.cpp

struct State {
  std::map<HWND, HostWindow> windows;
  std::map<Uint32, HWND> by_id;
  int screen_w = 1024, screen_h = 768, bits = 32;
  std::map<int, SDL_Cursor*> cursors;  // system cursors made so far
  HWND active = nullptr;  // the window that holds the host's keyboard focus
  // When one of our host windows last gained the keyboard, while nothing
  // else has come since (see sdl_events.cpp).
  bool focus_just_gained = false;
  Uint32 focus_gained_at = 0;
  XlibCalls* x11 = nullptr;  // null where the video driver is not X11
  // The right Alt key is AltGr in the host's layout: it types, it is never Alt.
  bool right_alt_is_altgr = false;
  // The window of the last button press: the host gives it the release
  // too, but SDL names no window for it once the pointer has left the
  // window (a quick drag leaves it before the window follows).
  Uint32 pressed_in = 0;
  // On X (x11 set) the buttons come from the server's events (see
  // RawButton), and our windows are known by their X window too.
  std::map<unsigned long, HWND> by_xid;
};

inline State* state_of(void* p) { return static_cast<State*>(p); }

// sdl_window.cpp
void window_shown(void* p, const HostWindowInfo& info);
void window_hidden(void* p, HWND w);
void window_minimised(void* p, HWND w);
void window_destroyed(void* p, HWND w);
void window_title(void* p, HWND w, const std::string& title);
void window_geometry(void* p, HWND w, RECT r);
void window_raised(void* p, HWND w);
void present(void* p, HWND w, const Surface& s);
void z_order(void* p, const HWND* front_to_back, int count);

// sdl_x11_errors.cpp: on X11, a request about a host window that is
// already gone does not end the program, nor fail its end: the first before
// SDL starts its video, the second once it has.
void tolerate_gone_windows_from_start();
void tolerate_gone_windows();

// sdl_x11_host.cpp: what is asked of Xlib directly (each does nothing
// without X11).
XlibCalls* xlib_open();
void xlib_close(XlibCalls* x);
// `window` (not yet mapped) is owned by `owner`: transient for it, a dialog,
// modal when `modal`.
void x11_own(const XlibCalls* x, SDL_Window* window, SDL_Window* owner, bool modal);
// Whether a window manager manages the screen of `any` (true off X11).
bool x11_managed(const XlibCalls* x, SDL_Window* any);
// Stacks the windows as given, front first (only where nothing manages them).
void x11_restack(const XlibCalls* x, SDL_Window* const* front_to_back, int count);
bool x11_right_alt_is_altgr(const XlibCalls* x, SDL_Window* any);
// Whether the window takes our 0x00RRGGBB pixels as they are (a 24-bit
// true-colour window with 32-bit pixels); then x11_put sends the rows
// [top, bottom) of a surface as large as the window straight to it, and
// x11_flush sends what was put.
bool x11_can_put(const XlibCalls* x, SDL_Window* window);
void x11_put(const XlibCalls* x, SDL_Window* window, const Surface& s, int top, int bottom);
void x11_flush(const XlibCalls* x, SDL_Window* any);
// Where the pointer is on the screen of `any` now, asked of the server
// (false off X11).
bool x11_pointer(const XlibCalls* x, SDL_Window* any, int* screen_x, int* screen_y, bool* left_held);
// A mouse button pressed or released, as the X server reported it to one of
// our windows: SDL drops a press while it holds the button down from a
// release it never saw, so on X the buttons are taken from the server's
// own events.
struct RawButton {
  unsigned long window = 0;  // the X window
  int x = 0, y = 0;          // relative to it
  int button = 0;            // SDL_BUTTON_LEFT, _MIDDLE or _RIGHT (X numbers them alike)
  bool pressed = false;
};
// Whether `ev` (SDL's copy of an X event) is a press or release of the
// left, middle or right button.
bool x11_button(const SDL_Event& ev, RawButton* out);
// The X window of `window` (0 off X11).
unsigned long x11_window_id(SDL_Window* window);
// Whether the window manager holds `window` iconified (true off X11, where
// the host's minimise event is taken as it comes).
bool x11_iconic(const XlibCalls* x, SDL_Window* window);

// sdl_events.cpp
void pump_events(void* p, const DesktopHooks& hooks, int timeout_ms);

// sdl_clipboard.cpp: the host's clipboard, in code page 1250 on our side.
void clipboard_set(void* p, const std::string& text);
std::string clipboard_get(void* p);

// sdl_wheel.cpp: a turn of the mouse wheel.
void wheel_event(State* s, const SDL_MouseWheelEvent& w, const DesktopHooks& hooks);

// sdl_keys.cpp: the virtual key of a host key (0 for none) and whether it is on the keypad.
UINT vk_of(SDL_Keycode sym, bool* keypad);

}  // namespace plat::sdl
