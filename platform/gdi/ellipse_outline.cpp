// Ellipse geometry: rows, interiors and the walks of the outline.
#include "platform/gdi/ellipse_outline.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "platform/gdi/raster.h"

namespace plat {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

}  // namespace

bool EllipseGeom::span(int y, int& l, int& r) const {
  if (y < y0 || y > y1) return false;
  const double dy = (y + 0.5 - cy) / b;
  const double v = std::max(0.0, 1.0 - dy * dy);
  const double half = a * std::sqrt(v) + 1e-9;
  l = static_cast<int>(std::ceil(cx - 0.5 - half));
  r = static_cast<int>(std::floor(cx - 0.5 + half));
  if (l > r) std::swap(l, r);  // narrower than a pixel: the middle one or two
  l = std::max(l, x0);
  r = std::min(r, x1);
  return true;
}

void EllipseGeom::interior(int y, int l, int r, int& il, int& ir) const {
  int la, ra, lb, rb;
  if (!span(y - 1, la, ra) || !span(y + 1, lb, rb)) {
    il = 1;
    ir = 0;
    return;
  }
  il = std::max({l + 1, la, lb});
  ir = std::min({r - 1, ra, rb});
}

double EllipseGeom::angle_of(double x, double y) const { return std::atan2(-(y + 0.5 - cy), x + 0.5 - cx); }

EllipseGeom EllipseGeomOf(int left, int top, int right, int bottom, bool null_pen) {
  int l = ClampCoord(left), t = ClampCoord(top), r = ClampCoord(right), b = ClampCoord(bottom);
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  EllipseGeom g;
  g.x0 = l;
  g.y0 = t;
  g.x1 = r - (null_pen ? 2 : 1);
  g.y1 = b - (null_pen ? 2 : 1);
  g.cx = (g.x0 + g.x1 + 1) / 2.0;
  g.cy = (g.y0 + g.y1 + 1) / 2.0;
  g.a = (g.x1 - g.x0 + 1) / 2.0;
  g.b = (g.y1 - g.y0 + 1) / 2.0;
  return g;
}

std::vector<OutlinePixel> OrderedOutline(const EllipseGeom& g, const RECT& part, double from) {
  std::vector<OutlinePixel> out;
  for (int y = std::max(static_cast<int>(part.top), g.y0); y <= std::min(static_cast<int>(part.bottom), g.y1); ++y) {
    int l, r, il, ir;
    if (!g.span(y, l, r)) continue;
    g.interior(y, l, r, il, ir);
    l = std::max(l, static_cast<int>(part.left));
    r = std::min(r, static_cast<int>(part.right));
    for (int x = l; x <= r; ++x) {
      if (x >= il && x <= ir) {
        x = ir;
        continue;
      }
      double t = g.angle_of(x, y) - from;
      t = std::fmod(t + 2 * kTwoPi, kTwoPi);
      out.push_back({x, y, t});
    }
  }
  std::sort(out.begin(), out.end(), [](const OutlinePixel& p, const OutlinePixel& q) { return p.angle < q.angle; });
  return out;
}

RECT OutlinePart(const EllipseGeom& g, const RECT& lc) {
  if (static_cast<long>(g.y1) - g.y0 <= 16384 && static_cast<long>(g.x1) - g.x0 <= 16384)
    return RECT{g.x0, g.y0, g.x1, g.y1};
  return RECT{lc.left - 1, lc.top - 1, lc.right, lc.bottom};
}

int OutlineRuns(int l, int r, int il, int ir, const RECT& lc, int runs[2][2]) {
  if (il > ir) {
    il = r + 1;
    ir = r;
  }
  // Pixels beyond the clip rectangle draw nothing.
  const int cl = static_cast<int>(lc.left) - 1, cr = static_cast<int>(lc.right);
  int n = 0;
  const int a0 = std::max(l, cl), a1 = std::min(il - 1, cr);
  if (a0 <= a1) {
    runs[n][0] = a0;
    runs[n++][1] = a1;
  }
  const int b0 = std::max({ir + 1, il, cl}), b1 = std::min(r, cr);
  if (b0 <= b1) {
    runs[n][0] = b0;
    runs[n++][1] = b1;
  }
  return n;
}

}  // namespace plat
