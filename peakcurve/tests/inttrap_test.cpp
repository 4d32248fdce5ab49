// One-limit cumulative trapezoid integration of the curve programs.
#include "peakcurve/inttrap.h"

#include <gtest/gtest.h>

#include <vector>

namespace tsd::peakcurve {
namespace {

const std::vector<double> kX = {300, 310, 320, 330, 340};
const std::vector<double> kY = {1, 3, 5, 2, 0};

std::vector<double> integrate(const std::vector<double>& x, const std::vector<double>& y, int dir, double xlim) {
  std::vector<double> r(x.size(), -99.0);
  inttrap(x.data(), y.data(), int(x.size()), dir, xlim, r.data());
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
  // n = 0 writes nothing.
  double r = -5.0;
  inttrap(kX.data(), kY.data(), 0, kIntegrateDown, 340, &r);
  EXPECT_EQ(r, -5.0);
}

}  // namespace
}  // namespace tsd::peakcurve
