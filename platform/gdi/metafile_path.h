// Outlines for metafile playback: Bezier curves, ellipses and rounded
// rectangles as point lists, a path of figures as the enhanced format
// builds it, and the pixel spans inside a set of figures by either fill
// rule. Internal to platform/gdi.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "platform/gdi/gdi_private.h"

namespace plat {

inline constexpr int kFillAlternate = 1;  // even-odd rule
inline constexpr int kFillWinding = 2;    // non-zero winding rule

// Points are doubles in the units of the record until they are drawn.
struct PathPoint {
  double x = 0, y = 0;
};
using Figure = std::vector<PathPoint>;

// The curve from `from` through the control points c1, c2 to `to`, as
// points after `from` (the last one is `to`).
void FlattenBezier(PathPoint from, PathPoint c1, PathPoint c2, PathPoint to, Figure& out);
// The ellipse inscribed in the box, counter-clockwise from its right end.
Figure EllipseOutline(double l, double t, double r, double b);
// A rectangle with corners rounded by ellipses of width cw and height ch.
Figure RoundRectOutline(double l, double t, double r, double b, double cw, double ch);

// The figures of an enhanced metafile's path: a figure starts at a move
// and may be closed.
struct Path {
  struct Fig {
    Figure points;
    bool closed = false;
  };
  std::vector<Fig> figures;
  bool open = false;  // between begin and end: drawing records add to it
  bool done = false;  // ended and not yet used

  void clear() {
    figures.clear();
    open = false;
    done = false;
  }
  void moveto(PathPoint p);
  void lineto(PathPoint p);   // starts a figure at p when none is open
  void close();
  PathPoint current() const;
  // Points of all figures; a path holds at most 65536, more are dropped.
  std::size_t points() const;
};

// Pixels whose centres lie inside the polygons (device coordinates), row by
// row inside `box`: span(y, x0, x1) for columns x0 .. x1 - 1.
void PolygonSpans(const std::vector<std::vector<POINT>>& polygons, int fillmode, const RECT& box,
                  const std::function<void(int, int, int)>& span);

}  // namespace plat
