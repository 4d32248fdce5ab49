// Rectangles, ellipses, pies, arcs and polygons: bounding-box rules, fills
// and outlines.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/tests/gdi_fixture.h"

namespace gditest {
namespace {

// Bounding box of the pixels that differ from white.
RECT Drawn(const Canvas& cv) {
  RECT r{1 << 20, 1 << 20, -1, -1};
  for (int y = 0; y < cv.surface.height; ++y)
    for (int x = 0; x < cv.surface.width; ++x)
      if (!cv.white(x, y)) {
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
  return r;
}

void ExpectBox(const RECT& got, int l, int t, int r, int b, const std::string& pic) {
  EXPECT_EQ(got.left, l) << pic;
  EXPECT_EQ(got.top, t) << pic;
  EXPECT_EQ(got.right, r) << pic;
  EXPECT_EQ(got.bottom, b) << pic;
}

TEST(GdiRectangle, PenInsideTheBoxRightAndBottomExcluded) {
  Canvas cv(12, 10);
  Selected brush(cv.dc, CreateSolidBrush(kRed));
  Rectangle(cv.dc, 2, 2, 8, 6);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool in = x >= 2 && x < 8 && y >= 2 && y < 6;
      const bool border = in && (x == 2 || x == 7 || y == 2 || y == 5);
      const COLORREF want = border ? kBlack : in ? kRed : RGB(255, 255, 255);
      EXPECT_EQ(cv.at(x, y), want) << x << "," << y << cv.picture();
    }
}

TEST(GdiRectangle, NullPenShrinksTheFillByOneMore) {
  Canvas cv(12, 10);
  Selected brush(cv.dc, CreateSolidBrush(kRed));
  Selected pen(cv.dc, GetStockObject(NULL_PEN));
  // As the graphics layer fills x1..x2, y1..y2 inclusive: Rectangle(x1, y1, x2 + 2, y2 + 2).
  Rectangle(cv.dc, 3, 2, 7 + 2, 5 + 2);
  ExpectBox(Drawn(cv), 3, 2, 8, 6, cv.picture());
  EXPECT_EQ(cv.at(3, 2), kRed);
  EXPECT_EQ(cv.at(7, 5), kRed);
}

TEST(GdiRectangle, CornersInAnyOrderAndThinBoxes) {
  Canvas cv(12, 10);
  Rectangle(cv.dc, 8, 6, 2, 2);
  ExpectBox(Drawn(cv), 2, 2, 8, 6, cv.picture());
  Canvas one(6, 6);
  SetROP2(one.dc, R2_XORPEN);
  Selected pen(one.dc, CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
  Rectangle(one.dc, 1, 1, 2, 5);  // one column: each pixel once
  Rectangle(one.dc, 3, 2, 4, 3);  // one pixel
  ExpectBox(Drawn(one), 1, 1, 4, 5, one.picture());
  for (int y = 1; y < 5; ++y) EXPECT_EQ(one.at(1, y), kBlack) << y << one.picture();
  EXPECT_EQ(one.at(3, 2), kBlack);
}

TEST(GdiRectangle, FillRectIgnoresRasterOperationAndUsesTheGivenBrush) {
  Canvas cv(8, 8);
  SetROP2(cv.dc, R2_XORPEN);
  HBRUSH b = CreateSolidBrush(kBlue);
  RECT r{1, 2, 4, 6};
  FillRect(cv.dc, &r, b);
  FillRect(cv.dc, &r, b);
  ExpectBox(Drawn(cv), 1, 2, 4, 6, cv.picture());
  EXPECT_EQ(cv.at(3, 5), kBlue);
  DeleteObject(b);
}

struct EllipseCase {
  int xc, yc, rx, ry;
};

TEST(GdiEllipse, BoxesOfTheGraphicsLayer) {
  // Outline and solid fill: Ellipse(xc - a, yc - b, xc + a + 1, yc + b + 1);
  // stipple fill with the null pen: ... + 2. Both cover xc - a .. xc + a.
  const EllipseCase cases[] = {{15, 15, 0, 0}, {15, 15, 3, 3}, {15, 14, 9, 4}, {16, 15, 2, 11}, {15, 15, 12, 12}};
  for (const EllipseCase& c : cases) {
    const int a = c.rx + 1, b = c.ry + 1;
    for (bool null_pen : {false, true}) {
      SCOPED_TRACE(testing::Message() << "centre " << c.xc << "," << c.yc << " radii " << c.rx << "," << c.ry
                                      << (null_pen ? " null pen" : " pen"));
      Canvas cv(32, 32);
      Selected brush(cv.dc, CreateSolidBrush(kRed));
      Selected pen(cv.dc, null_pen ? GetStockObject(NULL_PEN) : CreatePen(PS_SOLID, 1, kBlack));
      const int extra = null_pen ? 2 : 1;
      Ellipse(cv.dc, c.xc - a, c.yc - b, c.xc + a + extra, c.yc + b + extra);
      ExpectBox(Drawn(cv), c.xc - a, c.yc - b, c.xc + a + 1, c.yc + b + 1, cv.picture());
      // Symmetric about the centre, and the centre row reaches both ends.
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
          const int mx = 2 * c.xc - x, my = 2 * c.yc - y;
          if (mx < 0 || mx >= 32 || my < 0 || my >= 32) continue;
          EXPECT_EQ(cv.at(x, y), cv.at(mx, y)) << x << "," << y << cv.picture();
          EXPECT_EQ(cv.at(x, y), cv.at(x, my)) << x << "," << y << cv.picture();
        }
      EXPECT_FALSE(cv.white(c.xc - a, c.yc));
      EXPECT_FALSE(cv.white(c.xc, c.yc - b));
      if (!null_pen && c.rx >= 2 && c.ry >= 2) {
        EXPECT_EQ(cv.at(c.xc - a, c.yc), kBlack);
        EXPECT_EQ(cv.at(c.xc, c.yc), kRed) << cv.picture();
      }
    }
  }
}

TEST(GdiEllipse, OutlineIsOnePixelRingAndHollowBrushKeepsInside) {
  Canvas cv(30, 30, 0x0000ff00);
  Selected brush(cv.dc, GetStockObject(HOLLOW_BRUSH));
  SetROP2(cv.dc, R2_XORPEN);
  Selected pen(cv.dc, CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
  Ellipse(cv.dc, 3, 4, 26, 24);
  EXPECT_EQ(cv.at(14, 14), kGreen);
  // Every outline pixel drawn exactly once: XOR leaves green^white = magenta.
  int ring = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      const COLORREF c = cv.at(x, y);
      EXPECT_TRUE(c == kGreen || c == RGB(255, 0, 255)) << x << "," << y;
      ring += c != kGreen;
    }
  EXPECT_GT(ring, 50);
  EXPECT_LT(ring, 90);
}

TEST(GdiEllipse, DottedOutlineLeavesGaps) {
  Canvas cv(30, 30);
  SetBkMode(cv.dc, TRANSPARENT);
  Selected brush(cv.dc, GetStockObject(NULL_BRUSH));
  Selected pen(cv.dc, CreatePen(PS_DOT, 1, kBlack));
  Ellipse(cv.dc, 2, 2, 28, 28);
  Canvas solid(30, 30);
  Selected brush2(solid.dc, GetStockObject(NULL_BRUSH));
  Ellipse(solid.dc, 2, 2, 28, 28);
  int on = 0, all = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      if (solid.white(x, y)) {
        EXPECT_TRUE(cv.white(x, y));
        continue;
      }
      ++all;
      on += cv.at(x, y) == kBlack;
    }
  EXPECT_GT(on, all * 4 / 10) << cv.picture();
  EXPECT_LT(on, all * 6 / 10) << cv.picture();
}

TEST(GdiPie, QuarterPieFillsOnlyItsQuadrant) {
  Canvas cv(40, 40);
  Selected brush(cv.dc, CreateSolidBrush(kRed));
  // Counter-clockwise from the ray to the right to the ray upwards.
  Pie(cv.dc, 5, 5, 36, 36, 35, 20, 20, 0);
  // The centre is pixel (20, 20).
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      if (cv.white(x, y)) continue;
      EXPECT_GE(x, 20) << x << "," << y << cv.picture();
      EXPECT_LE(y, 20) << x << "," << y << cv.picture();
    }
  EXPECT_EQ(cv.at(27, 13), kRed) << cv.picture();
  EXPECT_EQ(cv.at(20, 12), kBlack) << cv.picture();   // the radius upwards
  EXPECT_EQ(cv.at(28, 20), kBlack) << cv.picture();   // the radius to the right
  EXPECT_EQ(cv.at(35, 20), kBlack) << cv.picture();   // the arc meets it
  EXPECT_TRUE(cv.white(12, 27));
}

