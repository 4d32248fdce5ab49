// State shared by the GDI drawing files: the point buffer, the colour
// values and the helpers that make pens and brushes for one shape.
#pragma once

#include "platform/types.h"
#include "toolkit/graphics/mwing.h"

namespace tsd::mwing {

struct State {
  plat::POINT points[kGdiPoints];  // filled by xxmwinpolpoint
  plat::COLORREF current = 0;      // colour value of the current colour
  plat::COLORREF previous = 0;     // colour value it replaced
  int index = 0;                   // current colour index
};

extern State state;

// Replaces the shared pen by a new one of the current style and colour.
void replacepen();
// True when the current line type draws solid lines.
bool solidline();
// The 8 x 8 stipple brush of the current colour pair (caller deletes it).
plat::HBRUSH stipplebrush();
// Selects the graphics area's clip region, and removes it again.
void clipon();
void clipoff();

// Objects selected for one shape and put back afterwards; what the shape
// created is deleted then.
class ShapeObjects {
 public:
  ShapeObjects(plat::HPEN pen, bool ownpen, plat::HBRUSH brush, bool ownbrush);
  ~ShapeObjects();
  ShapeObjects(const ShapeObjects&) = delete;
  ShapeObjects& operator=(const ShapeObjects&) = delete;

 private:
  plat::HPEN pen_;
  plat::HBRUSH brush_;
  bool ownpen_;
  bool ownbrush_;
  plat::HGDIOBJ oldpen_ = nullptr;
  plat::HGDIOBJ oldbrush_ = nullptr;
};

}  // namespace tsd::mwing
