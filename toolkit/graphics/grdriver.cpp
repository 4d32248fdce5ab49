// Driver dispatch and the window driver: every numbered operation of the
// layer, turned from device coordinates (origin lower-left, y upward) into
// GDI coordinates and handed to the GDI drawing routines.
#include "toolkit/graphics/grdriver.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "toolkit/graphics/grcolours.h"
#include "toolkit/graphics/grhooks.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/graphics/mwing.h"
#include "toolkit/window/records.h"

namespace tsd {

GrTextHooks grtexthooks;
GrDriverHook grdriverhook = nullptr;

namespace {

// Caches of the window driver, invalid (-1) after the reset operation.
struct DriverCache {
  int prevcolour = -1;            // colour pair last sent
  int colour = -1;
  int font = -1;                  // hardware font last created
  int width = -1;
  int height = -1;
  int angle = -1;
  int family = -1;
  float baselineshift = 0.0f;     // created minus requested font height, halved
};

DriverCache cache;

// Two-colour stipple for odd fill operations 5..16, solid for even ones.
int fillof(int op) { return op % 2 == 1 ? 3 : 4; }

// Device rows (origin lower left) to GDI rows (origin top left); a row far
// outside the window stays far outside on the same side.
int flip(int y) { return isaturate(static_cast<long long>(grdevice.maxrow) - y); }

void opcolour() {
  if (grstate.prevcolour == cache.prevcolour && grstate.colour == cache.colour) return;
  int r = 0, g = 0, b = 0;
  xxpalg(grstate.colour, r, g, b);
  xxmwincolour(grstate.devcolour, r, g, b);
  cache.prevcolour = grstate.prevcolour;
  cache.colour = grstate.colour;
}

// Points of grpolybuf, truncated and flipped, into the GDI point buffer.
int loadpolybuf() {
  const int n = std::clamp(grdrvparams.count, 0, kPolyPoints);
  for (int i = 0; i < n; ++i)
    xxmwinpolpoint(itrunc(grpolybuf.x[i]), flip(itrunc(grpolybuf.y[i])), i);
  return n;
}

// A polygon's points as the GDI layer gets them. Points far outside the
// window (beyond the guard) would lose their place when truncated to
// integers, so the polygon is first cut to the guard rectangle around the
// window: inside the window it is the same polygon, and its edges keep
// their slopes.
constexpr double kGuard = 1 << 20;

struct DPt {
  double x, y;
};

// One pass of the cut: the part of the closed polygon `in` on the inner
// side of the line coordinate `axis` (0 x, 1 y) = `limit`.
void cutpolygon(const std::vector<DPt>& in, std::vector<DPt>& out, int axis, double limit, bool keepbelow) {
  out.clear();
  auto coord = [axis](const DPt& p) { return axis == 0 ? p.x : p.y; };
  auto inside = [&](const DPt& p) { return keepbelow ? coord(p) <= limit : coord(p) >= limit; };
  for (std::size_t i = 0; i < in.size(); ++i) {
    const DPt& a = in[i];
    const DPt& b = in[(i + 1) % in.size()];
    const bool ain = inside(a), bin = inside(b);
    if (ain) out.push_back(a);
    if (ain != bin) {
      const double f = (limit - coord(a)) / (coord(b) - coord(a));
      const DPt c = axis == 0 ? DPt{limit, a.y + f * (b.y - a.y)} : DPt{a.x + f * (b.x - a.x), limit};
      out.push_back(c);
    }
  }
}

int loadpolygon() {
  const int n = std::clamp(grdrvparams.count, 0, kPolyPoints);
  const double x1 = -kGuard, y1 = -kGuard;
  const double x2 = static_cast<double>(grdevice.width) + kGuard, y2 = static_cast<double>(grdevice.height) + kGuard;
  bool far = false;
  for (int i = 0; i < n && !far; ++i)
    far = !(grpolybuf.x[i] >= x1 && grpolybuf.x[i] <= x2 && grpolybuf.y[i] >= y1 && grpolybuf.y[i] <= y2);
  if (!far) return loadpolybuf();
  std::vector<DPt> a, b;
  for (int i = 0; i < n; ++i) {
    // A point that is not a number has no place at all: it is left out.
    if (std::isnan(grpolybuf.x[i]) || std::isnan(grpolybuf.y[i])) continue;
    a.push_back(DPt{std::clamp<double>(grpolybuf.x[i], -1e30, 1e30), std::clamp<double>(grpolybuf.y[i], -1e30, 1e30)});
  }
  cutpolygon(a, b, 0, x1, false);
  cutpolygon(b, a, 0, x2, true);
  cutpolygon(a, b, 1, y1, false);
  cutpolygon(b, a, 1, y2, true);
  const int m = std::min(static_cast<int>(a.size()), kGdiPoints);
  for (int i = 0; i < m; ++i)
    xxmwinpolpoint(isaturate(static_cast<long long>(a[static_cast<std::size_t>(i)].x)),
                   flip(isaturate(static_cast<long long>(a[static_cast<std::size_t>(i)].y))), i);
  return m;
}

// Start and end points of a pie, pulled apart by one pixel when they meet.
void piegeometry(int& xs, int& ys, int& xe, int& ye) {
  const GrDrvParams& p = grdrvparams;
  const float cx = static_cast<float>(p.ix1);
  const float cy = static_cast<float>(p.iy1);
  xs = itrunc(cx + p.fx2 * std::cos(p.fx3));
  ys = itrunc(cy + p.fy2 * std::sin(p.fx3));
  xe = itrunc(cx + p.fx2 * std::cos(p.fy3));
  ye = itrunc(cy + p.fy2 * std::sin(p.fy3));
  ys = flip(ys);
  ye = flip(ye);
  if (xs == xe && ys == ye && p.fy4 <= 10.0f) {
    float a = std::fabs(p.fx4);
    if (std::isfinite(a)) a = std::fmod(a, 360.0f);
    if (a < 90.0f) {
      xs -= 1;
      ye -= 1;
    } else if (a < 180.0f) {
      xs -= 1;
      ye += 1;
    } else if (a < 270.0f) {
      xs += 1;
      ye += 1;
    } else {
      xs += 1;
      ye -= 1;
    }
  }
}

void opfontsize() {
  GrState& s = grstate;
  s.charsacross = s.winwidth * s.basecharw / (s.areadevwidth * s.charfw);
  s.charsdown = s.winheight * s.basecharh / (s.areadevheight * s.charfh);
  int width = itrunc(s.winwidth / s.charsacross);
  int height = itrunc(s.winheight / s.charsdown);
  const int angle = itrunc(s.textangle);
  int family = 0;
  if (s.spacing != 0) {
    family = (((s.fontnumber - 1) % 8) + 4) / 4;
    width = itrunc(0.589f * static_cast<float>(width));
    height = itrunc(0.821f * static_cast<float>(height));
  }
  if (s.fontnumber == cache.font && width == cache.width && height == cache.height &&
      angle == cache.angle && family == cache.family)
    return;
  cache.font = s.fontnumber;
  cache.width = width;
  cache.height = height;
  cache.angle = angle;
  cache.family = family;
  int created = height;
  xxmwintextsize(s.fontnumber, width, created, angle, family);
  cache.baselineshift = static_cast<float>(created - height) * 0.5f;
}

void optext() {
  const GrState& s = grstate;
  GrDrvParams& p = grdrvparams;
  std::string_view text;
  if (grtexthooks.textbuffer != nullptr) text = grtexthooks.textbuffer();
  const int n = std::min(std::max(p.ix1, 0), static_cast<int>(text.size()));
  const float hx = s.textheightx;
  const float hy = s.textheighty;
  const float x = p.fx1 - 0.5f * hx;
  const float y = cache.family == 0 || cache.family == -1 ? p.fy1 + 0.5f * hy
                                                         : p.fy1 + 0.4f * hy - cache.baselineshift;
  if (s.vertical == 0) {
    xxmwindrawstring(itrunc(x), flip(itrunc(y)), text.data(), n);
  } else {
    for (int i = 1; i <= n; ++i) {
      const float fi = static_cast<float>(i - 1);
      xxmwindrawstring(itrunc(x + fi * hx), flip(itrunc(y - fi * hy)), text.data() + (i - 1), 1);
    }
  }
  p.fy4 = 0.55f;
}

void opblit() {
  const GrDrvParams& p = grdrvparams;
  const int x1 = std::min(p.ix1, p.ix2);
  const int x2 = std::max(p.ix1, p.ix2);
  const int y1 = std::min(p.iy1, p.iy2);
  const int y2 = std::max(p.iy1, p.iy2);
  const int w = x2 - x1 + 1;
  const int h = y2 - y1 + 1;
  xxmwinblit(x1, flip(y2), p.ix3, flip(p.iy3 + h - 1), w, h, p.marker);
}

void opclip() {
  const GrState& s = grstate;
  const int l = grdevice.maxrow;
  if (s.pixx1 < 1 && s.pixx2 >= grdevice.width - 1 && s.pixy1 < 1 && s.pixy2 >= l)
    xxmwinclip(0, 0, 0, -1);
  else
    xxmwinclip(s.pixx1, l - s.pixy2, s.pixx2, l - s.pixy1);
}

// Table of the device's colour count: 256, 16 or the 128-entry table.
void tableentry(int n, int i, int& r, int& g, int& b) {
  if (n >= 256)
    xxpalg(i, r, g, b);
  else if (n == 16)
    xxpalg16(i, r, g, b);
  else
    xxpalg32(i, r, g, b);
}

int tablesize(int n) { return n >= 256 ? 256 : (n == 16 ? 16 : std::min(n, 128)); }

void oppaletteentry() {
  const int n = grdevice.ncolours;
  if (n <= 8) return;
  const GrDrvParams& p = grdrvparams;
  const int index = p.marker;
  if (index < 0 || index >= tablesize(n)) return;
  int r = 0, g = 0, b = 0;
  tableentry(n, index, r, g, b);
  if (r != p.ix1 || g != p.ix2 || b != p.ix3) xxmwinpalette(index, p.ix1, p.ix2, p.ix3, 0);
}

void oploadpalette() {
  const int n = grdevice.ncolours;
  if (n <= 8) return;
  const int count = tablesize(n);
  for (int i = 0; i < count; ++i) {
    int r = 0, g = 0, b = 0;
    tableentry(n, i, r, g, b);
    const int batch = i == 0 ? 1 : (i == count - 1 ? 3 : 2);
    xxmwinpalette(i, r, g, b, batch);
  }
}

void opreadpixel() {
  GrDrvParams& p = grdrvparams;
  int colour = -1;
  xxmwingetpixelcol(colour, p.ix1, flip(p.iy1));
  if (colour == -1) {
    p.ix1 = p.ix2 = p.ix3 = -1;
  } else {
    const auto c = static_cast<plat::COLORREF>(colour);
    p.ix1 = plat::GetRValue(c);
    p.ix2 = plat::GetGValue(c);
    p.ix3 = plat::GetBValue(c);
  }
}

void opreset() {
  cache = DriverCache{};
  grstate.textword[0] = 8;
  grstate.anglesteps[0] = 360;
  grstate.sizelimit[0] = 1.7e38f;
}

}  // namespace

int xxhdrv(int /*op*/) { return 0; }

int xxgdrv(int op) {
  if (tkdevices.screenon > 0) {
    if (grdriverhook != nullptr && grdriverhook(op)) return 0;
    xxgmswin(op);
  }
  return 0;
}

int xxgmswin(int op) {
  GrDrvParams& p = grdrvparams;
  if (op < 0 || op > kDrvLastOp) op = kDrvLineAlt;
  switch (op) {
    case kDrvLineAlt:
    case kDrvLine:
      xxmwinline(p.ix1, flip(p.iy1), p.ix2, flip(p.iy2));
      break;
    case kDrvNoneAlt:
    case kDrvNone:
    case kDrvNoneSpare:
      break;
    case kDrvColour:
      opcolour();
      break;
    case kDrvEllipseOutline:
      xxmwinellipse(p.ix1, flip(p.iy1), p.ix2, p.iy2, 4, 0);
      break;
    case kDrvEllipseStipple:
    case kDrvEllipseSolid:
      xxmwinellipse(p.ix1, flip(p.iy1), p.ix2, p.iy2, op, fillof(op));
      break;
    case kDrvQuadStipple:
    case kDrvQuadSolid:
      xxmwinpolpoint(p.ix1, flip(p.iy1), 0);
      xxmwinpolpoint(p.ix2, flip(p.iy2), 1);
      xxmwinpolpoint(p.ix3, flip(p.iy3), 2);
      xxmwinpolpoint(p.ix4, flip(p.iy4), 3);
      xxmwinpolygon(4, fillof(op));
      break;
    case kDrvRectangleStipple:
    case kDrvRectangleSolid:
      xxmwinrectangle(p.ix1, flip(p.iy2), p.ix2, flip(p.iy1), fillof(op));
      break;
    case kDrvTriangleStipple:
    case kDrvTriangleSolid:
      xxmwinpolpoint(p.ix1, flip(p.iy1), 0);
      xxmwinpolpoint(p.ix2, flip(p.iy2), 1);
      xxmwinpolpoint(p.ix3, flip(p.iy3), 2);
      xxmwinpolygon(3, fillof(op));
      break;
    case kDrvPieStipple:
    case kDrvPieSolid:
    case kDrvOutlinePie: {
      int xs = 0, ys = 0, xe = 0, ye = 0;
      piegeometry(xs, ys, xe, ye);
      const int rx = itrunc(p.fx2);
      const int ry = itrunc(p.fy2);
      if (op == kDrvOutlinePie)
        xxmwinoutlinearc(p.ix1, flip(p.iy1), rx, ry, xs, ys, xe, ye, grfill.pattern, grfill.density);
      else
        xxmwinarc(p.ix1, flip(p.iy1), rx, ry, xs, ys, xe, ye, fillof(op));
      break;
    }
    case kDrvPolygonStipple:
    case kDrvPolygonSolid:
      xxmwinpolygon(loadpolygon(), fillof(op));
      break;
    case kDrvClear: {
      int r = 0, g = 0, b = 0;
      xxpalg(0, r, g, b);
      xxmwinclear(r, g, b);
      break;
    }
    case kDrvReset:
      opreset();
      break;
    case kDrvClose:
      xxmwinclose();
      break;
    case kDrvFontSize:
    case kDrvFontSizeScaled:
    case kDrvFontSizeSpare:
      opfontsize();
      break;
    case kDrvText:
      optext();
      break;
    case kDrvMoveRectangle:
      opblit();
      break;
    case kDrvClip:
      opclip();
      break;
    case kDrvPoint:
      xxmwinpoint(p.ix1, flip(p.iy1));
      break;
    case kDrvPlotMode:
      xxmwinplotmode(grstate.plotmode);
      break;
    case kDrvPaletteEntry:
      oppaletteentry();
      break;
    case kDrvLineType:
      xxmwinlinetype(grstate.linetype);
      break;
    case kDrvReadPixel:
      opreadpixel();
      break;
    case kDrvPolyline:
      xxmwinpolyline(loadpolybuf());
      break;
    case kDrvLoadPalette:
      oploadpalette();
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace tsd
