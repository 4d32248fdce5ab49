// Text output: justification and continuation point, size factors, whole-
// cell clipping of hardware text, stroke text as lines or filled polygons,
// the codes a font can draw, the fallback to "fixed.chr" and error 53.
// The layer runs on a surface; every driver operation is recorded and then
// performed by the window driver.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "text/cp1250.h"
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

int countof(int op) { return static_cast<int>(callsof(op).size()); }
int strokeops() {
  return countof(kDrvLineAlt) + countof(kDrvLine) + countof(kDrvPolyline) + countof(kDrvPolygonStipple) +
         countof(kDrvPolygonSolid);
}

// A 600 x 250 window whose area is 600 x 250 device units: cells of 8 x 10
// at factors 1, user units equal to device units.
class GrTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    screen_ = std::make_unique<grtest::Screen>(600, 250);
    grtest::loadstrokefonts();
    igrunits(0.0f, 0.0f, grstate.winwidth, grstate.winheight);
    grstate.areadevwidth = 600.0f;
    grstate.areadevheight = 250.0f;
    igrcharsize(1.0f, 1.0f);
    infoerror(1);
    grdriverhook = passthrough;
    calls().clear();
  }
  void TearDown() override {
    grdriverhook = nullptr;
    calls().clear();
    screen_.reset();
    infoerror(1);
  }
  float curdevx() const {
    float dx = 0.0f, dy = 0.0f;
    xxe2i(grstate.curx, grstate.cury, dx, dy);
    return dx;
  }
  std::unique_ptr<grtest::Screen> screen_;
};

TEST_F(GrTextTest, JustificationPlacesTheStringAndTheContinuationPoint) {
  struct Case {
    const char* just;
    float px;
    float qx;
  };
  for (const char* font : {"H", "swiss.chr"}) {
    igrcharset(font);
    for (const Case& c : {Case{"C", 284.0f, 320.0f}, Case{"left", 300.0f, 332.0f},
                          Case{"r", 268.0f, 308.0f}}) {
      SCOPED_TRACE(std::string(font) + " " + c.just);
      calls().clear();
      igrcharjustify(c.just);
      igrcharout(300.0f, 100.0f, "ABCD");
      EXPECT_NEAR(curdevx(), c.qx, 0.01f);
      EXPECT_NEAR(grstate.textadvx, 8.0f, 1e-3f);
      EXPECT_NEAR(grstate.textheighty, 10.0f, 1e-3f);
      if (font[0] == 'H') {
        ASSERT_EQ(countof(kDrvText), 1);
        const GrDrvParams p = callsof(kDrvText)[0].params;
        EXPECT_NEAR(p.fx1, c.px, 0.01f);
        EXPECT_NEAR(p.fy1, 100.0f, 0.01f);
        EXPECT_EQ(p.ix1, 4);
        EXPECT_EQ(std::string(grtextbuf, 4), "ABCD");
      } else {
        EXPECT_EQ(countof(kDrvText), 0);
        EXPECT_GT(strokeops(), 4);
      }
    }
  }
  // An empty text draws nothing and still moves the current point.
  igrcharset("H");
  igrcharjustify(" ");
  calls().clear();
  igrcharout(300.0f, 100.0f, "");
  EXPECT_EQ(countof(kDrvText), 0);
  EXPECT_NEAR(curdevx(), 304.0f, 0.01f);
}

