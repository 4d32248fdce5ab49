// Circles and ellipses: one driver operation when the window driver can
// draw the shape, else an outline of short segments and hatch chords drawn
// by the layer itself.
#include <algorithm>
#include <cmath>

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grdriver.h"
#include "toolkit/graphics/grlines.h"
#include "toolkit/graphics/grmapping.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/graphics/grshapes.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/records.h"

namespace tsd {

namespace {

constexpr float kPi = 3.14159265f;
// The outline's angle runs up to this bound (a little past pi).
constexpr float kHalfTurnBound = 3.1416926f;

float clampunit(float v) { return std::max(-1.0f, std::min(1.0f, v)); }

// First multiple of step at or after lo, starting from the pixel of lo.
float firstline(float lo, float step) {
  const int istep = std::max(1, itrunc(step));
  float v = static_cast<float>((itrunc(lo) / istep) * istep);
  while (v < lo) v += step;
  return v;
}

struct Ellipse {
  float xc, yc, rx, ry, yb, yt, xl, xr;
};

void horizontalchords(const Ellipse& e, float step, float shift, float shorten) {
  float y = firstline(e.yb, step) + shift;
  while (y < e.yb) y += step;
  for (; y < e.yt; y += step) {
    const float a = std::acos(clampunit((y - e.yc) / e.ry));
    const float d = static_cast<float>(itrunc(std::fabs(e.rx * std::sin(a)))) - shorten;
    xxlini(e.xc - d, y, e.xc + d, y);
  }
}

void verticalchords(const Ellipse& e, float step, float shorten) {
  for (float x = firstline(e.xl, step); x < e.xr; x += step) {
    const float a = std::asin(clampunit((x - e.xc) / e.rx));
    const float d = static_cast<float>(itrunc(std::fabs(e.ry * std::cos(a)))) - shorten;
    xxlini(x, e.yc - d, x, e.yc + d);
  }
}

void outline(const Ellipse& e) {
  const int w = grstate.winpixw > 0 ? grstate.winpixw : 1;
  const float delta = kPi / static_cast<float>(itrunc(e.rx) * 75 / w + 25);
  for (float s = -1.0f; s <= 1.0f; s += 2.0f) {
    float px = e.xc;
    float py = e.yc + e.ry;
    for (int k = 1;; ++k) {
      const float a = static_cast<float>(k) * delta;
      if (!(a < kHalfTurnBound)) break;
      const float qx = e.xc + s * e.rx * std::sin(a);
      const float qy = e.yc + e.ry * std::cos(a);
      xxlini(px, py, qx, qy);
      px = qx;
      py = qy;
    }
  }
}

}  // namespace

int xxelip(float x, float y, float r, float ratio) {
  if (!(r > 0.0f) || !(ratio > 0.0f)) {
    xxerror(kErrRadius);
    return 0;
  }
  const GrState& s = grstate;
  Ellipse e{};
  xxe2i(x, y, e.xc, e.yc);
  e.rx = r * s.scalex;
  e.ry = r * ratio * s.areadevheight * s.aspect / s.areaunitswidth;
  grstate.curx = x;
  grstate.cury = y;
  const float xmin = s.devx1, ymin = s.devy1, xmax = s.devx2, ymax = s.devy2;
  if (e.xc - e.rx > xmax || e.xc + e.rx < xmin || e.yc - e.ry > ymax || e.yc + e.ry < ymin)
    return 0;
  e.yb = std::max(e.yc - e.ry, ymin);
  e.yt = std::min(e.yc + e.ry, ymax);
  e.xl = std::max(e.xc - e.rx, xmin);
  e.xr = std::min(e.xc + e.rx, xmax);

  GrDrvParams& d = grdrvparams;
  d.ix1 = itrunc(e.xc);
  d.iy1 = itrunc(e.yc);
  d.ix2 = itrunc(e.rx);
  d.iy2 = itrunc(e.ry);
  d.iy3 = itrunc(e.yb);
  d.iy4 = itrunc(e.yt);
  d.fx1 = e.xc;
  d.fy1 = e.yc;
  d.fx2 = e.rx;
  d.fy2 = e.ry;
  d.fy3 = e.yb;
  d.fy4 = e.yt;
  d.fx3 = ratio;
  d.fx4 = r;

  const int pattern = grfill.pattern;
  int mode = pattern <= 2 ? pattern : 1;
  int angle = pattern <= 2 ? grfill.angle : 3;
  bool draw = true;
  if (pattern >= 3) {
    draw = xxofferfill(kDrvEllipseSolid, kDrvEllipseStipple + (pattern - 3));
    mode = 1;
    angle = 3;
  }
  if (draw && tkdevices.screenon > 0) {
    if (pattern <= 2 && grfill.outline == 1) {
      if (xxcapable(kDrvEllipseOutline))
        xxgdrv(kDrvEllipseOutline);
      else
        outline(e);
    }
    if (mode == 1 || mode == 2) {
      float hstep = 1.0f, vstep = 1.0f, shorten = 0.0f;
      xxstep(1, grfill.density, hstep, vstep, shorten);
      if (angle < 4 || mode == 2) {
        horizontalchords(e, hstep, 0.0f, shorten);
        if (pattern == 3 && grfill.selfscreen == 2) {
          int counter = 1;
          xx2col(1, counter);
          horizontalchords(e, hstep, 0.5f * hstep, shorten);
          xx2col(1, counter);
        }
      }
      if (angle == 4 || mode == 2) verticalchords(e, vstep, shorten);
    }
  }
  grfill.selfscreen = 0;
  d.marker = -1;
  if (tkdevices.hardcopyon > 0) xxhdrv(kDrvEllipseStipple);
  return 0;
}

int igrcircle(float x, float y, float r) { return xxelip(x, y, r, 1.0f); }

}  // namespace tsd
