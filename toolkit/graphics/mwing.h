// GDI drawing layer: small routines that draw on the shared device context
// (hdc) in GDI coordinates (origin top-left, rows downward) with the pens,
// brushes, fonts, palettes and regions kept in the window layer's shared
// handles.
#pragma once

#include "platform/types.h"

namespace tsd {

// Points of the GDI point buffer used by polygon and polyline.
inline constexpr int kGdiPoints = 4095;

int xxmwinline(int x1, int y1, int x2, int y2);
int xxmwinpolpoint(int x, int y, int i);
int xxmwinpolyline(int n);
int xxmwinpoint(int x, int y);
int xxmwincolour(int index, int r, int g, int b);
int xxmwinlinetype(int t);
int xxmwinplotmode(int m);
int xxmwinellipse(int xc, int yc, int rx, int ry, int op, int fill);
int xxmwinrectangle(int x1, int y1, int x2, int y2, int fill);
int xxmwinpolygon(int n, int fill);
int xxmwinarc(int xc, int yc, int rx, int ry, int xs, int ys, int xe, int ye, int fill);
int xxmwinoutlinearc(int xc, int yc, int rx, int ry, int xs, int ys, int xe, int ye, int pattern,
                     int density);
int xxmwinclear(int r, int g, int b);
int xxmwinclip(int x1, int y1, int x2, int y2);
// Creates the hardware font; height returns the created font's height.
int xxmwintextsize(int font, int width, int& height, int angle, int family);
int xxmwindrawstring(int x, int y, const char* text, int n);
int xxmwinblit(int xs, int ys, int xd, int yd, int w, int h, int fill);
// Colour of the pixel at (x, y) as an RGB colour reference, -1 outside the window.
int xxmwingetpixelcol(int& colour, int x, int y);
int xxmwindefinepalette(int flag);
int xxmwinpalette(int index, int r, int g, int b, int batch);
int xxmwinpalette256(int index, int r, int g, int b, int batch);
int xxmwinclose();
int xxmwinremoveg();

}  // namespace tsd
