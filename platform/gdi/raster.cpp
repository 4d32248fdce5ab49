// Pixel primitives: targets, resolved pens and brushes, spans, pen pixels
// and pen lines.
#include "platform/gdi/raster.h"

#include <algorithm>

#include "platform/gdi/dc.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/widepen.h"

namespace plat {

Target TargetOf(DeviceContext* dc) {
  Target t;
  if (dc == nullptr || dc->surface == nullptr) return t;
  t.surface = dc->surface;
  ++dc->surface->changes;  // every drawing operation takes its target here
  t.clip = DrawableRect(dc);
  t.ox = dc->origin.x;
  t.oy = dc->origin.y;
  t.holes = dc->holes.data();
  t.nholes = static_cast<int>(dc->holes.size());
  return t;
}

PenPaint PenOf(DeviceContext* dc) {
  PenPaint p;
  const GdiObject* o = dc->pen;
  if (o == nullptr || o->style == PS_NULL) return p;
  p.null = false;
  p.colour = ResolvePixel(dc, o->colour);
  p.style = o->style;
  p.width = o->width;
  p.opaque = dc->bk_mode == OPAQUE;
  p.bk = ResolvePixel(dc, dc->bk_colour);
  return p;
}

namespace {

bool hatch_on(int hatch, int x, int y) {
  switch (hatch) {
    case HS_HORIZONTAL: return y == 0;
    case HS_VERTICAL: return x == 0;
    case HS_FDIAGONAL: return x == y;
    case HS_BDIAGONAL: return x + y == 7;
    case HS_CROSS: return x == 0 || y == 0;
    case HS_DIAGCROSS: return x == y || x + y == 7;
    default: return false;
  }
}

}  // namespace

BrushPaint BrushOf(DeviceContext* dc, GdiObject* o) {
  BrushPaint b;
  if (o == nullptr || o->kind != ObjKind::Brush || o->style == BS_NULL) return b;
  b.null = false;
  switch (o->style) {
    case BS_SOLID:
      b.solid = true;
      b.colour = ResolvePixel(dc, o->colour);
      b.pattern.fill(b.colour);
      break;
    case BS_HATCHED: {
      const std::uint32_t fg = ResolvePixel(dc, o->colour);
      const std::uint32_t bg = ResolvePixel(dc, dc->bk_colour);
      b.mask = 0;
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
          const std::size_t i = static_cast<std::size_t>(y * 8 + x);
          const bool on = hatch_on(o->hatch, x, y);
          b.pattern[i] = on ? fg : bg;
          if (on || dc->bk_mode == OPAQUE) b.mask |= 1ull << i;
        }
      break;
    }
    default:  // BS_PATTERN
      for (std::size_t i = 0; i < 64; ++i) b.pattern[i] = PixelOf(ResolveColour(dc, ColourOf(o->pattern[i])));
      break;
  }
  return b;
}

void FillSpan(const Target& t, int y, int x0, int x1, const BrushPaint& b, int rop) {
  if (b.null) return;
  const int sy = y + t.oy;
  if (sy < t.clip.top || sy >= t.clip.bottom) return;
  const int s0 = std::max(x0 + t.ox, static_cast<int>(t.clip.left));
  const int s1 = std::min(x1 + t.ox, static_cast<int>(t.clip.right));
  if (s0 >= s1) return;
  std::uint32_t* row = t.surface->row(sy);
  const int py = (y & 7) * 8;
  t.runs(sy, s0, s1, [&](int a, int e) {
    if (b.solid && b.mask == ~0ull) {
      if (rop == R2_COPYPEN) {
        std::fill(row + a, row + e, b.colour);
      } else {
        for (int sx = a; sx < e; ++sx) row[sx] = Rop2(rop, b.colour, row[sx]);
      }
      return;
    }
    for (int sx = a; sx < e; ++sx) {
      const std::size_t i = static_cast<std::size_t>(py + ((sx - t.ox) & 7));
      if ((b.mask >> i & 1u) == 0) continue;
      row[sx] = rop == R2_COPYPEN ? b.pattern[i] : Rop2(rop, b.pattern[i], row[sx]);
    }
  });
}

DashPattern DashOf(int style) {
  DashPattern d;
  auto set = [&](std::initializer_list<int> runs) {
    for (int r : runs) {
      d.runs[static_cast<std::size_t>(d.count++)] = r;
      d.period += r;
    }
  };
  switch (style) {
    case PS_DASH: set({18, 6}); break;
    case PS_DOT: set({3, 3}); break;
    case PS_DASHDOT: set({9, 6, 3, 6}); break;
    case PS_DASHDOTDOT: set({9, 3, 3, 3, 3, 3}); break;
    default: break;
  }
  return d;
}

void PutPenPixel(const Target& t, const PenPaint& pen, int rop, int x, int y, bool on) {
  if (!on && !pen.opaque) return;
  const std::uint32_t c = on ? pen.colour : pen.bk;
  if (pen.width <= 1) {
    PutPixel(t, x, y, c, rop);
    return;
  }
  const int h = (pen.width - 1) / 2;
  for (int yy = y - h; yy < y - h + pen.width; ++yy)
    for (int xx = x - h; xx < x - h + pen.width; ++xx) PutPixel(t, xx, yy, c, rop);
}

void DrawPenLine(const Target& t, const PenPaint& pen, int rop, int x0, int y0, int x1, int y1, int& phase) {
  if (pen.null || t.empty()) return;
  if (pen.width > 1) {
    WideStroke s(t, pen, rop);
    s.line(x0, y0, x1, y1);
    s.paint();
    return;
  }
  const RECT box = t.logical_clip();
  const DashPattern dash = DashOf(pen.style);
  const int start = phase;
  const long n = WalkLine(x0, y0, x1, y1, box, [&](int x, int y, long i) {
    PutPenPixel(t, pen, rop, x, y, DashOn(dash, dash.period > 0 ? start + static_cast<int>(i % dash.period) : 0));
  });
  if (dash.period > 0) phase = static_cast<int>((start + n % dash.period) % dash.period);
}

}  // namespace plat
