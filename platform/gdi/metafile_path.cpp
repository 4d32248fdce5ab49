// Outlines and fill spans for metafile playback.
#include "platform/gdi/metafile_path.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace plat {

namespace {

constexpr int kBezierSteps = 16;   // segments of one curve
constexpr int kEllipseSteps = 64;  // segments of a whole ellipse
constexpr std::size_t kMaxPathPoints = 65536;

}  // namespace

void FlattenBezier(PathPoint from, PathPoint c1, PathPoint c2, PathPoint to, Figure& out) {
  for (int i = 1; i <= kBezierSteps; ++i) {
    const double t = static_cast<double>(i) / kBezierSteps, u = 1.0 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    out.push_back({a * from.x + b * c1.x + c * c2.x + d * to.x, a * from.y + b * c1.y + c * c2.y + d * to.y});
  }
}

Figure EllipseOutline(double l, double t, double r, double b) {
  const double cx = (l + r) / 2, cy = (t + b) / 2, rx = std::fabs(r - l) / 2, ry = std::fabs(b - t) / 2;
  Figure f;
  for (int i = 0; i < kEllipseSteps; ++i) {
    const double a = 2 * std::numbers::pi * i / kEllipseSteps;
    f.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
  }
  return f;
}

Figure RoundRectOutline(double l, double t, double r, double b, double cw, double ch) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  const double rx = std::min(std::fabs(cw) / 2, (r - l) / 2), ry = std::min(std::fabs(ch) / 2, (b - t) / 2);
  Figure f;
  // Quarter ellipses at the corners, counter-clockwise from the top right.
  const double centres[4][2] = {{r - rx, t + ry}, {l + rx, t + ry}, {l + rx, b - ry}, {r - rx, b - ry}};
  constexpr int kQuarter = kEllipseSteps / 4;
  for (int q = 0; q < 4; ++q)
    for (int i = 0; i <= kQuarter; ++i) {
      const double a = std::numbers::pi / 2 * (q + static_cast<double>(i) / kQuarter);
      f.push_back({centres[q][0] + rx * std::cos(a), centres[q][1] - ry * std::sin(a)});
    }
  return f;
}

void Path::moveto(PathPoint p) {
  if (points() >= kMaxPathPoints) return;
  figures.push_back({{p}, false});
}

void Path::lineto(PathPoint p) {
  if (points() >= kMaxPathPoints) return;
  if (figures.empty() || figures.back().closed) {
    const PathPoint start = figures.empty() ? p : figures.back().points.front();
    figures.push_back({{start}, false});
  }
  figures.back().points.push_back(p);
}

// A line after a closed figure starts a new figure where the closed one
// started.
void Path::close() {
  if (!figures.empty()) figures.back().closed = true;
}

PathPoint Path::current() const {
  if (figures.empty()) return {};
  const Fig& f = figures.back();
  return f.closed ? f.points.front() : f.points.back();
}

std::size_t Path::points() const {
  std::size_t n = 0;
  for (const Fig& f : figures) n += f.points.size();
  return n;
}

void PolygonSpans(const std::vector<std::vector<POINT>>& polygons, int fillmode, const RECT& box,
                  const std::function<void(int, int, int)>& span) {
  long ymin = box.bottom, ymax = box.top - 1;
  for (const auto& p : polygons)
    for (const POINT& q : p) {
      ymin = std::min<long>(ymin, q.y);
      ymax = std::max<long>(ymax, q.y);
    }
  ymin = std::max<long>(ymin, box.top);
  ymax = std::min<long>(ymax, box.bottom - 1);
  struct Cross {
    double x;
    int dir;
  };
  std::vector<Cross> xs;
  for (long y = ymin; y <= ymax; ++y) {
    const double yc = static_cast<double>(y) + 0.5;
    xs.clear();
    for (const auto& p : polygons) {
      const std::size_t n = p.size();
      for (std::size_t i = 0; i < n && n >= 2; ++i) {
        const POINT& a = p[i];
        const POINT& b = p[(i + 1) % n];
        if (a.y == b.y) continue;
        const bool down = a.y < b.y;
        const double ya = down ? a.y : b.y, yb = down ? b.y : a.y;
        if (yc < ya || yc >= yb) continue;
        xs.push_back({a.x + (yc - a.y) * static_cast<double>(b.x - a.x) / static_cast<double>(b.y - a.y), down ? 1 : -1});
      }
    }
    std::sort(xs.begin(), xs.end(), [](const Cross& u, const Cross& v) { return u.x < v.x; });
    int winding = 0;
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
      winding += xs[i].dir;
      const bool inside = fillmode == kFillWinding ? winding != 0 : (i % 2) == 0;
      if (!inside) continue;
      const long x0 = std::max(static_cast<long>(std::ceil(xs[i].x - 0.5)), static_cast<long>(box.left));
      const long x1 = std::min(static_cast<long>(std::ceil(xs[i + 1].x - 0.5)), static_cast<long>(box.right));
      if (x0 < x1) span(static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1));
    }
  }
}

}  // namespace plat
