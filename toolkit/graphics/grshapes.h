// Polygons, ellipses and the fill state, with the helpers the layer uses
// when it fills a shape itself with hatch or scan lines.
#pragma once

namespace tsd {

// Polygon through n points; flag 0 = user units, else device coordinates.
int xxplygon(const float* x, const float* y, int n, int flag);
// Ellipse around (x, y) in user units, radius r in user x units.
int xxelip(float x, float y, float r, float ratio);

// Spacing of the layer's own fill lines for device 1 (screen) or 2
// (hardcopy): horizontal lines every hstep pixels, vertical lines every
// vstep, and the end shortening of ellipse chords.
int xxstep(int device, int density, float& hstep, float& vstep, float& shorten);
// Replaces a two-colour stipple operation by the solid one when both
// colours are the same and the driver has the solid operation.
int xxfact(int solidop, int& op);
// Offers a patterned fill (pattern 3 and up) to the screen driver as
// operation op, solid operation solidop when both stipple colours agree.
// A driver without the operation leaves the fill to the layer
// (selfscreen 2); returns false when the driver filled the shape itself
// and the layer must draw nothing.
bool xxofferfill(int solidop, int op);
// Colour switch around the second pass of a stipple the layer draws
// itself: counter 1 sets the second colour (counter := 2), counter 2
// restores the colours (counter := 3).
int xx2col(int device, int& counter);
int xxexch(float& a, float& b);
// Sets the current colours directly (previous := current first) and sends
// them to the screen unless which = 2, to the hardcopy driver unless which = 1.
int xxcon(int devcolour, int colour, int which);

}  // namespace tsd
