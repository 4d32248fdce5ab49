// Polygons: handed to the window driver as one operation when it can fill
// them, else outlined and filled by the layer itself with scan lines
// (hatch lines for patterns 1 and 2, every row for solid and stipple).
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

constexpr int kSortStack = 30;      // pending ranges of the edge sort
constexpr int kMaxActive = 99;      // edges crossing one scan line

// One polygon edge seen along the scan axis.
struct Edge {
  float low = 0.0f;    // scan coordinate of the lower end
  float high = 0.0f;   // scan coordinate of the upper end
  float cross = 0.0f;  // cross coordinate at the lower end
  float slope = 0.0f;  // cross change per scan unit
};

// Work storage of the layer's own fill, private to the polygon routine.
struct FillWork {
  Edge edges[kPolyPoints];
  int active[kMaxActive];
  float crossings[kMaxActive];
};
FillWork work;

// Sorts edges by their lower end: a quicksort that keeps its pending
// ranges on an explicit stack of 30 entries. Returns false when the stack
// would overflow. The larger part is kept pending and the smaller one
// sorted next, so the stack depth stays logarithmic.
bool sortedges(Edge* e, int n) {
  int stack[kSortStack][2];
  int top = 0;
  int lo = 0;
  int hi = n - 1;
  for (;;) {
    while (hi - lo >= 1) {
      const float pivot = e[(lo + hi) / 2].low;
      int i = lo;
      int j = hi;
      while (i <= j) {
        while (e[i].low < pivot) ++i;
        while (e[j].low > pivot) --j;
        if (i <= j) {
          std::swap(e[i], e[j]);
          ++i;
          --j;
        }
      }
      // Now lo..j and i..hi remain.
      int plo = i, phi = hi, nlo = lo, nhi = j;
      if (j - lo > hi - i) {
        plo = lo;
        phi = j;
        nlo = i;
        nhi = hi;
      }
      if (phi > plo) {
        if (top == kSortStack) return false;
        stack[top][0] = plo;
        stack[top][1] = phi;
        ++top;
      }
      lo = nlo;
      hi = nhi;
    }
    if (top == 0) return true;
    --top;
    lo = stack[top][0];
    hi = stack[top][1];
  }
}

// Start of the scan lines: the middle of the pixel that holds v.
float scanstart(float v) {
  const float a = std::trunc(v);
  return v >= 0.0f ? a + 0.5f : a - 0.5f;
}

// Draws one fill line along the scan axis: dir 1 horizontal (scan over y),
// dir 2 vertical (scan over x).
void fillline(int dir, float t, float c1, float c2) {
  if (dir == 1)
    xxlini(c1, t, c2, t);
  else
    xxlini(t, c1, t, c2);
}

// Number of scan lines from start to smax: trunc((smax - start + step) /
// step), in reals as the layer computes; a count beyond what a real holds
// exactly (a polygon millions of lines tall) in doubles, so that the lines
// reach the far end. None when it is not a number.
long long linecount(float smax, float start, float step) {
  const float q = (smax - start + step) / step;
  if (!(q > 0.0f)) return 0;
  if (q < 16777216.0f) return static_cast<long long>(q);
  const double exact = (static_cast<double>(smax) - start + step) / step;
  return exact >= 4.0e18 ? 4000000000000000000LL : static_cast<long long>(exact);
}

// The spans of one scan line at t from the crossings of its nactive edges.
void drawspans(int dir, float t, int nactive) {
  if (nactive % 2 == 1) return;
  float* x = work.crossings;
  for (int a = 0; a < nactive; ++a) {
    const Edge& e = work.edges[work.active[a]];
    x[a] = (t - e.low) * e.slope + e.cross;
  }
  if (nactive == 2) {
    if (x[1] < x[0]) xxexch(x[0], x[1]);
  } else {
    for (int a = 0; a < nactive - 1; ++a)
      for (int b = a + 1; b < nactive; ++b)
        if (x[b] < x[a]) xxexch(x[a], x[b]);
  }
  for (int k = 0; k + 1 < nactive; k += 2) {
    // Horizontal spans that touch are joined into one line.
    if (dir == 1 && k + 3 < nactive && itrunc(x[k + 2]) == itrunc(x[k + 1])) {
      fillline(dir, t, x[k], x[k + 3]);
      k += 2;
    } else {
      fillline(dir, t, x[k], x[k + 1]);
    }
  }
}

