// Wide pens: what a square pen `width` pixels wide covers while its centre
// visits a set of pixels, painted once per pixel. The cost follows what is
// covered (rows times the covered columns) rather than the pen's area at
// every pixel it visits, so a pen as wide as the screen stays cheap.
// Internal to platform/gdi.
#pragma once

#include <utility>
#include <vector>

#include "platform/gdi/raster.h"

namespace plat {

class WideStroke {
 public:
  // Draws with `pen` (a solid pen wider than 1; styled pens are one pixel
  // wide) into `t` with raster operation `rop`.
  WideStroke(const Target& t, const PenPaint& pen, int rop);
  // The centre visits pixels x0..x1 of row y.
  void run(int y, int x0, int x1);
  // The centre walks the line from (x0, y0) towards (x1, y1), the end pixel
  // left out (as the line walker draws).
  void line(int x0, int y0, int x1, int y1);
  // Paints everything covered; the stroke is empty afterwards.
  void paint();

 private:
  const Target& t_;
  BrushPaint ink_;
  int rop_;
  int before_ = 0;  // pen rows above its centre
  int after_ = 0;   // pen rows below its centre (columns alike)
  RECT out_{};      // logical pixels that can be painted
  int top_ = 0;     // first centre row that reaches out_
  // Columns covered, per centre row from top_, as inclusive intervals.
  std::vector<std::vector<std::pair<int, int>>> rows_;
  int colmin_ = 0, colmax_ = -1;
};

}  // namespace plat
