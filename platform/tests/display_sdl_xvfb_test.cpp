// The sdl backend on a real X server (Xvfb started by the test on a free
// display number): a window is shown as a host window with its title in
// UTF-8, a host key reaches the window procedure with its character, and
// the pixels read back from the host window are the window's; a host resize
// becomes sizing and painting; a lost display ends the program.
#include <SDL.h>
#include <dlfcn.h>
#include <signal.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "platform/gdi/surface_png.h"
#include "platform/tests/user_test_support.h"
#include "text/cp1250.h"
#include "tools/testkit/xserver.h"
// Last: Xlib's macros (None, Bool, Status) would clash with the test headers.
#include <SDL_syswm.h>

#if defined(__SANITIZE_ADDRESS__) && __has_include(<sanitizer/lsan_interface.h>)
#include <sanitizer/lsan_interface.h>
// The host libraries SDL loads (D-Bus, X11 extensions) keep a few small
// buffers until the process ends, some in modules unloaded by then; they
// are not ours to free, so what is allocated while SDL runs is not checked.
struct HostLeaksIgnored {
  HostLeaksIgnored() { __lsan_disable(); }
  ~HostLeaksIgnored() { __lsan_enable(); }
};
#else
struct HostLeaksIgnored {
  HostLeaksIgnored() {}
};
#endif

