// Shapes far larger than the window: filled circles and polygons whose
// device coordinates pass the range of an int, the layer's own outline of
// a huge circle and the hatch of a polygon with a far vertex. What lies
// inside the area is drawn as it would be for a small shape, and the work
// follows the area, so each drawing below ends at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grdriver.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/graphics/grshapes.h"
#include "tools/testkit/grscreen.h"
#include "tools/testkit/grtrace.h"
#include "toolkit/window/errstore.h"

namespace tsd {
namespace {

using grtest::callsof;
using grtest::kMark;
using grtest::Screen;
using grtest::withoutop;

constexpr std::uint32_t kWhite = 0xffffffu;  // colour 223

// A solid shape on a 400 x 300 window in pixel units: the pixels (device
// coordinates, y upward) that must be filled and those that must not.
struct FilledCase {
  const char* name;
  std::vector<float> x, y;  // polygon points; one point and a radius for a circle
  float radius;
  std::vector<std::pair<int, int>> filled, empty;
};

TEST(GrHugeShapes, FilledShapesBeyondTheIntRangeFillTheirOwnSideOfTheArea) {
  const FilledCase cases[] = {
      {"circle of radius 3e9 around the middle", {200.0f}, {150.0f}, 3.0e9f,
       {{0, 0}, {399, 299}, {200, 150}, {0, 299}}, {}},
      {"circle of radius 2.5e9 around a corner", {0.0f}, {0.0f}, 2.5e9f, {{0, 0}, {399, 299}}, {}},
      {"triangle down to y = -1e12", {100.0f, 300.0f, 200.0f}, {150.0f, 150.0f, -1.0e12f}, 0.0f,
       {{200, 50}, {110, 100}, {290, 10}}, {{200, 200}, {50, 100}, {350, 100}}},
      {"triangle up to y = +1e12", {100.0f, 300.0f, 200.0f}, {100.0f, 100.0f, 1.0e12f}, 0.0f,
       {{200, 250}, {110, 150}}, {{200, 50}, {50, 200}}},
      // Both coordinates far away: the edges keep their slope of 2.
      {"triangle to (-5e11, -1e12)", {200.0f, 300.0f, -5.0e11f}, {100.0f, 100.0f, -1.0e12f}, 0.0f,
       {{200, 10}, {160, 10}, {250, 10}}, {{140, 10}, {270, 10}, {200, 120}}},
  };
  for (const FilledCase& c : cases) {
    SCOPED_TRACE(c.name);
    Screen s(400, 300);
    grtest::pixelunits(s);
    igrfillpattern(4);
    if (c.radius > 0.0f)
      igrcircle(c.x[0], c.y[0], c.radius);
    else
      igrpolygoncomplex(c.x.data(), c.y.data(), static_cast<int>(c.x.size()));
    EXPECT_EQ(infoerror(1), 0);
    for (const auto& [x, y] : c.filled) EXPECT_EQ(s.dev(x, y), kWhite) << "filled at " << x << ", " << y;
    for (const auto& [x, y] : c.empty) EXPECT_EQ(s.dev(x, y), kMark) << "empty at " << x << ", " << y;
    if (std::string(c.name) == "circle of radius 3e9 around the middle") {
      EXPECT_EQ(s.count(kWhite), 400 * 300) << "the whole area";
    }
  }
}

class GrHugeOutlineTest : public grtest::GrTraceTest {
 protected:
  void SetUp() override {
    grtest::startlayer(400, 400);
    igrarea(0.0f, 0.0f, 1.0f, 1.0f);
    igrunits(0.0f, 0.0f, grstate.winwidth, grstate.winheight);
  }
};

// The layer draws the outline itself (no ellipse operation in the
// driver): a circle so large that only a flat piece of it crosses the
// area, its top at y = 200. The segments lie on the circle and join into
// one line across the whole area.
TEST_F(GrHugeOutlineTest, LayerOutlineOfAHugeCircleIsTheArcThatCrossesTheArea) {
  withoutop(kDrvEllipseOutline);
  igrfillpattern(0);
  for (const float r : {1.0e6f, 1.0e7f, 3.0e7f, 1.0e9f}) {
    SCOPED_TRACE(r);
    grtest::calls().clear();
    const float yc = 200.0f - r;
    igrcircle(200.0f, yc, r);
    const std::vector<grtest::DriverCall> segs = callsof(kDrvLine);
    ASSERT_FALSE(segs.empty());
    EXPECT_LT(segs.size(), 20000u) << "segments near the area only";
    std::set<int> columns;
    const double tolerance = 2.0 + r * 1e-6;  // float positions of a huge circle
    for (const grtest::DriverCall& c : segs) {
      for (const auto& [x, y] : {std::pair{c.params.fx1, c.params.fy1}, std::pair{c.params.fx2, c.params.fy2}}) {
        const double dx = x - 200.0, dy = static_cast<double>(y) - yc;
        EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), r, tolerance);
        EXPECT_GE(y, 150.0f);
      }
      for (int x = std::min(c.params.ix1, c.params.ix2); x <= std::max(c.params.ix1, c.params.ix2); ++x)
        columns.insert(x);
    }
    EXPECT_EQ(columns.size(), 400u) << "the arc crosses every column";
    EXPECT_EQ(*columns.begin(), 0);
    EXPECT_EQ(*columns.rbegin(), 399);
  }
  // Around the area: nothing of the outline is inside.
  grtest::calls().clear();
  igrcircle(200.0f, 200.0f, 1.0e9f);
  EXPECT_TRUE(callsof(kDrvLine).empty());
  EXPECT_FLOAT_EQ(grstate.curx, 200.0f) << "the current point is the centre";
}

