// Device set-up and coordinate mapping of the graphics layer.
#pragma once

namespace tsd {

// Takes the current window's client size and re-applies the area.
int xxresn();
// Switches the screen driver on.
int xxgscr();
// Sets the device rectangle of the area.
int xxwing(float x1, float y1, float x2, float y2);
// User units to device coordinates and back.
int xxe2i(float x, float y, float& dx, float& dy);
int xxi2e(float dx, float dy, float& x, float& y);

}  // namespace tsd
