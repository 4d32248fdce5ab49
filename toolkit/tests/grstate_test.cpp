// Graphics state: start of the layer, areas, user units, the mapping
// between user units and device coordinates, and clearing the area.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grmapping.h"
#include "toolkit/graphics/grrecords.h"
#include "tools/testkit/grtrace.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/records.h"

namespace tsd {
namespace {

using grtest::calls;
using grtest::ops;
using grtest::startlayer;

class GrStateTest : public grtest::GrTraceTest {};

TEST_F(GrStateTest, StartSwitchesTheScreenDriverOnWithItsOperationsInOrder) {
  quorba01.clientwidth = 200;
  quorba01.clientheight = 100;
  grdevice.requested = 16;
  grdriverhook = grtest::record;
  grtest::calls().clear();
  tkdevices.screenon = 0;
  igrinit("  ");
  EXPECT_EQ(tkdevices.screenon, 1);
  EXPECT_EQ(grdevice.ncolours, 16);
  EXPECT_EQ(grstate.devcolourscopy, 16);
  // Reset, clip region and character size (from the area), both colour slots, plot
  // mode, line type, text size; then the hardware font selected by the font part.
  EXPECT_EQ(ops(), (std::vector<int>{kDrvReset, kDrvClip, kDrvFontSizeScaled, kDrvColour, kDrvColour, kDrvPlotMode, kDrvLineType, kDrvFontSize, kDrvFontSizeScaled}));
  EXPECT_EQ(grstate.colour, 223);
  EXPECT_EQ(grstate.prevcolour, 0);
  EXPECT_EQ(grstate.devcolour, 15) << "223 on a 16-colour device";
  EXPECT_EQ(grstate.plotmode, 0);
  EXPECT_FLOAT_EQ(grstate.aspect, 2.0f);
  EXPECT_EQ(grfill.pattern, 0);
  EXPECT_EQ(grfill.outline, 1);
}

TEST_F(GrStateTest, OptionLetterHKeepsTheScreenDriverOff) {
  for (const char* opt : {"H", "xh"}) {
    SCOPED_TRACE(opt);
    quorba01.clientwidth = 200;
    quorba01.clientheight = 100;
    tkdevices.screenon = 0;
    grdriverhook = grtest::record;
    calls().clear();
    igrinit(opt);
    EXPECT_EQ(tkdevices.screenon, 0);
    EXPECT_TRUE(calls().empty()) << "no driver operation with the screen driver off";
    EXPECT_EQ(grstate.winpixw, 200) << "the window size is still taken";
  }
}

TEST_F(GrStateTest, WholeWindowAreaAndItsClear) {
  startlayer(640, 480);
  igrarea(0.0f, 0.0f, 1.0f, 1.0f);
  EXPECT_EQ(infoerror(1), 0);
  EXPECT_FLOAT_EQ(grstate.devx1, 0.0f);
  EXPECT_FLOAT_EQ(grstate.devy1, 0.0f);
  EXPECT_FLOAT_EQ(grstate.devx2, 640.0f - 0.01f);
  EXPECT_FLOAT_EQ(grstate.devy2, 480.0f - 0.01f);
  EXPECT_EQ(grstate.pixx1, 0);
  EXPECT_EQ(grstate.pixy1, 0);
  EXPECT_EQ(grstate.pixx2, 639);
  EXPECT_EQ(grstate.pixy2, 479);
  EXPECT_EQ(grstate.pixwidth, 640);
  EXPECT_FLOAT_EQ(grstate.boxx2, (640.0f - 0.01f) + 0.001f);
  calls().clear();
  igrareaclear();
  EXPECT_EQ(ops(), std::vector<int>{kDrvClear});
}

TEST_F(GrStateTest, AreaFractionsOutsideTheRuleFallBackPerPair) {
  struct Case {
    float x1, y1, x2, y2;
    int error;
    float ex1, ey1, ex2, ey2;
  };
  const Case cases[] = {
      {0.5f, 0.5f, 0.5f, 1.0f, 44, 0.0f, 0.5f, 1.0f, 1.0f},
      {0.0f, 0.0f, 1.0000001f, 1.0f, 44, 0.0f, 0.0f, 1.0f, 1.0f},
      {-0.0f, 0.2f, 0.5f, 0.8f, 0, -0.0f, 0.2f, 0.5f, 0.8f},
      {0.1f, 0.2f, -0.0f, 0.8f, 44, 0.0f, 0.2f, 1.0f, 0.8f},
      {0.2f, 1.0f, 0.6f, 0.5f, 44, 0.2f, 0.0f, 0.6f, 1.0f},
      {-0.1f, 0.0f, 0.5f, 2.0f, 44, 0.0f, 0.0f, 1.0f, 1.0f},
      {std::nanf(""), 0.0f, 0.5f, 0.5f, 44, 0.0f, 0.0f, 1.0f, 0.5f},
  };
  startlayer(400, 300);
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x1 << "," << c.y1 << " - " << c.x2 << "," << c.y2);
    infoerror(1);
    igrarea(c.x1, c.y1, c.x2, c.y2);
    EXPECT_EQ(infoerror(1), c.error);
    EXPECT_FLOAT_EQ(grstate.areax1, c.ex1);
    EXPECT_FLOAT_EQ(grstate.areay1, c.ey1);
    EXPECT_FLOAT_EQ(grstate.areax2, c.ex2);
    EXPECT_FLOAT_EQ(grstate.areay2, c.ey2);
  }
}

