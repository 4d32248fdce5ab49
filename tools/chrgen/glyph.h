// Stroke glyphs in Hershey coordinates, and the small geometry the font
// generator needs to compose them.
//
// Hershey coordinates are integers with x to the right and y downwards;
// the baseline is y = 9, capitals reach y = -12, descenders y = 16.
#pragma once

#include <vector>

namespace chrgen {

inline constexpr int kBaseline = 9;

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

using Stroke = std::vector<Point>;

struct Glyph {
  int left = 0;   // advance box of the original design
  int right = 0;
  std::vector<Stroke> strokes;
};

struct Box {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // inclusive ink extent
  bool empty = true;
  int width() const { return x1 - x0; }
  int centre_x2() const { return x0 + x1; }  // twice the centre, to stay integral
};

Box ink_box(const Glyph& g);
Box ink_box(const std::vector<Stroke>& strokes);

void translate(std::vector<Stroke>& strokes, int dx, int dy);
void append(Glyph& to, const std::vector<Stroke>& strokes);

// x of the longest vertical segment (a stem); with several of one length,
// the leftmost, or the rightmost when rightmost is set. Falls back to the
// centre of the ink.
int stem_x(const Glyph& g, bool rightmost);

// The strokes lying wholly above y (smaller y), and the glyph without them:
// the dot of "i", for instance.
std::vector<Stroke> strokes_above(const Glyph& g, int y);
Glyph without_strokes_above(const Glyph& g, int y);

// Scales x about the centre cx2 / 2 by num / den, rounding to the grid.
void scale_x(Glyph& g, int cx2, int num, int den);
// Scales both axes about (cx, cy) by num / den, rounding to the grid.
void scale(std::vector<Stroke>& strokes, int cx, int cy, int num, int den);

// Drawn twice, the second copy moved by (dx, dy): how the bold faces thicken
// the marks the generator adds.
std::vector<Stroke> doubled(const std::vector<Stroke>& strokes, int dx, int dy);

}  // namespace chrgen
