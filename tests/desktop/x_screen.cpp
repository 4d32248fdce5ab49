// The X server as the tests see it, through Xlib; input through xdotool.
#include "tests/desktop/x_screen.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <thread>

#include "tools/testkit/xserver.h"

namespace tsd::desktop {

namespace {

Display* dpy(void* x) { return static_cast<Display*>(x); }

// Every shown window below `w`, depth first, with `w` itself.
void viewable(Display* d, Window w, std::vector<Window>* out) {
  XWindowAttributes a;
  if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return;
  out->push_back(w);
  Window root = 0, parent = 0;
  Window* kids = nullptr;
  unsigned int n = 0;
  if (!XQueryTree(d, w, &root, &parent, &kids, &n)) return;
  for (unsigned int i = 0; i < n; ++i) viewable(d, kids[i], out);
  if (kids) XFree(kids);
}

// Errors of windows that went away between two calls are expected here.
int ignore_errors(Display*, XErrorEvent*) { return 0; }

}  // namespace

XScreen::~XScreen() {
  if (x_ && probe_) XDestroyWindow(dpy(x_), probe_);
  if (x_) XCloseDisplay(dpy(x_));
}

bool XScreen::open(const std::string& display) {
  display_ = display;
  x_ = XOpenDisplay(display.c_str());
  if (x_) XSetErrorHandler(ignore_errors);
  return x_ != nullptr;
}

bool XScreen::managed() {
  Display* d = dpy(x_);
  Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
  Atom type = 0;
  int format = 0;
  unsigned long n = 0, after = 0;
  unsigned char* data = nullptr;
  bool yes = XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW, &type, &format, &n, &after,
                                &data) == Success &&
             n == 1;
  if (data) XFree(data);
  return yes;
}

std::string XScreen::title(unsigned long window) {
  Display* d = dpy(x_);
  Atom name = XInternAtom(d, "_NET_WM_NAME", False);
  Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
  Atom type = 0;
  int format = 0;
  unsigned long n = 0, after = 0;
  unsigned char* data = nullptr;
  std::string t;
  if (XGetWindowProperty(d, window, name, 0, 1024, False, utf8, &type, &format, &n, &after, &data) == Success &&
      data && type == utf8) {
    t.assign(reinterpret_cast<char*>(data), n);
  }
  if (data) XFree(data);
  if (t.empty()) {
    char* old = nullptr;
    if (XFetchName(d, window, &old) && old) {
      t = old;
      XFree(old);
    }
  }
  return t;
}

std::string XScreen::describe() {
  Display* d = dpy(x_);
  std::string out;
  std::vector<Window> todo{DefaultRootWindow(d)};
  const Atom wmstate = XInternAtom(d, "WM_STATE", False);
  while (!todo.empty()) {
    const Window w = todo.back();
    todo.pop_back();
    Window root = 0, parent = 0;
    Window* kids = nullptr;
    unsigned int n = 0;
    if (XQueryTree(d, w, &root, &parent, &kids, &n)) {
      for (unsigned int i = 0; i < n; ++i) todo.push_back(kids[i]);
      if (kids) XFree(kids);
    }
    const std::string t = w == DefaultRootWindow(d) ? std::string() : title(w);
    XWindowAttributes a;
    if (t.empty() || !XGetWindowAttributes(d, w, &a)) continue;
    long state = -1;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, wmstate, 0, 1, False, wmstate, &type, &format, &count, &after, &data) == Success &&
        data && format == 32 && count >= 1) {
      state = *reinterpret_cast<long*>(data);
    }
    if (data) XFree(data);
    static const char* const kMap[] = {"unmapped", "unviewable", "viewable"};
    out += "\n  \"" + t + "\" " + (a.map_state >= 0 && a.map_state <= 2 ? kMap[a.map_state] : "?") +
           " WM_STATE " + std::to_string(state) + " at " + std::to_string(a.x) + "," + std::to_string(a.y) + " " +
           std::to_string(a.width) + "x" + std::to_string(a.height);
  }
  return out.empty() ? "\n  no titled window on the server" : out;
}

