// Ellipse geometry: the pixels inside an ellipse, its outline, and the part
// of the outline a drawing walks. Internal to platform/gdi.
//
// An ellipse is the set of pixels whose centres lie inside the ellipse
// inscribed in its box; its outline is every such pixel with a
// four-neighbour outside. Shapes may be far larger than any surface (up to
// the coordinate limit of ClampCoord); the walks below keep to what the
// clip rectangle can show, so a huge ellipse costs what the clip holds.
#pragma once

#include <vector>

#include "platform/gdi/gdi_private.h"

namespace plat {

struct EllipseGeom {
  int x0 = 0, y0 = 0, x1 = -1, y1 = -1;  // inclusive pixel extent
  double cx = 0, cy = 0, a = 0, b = 0;    // centre and semi-axes, continuous coordinates

  bool empty() const { return x1 < x0 || y1 < y0; }
  // The pixels of row y inside the ellipse: l..r, false when none.
  bool span(int y, int& l, int& r) const;
  // Interior of row y (inside, all four neighbours inside): l..r, may be empty.
  void interior(int y, int l, int r, int& il, int& ir) const;
  double angle_of(double x, double y) const;
};

// The ellipse of a box (corners in any order); a null pen leaves out the
// right column and bottom row, as the brush alone does.
EllipseGeom EllipseGeomOf(int left, int top, int right, int bottom, bool null_pen);

struct OutlinePixel {
  int x, y;
  double angle;  // 0 .. 2 pi, counter-clockwise from the ray given
};

// The part of the outline worth walking (inclusive rows and columns): all
// of it when the ellipse is of a sensible size, so the dashes of a styled
// pen stay in place; else the part near the clip rectangle `lc` (logical,
// right and bottom excluded).
RECT OutlinePart(const EllipseGeom& g, const RECT& lc);

// The outline pixels inside `part`, ordered counter-clockwise from the
// direction `from`.
std::vector<OutlinePixel> OrderedOutline(const EllipseGeom& g, const RECT& part, double from);

// The outline pixels of one row, whose pixels l..r are inside and il..ir
// interior (il > ir when none), that can show in the clip rectangle `lc`
// or beside it: at most two runs [runs[k][0], runs[k][1]]; gives their number.
int OutlineRuns(int l, int r, int il, int ir, const RECT& lc, int runs[2][2]);

}  // namespace plat
