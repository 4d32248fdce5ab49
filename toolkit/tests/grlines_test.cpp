// Lines and polylines: the layer's own clipping, step by step, and the
// driver operations of segments and polyline runs.
#include <gtest/gtest.h>

#include <vector>

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grlines.h"
#include "toolkit/graphics/grrecords.h"
#include "tools/testkit/grtrace.h"

namespace tsd {
namespace {

using grtest::calls;
using grtest::callsof;
using grtest::ops;

// Device rectangle (0,0)-(100,100) of the area, box widened by 0.001.
void setrect() {
  grstate.devx1 = 0.0f;
  grstate.devy1 = 0.0f;
  grstate.devx2 = 100.0f;
  grstate.devy2 = 100.0f;
  grstate.boxx1 = -0.001f;
  grstate.boxy1 = -0.001f;
  grstate.boxx2 = 100.001f;
  grstate.boxy2 = 100.001f;
}

class GrLinesTest : public grtest::GrTraceTest {
 protected:
  void SetUp() override {
    grtest::startlayer(200, 200);
    setrect();
  }
};

TEST_F(GrLinesTest, ClippingCases) {
  struct Case {
    const char* what;
    float x1, y1, x2, y2;
    int visible;
    float ex1, ey1, ex2, ey2;
  };
  const Case cases[] = {
      {"inside", 10, 20, 30, 40, 1, 10, 20, 30, 40},
      {"end on the widened box edge", 10, 20, 100.001f, 40, 1, 10, 20, 100.001f, 40},
      {"vertical through the area", 10.2f, -50, 10.7f, 500, 1, 10.2f, 0, 10.7f, 100},
      {"vertical downwards", 10.7f, 500, 10.2f, -50, 1, 10.7f, 100, 10.2f, 0},
      {"vertical right of the area", 150, -50, 150, 50, 0, 150, -50, 150, 50},
      {"vertical above", 50, 150, 50, 200, 0, 50, 150, 50, 200},
      {"horizontal through", -20, 30.5f, 120, 30.2f, 1, 0, 30.5f, 100, 30.2f},
      {"horizontal leftwards", 120, 30.5f, -20, 30.2f, 1, 100, 30.5f, 0, 30.2f},
      {"horizontal below", -20, -5.5f, 120, -5.2f, 0, -20, -5.5f, 120, -5.2f},
      {"entirely above", -20, 150, 120, 170, 0, -20, 150, 120, 170},
      {"diagonal: top, then bottom", -50, -50, 150, 150, 1, 0, 0, 100, 100},
      {"diagonal: right, then left", -50, -20, 150, 130, 1, 0, 17.5f, 100, 92.5f},
      {"leaving through the top", 50, 50, 70, 150, 1, 50, 50, 60, 100},
      {"entering from the right", 150, 60, 50, 40, 1, 100, 50, 50, 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    float x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
    int visible = -1;
    xxclip(x1, y1, x2, y2, visible);
    EXPECT_EQ(visible, c.visible);
    if (c.visible == 1) {
      EXPECT_NEAR(x1, c.ex1, 1e-4);
      EXPECT_NEAR(y1, c.ey1, 1e-4);
      EXPECT_NEAR(x2, c.ex2, 1e-4);
      EXPECT_NEAR(y2, c.ey2, 1e-4);
    }
  }
}

TEST_F(GrLinesTest, BoxAndEdgeTestsAreInclusive) {
  EXPECT_EQ(xxbox(100.001f, -0.001f), 1);
  EXPECT_EQ(xxbox(100.002f, 50), 0);
  EXPECT_EQ(xxlin(50, 50, 50, 0, 50, 100), 1);
  EXPECT_EQ(xxlin(50, 50, 0, 0, 40, 100), 0) << "outside the segment's x range";
  EXPECT_EQ(xxlin(150, 50, 0, 0, 200, 100), 0) << "outside the box";
}

TEST_F(GrLinesTest, SegmentReachesTheDriverTruncated) {
  xxlini(10.7f, 20.2f, -30.0f, 20.9f);
  ASSERT_EQ(ops(), std::vector<int>{kDrvLine});
  const GrDrvParams& p = calls()[0].params;
  EXPECT_EQ(p.ix1, 10);
  EXPECT_EQ(p.iy1, 20);
  EXPECT_EQ(p.ix2, 0);
  EXPECT_EQ(p.iy2, 20);
  EXPECT_FLOAT_EQ(p.fx1, 10.7f);
  EXPECT_FLOAT_EQ(p.fx2, 0.0f);
}

TEST_F(GrLinesTest, LineToOutsideMovesTheCurrentPointAnyway) {
  grtest::startlayer(200, 200);
  igrunits(0, 0, 1, 1);
  igrmoveto(2.0f, 2.0f);
  igrlineto(3.0f, 5.0f);
  EXPECT_TRUE(calls().empty());
  EXPECT_FLOAT_EQ(grstate.curx, 3.0f);
  EXPECT_FLOAT_EQ(grstate.cury, 5.0f);
  igrlineto(0.5f, 0.5f);
  EXPECT_EQ(ops(), std::vector<int>{kDrvLine});
}

TEST_F(GrLinesTest, PolylineLeavingAndReenteringGivesTwoRuns) {
  const float x[] = {10, 50, 150, 150, 60, 20};
  const float y[] = {10, 50, 50, 80, 80, 20};
  xxpline(x, y, 6, 1);
  ASSERT_EQ(ops(), (std::vector<int>{kDrvPolyline, kDrvPolyline}));
  const auto& a = calls()[0];
  ASSERT_EQ(a.xs.size(), 3u);
  EXPECT_FLOAT_EQ(a.xs[0], 10);
  EXPECT_FLOAT_EQ(a.xs[1], 50);
  EXPECT_FLOAT_EQ(a.xs[2], 100) << "exit point";
  EXPECT_FLOAT_EQ(a.ys[2], 50);
  const auto& b = calls()[1];
  ASSERT_EQ(b.xs.size(), 3u);
  EXPECT_FLOAT_EQ(b.xs[0], 100) << "entry point";
  EXPECT_FLOAT_EQ(b.ys[0], 80);
  EXPECT_FLOAT_EQ(b.xs[1], 60);
  EXPECT_FLOAT_EQ(b.xs[2], 20);
}

TEST_F(GrLinesTest, PolylineOutsideGivesSingleSegmentsForCrossingPieces) {
  const float x[] = {-50, 150, 150, 250};
  const float y[] = {50, 50, 150, 150};
  xxpline(x, y, 4, 1);
  ASSERT_EQ(ops(), std::vector<int>{kDrvLine});
  const GrDrvParams& p = calls()[0].params;
  EXPECT_EQ(p.ix1, 0);
  EXPECT_EQ(p.ix2, 100);
  EXPECT_EQ(p.iy1, 50);
}

TEST_F(GrLinesTest, PolylineUsesAtMost4095Points) {
  std::vector<float> x(5000), y(5000);
  for (int i = 0; i < 5000; ++i) {
    x[static_cast<std::size_t>(i)] = static_cast<float>(i % 100);
    y[static_cast<std::size_t>(i)] = static_cast<float>(i) / 50.0f;
  }
  xxpline(x.data(), y.data(), 5000, 1);
  ASSERT_EQ(ops(), std::vector<int>{kDrvPolyline});
  EXPECT_EQ(calls()[0].params.count, 4095);
  EXPECT_FLOAT_EQ(calls()[0].xs.back(), x[4094]);
}

TEST_F(GrLinesTest, ShortPolylinesDrawNothing) {
  const float x[] = {10, 20};
  const float y[] = {10, 20};
  xxpline(x, y, 1, 1);
  xxpline(x, y, 0, 1);
  xxpline(x, y, -3, 1);
  EXPECT_TRUE(calls().empty());
  const float ox[] = {10, 150};
  const float oy[] = {10, 10};
  xxpline(ox, oy, 2, 1);
  ASSERT_EQ(ops(), std::vector<int>{kDrvPolyline}) << "entry point plus exit point";
  EXPECT_EQ(calls()[0].params.count, 2);
}

}  // namespace
}  // namespace tsd
