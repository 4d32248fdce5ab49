// Cumulative integration of the current: closed-form integrands in both
// directions, each parity case, the window rules and windows with too few
// points.
#include "analysis/integr.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace {

constexpr int kDown = 2;  // integral from x(i) up to Tlim
constexpr int kUp = 1;    // integral from Tlim up to x(i)

struct Integration {
  std::vector<double> result;
  int first = -7;
  int last = -7;
};

Integration run(const std::vector<double>& x, const std::vector<double>& y, double tini,
                double tlim, int direction, int method) {
  Integration r;
  r.result.assign(x.size(), -99.0);  // every element must be written
  tsd::integr(x, y, static_cast<int>(x.size()), tini, tlim, direction, method, r.result, r.first,
              r.last);
  return r;
}

// The window over all points: Tlim, where the integral is zero, is the
// upper end downwards and the lower end upwards.
Integration run_all(const std::vector<double>& x, const std::vector<double>& y, int direction,
                    int method) {
  return direction == kDown ? run(x, y, x.front(), x.back(), direction, method)
                            : run(x, y, x.back(), x.front(), direction, method);
}

// Unevenly spaced ascending temperatures.
std::vector<double> uneven(int n) {
  std::vector<double> x(n);
  for (int i = 0; i < n; ++i) x[i] = 250.0 + 1.3 * i + 0.4 * std::sin(1.7 * i);
  return x;
}

std::vector<double> sample(const std::vector<double>& x, const std::function<double(double)>& f) {
  std::vector<double> y(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) y[i] = f(x[i]);
  return y;
}

// Checks result(i) against the exact integral between x(i) and the zero end
// for i in [from, to] (1-based), and 0 elsewhere.
void expect_integral(const Integration& r, const std::vector<double>& x,
                     const std::function<double(double)>& antiderivative, int direction, int from,
                     int to, double tol) {
  const double zero_end = direction == kDown ? x[to - 1] : x[from - 1];
  for (int i = 1; i <= static_cast<int>(x.size()); ++i) {
    SCOPED_TRACE("point " + std::to_string(i));
    if (i < from || i > to) {
      EXPECT_EQ(r.result[i - 1], 0.0);
      continue;
    }
    const double exact = direction == kDown ? antiderivative(zero_end) - antiderivative(x[i - 1])
                                            : antiderivative(x[i - 1]) - antiderivative(zero_end);
    EXPECT_NEAR(r.result[i - 1], exact, tol);
  }
}

TEST(IntegrExact, TrapezoidsOnALineBothDirections) {
  const auto x = uneven(9);
  const auto line = [](double t) { return 3.0e-12 + 2.0e-14 * (t - 250.0); };
  const auto area = [](double t) { return 3.0e-12 * t + 1.0e-14 * (t - 250.0) * (t - 250.0); };
  const auto y = sample(x, line);
  for (int dir : {kDown, kUp}) {
    SCOPED_TRACE("direction " + std::to_string(dir));
    const Integration r = run_all(x, y, dir, 2);
    expect_integral(r, x, area, dir, 1, 9, 1e-24);
    EXPECT_EQ(r.first, dir == kDown ? 1 : 2);
    EXPECT_EQ(r.last, dir == kDown ? 8 : 9);
  }
  // Direction 2 with the window over all points: result(n) = 0, result(1)
  // the integral over everything.
  const Integration r = run_all(x, y, kDown, 2);
  EXPECT_EQ(r.result[8], 0.0);
  EXPECT_NEAR(r.result[0], area(x.back()) - area(x.front()), 1e-24);
}

