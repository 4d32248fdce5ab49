// One-limit cumulative trapezoid integration of the curve programs.
#include "peakcurve/inttrap.h"

#include <gtest/gtest.h>

#include <vector>

#include "analysis/integr.h"

namespace tsd::peakcurve {
namespace {

const std::vector<double> kX = {300, 310, 320, 330, 340};
const std::vector<double> kY = {1, 3, 5, 2, 0};

std::vector<double> integrate(const std::vector<double>& x, const std::vector<double>& y, int dir,
                              double xlim) {
  std::vector<double> r(x.size(), -99.0);
  inttrap(x, y, int(x.size()), dir, xlim, r);
  return r;
}

void expect_vec(const std::vector<double>& got, const std::vector<double>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) EXPECT_DOUBLE_EQ(got[i], want[i]) << "point " << i + 1;
}

TEST(PeakcurveInttrap, Downward) {
  struct Case {
    const char* name;
    double xlim;
    std::vector<double> want;
  };
  // Panels: 20, 40, 35, 10 (0.5 * (y(i) + y(i+1)) * 10).
  const Case cases[] = {
      {"limit at the last point", 340, {105, 85, 45, 10, 0}},
      {"limit between points", 325, {60, 40, 0, 0, 0}},
      {"limit on an inner point", 320, {60, 40, 0, 0, 0}},
      {"limit above every point", 400, {105, 85, 45, 10, 0}},
      {"limit below every point", 200, {0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    expect_vec(integrate(kX, kY, kIntegrateDown, c.xlim), c.want);
  }
}

TEST(PeakcurveInttrap, Upward) {
  struct Case {
    const char* name;
    double xlim;
    std::vector<double> want;
  };
  const Case cases[] = {
      {"limit at the first point", 300, {0, 20, 60, 95, 105}},
      {"limit between points", 315, {0, 0, 0, 35, 45}},
      {"limit above every point", 400, {0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    expect_vec(integrate(kX, kY, kIntegrateUp, c.xlim), c.want);
  }
}

TEST(PeakcurveInttrap, SinglePointAndUnknownDirection) {
  expect_vec(integrate({300}, {4}, kIntegrateDown, 300), {0});
  expect_vec(integrate({300}, {4}, kIntegrateUp, 300), {0});
  expect_vec(integrate(kX, kY, 3, 340), {0, 0, 0, 0, 0});
  // n = 0 writes nothing; n beyond the arrays is cut to them.
  std::vector<double> r(5, -5.0);
  inttrap(kX, kY, 0, kIntegrateDown, 340, r);
  EXPECT_EQ(r[0], -5.0);
  std::vector<double> shorter(3, -5.0);
  inttrap(kX, kY, 800, kIntegrateDown, 340, shorter);
  expect_vec(shorter, {60, 40, 0});
}

TEST(PeakcurveInttrap, LinksBesideTheWindowedTrapezoidRule) {
  // Both trapezoid routines live in one program; over the whole curve from
  // its last point downwards they integrate alike.
  std::vector<double> mine = integrate(kX, kY, kIntegrateDown, 340);
  std::vector<double> windowed(kX.size(), -1.0);
  int lo = 0, hi = 0;
  tsd::inttrap(kX, kY, int(kX.size()), 2, 300, 340, windowed, lo, hi);
  for (size_t i = 0; i < kX.size(); ++i)
    EXPECT_DOUBLE_EQ(windowed[i], mine[i]) << "point " << i + 1;
}

}  // namespace
}  // namespace tsd::peakcurve
