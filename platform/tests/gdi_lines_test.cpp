// Lines, pen styles, pixels and clipping of the drawing layer.
#include <gtest/gtest.h>

#include <vector>

#include "platform/tests/gdi_fixture.h"

namespace gditest {
namespace {

struct LineCase {
  int x0, y0, x1, y1;
};

TEST(GdiLines, EndPixelLeftOutStartDrawnEveryStepOnePixel) {
  const LineCase cases[] = {{1, 1, 6, 1}, {6, 1, 1, 1}, {2, 2, 2, 9}, {2, 9, 2, 2}, {0, 0, 10, 10},
                            {10, 10, 0, 0}, {0, 0, 11, 3}, {11, 3, 0, 0}, {3, 0, 0, 11}, {1, 10, 11, 6}};
  for (const LineCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "line (" << c.x0 << "," << c.y0 << ")-(" << c.x1 << "," << c.y1 << ")");
    Canvas cv(14, 14);
    MoveToEx(cv.dc, c.x0, c.y0, nullptr);
    LineTo(cv.dc, c.x1, c.y1);
    EXPECT_EQ(cv.at(c.x0, c.y0), kBlack) << cv.picture();
    EXPECT_TRUE(cv.white(c.x1, c.y1)) << cv.picture();
    // One pixel for every step along the major axis, none elsewhere.
    const int n = std::max(std::abs(c.x1 - c.x0), std::abs(c.y1 - c.y0));
    int count = 0;
    for (int y = 0; y < 14; ++y)
      for (int x = 0; x < 14; ++x) count += cv.at(x, y) == kBlack;
    EXPECT_EQ(count, n) << cv.picture();
    // Every pixel lies within half a pixel of the ideal line.
    for (int y = 0; y < 14; ++y)
      for (int x = 0; x < 14; ++x) {
        if (cv.at(x, y) != kBlack) continue;
        const double dx = c.x1 - c.x0, dy = c.y1 - c.y0;
        const double cross = std::abs((x - c.x0) * dy - (y - c.y0) * dx) / std::max(std::abs(dx), std::abs(dy));
        EXPECT_LE(cross, 0.5) << "pixel " << x << "," << y << cv.picture();
      }
  }
}

TEST(GdiLines, CurrentPositionMovesAndZeroLengthDrawsNothing) {
  Canvas cv(8, 8);
  POINT prev{-5, -5};
  MoveToEx(cv.dc, 3, 3, &prev);
  EXPECT_EQ(prev.x, 0);
  LineTo(cv.dc, 3, 3);
  EXPECT_TRUE(cv.white(3, 3)) << cv.picture();
  LineTo(cv.dc, 6, 3);
  LineTo(cv.dc, 6, 6);
  MoveToEx(cv.dc, 0, 0, &prev);
  EXPECT_EQ(prev.x, 6);
  EXPECT_EQ(prev.y, 6);
  // The corner (6,3) is drawn once, as the start of the second line.
  EXPECT_EQ(cv.at(6, 3), kBlack);
  EXPECT_TRUE(cv.white(6, 6));
}

TEST(GdiLines, SolidLineWithSetPixelAtTheEndDrawsBothEnds) {
  // The graphics layer adds the end pixel itself; a line from a point to
  // itself then still sets that pixel.
  Canvas cv(8, 8);
  MoveToEx(cv.dc, 5, 5, nullptr);
  LineTo(cv.dc, 5, 5);
  SetPixel(cv.dc, 5, 5, kBlack);
  EXPECT_EQ(cv.at(5, 5), kBlack);
}

TEST(GdiLines, PolylineJointsOnceAndLastPointLeftOut) {
  Canvas cv(10, 10);
  SetROP2(cv.dc, R2_XORPEN);
  {
    Selected pen(cv.dc, CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    const POINT pts[] = {{1, 1}, {7, 1}, {7, 7}, {1, 7}, {1, 1}};
    Polyline(cv.dc, pts, 5);
  }
  // XOR with white turns white to black; a pixel drawn twice would be white again.
  for (int i = 1; i < 7; ++i) {
    EXPECT_EQ(cv.at(i, 1), kBlack) << i << cv.picture();
    EXPECT_EQ(cv.at(7, i), kBlack) << i << cv.picture();
    EXPECT_EQ(cv.at(i + 1, 7), kBlack) << i << cv.picture();
    EXPECT_EQ(cv.at(1, i + 1), kBlack) << i << cv.picture();
  }
  EXPECT_TRUE(cv.white(4, 4));
  EXPECT_FALSE(Polyline(cv.dc, nullptr, 3));
  const POINT one[] = {{1, 1}};
  EXPECT_FALSE(Polyline(cv.dc, one, 1));
}

TEST(GdiLines, ClippedLineKeepsItsPixels) {
  const LineCase cases[] = {{-20, -7, 40, 25}, {35, -3, -9, 30}, {-100, 12, 100, 13}, {5, -50, 9, 60}};
  for (const LineCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "line (" << c.x0 << "," << c.y0 << ")-(" << c.x1 << "," << c.y1 << ")");
    Canvas whole(32, 32), clipped(32, 32);
    MoveToEx(whole.dc, c.x0, c.y0, nullptr);
    LineTo(whole.dc, c.x1, c.y1);
    HRGN r = CreateRectRgn(8, 6, 20, 25);
    SelectClipRgn(clipped.dc, r);
    DeleteObject(r);
    MoveToEx(clipped.dc, c.x0, c.y0, nullptr);
    LineTo(clipped.dc, c.x1, c.y1);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const bool inside = x >= 8 && x < 20 && y >= 6 && y < 25;
        EXPECT_EQ(clipped.at(x, y), inside ? whole.at(x, y) : RGB(255, 255, 255)) << x << "," << y << clipped.picture();
      }
  }
}