TEST_F(GrTextTest, SizeFactorsAndJustificationLetters) {
  igrcharsize(0.5f, 0.5f);
  EXPECT_FLOAT_EQ(grstate.charfw, 0.5f);
  EXPECT_NEAR(grstate.charsacross * 600.0f / grstate.winwidth, 150.0f, 1e-3f);
  for (float f : {0.0f, -0.0f, -2.0f}) {
    SCOPED_TRACE(f);
    igrcharsize(f, f);
    EXPECT_FLOAT_EQ(grstate.charfw, 1.0f);
    EXPECT_FLOAT_EQ(grstate.charfh, 1.0f);
  }
  igrcharsize(2.0f, 0.25f);
  EXPECT_NEAR(grstate.charsdown * 250.0f / grstate.winheight, 100.0f, 1e-3f);
  igrcharset("H");
  calls().clear();
  igrcharout(300.0f, 100.0f, "AB");
  ASSERT_EQ(countof(kDrvText), 1);
  EXPECT_NEAR(grstate.textadvx, 16.0f, 1e-3f);
  EXPECT_NEAR(grstate.textheighty, 2.5f, 1e-3f);
  EXPECT_FLOAT_EQ(igrcharlength("AB", 2), 2.0f);

  struct J {
    const char* text;
    int value;
  };
  for (const J& j : {J{"l", 1}, J{"L", 1}, J{"Left", 1}, J{"R", 2}, J{"right", 2}, J{"c", 0},
                     J{"x", 0}, J{" ", 0}, J{"", 0}}) {
    SCOPED_TRACE(j.text);
    igrcharjustify(j.text);
    EXPECT_EQ(grstate.justification, j.value);
  }
  // With the screen driver off, xxsizg computes the counts itself.
  tkdevices.screenon = 0;
  igrcharsize(1.0f, 1.0f);
  EXPECT_NEAR(grstate.charsacross, grstate.winwidth * 75.0f / 600.0f, 1e-3f);
  EXPECT_NEAR(grstate.charsdown, grstate.winheight * 25.0f / 250.0f, 1e-3f);
  tkdevices.screenon = 1;
}

TEST_F(GrTextTest, HardwareTextDropsCellsThatLeaveTheArea) {
  igrarea(0.1f, 0.1f, 0.9f, 0.9f);
  igrunits(0.0f, 0.0f, 1.0f, 1.0f);
  grstate.areadevwidth = 600.0f;
  grstate.areadevheight = 250.0f;
  igrcharsize(1.0f, 1.0f);
  igrcharset("H");
  igrcharjustify("L");
  std::string text;
  for (int i = 0; i < 62; ++i) text += static_cast<char>('A' + i % 26);
  // Left edges 45, 53, 61, ...: the area starts near 60 and ends near 540,
  // which the 62nd cell (533..541) passes.
  float ux = 0.0f, uy = 0.0f;
  xxi2e(45.0f, 100.0f, ux, uy);
  calls().clear();
  igrcharout(ux, uy, text);
  ASSERT_EQ(countof(kDrvText), 1);
  const GrDrvParams p = callsof(kDrvText)[0].params;
  EXPECT_EQ(p.ix1, 59);
  EXPECT_NEAR(p.fx1, 61.0f, 0.01f);
  EXPECT_EQ(std::string(grtextbuf, 59), text.substr(2, 59));

  // A line whose cells stick out above the area draws nothing.
  calls().clear();
  xxi2e(100.0f, 221.0f, ux, uy);
  igrcharout(ux, uy, "ABC");
  EXPECT_EQ(countof(kDrvText), 0);
  // Only 255 characters fit the text buffer.
  igrcharsize(0.1f, 1.0f);
  calls().clear();
  xxi2e(70.0f, 100.0f, ux, uy);
  igrcharout(ux, uy, std::string(400, 'i'));
  ASSERT_EQ(countof(kDrvText), 1);
  EXPECT_EQ(callsof(kDrvText)[0].params.ix1, 255);
}

