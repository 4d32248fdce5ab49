// X11 errors about host windows that are already gone. SDL wakes its event
// wait by sending an event to its newest window over a second connection
// to the server; that window may be a menu that closed meanwhile, or the
// main window the server destroyed first (it takes the requests of two
// connections in either order), and the server then answers BadWindow.
// Xlib's default handler ends the program on any error, so a closed menu
// could end it, and the end of the program could fail. Here such a
// BadWindow passes; every other error goes on to Xlib's own handler.
#include <X11/Xlib.h>
#include <dlfcn.h>

#include <cstring>

#include "platform/display/sdl/sdl_state.h"

namespace plat::sdl {

namespace {

// Xlib's handler before ours (Xlib keeps one handler for the process).
XErrorHandler& previous_handler() {
  static XErrorHandler h = nullptr;
  return h;
}

int on_x11_error(Display* display, XErrorEvent* e) {
  if (e->error_code == BadWindow) return 0;
  XErrorHandler previous = previous_handler();
  return previous ? previous(display, e) : 0;
}

using SetHandler = XErrorHandler (*)(XErrorHandler);

// Ours made the handler of the Xlib that `xlib` is.
void install(void* xlib) {
  auto set = reinterpret_cast<SetHandler>(dlsym(xlib, "XSetErrorHandler"));
  if (!set) return;
  XErrorHandler before = set(on_x11_error);
  if (!previous_handler() && before != on_x11_error) previous_handler() = before;
}

}  // namespace

void tolerate_gone_windows_from_start() {
  // Loaded now, the library SDL loads is this one, and the handler SDL
  // keeps to put back as it quits, after its last window is gone and
  // before it reads the last answers of the server, is ours. The library
  // stays loaded to the end of the program.
  if (void* xlib = dlopen("libX11.so.6", RTLD_NOW | RTLD_GLOBAL)) install(xlib);
}

void tolerate_gone_windows() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "x11") != 0) return;
  // SDL has put a handler of its own in front of ours (which goes on to
  // the one before it, so ours would come back to it): ours again, going
  // on to Xlib's.
  void* xlib = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
  if (!xlib) return;
  install(xlib);
  dlclose(xlib);
}

}  // namespace plat::sdl