// One pass of scan lines over the m points of grpolybuf, from the lowest
// scan coordinate shifted by `shift`, every `step`. False after error 49.
bool fillpass(int m, int dir, float step, float shift, const float box[4]) {
  const float* s = dir == 1 ? grpolybuf.y : grpolybuf.x;  // scan axis
  const float* c = dir == 1 ? grpolybuf.x : grpolybuf.y;  // cross axis
  const float smin = dir == 1 ? box[1] : box[0];
  const float smax = dir == 1 ? box[3] : box[2];
  const float cmin = dir == 1 ? box[0] : box[1];
  const float cmax = dir == 1 ? box[2] : box[3];

  int ne = 0;
  for (int i = 0; i < m; ++i) {
    const int j = i + 1 < m ? i + 1 : 0;
    if (s[i] == s[j]) continue;
    Edge& e = work.edges[ne++];
    if (s[i] < s[j]) {
      e.low = s[i];
      e.high = s[j];
      e.cross = c[i];
      e.slope = (c[j] - c[i]) / (s[j] - s[i]);
    } else {
      e.low = s[j];
      e.high = s[i];
      e.cross = c[j];
      e.slope = (c[i] - c[j]) / (s[i] - s[j]);
    }
  }
  if (!sortedges(work.edges, ne)) {
    xxerror(kErrFillEdges);
    return false;
  }
  if (ne == 0) {
    // All points on one scan line: one line across the bounding box.
    fillline(dir, s[0], cmin, cmax);
    return true;
  }

  // Lines t = start + k step, k = 0 .. lines - 1. Only those inside the
  // area along the scan axis can show; the others are passed over, apart
  // from the lines where edges join the active set, so that the edge count
  // is checked on every line as before. The cost follows the area, not the
  // size of the polygon.
  const float start = scanstart(smin) + shift;
  const long long lines = linecount(smax, start, step);
  auto lineat = [&](long long k) {
    return static_cast<float>(static_cast<double>(start) + static_cast<double>(k) * static_cast<double>(step));
  };
  // First line at or after `from` whose t reaches v (lines if none).
  auto firstfrom = [&](long long from, float v) {
    long long lo = from, hi = lines;
    while (lo < hi) {
      const long long mid = lo + (hi - lo) / 2;
      if (lineat(mid) >= v)
        hi = mid;
      else
        lo = mid + 1;
    }
    return lo;
  };
  const float vlo = (dir == 1 ? grstate.boxy1 : grstate.boxx1) - 1.0f;
  const float vhi = (dir == 1 ? grstate.boxy2 : grstate.boxx2) + 1.0f;
  const long long shownfirst = firstfrom(0, vlo);
  const long long shownend = std::max(shownfirst, firstfrom(shownfirst, std::nextafter(vhi, HUGE_VALF)));
  int next = 0;
  int nactive = 0;
  for (long long line = 0; line < lines;) {
    const float t = lineat(line);
    // Half-open rule: an edge crosses the line when low <= t < high.
    int kept = 0;
    for (int a = 0; a < nactive; ++a)
      if (t < work.edges[work.active[a]].high) work.active[kept++] = work.active[a];
    nactive = kept;
    while (next < ne && work.edges[next].low <= t) {
      if (t < work.edges[next].high) {
        if (nactive == kMaxActive) {
          xxerror(kErrFillEdges);
          return false;
        }
        work.active[nactive++] = next;
      }
      ++next;
    }
    if (line >= shownfirst && line < shownend) drawspans(dir, t, nactive);
    // The next line, or past the lines that cannot show to the next one
    // that shows or where an edge joins.
    long long following = line + 1;
    if (following < shownfirst || following >= shownend) {
      long long target = following < shownfirst ? shownfirst : lines;
      if (next < ne) target = std::min(target, firstfrom(following, work.edges[next].low));
      following = std::max(following, target);
    }
    line = following;
  }
  return true;
}

