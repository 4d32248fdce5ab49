// X11 errors about host windows that are already gone. SDL wakes its event
// wait by sending an event to its newest window over a second connection
// to the server; that window may be a menu that closed meanwhile, and the
// server then answers BadWindow. Xlib's default handler ends the program
// on any error, so a closed menu could end it. Here such a BadWindow
// passes; every other error goes on to the handler that was there before.
#include <X11/Xlib.h>
#include <dlfcn.h>

#include <cstring>

#include "platform/display/sdl/sdl_state.h"

namespace plat::sdl {

namespace {

// The handler ours replaced (Xlib keeps one handler for the process).
XErrorHandler& previous_handler() {
  static XErrorHandler h = nullptr;
  return h;
}

int on_x11_error(Display* display, XErrorEvent* e) {
  if (e->error_code == BadWindow) return 0;
  XErrorHandler previous = previous_handler();
  return previous ? previous(display, e) : 0;
}

}  // namespace

void tolerate_gone_windows() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "x11") != 0) return;
  // SDL loads Xlib itself, privately: ask that same library.
  void* xlib = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
  if (!xlib) return;
  using SetHandler = XErrorHandler (*)(XErrorHandler);
  auto set = reinterpret_cast<SetHandler>(dlsym(xlib, "XSetErrorHandler"));
  if (set && previous_handler() == nullptr) previous_handler() = set(on_x11_error);
  dlclose(xlib);
}

}  // namespace plat::sdl
