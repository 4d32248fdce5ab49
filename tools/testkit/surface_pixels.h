// Pixel checks of a surface or a screenshot read back from PNG: system
// colours as shown, the colour at a point, how many pixels of a colour (or
// of any other) lie in a rectangle, the box they fill, the front window's
// caption, where a check box draws its mark, and whether two pictures are
// the same. Rectangles are plat::RECT, right and bottom
// exclusive, cut to the surface. Header only.
#pragma once

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>

#include "platform/gdi/surface.h"
#include "platform/user/user.h"

namespace tsd::testkit {

// The pixel at column x, row y, 0xRRGGBB; 0xff000000 outside the surface.
inline std::uint32_t pixelat(const plat::Surface& s, int x, int y) {
  if (x < 0 || y < 0 || x >= s.width || y >= s.height) return 0xff000000u;
  return s.row(y)[x] & 0xffffffu;
}

// A system colour as the screen shows it, 0xRRGGBB.
inline std::uint32_t syscolour(int index) {
  const plat::DWORD c = plat::GetSysColor(index);
  return ((c & 0xffu) << 16) | (c & 0xff00u) | ((c >> 16) & 0xffu);
}

// The whole surface as a rectangle.
inline plat::RECT wholeof(const plat::Surface& s) { return plat::RECT{0, 0, s.width, s.height}; }

// Pixels of `colour` in `area`.
inline int countcolour(const plat::Surface& s, std::uint32_t colour, plat::RECT area) {
  int n = 0;
  for (int y = std::max(0, area.top); y < std::min(s.height, area.bottom); ++y)
    for (int x = std::max(0, area.left); x < std::min(s.width, area.right); ++x) n += pixelat(s, x, y) == colour;
  return n;
}

// Pixels of any other colour than `colour` in `area`: the text or marks
// drawn on a background of that colour (glyphs are smoothed, so their
// pixels are of many colours).
inline int countother(const plat::Surface& s, std::uint32_t colour, plat::RECT area) {
  const int w = std::max(0, std::min(s.width, static_cast<int>(area.right)) - std::max(0, static_cast<int>(area.left)));
  const int h = std::max(0, std::min(s.height, static_cast<int>(area.bottom)) - std::max(0, static_cast<int>(area.top)));
  return w * h - countcolour(s, colour, area);
}

// The smallest rectangle holding every pixel of `colour` in `area`; empty
// (right <= left) when there is none.
inline plat::RECT boundsof(const plat::Surface& s, std::uint32_t colour, plat::RECT area) {
  plat::RECT b{area.right, area.bottom, area.left, area.top};
  for (int y = std::max(0, area.top); y < std::min(s.height, area.bottom); ++y)
    for (int x = std::max(0, area.left); x < std::min(s.width, area.right); ++x)
      if (pixelat(s, x, y) == colour) {
        b.left = std::min<int>(b.left, x);
        b.top = std::min<int>(b.top, y);
        b.right = std::max<int>(b.right, x + 1);
        b.bottom = std::max<int>(b.bottom, y + 1);
      }
  if (b.right <= b.left) return plat::RECT{0, 0, 0, 0};
  return b;
}

// The middle of the `white` box or circle at the left of the check box or
// radio button at `button` on the surface, where its mark is drawn (the
// edge of a circle reaches into the corners of the white's bounds).
inline plat::RECT markarea(const plat::Surface& s, plat::RECT button, std::uint32_t white) {
  const plat::RECT b = boundsof(s, white, plat::RECT{button.left, button.top, button.left + 16, button.bottom});
  return plat::RECT{b.left + 2, b.top + 2, b.right - 2, b.bottom - 2};
}

// The topmost band of rows that each hold at least `least` pixels of
// `colour`, as wide as the widest run of them: the caption of the front
// window, in the active caption colour. Empty when there is none.
inline plat::RECT topband(const plat::Surface& s, std::uint32_t colour, int least) {
  plat::RECT band{0, 0, 0, 0};
  for (int y = 0; y < s.height; ++y) {
    const plat::RECT row = boundsof(s, colour, plat::RECT{0, y, s.width, y + 1});
    if (countcolour(s, colour, row) < least) {
      if (band.bottom > band.top) break;
      continue;
    }
    if (band.bottom <= band.top) band = row;
    band.left = std::min(band.left, row.left);
    band.right = std::max(band.right, row.right);
    band.bottom = y + 1;
  }
  return band;
}

// True when `inner` lies inside `outer`.
inline bool inside(plat::RECT inner, plat::RECT outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// "(l,t)-(r,b)", for failure messages.
inline std::string describe(plat::RECT r) {
  std::ostringstream o;
  o << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
  return o.str();
}

// True when the two pictures have the same size and pixels.
inline bool samepixels(const plat::Surface& a, const plat::Surface& b) {
  return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

}  // namespace tsd::testkit
