// Lines and polylines, clipped against the graphics area by the layer's
// own method: which end is replaced and when a segment is rejected follow
// from the order in which the area's edges are tried (top, bottom, right,
// left), so the steps below are kept exactly.
#include "toolkit/graphics/grlines.h"

#include <algorithm>

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grdriver.h"
#include "toolkit/graphics/grmapping.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/window/records.h"

namespace tsd {

namespace {

struct Pt {
  float x = 0.0f;
  float y = 0.0f;
};

bool inbox(const Pt& p) { return xxbox(p.x, p.y) == 1; }

// Hands a visible segment to the drivers and leaves its real ends in the
// parameter block.
void drawsegment(float x1, float y1, float x2, float y2) {
  GrDrvParams& d = grdrvparams;
  d.fx1 = x1;
  d.fy1 = y1;
  d.fx2 = x2;
  d.fy2 = y2;
  if (tkdevices.screenon > 0) {
    d.ix1 = itrunc(x1);
    d.iy1 = itrunc(y1);
    d.ix2 = itrunc(x2);
    d.iy2 = itrunc(y2);
    xxgdrv(kDrvLine);
  }
  if (tkdevices.hardcopyon > 0) xxhdrv(kDrvLine);
}

// Hands the first k points of grpolybuf to the drivers as one polyline.
void drawrun(int k) {
  grdrvparams.count = k;
  xxgdrv(kDrvPolyline);
  if (tkdevices.hardcopyon > 0) xxhdrv(kDrvPolyline);
}

void todevice(const float* x, const float* y, int i, int flag, Pt& p) {
  if (flag == 0)
    xxe2i(x[i], y[i], p.x, p.y);
  else
    p = Pt{x[i], y[i]};
}

}  // namespace

int xxbox(float x, float y) {
  return grstate.boxx1 <= x && x <= grstate.boxx2 && grstate.boxy1 <= y && y <= grstate.boxy2 ? 1 : 0;
}

int xxlin(float px, float py, float x1, float y1, float x2, float y2) {
  if (xxbox(px, py) == 0) return 0;
  if (px < std::min(x1, x2) || px > std::max(x1, x2)) return 0;
  if (py < std::min(y1, y2) || py > std::max(y1, y2)) return 0;
  return 1;
}

int xxclip(float& x1, float& y1, float& x2, float& y2, int& visible) {
  const float xmin = grstate.devx1;
  const float ymin = grstate.devy1;
  const float xmax = grstate.devx2;
  const float ymax = grstate.devy2;
  visible = 1;
  if (xxbox(x1, y1) == 1 && xxbox(x2, y2) == 1) return 0;

  // Vertical: both ends in one pixel column.
  if (itrunc(x1) == itrunc(x2)) {
    if (std::min(y1, y2) > ymax || std::max(y1, y2) < ymin) {
      visible = 0;
      return 0;
    }
    if (y1 < y2) {
      y1 = std::max(y1, ymin);
      y2 = std::min(y2, ymax);
    } else {
      y2 = std::max(y2, ymin);
      y1 = std::min(y1, ymax);
    }
    visible = xxbox(x1, y1);
    return 0;
  }

  // Horizontal: both ends in one pixel row.
  if (itrunc(y1) == itrunc(y2)) {
    if (std::min(x1, x2) > xmax || std::max(x1, x2) < xmin) {
      visible = 0;
      return 0;
    }
    if (x1 < x2) {
      x1 = std::max(x1, xmin);
      x2 = std::min(x2, xmax);
    } else if (x1 > x2) {
      x2 = std::max(x2, xmin);
      x1 = std::min(x1, xmax);
    }
    visible = xxbox(x1, y1);
    return 0;
  }

  // General case: the four edge points all come from the unchanged P1.
  const float m = (y2 - y1) / (x2 - x1);
  const float c = y1 - m * x1;
  const Pt t{(ymax - c) / m, ymax};
  const Pt b{(ymin - c) / m, ymin};
  const Pt r{xmax, m * xmax + c};
  const Pt l{xmin, m * xmin + c};
  Pt p1{x1, y1};
  Pt p2{x2, y2};
  auto finish = [&](int v) {
    x1 = p1.x;
    y1 = p1.y;
    x2 = p2.x;
    y2 = p2.y;
    visible = v;
    return 0;
  };

  if (xxlin(t.x, t.y, p1.x, p1.y, p2.x, p2.y) == 1) {
    if (inbox(p1) && p1.y < p2.y) {
      p2 = t;
      return finish(1);
    }
    if (inbox(p2) && p2.y < p1.y) {
      p1 = t;
      return finish(1);
    }
    if (p1.y < p2.y)
      p2 = t;
    else
      p1 = t;
  }
  if (xxlin(b.x, b.y, p1.x, p1.y, p2.x, p2.y) == 1) {
    if (inbox(p1) && p2.y < p1.y) {
      p2 = b;
      return finish(1);
    }
    if (inbox(p2) && p1.y < p2.y) {
      p1 = b;
      return finish(1);
    }
    if (p1.y <= p2.y)
      p1 = b;
    else
      p2 = b;
  }
  if (xxlin(r.x, r.y, p1.x, p1.y, p2.x, p2.y) == 1) {
    if (inbox(p1) && p1.x < p2.x) {
      p2 = r;
      return finish(1);
    }
    if (inbox(p2) && p2.x < p1.x) {
      p1 = r;
      return finish(1);
    }
    if (p1.x < p2.x)
      p2 = r;
    else
      p1 = r;
  }
  if (xxlin(l.x, l.y, p1.x, p1.y, p2.x, p2.y) == 1) {
    if (inbox(p1)) {
      p2 = l;
      return finish(1);
    }
    if (inbox(p2)) {
      p1 = l;
      return finish(1);
    }
  }
  return finish(0);
}

int xxlini(float x1, float y1, float x2, float y2) {
  int visible = 0;
  xxclip(x1, y1, x2, y2, visible);
  if (visible == 1) drawsegment(x1, y1, x2, y2);
  return 0;
}

int xxline(float x1, float y1, float x2, float y2) {
  float dx1 = 0.0f, dy1 = 0.0f, dx2 = 0.0f, dy2 = 0.0f;
  xxe2i(x1, y1, dx1, dy1);
  xxe2i(x2, y2, dx2, dy2);
  return xxlini(dx1, dy1, dx2, dy2);
}

int xxpline(const float* x, const float* y, int n, int flag) {
  if (n <= 1 || x == nullptr || y == nullptr) return 0;
  const int m = std::min(n, kPolyPoints);
  Pt p;
  todevice(x, y, 0, flag, p);
  int k = 0;
  if (inbox(p)) {
    grpolybuf.x[0] = p.x;
    grpolybuf.y[0] = p.y;
    k = 1;
  }
  for (int i = 1; i < m; ++i) {
    Pt q;
    todevice(x, y, i, flag, q);
    const bool qin = inbox(q);
    int visible = 0;
    if (k == 0 && !qin) {
      Pt a = p, b = q;
      xxclip(a.x, a.y, b.x, b.y, visible);
      if (visible == 1) xxlini(a.x, a.y, b.x, b.y);
    } else if (k == 0) {
      float ax = p.x, ay = p.y, bx = q.x, by = q.y;
      xxclip(ax, ay, bx, by, visible);
      if (visible == 1) {
        grpolybuf.x[0] = ax;
        grpolybuf.y[0] = ay;
        grpolybuf.x[1] = bx;
        grpolybuf.y[1] = by;
        k = 2;
      }
    } else if (qin) {
      // A run holds at most the m points of the line, so it always fits.
      grpolybuf.x[k] = q.x;
      grpolybuf.y[k] = q.y;
      ++k;
    } else {
      float qx = q.x, qy = q.y;
      xxclip(grpolybuf.x[k - 1], grpolybuf.y[k - 1], qx, qy, visible);
      if (visible == 1 && k < kPolyPoints) {
        grpolybuf.x[k] = qx;
        grpolybuf.y[k] = qy;
        ++k;
      }
      drawrun(k);
      k = 0;
    }
    p = q;
  }
  if (k > 1) drawrun(k);
  return 0;
}

int igrmoveto(float x, float y) {
  grstate.curx = x;
  grstate.cury = y;
  return 0;
}

int igrlineto(float x, float y) {
  xxline(grstate.curx, grstate.cury, x, y);
  grstate.curx = x;
  grstate.cury = y;
  return 0;
}

}  // namespace tsd
