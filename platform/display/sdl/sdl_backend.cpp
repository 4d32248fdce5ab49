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

}  // namespace

bool sdl_backend_create(DisplayBackend* out, std::string* why) {
  const char* x = std::getenv("DISPLAY");
  const char* wl = std::getenv("WAYLAND_DISPLAY");
  if ((!x || !*x) && (!wl || !*wl)) {
    *why = "no display (DISPLAY is not set)";
    return false;
  }
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    *why = std::string("SDL cannot start its video: ") + SDL_GetError();
    return false;
  }
  auto* s = new sdl::State;
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
      .z_order = nullptr,
      .pump_events = sdl::pump_events,
      .screen_info = screen_info,
      .beep = beep,
      .clock_ms = clock_ms,
      .log = nullptr,
  };
  return true;
}

}  // namespace plat