TEST_F(GrTextTest, StrokeTextIsSolidAndPutsBackTheLineTypeAndFill) {
  igrcharset("swiss.chr");
  const int dashed = 3;
  igrlinetype(&dashed);
  calls().clear();
  igrcharout(300.0f, 100.0f, "Wx");
  EXPECT_EQ(grstate.linetype, 3);
  const std::vector<grtest::DriverCall> lt = callsof(kDrvLineType);
  EXPECT_EQ(lt.size(), 2u) << "solid for the strokes, then dashed again";
  EXPECT_GT(countof(kDrvLineAlt) + countof(kDrvLine) + countof(kDrvPolyline), 0);
  EXPECT_EQ(countof(kDrvPolygonStipple) + countof(kDrvPolygonSolid), 0) << "a line font draws no polygons";

  // A filled font: polygons with the solid pattern, the fill put back.
  const auto dir = std::filesystem::temp_directory_path() / ("tsd_grtext_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::vector<std::uint8_t> b;
  auto put32 = [&b](std::int32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
  };
  auto putf = [&put32](float f) {
    std::int32_t v = 0;
    std::memcpy(&v, &f, 4);
    put32(v);
  };
  const std::string glyph = "00t0ttv55s5ss";  // a triangle, then a second stroke
  put32(static_cast<std::int32_t>(glyph.size()));
  putf(56.0f);
  putf(56.0f);
  for (int c = 33; c <= 127; ++c) put32(c <= 65 ? 1 : static_cast<std::int32_t>(glyph.size()) + 1);
  b.insert(b.end(), glyph.begin(), glyph.end());
  const std::string path = (dir / "filled.chr").string();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()),
                                              static_cast<std::streamsize>(b.size()));
  igrcharset(path);
  ASSERT_EQ(infoerror(1), 0);
  ASSERT_EQ(grstate.fontkind, 2);
  igrfillpattern(1);
  calls().clear();
  igrcharout(300.0f, 100.0f, "A");  // 'A' is the last code with the glyph
  EXPECT_EQ(grfill.pattern, 1);
  std::vector<grtest::DriverCall> polys = callsof(kDrvPolygonSolid);
  ASSERT_EQ(polys.size(), 2u) << "two solid polygons";
  // Glyph origin: (300 - 4 + (8 - 56 * 8/56) / 2, 100 - 5); scale 8/56 by 10/56.
  EXPECT_NEAR(polys[0].xs[0], 296.0f, 0.01f);
  EXPECT_NEAR(polys[0].ys[0], 95.0f, 0.01f);
  EXPECT_NEAR(polys[0].xs[1], 296.0f + 55.0f * 8.0f / 56.0f, 0.01f);
  EXPECT_NEAR(polys[0].ys[2], 95.0f + 55.0f * 10.0f / 56.0f, 0.01f);
  // Codes 161..255 are blank in a font of one block; so are 127..160 and 0..31.
  calls().clear();
  igrcharout(300.0f, 100.0f, "\xB1\x9C\x7F\x01");
  EXPECT_EQ(countof(kDrvPolygonSolid), 0);
  std::filesystem::remove_all(dir);
}

TEST_F(GrTextTest, CodesOfTheFontAndComposedLettersBelowTheSecondBlock) {
  igrcharset("roman.chr");
  ASSERT_EQ(grstate.fonttype, 8);
  auto strokesof = [](const std::string& t) {
    calls().clear();
    igrcharout(300.0f, 100.0f, t);
    return countof(kDrvLineAlt) + countof(kDrvLine) + countof(kDrvPolyline);
  };
  EXPECT_GT(strokesof("\xB1"), 0) << "a with ogonek, in block 2";
  EXPECT_EQ(strokesof("\x80\x81\x90\xA0\x01\x1F "), 0);
  const int s = strokesof("s");
  const int z = strokesof("Z");
  // s and Z with acute: the base letter and the accent of o and O with acute.
  const int acute = strokesof("\xF3") - strokesof("o");
  ASSERT_GT(acute, 0);
  EXPECT_EQ(strokesof("\x9C"), s + acute);
  EXPECT_EQ(strokesof("\x8F"), z + strokesof("\xD3") - strokesof("O"));
  for (const char* word : {"ś", "ź", "Ś", "Ź", "š", "Ž"}) {
    SCOPED_TRACE(word);
    EXPECT_GT(strokesof(text::cp1250_from_utf8(word)), 0);
  }
}

TEST_F(GrTextTest, HardwareTextFallsBackToTheFixedFontBelowTheSizeLimit) {
  igrcharset("H");
  grstate.sizelimit[0] = 0.0f;  // the driver has not been reset
  calls().clear();
  igrcharout(300.0f, 100.0f, "AB");
  EXPECT_EQ(countof(kDrvText), 0);
  EXPECT_GT(strokeops(), 0);
  EXPECT_EQ(grstate.fontkind, 0) << "the hardware font is selected again";
  EXPECT_EQ(infoerror(1), 0);
  // Without "fixed.chr" at the start, error 53 and the hardware font.
  grfont.available[4] = 0;
  calls().clear();
  igrcharout(300.0f, 100.0f, "AB");
  EXPECT_EQ(countof(kDrvText), 1);
  EXPECT_EQ(infoerror(1), kErrText);
  grfont.available[4] = 1;
  // Once reset (1.7e38), and with a negative limit, hardware text stays.
  for (float limit : {1.7e38f, -1.0f}) {
    SCOPED_TRACE(limit);
    grstate.sizelimit[0] = limit;
    calls().clear();
    igrcharout(300.0f, 100.0f, "AB");
    EXPECT_EQ(countof(kDrvText), 1);
  }
}

}  // namespace
}  // namespace tsd
