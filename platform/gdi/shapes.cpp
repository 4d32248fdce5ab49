// Ellipses, arcs, pies and polygons.
//
// An ellipse is the set of pixels whose centres lie inside the ellipse
// inscribed in the box; its outline (the pen) is every such pixel with a
// four-neighbour outside, the rest is the brush. Arcs and pies take the part
// of that outline and interior whose direction from the centre lies between
// the two rays, counter-clockwise as seen on the screen.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/ellipse_outline.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/widepen.h"

namespace plat {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Sweep of the angular sector from `from` to `to`; a whole turn when equal.
double sweep_of(double from, double to) {
  double s = std::fmod(to - from + 2 * kTwoPi, kTwoPi);
  if (s < 1e-12) s = kTwoPi;
  return s;
}

// ---- Shape masks ----------------------------------------------------------

// Per-pixel record of what a shape puts where, so a pixel reached by both
// the brush and the pen (or twice by the pen) is drawn once.
constexpr std::uint8_t kBrush = 1;
constexpr std::uint8_t kPenOn = 2;
constexpr std::uint8_t kPenOff = 3;

struct Mask {
  RECT box;  // logical
  int w = 0;
  std::vector<std::uint8_t>* buf = nullptr;
  bool in(int x, int y) const { return x >= box.left && x < box.right && y >= box.top && y < box.bottom; }
  void set(int x, int y, std::uint8_t v) const {
    if (in(x, y)) (*buf)[static_cast<std::size_t>(y - box.top) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x - box.left)] = v;
  }
};

Mask make_mask(DeviceContext* dc, const Target& t, RECT shape, int pen_width) {
  RECT lc = t.logical_clip();
  const int grow = pen_width > 1 ? pen_width : 0;
  lc = {lc.left - grow, lc.top - grow, lc.right + grow, lc.bottom + grow};
  Mask m;
  m.box = IntersectRects(shape, lc);
  m.w = m.box.right - m.box.left;
  m.buf = &dc->scratch;
  dc->scratch.assign(static_cast<std::size_t>(m.w) * static_cast<std::size_t>(m.box.bottom - m.box.top), 0);
  return m;
}

void render_mask(const Target& t, const Mask& m, const PenPaint& pen, const BrushPaint& brush, int rop) {
  // A wide pen covers more than its pixels: it is painted over the brush
  // once the brush is done.
  const bool wide = !pen.null && pen.width > 1;
  std::optional<WideStroke> stroke;
  if (wide) stroke.emplace(t, pen, rop);
  for (int y = m.box.top; y < m.box.bottom; ++y) {
    const std::uint8_t* row = m.buf->data() + static_cast<std::size_t>(y - m.box.top) * static_cast<std::size_t>(m.w);
    int x = 0;
    while (x < m.w) {
      const std::uint8_t v = row[x];
      if (v == kBrush) {
        int e = x;
        while (e < m.w && row[e] == kBrush) ++e;
        FillSpan(t, y, m.box.left + x, m.box.left + e, brush, rop);
        x = e;
        continue;
      }
      if (wide && (v == kPenOn || v == kPenOff)) {
        int e = x;
        while (e < m.w && (row[e] == kPenOn || row[e] == kPenOff)) ++e;
        stroke->run(y, m.box.left + x, m.box.left + e - 1);
        x = e;
        continue;
      }
      if (v == kPenOn || v == kPenOff) PutPenPixel(t, pen, rop, m.box.left + x, y, v == kPenOn);
      ++x;
    }
  }
  if (wide) stroke->paint();
}

void mask_line(const Mask& m, const DashPattern& dash, int x0, int y0, int x1, int y1, int& phase) {
  const int start = phase;
  const long n = WalkLine(x0, y0, x1, y1, m.box, [&](int x, int y, long i) {
    m.set(x, y, DashOn(dash, dash.period > 0 ? start + static_cast<int>(i % dash.period) : 0) ? kPenOn : kPenOff);
  });
  if (dash.period > 0) phase = static_cast<int>((start + n % dash.period) % dash.period);
}

// The pixel where the ray at `angle` leaves the ellipse.
POINT ray_end(const EllipseGeom& g, double angle) {
  const double a = std::max(g.a - 0.5, 1e-6);
  const double b = std::max(g.b - 0.5, 1e-6);
  const double c = std::cos(angle), s = std::sin(angle);
  const double r = 1.0 / std::sqrt(c * c / (a * a) + s * s / (b * b));
  return {static_cast<LONG>(std::lround(g.cx - 0.5 + r * c)), static_cast<LONG>(std::lround(g.cy - 0.5 - r * s))};
}

