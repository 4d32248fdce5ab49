// Lines, shapes and pixels.
//
// Bounding boxes follow the usual rules: right and bottom are excluded,
// the pen is drawn inside the box, and with the null pen the filled area
// shrinks by one more pixel on the right and at the bottom. Pen lines and
// brush fills go through the context's raster operation (SetROP2);
// SetPixel and FillRect do not.
#pragma once

#include "platform/types.h"

namespace plat {

inline constexpr int kMaxPolyPoints = 65536;  // more points are refused

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
// Draws from the current position up to, but not including, (x, y), which
// becomes the current position.
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const POINT* points, int count);
// Even-odd fill with the brush, outline with the pen.
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
// Counter-clockwise (as seen on the screen) from the ray towards (xs, ys)
// to the ray towards (xe, ye); equal rays give the whole ellipse.
BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
BOOL Pie(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
// The arc from the start ray to the end ray closed by the straight line
// between its ends, filled with the brush.
BOOL Chord(HDC dc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye);
// Fills left..right-1 x top..bottom-1 with the brush, raster operation
// ignored.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
// Sets one pixel (raster operation ignored); returns the colour set, or
// CLR_INVALID outside the drawable area.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);
// CLR_INVALID outside the drawable area.
COLORREF GetPixel(HDC dc, int x, int y);

}  // namespace plat
