// The SDL display on an X server (DISPLAY must name one, e.g. an Xvfb; the
// benchmarks are skipped without it):
// - FirstFrame/sdl: from opening the display to the first frame of a
//   1024 x 768 plot window on the screen; FirstFrame/headless the same on
//   the headless display. Run each alone in its own process to compare
//   their peak memory (--benchmark_filter=FirstFrame/sdl).
// - PresentsPerPointerMove: pointer moves over a window whose pixels do
//   not change, the program holding a device context on it (as the
//   programs' plot windows do): the counter presents_per_move says how many
//   times the window's pixels were sent to the X server for each move
//   (through SDL's window surface, or put straight into the X window).
#include <SDL.h>
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <cstdlib>
#include <string>

#include "platform/display/display.h"
#include "platform/gdi/gdi.h"
#include "platform/user/desktop.h"
#include "platform/user/user.h"

namespace {

// Every present the SDL display makes, counted on its way to SDL.
long presents_made = 0;

}  // namespace

extern "C" int SDL_UpdateWindowSurface(SDL_Window* window) {
  using Update = int (*)(SDL_Window*);
  static const auto real = reinterpret_cast<Update>(dlsym(RTLD_NEXT, "SDL_UpdateWindowSurface"));
  ++presents_made;
  return real ? real(window) : -1;
}

extern "C" int SDL_UpdateWindowSurfaceRects(SDL_Window* window, const SDL_Rect* rects, int count) {
  using Update = int (*)(SDL_Window*, const SDL_Rect*, int);
  static const auto real = reinterpret_cast<Update>(dlsym(RTLD_NEXT, "SDL_UpdateWindowSurfaceRects"));
  ++presents_made;
  return real ? real(window, rects, count) : -1;
}

// The X display looks its Xlib calls up by name, this one included.
extern "C" int XPutImage(Display* d, Drawable w, GC gc, XImage* img, int sx, int sy, int dx, int dy, unsigned width,
                         unsigned height) {
  using Put = int (*)(Display*, Drawable, GC, XImage*, int, int, int, int, unsigned, unsigned);
  static const auto real = reinterpret_cast<Put>(dlsym(RTLD_NEXT, "XPutImage"));
  ++presents_made;
  return real ? real(d, w, gc, img, sx, sy, dx, dy, width, height) : 0;
}

namespace {

using namespace plat;

constexpr int kMoves = 50;

HWND open_window(const char* display) {
  unsetenv("TSD_SCRIPT");
  unsetenv("WAYLAND_DISPLAY");
  if (!display_open(display, nullptr)) return nullptr;
  install_desktop_hooks();
  WNDCLASSA wc;
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "BenchPlot";
  RegisterClassA(&wc);
  RECT r = make_rect(0, 0, 1024, 700);
  DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  AdjustWindowRect(&r, style, FALSE);
  return CreateWindowExA(0, "BenchPlot", "Benchmark", style, 0, 0, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                         nullptr, nullptr);
}

// A plot's worth of lines on a white client.
void draw(HDC dc) {
  RECT all = make_rect(0, 0, 1024, 700);
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  FillRect(dc, &all, white);
  DeleteObject(white);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 160));
  HGDIOBJ old = SelectObject(dc, pen);
  unsigned s = 12345;
  MoveToEx(dc, 0, 0, nullptr);
  for (int i = 0; i < 2000; ++i) {
    s = s * 1103515245u + 12345u;
    LineTo(dc, static_cast<int>((s >> 8) % 1024), static_cast<int>((s >> 16) % 700));
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

// Takes every message there is, as a program's loop does while idle.
void drain() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

void BM_FirstFrame(benchmark::State& state, const char* display) {
  if (std::string(display) == "sdl" && !std::getenv("DISPLAY")) {
    state.SkipWithError("no X server (DISPLAY is not set)");
    return;
  }
  for (auto _ : state) {
    HWND w = open_window(display);
    if (!w) {
      state.SkipWithError("the display cannot be opened");
      return;
    }
    HDC dc = GetDC(w);
    draw(dc);
    ReleaseDC(w, dc);
    UpdateWindow(w);
    drain();
    desktop_reset();  // closes the display too
  }
}
BENCHMARK_CAPTURE(BM_FirstFrame, sdl, "sdl")->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FirstFrame, headless, "headless")->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_PresentsPerPointerMove(benchmark::State& state) {
  if (!std::getenv("DISPLAY")) {
    state.SkipWithError("no X server (DISPLAY is not set)");
    return;
  }
  HWND w = open_window("sdl");
  if (!w) {
    state.SkipWithError("the SDL display cannot be opened");
    return;
  }
  HDC dc = GetDC(w);  // held, as the plot windows hold theirs
  draw(dc);
  UpdateWindow(w);
  drain();
  long moves = 0;
  long before = presents_made;
  for (auto _ : state) {
    for (int i = 0; i < kMoves; ++i) {
      InputEvent e;
      e.kind = InputKind::mouse_move;
      e.window = w;
      e.pos = POINT{200 + (i % 10) * 30, 300 + (i % 7) * 20};
      desktop().input.push_back(e);
      drain();
      ++moves;
    }
  }
  state.counters["presents_per_move"] = static_cast<double>(presents_made - before) / static_cast<double>(moves);
  ReleaseDC(w, dc);
  desktop_reset();  // closes the display too
}
BENCHMARK(BM_PresentsPerPointerMove)->Unit(benchmark::kMicrosecond);

}  // namespace
