// Lines, rectangles and pixels.
#include "platform/gdi/draw.h"

#include <algorithm>
#include <utility>

#include "platform/gdi/dc.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/widepen.h"

namespace plat {

int ClampCoord(long v) {
  constexpr long kLimit = 1L << 26;  // far outside any surface, safe in the line arithmetic
  return static_cast<int>(std::clamp(v, -kLimit, kLimit));
}

BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr) return FALSE;
  if (previous != nullptr) *previous = dc->position;
  dc->position = {x, y};
  dc->style_phase = 0;
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr) return FALSE;
  const Target t = TargetOf(dc);
  DrawPenLine(t, PenOf(dc), dc->rop2, ClampCoord(dc->position.x), ClampCoord(dc->position.y), ClampCoord(x),
              ClampCoord(y), dc->style_phase);
  dc->position = {x, y};
  return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr || points == nullptr || count < 2 || count > kMaxPolyPoints) return FALSE;
  const Target t = TargetOf(dc);
  const PenPaint pen = PenOf(dc);
  if (!pen.null && pen.width > 1) {
    // One stroke, so the joints are painted once.
    WideStroke s(t, pen, dc->rop2);
    for (int i = 1; i < count; ++i)
      s.line(ClampCoord(points[i - 1].x), ClampCoord(points[i - 1].y), ClampCoord(points[i].x),
             ClampCoord(points[i].y));
    s.paint();
    return TRUE;
  }
  int phase = 0;
  for (int i = 1; i < count; ++i)
    DrawPenLine(t, pen, dc->rop2, ClampCoord(points[i - 1].x), ClampCoord(points[i - 1].y), ClampCoord(points[i].x),
                ClampCoord(points[i].y), phase);
  return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr) return FALSE;
  int l = ClampCoord(left), t = ClampCoord(top), r = ClampCoord(right), b = ClampCoord(bottom);
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  const Target tg = TargetOf(dc);
  if (tg.empty()) return TRUE;
  const PenPaint pen = PenOf(dc);
  const BrushPaint brush = BrushOf(dc, dc->brush);
  const int rop = dc->rop2;
  const RECT lc = tg.logical_clip();
  auto fill = [&](int x0, int y0, int x1, int y1) {  // exclusive
    for (int y = std::max(y0, static_cast<int>(lc.top)); y < std::min(y1, static_cast<int>(lc.bottom)); ++y)
      FillSpan(tg, y, x0, x1, brush, rop);
  };
  if (pen.null) {
    // The null pen leaves out the right column and bottom row as well.
    fill(l, t, r - 1, b - 1);
    return TRUE;
  }
  if (r - l < 1 || b - t < 1) return TRUE;
  fill(l + 1, t + 1, r - 1, b - 1);
  int phase = 0;
  if (r - l == 1 && b - t == 1) {
    PutPenPixel(tg, pen, rop, l, t, true);
    return TRUE;
  }
  if (r - l == 1 || b - t == 1) {
    DrawPenLine(tg, pen, rop, l, t, r - 1 + (r - l == 1 ? 0 : 1), b - 1 + (b - t == 1 ? 0 : 1), phase);
    return TRUE;
  }
  if (pen.width > 1) {
    WideStroke s(tg, pen, rop);
    s.line(l, t, r - 1, t);
    s.line(r - 1, t, r - 1, b - 1);
    s.line(r - 1, b - 1, l, b - 1);
    s.line(l, b - 1, l, t);
    s.paint();
    return TRUE;
  }
  DrawPenLine(tg, pen, rop, l, t, r - 1, t, phase);
  DrawPenLine(tg, pen, rop, r - 1, t, r - 1, b - 1, phase);
  DrawPenLine(tg, pen, rop, r - 1, b - 1, l, b - 1, phase);
  DrawPenLine(tg, pen, rop, l, b - 1, l, t, phase);
  return TRUE;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  DeviceContext* dc = AsDC(hdc);
  GdiObject* b = AsObject(brush, ObjKind::Brush);
  if (dc == nullptr || rect == nullptr || b == nullptr) return 0;
  const Target t = TargetOf(dc);
  if (t.empty()) return 1;
  const BrushPaint paint = BrushOf(dc, b);
  const RECT lc = t.logical_clip();
  const int x0 = ClampCoord(rect->left), x1 = ClampCoord(rect->right);
  for (int y = std::max(rect->top, lc.top); y < std::min(rect->bottom, lc.bottom); ++y)
    FillSpan(t, y, x0, x1, paint, R2_COPYPEN);
  return 1;
}

namespace {

bool InClipLong(const Target& t, int x, int y) {
  const long sx = static_cast<long>(x) + t.ox;
  const long sy = static_cast<long>(y) + t.oy;
  return sx >= t.clip.left && sx < t.clip.right && sy >= t.clip.top && sy < t.clip.bottom;
}

}  // namespace

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF colour) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr) return CLR_INVALID;
  const Target t = TargetOf(dc);
  if (t.empty() || !InClipLong(t, x, y)) return CLR_INVALID;
  if (t.in_hole(static_cast<long>(x) + t.ox, static_cast<long>(y) + t.oy)) return CLR_INVALID;
  const COLORREF c = ResolveColour(dc, colour);
  t.surface->row(y + t.oy)[x + t.ox] = PixelOf(c);
  return c;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr) return CLR_INVALID;
  const Target t = TargetOf(dc);
  if (t.empty() || !InClipLong(t, x, y)) return CLR_INVALID;
  return ColourOf(t.surface->row(y + t.oy)[x + t.ox]);
}

}  // namespace plat