TEST(GdiPie, NullPenStippleBoxAndWholeEllipseWhenRaysMeet) {
  Canvas cv(40, 40);
  {
    Selected brush(cv.dc, CreateSolidBrush(kRed));
    Selected pen(cv.dc, GetStockObject(NULL_PEN));
    // The graphics layer's stipple pie: (xc - rx - 1, ..., xc + rx + 3, ...).
    const int xc = 20, yc = 20, r = 8;
    Pie(cv.dc, xc - r - 1, yc - r - 1, xc + r + 3, yc + r + 3, xc + 5, yc, xc + 5, yc);
    ExpectBox(Drawn(cv), xc - r - 1, yc - r - 1, xc + r + 2, yc + r + 2, cv.picture());
  }
  Canvas arc(40, 40);
  Arc(arc.dc, 5, 5, 36, 36, 35, 20, 20, 0);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      EXPECT_TRUE(arc.white(x, y) || (x >= 20 && y <= 20)) << x << "," << y << arc.picture();
    }
  EXPECT_TRUE(arc.white(27, 13)) << "an arc is not filled";
  EXPECT_EQ(arc.at(35, 20), kBlack) << arc.picture();
  EXPECT_EQ(arc.at(20, 5), kBlack) << arc.picture();
}

TEST(GdiPolygon, EvenOddFillAndRightBottomEdgesExcluded) {
  Canvas cv(12, 12);
  Selected brush(cv.dc, CreateSolidBrush(kRed));
  Selected pen(cv.dc, GetStockObject(NULL_PEN));
  const POINT square[] = {{1, 1}, {9, 1}, {9, 7}, {1, 7}};
  Polygon(cv.dc, square, 4);
  ExpectBox(Drawn(cv), 1, 1, 9, 7, cv.picture());

  // A five-pointed star: the pentagon in the middle is crossed twice and
  // stays empty.
  Canvas star(41, 41);
  Selected b2(star.dc, CreateSolidBrush(kRed));
  Selected p2(star.dc, GetStockObject(NULL_PEN));
  POINT pts[5];
  for (int i = 0; i < 5; ++i) {
    const double a = -M_PI / 2 + i * 4 * M_PI / 5;
    pts[i] = {static_cast<LONG>(std::lround(20 + 19 * std::cos(a))), static_cast<LONG>(std::lround(21 + 19 * std::sin(a)))};
  }
  Polygon(star.dc, pts, 5);
  EXPECT_TRUE(star.white(20, 22)) << star.picture();
  EXPECT_EQ(star.at(20, 8), kRed) << star.picture();
}