// The layer's own fill in one direction, twice for a two-colour stipple.
bool filldirection(int m, int dir, float step, const float box[4]) {
  if (!fillpass(m, dir, step, 0.0f, box)) return false;
  if (grfill.pattern == 3 && grfill.selfscreen == 2) {
    int counter = 1;
    xx2col(1, counter);
    const bool ok = fillpass(m, dir, step, 0.5f * step, box);
    xx2col(1, counter);
    return ok;
  }
  return true;
}

}  // namespace

int xxplygon(const float* x, const float* y, int n, int flag) {
  // An empty point list has no first point: nothing to draw or move to.
  if (n <= 0 || x == nullptr || y == nullptr) return 0;
  int m = std::min(n, kPolyPoints);
  if (m >= 2 && x[m - 1] == x[0] && y[m - 1] == y[0]) m -= 1;

  float box[4] = {0.0f, 0.0f, 0.0f, 0.0f};  // xmin, ymin, xmax, ymax
  for (int i = 0; i < m; ++i) {
    float dx = x[i], dy = y[i];
    if (flag == 0) xxe2i(x[i], y[i], dx, dy);
    grpolybuf.x[i] = dx;
    grpolybuf.y[i] = dy;
    if (i == 0 || dx < box[0]) box[0] = dx;
    if (i == 0 || dy < box[1]) box[1] = dy;
    if (i == 0 || dx > box[2]) box[2] = dx;
    if (i == 0 || dy > box[3]) box[3] = dy;
  }
  GrDrvParams& d = grdrvparams;
  d.count = m;
  d.ix1 = itrunc(grpolybuf.x[0]);
  d.iy1 = itrunc(grpolybuf.y[0]);
  d.ix2 = itrunc(box[0]);
  d.iy2 = itrunc(box[1]);
  d.ix3 = itrunc(box[2]);
  d.iy3 = itrunc(box[3]);

  const int pattern = grfill.pattern;
  int mode = 0;
  int angle = grfill.angle;
  bool draw = true;
  if (pattern <= 2) {
    mode = pattern;
  } else {
    draw = xxofferfill(kDrvPolygonSolid, kDrvPolygonStipple + (pattern - 3));
    mode = 1;
    angle = 3;
  }

  if (draw && tkdevices.screenon > 0 && (pattern <= 2 || grfill.selfscreen != 0)) {
    if (pattern <= 2 && grfill.outline == 1) {
      for (int i = 0; i < m; ++i) {
        const int j = i + 1 < m ? i + 1 : 0;
        xxlini(grpolybuf.x[i], grpolybuf.y[i], grpolybuf.x[j], grpolybuf.y[j]);
      }
    }
    if (mode == 1 || mode == 2) {
      float hstep = 1.0f, vstep = 1.0f, shorten = 0.0f;
      xxstep(1, grfill.density, hstep, vstep, shorten);
      const bool ok = filldirection(m, 1, hstep, box);
      if (ok && (angle == 4 || mode == 2)) filldirection(m, 2, vstep, box);
    }
  }
  grfill.selfscreen = 0;
  d.marker = -1;
  if (tkdevices.hardcopyon > 0) xxhdrv(kDrvPolygonStipple);
  if (flag == 0) {
    grstate.curx = x[0];
    grstate.cury = y[0];
  }
  return 0;
}

int igrpolygoncomplex(const float* x, const float* y, int n) { return xxplygon(x, y, n, 0); }

}  // namespace tsd