TEST(IntegrExact, ParabolasOnAParabolaEachParityBothDirections) {
  const auto f = [](double t) {
    return 1.0 + 0.5 * (t - 250.0) - 0.03 * (t - 250.0) * (t - 250.0);
  };
  const auto F = [](double t) {
    const double u = t - 250.0;
    return t + 0.25 * u * u - 0.01 * u * u * u;
  };
  struct Case {
    int n, direction;
    int from, to;  // points left after the parity step
  };
  const Case cases[] = {
      {9, kDown, 1, 9},  // 8 intervals: nothing dropped
      {9, kUp, 1, 9},
      {10, kDown, 2, 10},  // 9 intervals: the point far from Tlim is dropped
      {10, kUp, 1, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("n " + std::to_string(c.n) + ", direction " + std::to_string(c.direction));
    const auto x = uneven(c.n);
    const auto y = sample(x, f);
    const Integration r = run_all(x, y, c.direction, 3);
    expect_integral(r, x, F, c.direction, c.from, c.to, 1e-10);
    EXPECT_EQ(r.first, c.direction == kDown ? c.from : c.from + 1);
    EXPECT_EQ(r.last, c.direction == kDown ? c.to - 1 : c.to);
  }
}

TEST(IntegrExact, SmoothingOnAnEvenlySpacedLineEachParity) {
  const auto line = [](double t) { return 2.0 - 0.004 * t; };
  const auto area = [](double t) { return 2.0 * t - 0.002 * t * t; };
  struct Case {
    int n, direction, from, to;
  };
  const Case cases[] = {{11, kDown, 1, 11}, {11, kUp, 1, 11}, {12, kDown, 2, 12}, {12, kUp, 1, 11}};
  for (const Case& c : cases) {
    SCOPED_TRACE("n " + std::to_string(c.n) + ", direction " + std::to_string(c.direction));
    std::vector<double> x(c.n);
    for (int i = 0; i < c.n; ++i) x[i] = 200.0 + 0.5 * i;
    const Integration r = run_all(x, sample(x, line), c.direction, 1);
    expect_integral(r, x, area, c.direction, c.from, c.to, 1e-11);
    EXPECT_EQ(r.first, c.direction == kDown ? c.from : c.from + 1);
    EXPECT_EQ(r.last, c.direction == kDown ? c.to - 1 : c.to);
  }
}

TEST(IntegrExact, SmoothingOnAnUnevenLineTakesPlainMeansAtMiddlePoints) {
  // The nodes (every second point) lie on the line; each middle point gets
  // the mean of its two nodes, which is on the line only where it is midway.
  const auto line = [](double t) { return 5.0 + 0.2 * t; };
  const auto x = uneven(9);
  const auto y = sample(x, line);
  std::vector<double> smooth(9);
  for (int i = 0; i < 9; i += 2) smooth[i] = line(x[i]);
  for (int i = 1; i < 9; i += 2) smooth[i] = 0.5 * (line(x[i - 1]) + line(x[i + 1]));
  const Integration r = run_all(x, y, kDown, 1);
  double expected = 0.0;
  EXPECT_EQ(r.result[8], 0.0);
  for (int i = 7; i >= 0; --i) {
    SCOPED_TRACE("point " + std::to_string(i + 1));
    expected += 0.5 * (smooth[i] + smooth[i + 1]) * (x[i + 1] - x[i]);
    EXPECT_NEAR(r.result[i], expected, 1e-11);
  }
  // And differs from the exact integral of the line where spacing is uneven.
  const double exact = (5.0 * x[8] + 0.1 * x[8] * x[8]) - (5.0 * x[0] + 0.1 * x[0] * x[0]);
  EXPECT_GT(std::fabs(r.result[0] - exact), 1e-6);
}

TEST(IntegrExact, SmoothingFollowsASmoothCurve) {
  // A Gaussian peak of width 8 sampled every 0.5 (integral 8*sqrt(pi) =
  // 14.2): the broken line through nodes 1 apart deviates from the curve by
  // about (1^2/12)*f'' = 2.6e-3 of the peak near its top; integrated over the
  // peak that stays within a few 1e-3.
  const int n = 101;
  std::vector<double> x(n);
  for (int i = 0; i < n; ++i) x[i] = 300.0 + 0.5 * i;
  const auto f = [](double t) { return std::exp(-std::pow((t - 325.0) / 8.0, 2)); };
  const auto F = [](double t) { return 4.0 * std::sqrt(M_PI) * std::erf((t - 325.0) / 8.0); };
  for (int dir : {kDown, kUp}) {
    SCOPED_TRACE("direction " + std::to_string(dir));
    const Integration r = run_all(x, sample(x, f), dir, 1);
    expect_integral(r, x, F, dir, 1, n, 4e-3);
  }
}

TEST(IntegrWindow, PointsOnTheLimitsBelongToTheWindow) {
  // Window [260, 270]; points exactly 0.01 outside belong to it, 0.02 do not.
  const std::vector<double> x = {259.98, 260.0 - 0.01, 262.0, 265.0, 268.0, 270.0 + 0.01, 270.02};
  const std::vector<double> y(x.size(), 1.0);
  for (int dir : {kDown, kUp}) {
    SCOPED_TRACE("direction " + std::to_string(dir));
    // In direction 1 the roles of the limits swap: Tlim is the lower end.
    const double tini = dir == kDown ? 260.0 : 270.0;
    const double tlim = dir == kDown ? 270.0 : 260.0;
    const Integration r = run(x, y, tini, tlim, dir, 2);
    EXPECT_EQ(r.result[0], 0.0);
    EXPECT_EQ(r.result[6], 0.0);
    const double total = x[5] - x[1];
    EXPECT_NEAR(dir == kDown ? r.result[1] : r.result[5], total, 1e-12);
    EXPECT_EQ(r.first, dir == kDown ? 2 : 3);
    EXPECT_EQ(r.last, dir == kDown ? 5 : 6);
  }
}

TEST(IntegrWindow, TooFewPointsGiveZerosAndAnEmptyRange) {
  const std::vector<double> x = {250.0, 251.0, 252.0, 253.0, 254.0};
  const std::vector<double> y = {1.0, 2.0, 3.0, 4.0, 5.0};
  struct Case {
    const char* name;
    double tini, tlim;
    int method;
    bool one_trapezoid;
  };
  const Case cases[] = {
      {"one point, trapezoids", 252.0, 252.0, 2, false},
      {"one point, smoothing", 252.0, 252.0, 1, false},
      {"one point, parabolas", 252.0, 252.0, 3, false},
      {"two points, smoothing", 252.0, 253.0, 1, false},
      {"two points, parabolas", 252.0, 253.0, 3, false},
      {"two points, trapezoids", 252.0, 253.0, 2, true},
      {"all points below", 300.0, 310.0, 1, false},
      {"all points above", 100.0, 110.0, 3, false},
      {"limits reversed", 254.0, 250.0, 2, false},
      {"between two points", 252.3, 252.6, 2, false},
  };
  for (const Case& c : cases) {
    for (int dir : {kDown, kUp}) {
      SCOPED_TRACE(std::string(c.name) + ", direction " + std::to_string(dir));
      const double tini = dir == kDown ? c.tini : c.tlim;
      const double tlim = dir == kDown ? c.tlim : c.tini;
      const Integration r = run(x, y, tini, tlim, dir, c.method);
      if (c.one_trapezoid) {
        EXPECT_EQ(r.first, r.last);
        EXPECT_EQ(r.result[dir == kDown ? 2 : 3], 3.5);
        continue;
      }
      EXPECT_GT(r.first, r.last);
      EXPECT_GE(r.first, 1);
      EXPECT_LE(r.last, 5);
      for (int i = 0; i < 5; ++i) EXPECT_EQ(r.result[i], 0.0) << "point " << i + 1;
    }
  }
}

TEST(IntegrWindow, NothingIsWrittenOutsideTheArrays) {
  // The routine sees 6 points of a larger buffer: the guards around them
  // must stay as they are, also when n claims more points than given.
  std::array<double, 10> buffer;
  buffer.fill(-5.0);
  const std::vector<double> x = {250.0, 251.0, 252.0, 253.0, 254.0, 255.0};
  const std::vector<double> y(6, 1.0);
  for (int method : {1, 2, 3}) {
    for (int dir : {kDown, kUp}) {
      for (int n : {6, 7, 800, 100000}) {
        SCOPED_TRACE("method " + std::to_string(method) + ", direction " + std::to_string(dir) +
                     ", n " + std::to_string(n));
        int first = 0, last = 0;
        tsd::integr(x, y, n, 249.0, 256.0, dir, method, std::span<double>(buffer).subspan(2, 6),
                    first, last);
        EXPECT_EQ(buffer[0], -5.0);
        EXPECT_EQ(buffer[1], -5.0);
        EXPECT_EQ(buffer[8], -5.0);
        EXPECT_EQ(buffer[9], -5.0);
        EXPECT_GE(first, 1);
        EXPECT_LE(last, 6);
      }
    }
  }
  int first = 0, last = 0;
  std::vector<double> result(6, -1.0);
  tsd::integr(x, y, 0, 249.0, 256.0, kDown, 2, result, first, last);
  EXPECT_GT(first, last);
  tsd::integr(x, y, -3, 249.0, 256.0, kDown, 2, result, first, last);
  EXPECT_GT(first, last);
}

TEST(IntegrWindow, UnknownMethodOrDirectionIntegratesNothing) {
  const std::vector<double> x = {250.0, 251.0, 252.0, 253.0};
  const std::vector<double> y(4, 1.0);
  struct Case {
    int method, direction;
  };
  for (Case c : {Case{0, kDown}, Case{4, kDown}, Case{2, 0}, Case{1, 3}, Case{3, -1}}) {
    SCOPED_TRACE("method " + std::to_string(c.method) + ", direction " +
                 std::to_string(c.direction));
    const Integration r = run(x, y, 250.0, 253.0, c.direction, c.method);
    EXPECT_EQ(r.first, 1);
    EXPECT_EQ(r.last, 0);
    for (double v : r.result) EXPECT_EQ(v, 0.0);
  }
}

TEST(IntegrTridiagonal, SolvesASymmetricSystem) {
  // A 5x5 system with a known solution.
  const std::array<double, 5> diag = {2.0, 3.0, 2.5, 4.0, 1.5};
  const std::array<double, 4> off = {0.25, -0.5, 0.2, 0.1};
  const std::array<double, 5> want = {1.0, -2.0, 0.5, 3.0, -1.0};
  std::array<double, 5> rhs{};
  for (int k = 0; k < 5; ++k) {
    rhs[k] = diag[k] * want[k];
    if (k > 0) rhs[k] += off[k - 1] * want[k - 1];
    if (k < 4) rhs[k] += off[k] * want[k + 1];
  }
  std::array<double, 5> u{};
  tsd::tridags(diag, off, rhs, u, 5);
  for (int k = 0; k < 5; ++k) EXPECT_NEAR(u[k], want[k], 1e-14) << "unknown " << k + 1;

  // A zero pivot stops the elimination: the unknowns keep what they held.
  const std::array<double, 3> singular = {0.0, 1.0, 1.0};
  std::array<double, 3> v = {7.0, 7.0, 7.0};
  tsd::tridags(singular, off, rhs, v, 3);
  EXPECT_EQ(v, (std::array<double, 3>{7.0, 7.0, 7.0}));
  // m beyond the arrays is cut to them.
  std::array<double, 5> w{};
  tsd::tridags(diag, off, rhs, w, 400);
  EXPECT_NEAR(w[4], want[4], 1e-14);
}

}  // namespace