TEST(GdiPolygon, OutlineWithPenOnceEachAndManyPoints) {
  Canvas cv(20, 20, 0);
  SetROP2(cv.dc, R2_XORPEN);
  Selected brush(cv.dc, CreateSolidBrush(RGB(0, 0, 255)));
  Selected pen(cv.dc, CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
  const POINT tri[] = {{2, 2}, {16, 2}, {2, 16}};
  Polygon(cv.dc, tri, 3);
  // Pen pixels red, fill pixels blue, never both (which would give magenta).
  int red = 0, blue = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const COLORREF c = cv.at(x, y);
      EXPECT_NE(c, RGB(255, 0, 255)) << x << "," << y;
      red += c == kRed;
      blue += c == kBlue;
    }
  EXPECT_EQ(cv.at(2, 2), kRed);
  EXPECT_EQ(cv.at(16, 2), kRed);
  EXPECT_EQ(cv.at(5, 5), kBlue);
  EXPECT_EQ(red, 14 * 3);
  EXPECT_GT(blue, 50);

  // The graphics layer's polygon buffer holds 4095 points.
  std::vector<POINT> many(4095);
  for (int i = 0; i < 4095; ++i) {
    const double a = 2 * M_PI * i / 4095;
    many[static_cast<std::size_t>(i)] = {static_cast<LONG>(10 + 8 * std::cos(a)), static_cast<LONG>(10 + 8 * std::sin(a))};
  }
  EXPECT_TRUE(Polygon(cv.dc, many.data(), 4095));
  EXPECT_FALSE(Polygon(cv.dc, many.data(), 1));
}

}  // namespace
}  // namespace gditest
