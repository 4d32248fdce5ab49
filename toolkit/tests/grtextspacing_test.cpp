// Proportional spacing: the spacing letters, lengths from the width table,
// one driver call per hardware character, the fallback tests and stroke
// glyphs centred in their own advances.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grfont.h"
#include "toolkit/graphics/grmapping.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/graphics/grtext.h"
#include "tools/testkit/grscreen.h"
#include "tools/testkit/grtrace.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/records.h"
#include "toolkit/window/strings.h"

namespace tsd {
namespace {

using grtest::calls;
using grtest::callsof;

using grtest::passthrough;

class GrTextSpacingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    screen_ = std::make_unique<grtest::Screen>(600, 250);
    grtest::loadstrokefonts();
    igrunits(0.0f, 0.0f, grstate.winwidth, grstate.winheight);
    grstate.areadevwidth = 600.0f;
    grstate.areadevheight = 250.0f;
    igrcharsize(1.0f, 1.0f);
    igrcharjustify("L");
    infoerror(1);
    grdriverhook = passthrough;
    calls().clear();
  }
  void TearDown() override {
    grdriverhook = nullptr;
    calls().clear();
    screen_.reset();
    grstate.spacing = 0;
    infoerror(1);
  }
  std::unique_ptr<grtest::Screen> screen_;
};

TEST_F(GrTextSpacingTest, SpacingLettersAndLengths) {
  struct Case {
    const char* text;
    int spacing;
  };
  for (const Case& c : {Case{"p", 1}, Case{"P", 1}, Case{"Proportional", 1}, Case{"h", 2},
                        Case{"F", 0}, Case{"", 0}}) {
    SCOPED_TRACE(c.text);
    calls().clear();
    igrcharspacing(c.text);
    EXPECT_EQ(grstate.spacing, c.spacing);
    EXPECT_EQ(grtest::ops(), std::vector<int>{kDrvFontSize});
  }
  EXPECT_FLOAT_EQ(igrcharlength("Wi", 2), 2.0f);
  igrcharspacing("P");
  EXPECT_FLOAT_EQ(igrcharlength("Wi", 2), 1.50f + 0.46f);
  igrcharset("swiss.chr");
  EXPECT_FLOAT_EQ(igrcharlength("\xB9", 1), 0.50f) << "a with ogonek, code 185";
  EXPECT_FLOAT_EQ(igrcharlength("\x01\x80", 2), 2 * 0.70f) << "blank cells";
  EXPECT_FLOAT_EQ(igrcharlength("\x9C", 1), 0.65f) << "s with acute is as wide as s";
}

TEST_F(GrTextSpacingTest, HardwareTextIsOneCallPerCharacter) {
  igrcharset("H");
  igrcharspacing("P");
  calls().clear();
  igrcharout(300.0f, 100.0f, "Wi!");
  const std::vector<grtest::DriverCall> t = callsof(kDrvText);
  ASSERT_EQ(t.size(), 3u);
  EXPECT_NEAR(t[0].params.fx1, 300.0f, 0.01f);
  EXPECT_NEAR(t[1].params.fx1, 300.0f + 1.5f * 8.0f, 0.01f);
  EXPECT_NEAR(t[2].params.fx1, 300.0f + 1.96f * 8.0f, 0.01f);
  for (const grtest::DriverCall& c : t) EXPECT_EQ(c.params.ix1, 1);
  float dx = 0.0f, dy = 0.0f;
  xxe2i(grstate.curx, grstate.cury, dx, dy);
  EXPECT_NEAR(dx, 300.0f + (1.5f + 0.46f + 0.56f) * 8.0f, 0.01f);
}

TEST_F(GrTextSpacingTest, HardwareFontThatCannotFollowFallsBackToItsStrokeFont) {
  igrcharset("H");
  igrcharspacing("P");
  struct Case {
    const char* name;
    char flag;
    float areadev;
    bool fallback;
  };
  for (const Case& c : {Case{"fits", 'W', 600.0f, false}, Case{"flag 0", '0', 600.0f, true},
                        Case{"ratio 2", 'W', 300.0f, true}, Case{"ratio 0.5", 'W', 1200.0f, true}}) {
    SCOPED_TRACE(c.name);
    grdevice.capability[26] = c.flag;
    grstate.areadevwidth = c.areadev;
    igrcharsize(1.0f, 1.0f);
    calls().clear();
    igrcharout(100.0f, 100.0f, "AB");
    EXPECT_EQ(callsof(kDrvText).empty(), c.fallback);
    EXPECT_EQ(grstate.fontkind, 0);
  }
  // Without the fallback font: error 53 and the hardware font.
  grfont.available[0] = 0;
  calls().clear();
  igrcharout(100.0f, 100.0f, "AB");
  EXPECT_EQ(callsof(kDrvText).size(), 2u);
  EXPECT_EQ(infoerror(1), kErrText);
  grfont.available[0] = 1;
  grdevice.capability[26] = 'W';
}

TEST_F(GrTextSpacingTest, StrokeGlyphsAreCentredInTheirOwnAdvance) {
  igrcharset("swiss.chr");
  igrcharspacing("P");
  auto lastx = [] {
    const grtest::DriverCall& c = calls().back();
    return c.op == kDrvPolyline ? c.xs.front() : static_cast<float>(c.params.ix1);
  };
  calls().clear();
  igrcharout(300.0f, 100.0f, "i");
  ASSERT_FALSE(calls().empty());
  const float alone = lastx();
  calls().clear();
  igrcharout(300.0f, 100.0f, "Wi");
  EXPECT_NEAR(lastx(), alone + 1.5f * 8.0f, 0.01f) << "i moved by the advance of W";
}

}  // namespace
}  // namespace tsd