unsigned long XScreen::find(const std::string& utf8) {
  Display* d = dpy(x_);
  std::vector<Window> all;
  viewable(d, DefaultRootWindow(d), &all);
  for (Window w : all)
    if (w != DefaultRootWindow(d) && title(w) == utf8) return w;
  return 0;
}

bool XScreen::place(unsigned long window, Box* out) {
  Display* d = dpy(x_);
  XWindowAttributes a;
  if (!window || !XGetWindowAttributes(d, window, &a)) return false;
  int x = 0, y = 0;
  Window child = 0;
  if (!XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &x, &y, &child)) return false;
  *out = Box{x, y, a.width, a.height};
  return true;
}

std::vector<Box> XScreen::popups() {
  Display* d = dpy(x_);
  std::vector<Box> v;
  Window root = 0, parent = 0;
  Window* kids = nullptr;
  unsigned int n = 0;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &kids, &n)) return v;
  for (unsigned int i = 0; i < n; ++i) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, kids[i], &a) || a.map_state != IsViewable || !a.override_redirect) continue;
    if (a.width <= 1 || a.height <= 1) continue;
    v.push_back(Box{a.x, a.y, a.width, a.height});
  }
  if (kids) XFree(kids);
  return v;
}

unsigned long XScreen::focus() {
  Display* d = dpy(x_);
  Window w = 0;
  int revert = 0;
  XGetInputFocus(d, &w, &revert);
  return w;
}

plat::Surface XScreen::grab(const Box& area) {
  Display* d = dpy(x_);
  plat::Surface s;
  XImage* img = XGetImage(d, DefaultRootWindow(d), area.x, area.y, static_cast<unsigned>(area.w),
                          static_cast<unsigned>(area.h), AllPlanes, ZPixmap);
  if (!img) return s;
  s.resize(area.w, area.h);
  for (int y = 0; y < area.h; ++y)
    for (int x = 0; x < area.w; ++x) s.row(y)[x] = static_cast<std::uint32_t>(XGetPixel(img, x, y)) & 0x00ffffffu;
  XDestroyImage(img);
  return s;
}

bool XScreen::xdotool(std::vector<std::string> args) {
  static const std::string exe = testkit::findonpath("xdotool");
  if (exe.empty()) return false;
  args.insert(args.begin(), exe);
  pid_t pid = testkit::startquiet(args, display_);
  if (pid < 0) return false;
  int status = 0;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (waitpid(pid, &status, WNOHANG) != pid) {
    if (std::chrono::steady_clock::now() > deadline) {
      testkit::endprocess(&pid);
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool XScreen::keys(const std::vector<std::string>& names) {
  std::vector<std::string> args = {"key", "--clearmodifiers", "--delay", "40"};
  args.insert(args.end(), names.begin(), names.end());
  return xdotool(args);
}

bool XScreen::type(const std::string& text) { return xdotool({"type", "--delay", "40", text}); }

bool XScreen::click(int x, int y) {
  return xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y), "click", "1"});
}

namespace {

// The key code and Shift of each Polish letter on the Polish keyboard
// (typed with AltGr), as the evdev keyboard numbers its keys.
struct PolishKey {
  const char* utf8;
  int code;
  bool shift;
};
constexpr PolishKey kPolish[] = {
    {"ą", 38, false}, {"ć", 54, false}, {"ę", 26, false}, {"ł", 46, false}, {"ń", 57, false}, {"ó", 32, false},
    {"ś", 39, false}, {"ź", 53, false}, {"ż", 52, false}, {"Ą", 38, true},  {"Ć", 54, true},  {"Ę", 26, true},
    {"Ł", 46, true},  {"Ń", 57, true},  {"Ó", 32, true},  {"Ś", 39, true},  {"Ź", 53, true},  {"Ż", 52, true},
};
constexpr const char* kAltGr = "108";
constexpr const char* kShift = "50";

// The window among the root's children that holds `w` (its frame under a
// window manager).
Window toplevel(Display* d, Window w) {
  for (;;) {
    Window root = 0, parent = 0;
    Window* kids = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, w, &root, &parent, &kids, &n)) return 0;
    if (kids) XFree(kids);
    if (parent == root || parent == 0) return w;
    w = parent;
  }
}

}  // namespace

