// One frame of a plot window: clear a 1024 x 768 client, draw 3000 line
// segments, 800 small circles and 100 short strings through the drawing
// layer, then present the window through the headless backend.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstdio>

#include "platform/display/display.h"
#include "platform/gdi/gdi.h"
#include "platform/user/desktop.h"
#include "platform/user/user.h"

namespace {

using namespace plat;

struct Scene {
  HWND frame = nullptr;
  HDC dc = nullptr;
  HBRUSH white = nullptr;
  HPEN pen = nullptr;
  HFONT font = nullptr;
  int xs[3001], ys[3001], cx[800], cy[800];
};

// A fixed pseudo-random sequence, so every run draws the same picture.
unsigned next_random(unsigned* s) {
  *s = *s * 1103515245u + 12345u;
  return (*s >> 8) & 0xffff;
}

bool open_scene(Scene* sc) {
  unsetenv("TSD_SCRIPT");
  setenv("TSD_SCREEN", "1280x1024", 1);
  if (!display_open("headless", nullptr)) return false;
  install_desktop_hooks();
  WNDCLASSA wc;
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "BenchFrame";
  RegisterClassA(&wc);
  RECT r = make_rect(0, 0, 1024, 768);
  DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  AdjustWindowRect(&r, style, FALSE);
  sc->frame = CreateWindowExA(0, "BenchFrame", "Benchmark", style, 0, 0, r.right - r.left, r.bottom - r.top,
                              nullptr, nullptr, nullptr, nullptr);
  if (!sc->frame) return false;
  ValidateRect(sc->frame, nullptr);
  sc->dc = GetDC(sc->frame);
  sc->white = CreateSolidBrush(RGB(255, 255, 255));
  sc->pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 160));
  sc->font = CreateFontA(-13, 0, 0, 0, 400, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0, "Arial");
  unsigned seed = 12345;
  for (int i = 0; i <= 3000; ++i) {
    sc->xs[i] = static_cast<int>(next_random(&seed) % 1024);
    sc->ys[i] = static_cast<int>(next_random(&seed) % 768);
  }
  for (int i = 0; i < 800; ++i) {
    sc->cx[i] = static_cast<int>(next_random(&seed) % 1010);
    sc->cy[i] = static_cast<int>(next_random(&seed) % 754);
  }
  return true;
}

// Parts of the frame, so each can also be timed alone.
enum Part : unsigned { kClear = 1, kLines = 2, kCircles = 4, kText = 8, kAll = 15 };

void draw(Scene& sc, unsigned parts = kAll) {
  RECT all = make_rect(0, 0, 1024, 768);
  if (parts & kClear) FillRect(sc.dc, &all, sc.white);
  HGDIOBJ old_pen = SelectObject(sc.dc, sc.pen);
  if (parts & kLines) {
    MoveToEx(sc.dc, sc.xs[0], sc.ys[0], nullptr);
    for (int i = 1; i <= 3000; ++i) LineTo(sc.dc, sc.xs[i], sc.ys[i]);
  }
  if (parts & kCircles)
    for (int i = 0; i < 800; ++i) Ellipse(sc.dc, sc.cx[i], sc.cy[i], sc.cx[i] + 9, sc.cy[i] + 9);
  HGDIOBJ old_font = SelectObject(sc.dc, sc.font);
  SetBkMode(sc.dc, TRANSPARENT);
  char text[32];
  if (parts & kText)
    for (int i = 0; i < 100; ++i) {
      int n = std::snprintf(text, sizeof text, "T = %d.5 K", 200 + i);
      TextOutA(sc.dc, (i % 10) * 100 + 4, (i / 10) * 75 + 10, text, n);
    }
  SelectObject(sc.dc, old_font);
  SelectObject(sc.dc, old_pen);
}

void BM_DrawAndPresentFrame(benchmark::State& state) {
  Scene sc;
  if (!open_scene(&sc)) {
    state.SkipWithError("no headless display");
    return;
  }
  for (auto _ : state) {
    draw(sc);
    UpdateWindow(sc.frame);  // shows the window's pixels on the host now
  }
  desktop_reset();
}
BENCHMARK(BM_DrawAndPresentFrame)->Unit(benchmark::kMillisecond);

void BM_PresentOnly(benchmark::State& state) {
  Scene sc;
  if (!open_scene(&sc)) {
    state.SkipWithError("no headless display");
    return;
  }
  draw(sc);
  for (auto _ : state) UpdateWindow(sc.frame);
  desktop_reset();
}
BENCHMARK(BM_PresentOnly)->Unit(benchmark::kMillisecond);

// One part of the frame alone: 1 clear, 2 lines, 4 circles, 8 text.
void BM_FramePart(benchmark::State& state) {
  Scene sc;
  if (!open_scene(&sc)) {
    state.SkipWithError("no headless display");
    return;
  }
  for (auto _ : state) draw(sc, static_cast<unsigned>(state.range(0)));
  desktop_reset();
}
BENCHMARK(BM_FramePart)->Arg(kClear)->Arg(kLines)->Arg(kCircles)->Arg(kText)->Unit(benchmark::kMillisecond);

}  // namespace