TEST_F(GrStateTest, UserUnitsRefusedPerAxis) {
  startlayer(400, 300);
  igrunits(0.0f, 5.0f, 1.0f, 2.0f);
  EXPECT_EQ(infoerror(1), 0) << "descending y units are replaced silently";
  EXPECT_FLOAT_EQ(grstate.unitsy1, 0.0f);
  EXPECT_FLOAT_EQ(grstate.unitsy2, 1.0f);
  igrunits(3.0f, 0.0f, 3.0f, 10.0f);
  EXPECT_EQ(infoerror(1), 16);
  EXPECT_FLOAT_EQ(grstate.unitsx1, 0.0f);
  EXPECT_FLOAT_EQ(grstate.unitsx2, 1.0f);
  EXPECT_FLOAT_EQ(grstate.unitsy2, 10.0f);
  igrunits(std::nanf(""), 0.0f, 1.0f, 1.0f);
  EXPECT_EQ(infoerror(1), 16) << "a value that is not a number is refused";
  EXPECT_TRUE(std::isfinite(grstate.scalex));
}

TEST_F(GrStateTest, MappingOfASubAreaAndBack) {
  startlayer(1001, 501);
  igrarea(0.1f, 0.1f, 0.9f, 0.9f);
  igrunits(0.0f, 0.0f, 10.0f, 10.0f);
  const float ww = 1001.0f - 0.01f;
  const float wh = 501.0f - 0.01f;
  EXPECT_FLOAT_EQ(grstate.devx1, 0.1f * ww);
  EXPECT_FLOAT_EQ(grstate.devx2, 0.9f * ww);
  EXPECT_FLOAT_EQ(grstate.devy1, 0.1f * wh);
  float dx = 0, dy = 0;
  xxe2i(0.0f, 0.0f, dx, dy);
  EXPECT_FLOAT_EQ(dx, grstate.devx1);
  EXPECT_FLOAT_EQ(dy, grstate.devy1);
  xxe2i(10.0f, 10.0f, dx, dy);
  EXPECT_FLOAT_EQ(dx, grstate.devx2);
  EXPECT_FLOAT_EQ(dy, grstate.devy2);
  for (float u : {0.0f, 2.5f, 7.0f, 10.0f}) {
    SCOPED_TRACE(u);
    float x = 0, y = 0;
    xxe2i(u, 10.0f - u, dx, dy);
    xxi2e(dx, dy, x, y);
    EXPECT_NEAR(x, u, 1e-4);
    EXPECT_NEAR(y, 10.0f - u, 1e-4);
  }
}

TEST_F(GrStateTest, ResizeKeepsFractionsAndUnits) {
  startlayer(400, 200);
  igrarea(0.25f, 0.5f, 0.75f, 1.0f);
  igrunits(-1.0f, -1.0f, 1.0f, 1.0f);
  float x1 = 0, y1 = 0;
  xxe2i(0.5f, 0.5f, x1, y1);
  quorba01.clientwidth = 800;
  quorba01.clientheight = 400;
  xxresn();
  float x2 = 0, y2 = 0;
  xxe2i(0.5f, 0.5f, x2, y2);
  EXPECT_NEAR(x2, 2.0f * x1, 0.02f);
  EXPECT_NEAR(y2, 2.0f * y1, 0.02f);
  EXPECT_FLOAT_EQ(grstate.unitsx1, -1.0f);
  EXPECT_EQ(grdevice.maxrow, 399);
  EXPECT_EQ(grdevice.maxcol, 799);
}

TEST_F(GrStateTest, ZeroHeightWindowHasAspectOne) {
  startlayer(300, 0);
  EXPECT_FLOAT_EQ(grstate.aspect, 1.0f);
}

TEST_F(GrStateTest, ClearingASubAreaUsesASolidRectangleInColourZero) {
  startlayer(200, 100);
  igrarea(0.25f, 0.25f, 0.75f, 0.75f);
  igrcolourn(31);
  const int prevcolour = grstate.prevcolour;
  grfill.pattern = 1;
  grstate.plotmode = 3;
  calls().clear();
  igrareaclear();
  ASSERT_EQ(ops(), (std::vector<int>{kDrvPlotMode, kDrvColour, kDrvRectangleSolid, kDrvPlotMode, kDrvColour}));
  const auto& c = calls();
  EXPECT_EQ(c[1].colour, 0);
  EXPECT_EQ(c[1].devcolour, 0);
  EXPECT_EQ(c[2].params.ix1, grstate.pixx1);
  EXPECT_EQ(c[2].params.iy1, grstate.pixy1);
  EXPECT_EQ(c[2].params.ix2, grstate.pixx2);
  EXPECT_EQ(c[2].params.iy2, grstate.pixy2);
  EXPECT_EQ(c[4].colour, 31);
  EXPECT_EQ(grstate.colour, 31);
  EXPECT_EQ(grstate.prevcolour, prevcolour);
  EXPECT_EQ(grstate.plotmode, 3);
  EXPECT_EQ(grfill.pattern, 1);
}

TEST_F(GrStateTest, ClearingInColourZeroAndCopyModeSendsOnlyTheRectangle) {
  startlayer(200, 100);
  igrarea(0.0f, 0.0f, 0.5f, 1.0f);
  igrcolourn(0);
  calls().clear();
  igrareaclear();
  EXPECT_EQ(ops(), std::vector<int>{kDrvRectangleSolid});
}

}  // namespace
}  // namespace tsd
