// The curve programs' plot routine through the driver operations it
// produces: markers always solid, no curve label in any call mode, and the
// ranges written back to the caller's variables.
#include "peakcurve/mokrin/winplot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/winplots.h"
#include "tools/testkit/winplot_trace.h"
#include "toolkit/graphics/grrecords.h"
#include "tools/testkit/grtrace.h"

namespace tsd::peakcurve {
namespace {

using grtest::calls;
using grtest::callsof;
using grtest::DriverCall;

class WinplotTrace : public grtest::PlotTraceTest {
 protected:
  void SetUp() override { startplot(801, 601); }
};

struct Curve {
  std::vector<double> x = {320.0, 360.0, 400.0};
  std::vector<double> y = {1.0e-12, 3.0e-12, 2.0e-12};
  double xmin = 300.0, xmax = 450.0, ymin = 0.0, ymax = 4.0e-12;
  int colour = 175;
  int kind = kPlotLine;
  int ymode = 1;
  int callmode = 1;
  int grid = 0;

  void draw() {
    winplot(x, y, xmin, xmax, ymin, ymax, static_cast<int>(x.size()), "      T   ", "     Ja,Jd",
            "          ", 0.002, 0.2, "(F14.1)", "(1P,E14.2)", colour, kind, 1, ymode, callmode,
            grid);
  }
};

// The measured curve after the model curve: its circles are filled, and
// the fill state is pattern 4 with density 1 and angle 1 after every call,
// whatever it was before.
TEST_F(WinplotTrace, MarkersAlwaysSolid) {
  Curve model;
  model.draw();
  EXPECT_TRUE(callsof(kDrvEllipseSolid).empty()) << "a line has no markers";

  grfill.pattern = 0;
  grfill.density = 3;
  grfill.angle = 4;
  calls().clear();
  Curve measured;
  measured.colour = 223;
  measured.kind = kPlotCircles;
  measured.callmode = 0;
  measured.draw();
  EXPECT_EQ(callsof(kDrvEllipseSolid).size(), 3u) << "three filled circles";
  EXPECT_TRUE(callsof(kDrvEllipseOutline).empty()) << "no outlined circle";
  EXPECT_EQ(grfill.pattern, 4);
  EXPECT_EQ(grfill.density, 1);
  EXPECT_EQ(grfill.angle, 1);
  for (const DriverCall& d : callsof(kDrvEllipseSolid)) EXPECT_EQ(d.colour, 223);
}

// Call mode 1 draws titles and tick labels; every other mode, 2 included,
// draws the series without any text.
TEST_F(WinplotTrace, NoCurveLabel) {
  struct Case {
    int callmode;
    bool texts;
  };
  const Case cases[] = {{1, true}, {2, false}, {0, false}, {3, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "call mode " << c.callmode);
    grtest::texts().clear();
    calls().clear();
    Curve curve;
    curve.callmode = c.callmode;
    curve.draw();
    EXPECT_EQ(!grtest::texts().empty(), c.texts) << grtest::texts().size() << " texts";
    for (const grtest::TextCall& t : grtest::texts()) {
      EXPECT_EQ(t.colour, 223) << "text \"" << t.text << "\" in the drawing colour";
    }
    EXPECT_EQ(callsof(kDrvLine).size() >= 2u, true) << "the series is drawn";
  }
}

// An all-zero model with the maximum taken from the curve (mode 3) and
// ymin 0: the range becomes -1 .. 1 in the caller's variables, and a second
// curve drawn into that frame uses the widened range.
TEST_F(WinplotTrace, EmptyRangeWidenedForTheCaller) {
  Curve zero;
  zero.y = {0.0, 0.0, 0.0};
  zero.ymode = 3;
  zero.ymax = 5.0;
  zero.draw();
  EXPECT_EQ(zero.ymin, -1.0);
  EXPECT_EQ(zero.ymax, 1.0);
  EXPECT_EQ(zero.xmin, 300.0);
  EXPECT_EQ(zero.xmax, 450.0);
}

// The grid flag reaches the frame: grid lines in colours 223 and 255 with
// 1, tick marks alone with 0.
TEST_F(WinplotTrace, GridFlagPassedOn) {
  for (int grid : {0, 1}) {
    SCOPED_TRACE(testing::Message() << "grid " << grid);
    calls().clear();
    Curve curve;
    curve.grid = grid;
    curve.draw();
    int minor = 0;
    for (const DriverCall& d : callsof(kDrvLine))
      if (d.colour == 255) ++minor;
    EXPECT_EQ(minor > 0, grid == 1) << minor << " lines in colour 255";
  }
}

}  // namespace
}  // namespace tsd::peakcurve
