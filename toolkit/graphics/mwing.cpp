// GDI drawing layer, part one: pens, colours, lines, points and filled
// shapes on the shared device context.
#include "toolkit/graphics/mwing.h"

#include "platform/gdi/dc.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/palette.h"
#include "platform/gdi/region.h"
#include "platform/gdi/bitmap.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/graphics/mwingstate.h"
#include "toolkit/window/records.h"

namespace tsd {

namespace mwing {

State state;

void replacepen() {
  if (hdc == nullptr) return;
  plat::HPEN pen = plat::CreatePen(gLinetype, 1, state.current);
  plat::HGDIOBJ prev = plat::SelectObject(hdc, pen);
  if (gPen != nullptr)
    plat::DeleteObject(gPen);
  else
    penOLD = prev;
  gPen = pen;
}

bool solidline() { return gLinetype == plat::PS_SOLID; }

plat::HBRUSH stipplebrush() {
  plat::COLORREF a = state.current;
  plat::COLORREF b = state.previous;
  if (ngColours == 2) {
    a = plat::GetNearestColor(hdc, plat::RGB(0, 0, 0));
    b = plat::GetNearestColor(hdc, plat::RGB(255, 255, 255));
  }
  if (gBitmap == nullptr) {
    gBitmap = plat::CreateCompatibleBitmap(hdc, 8, 8);
    gStippleExists = 1;
    gStippleChanged = 1;
  }
  if (gStippleChanged != 0) {
    plat::HDC mem = plat::CreateCompatibleDC(hdc);
    plat::HGDIOBJ oldbmp = plat::SelectObject(mem, gBitmap);
    plat::HPALETTE oldpal = nullptr;
    if (gPal256 != nullptr) oldpal = plat::SelectPalette(mem, gPal256, plat::FALSE);
    for (int y = 0; y < 8; y += 2) {
      for (int x = 0; x < 8; x += 2) {
        plat::SetPixel(mem, x, y, a);
        plat::SetPixel(mem, x + 1, y, b);
        plat::SetPixel(mem, x, y + 1, b);
        plat::SetPixel(mem, x + 1, y + 1, a);
      }
    }
    if (gPal256 != nullptr) plat::SelectPalette(mem, oldpal, plat::FALSE);
    plat::SelectObject(mem, oldbmp);
    plat::DeleteDC(mem);
    gStippleChanged = 0;
  }
  return plat::CreatePatternBrush(gBitmap);
}

void clipon() {
  if (gRegion != nullptr) plat::SelectClipRgn(hdc, gRegion);
}

void clipoff() { plat::SelectClipRgn(hdc, nullptr); }

ShapeObjects::ShapeObjects(plat::HPEN pen, bool ownpen, plat::HBRUSH brush, bool ownbrush)
    : pen_(pen), brush_(brush), ownpen_(ownpen), ownbrush_(ownbrush) {
  oldpen_ = plat::SelectObject(hdc, pen_);
  oldbrush_ = plat::SelectObject(hdc, brush_);
}

ShapeObjects::~ShapeObjects() {
  plat::SelectObject(hdc, oldbrush_);
  plat::SelectObject(hdc, oldpen_);
  if (ownbrush_) plat::DeleteObject(brush_);
  if (ownpen_) plat::DeleteObject(pen_);
}

}  // namespace mwing

using mwing::ShapeObjects;
using mwing::state;

namespace {

plat::HPEN nullpen() { return plat::GetStockObject(plat::NULL_PEN); }
plat::HBRUSH hollowbrush() { return plat::GetStockObject(plat::HOLLOW_BRUSH); }
plat::HPEN solidpen() { return plat::CreatePen(plat::PS_SOLID, 1, state.current); }
plat::HBRUSH solidbrush() { return plat::CreateSolidBrush(state.current); }

// A corner of a shape's box: a centre plus or minus a radius and a few
// pixels, formed in 64 bits, so a shape far larger than the window keeps
// its box instead of wrapping around.
int corner(int centre, long long offset) { return isaturate(static_cast<long long>(centre) + offset); }

}  // namespace

int xxmwinline(int x1, int y1, int x2, int y2) {
  if (hdc == nullptr) return 0;
  plat::MoveToEx(hdc, x1, y1, nullptr);
  plat::LineTo(hdc, x2, y2);
  // The line leaves out its end pixel; a solid line gets it back.
  if (mwing::solidline()) plat::SetPixel(hdc, x2, y2, state.current);
  return 0;
}

int xxmwinpolpoint(int x, int y, int i) {
  if (i < 0 || i >= kGdiPoints) return 0;
  state.points[i] = plat::POINT{x, y};
  return 0;
}

int xxmwinpolyline(int n) {
  if (hdc == nullptr || n < 1) return 0;
  if (n > kGdiPoints) n = kGdiPoints;
  plat::Polyline(hdc, state.points, n);
  const plat::POINT& first = state.points[0];
  const plat::POINT& last = state.points[n - 1];
  if (mwing::solidline() && (last.x != first.x || last.y != first.y))
    plat::SetPixel(hdc, last.x, last.y, state.current);
  return 0;
}

int xxmwinpoint(int x, int y) {
  if (hdc != nullptr) plat::SetPixel(hdc, x, y, state.current);
  return 0;
}

int xxmwincolour(int index, int r, int g, int b) {
  state.index = index;
  state.previous = state.current;
  if (gPal256 != nullptr) {
    state.current = plat::PALETTEINDEX(index);
  } else if (ngColours == 2) {
    const bool black = (index == 0) != (InvertBW == 1);
    state.current = plat::GetNearestColor(hdc, black ? plat::RGB(0, 0, 0) : plat::RGB(255, 255, 255));
  } else {
    state.current = plat::GetNearestColor(hdc, plat::RGB(r, g, b));
  }
  gStippleChanged = 1;
  mwing::replacepen();
  return 0;
}

int xxmwinlinetype(int t) {
  static constexpr int kStyles[7] = {plat::PS_SOLID,   plat::PS_DOT,        plat::PS_DASH,
                                     plat::PS_DASHDOT, plat::PS_DASHDOTDOT, plat::PS_DASHDOT,
                                     plat::PS_DASH};
  if (t >= 0 && t <= 6) gLinetype = kStyles[t];
  mwing::replacepen();
  return 0;
}

int xxmwinplotmode(int m) {
  static constexpr int kRops[4] = {plat::R2_COPYPEN, plat::R2_MERGEPEN, plat::R2_MASKPEN,
                                   plat::R2_XORPEN};
  if (m >= 0 && m <= 3) gPlotmode = kRops[m];
  if (hdc != nullptr) plat::SetROP2(hdc, gPlotmode);
  return 0;
}

int xxmwinellipse(int xc, int yc, int rx, int ry, int op, int fill) {
  if (hdc == nullptr) return 0;
  const long long a = static_cast<long long>(rx) + 1;
  const long long b = static_cast<long long>(ry) + 1;
  const int extra = op != 4 && fill == 3 ? 2 : 1;  // the stipple has no pen to draw its edge
  const int left = corner(xc, -a), top = corner(yc, -b);
  const int right = corner(xc, a + extra), bottom = corner(yc, b + extra);
  mwing::clipon();
  {
    if (op == 4) {
      ShapeObjects objs(plat::CreatePen(gLinetype, 1, state.current), true, hollowbrush(), false);
      plat::Ellipse(hdc, left, top, right, bottom);
    } else if (fill == 3) {
      ShapeObjects objs(nullpen(), false, mwing::stipplebrush(), true);
      plat::Ellipse(hdc, left, top, right, bottom);
    } else {
      ShapeObjects objs(solidpen(), true, solidbrush(), true);
      plat::Ellipse(hdc, left, top, right, bottom);
    }
  }
  mwing::clipoff();
  return 0;
}

int xxmwinrectangle(int x1, int y1, int x2, int y2, int fill) {
  if (hdc == nullptr) return 0;
  ShapeObjects objs(nullpen(), false, fill == 3 ? mwing::stipplebrush() : solidbrush(), true);
  plat::Rectangle(hdc, x1, y1, corner(x2, 2), corner(y2, 2));
  return 0;
}

int xxmwinpolygon(int n, int fill) {
  if (hdc == nullptr || n < 1) return 0;
  if (n > kGdiPoints) n = kGdiPoints;
  mwing::clipon();
  {
    if (fill == 3) {
      ShapeObjects objs(nullpen(), false, mwing::stipplebrush(), true);
      plat::Polygon(hdc, state.points, n);
    } else if (gPlotmode == plat::R2_XORPEN) {
      ShapeObjects objs(nullpen(), false, solidbrush(), true);
      plat::Polygon(hdc, state.points, n);
    } else {
      ShapeObjects objs(solidpen(), true, solidbrush(), true);
      plat::Polygon(hdc, state.points, n);
    }
  }
  mwing::clipoff();
  return 0;
}

int xxmwinarc(int xc, int yc, int rx, int ry, int xs, int ys, int xe, int ye, int fill) {
  if (hdc == nullptr) return 0;
  const int extra = fill == 3 ? 3 : 2;
  const int left = corner(xc, -static_cast<long long>(rx) - 1), top = corner(yc, -static_cast<long long>(ry) - 1);
  const int right = corner(xc, static_cast<long long>(rx) + extra), bottom = corner(yc, static_cast<long long>(ry) + extra);
  mwing::clipon();
  {
    if (fill == 3) {
      ShapeObjects objs(nullpen(), false, mwing::stipplebrush(), true);
      plat::Pie(hdc, left, top, right, bottom, xs, ys, xe, ye);
    } else {
      ShapeObjects objs(solidpen(), true, solidbrush(), true);
      plat::Pie(hdc, left, top, right, bottom, xs, ys, xe, ye);
    }
  }
  mwing::clipoff();
  return 0;
}

int xxmwinoutlinearc(int xc, int yc, int rx, int ry, int xs, int ys, int xe, int ye, int pattern,
                     int density) {
  if (hdc == nullptr) return 0;
  const int left = corner(xc, -static_cast<long long>(rx) - 1), top = corner(yc, -static_cast<long long>(ry) - 1);
  const int right = corner(xc, static_cast<long long>(rx) + 2), bottom = corner(yc, static_cast<long long>(ry) + 2);
  plat::HGDIOBJ oldbrush = plat::SelectObject(hdc, hollowbrush());
  mwing::clipon();
  if (pattern < 3 || density > 0)
    plat::Pie(hdc, left, top, right, bottom, xs, ys, xe, ye);
  else
    plat::Arc(hdc, left, top, right, bottom, xs, ys, xe, ye);
  mwing::clipoff();
  plat::SelectObject(hdc, oldbrush);
  return 0;
}

int xxmwinclear(int r, int g, int b) {
  if (hdc == nullptr) return 0;
  const plat::COLORREF c = gPal256 != nullptr ? plat::PALETTEINDEX(0)
                                              : plat::GetNearestColor(hdc, plat::RGB(r, g, b));
  const int rop = plat::SetROP2(hdc, plat::R2_COPYPEN);
  {
    ShapeObjects objs(nullpen(), false, plat::CreateSolidBrush(c), true);
    plat::Rectangle(hdc, 0, 0, WinWidth + 1, WinHeight + 1);
  }
  plat::SetROP2(hdc, rop);
  return 0;
}

int xxmwinclip(int x1, int y1, int x2, int y2) {
  if (gRegion != nullptr) plat::DeleteObject(gRegion);
  gRegion = y2 == -1 ? nullptr : plat::CreateRectRgn(x1, y1, x2, y2);
  return 0;
}

int xxmwingetpixelcol(int& colour, int x, int y) {
  colour = -1;
  if (hdc == nullptr || x < 0 || y < 0 || x >= WinWidth || y >= WinHeight) return 0;
  const plat::COLORREF c = plat::GetPixel(hdc, x, y);
  if (c != plat::CLR_INVALID) colour = static_cast<int>(c & 0x00ffffffu);
  return 0;
}

}  // namespace tsd
