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
