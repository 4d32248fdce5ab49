// The bounded pattern-search minimiser, step by step.
#include "multipeak/mina.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace tsd {
namespace {

// Every objective call is recorded (the first n coordinates of the point).
struct Recorder {
  int n = 0;
  std::vector<std::vector<double>> points;
  double (*f)(const double*) = nullptr;
};
Recorder rec;

double recorded(const double* x) {
  rec.points.emplace_back(x, x + rec.n);
  return rec.f(x);
}

struct Result {
  std::vector<double> afit;
  double S = -12345.0;
  int ier = 0;
};

Result run(double (*f)(const double*), int n, int Ldiv, double Del, const std::vector<double>& lo,
           const std::vector<double>& hi, const std::vector<double>& start) {
  rec = Recorder{n, {}, f};
  Bounds b;
  for (size_t i = 0; i < lo.size(); ++i) {
    b.lower[i] = lo[i];
    b.upper[i] = hi[i];
  }
  Result r;
  r.afit.assign(kMaxParams, -777.0);
  mina(recorded, n, Ldiv, Del, b, start.data(), r.afit.data(), r.S, r.ier);
  r.afit.resize(std::max(n, 0));
  return r;
}

void expect_calls(const std::vector<std::vector<double>>& expected) {
  ASSERT_EQ(rec.points.size(), expected.size()) << "number of objective calls";
  for (size_t c = 0; c < expected.size(); ++c) {
    SCOPED_TRACE(testing::Message() << "call " << c + 1);
    for (size_t i = 0; i < expected[c].size(); ++i)
      EXPECT_NEAR(rec.points[c][i], expected[c][i], 1e-12) << "coordinate " << i + 1;
  }
}

double bowl(const double* x) { return (x[0] - 4) * (x[0] - 4) + (x[1] - 5) * (x[1] - 5); }

TEST(MinaSteps, PinnedCallSequenceOnABowl) {
  // Box widths 8 and Del 0.125: the first step is 1 on each coordinate; one
  // refinement (Ldiv 1) takes it to 0.1.
  Result r = run(bowl, 2, 1, 0.125, {0, 0}, {8, 8}, {2, 6});
  expect_calls({
      {2, 6},                                  // start, value 5
      {3, 6},                                  // x up: 2 < 5, accepted
      {3, 7},                                  // y up: 5, rejected
      {3, 5},                                  // y down: 1, accepted
      {4, 4},                                  // pattern move: 1 = 1, rejected (strict)
      {4, 5},                                  // restart at (3,5): x up: 0, accepted
      {4, 6}, {4, 4},                          // y up and down: 1, rejected
      {5, 5},                                  // pattern move: 1, rejected
      {5, 5}, {3, 5}, {4, 6}, {4, 4},          // sweep at (4,5): nothing better than 0
      {4.1, 5}, {3.9, 5}, {4, 5.1}, {4, 4.9},  // refined step 0.1: nothing better
  });
  EXPECT_EQ(r.ier, kMinaDone);
  EXPECT_EQ(r.S, 0.0);
  EXPECT_EQ(r.afit, (std::vector<double>{4, 5}));
}

double slope(const double* x) { return -x[0]; }

TEST(MinaSteps, EveryTenthPatternMoveDoubles) {
  Result r = run(slope, 1, 0, 0.001, {0}, {1000}, {0});
  // start, exploration (1), then pattern moves 1..9 by 1, the 10th doubles
  // to 2, moves 11..19 repeat 2, the 20th doubles to 4.
  std::vector<double> expect = {0, 1};
  for (int x = 2; x <= 10; ++x) expect.push_back(x);
  for (int x = 12; x <= 30; x += 2) expect.push_back(x);
  expect.push_back(34);
  expect.push_back(38);
  ASSERT_GE(rec.points.size(), expect.size());
  for (size_t c = 0; c < expect.size(); ++c) {
    SCOPED_TRACE(testing::Message() << "call " << c + 1);
    EXPECT_EQ(rec.points[c][0], expect[c]);
  }
  // The search runs into the upper bound and stops there.
  EXPECT_EQ(r.ier, kMinaDone);
  EXPECT_EQ(r.afit[0], 1000.0);
  EXPECT_EQ(r.S, -1000.0);
}

// Falls along x + y, but rises steeply once x passes 5.
double ridge(const double* x) {
  const double gx = x[0] <= 5 ? x[0] : 5 - 3 * (x[0] - 5);
  return -(gx + x[1]);
}

TEST(MinaSteps, PatternCounterRestartsAfterAFailedMove) {
  // A first run of four pattern moves ends at x = 5; the search restarts and
  // a new run along y doubles at its own 10th move, not at the 10th overall.
  run(ridge, 2, 0, 0.001, {0, 0}, {1000, 1000}, {0, 0});
  std::vector<std::vector<double>> expect = {
      {0, 0}, {1, 0}, {1, 1},          // start, exploration
      {2, 2}, {3, 3}, {4, 4}, {5, 5},  // pattern moves 1..4
      {6, 6},                          // move 5 fails
      {6, 5}, {4, 5}, {5, 6},          // exploration at (5,5): only y up helps
  };
  for (int y = 7; y <= 15; ++y) expect.push_back({5, double(y)});  // new run, moves 1..9
  expect.push_back({5, 17});  // its 10th move doubles
  expect.push_back({5, 19});
  ASSERT_GE(rec.points.size(), expect.size());
  for (size_t c = 0; c < expect.size(); ++c) {
    SCOPED_TRACE(testing::Message() << "call " << c + 1);
    EXPECT_EQ(rec.points[c], expect[c]);
  }
}

double hill(const double* x) { return -(x[0] - 0.5) * (x[0] - 0.5); }

TEST(MinaSteps, UpwardTrialFirst) {
  // Both directions improve equally: only the upward one is tried, and the
  // next call is already the pattern move.
  run(hill, 1, 0, 0.1, {0}, {1}, {0.5});
  ASSERT_GE(rec.points.size(), 3u);
  EXPECT_EQ(rec.points[1][0], 0.6);
  EXPECT_NEAR(rec.points[2][0], 0.7, 1e-15);
}

double flat(const double*) { return 1.0; }

TEST(MinaSteps, EqualValuesRejectedAndRefinementCount) {
  // A constant: every trial ties, so each sweep fails; Ldiv refinements by
  // 0.1 follow, each with one up and one down trial.
  struct Case {
    int Ldiv;
    double Del;
    std::vector<double> ups;  // expected upward trials from 0.5
  };
  const Case cases[] = {
      {0, 0.1, {0.6}},
      {2, 0.1, {0.6, 0.51, 0.501}},
      {2, 0.0, {0.6, 0.51, 0.501}},   // Del 0 behaves as 0.1
      {2, -3.0, {0.6, 0.51, 0.501}},  // and so does a negative Del
      {1, 0.25, {0.75, 0.525}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "Ldiv " << c.Ldiv << " Del " << c.Del);
    Result r = run(flat, 1, c.Ldiv, c.Del, {0}, {1}, {0.5});
    std::vector<std::vector<double>> expect = {{0.5}};
    for (double up : c.ups) {
      expect.push_back({up});
      expect.push_back({1.0 - up});
    }
    expect_calls(expect);
    EXPECT_EQ(r.ier, kMinaDone);
    EXPECT_EQ(r.S, 1.0);
    EXPECT_EQ(r.afit[0], 0.5);
  }
}

TEST(MinaBox, StartPointMovedIntoBoxAndFixedCoordinates) {
  struct Case {
    double start, lo, hi, first;
  };
  const Case cases[] = {{-5, 1, 2, 1}, {7, 1, 2, 2}, {1.5, 1, 2, 1.5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "start " << c.start << " box " << c.lo << ".." << c.hi);
    run(flat, 1, 0, 0.1, {c.lo}, {c.hi}, {c.start});
    ASSERT_FALSE(rec.points.empty());
    EXPECT_EQ(rec.points[0][0], c.first);
  }

  // At a bound only the inward trial is made.
  run(flat, 1, 0, 0.1, {1}, {2}, {7});
  expect_calls({{2}, {1.9}});

  // lower = upper: the coordinate stays and costs no call.
  Result r = run(bowl, 2, 1, 0.125, {0, 3}, {8, 3}, {2, 9});
  for (size_t c = 0; c < rec.points.size(); ++c) {
    SCOPED_TRACE(testing::Message() << "call " << c + 1);
    EXPECT_EQ(rec.points[c][1], 3.0);
  }
  EXPECT_EQ(r.afit, (std::vector<double>{4, 3}));
  run(flat, 1, 3, 0.1, {3}, {3}, {0});
  EXPECT_EQ(rec.points.size(), 1u) << "a fixed single coordinate costs only the start call";
}

TEST(MinaBox, NoParameters) {
  Result r = run(flat, 0, 3, 0.1, {}, {}, {});
  EXPECT_EQ(rec.points.size(), 1u);
  EXPECT_EQ(r.ier, kMinaDone);
  EXPECT_EQ(r.S, 1.0);
}

TEST(MinaStatus, TooManyParametersAndInvertedBox) {
  Bounds b;
  for (int i = 0; i < kMaxParams; ++i) b.upper[i] = 1.0;
  double start[13] = {};
  double afit[13];
  for (double& v : afit) v = -7.0;
  double S = -7.0;
  int ier = 0;
  rec = Recorder{13, {}, flat};
  mina(recorded, 13, 2, 0.1, b, start, afit, S, ier);
  EXPECT_EQ(ier, kMinaTooMany);
  EXPECT_TRUE(rec.points.empty());
  EXPECT_EQ(S, -7.0);
  EXPECT_EQ(afit[0], -7.0);

  struct Case {
    const char* name;
    double lo2, hi2;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {{"lower above upper", 2.0, 1.0},
                        {"lower not a number", nan, 1.0},
                        {"upper not a number", 0.0, nan}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Result r = run(flat, 3, 2, 0.1, {0, c.lo2, 0}, {1, c.hi2, 1}, {0.5, 0.5, 0.5});
    EXPECT_EQ(r.ier, kMinaBadBox);
    EXPECT_TRUE(rec.points.empty());
    EXPECT_EQ(r.S, -12345.0) << "S not written";
    EXPECT_EQ(r.afit[0], -777.0) << "afit not written";
  }
}

double nan_everywhere(const double*) { return std::numeric_limits<double>::quiet_NaN(); }
double nan_above(const double* x) {
  return x[0] > 0.6 ? std::numeric_limits<double>::quiet_NaN() : (x[0] - 0.7) * (x[0] - 0.7);
}
double nan_at_start(const double* x) {
  return x[0] == 0.5 ? std::numeric_limits<double>::quiet_NaN() : (x[0] - 0.8) * (x[0] - 0.8);
}

TEST(MinaStatus, ObjectiveReturningNotANumber) {
  Result r = run(nan_everywhere, 2, 3, 0.1, {0, 0}, {1, 1}, {0.5, 0.5});
  EXPECT_EQ(r.ier, kMinaDone);
  EXPECT_TRUE(std::isnan(r.S));
  EXPECT_EQ(r.afit, (std::vector<double>{0.5, 0.5})) << "nothing accepted";
  EXPECT_EQ(rec.points.size(), 1u + 4u * 4u) << "start, then 4 failing sweeps of 4 trials";

  r = run(nan_above, 1, 4, 0.1, {0}, {1}, {0.2});
  EXPECT_EQ(r.ier, kMinaDone);
  EXPECT_FALSE(std::isnan(r.S));
  EXPECT_LE(r.afit[0], 0.6);
  EXPECT_NEAR(r.afit[0], 0.6, 1e-4);

  r = run(nan_at_start, 1, 4, 0.1, {0}, {1}, {0.5});
  EXPECT_EQ(r.ier, kMinaDone);
  EXPECT_NEAR(r.afit[0], 0.8, 2e-5) << "a start value that is not a number is left";
  EXPECT_NEAR(r.S, 0.0, 1e-9);
}

TEST(MinaState, CallsStartAfresh) {
  run(bowl, 2, 2, 0.1, {0, 0}, {8, 8}, {1, 7});
  const auto first = rec.points;
  run(slope, 1, 0, 0.001, {0}, {1000}, {0});  // leaves other values in the work vectors
  Result r = run(bowl, 2, 2, 0.1, {0, 0}, {8, 8}, {1, 7});
  EXPECT_EQ(rec.points, first);
  EXPECT_NEAR(r.afit[0], 4.0, 1e-2);
  EXPECT_NEAR(r.afit[1], 5.0, 1e-2);
}

}  // namespace
}  // namespace tsd
