// The pixel primitives every drawing routine is built on: a target (surface,
// origin, clip), resolved pens and brushes, raster operations, spans and
// single pixels, and the line walker. Internal to platform/gdi.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>

#include "platform/gdi/gdi_private.h"

namespace plat {

// Where drawing lands: logical (x, y) is surface (x + ox, y + oy), and
// only surface pixels inside `clip` and outside every hole (the windows in
// front of a window's context) are touched.
struct Target {
  Surface* surface = nullptr;
  RECT clip;  // surface coordinates, inside the surface
  int ox = 0;
  int oy = 0;
  const RECT* holes = nullptr;  // surface coordinates
  int nholes = 0;
  bool empty() const { return surface == nullptr || RectEmpty(clip); }
  // The clip rectangle in logical coordinates.
  RECT logical_clip() const { return {clip.left - ox, clip.top - oy, clip.right - ox, clip.bottom - oy}; }
  bool in_hole(long sx, long sy) const {
    for (int i = 0; i < nholes; ++i)
      if (sx >= holes[i].left && sx < holes[i].right && sy >= holes[i].top && sy < holes[i].bottom) return true;
    return false;
  }
  // Surface pixel (sx, sy) may be drawn on.
  bool drawable(long sx, long sy) const {
    return sx >= clip.left && sx < clip.right && sy >= clip.top && sy < clip.bottom && (nholes == 0 || !in_hole(sx, sy));
  }
  // The columns of surface row sy from s0 up to s1 that may be drawn on,
  // as runs [a, b): calls run(a, b) for each, left to right.
  template <class Run>
  void runs(int sy, int s0, int s1, Run run) const {
    if (nholes == 0) {
      if (s0 < s1) run(s0, s1);
      return;
    }
    while (s0 < s1) {
      // The first hole that covers s0 moves it on; else the run ends at the
      // nearest hole that starts after s0.
      int end = s1;
      bool covered = false;
      for (int i = 0; i < nholes; ++i) {
        const RECT& h = holes[i];
        if (sy < h.top || sy >= h.bottom || h.right <= s0 || h.left >= end) continue;
        if (h.left <= s0) {
          s0 = static_cast<int>(h.right);
          covered = true;
          break;
        }
        end = static_cast<int>(h.left);
      }
      if (covered) continue;
      run(s0, end);
      s0 = end;
    }
  }
};

Target TargetOf(DeviceContext* dc);

// Coordinates are held within +-2^26, far outside any surface, so the line
// and shape arithmetic cannot overflow.
int ClampCoord(long v);

// A pen resolved for one drawing call.
struct PenPaint {
  bool null = true;
  std::uint32_t colour = 0;
  int style = 0;  // PS_SOLID .. PS_DASHDOTDOT
  int width = 1;
  bool opaque = false;  // gaps of styled pens get the background colour
  std::uint32_t bk = 0;
};

// A brush resolved for one drawing call: 8 x 8 pattern; `mask` bit
// (y * 8 + x) clear means that pattern pixel leaves the destination alone
// (the background of a hatch in TRANSPARENT mode).
struct BrushPaint {
  bool null = true;
  bool solid = false;
  std::uint32_t colour = 0;
  std::array<std::uint32_t, 64> pattern{};
  std::uint64_t mask = ~0ull;
};

PenPaint PenOf(DeviceContext* dc);
BrushPaint BrushOf(DeviceContext* dc, GdiObject* brush);

// Binary raster operation (R2_*) of pen P on destination D, 24-bit.
inline std::uint32_t Rop2(int rop, std::uint32_t p, std::uint32_t d) {
  const unsigned t = static_cast<unsigned>(rop - 1) & 15u;
  std::uint32_t r = 0;
  if (t & 8u) r |= p & d;
  if (t & 4u) r |= p & ~d;
  if (t & 2u) r |= ~p & d;
  if (t & 1u) r |= ~p & ~d;
  return r & 0x00ffffffu;
}

inline bool InClip(const Target& t, int sx, int sy) { return t.drawable(sx, sy); }

// One pixel at logical (x, y) with a raster operation.
inline void PutPixel(const Target& t, int x, int y, std::uint32_t c, int rop) {
  const int sx = x + t.ox;
  const int sy = y + t.oy;
  if (!InClip(t, sx, sy)) return;
  std::uint32_t& d = t.surface->row(sy)[sx];
  d = rop == 13 ? c : Rop2(rop, c, d);
}

// Brush over logical row y, columns x0 .. x1-1.
void FillSpan(const Target& t, int y, int x0, int x1, const BrushPaint& b, int rop);

// Dash patterns of the styled pens, in pixels, on and off alternately.
struct DashPattern {
  int count = 0;
  std::array<int, 6> runs{};
  int period = 0;
};
DashPattern DashOf(int style);
inline bool DashOn(const DashPattern& d, int phase) {
  if (d.count == 0) return true;
  int p = phase % d.period;
  for (int i = 0; i < d.count; ++i) {
    if (p < d.runs[static_cast<std::size_t>(i)]) return (i & 1) == 0;
    p -= d.runs[static_cast<std::size_t>(i)];
  }
  return true;
}

// Walks the pixels of the line from (x0, y0) towards (x1, y1), the end
// pixel left out, calling plot(x, y, step) for each pixel that lies in the
// logical rectangle `box`; step counts from 0 at (x0, y0) whatever is
// skipped, so dash patterns stay in place when a line is clipped. Returns
// the number of steps of the whole line.
template <class Plot>
long WalkLine(int x0, int y0, int x1, int y1, const RECT& box, Plot plot) {
  const long long dx = std::llabs(static_cast<long long>(x1) - x0);
  const long long dy = std::llabs(static_cast<long long>(y1) - y0);
  const int sx = x1 >= x0 ? 1 : -1;
  const int sy = y1 >= y0 ? 1 : -1;
  const bool xmajor = dx >= dy;
  const long long n = xmajor ? dx : dy;  // pixels drawn: steps 0 .. n-1
  const long long major = xmajor ? dx : dy;
  const long long minor = xmajor ? dy : dx;
  if (n == 0) return 0;
  // Steps whose major coordinate lies inside the box.
  const long long m0 = xmajor ? x0 : y0;
  const int ms = xmajor ? sx : sy;
  const long long lo = xmajor ? box.left : box.top;
  const long long hi = xmajor ? box.right - 1 : box.bottom - 1;
  if (hi < lo) return static_cast<long>(n);
  long long s0 = 0;
  long long s1 = n - 1;
  if (ms > 0) {
    if (lo > m0) s0 = lo - m0;
    if (hi - m0 < s1) s1 = hi - m0;
  } else {
    if (m0 > hi) s0 = m0 - hi;
    if (m0 - lo < s1) s1 = m0 - lo;
  }
  // Minor coordinate of step i: round(i * minor / major), halves rounded
  // towards the start, kept incrementally from s0 on.
  const long long den = 2 * major;
  long long num = 2 * s0 * minor + major - 1;  // minor offset = num / den
  long long q = num / den;
  long long rem = num % den;
  const long long mi0 = xmajor ? y0 : x0;
  const int mis = xmajor ? sy : sx;
  const long long mlo = xmajor ? box.top : box.left;
  const long long mhi = xmajor ? box.bottom - 1 : box.right - 1;
  for (long long i = s0; i <= s1; ++i) {
    const long long mj = m0 + ms * i;
    const long long mn = mi0 + mis * q;
    if (mn >= mlo && mn <= mhi) {
      if (xmajor)
        plot(static_cast<int>(mj), static_cast<int>(mn), static_cast<long>(i));
      else
        plot(static_cast<int>(mn), static_cast<int>(mj), static_cast<long>(i));
    }
    rem += 2 * minor;
    while (rem >= den) {
      rem -= den;
      ++q;
    }
  }
  return static_cast<long>(n);
}

// A pen line into the target with the context's raster operation; the
// dash phase runs on from `phase` and is advanced by the line's length.
void DrawPenLine(const Target& t, const PenPaint& pen, int rop, int x0, int y0, int x1, int y1, int& phase);
// One pen pixel (wide pens stamp a square).
void PutPenPixel(const Target& t, const PenPaint& pen, int rop, int x, int y, bool on);

}  // namespace plat
