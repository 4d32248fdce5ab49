// Ellipses far larger than the surface: the outline a drawing walks keeps
// to the clip rectangle, so a huge ellipse costs what the clip holds, and
// the pixels inside the clip are those of the ellipse.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/ellipse_outline.h"
#include "platform/tests/gdi_fixture.h"

namespace gditest {
namespace {

constexpr int kFar = 1 << 26;  // the coordinate limit of the rasteriser

struct HugeCase {
  const char* name;
  int left, top, right, bottom;
};

// Wide and flat, tall and thin, and huge both ways with its top edge
// through the clip rectangle.
const HugeCase kHuge[] = {
    {"wide", -kFar, 100, kFar, 200},
    {"tall", 100, -kFar, 300, kFar},
    {"both", -kFar, 150, kFar, 150 + 2 * kFar},
};

const RECT kClip{0, 0, 400, 300};

bool nearclip(int x, int y) {
  return x >= kClip.left - 1 && x <= kClip.right && y >= kClip.top - 1 && y <= kClip.bottom;
}

TEST(GdiHugeEllipse, OutlineWalksOnlyThePixelsNearTheClip) {
  for (const HugeCase& c : kHuge) {
    SCOPED_TRACE(c.name);
    const EllipseGeom g = EllipseGeomOf(c.left, c.top, c.right, c.bottom, false);
    // The styled pen's walk.
    const std::vector<OutlinePixel> walk = OrderedOutline(g, OutlinePart(g, kClip), 0.0);
    EXPECT_FALSE(walk.empty());
    EXPECT_LE(walk.size(), 4u * (400u + 300u)) << "about the clip's rows and columns";
    for (const OutlinePixel& p : walk) ASSERT_TRUE(nearclip(p.x, p.y)) << p.x << ", " << p.y;
    // The solid pen's runs, row by row.
    int pixels = 0;
    for (int y = kClip.top - 1; y <= kClip.bottom; ++y) {
      int l, r, il, ir;
      if (!g.span(y, l, r)) continue;
      g.interior(y, l, r, il, ir);
      int runs[2][2];
      const int n = OutlineRuns(l, r, il, ir, kClip, runs);
      for (int k = 0; k < n; ++k) {
        ASSERT_TRUE(nearclip(runs[k][0], y) && nearclip(runs[k][1], y)) << runs[k][0] << ".." << runs[k][1];
        pixels += runs[k][1] - runs[k][0] + 1;
      }
    }
    EXPECT_GT(pixels, 0);
  }
}

TEST(GdiHugeEllipse, OutlineOfASensibleEllipseIsWalkedWholeSoDashesStayInPlace) {
  const EllipseGeom g = EllipseGeomOf(10, 20, 110, 80, false);
  const RECT small{0, 0, 50, 50};
  const std::vector<OutlinePixel> walk = OrderedOutline(g, OutlinePart(g, small), 0.0);
  int outside = 0;
  for (const OutlinePixel& p : walk)
    if (p.x >= small.right || p.y >= small.bottom) ++outside;
  EXPECT_GT(outside, 100) << "the whole ring, also where the clip hides it";
}

TEST(GdiHugeEllipse, HugeEllipsesDrawTheirPixelsInsideTheSurface) {
  struct Look {
    int x, y;
    COLORREF colour;
  };
  const std::vector<Look> looks[] = {
      {{200, 100, kBlack}, {200, 150, kRed}, {200, 199, kBlack}, {200, 250, RGB(255, 255, 255)}},
      {{100, 150, kBlack}, {200, 150, kRed}, {299, 10, kBlack}, {50, 150, RGB(255, 255, 255)}},
      {{200, 150, kBlack}, {200, 250, kRed}, {200, 100, RGB(255, 255, 255)}},
  };
  for (int styled = 0; styled < 2; ++styled) {
    for (std::size_t i = 0; i < std::size(kHuge); ++i) {
      const HugeCase& c = kHuge[i];
      SCOPED_TRACE(c.name);
      SCOPED_TRACE(styled);
      Canvas cv(400, 300);
      Selected pen(cv.dc, CreatePen(styled ? PS_DOT : PS_SOLID, 1, kBlack));
      Selected brush(cv.dc, CreateSolidBrush(kRed));
      Ellipse(cv.dc, c.left, c.top, c.right, c.bottom);
      for (const Look& l : looks[i]) {
        if (styled && l.colour == kBlack) continue;  // a dot or a gap
        EXPECT_EQ(cv.at(l.x, l.y), l.colour) << l.x << ", " << l.y;
      }
    }
  }
}

}  // namespace
}  // namespace gditest
