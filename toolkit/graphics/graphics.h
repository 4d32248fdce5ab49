// Public routines of the graphics layer: drawing in user units inside a
// rectangular area of the current window.
#pragma once

#include <string_view>

namespace tsd {

// Start of the layer; the letter H in options keeps the screen driver off.
int igrinit(std::string_view options);
// Graphics area as fractions of the current window.
int igrarea(float x1, float y1, float x2, float y2);
// User units of the area's lower-left and upper-right corners.
int igrunits(float x1, float y1, float x2, float y2);
// Clears the area to colour number 0.
int igrareaclear();

// Current colour number 0..255.
int igrcolourn(int c);
// Line type 0..6; absent (null) or out of range gives solid.
int igrlinetype(const int* type = nullptr);

int igrmoveto(float x, float y);
int igrlineto(float x, float y);

// Fill pattern -2..4 with optional density (1..5) and angle (1..4).
int igrfillpattern(int pattern, const int* density = nullptr, const int* angle = nullptr);
// Polygon through n points in user units, drawn with the current fill.
int igrpolygoncomplex(const float* x, const float* y, int n);
// Circle of radius r (user x units) around (x, y).
int igrcircle(float x, float y, float r);

}  // namespace tsd