TEST(GdiLines, HugeCoordinatesAreSafe) {
  Canvas cv(16, 16);
  MoveToEx(cv.dc, -2147483647, -2147483647, nullptr);
  LineTo(cv.dc, 2147483647, 2147483647);
  MoveToEx(cv.dc, 2147483647, 0, nullptr);
  LineTo(cv.dc, -2147483647, 5);
  EXPECT_EQ(SetPixel(cv.dc, 2147483647, 3, kBlack), CLR_INVALID);
  EXPECT_EQ(GetPixel(cv.dc, -2147483647, 3), CLR_INVALID);
  SUCCEED();
}

// ---- Pen styles -------------------------------------------------------------

struct StyleCase {
  int style;
  std::vector<int> runs;  // on, off, on, off ...
};

TEST(GdiPenStyles, DashPatternsAndGapsUntouchedWhenTransparent) {
  const StyleCase cases[] = {{PS_DASH, {18, 6}}, {PS_DOT, {3, 3}}, {PS_DASHDOT, {9, 6, 3, 6}},
                             {PS_DASHDOTDOT, {9, 3, 3, 3, 3, 3}}};
  for (const StyleCase& c : cases) {
    for (int mode : {TRANSPARENT, OPAQUE}) {
      SCOPED_TRACE(testing::Message() << "style " << c.style << (mode == OPAQUE ? " opaque" : " transparent"));
      Canvas cv(60, 3, 0x00ff0000);  // red
      SetBkMode(cv.dc, mode);
      SetBkColor(cv.dc, kBlue);
      Selected pen(cv.dc, CreatePen(c.style, 1, kBlack));
      MoveToEx(cv.dc, 0, 1, nullptr);
      LineTo(cv.dc, 50, 1);
      int x = 0;
      for (std::size_t i = 0; x < 50; i = (i + 1) % c.runs.size()) {
        for (int k = 0; k < c.runs[i] && x < 50; ++k, ++x) {
          const COLORREF want = i % 2 == 0 ? kBlack : (mode == OPAQUE ? kBlue : kRed);
          EXPECT_EQ(cv.at(x, 1), want) << "x " << x;
        }
      }
      EXPECT_EQ(cv.at(50, 1), kRed);
      EXPECT_EQ(cv.at(5, 0), kRed);
    }
  }
}

TEST(GdiPenStyles, DashesRunOnAcrossPolylineSegments) {
  Canvas cv(40, 40);
  Selected pen(cv.dc, CreatePen(PS_DOT, 1, kBlack));
  SetBkMode(cv.dc, TRANSPARENT);
  const POINT pts[] = {{0, 0}, {4, 0}, {4, 10}};
  Polyline(cv.dc, pts, 3);
  // Dots of three: x 0..2 on, 3 and (4,0) off, (4,1) off, then (4,2).. on.
  EXPECT_EQ(cv.at(2, 0), kBlack);
  EXPECT_TRUE(cv.white(3, 0));
  EXPECT_TRUE(cv.white(4, 0));
  EXPECT_TRUE(cv.white(4, 1));
  EXPECT_EQ(cv.at(4, 2), kBlack) << cv.picture();
}

