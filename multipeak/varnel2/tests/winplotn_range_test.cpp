// The common y range of varnel2's graph: only drawn series and only points
// inside the display range count.
#include <gtest/gtest.h>

#include <string>

#include "multipeak/varnel2/winplotn.h"

namespace tsd::varnel2 {
namespace {

TEST(Varnel2GraphRange, MaximumOverDrawnPointsInsideTheDisplayRange) {
  const double xd[4] = {100, 200, 300, 400};
  const double yd[4] = {1, 9, 3, 50};  // 50 lies outside every range below
  const double xc[3] = {150, 250, 350};
  // Two curves, stride 3: curve 1 then curve 2.
  const double yc[6] = {2, 4, 6, 20, 30, -5};
  const int one[1] = {1};
  const int colours[2] = {47, 175};
  struct Case {
    const char* name;
    double xmin, xmax;
    int curveflags[2];
    int ymode;
    double ymin_in;
    double ymin, ymax;
  };
  const Case cases[] = {
      {"both curves", 100, 350, {1, 1}, 1, 7.0, 0.0, 30.0},
      {"second curve hidden", 100, 350, {1, 0}, 1, 7.0, 0.0, 9.0},
      {"range ends included", 200, 250, {1, 0}, 2, 7.0, 4.0, 9.0},
      {"minimum over the drawn points", 100, 350, {1, 1}, 2, 7.0, -5.0, 30.0},
      {"other modes keep ymin", 100, 350, {0, 0}, 3, 7.0, 7.0, 9.0},
      {"nothing inside", 500, 600, {1, 1}, 2, 7.0, 1e100, -1e100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlotSeriesSet measured;
    measured.x = xd;
    measured.y = yd;
    measured.f1 = 1;
    measured.f2 = 4;
    measured.n = 4;
    measured.colours = colours;
    measured.count = 1;
    measured.flags = one;
    PlotSeriesSet curves;
    curves.x = xc;
    curves.y = yc;
    curves.f1 = 1;
    curves.f2 = 3;
    curves.n = 3;
    curves.colours = colours;
    curves.kind = 2;
    curves.stride = 3;
    curves.count = 2;
    curves.flags = c.curveflags;
    double ymin = c.ymin_in, ymax = 0.0;
    winplotnrange(measured, curves, c.xmin, c.xmax, c.ymode, ymin, ymax);
    EXPECT_EQ(ymin, c.ymin);
    EXPECT_EQ(ymax, c.ymax);
  }
}

}  // namespace
}  // namespace tsd::varnel2
