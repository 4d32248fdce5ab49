// Straight-line fit of the Arrhenius plot, array scaling and the P0 estimate.
#include "analysis/fit.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace {

TEST(FitDivdarr, MultipliesByTheReciprocal) {
  std::array<double, 5> p = {1.0, 2.0, 5.0, 7.0, 10.0};
  const std::array<double, 5> before = p;
  tsd::divdarr(p, 3.0, 4);
  const double r = 1.0 / 3.0;
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE("i = " + std::to_string(i + 1));
    EXPECT_EQ(p[i], r * before[i]);  // the last bit of r*x, not x/3
  }
  EXPECT_EQ(p[4], 10.0);  // beyond N: untouched
  // 10*(1/3) and 10/3 differ in the last bit; 7 likewise.
  EXPECT_NE(r * 7.0, 7.0 / 3.0);

  std::array<double, 3> q = {1.0, 2.0, 3.0};
  tsd::divdarr(q, 2.0, 0);
  tsd::divdarr(q, 2.0, -5);
  EXPECT_EQ(q, (std::array<double, 3>{1.0, 2.0, 3.0}));
  // N beyond the array is cut to it.
  tsd::divdarr(q, 2.0, 800);
  EXPECT_EQ(q, (std::array<double, 3>{0.5, 1.0, 1.5}));
}

// Sentinels that fit2 must leave alone when it returns early.
struct FitOut {
  double a = -111.0, slope = -222.0, sa = -333.0, sb = -444.0, chi2 = -555.0;
  int n1 = -1, n2 = -1;
};

FitOut run_fit(std::span<const double> x, std::span<const double> y, double xa, double xb, int i1,
               int i2) {
  FitOut o;
  tsd::fit2(x, y, xa, xb, i1, i2, o.a, o.slope, o.sa, o.sb, o.chi2, o.n1, o.n2);
  return o;
}

