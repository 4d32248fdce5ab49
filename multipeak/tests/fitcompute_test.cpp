// The fit request's numerical steps on synthetic curves made from the model.
#include "multipeak/fitcompute.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/funcs.h"
#include "multipeak/funcsubr2.h"
#include "multipeak/matinv.h"
#include "multipeak/tests/fit_fixture.h"

namespace tsd {
namespace {

using fittest::Peak;

// Four peaks, the second and third overlapping (15 K apart, each some 20 K wide).
const Peak kTruth[4] = {{2e-12, 260, 0.8}, {5e-12, 300, 1.0}, {3e-12, 315, 1.1}, {1e-12, 370, 1.3}};
// Start values 5 to 10 % off.
const Peak kStart[4] = {
    {2.2e-12, 275, 0.75}, {4.6e-12, 285, 1.08}, {3.3e-12, 331, 1.02}, {0.92e-12, 350, 1.4}};

constexpr int kGrid = 100;

// Noise-free data: the fit must come close to the truth. The minimiser stops
// at the step Del*0.1^Ldiv of each box width, and correlated parameters of
// overlapping peaks settle less sharply; the tolerances below hold that.
struct Tolerance {
  double Jm_rel, Tm_abs, Ea_rel;
  double err_rel = 1e-3;  // bound on each standard error relative to its value
};

void expect_recovered(const FitResults& r, int k, const Peak& truth, Tolerance tol) {
  SCOPED_TRACE(testing::Message() << "peak " << k);
  const int e = k - 1;
  EXPECT_NEAR(r.Jmfit[e], truth.Jm, truth.Jm * tol.Jm_rel);
  EXPECT_NEAR(r.Tmfit[e], truth.Tm, tol.Tm_abs);
  EXPECT_NEAR(r.Eafit[e], truth.Ea, truth.Ea * tol.Ea_rel);
  EXPECT_EQ(r.tau0[e], ftau0(r.Tmfit[e], r.Eafit[e]));
  EXPECT_EQ(r.P0[e], fp0(r.Jmfit[e], r.Tmfit[e], r.Eafit[e]));
  // Standard errors: finite, positive and small for noise-free data.
  for (double s : {r.sJm[e] / r.Jmfit[e], r.sTm[e] / r.Tmfit[e], r.sEa[e] / r.Eafit[e],
                   r.stau0[e] / r.tau0[e], r.sP0[e] / r.P0[e]}) {
    EXPECT_TRUE(std::isfinite(s));
    EXPECT_GT(s, 0.0);
    EXPECT_LT(s, tol.err_rel);
  }
}

void expect_curves(const int peakon[4], const FitResults& r, const CurveArray& c, int m) {
  for (int i = 0; i < kGrid; i += 7) {
    SCOPED_TRACE(testing::Message() << "grid point " << i + 1);
    const double T = c.col[0][i];
    for (int k = 1; k <= 4; ++k) {
      if (peakon[k - 1] == 1) {
        EXPECT_EQ(c.col[5 + k][i],
                  funcsubr2::fun2(T, r.Jmfit[k - 1], r.Tmfit[k - 1], r.Eafit[k - 1]));
      }
    }
    EXPECT_EQ(c.col[10][i], funca(T, r.afit, 3 * m));
  }
}

TEST(FitComputeRecovery, OnePeak) {
  fittest::load_curve({kTruth[1]}, 200);
  fittest::load_start({kStart[1]});
  const int on[4] = {1, 0, 0, 0};
  CurveArray c;
  fittest::load_grid(c, kGrid);
  FitResults r;
  EXPECT_EQ(fitcompute(on, 4, 0.1, kGrid, c, r), kFitDone);
  EXPECT_EQ(r.minstatus, kMinaDone);
  EXPECT_EQ(r.invstatus, kLuDone);
  expect_recovered(r, 1, kTruth[1], {1e-4, 1e-3, 1e-4});
  EXPECT_EQ(r.Smin, func(r.afit));
  EXPECT_EQ(r.Chi, std::sqrt(r.Smin));
  EXPECT_LT(r.Chi, 1e-4 * kTruth[1].Jm);
  expect_curves(on, r, c, 1);
  for (int i = 0; i < kGrid; ++i)
    ASSERT_EQ(c.col[6][i], c.col[10][i]) << "one peak: sum = peak, point " << i + 1;

  // The standard errors are the square roots of the inverse's diagonal:
  // rebuild the 3 x 3 curvature matrix and invert it by cofactors.
  double A[144] = {};
  setupalpha(r.afit, r.Smin, A);
  auto a = [&](int i, int j) { return A[(j - 1) * 12 + (i - 1)]; };
  const double det = a(1, 1) * (a(2, 2) * a(3, 3) - a(2, 3) * a(3, 2)) -
                     a(1, 2) * (a(2, 1) * a(3, 3) - a(2, 3) * a(3, 1)) +
                     a(1, 3) * (a(2, 1) * a(3, 2) - a(2, 2) * a(3, 1));
  const double inv11 = (a(2, 2) * a(3, 3) - a(2, 3) * a(3, 2)) / det;
  const double inv22 = (a(1, 1) * a(3, 3) - a(1, 3) * a(3, 1)) / det;
  const double inv33 = (a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1)) / det;
  EXPECT_NEAR(r.sJm[0], std::sqrt(inv11), 1e-6 * std::sqrt(inv11));
  EXPECT_NEAR(r.sTm[0], std::sqrt(inv22), 1e-6 * std::sqrt(inv22));
  EXPECT_NEAR(r.sEa[0], std::sqrt(inv33), 1e-6 * std::sqrt(inv33));
}

TEST(FitComputeRecovery, TwoPeaks) {
  fittest::load_curve({kTruth[0], kTruth[1]}, 200);
  fittest::load_start({kStart[0], kStart[1]});
  const int on[4] = {1, 1, 0, 0};
  CurveArray c;
  fittest::load_grid(c, kGrid);
  FitResults r;
  EXPECT_EQ(fitcompute(on, 4, 0.1, kGrid, c, r), kFitDone);
  expect_recovered(r, 1, kTruth[0], {1e-4, 1e-3, 1e-4});
  expect_recovered(r, 2, kTruth[1], {1e-4, 1e-3, 1e-4});
  EXPECT_LT(r.Chi, 1e-4 * kTruth[1].Jm);
  expect_curves(on, r, c, 2);
}

TEST(FitComputeRecovery, FourPeaksTwoOverlapping) {
  // 2 K between points keeps the run short; the peaks stay well sampled.
  fittest::load_curve({kTruth[0], kTruth[1], kTruth[2], kTruth[3]}, 100, 2.0);
  fittest::load_start({kStart[0], kStart[1], kStart[2], kStart[3]});
  const int on[4] = {1, 1, 1, 1};
  CurveArray c;
  fittest::load_grid(c, kGrid);
  FitResults r;
  EXPECT_EQ(fitcompute(on, 4, 0.1, kGrid, c, r), kFitDone);
  for (int k = 1; k <= 4; ++k) expect_recovered(r, k, kTruth[k - 1], {2e-3, 0.05, 2e-3, 1e-2});
  EXPECT_LT(r.Chi, 5e-3 * kTruth[3].Jm);
  expect_curves(on, r, c, 4);
}

TEST(FitComputeLayout, PeaksTwoAndFourLandInTheirEntries) {
  fittest::load_curve({kTruth[1], kTruth[3]}, 200);
  fittest::load_start({kStart[1], kStart[3]});  // a = (Jm2, Jm4, Tm2, Tm4, Ea2, Ea4)
  const int on[4] = {0, 1, 0, 1};
  CurveArray c;
  fittest::load_grid(c, kGrid);
  for (int col : {6, 8}) c.col[col][0] = -3.0;
  FitResults r;
  for (int e : {0, 2})
    r.Jmfit[e] = r.Tmfit[e] = r.Eafit[e] = r.tau0[e] = r.P0[e] = r.sJm[e] = r.sP0[e] = -9.0;
  EXPECT_EQ(fitcompute(on, 4, 0.1, kGrid, c, r), kFitDone);
  expect_recovered(r, 2, kTruth[1], {1e-4, 1e-3, 1e-4});
  expect_recovered(r, 4, kTruth[3], {1e-4, 1e-3, 1e-4});
  for (int e : {0, 2}) {
    SCOPED_TRACE(testing::Message() << "disabled peak " << e + 1);
    EXPECT_EQ(r.Jmfit[e], -9.0);
    EXPECT_EQ(r.Tmfit[e], -9.0);
    EXPECT_EQ(r.P0[e], -9.0);
    EXPECT_EQ(r.sP0[e], -9.0);
  }
  EXPECT_EQ(r.Jmfit[1], r.afit[0]);
  EXPECT_EQ(r.Jmfit[3], r.afit[1]);
  EXPECT_EQ(r.Tmfit[1], r.afit[2]);
  EXPECT_EQ(r.Tmfit[3], r.afit[3]);
  EXPECT_EQ(r.Eafit[1], r.afit[4]);
  EXPECT_EQ(r.Eafit[3], r.afit[5]);
  EXPECT_EQ(c.col[6][0], -3.0) << "curve of a disabled peak untouched";
  EXPECT_EQ(c.col[8][0], -3.0);
  expect_curves(on, r, c, 2);
}

TEST(FitComputeEdges, NoPeakEnabled) {
  fittest::load_curve({kTruth[1]}, 50);
  fittest::load_start({});
  const int on[4] = {0, 0, 0, 0};
  CurveArray c;
  fittest::load_grid(c, kGrid);
  FitResults r;
  r.Jmfit[0] = -9.0;
  c.col[10][0] = -3.0;
  EXPECT_EQ(fitcompute(on, 4, 0.1, kGrid, c, r), kFitDone);
  double sum = 0.0;
  for (int i = 0; i < 50; ++i) sum += arrays.J[i] * arrays.J[i];
  EXPECT_EQ(r.Smin, sum) << "the objective once: the sum of J^2";
  EXPECT_EQ(r.Chi, std::sqrt(sum));
  EXPECT_EQ(r.Jmfit[0], -9.0);
  EXPECT_EQ(c.col[10][0], -3.0) << "no fitted curve";
}

TEST(FitComputeEdges, RefusedRequests) {
  fittest::load_curve({kTruth[1]}, 50);
  CurveArray c;
  fittest::load_grid(c, kGrid);
  const int on[4] = {1, 0, 0, 0};

  // A negative start value turns the box a/Q .. a*Q upside down: the
  // minimiser refuses, and the results of the earlier fit stay as they were.
  fittest::load_start({{-5e-12, 290, 1.0}});
  FitResults r;
  r.Smin = 42.0;
  r.Jmfit[0] = -9.0;
  EXPECT_EQ(fitcompute(on, 4, 0.1, kGrid, c, r), kFitNotMinimised);
  EXPECT_EQ(r.minstatus, kMinaBadBox);
  EXPECT_EQ(r.Smin, 42.0);
  EXPECT_EQ(r.Jmfit[0], -9.0);

  // Parameter count not matching the enabled peaks, or a grid beyond capacity.
  fittest::load_start({kStart[1]});
  const int two[4] = {1, 1, 0, 0};
  EXPECT_EQ(fitcompute(two, 4, 0.1, kGrid, c, r), kFitBadRequest);
  EXPECT_EQ(fitcompute(on, 4, 0.1, 801, c, r), kFitBadRequest);
  EXPECT_EQ(r.Smin, 42.0);
}

TEST(FitComputeEdges, ZeroPeakHeightGivesNoErrorsButNoCrash) {
  // A start Jm of 0 has the box 0 .. 0: the peak height stays 0, its
  // parameters have no derivative, the curvature matrix has zero rows and
  // cannot be inverted. The errors are then not numbers, never the square
  // roots of the matrix that was not inverted.
  fittest::load_curve({kTruth[1]}, 100);
  fittest::load_start({{0.0, 290, 1.0}});
  const int on[4] = {1, 0, 0, 0};
  CurveArray c;
  fittest::load_grid(c, kGrid);
  FitResults r;
  EXPECT_EQ(fitcompute(on, 2, 0.1, kGrid, c, r), kFitNotInverted);
  EXPECT_EQ(r.minstatus, kMinaDone);
  EXPECT_EQ(r.invstatus, kLuZeroRow);
  EXPECT_EQ(r.Jmfit[0], 0.0);
  EXPECT_TRUE(std::isnan(r.sJm[0]));
  EXPECT_TRUE(std::isnan(r.sTm[0]));
  EXPECT_TRUE(std::isnan(r.sEa[0]));
  EXPECT_TRUE(std::isnan(r.stau0[0]));
  EXPECT_TRUE(std::isnan(r.sP0[0]));
  EXPECT_EQ(c.col[6][5], 0.0);
}

}  // namespace
}  // namespace tsd