double ray_angle(const EllipseGeom& g, int x, int y) {
  const double dx = x + 0.5 - g.cx, dy = y + 0.5 - g.cy;
  if (dx == 0 && dy == 0) return 0;
  return std::atan2(-dy, dx);
}

enum class ArcKind { Arc, Pie, Chord };

BOOL arc_or_pie(HDC hdc, ArcKind kind, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr) return FALSE;
  const Target t = TargetOf(dc);
  if (t.empty()) return TRUE;
  const PenPaint pen = PenOf(dc);
  const BrushPaint brush = kind != ArcKind::Arc ? BrushOf(dc, dc->brush) : BrushPaint{};
  const EllipseGeom g = EllipseGeomOf(left, top, right, bottom, pen.null);
  if (g.empty() || (pen.null && brush.null)) return TRUE;
  const double from = ray_angle(g, xs, ys);
  const double sweep = sweep_of(from, ray_angle(g, xe, ye));
  auto in_sector = [&](double a) { return a <= sweep + 1e-12; };
  const RECT shape{g.x0, g.y0, g.x1 + 1, g.y1 + 1};
  const Mask m = make_mask(dc, t, shape, pen.width);
  if (RectEmpty(m.box)) return TRUE;

  // A chord's brush: the pixels on the arc's side of the line between its
  // ends (the whole ellipse when the ends meet).
  const POINT cs = ray_end(g, from), ce = ray_end(g, from + sweep), cm = ray_end(g, from + sweep / 2);
  auto side = [&](double x, double y) {
    return (static_cast<double>(ce.x) - cs.x) * (y - cs.y) - (static_cast<double>(ce.y) - cs.y) * (x - cs.x);
  };
  const double arcside = side(cm.x, cm.y);
  auto in_shape = [&](int x, int y) {
    if (kind != ArcKind::Chord) return in_sector(std::fmod(g.angle_of(x, y) - from + 2 * kTwoPi, kTwoPi));
    if (sweep >= kTwoPi) return true;
    const double v = side(x, y);
    return v == 0 || (v > 0) == (arcside > 0);
  };
  if (!brush.null) {
    // The brush only where it can show: inside the clip rectangle.
    const RECT fill = IntersectRects(m.box, t.logical_clip());
    for (int y = fill.top; y < fill.bottom; ++y) {
      int l, r;
      if (!g.span(y, l, r)) continue;
      for (int x = std::max(l, static_cast<int>(fill.left)); x <= std::min(r, static_cast<int>(fill.right) - 1); ++x)
        if (in_shape(x, y)) m.set(x, y, kBrush);
    }
  }
  if (!pen.null) {
    const DashPattern dash = DashOf(pen.style);
    int phase = 0;
    for (const OutlinePixel& p : OrderedOutline(g, OutlinePart(g, m.box), from)) {
      if (!in_sector(p.angle)) break;
      m.set(p.x, p.y, DashOn(dash, phase) ? kPenOn : kPenOff);
      if (dash.period > 0) phase = (phase + 1) % dash.period;
    }
    if (kind == ArcKind::Pie && sweep < kTwoPi) {
      const int xc = static_cast<int>(std::floor(g.cx)), yc = static_cast<int>(std::floor(g.cy));
      mask_line(m, dash, ce.x, ce.y, xc, yc, phase);
      mask_line(m, dash, xc, yc, cs.x, cs.y, phase);
    }
    if (kind == ArcKind::Chord && sweep < kTwoPi) {
      mask_line(m, dash, ce.x, ce.y, cs.x, cs.y, phase);
      m.set(cs.x, cs.y, DashOn(dash, phase) ? kPenOn : kPenOff);
    }
  }
  render_mask(t, m, pen, brush, dc->rop2);
  return TRUE;
}

}  // namespace

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr) return FALSE;
  const Target t = TargetOf(dc);
  if (t.empty()) return TRUE;
  const PenPaint pen = PenOf(dc);
  const BrushPaint brush = BrushOf(dc, dc->brush);
  const EllipseGeom g = EllipseGeomOf(left, top, right, bottom, pen.null);
  if (g.empty()) return TRUE;
  const int rop = dc->rop2;
  const RECT lc = t.logical_clip();
  const int grow = pen.width > 1 ? pen.width : 0;
  const int ylo = std::max(g.y0, static_cast<int>(lc.top) - grow);
  const int yhi = std::min(g.y1, static_cast<int>(lc.bottom) - 1 + grow);
  const bool wide = !pen.null && pen.width > 1;
  const bool styled = !pen.null && pen.style != PS_SOLID && !wide;
  std::optional<WideStroke> stroke;
  if (wide) stroke.emplace(t, pen, rop);
  for (int y = ylo; y <= yhi; ++y) {
    int l, r;
    if (!g.span(y, l, r)) continue;
    if (pen.null) {
      FillSpan(t, y, l, r + 1, brush, rop);
      continue;
    }
    int il, ir;
    g.interior(y, l, r, il, ir);
    if (il <= ir) {
      FillSpan(t, y, il, ir + 1, brush, rop);
    } else {
      il = r + 1;
      ir = r;
    }
    if (styled) continue;
    if (wide) {
      if (l < il) stroke->run(y, l, il - 1);
      if (std::max(ir + 1, il) <= r) stroke->run(y, std::max(ir + 1, il), r);
      continue;
    }
    int runs[2][2];
    const int n = OutlineRuns(l, r, il, ir, lc, runs);
    for (int k = 0; k < n; ++k)
      for (int x = runs[k][0]; x <= runs[k][1]; ++x) PutPenPixel(t, pen, rop, x, y, true);
  }
  if (wide) stroke->paint();
  if (styled) {
    const DashPattern dash = DashOf(pen.style);
    int phase = 0;
    for (const OutlinePixel& p : OrderedOutline(g, OutlinePart(g, lc), 0.0)) {
      PutPenPixel(t, pen, rop, p.x, p.y, DashOn(dash, phase));
      phase = (phase + 1) % dash.period;
    }
  }
  return TRUE;
}

BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  return arc_or_pie(dc, ArcKind::Arc, left, top, right, bottom, xs, ys, xe, ye);
}

BOOL Pie(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  return arc_or_pie(dc, ArcKind::Pie, left, top, right, bottom, xs, ys, xe, ye);
}

BOOL Chord(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  return arc_or_pie(dc, ArcKind::Chord, left, top, right, bottom, xs, ys, xe, ye);
}

// ---- Polygons ---------------------------------------------------------------

BOOL Polygon(HDC hdc, const POINT* points, int count) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr || points == nullptr || count < 2 || count > kMaxPolyPoints) return FALSE;
  const Target t = TargetOf(dc);
  if (t.empty()) return TRUE;
  const PenPaint pen = PenOf(dc);
  const BrushPaint brush = BrushOf(dc, dc->brush);
  std::vector<POINT> p(points, points + count);
  RECT shape{p[0].x, p[0].y, p[0].x, p[0].y};
  for (POINT& q : p) {
    q.x = ClampCoord(q.x);
    q.y = ClampCoord(q.y);
    shape.left = std::min(shape.left, q.x);
    shape.top = std::min(shape.top, q.y);
    shape.right = std::max(shape.right, q.x);
    shape.bottom = std::max(shape.bottom, q.y);
  }
  shape.right += 1;
  shape.bottom += 1;
  const Mask m = make_mask(dc, t, shape, pen.width);
  if (RectEmpty(m.box)) return TRUE;
  if (!brush.null) {
    // Even-odd rule, sampled at pixel centres, inside the clip rectangle.
    const RECT fill = IntersectRects(m.box, t.logical_clip());
    std::vector<double> xs;
    for (int y = fill.top; y < fill.bottom; ++y) {
      const double yc = y + 0.5;
      xs.clear();
      for (int i = 0; i < count; ++i) {
        const POINT& a = p[static_cast<std::size_t>(i)];
        const POINT& b = p[static_cast<std::size_t>((i + 1) % count)];
        if (a.y == b.y) continue;
        const bool down = a.y < b.y;
        const double ya = down ? a.y : b.y, yb = down ? b.y : a.y;
        if (yc < ya || yc >= yb) continue;
        xs.push_back(a.x + (yc - a.y) * static_cast<double>(b.x - a.x) / static_cast<double>(b.y - a.y));
      }
      std::sort(xs.begin(), xs.end());
      for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
        const long x0 = std::max(static_cast<long>(std::ceil(xs[i] - 0.5)), static_cast<long>(fill.left));
        const long x1 = std::min(static_cast<long>(std::ceil(xs[i + 1] - 0.5)), static_cast<long>(fill.right));
        for (long x = x0; x < x1; ++x) m.set(static_cast<int>(x), y, kBrush);
      }
    }
  }
  if (!pen.null) {
    const DashPattern dash = DashOf(pen.style);
    int phase = 0;
    for (int i = 0; i < count; ++i) {
      const POINT& a = p[static_cast<std::size_t>(i)];
      const POINT& b = p[static_cast<std::size_t>((i + 1) % count)];
      mask_line(m, dash, a.x, a.y, b.x, b.y, phase);
    }
  }
  render_mask(t, m, pen, brush, dc->rop2);
  return TRUE;
}

}  // namespace plat
