// What SDL does not say about the X server, asked of Xlib directly: a
// dialog owned by its owner (transient for it, of the dialog type, modal
// where it is shown modal), whether a window manager runs (without one
// nothing can iconify a window, and stacking is ours to keep), the
// stacking of our windows on a bare server, whether the right Alt key is
// AltGr in the host's keyboard layout, and our pixels put straight into a
// window.
//
// SDL loads Xlib itself, privately; the calls are taken from that same
// library. On any other video driver every function here does nothing.
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/display/sdl/sdl_state.h"

namespace plat::sdl {

struct XlibCalls {
  Atom (*intern_atom)(Display*, const char*, Bool) = nullptr;
  int (*change_property)(Display*, ::Window, Atom, Atom, int, int, const unsigned char*, int) = nullptr;
  int (*set_transient_for_hint)(Display*, ::Window, ::Window) = nullptr;
  int (*restack_windows)(Display*, ::Window*, int) = nullptr;
  ::Window (*get_selection_owner)(Display*, Atom) = nullptr;
  KeySym* (*get_keyboard_mapping)(Display*, KeyCode, int, int*) = nullptr;
  int (*display_keycodes)(Display*, int*, int*) = nullptr;
  int (*free)(void*) = nullptr;
  int (*flush)(Display*) = nullptr;
  Status (*get_window_attributes)(Display*, ::Window, XWindowAttributes*) = nullptr;
  XPixmapFormatValues* (*list_pixmap_formats)(Display*, int*) = nullptr;
  Status (*init_image)(XImage*) = nullptr;
  int (*put_image)(Display*, Drawable, GC, XImage*, int, int, int, int, unsigned, unsigned) = nullptr;
  Bool (*query_pointer)(Display*, ::Window, ::Window*, ::Window*, int*, int*, int*, int*, unsigned*) = nullptr;
  int (*get_window_property)(Display*, ::Window, Atom, long, long, Bool, Atom, Atom*, int*, unsigned long*,
                             unsigned long*, unsigned char**) = nullptr;
};

namespace {

struct Host {
  Display* display = nullptr;
  ::Window window = 0;
};

Host host_of(SDL_Window* w) {
  Host h;
  if (!w) return h;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(w, &info) || info.subsystem != SDL_SYSWM_X11) return h;
  h.display = info.info.x11.display;
  h.window = info.info.x11.window;
  return h;
}

// A call by the name the process knows it under (an executable that
// defines it, such as a benchmark counting the calls, comes first), else
// from SDL's library.
template <typename F>
void take(void* lib, const char* name, F* out) {
  void* f = dlsym(RTLD_DEFAULT, name);
  *out = reinterpret_cast<F>(f ? f : dlsym(lib, name));
}

}  // namespace

XlibCalls* xlib_open() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "x11") != 0) return nullptr;
  void* lib = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
  if (!lib) return nullptr;
  auto* x = new XlibCalls;
  take(lib, "XInternAtom", &x->intern_atom);
  take(lib, "XChangeProperty", &x->change_property);
  take(lib, "XSetTransientForHint", &x->set_transient_for_hint);
  take(lib, "XRestackWindows", &x->restack_windows);
  take(lib, "XGetSelectionOwner", &x->get_selection_owner);
  take(lib, "XGetKeyboardMapping", &x->get_keyboard_mapping);
  take(lib, "XDisplayKeycodes", &x->display_keycodes);
  take(lib, "XFree", &x->free);
  take(lib, "XFlush", &x->flush);
  take(lib, "XGetWindowAttributes", &x->get_window_attributes);
  take(lib, "XListPixmapFormats", &x->list_pixmap_formats);
  take(lib, "XInitImage", &x->init_image);
  take(lib, "XPutImage", &x->put_image);
  take(lib, "XQueryPointer", &x->query_pointer);
  take(lib, "XGetWindowProperty", &x->get_window_property);
  // The library stays loaded while SDL uses it; our handle is not needed.
  dlclose(lib);
  if (!x->intern_atom || !x->change_property || !x->set_transient_for_hint || !x->restack_windows ||
      !x->get_selection_owner || !x->get_keyboard_mapping || !x->display_keycodes || !x->free || !x->flush || !x->get_window_attributes || !x->list_pixmap_formats ||
      !x->init_image || !x->put_image || !x->query_pointer || !x->get_window_property) {
    delete x;
    return nullptr;
  }
  return x;
}