// Hatch lines every 10 pixels (400 / 40) of a triangle whose third vertex
// is far below or far above: the lines inside the area are all there, one
// every step, between the triangle's edges.
TEST_F(GrHugeOutlineTest, HatchOfAPolygonWithAFarVertexFillsThePartInsideTheArea) {
  struct Case {
    const char* name;
    float far;
    int lo, hi;  // rows of the area the triangle covers
  };
  for (const Case& c : {Case{"far below", -1.0e12f, 0, 150}, Case{"far above", 1.0e12f, 150, 399},
                        Case{"below, 1e8", -1.0e8f, 0, 150}}) {
    SCOPED_TRACE(c.name);
    for (const int pattern : {1, 2}) {
      SCOPED_TRACE(pattern);
      grtest::calls().clear();
      igrfillpattern(-pattern);  // no outline: every line is a hatch line
      const float x[3] = {100.0f, 300.0f, 200.0f};
      const float y[3] = {150.0f, 150.0f, c.far};
      igrpolygoncomplex(x, y, 3);
      EXPECT_EQ(infoerror(1), 0);
      std::vector<int> rows;
      int columns = 0;
      for (const grtest::DriverCall& d : callsof(kDrvLine)) {
        if (d.params.iy1 == d.params.iy2) {
          rows.push_back(d.params.iy1);
          EXPECT_GE(d.params.ix1, 99);
          EXPECT_LE(d.params.ix2, 301);
        } else {
          ++columns;
        }
      }
      std::sort(rows.begin(), rows.end());
      ASSERT_GE(rows.size(), 14u);
      EXPECT_LE(rows.size(), 26u);
      for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_EQ(rows[i] - rows[i - 1], 10) << "row " << rows[i];
      EXPECT_LE(rows.front(), c.lo + 10);
      EXPECT_GE(rows.back(), c.hi - 10);
      if (pattern == 2) {
        EXPECT_GE(columns, 20) << "vertical lines every 8 pixels from x 100 to 300";
      } else {
        EXPECT_EQ(columns, 0);
      }
    }
  }
}

}  // namespace
}  // namespace tsd
