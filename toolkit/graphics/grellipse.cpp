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

// The layer's own outline: for each half (s = -1, then +1) the points
// P(k) = (Xc + s rx sin a, Yc + ry cos a), a = k delta, joined from P(0) =
// (Xc, Yc + ry) while a stays below the bound. A large ellipse has more
// points than the area could ever show; only the runs of k whose segments
// can reach the area are walked, so the cost follows the area and not the
// radius, and every segment drawn is the one the whole walk would draw.
constexpr long long kWalkAll = 4096;  // walks this short are walked whole

struct KRange {
  long long lo, hi;  // segments lo..hi (segment k joins P(k - 1) and P(k))
};

// The angles of [0, pi] where a point of half s lies within the area grown
// by `grow` pixels: at most two intervals.
int visibleangles(const Ellipse& e, double s, double grow, double out[2][2]) {
  const GrState& g = grstate;
  const double pi = 3.14159265358979323846;
  // Rows: cos a between these (cos falls from 1 to -1 over [0, pi]).
  const double ry = std::max(static_cast<double>(e.ry), 1e-30);
  const double clo = std::max(-1.0, (g.boxy1 - grow - e.yc) / ry);
  const double chi = std::min(1.0, (g.boxy2 + grow - e.yc) / ry);
  if (!(clo <= chi)) return 0;
  const double alo = std::acos(chi), ahi = std::acos(clo);
  // Columns: s sin a between u1 and u2, so sin a between v1 and v2.
  const double u1 = (g.boxx1 - grow - e.xc) / static_cast<double>(e.rx);
  const double u2 = (g.boxx2 + grow - e.xc) / static_cast<double>(e.rx);
  const double v1 = std::max(0.0, s > 0 ? u1 : -u2);
  const double v2 = std::min(1.0, s > 0 ? u2 : -u1);
  if (!(v1 <= v2)) return 0;
  double parts[2][2];
  int np = 0;
  if (v2 >= 1.0) {
    parts[np][0] = std::asin(v1);
    parts[np++][1] = pi - std::asin(v1);
  } else {
    parts[np][0] = std::asin(v1);
    parts[np++][1] = std::asin(v2);
    parts[np][0] = pi - std::asin(v2);
    parts[np++][1] = pi - std::asin(v1);
  }
  int n = 0;
  for (int i = 0; i < np; ++i) {
    const double lo = std::max(parts[i][0], alo), hi = std::min(parts[i][1], ahi);
    if (lo <= hi) {
      out[n][0] = lo;
      out[n++][1] = hi;
    }
  }
  return n;
}

void outline(const Ellipse& e) {
  const int w = grstate.winpixw > 0 ? grstate.winpixw : 1;
  const long long steps = static_cast<long long>(itrunc(e.rx)) * 75 / w + 25;
  const float delta = kPi / static_cast<float>(steps);
  // The last k whose angle is below the bound.
  long long last = static_cast<long long>(static_cast<double>(kHalfTurnBound) / delta) + 2;
  while (last > 0 && !(static_cast<float>(last) * delta < kHalfTurnBound)) --last;
  while (static_cast<float>(last + 1) * delta < kHalfTurnBound) ++last;
  for (float s = -1.0f; s <= 1.0f; s += 2.0f) {
    KRange runs[2] = {{1, last}, {1, 0}};
    int nruns = 1;
    if (last > kWalkAll) {
      // A segment is no longer than the largest radius times the angle
      // step (with room for the rounding of the float angles and their
      // sines); one whose ends are both farther than that from the area
      // cannot reach it.
      const double r = std::max(static_cast<double>(e.rx), static_cast<double>(e.ry));
      const double grow = r * (1.01 * static_cast<double>(delta) + 1e-5) + 4.0;
      double angles[2][2];
      // An ellipse whose size or place is not finite has no point to show.
      const bool finite = std::isfinite(grow) && std::isfinite(e.xc) && std::isfinite(e.yc);
      nruns = finite ? visibleangles(e, s, grow, angles) : 0;
      for (int i = 0; i < nruns; ++i) {
        const double klo = angles[i][0] / static_cast<double>(delta), khi = angles[i][1] / static_cast<double>(delta);
        runs[i].lo = std::max<long long>(1, static_cast<long long>(klo * (1.0 - 1e-6)) - 2);
        runs[i].hi = std::min<long long>(last, static_cast<long long>(khi * (1.0 + 1e-6)) + 3);
      }
      // Runs that meet are walked as one, so no segment is drawn twice.
      if (nruns == 2 && runs[1].lo <= runs[0].hi + 1) {
        runs[0].hi = std::max(runs[0].hi, runs[1].hi);
        nruns = 1;
      }
    }
    auto point = [&](long long k, float& qx, float& qy) {
      const float a = static_cast<float>(k) * delta;
      qx = e.xc + s * e.rx * std::sin(a);
      qy = e.yc + e.ry * std::cos(a);
    };
    for (int i = 0; i < nruns; ++i) {
      float px = e.xc;
      float py = e.yc + e.ry;
      if (runs[i].lo > 1) point(runs[i].lo - 1, px, py);
      for (long long k = runs[i].lo; k <= runs[i].hi; ++k) {
        float qx = 0.0f, qy = 0.0f;
        point(k, qx, qy);
        xxlini(px, py, qx, qy);
        px = qx;
        py = qy;
      }
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