void xlib_close(XlibCalls* x) { delete x; }

void x11_own(const XlibCalls* x, SDL_Window* window, SDL_Window* owner, bool modal) {
  if (!x) return;
  Host w = host_of(window), o = host_of(owner);
  if (!w.display || !o.window) return;
  Display* d = w.display;
  x->set_transient_for_hint(d, w.window, o.window);
  Atom type = x->intern_atom(d, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  x->change_property(d, w.window, x->intern_atom(d, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                     reinterpret_cast<const unsigned char*>(&type), 1);
  if (modal) {
    // Set before the window is mapped: the window manager reads the state then.
    Atom state = x->intern_atom(d, "_NET_WM_STATE_MODAL", False);
    x->change_property(d, w.window, x->intern_atom(d, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeAppend,
                       reinterpret_cast<const unsigned char*>(&state), 1);
  }
  x->flush(d);
}

bool x11_managed(const XlibCalls* x, SDL_Window* any) {
  if (!x) return true;  // not X: the host manages its windows
  Host h = host_of(any);
  if (!h.display) return true;
  // A window manager owns the selection WM_Sn of the screen it manages.
  char name[32];
  std::snprintf(name, sizeof name, "WM_S%d", DefaultScreen(h.display));
  return x->get_selection_owner(h.display, x->intern_atom(h.display, name, False)) != None;
}

void x11_restack(const XlibCalls* x, SDL_Window* const* front_to_back, int count) {
  if (!x || count < 2) return;
  std::vector<::Window> v;
  Display* d = nullptr;
  for (int i = 0; i < count; ++i) {
    Host h = host_of(front_to_back[i]);
    if (!h.display) continue;
    d = h.display;
    v.push_back(h.window);
  }
  if (!d || v.size() < 2) return;
  x->restack_windows(d, v.data(), static_cast<int>(v.size()));
  x->flush(d);
}

bool x11_right_alt_is_altgr(const XlibCalls* x, SDL_Window* any) {
  if (!x) return false;
  Host h = host_of(any);
  if (!h.display) return false;
  int lo = 0, hi = 0;
  x->display_keycodes(h.display, &lo, &hi);
  // The right Alt key: its code with the evdev driver, and with the older
  // keyboard driver.
  for (int code : {108, 113}) {
    if (code < lo || code > hi) continue;
    int per = 0;
    KeySym* syms = x->get_keyboard_mapping(h.display, static_cast<KeyCode>(code), 1, &per);
    if (!syms) continue;
    const bool altgr = per > 0 && (syms[0] == XK_ISO_Level3_Shift || syms[0] == XK_Mode_switch);
    const bool alt = per > 0 && syms[0] == XK_Alt_R;
    x->free(syms);
    if (altgr) return true;
    if (alt) return false;
  }
  return false;
}

}  // namespace plat::sdl

namespace plat::sdl {

bool x11_can_put(const XlibCalls* x, SDL_Window* window) {
  if (!x) return false;
  Host h = host_of(window);
  if (!h.display) return false;
  XWindowAttributes a;
  if (!x->get_window_attributes(h.display, h.window, &a) || !a.visual) return false;
  // Our pixels are 0x00RRGGBB in 32 bits: a true-colour window of depth 24
  // whose pixels the server keeps in 32 bits takes them as they are.
  const Visual* v = a.visual;
  if (a.depth != 24 || v->red_mask != 0xff0000 || v->green_mask != 0xff00 || v->blue_mask != 0xff) return false;
  int n = 0;
  XPixmapFormatValues* formats = x->list_pixmap_formats(h.display, &n);
  bool fits = false;
  for (int i = 0; i < n; ++i)
    if (formats[i].depth == 24) fits = formats[i].bits_per_pixel == 32;
  if (formats) x->free(formats);
  return fits;
}

void x11_put(const XlibCalls* x, SDL_Window* window, const Surface& s, int top, int bottom) {
  if (!x || top >= bottom) return;
  Host h = host_of(window);
  if (!h.display) return;
  // An image over the surface's own pixels: whole rows are sent from them
  // as they are, with no copy on our side.
  XImage img;
  std::memset(&img, 0, sizeof img);
  img.width = s.width;
  img.height = s.height;
  img.format = ZPixmap;
  img.data = reinterpret_cast<char*>(const_cast<std::uint32_t*>(s.pixels.data()));
  const std::uint32_t one = 1;
  img.byte_order = *reinterpret_cast<const unsigned char*>(&one) ? LSBFirst : MSBFirst;  // ours; Xlib swaps for the server
  img.bitmap_unit = 32;
  img.bitmap_bit_order = img.byte_order;
  img.bitmap_pad = 32;
  img.depth = 24;
  img.bytes_per_line = s.width * 4;
  img.bits_per_pixel = 32;
  img.red_mask = 0xff0000;
  img.green_mask = 0xff00;
  img.blue_mask = 0xff;
  if (!x->init_image(&img)) return;
  GC gc = DefaultGC(h.display, DefaultScreen(h.display));
  x->put_image(h.display, h.window, gc, &img, 0, top, 0, top, static_cast<unsigned>(s.width),
               static_cast<unsigned>(bottom - top));
}

bool x11_pointer(const XlibCalls* x, SDL_Window* any, int* screen_x, int* screen_y, bool* left_held) {
  if (!x) return false;
  Host h = host_of(any);
  if (!h.display) return false;
  ::Window root = 0, child = 0;
  int wx = 0, wy = 0;
  unsigned mask = 0;
  if (!x->query_pointer(h.display, DefaultRootWindow(h.display), &root, &child, screen_x, screen_y, &wx, &wy, &mask))
    return false;
  *left_held = (mask & Button1Mask) != 0;
  return true;
}

static_assert(Button1 == SDL_BUTTON_LEFT && Button2 == SDL_BUTTON_MIDDLE && Button3 == SDL_BUTTON_RIGHT);

bool x11_button(const SDL_Event& ev, RawButton* out) {
  if (ev.type != SDL_SYSWMEVENT || !ev.syswm.msg || ev.syswm.msg->subsystem != SDL_SYSWM_X11) return false;
  const XEvent& e = ev.syswm.msg->msg.x11.event;
  if (e.type != ButtonPress && e.type != ButtonRelease) return false;
  if (e.xbutton.button < Button1 || e.xbutton.button > Button3) return false;  // 4 to 7 are the wheel's
  out->window = e.xbutton.window;
  out->x = e.xbutton.x;
  out->y = e.xbutton.y;
  out->button = static_cast<int>(e.xbutton.button);
  out->pressed = e.type == ButtonPress;
  return true;
}

unsigned long x11_window_id(SDL_Window* window) { return host_of(window).window; }

bool x11_iconic(const XlibCalls* x, SDL_Window* window) {
  if (!x) return true;  // not X: the host's word is taken
  Host h = host_of(window);
  if (!h.display) return true;
  // The window manager sets WM_STATE to IconicState before it unmaps a
  // window it iconifies; a window unmapped while it is reparented keeps
  // NormalState (or has none yet).
  constexpr long kIconicState = 3;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom wmstate = x->intern_atom(h.display, "WM_STATE", False);
  const bool read = x->get_window_property(h.display, h.window, wmstate, 0, 1, False, wmstate, &type, &format,
                                           &count, &after, &data) == Success;
  const bool iconic = read && data && format == 32 && count >= 1 &&
                      *reinterpret_cast<const long*>(data) == kIconicState;
  if (data) x->free(data);
  return iconic;
}

void x11_flush(const XlibCalls* x, SDL_Window* any) {
  if (!x) return;
  Host h = host_of(any);
  if (h.display) x->flush(h.display);
}

}  // namespace plat::sdl
