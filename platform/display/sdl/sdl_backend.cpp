// The SDL display backend: registration, the screen, the bell and the clock.
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "platform/display/sdl/sdl_state.h"

namespace plat {

namespace {

void shutdown(void* p) {
  auto* s = sdl::state_of(p);
  for (auto& [w, h] : s->windows)
    if (h.sdl) SDL_DestroyWindow(h.sdl);
  for (auto& [id, c] : s->cursors) SDL_FreeCursor(c);
  sdl::xlib_close(s->x11);
  delete s;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  SDL_Quit();
}

void screen_info(void* p, int* w, int* h, int* bits) {
  auto* s = sdl::state_of(p);
  *w = s->screen_w;
  *h = s->screen_h;
  *bits = s->bits;
}

void beep(void*, UINT) {
  // SDL has no bell; a terminal that shows the program's output rings.
  if (isatty(2)) std::fputs("\a", stderr);
}

DWORD clock_ms(void*) { return static_cast<DWORD>(SDL_GetTicks()); }

SDL_SystemCursor sdl_cursor_of(int id) {
  switch (id) {
    case 32513: return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514: return SDL_SYSTEM_CURSOR_WAIT;
    case 32515: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32642: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643: return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644: return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645: return SDL_SYSTEM_CURSOR_SIZENS;
    case 32646: return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648: return SDL_SYSTEM_CURSOR_NO;
    case 32650: return SDL_SYSTEM_CURSOR_WAITARROW;
    default: return SDL_SYSTEM_CURSOR_ARROW;
  }
}

void set_cursor(void* p, int id) {
  auto* s = sdl::state_of(p);
  SDL_Cursor*& c = s->cursors[id];
  if (!c) c = SDL_CreateSystemCursor(sdl_cursor_of(id));
  if (c) SDL_SetCursor(c);
}

bool pointer_position(void* p, POINT* screen, bool* left_held) {
  auto* s = sdl::state_of(p);
  int x = 0, y = 0;
  if (!sdl::x11_pointer(s->x11, s->windows.empty() ? nullptr : s->windows.begin()->second.sdl, &x, &y, left_held))
    *left_held = (SDL_GetGlobalMouseState(&x, &y) & SDL_BUTTON_LMASK) != 0;
  *screen = POINT{x, y};
  return true;
}

}  // namespace

bool sdl_backend_create(DisplayBackend* out, std::string* why) {
  const char* x = std::getenv("DISPLAY");
  const char* wl = std::getenv("WAYLAND_DISPLAY");
  if ((!x || !*x) && (!wl || !*wl)) {
    *why = "no display (DISPLAY is not set)";
    return false;
  }
  // SIGTERM and SIGINT end the program as they do on every display (SDL
  // would turn them into a quit event), and the windows only show pixels
  // we have drawn: no OpenGL is loaded to copy them.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // A press that comes right behind the window's gaining the keyboard is a
  // press like any other: the window layer decides what a click on an
  // inactive window does (SDL would drop one that it handles within 10 ms
  // of the focus, a whole caption drag's press on a busy machine).
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  sdl::tolerate_gone_windows_from_start();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    *why = std::string("SDL cannot start its video: ") + SDL_GetError();
    return false;
  }
  sdl::tolerate_gone_windows();
  auto* s = new sdl::State;
  s->x11 = sdl::xlib_open();
  // On X the mouse buttons as the server reports them (see RawButton).
  if (s->x11) SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  SDL_DisplayMode mode;
  if (SDL_GetCurrentDisplayMode(0, &mode) == 0) {
    s->screen_w = mode.w;
    s->screen_h = mode.h;
    int bits = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
    s->bits = bits >= 24 ? 32 : bits;
  }
  SDL_StartTextInput();
  *out = DisplayBackend{
      .self = s,
      .shutdown = shutdown,
      .window_shown = sdl::window_shown,
      .window_hidden = sdl::window_hidden,
      .window_minimised = sdl::window_minimised,
      .window_destroyed = sdl::window_destroyed,
      .window_title = sdl::window_title,
      .window_geometry = sdl::window_geometry,
      .window_raised = sdl::window_raised,
      .present = sdl::present,
      .z_order = sdl::z_order,
      .pump_events = sdl::pump_events,
      .screen_info = screen_info,
      .set_cursor = set_cursor,
      .pointer_position = pointer_position,
      .beep = beep,
      .clock_ms = clock_ms,
      .log = nullptr,
      .clipboard_set = sdl::clipboard_set,
      .clipboard_get = sdl::clipboard_get,
  };
  return true;
}

}  // namespace plat
