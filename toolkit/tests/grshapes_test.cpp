// Polygons, circles and fill patterns: the driver operations of shapes the
// window driver draws, and the outline and fill lines the layer draws
// itself.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/graphics/grshapes.h"
#include "tools/testkit/grtrace.h"
#include "toolkit/window/errstore.h"

namespace tsd {
namespace {

using grtest::calls;
using grtest::callsof;
using grtest::ops;
using grtest::withoutop;

class GrShapesTest : public grtest::GrTraceTest {
 protected:
  void SetUp() override { grtest::startlayer(400, 400); }
};

int countif(bool (*pred)(const GrDrvParams&)) {
  int n = 0;
  for (const auto& c : callsof(kDrvLine))
    if (pred(c.params)) ++n;
  return n;
}
bool horizontal(const GrDrvParams& p) { return p.iy1 == p.iy2 && p.ix1 != p.ix2; }
bool vertical(const GrDrvParams& p) { return p.ix1 == p.ix2 && p.iy1 != p.iy2; }

TEST_F(GrShapesTest, FillPatternArguments) {
  struct Case {
    int pattern;
    const int* density;
    const int* angle;
    int epattern, edensity, eangle, eoutline;
  };
  const int zero = 0, six = 6, one = 1, five = 5, four = 4;
  const Case cases[] = {
      {-2, nullptr, nullptr, 2, 2, 3, 0}, {7, nullptr, nullptr, 0, 2, 3, 1},
      {-3, nullptr, nullptr, 0, 2, 3, 1}, {3, &zero, nullptr, 3, 2, 3, 1},
      {1, &six, &four, 1, 2, 4, 1},       {4, &five, &one, 4, 5, 1, 1},
      {-1, &one, &zero, 1, 1, 3, 0},      {0, nullptr, &six, 0, 2, 3, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    igrfillpattern(c.pattern, c.density, c.angle);
    EXPECT_EQ(grfill.pattern, c.epattern);
    EXPECT_EQ(grfill.density, c.edensity);
    EXPECT_EQ(grfill.angle, c.eangle);
    EXPECT_EQ(grfill.outline, c.eoutline);
  }
  EXPECT_TRUE(calls().empty()) << "nothing is sent to the driver";
}

TEST_F(GrShapesTest, SolidTriangleIsOneDriverOperation) {
  igrfillpattern(4);
  const float x[] = {0.1f, 0.9f, 0.5f};
  const float y[] = {0.1f, 0.1f, 0.9f};
  igrpolygoncomplex(x, y, 3);
  ASSERT_EQ(ops(), std::vector<int>{kDrvPolygonSolid});
  const auto& c = calls()[0];
  EXPECT_EQ(c.params.count, 3);
  EXPECT_EQ(c.params.ix1, static_cast<int>(0.1f * 399.99f));
  EXPECT_EQ(c.params.ix3, static_cast<int>(0.9f * 399.99f)) << "bounding box xmax";
  EXPECT_EQ(c.params.iy3, static_cast<int>(0.9f * 399.99f)) << "bounding box ymax";
  EXPECT_FLOAT_EQ(grstate.curx, 0.1f);
  EXPECT_FLOAT_EQ(grstate.cury, 0.1f);
}

TEST_F(GrShapesTest, ClosedPointListIsTheSamePolygon) {
  igrfillpattern(4);
  const float x[] = {0.1f, 0.9f, 0.5f, 0.1f};
  const float y[] = {0.1f, 0.1f, 0.9f, 0.1f};
  igrpolygoncomplex(x, y, 4);
  igrpolygoncomplex(x, y, 3);
  ASSERT_EQ(ops(), (std::vector<int>{kDrvPolygonSolid, kDrvPolygonSolid}));
  EXPECT_EQ(calls()[0].xs, calls()[1].xs);
  EXPECT_EQ(calls()[0].ys, calls()[1].ys);
}

TEST_F(GrShapesTest, StippleWithEqualColoursBecomesSolid) {
  igrfillpattern(3);
  const float x[] = {0.1f, 0.9f, 0.5f};
  const float y[] = {0.1f, 0.1f, 0.9f};
  igrpolygoncomplex(x, y, 3);
  igrcolourn(100);
  igrcolourn(100);
  calls().clear();
  igrpolygoncomplex(x, y, 3);
  igrcircle(0.5f, 0.5f, 0.1f);
  EXPECT_EQ(ops(), (std::vector<int>{kDrvPolygonSolid, kDrvEllipseSolid}));
}

TEST_F(GrShapesTest, HatchDirectionsByPatternAndAngle) {
  const float x[] = {0.1f, 0.9f, 0.9f, 0.1f};
  const float y[] = {0.1f, 0.1f, 0.9f, 0.9f};
  struct Case {
    int pattern, angle;
    bool hor, ver;
  };
  const Case cases[] = {{1, 1, true, false}, {1, 3, true, false}, {1, 4, true, true},
                        {2, 1, true, true},  {2, 3, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "pattern " << c.pattern << " angle " << c.angle);
    calls().clear();
    igrfillpattern(-c.pattern, nullptr, &c.angle);  // no outline: only hatch lines
    igrpolygoncomplex(x, y, 4);
    EXPECT_EQ(countif(horizontal) > 0, c.hor);
    EXPECT_EQ(countif(vertical) > 0, c.ver);
  }
  // Density 2 on a 400 x 400 window: horizontal lines every 400 div 40 = 10
  // pixels, vertical lines every 400 div 50 = 8.
  calls().clear();
  igrfillpattern(-2);
  igrpolygoncomplex(x, y, 4);
  const auto segs = callsof(kDrvLine);
  std::vector<int> rows, cols;
  for (const auto& s : segs) {
    if (horizontal(s.params)) rows.push_back(s.params.iy1);
    if (vertical(s.params)) cols.push_back(s.params.ix1);
  }
  ASSERT_GE(rows.size(), 2u);
  ASSERT_GE(cols.size(), 2u);
  EXPECT_EQ(rows[1] - rows[0], 10);
  EXPECT_EQ(cols[1] - cols[0], 8);
  EXPECT_EQ(rows.size(), 32u) << "lines from 39.5 to 359.5";
}

TEST_F(GrShapesTest, OutlineOfAnOpenPolygonIsItsEdges) {
  igrfillpattern(0);
  const float x[] = {10, 300, 150};
  const float y[] = {10, 10, 300};
  xxplygon(x, y, 3, 1);
  ASSERT_EQ(ops(), (std::vector<int>{kDrvLine, kDrvLine, kDrvLine}));
  const GrDrvParams& last = calls()[2].params;
  EXPECT_EQ(last.ix1, 150);
  EXPECT_EQ(last.ix2, 10) << "the closing edge";
}

TEST_F(GrShapesTest, SelfFilledPolygonPairsSpansAtSharedVertices) {
  withoutop(kDrvPolygonSolid);
  igrfillpattern(4);
  // A diamond whose vertices lie on scan lines (y = k + 0.5).
  const float x[] = {50, 70, 50, 30};
  const float y[] = {10.5f, 30.5f, 50.5f, 30.5f};
  xxplygon(x, y, 4, 1);
  const auto segs = callsof(kDrvLine);
  EXPECT_EQ(segs.size(), 40u) << "one span on each line 10.5 .. 49.5";
  bool found = false;
  for (const auto& s : segs) {
    if (s.params.iy1 != 30) continue;
    found = true;
    EXPECT_EQ(s.params.ix1, 30);
    EXPECT_EQ(s.params.ix2, 70);
  }
  EXPECT_TRUE(found) << "the line through the side vertices";
  EXPECT_EQ(grfill.selfscreen, 0) << "reset after the shape";
}

TEST_F(GrShapesTest, SelfFilledStippleDrawsTwoPassesInTwoColours) {
  withoutop(kDrvPolygonStipple);
  withoutop(kDrvPolygonSolid);
  igrcolourn(31);
  igrfillpattern(3);
  calls().clear();
  const float x[] = {10, 30, 30, 10};
  const float y[] = {10, 10, 20, 20};
  xxplygon(x, y, 4, 1);
  std::vector<int> firstrows, secondrows;
  int pass = 0;
  for (const auto& c : calls()) {
    if (c.op == kDrvColour) {
      ++pass;
      continue;
    }
    if (c.op == kDrvLine) (pass == 0 ? firstrows : secondrows).push_back(c.params.iy1);
  }
  EXPECT_EQ(pass, 2) << "switch to the second colour and back";
  EXPECT_EQ(firstrows, (std::vector<int>{10, 12, 14, 16, 18}));
  EXPECT_EQ(secondrows, (std::vector<int>{11, 13, 15, 17, 19}));
  EXPECT_EQ(grstate.colour, 31);
  EXPECT_EQ(grstate.prevcolour, 223);
}

TEST_F(GrShapesTest, TooManyActiveEdgesEndTheFillWithError49) {
  withoutop(kDrvPolygonSolid);
  igrfillpattern(4);
  // A comb of 60 teeth: 120 edges cross every line through the teeth.
  std::vector<float> x, y;
  for (int i = 0; i < 60; ++i) {
    x.push_back(static_cast<float>(5 * i) + 10);
    y.push_back(10);
    x.push_back(static_cast<float>(5 * i) + 12);
    y.push_back(100);
  }
  x.push_back(320);
  y.push_back(5);
  x.push_back(10);
  y.push_back(5);
  xxplygon(x.data(), y.data(), static_cast<int>(x.size()), 1);
  EXPECT_EQ(infoerror(1), 49);
  EXPECT_FALSE(callsof(kDrvLine).empty()) << "what was drawn before stays";
  EXPECT_EQ(grfill.selfscreen, 0);
}

TEST_F(GrShapesTest, EmptyAndTinyPointLists) {
  igrmoveto(0.3f, 0.3f);
  const float x[] = {0.5f};
  const float y[] = {0.6f};
  igrpolygoncomplex(x, y, 0);
  EXPECT_TRUE(calls().empty());
  EXPECT_FLOAT_EQ(grstate.curx, 0.3f) << "no first point to move to";
  igrpolygoncomplex(x, y, 1);
  EXPECT_FLOAT_EQ(grstate.curx, 0.5f);
  EXPECT_FLOAT_EQ(grstate.cury, 0.6f);
}

TEST_F(GrShapesTest, CircleRadiusMustBePositive) {
  igrmoveto(0.2f, 0.3f);
  for (float r : {0.0f, -1.0f, std::nanf("")}) {
    SCOPED_TRACE(r);
    igrcircle(0.5f, 0.5f, r);
    EXPECT_EQ(infoerror(1), 20);
    EXPECT_FLOAT_EQ(grstate.curx, 0.2f);
    EXPECT_FLOAT_EQ(grstate.cury, 0.3f);
  }
  EXPECT_TRUE(calls().empty());
  xxelip(0.5f, 0.5f, 0.1f, 0.0f);
  EXPECT_EQ(infoerror(1), 20);
}

TEST_F(GrShapesTest, CircleOperationsAndParameters) {
  igrfillpattern(0);
  igrcircle(0.5f, 0.5f, 0.1f);
  ASSERT_EQ(ops(), std::vector<int>{kDrvEllipseOutline});
  const GrDrvParams& p = calls()[0].params;
  EXPECT_EQ(p.ix1, static_cast<int>(0.5f * 399.99f));
  EXPECT_EQ(p.ix2, static_cast<int>(0.1f * 399.99f));
  EXPECT_EQ(p.iy2, p.ix2) << "equal pixel radii in a square window";
  EXPECT_FLOAT_EQ(p.fx3, 1.0f);
  EXPECT_FLOAT_EQ(p.fx4, 0.1f);
  EXPECT_FLOAT_EQ(grstate.curx, 0.5f);
  calls().clear();
  igrfillpattern(4);
  igrcircle(0.5f, 0.5f, 0.1f);
  igrfillpattern(3);
  igrcircle(0.5f, 0.5f, 0.1f);
  EXPECT_EQ(ops(), (std::vector<int>{kDrvEllipseSolid, kDrvEllipseStipple}));
}

TEST_F(GrShapesTest, CircleOutsideTheAreaDrawsNothingButMoves) {
  igrcircle(2.0f, 2.0f, 0.5f);
  EXPECT_TRUE(calls().empty());
  EXPECT_FLOAT_EQ(grstate.curx, 2.0f);
  EXPECT_EQ(infoerror(1), 0);
}

TEST_F(GrShapesTest, LayerDrawsTheCircleItselfWithoutTheDriverOperations) {
  withoutop(kDrvEllipseOutline);
  withoutop(kDrvEllipseSolid);
  igrfillpattern(0);
  igrcircle(0.5f, 0.5f, 0.1f);
  const auto segs = callsof(kDrvLine);
  ASSERT_FALSE(segs.empty());
  // Angle step pi / (trunc(rx) * 75 div W + 25) = pi / 32, and the angle
  // runs while below 3.1416926 (just past pi): 32 segments a half.
  EXPECT_EQ(segs.size(), 64u);
  for (const auto& s : segs) {
    const float dx = static_cast<float>(s.params.ix2) - 199.0f;
    const float dy = static_cast<float>(s.params.iy2) - 199.0f;
    EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 40.0f, 1.5f);
  }
  calls().clear();
  igrfillpattern(4);
  igrcircle(0.5f, 0.5f, 0.1f);
  const auto chords = callsof(kDrvLine);
  EXPECT_EQ(chords.size(), 80u) << "one chord per row from yb to yt";
  for (const auto& c : chords) EXPECT_TRUE(c.params.iy1 == c.params.iy2);
}

}  // namespace
}  // namespace tsd
