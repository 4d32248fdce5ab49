// Window units: positions given to the window layer run from 0 to 9999
// across the current window's client area, x to the right, y downwards.
#pragma once

namespace tsd {

// Pixel of `units` on a client side of `size` pixels:
// trunc(size * units * r), r = 1/9999 as a single-precision constant,
// computed in long double. 9999 lands one pixel beyond the last column.
int unitstopixels(int size, int units);

// Window units of pixel `pixel` on a client side of `size` pixels:
// trunc(9999 / (size - 1) * pixel), 0 for a side below 2 pixels. Not the
// exact inverse of unitstopixels (size against size - 1).
int unitsfrompixels(int size, int pixel);

}  // namespace tsd