bool XScreen::typepolish(const std::string& utf8) {
  std::vector<std::string> args;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const PolishKey* k = nullptr;
    for (const PolishKey& p : kPolish)
      if (utf8.compare(i, std::strlen(p.utf8), p.utf8) == 0) k = &p;
    if (!k) {
      // Other characters by their key names (a chained "type" would take
      // every word after it as its text).
      const char c = utf8[i++];
      std::string name(1, c);
      if (c == '.') name = "period";
      else if (c == '_') name = "underscore";
      else if (c == ' ') name = "space";
      else if (c == '-') name = "minus";
      args.insert(args.end(), {"key", "--delay", "40", name});
      continue;
    }
    args.insert(args.end(), {"keydown", kAltGr});
    if (k->shift) args.insert(args.end(), {"keydown", kShift});
    args.insert(args.end(), {"key", "--delay", "40", std::to_string(k->code)});
    if (k->shift) args.insert(args.end(), {"keyup", kShift});
    args.insert(args.end(), {"keyup", kAltGr});
    i += std::strlen(k->utf8);
  }
  return xdotool(args);
}

bool XScreen::tellwm(unsigned long window, const char* message, long a0, long a1, long a2) {
  Display* d = dpy(x_);
  XEvent e;
  std::memset(&e, 0, sizeof e);
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = XInternAtom(d, message, False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = a0;
  e.xclient.data.l[1] = a1;
  e.xclient.data.l[2] = a2;
  bool ok = XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e) != 0;
  XFlush(d);
  return ok;
}

bool XScreen::minimise(unsigned long window) {
  Display* d = dpy(x_);
  bool ok = XIconifyWindow(d, window, DefaultScreen(d)) != 0;
  XFlush(d);
  return ok;
}

bool XScreen::activate(unsigned long window) {
  // As a pager or taskbar asks (source 2): no focus-stealing rule applies.
  return tellwm(window, "_NET_ACTIVE_WINDOW", 2, CurrentTime, 0);
}

bool XScreen::wmsync(double seconds) {
  if (!managed()) return true;
  Display* d = dpy(x_);
  // The window manager answers a request for a window's frame extents by
  // setting them on it; it handles what reached it before in order.
  if (!probe_) probe_ = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
  Atom extents = XInternAtom(d, "_NET_FRAME_EXTENTS", False);
  XDeleteProperty(d, probe_, extents);
  XSync(d, False);
  if (!tellwm(probe_, "_NET_REQUEST_FRAME_EXTENTS", 0, 0, 0)) return false;
  return waitfor([&] {
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    bool set = XGetWindowProperty(d, probe_, extents, 0, 4, False, AnyPropertyType, &type, &format, &n, &after,
                                  &data) == Success &&
               type != None;
    if (data) XFree(data);
    return set;
  }, seconds);
}

bool XScreen::above(unsigned long upper, unsigned long lower) {
  Display* d = dpy(x_);
  Window u = toplevel(d, upper), l = toplevel(d, lower);
  Window root = 0, parent = 0;
  Window* kids = nullptr;
  unsigned int n = 0;
  if (!u || !l || !XQueryTree(d, DefaultRootWindow(d), &root, &parent, &kids, &n)) return false;
  int iu = -1, il = -1;
  for (unsigned int i = 0; i < n; ++i) {  // bottom first
    if (kids[i] == u) iu = static_cast<int>(i);
    if (kids[i] == l) il = static_cast<int>(i);
  }
  if (kids) XFree(kids);
  return iu >= 0 && il >= 0 && iu > il;
}

bool waitfor(const std::function<bool()>& ready, double seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    if (ready()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

long differing(const plat::Surface& a, const plat::Surface& b, const Box& skip) {
  if (a.width != b.width || a.height != b.height) return -1;
  long n = 0;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x)
      if (!skip.contains(x, y) && a.row(y)[x] != b.row(y)[x]) ++n;
  return n;
}

}  // namespace tsd::desktop
