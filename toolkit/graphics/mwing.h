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

// Pictures. Rectangles are GDI corners (x1, y1)-(x2, y2), both included;
// status returns 0 (done), 1 (the file cannot be opened or created, or
// memory is short) or 2 (it cannot be read or written, or its format is
// wrong), oserror the system's error code of a failed open or create.
// Mode 19 saves the rectangle as a PCX file, any other mode shows a PCX
// file: at its natural size at (x1, y1), clipped to the graphics area, when
// stretch < 1, else stretched into the rectangle.
int xxmwinbitimage_pcx(int mode, int x1, int y1, int x2, int y2, int stretch, int& status,
                       int& oserror, const char* filename);
// Mode 20 shows a BMP file as above; any other mode saves the rectangle as
// a BMP file.
int xxmwinbitimage(int mode, int x1, int y1, int x2, int y2, int stretch, int& status, int& oserror,
                   const char* filename);
// Plays an enhanced or a classic metafile (with or without a placeable
// header) into the rectangle.
int xxmwinplaymetafile(int x1, int y1, int x2, int y2, int& status, const char* filename);

}  // namespace tsd
