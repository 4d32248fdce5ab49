// The window driver on a device context: colour and font caches, the clip
// region of the area, palette loading and the removal of the objects.
#include <gtest/gtest.h>

#include <string_view>

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grdriver.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/graphics/mwing.h"
#include "tools/testkit/grscreen.h"
#include "toolkit/window/records.h"

namespace tsd {
namespace {

using grtest::Screen;

std::string_view sampletext() { return "HH"; }

TEST(GrDriver, SameColourPairIsSentOnceUntilTheReset) {
  Screen s(50, 50);
  igrcolourn(31);
  plat::HPEN pen = gPen;
  ASSERT_NE(pen, nullptr);
  gStippleChanged = 0;
  xxgdrv(kDrvColour);
  EXPECT_EQ(gPen, pen) << "same pair: no new pen";
  EXPECT_EQ(gStippleChanged, 0);
  xxgdrv(kDrvReset);
  xxgdrv(kDrvColour);
  EXPECT_EQ(gStippleChanged, 1) << "after the reset the colour is sent again";
}

TEST(GrDriver, SameFontSizeCreatesTheFontOnce) {
  Screen s(300, 200);
  xxgdrv(kDrvFontSize);
  plat::HFONT font = gFont;
  ASSERT_NE(font, nullptr);
  xxgdrv(kDrvFontSizeScaled);
  EXPECT_EQ(gFont, font);
  grstate.charfw = 2.0f;
  xxgdrv(kDrvFontSizeSpare);
  EXPECT_NE(gFont, nullptr);
  EXPECT_FLOAT_EQ(grstate.charsacross, 299.99f * 75.0f / (299.99f * 2.0f));
}

TEST(GrDriver, ClipRegionFollowsTheArea) {
  Screen s(200, 100);
  igrarea(0.0f, 0.0f, 1.0f, 1.0f);
  EXPECT_EQ(gRegion, nullptr) << "whole window: no region";
  igrarea(0.1f, 0.2f, 0.5f, 0.9f);
  ASSERT_NE(gRegion, nullptr);
  plat::RECT box;
  plat::GetRgnBox(gRegion, &box);
  EXPECT_EQ(box.left, grstate.pixx1);
  EXPECT_EQ(box.top, 99 - grstate.pixy2);
  EXPECT_EQ(box.right, grstate.pixx2);
  EXPECT_EQ(box.bottom, 99 - grstate.pixy1);
  igrarea(0.0f, 0.0f, 1.0f, 1.0f);
  EXPECT_EQ(gRegion, nullptr);
}

TEST(GrDriver, ReadPixelGivesItsColourOrMinusOne) {
  Screen s(20, 20);
  plat::SetPixel(hdc, 3, 19 - 4, plat::RGB(1, 2, 3));
  grdrvparams.ix1 = 3;
  grdrvparams.iy1 = 4;
  xxgdrv(kDrvReadPixel);
  EXPECT_EQ(grdrvparams.ix1, 1);
  EXPECT_EQ(grdrvparams.ix2, 2);
  EXPECT_EQ(grdrvparams.ix3, 3);
  grdrvparams.ix1 = 30;
  xxgdrv(kDrvReadPixel);
  EXPECT_EQ(grdrvparams.ix1, -1);
  EXPECT_EQ(grdrvparams.ix3, -1);
}

TEST(GrDriver, LoadingThePaletteOnSixteenColours) {
  Screen s(20, 20, 16, 0, 8);
  ASSERT_NE(gPal256, nullptr);
  plat::PALETTEENTRY e{};
  plat::SetPaletteEntries(gPal256, 9, 1, &e);
  xxgdrv(kDrvLoadPalette);
  plat::PALETTEENTRY got[16];
  ASSERT_EQ(plat::GetPaletteEntries(gPal256, 0, 16, got), 16u);
  EXPECT_EQ(got[9].peBlue, 0xff) << "entry 9 of the 16 table is 0000ff";
  EXPECT_EQ(got[15].peRed, 0xff);
  EXPECT_EQ(got[0].peRed, 0x00);
}

TEST(GrDriver, RemovingTheObjectsTwiceDoesNothingTheSecondTime) {
  Screen s(50, 50, 16, 0, 8);
  igrarea(0.1f, 0.1f, 0.5f, 0.5f);
  xxgdrv(kDrvFontSize);
  igrfillpattern(3);
  igrcircle(0.5f, 0.5f, 0.2f);
  EXPECT_NE(gBitmap, nullptr);
  EXPECT_NE(gPen, nullptr);
  xxmwinremoveg();
  EXPECT_EQ(gBitmap, nullptr);
  EXPECT_EQ(gStippleExists, 0);
  EXPECT_EQ(gRegion, nullptr);
  EXPECT_EQ(gFont, nullptr);
  EXPECT_EQ(gPal256, nullptr);
  EXPECT_EQ(gPen, nullptr);
  EXPECT_EQ(TextMode, 1);
  xxmwinremoveg();
  EXPECT_EQ(gPen, nullptr);
}

TEST(GrDriver, BlitMovesARectangleAndFillsWhatItLeaves) {
  Screen s(40, 40);
  igrareaclear();
  // A white 10 x 10 block at device (5..14, 5..14), moved right by 4 and up by 3.
  for (int y = 5; y <= 14; ++y)
    for (int x = 5; x <= 14; ++x) plat::SetPixel(hdc, x, 39 - y, plat::RGB(255, 255, 255));
  grdrvparams.ix1 = 5;
  grdrvparams.iy1 = 5;
  grdrvparams.ix2 = 14;
  grdrvparams.iy2 = 14;
  grdrvparams.ix3 = 9;
  grdrvparams.iy3 = 8;
  grdrvparams.marker = 1;
  xxgdrv(kDrvMoveRectangle);
  EXPECT_EQ(s.count(0xffffff), 100) << "the block moved whole";
  EXPECT_EQ(s.dev(9, 8), 0xffffffu);
  EXPECT_EQ(s.dev(18, 17), 0xffffffu);
  EXPECT_EQ(s.dev(5, 5), 0x000000u) << "vacated part painted in the background";
  EXPECT_EQ(s.dev(8, 14), 0x000000u);
  EXPECT_EQ(s.dev(14, 7), 0x000000u);
}

TEST(GrDriver, HardwareTextDrawsTheTextBufferAtTheCellsTopLeft) {
  Screen s(200, 100);
  igrcolourn(31);
  grstate.charfw = 0.2f;  // a cell of 13 x 20 pixels
  grstate.charfh = 0.2f;
  xxgdrv(kDrvFontSize);
  // The text part's own buffer is put back at the end, for the tests after.
  const GrTextHooks linked = grtexthooks;
  grtexthooks.textbuffer = sampletext;
  grstate.textheightx = 0.0f;
  grstate.textheighty = 20.0f;
  grdrvparams.fx1 = 50.0f;
  grdrvparams.fy1 = 40.0f;  // middle of the cell's left edge: top at 50
  grdrvparams.ix1 = 2;
  xxgdrv(kDrvText);
  grtexthooks.textbuffer = nullptr;
  EXPECT_FLOAT_EQ(grdrvparams.fy4, 0.55f);
  int red = 0, above = 0, left = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) {
      if (s.at(x, y) == grtest::kMark) continue;
      ++red;
      if (y < 99 - 50) ++above;
      if (x < 50) ++left;
    }
  EXPECT_GT(red, 0) << "the text is drawn";
  EXPECT_GT(s.count(0xff0000), 0) << "in the current colour";
  EXPECT_EQ(above, 0) << "nothing above the cell's top";
  EXPECT_EQ(left, 0) << "nothing left of the first cell";
  grdrvparams.ix1 = 2;
  xxgdrv(kDrvText);  // no text part linked: nothing drawn
  grtexthooks = linked;
  EXPECT_EQ(static_cast<int>(s.surface.pixels.size()) - s.count(grtest::kMark), red);
}

}  // namespace
}  // namespace tsd
