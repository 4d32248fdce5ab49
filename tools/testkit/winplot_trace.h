// Recording of the plot routines' driver operations with the texts of the
// window driver's text operation (22): the characters, where the first
// cell starts, the cell width and the colour. The layer runs on a surface.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "toolkit/graphics/grfont.h"
#include "toolkit/graphics/grhooks.h"
#include "toolkit/graphics/grrecords.h"
#include "tools/testkit/grscreen.h"
#include "tools/testkit/grtrace.h"

namespace tsd::grtest {

struct TextCall {
  std::string text;
  float x = 0.0f;  // device x of the first cell's left edge
  float y = 0.0f;  // device y of the cells' middle
  float cw = 0.0f;
  int colour = 0;
  float centre() const { return x + cw * static_cast<float>(text.size()) / 2.0f; }
  float right() const { return x + cw * static_cast<float>(text.size()); }
};

inline std::vector<TextCall>& texts() {
  static std::vector<TextCall> t;
  return t;
}

// Records the operation, then lets the window driver perform it, so that
// its text-size operation sets the hardware character cell.
inline bool recordtext(int op) {
  if (op == kDrvText) {
    texts().push_back({std::string(grtextbuf, static_cast<std::size_t>(grdrvparams.ix1)),
                       grdrvparams.fx1, grdrvparams.fy1, grdrvparams.fx2, grstate.colour});
  }
  record(op);
  return false;
}

// The layer on a w x h surface, every operation recorded and performed.
class PlotTraceTest : public GrTraceTest {
 protected:
  void startplot(int w, int h) {
    screen_ = std::make_unique<Screen>(w, h);
    grdriverhook = recordtext;
    calls().clear();
    texts().clear();
  }
  void TearDown() override {
    GrTraceTest::TearDown();
    screen_.reset();
  }
  std::unique_ptr<Screen> screen_;
};

}  // namespace tsd::grtest
