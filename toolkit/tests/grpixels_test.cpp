// Pixels the graphics layer leaves on a plain surface: inclusive
// rectangles, the edges of the area's clip region, the stipple's parity,
// the two-colour inverted scheme and 16- and 256-colour displays.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grdriver.h"
#include "toolkit/graphics/grlines.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/graphics/grshapes.h"
#include "toolkit/graphics/mwing.h"
#include "tools/testkit/grscreen.h"
#include "toolkit/window/records.h"

namespace tsd {
namespace {

using grtest::kMark;
using grtest::Screen;

TEST(GrPixels, ClearingTheWholeWindowPaintsColourZero) {
  Screen s(64, 48);
  igrareaclear();
  EXPECT_EQ(s.count(0x000000), 64 * 48);
}

TEST(GrPixels, ClearingASubAreaCoversItsPixelRectangleInclusively) {
  Screen s(101, 81);
  igrarea(0.25f, 0.25f, 0.75f, 0.75f);
  const int x1 = grstate.pixx1, x2 = grstate.pixx2, y1 = grstate.pixy1, y2 = grstate.pixy2;
  igrareaclear();
  EXPECT_EQ(s.count(0x000000), (x2 - x1 + 1) * (y2 - y1 + 1));
  EXPECT_EQ(s.dev(x1, y1), 0x000000u);
  EXPECT_EQ(s.dev(x2, y2), 0x000000u);
  EXPECT_EQ(s.dev(x1 - 1, y1), kMark);
  EXPECT_EQ(s.dev(x2 + 1, y2), kMark);
  EXPECT_EQ(s.dev(x1, y1 - 1), kMark);
  EXPECT_EQ(s.dev(x2, y2 + 1), kMark);
}

TEST(GrPixels, LineFromTheDeviceOriginIsFlippedAndDrawnToItsEnd) {
  Screen s(100, 100);
  grdrvparams.ix1 = 0;
  grdrvparams.iy1 = 0;
  grdrvparams.ix2 = 10;
  grdrvparams.iy2 = 10;
  xxgdrv(kDrvLine);
  EXPECT_EQ(s.at(0, 99), 0xffffffu) << "colour 223 is white";
  EXPECT_EQ(s.at(5, 94), 0xffffffu);
  EXPECT_EQ(s.at(10, 89), 0xffffffu) << "end pixel";
  EXPECT_EQ(s.count(0xffffff), 11);
}

TEST(GrPixels, OnePixelLineAndPolylineEnds) {
  Screen s(40, 40);
  xxmwinline(5, 5, 5, 5);
  EXPECT_EQ(s.at(5, 5), 0xffffffu) << "a line from a point to itself sets it";
  xxmwinpolpoint(10, 10, 0);
  xxmwinpolpoint(20, 10, 1);
  xxmwinpolpoint(20, 20, 2);
  xxmwinpolyline(3);
  EXPECT_EQ(s.at(20, 20), 0xffffffu) << "open polyline gets its end pixel";
  // Dotted lines get no extra end pixel.
  const int dotted = 1;
  igrlinetype(&dotted);
  xxmwinline(0, 30, 9, 30);
  EXPECT_LT(s.count(0xffffff), 2 + 11 + 10 + 10);
}

TEST(GrPixels, ShapesInsideASubAreaStopAtTheClipRegionEdges) {
  Screen s(100, 100);
  igrarea(0.2f, 0.2f, 0.8f, 0.8f);
  const int l = grdevice.maxrow;
  const int x1 = grstate.pixx1, x2 = grstate.pixx2, y1 = grstate.pixy1, y2 = grstate.pixy2;
  igrfillpattern(4);
  // A polygon over the whole window, in device coordinates.
  const float px[] = {-10, 110, 110, -10};
  const float py[] = {-10, -10, 110, 110};
  xxplygon(px, py, 4, 1);
  // The region is the pixel rectangle's GDI rectangle with the right
  // column and the bottom row left out.
  EXPECT_EQ(s.at(x1, l - y2), 0xffffffu);
  EXPECT_EQ(s.at(x2 - 1, l - y1 - 1), 0xffffffu);
  EXPECT_EQ(s.at(x2, l - y2), kMark) << "right column of the area";
  EXPECT_EQ(s.at(x1, l - y1), kMark) << "bottom row of the area";
  EXPECT_EQ(s.at(x1 - 1, l - y2), kMark);
  EXPECT_EQ(s.at(x1, l - y2 - 1), kMark);
  EXPECT_EQ(s.count(0xffffff), (x2 - x1) * (y2 - y1));
}

TEST(GrPixels, StippleAlternatesTheTwoColoursByParity) {
  Screen s(32, 32);
  igrcolourn(31);   // red, previous colour white
  igrcolourn(144);  // blue, previous red
  grdrvparams.ix1 = 2;
  grdrvparams.iy1 = 2;
  grdrvparams.ix2 = 17;
  grdrvparams.iy2 = 13;
  xxgdrv(kDrvRectangleStipple);
  const std::uint32_t a = 0x0000c3, b = 0xff0000;
  for (int y = 31 - 13; y <= 31 - 2; ++y) {
    for (int x = 2; x <= 17; ++x) {
      SCOPED_TRACE(::testing::Message() << x << "," << y);
      EXPECT_EQ(s.at(x, y), (x + y) % 2 == 0 ? a : b);
    }
  }
  EXPECT_EQ(s.count(a) + s.count(b), 16 * 12);
  // A new colour makes the pattern stale: the next fill uses the new pair.
  igrcolourn(80);
  xxgdrv(kDrvRectangleStipple);
  EXPECT_EQ(s.at(2, 18), 0x00c300u);
  EXPECT_EQ(s.at(3, 18), 0x0000c3u);
}

TEST(GrPixels, InvertedTwoColourScheme) {
  {
    Screen s(40, 30, 16, 1, 1);
    igrareaclear();
    EXPECT_EQ(s.count(0xffffff), 40 * 30) << "colour 0 is white when inverted";
    for (int c : {223, 31, 1}) {
      SCOPED_TRACE(c);
      igrcolourn(c);
      EXPECT_EQ(grstate.devcolour, 1);
      xxmwinpoint(c % 40, 3);
      EXPECT_EQ(s.at(c % 40, 3), 0x000000u) << "every other colour is black";
    }
  }
  {
    Screen n(40, 30, 16, 0, 1);
    igrareaclear();
    EXPECT_EQ(n.count(0x000000), 40 * 30);
    igrcolourn(31);
    xxmwinpoint(1, 1);
    EXPECT_EQ(n.at(1, 1), 0xffffffu);
  }
}

TEST(GrPixels, SixteenColourDisplayReducesToItsColours) {
  Screen s(40, 30, 16, 0, 4);
  // The window layer gives the graphics device 8 colours on such a display.
  EXPECT_EQ(grdevice.ncolours, 8);
  EXPECT_EQ(ngColours, 16);
  igrcolourn(31);
  EXPECT_EQ(grstate.devcolour, 4);
  xxmwinpoint(1, 1);
  EXPECT_EQ(s.at(1, 1), 0xff0000u);
  igrcolourn(47);
  xxmwinpoint(2, 1);
  // bf0000 is not one of the 16 standard colours: the nearest one is drawn.
  const plat::COLORREF nearest = plat::GetNearestColor(hdc, plat::RGB(0xbf, 0, 0));
  const auto rrggbb = static_cast<std::uint32_t>(plat::GetRValue(nearest) << 16 |
                                                 plat::GetGValue(nearest) << 8 |
                                                 plat::GetBValue(nearest));
  EXPECT_EQ(s.at(2, 1), rrggbb);
}

TEST(GrPixels, PaletteDisplayDrawsThroughPaletteIndices) {
  {
    Screen s(40, 30, 16, 0, 8);
    ASSERT_NE(gPal256, nullptr);
    igrcolourn(31);
    xxmwinpoint(1, 1);
    EXPECT_EQ(s.at(1, 1), 0xff0000u) << "palette entry 12 of 16";
    igrcolourn(175);
    xxmwinpoint(2, 1);
    EXPECT_EQ(s.at(2, 1), 0x0000bfu) << "palette entry 1 of 16";
    igrareaclear();
    EXPECT_EQ(s.count(0x000000), 40 * 30);
  }
  {
    Screen s(40, 30, 64, 0, 8);
    igrcolourn(200);
    EXPECT_EQ(grstate.devcolour, 50);
    xxmwinpoint(3, 3);
    EXPECT_EQ(s.at(3, 3), 0xaf00afu) << "entry 50 of the 64 colours: colour number 203";
  }
  {
    Screen s(40, 30, 16, 1, 8);
    igrareaclear();
    EXPECT_EQ(s.count(0xffffff), 40 * 30) << "inverted palette: entry 0 white";
  }
}

TEST(GrPixels, PaletteEntryOperationChangesTheColourOnTheScreen) {
  Screen s(40, 30, 16, 0, 8);
  igrcolourn(31);  // palette index 12
  grdrvparams.marker = 12;
  grdrvparams.ix1 = 0x10;
  grdrvparams.ix2 = 0x20;
  grdrvparams.ix3 = 0x30;
  xxgdrv(kDrvPaletteEntry);
  xxmwinpoint(1, 1);
  EXPECT_EQ(s.at(1, 1), 0x102030u);
  grdrvparams.marker = 99;  // outside the palette: ignored
  xxgdrv(kDrvPaletteEntry);
  xxgdrv(kDrvLoadPalette);  // reload the table's colours
  xxmwinpoint(2, 1);
  EXPECT_EQ(s.at(2, 1), 0xff0000u);
}

// Leftmost, rightmost, top and bottom lit (not background) GDI pixels.
struct Extent {
  int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
};
Extent extentof(const Screen& s) {
  Extent e;
  for (int y = 0; y < s.surface.height; ++y)
    for (int x = 0; x < s.surface.width; ++x) {
      if (s.at(x, y) == kMark) continue;
      e.left = std::min(e.left, x);
      e.right = std::max(e.right, x);
      e.top = std::min(e.top, y);
      e.bottom = std::max(e.bottom, y);
    }
  return e;
}

TEST(GrPixels, EllipseOutlineAndFillReachOnePixelBeyondTheRadius) {
  for (int op : {kDrvEllipseOutline, kDrvEllipseSolid}) {
    SCOPED_TRACE(op);
    Screen s(100, 100);
    grdrvparams.ix1 = 50;
    grdrvparams.iy1 = 40;
    grdrvparams.ix2 = 20;
    grdrvparams.iy2 = 10;
    xxgdrv(op);
    const Extent e = extentof(s);
    EXPECT_EQ(e.left, 50 - 21);
    EXPECT_EQ(e.right, 50 + 21);
    EXPECT_EQ(e.top, 99 - 40 - 11);
    EXPECT_EQ(e.bottom, 99 - 40 + 11);
    EXPECT_EQ(s.dev(50, 40), op == kDrvEllipseSolid ? 0xffffffu : kMark) << "filled, or outline only";
  }
}

TEST(GrPixels, TriangleQuadrilateralAndPieOperations) {
  Screen s(100, 100);
  GrDrvParams& p = grdrvparams;
  // Solid triangle (0,0)-(40,0)-(0,40) in device coordinates.
  p.ix1 = 0;
  p.iy1 = 0;
  p.ix2 = 40;
  p.iy2 = 0;
  p.ix3 = 0;
  p.iy3 = 40;
  xxgdrv(kDrvTriangleSolid);
  EXPECT_EQ(s.dev(5, 5), 0xffffffu);
  EXPECT_EQ(s.dev(35, 35), kMark);
  // Solid quadrilateral at the upper left.
  p.ix1 = 5;
  p.iy1 = 60;
  p.ix2 = 30;
  p.iy2 = 60;
  p.ix3 = 30;
  p.iy3 = 90;
  p.ix4 = 5;
  p.iy4 = 90;
  xxgdrv(kDrvQuadSolid);
  EXPECT_EQ(s.dev(17, 75), 0xffffffu);
  // Solid pie: the quarter from angle 0 to pi/2 around (70, 50).
  p.ix1 = 70;
  p.iy1 = 50;
  p.fx2 = 20.0f;
  p.fy2 = 20.0f;
  p.fx3 = 0.0f;
  p.fy3 = 1.5707964f;
  p.fx4 = 90.0f;
  p.fy4 = 20.0f;
  xxgdrv(kDrvPieSolid);
  EXPECT_EQ(s.dev(78, 58), 0xffffffu) << "inside the quarter";
  EXPECT_EQ(s.dev(62, 42), kMark) << "the opposite quarter";
}

}  // namespace
}  // namespace tsd