TEST(GdiPenStyles, NullPenDrawsNothingAndWidePenIsThicker) {
  Canvas cv(20, 20);
  {
    Selected pen(cv.dc, GetStockObject(NULL_PEN));
    MoveToEx(cv.dc, 0, 5, nullptr);
    LineTo(cv.dc, 19, 5);
    Rectangle(cv.dc, 2, 2, 9, 9);
  }
  EXPECT_EQ(Hash(cv.surface), Hash(Canvas(20, 20).surface));
  Selected pen(cv.dc, CreatePen(PS_SOLID, 3, kBlack));
  MoveToEx(cv.dc, 2, 10, nullptr);
  LineTo(cv.dc, 15, 10);
  EXPECT_EQ(cv.at(8, 9), kBlack);
  EXPECT_EQ(cv.at(8, 11), kBlack);
  EXPECT_TRUE(cv.white(8, 12));
}

// ---- Pixels, bounds and clip regions ----------------------------------------

TEST(GdiPixels, SetAndGetPixelInsideAndOutside) {
  Canvas cv(6, 4);
  EXPECT_EQ(SetPixel(cv.dc, 2, 1, kRed), kRed);
  EXPECT_EQ(GetPixel(cv.dc, 2, 1), kRed);
  EXPECT_EQ(GetPixel(cv.dc, 0, 0), RGB(255, 255, 255));
  for (POINT p : {POINT{-1, 0}, POINT{6, 0}, POINT{0, 4}, POINT{0, -1}}) {
    SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
    EXPECT_EQ(GetPixel(cv.dc, p.x, p.y), CLR_INVALID);
    EXPECT_EQ(SetPixel(cv.dc, p.x, p.y, kRed), CLR_INVALID);
  }
  // SetPixel ignores the raster operation.
  SetROP2(cv.dc, R2_XORPEN);
  SetPixel(cv.dc, 2, 1, kRed);
  EXPECT_EQ(GetPixel(cv.dc, 2, 1), kRed);
}

TEST(GdiPixels, ContextOriginAndBoundsOnALargerSurface) {
  Surface s;
  s.resize(30, 30, kWhite);
  HDC dc = CreateSurfaceDC(&s, {10, 5}, {10, 5, 20, 12});
  SetPixel(dc, 0, 0, kBlack);
  EXPECT_EQ(s.row(5)[10], 0u);
  // Outside the bounds nothing is touched, whatever is drawn.
  HBRUSH b = CreateSolidBrush(kBlack);
  RECT all{-50, -50, 80, 80};
  FillRect(dc, &all, b);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool in = x >= 10 && x < 20 && y >= 5 && y < 12;
      EXPECT_EQ(s.row(y)[x], in ? 0u : kWhite) << x << "," << y;
    }
  EXPECT_EQ(GetPixel(dc, 10, 0), CLR_INVALID);
  EXPECT_EQ(SurfaceOfDC(dc), &s);
  // The window manager moves the context.
  SetSurfaceDCPlacement(dc, &s, {0, 0}, {0, 0, 5, 5});
  EXPECT_EQ(GetPixel(dc, 4, 4), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 5, 4), CLR_INVALID);
  DeleteObject(b);
  DeleteSurfaceDC(dc);
}

TEST(GdiClip, RectRegionExcludesRightColumnAndBottomRow) {
  Canvas cv(12, 12);
  HRGN r = CreateRectRgn(7, 8, 2, 3);  // corners in any order
  EXPECT_EQ(SelectClipRgn(cv.dc, r), SIMPLEREGION);
  DeleteObject(r);  // the context keeps its own copy
  Selected b(cv.dc, CreateSolidBrush(kBlack));
  Selected p(cv.dc, GetStockObject(NULL_PEN));
  Rectangle(cv.dc, 0, 0, 13, 13);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool in = x >= 2 && x < 7 && y >= 3 && y < 8;
      EXPECT_EQ(cv.at(x, y), in ? kBlack : RGB(255, 255, 255)) << x << "," << y << cv.picture();
    }
  RECT box;
  EXPECT_EQ(GetClipBox(cv.dc, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.bottom, 8);
  // Pixels outside the clip region read as invalid too.
  EXPECT_EQ(GetPixel(cv.dc, 7, 4), CLR_INVALID);
  SelectClipRgn(cv.dc, nullptr);
  EXPECT_EQ(GetPixel(cv.dc, 7, 4), RGB(255, 255, 255));
}

}  // namespace
}  // namespace gditest