namespace plat::testing {
namespace {

using tsd::testkit::XServer;

std::string find_xvfb() { return tsd::testkit::findonpath("Xvfb"); }

// What the X server shows in the host window (0x00RRGGBB), read with
// the Xlib that SDL runs on.
Surface host_pixels(SDL_Window* host) {
  Surface out;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(host, &info) || info.subsystem != SDL_SYSWM_X11) return out;
  using GetImage = XImage* (*)(Display*, Drawable, int, int, unsigned, unsigned, unsigned long, int);
  using GetAttributes = Status (*)(Display*, ::Window, XWindowAttributes*);
  auto get = reinterpret_cast<GetImage>(dlsym(RTLD_DEFAULT, "XGetImage"));
  auto attributes = reinterpret_cast<GetAttributes>(dlsym(RTLD_DEFAULT, "XGetWindowAttributes"));
  if (!get || !attributes) return out;
  Display* d = info.info.x11.display;
  XWindowAttributes a;
  if (!attributes(d, info.info.x11.window, &a)) return out;
  XImage* img = get(d, info.info.x11.window, 0, 0, static_cast<unsigned>(a.width), static_cast<unsigned>(a.height),
                    AllPlanes, ZPixmap);
  if (!img) return out;
  out.resize(img->width, img->height);
  for (int y = 0; y < img->height; ++y)
    for (int x = 0; x < img->width; ++x) {
      unsigned long v = img->f.get_pixel(img, x, y);
      out.row(y)[x] = static_cast<std::uint32_t>(v & 0x00ffffffu);
    }
  img->f.destroy_image(img);
  return out;
}

SDL_Window* host_window_titled(const std::string& utf8) {
  for (Uint32 id = 1; id < 64; ++id)
    if (SDL_Window* w = SDL_GetWindowFromID(id))
      if (utf8 == SDL_GetWindowTitle(w)) return w;
  return nullptr;
}

TEST(SdlOnXvfb, ShowsAWindowDeliversAKeyAndShowsItsPixels) {
  HostLeaksIgnored host_leaks;
  if (find_xvfb().empty()) GTEST_SKIP() << "Xvfb is not installed (package xvfb): the sdl backend is not tried";
  XServer x;
  std::string why;
  ASSERT_TRUE(x.start(&why)) << why;
  setenv("DISPLAY", x.display().c_str(), 1);
  unsetenv("WAYLAND_DISPLAY");
  std::string error;
  ASSERT_TRUE(display_open("sdl", &error)) << error;
  install_desktop_hooks();
  seen().clear();

  WNDCLASSA wc;
  wc.lpfnWndProc = CALLBACK_record;
  wc.lpszClassName = "SdlTest";
  ASSERT_NE(RegisterClassA(&wc), 0);
  std::string title = text::cp1250_from_utf8("Zażółć gęślą");
  HWND w = CreateWindowExA(0, "SdlTest", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30, 240, 160, nullptr,
                           nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  drain();

  // Paint the client a known colour straight into the window's pixels.
  Surface* s = w->surface.get();
  ASSERT_NE(s, nullptr);
  for (int y = w->client.top; y < w->client.bottom; ++y)
    for (int xx = w->client.left; xx < w->client.right; ++xx) s->row(y)[xx] = 0x00c08040;
  w->dirty = true;
  UpdateWindow(w);

  SDL_Window* host = host_window_titled("Zażółć gęślą");
  ASSERT_NE(host, nullptr) << "a host window titled in UTF-8";

  SDL_Event ev;
  SDL_zero(ev);
  ev.type = SDL_KEYDOWN;
  ev.key.windowID = SDL_GetWindowID(host);
  ev.key.state = SDL_PRESSED;
  ev.key.keysym.sym = SDLK_q;
  ev.key.keysym.scancode = SDL_SCANCODE_Q;
  ASSERT_EQ(SDL_PushEvent(&ev), 1);
  SDL_Event text;
  SDL_zero(text);
  text.type = SDL_TEXTINPUT;
  text.text.windowID = SDL_GetWindowID(host);
  std::strcpy(text.text.text, "ą");
  ASSERT_EQ(SDL_PushEvent(&text), 1);

  bool got_key = false, got_char = false;
  for (int i = 0; i < 2000 && !(got_key && got_char); ++i) {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (m.message == WM_KEYDOWN && m.wParam == 'Q') got_key = true;
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    for (const Seen& sn : seen())
      if (sn.message == WM_CHAR && sn.wparam == 0xB9) got_char = true;  // "ą" in code page 1250
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_TRUE(got_key) << "WM_KEYDOWN 'Q' from the host key";
  EXPECT_TRUE(got_char) << "WM_CHAR 0xB9 from the host text";

  Surface copy = host_pixels(host);
  ASSERT_GE(copy.width, 240);
  auto pixel = [&](int px, int py) { return copy.row(py)[px] & 0x00ffffffu; };
  std::uint32_t mid = pixel(120, 90);
  // What the host window shows, for a person to look at.
  std::string png = unique_temp("sdl_window.png");
  EXPECT_TRUE(WriteSurfacePng(copy, png));
  std::printf("host window: %s\n", png.c_str());
  EXPECT_EQ(mid, 0x00c08040u) << std::hex << "the client's colour read back from the host window";

  // The host resizes the window, then exposes it: our window takes the
  // size and repaints.
  seen().clear();
  SDL_Event win;
  SDL_zero(win);
  win.type = SDL_WINDOWEVENT;
  win.window.windowID = SDL_GetWindowID(host);
  win.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
  win.window.data1 = 300;
  win.window.data2 = 200;
  ASSERT_EQ(SDL_PushEvent(&win), 1);
  win.window.event = SDL_WINDOWEVENT_EXPOSED;
  ASSERT_EQ(SDL_PushEvent(&win), 1);
  bool sized = false, painted = false;
  for (int i = 0; i < 2000 && !(sized && painted); ++i) {
    drain();
    for (const Seen& sn : seen()) {
      if (sn.message == WM_SIZE && LOWORD(sn.lparam) == 292 && HIWORD(sn.lparam) == 173) sized = true;
      if (sn.message == WM_PAINT && sized) painted = true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_TRUE(sized) << "WM_SIZE with the client of a 300 x 200 window";
  EXPECT_TRUE(painted) << "WM_PAINT after it";

  desktop_reset();
  x.stop();
}

bool ended_with_error(int status) { return WIFEXITED(status) && WEXITSTATUS(status) != 0; }

TEST(SdlOnXvfb, ALostDisplayEndsTheProgramWithAnError) {
  HostLeaksIgnored host_leaks;
  if (find_xvfb().empty()) GTEST_SKIP() << "Xvfb is not installed (package xvfb): the sdl backend is not tried";
  XServer x;
  std::string why;
  ASSERT_TRUE(x.start(&why)) << why;
  setenv("DISPLAY", x.display().c_str(), 1);
  unsetenv("WAYLAND_DISPLAY");
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        std::string error;
        if (!display_open("sdl", &error)) std::_Exit(0);
        install_desktop_hooks();
        WNDCLASSA wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "Lost";
        RegisterClassA(&wc);
        CreateWindowExA(0, "Lost", "Lost", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                        nullptr, nullptr);
        kill(x.pid(), SIGKILL);
        MSG m;
        for (;;) {
          if (GetMessageA(&m, nullptr, 0, 0)) DispatchMessageA(&m);
          UpdateWindow(m.hwnd);
        }
      },
      ended_with_error, "");
}

}  // namespace
}  // namespace plat::testing