TEST(FitLine, WindowBoundsAreInclusiveWithTolerance) {
  const double xa = 2.0;
  const double xb = 4.0;
  const double hi_edge = xb + 1e-5;
  const double lo_edge = xa - 1e-5;
  struct Case {
    const char* name;
    double first;  // x of point 1 (the others are 3.5, 3, 2.5)
    double last;   // x of point 5
    int n1, n2;
  };
  const Case cases[] = {
      {"both on the edges", hi_edge, lo_edge, 1, 5},
      {"both just outside", std::nextafter(hi_edge, 10.0), std::nextafter(lo_edge, 0.0), 2, 4},
      {"far outside", 9.0, 0.5, 2, 4},
      {"upper inside, lower outside", 4.0, 1.0, 1, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::array<double, 5> x = {c.first, 3.5, 3.0, 2.5, c.last};
    std::array<double, 5> y{};
    for (int i = 0; i < 5; ++i) y[i] = 1.0 + 2.0 * x[i];
    const FitOut o = run_fit(x, y, xa, xb, 1, 5);
    EXPECT_EQ(o.n1, c.n1);
    EXPECT_EQ(o.n2, c.n2);
    EXPECT_NEAR(o.slope, 2.0, 1e-9);
    EXPECT_NEAR(o.a, 1.0, 1e-9);
  }
}

TEST(FitLine, FewerThanTwoPointsLeavesResultsAlone) {
  const std::array<double, 4> x = {4.0, 3.0, 2.0, 1.0};
  const std::array<double, 4> y = {1.0, 2.0, 3.0, 4.0};
  struct Case {
    const char* name;
    double xa, xb;
    int i1, i2;
  };
  const Case cases[] = {
      {"one point", 2.9, 3.1, 1, 4},
      {"window between points", 2.4, 2.6, 1, 4},
      {"window outside the data", 10.0, 12.0, 1, 4},
      {"reversed index range", 0.0, 10.0, 3, 2},
      {"one index", 0.0, 10.0, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FitOut o = run_fit(x, y, c.xa, c.xb, c.i1, c.i2);
    EXPECT_LT(o.n2 - o.n1, 1) << "n1 " << o.n1 << " n2 " << o.n2;
    EXPECT_EQ(o.slope, 0.0);
    EXPECT_EQ(o.a, -111.0);
    EXPECT_EQ(o.sa, -333.0);
    EXPECT_EQ(o.sb, -444.0);
    EXPECT_EQ(o.chi2, -555.0);
  }
}

TEST(FitLine, CollinearAndTwoPointFits) {
  // Three collinear points: exact line, no scatter.
  const std::array<double, 3> x = {3.0, 2.0, 1.0};
  const std::array<double, 3> y = {-4.0, -1.0, 2.0};  // y = 5 - 3x
  FitOut o = run_fit(x, y, 0.0, 10.0, 1, 3);
  EXPECT_EQ(o.n1, 1);
  EXPECT_EQ(o.n2, 3);
  EXPECT_DOUBLE_EQ(o.slope, -3.0);
  EXPECT_DOUBLE_EQ(o.a, 5.0);
  EXPECT_NEAR(o.chi2, 0.0, 1e-28);
  EXPECT_NEAR(o.sa, 0.0, 1e-13);
  EXPECT_NEAR(o.sb, 0.0, 1e-13);
  // Two points: exact line, errors set to 0 (no scatter to estimate them).
  o = run_fit(x, y, 0.0, 2.5, 1, 3);
  EXPECT_EQ(o.n1, 2);
  EXPECT_EQ(o.n2, 3);
  EXPECT_DOUBLE_EQ(o.slope, -3.0);
  EXPECT_DOUBLE_EQ(o.a, 5.0);
  EXPECT_EQ(o.sa, 0.0);
  EXPECT_EQ(o.sb, 0.0);
  EXPECT_TRUE(std::isfinite(o.chi2));
}

TEST(FitLine, ScatteredPointsMatchTextbookErrors) {
  const std::vector<double> x = {3.6, 3.5, 3.3, 3.2, 3.0, 2.9, 2.7};
  const std::vector<double> noise = {0.01, -0.02, 0.015, 0.0, -0.01, 0.02, -0.012};
  std::vector<double> y(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) y[i] = -12.0 + 5.0 * x[i] + noise[i];
  const FitOut o = run_fit(x, y, 0.0, 10.0, 1, 7);

  // Reference by the centred formulas: slope = Sxy/Sxx, a = ym - slope*xm,
  // s^2 = chi2/(m-2), sb = s/sqrt(Sxx), sa = s*sqrt(1/m + xm^2/Sxx).
  const double m = 7.0;
  double xm = 0, ym = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    xm += x[i] / m;
    ym += y[i] / m;
  }
  double sxx = 0, sxy = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    sxx += (x[i] - xm) * (x[i] - xm);
    sxy += (x[i] - xm) * (y[i] - ym);
  }
  const double slope = sxy / sxx;
  const double a = ym - slope * xm;
  double chi2 = 0;
  for (std::size_t i = 0; i < x.size(); ++i) chi2 += std::pow(y[i] - a - slope * x[i], 2);
  const double s = std::sqrt(chi2 / (m - 2));
  EXPECT_NEAR(o.slope, slope, 1e-12);
  EXPECT_NEAR(o.a, a, 1e-11);
  EXPECT_NEAR(o.chi2, chi2, 1e-15);
  EXPECT_NEAR(o.sb, s / std::sqrt(sxx), 1e-12);
  EXPECT_NEAR(o.sa, s * std::sqrt(1 / m + xm * xm / sxx), 1e-11);
}

TEST(FitLine, IndexRangeBeyondTheArraysIsCut) {
  const std::array<double, 4> x = {4.0, 3.0, 2.0, 1.0};
  const std::array<double, 4> y = {9.0, 7.0, 5.0, 3.0};  // y = 1 + 2x
  const FitOut o = run_fit(x, y, 0.0, 10.0, -3, 800);
  EXPECT_EQ(o.n1, 1);
  EXPECT_EQ(o.n2, 4);
  EXPECT_DOUBLE_EQ(o.slope, 2.0);
}

