// Drawing speed of the software rasteriser: one frame of a busy plot on a
// 1024 x 768 client: clear, 3000 line segments, 800 small circles and 100
// short strings. The target is well under one frame of 16 ms.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>

#include "platform/gdi/gdi.h"

namespace {

using namespace plat;

// A fixed pseudo-random sequence, so every run draws the same frame.
struct Lcg {
  std::uint32_t s = 12345;
  int next(int n) {
    s = s * 1664525u + 1013904223u;
    return static_cast<int>((s >> 8) % static_cast<std::uint32_t>(n));
  }
};

struct Frame {
  Surface surface;
  HDC dc = nullptr;
  HPEN pen = nullptr;
  HBRUSH brush = nullptr;
  HBRUSH clear = nullptr;
  HFONT font = nullptr;
  Frame() {
    surface.resize(1024, 768);
    dc = CreateSurfaceDC(&surface, {0, 0}, {0, 0, 1024, 768});
    pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 160));
    brush = CreateSolidBrush(RGB(220, 40, 40));
    clear = CreateSolidBrush(RGB(255, 255, 255));
    font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, 0, 0, 0, "Arial");
    SelectObject(dc, pen);
    SelectObject(dc, brush);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
  }
  ~Frame() {
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteObject(clear);
    DeleteObject(font);
    DeleteSurfaceDC(dc);
  }

  void clear_all() {
    RECT all{0, 0, 1024, 768};
    FillRect(dc, &all, clear);
  }
  void lines(Lcg& r) {
    // Segments of a curve-like walk, 2 to 60 pixels each.
    MoveToEx(dc, 512, 384, nullptr);
    int x = 512, y = 384;
    for (int i = 0; i < 3000; ++i) {
      x = std::max(0, std::min(1023, x + r.next(61) - 30));
      y = std::max(0, std::min(767, y + r.next(61) - 30));
      LineTo(dc, x, y);
    }
  }
  void circles(Lcg& r) {
    for (int i = 0; i < 800; ++i) {
      const int cx = r.next(1024), cy = r.next(768), rad = 2 + r.next(5);
      Ellipse(dc, cx - rad, cy - rad, cx + rad + 1, cy + rad + 1);
    }
  }
  void strings(Lcg& r) {
    static const char* const kTexts[] = {"T [K]", "J [pA]", "1000/T", "Ea = 1.234 eV", "tau0", "P0", "Tm = 345.6"};
    for (int i = 0; i < 100; ++i) {
      const char* t = kTexts[i % 7];
      TextOutA(dc, r.next(960), r.next(750), t, static_cast<int>(std::char_traits<char>::length(t)));
    }
  }
};

void BM_GdiFrame(benchmark::State& state) {
  Frame f;
  for (auto _ : state) {
    Lcg r;
    f.clear_all();
    f.lines(r);
    f.circles(r);
    f.strings(r);
    benchmark::DoNotOptimize(f.surface.pixels.data());
  }
  if (const char* out = std::getenv("TSD_BENCH_PNG")) WriteSurfacePng(f.surface, out);
}
BENCHMARK(BM_GdiFrame)->Unit(benchmark::kMillisecond);

void BM_GdiClear(benchmark::State& state) {
  Frame f;
  for (auto _ : state) f.clear_all();
}
BENCHMARK(BM_GdiClear)->Unit(benchmark::kMicrosecond);

void BM_GdiLines3000(benchmark::State& state) {
  Frame f;
  for (auto _ : state) {
    Lcg r;
    f.lines(r);
  }
}
BENCHMARK(BM_GdiLines3000)->Unit(benchmark::kMicrosecond);

void BM_GdiCircles800(benchmark::State& state) {
  Frame f;
  for (auto _ : state) {
    Lcg r;
    f.circles(r);
  }
}
BENCHMARK(BM_GdiCircles800)->Unit(benchmark::kMicrosecond);

void BM_GdiStrings100(benchmark::State& state) {
  Frame f;
  for (auto _ : state) {
    Lcg r;
    f.strings(r);
  }
}
BENCHMARK(BM_GdiStrings100)->Unit(benchmark::kMicrosecond);


// The shapes a metafile may ask for with its widest pen (1000 pixels) on
// the same client: a line, a polyline of 50 points across the client, a
// rectangle, an ellipse, a pie and an ellipse far larger than the client.
// A wide pen costs what it covers; the whole set stays within a few frames.
void BM_GdiWidePenShapes(benchmark::State& state) {
  Frame f;
  HPEN wide = CreatePen(PS_SOLID, static_cast<int>(state.range(0)), RGB(0, 0, 160));
  SelectObject(f.dc, wide);
  POINT zigzag[50];
  for (int i = 0; i < 50; ++i) zigzag[i] = POINT{i * 20, i % 2 == 0 ? 0 : 767};
  for (auto _ : state) {
    MoveToEx(f.dc, 0, 384, nullptr);
    LineTo(f.dc, 1023, 400);
    Polyline(f.dc, zigzag, 50);
    Rectangle(f.dc, 100, 100, 900, 700);
    Ellipse(f.dc, 100, 100, 900, 700);
    Pie(f.dc, 100, 100, 900, 700, 900, 400, 500, 100);
    Ellipse(f.dc, -(1 << 26), -(1 << 26), 1 << 26, 300);
  }
  SelectObject(f.dc, f.pen);
  DeleteObject(wide);
}
BENCHMARK(BM_GdiWidePenShapes)->Arg(1)->Arg(20)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
