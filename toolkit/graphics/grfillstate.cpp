// The fill state and the small helpers of the layer's own filling.
#include <cstdint>

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grdriver.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/graphics/grshapes.h"
#include "toolkit/window/records.h"

namespace tsd {

namespace {

// Colours saved by xx2col while the second stipple colour is in use.
struct SavedColours {
  std::int32_t prevdevcolour = 0, devcolour = 0, prevcolour = 0, colour = 0;
};
SavedColours saved;

// Hatch spacing for a window size: size div divisor, at least 2 when the
// quotient is below 3.
float hatchstep(int size, int divisor) {
  int q = size / divisor;
  if (q < 3) q = 2;
  return static_cast<float>(q);
}

}  // namespace

int igrfillpattern(int pattern, const int* density, const int* angle) {
  grfill.density = density != nullptr ? *density : 2;
  grfill.angle = angle != nullptr ? *angle : 3;
  grfill.outline = 1;
  if (pattern < -2 || pattern > 4) {
    grfill.pattern = 0;
  } else {
    if (pattern < 0) grfill.outline = 0;
    grfill.pattern = pattern < 0 ? -pattern : pattern;
  }
  if (grfill.density < 1 || grfill.density > 5) grfill.density = 2;
  if (grfill.angle < 1 || grfill.angle > 4) grfill.angle = 3;
  return 0;
}

int xxstep(int device, int density, float& hstep, float& vstep, float& shorten) {
  const int pattern = grfill.pattern;
  if (pattern >= 3) {
    const bool twocolour = pattern == 3 && grfill.selfscreen == 2;
    hstep = twocolour ? 2.0f : 1.0f;
    vstep = hstep;
  } else {
    const int d = density < 1 || density > 5 ? 2 : density;
    hstep = hatchstep(grstate.winpixh, 10 * (1 << (d - 1)) + 20);
    vstep = hatchstep(grstate.winpixw, 10 * (1 << d) + 10);
  }
  shorten = device == 1 && grstate.plotmode != 0 ? 1.0f : 0.0f;
  return 0;
}

int xxfact(int solidop, int& op) {
  if (grfill.pattern != 3 || !xxcapable(solidop)) return 0;
  const bool same = grdevice.ncolours < 3 ? grstate.prevcolour == grstate.colour
                                          : grstate.prevdevcolour == grstate.devcolour;
  if (same) op = solidop;
  return 0;
}

bool xxofferfill(int solidop, int op) {
  xxfact(solidop, op);
  if (!xxcapable(op)) {
    grfill.selfscreen = 2;
    return true;
  }
  xxgdrv(op);
  return grfill.selfscreen != 0;
}

int xxcon(int devcolour, int colour, int which) {
  grstate.prevdevcolour = grstate.devcolour;
  grstate.prevcolour = grstate.colour;
  grstate.devcolour = devcolour;
  grstate.colour = colour;
  if (which != 2) xxgdrv(kDrvColour);
  if (which != 1 && tkdevices.hardcopyon > 0) xxhdrv(kDrvColour);
  return 0;
}

int xx2col(int device, int& counter) {
  if (grfill.selfscreen != 2 || grfill.pattern != 3) return 0;
  if (counter == 1) {
    if (grdevice.ncolours != 1) {
      saved = SavedColours{grstate.prevdevcolour, grstate.devcolour, grstate.prevcolour,
                           grstate.colour};
      if (grdevice.ncolours == 2 && grstate.colour != 0)
        xxcon(0, 0, device);
      else
        xxcon(grstate.prevdevcolour, grstate.prevcolour, device);
    }
    counter = 2;
  } else if (counter == 2) {
    if (grdevice.ncolours != 1) {
      grstate.prevdevcolour = saved.prevdevcolour;
      grstate.devcolour = saved.devcolour;
      grstate.prevcolour = saved.prevcolour;
      grstate.colour = saved.colour;
      if (device != 2) xxgdrv(kDrvColour);
    }
    counter = 3;
  }
  return 0;
}

int xxexch(float& a, float& b) {
  const float t = a;
  a = b;
  b = t;
  return 0;
}

}  // namespace tsd