class FitP0 : public ::testing::Test {
 protected:
  // Measured values 2.5 times the unit model, with a small disturbance at
  // point 3; point 1 carries a start-of-range polarisation of its own.
  std::array<double, 5> ja1 = {1.0, 2.0, 3.0, 2.0, 1.0};
  std::array<double, 5> pa1 = {1.0, 0.9, 0.7, 0.4, 0.1};
  std::array<double, 5> j = {2.5, 5.0, 7.6, 5.0, 2.5};
  std::array<double, 5> pd = {2.6, 2.25, 1.75, 1.0, 0.25};
};

TEST_F(FitP0, ThreeMethodsAndTheirDeviations) {
  struct Case {
    int method;
    double p0;
  };
  const double m1 = (2.5 + 10.0 + 22.8 + 10.0 + 2.5) / (1 + 4 + 9 + 4 + 1);
  const double m2 = (2.25 * 0.9 + 1.75 * 0.7 + 1.0 * 0.4) / (0.81 + 0.49 + 0.16);
  for (Case c : {Case{1, m1}, Case{3, 2.6}}) {
    SCOPED_TRACE("method " + std::to_string(c.method));
    double p0 = -1, sj = -1, sp = -1;
    tsd::findp(j, ja1, pd, pa1, 1, 5, 1, 2, 4, c.method, p0, sj, sp);
    EXPECT_NEAR(p0, c.p0, 1e-14);
    double sumj = 0, sump = 0;
    for (int i = 0; i < 5; ++i) sumj += std::pow(j[i] - p0 * ja1[i], 2);
    for (int i = 1; i < 4; ++i) sump += std::pow(pd[i] - p0 * pa1[i], 2);
    EXPECT_NEAR(sj, std::sqrt(sumj / 5), 1e-14);
    EXPECT_NEAR(sp, std::sqrt(sump / 3), 1e-14);
  }
  double p0 = -1, sj = -1, sp = -1;
  tsd::findp(j, ja1, pd, pa1, 1, 5, 1, 2, 4, 2, p0, sj, sp);
  EXPECT_NEAR(p0, m2, 1e-14);
  EXPECT_NEAR(p0, 2.5, 1e-14);
  EXPECT_NEAR(sp, 0.0, 1e-14);
}

TEST_F(FitP0, OtherMethodOrStartOutsideLeavesP0) {
  for (int method : {0, 4, -1}) {
    SCOPED_TRACE("method " + std::to_string(method));
    double p0 = 7.0, sj = -1, sp = -1;
    tsd::findp(j, ja1, pd, pa1, 1, 5, 1, 1, 5, method, p0, sj, sp);
    EXPECT_EQ(p0, 7.0);
    EXPECT_GT(sj, 0.0);  // deviations still computed with that P0
    EXPECT_GT(sp, 0.0);
  }
  for (int i0 : {0, 6, -100}) {
    SCOPED_TRACE("i0 " + std::to_string(i0));
    double p0 = 7.0, sj = -1, sp = -1;
    tsd::findp(j, ja1, pd, pa1, 1, 5, i0, 1, 5, 3, p0, sj, sp);
    EXPECT_EQ(p0, 7.0);
  }
}

TEST_F(FitP0, SumsOverEmptyOrOversizedRanges) {
  EXPECT_EQ(tsd::fjm(j, ja1, 2.5, 3, 2), 0.0);
  EXPECT_EQ(tsd::fpm(pd, pa1, 2.5, 6, 900), 0.0);
  EXPECT_NEAR(tsd::fjm(j, ja1, 2.5, -5, 900), 0.01, 1e-14);  // cut to 1..5
  EXPECT_EQ(tsd::fjm(j, ja1, 2.5, 1, 5), tsd::fpm(j, ja1, 2.5, 1, 5));
  // An empty deviation range gives 0, not 0/0.
  double p0 = 1.0, sj = -1, sp = -1;
  tsd::findp(j, ja1, pd, pa1, 3, 2, 1, 5, 4, 3, p0, sj, sp);
  EXPECT_EQ(p0, 2.6);
  EXPECT_EQ(sj, 0.0);
  EXPECT_EQ(sp, 0.0);
}

}  // namespace
