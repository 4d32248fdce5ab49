// Test fixture of the graphics layer: a window of a chosen size and colour
// count, the layer started on it, and every driver operation recorded
// (with a copy of the parameter block and the point buffer) instead of
// reaching the window driver.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grdriver.h"
#include "toolkit/graphics/grfont.h"
#include "toolkit/graphics/grhooks.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/records.h"
#include "toolkit/window/strings.h"
#include "tools/testkit/files.h"

namespace tsd::grtest {

struct DriverCall {
  int op = 0;
  GrDrvParams params;
  std::vector<float> xs;  // grpolybuf points of operations 15, 16, 32
  std::vector<float> ys;
  int colour = 0;         // colour number and device colour at the call
  int devcolour = 0;
};

inline std::vector<DriverCall>& calls() {
  static std::vector<DriverCall> c;
  return c;
}

inline bool record(int op) {
  DriverCall c;
  c.op = op;
  c.params = grdrvparams;
  c.colour = grstate.colour;
  c.devcolour = grstate.devcolour;
  if (op == kDrvPolygonStipple || op == kDrvPolygonSolid || op == kDrvPolyline) {
    const int n = std::clamp(grdrvparams.count, 0, kPolyPoints);
    c.xs.assign(grpolybuf.x, grpolybuf.x + n);
    c.ys.assign(grpolybuf.y, grpolybuf.y + n);
  }
  calls().push_back(c);
  return true;
}

// Records the operation and lets it reach the window driver as well.
inline bool passthrough(int op) {
  record(op);
  return false;
}

// The folder the build writes the stroke-font files into.
inline std::string fontdir() { return testkit::fontfolder() + "/"; }

// Starts the layer on a w x h window with n device colours, recording.
inline void startlayer(int w, int h, int ncolours = 256, int invert = 0) {
  quorba01.clientwidth = w;
  quorba01.clientheight = h;
  grdevice.requested = ncolours;
  grdevice.invert = invert;
  tkdevices.screenon = 0;
  tkdevices.hardcopyon = 0;
  std::fill(grdevice.capability, grdevice.capability + kCapabilityLength, ' ');
  std::fill(grdevice.capability + 1, grdevice.capability + 34, 'W');
  grfill = GrFill{};
  grdriverhook = record;
  igrinit(" ");
  infoerror(1);
  calls().clear();
}

inline std::vector<int> ops() {
  std::vector<int> o;
  for (const DriverCall& c : calls()) o.push_back(c.op);
  return o;
}

inline std::vector<DriverCall> callsof(int op) {
  std::vector<DriverCall> r;
  for (const DriverCall& c : calls())
    if (c.op == op) r.push_back(c);
  return r;
}

// Marks operation op as absent from the window driver.
inline void withoutop(int op) { grdevice.capability[op - 1] = ' '; }

// The font records as a new process has them (nothing loaded, nothing
// preloaded), with the build's generated fonts as the character-set folder
// and "standard.chr" as the default set, whatever an earlier test of the
// same process configured or loaded.
inline void freshfonts() {
  assign(tkfiles.chardir, fontdir());
  assign(tkfiles.charset, "standard.chr");
  grfontcache = GrFontCache{};
  grfont = GrFontTables{};
}

// The stroke fonts a text test draws with: the fonts preloaded from the
// build's folder as the first start of the layer in a process does.
inline void loadstrokefonts() {
  freshfonts();
  xxinitfonts();
}

class GrTraceTest : public ::testing::Test {
 protected:
  void TearDown() override {
    grdriverhook = nullptr;
    calls().clear();
    infoerror(1);
  }
};

}  // namespace tsd::grtest
