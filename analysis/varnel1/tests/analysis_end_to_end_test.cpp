// The analysis core end to end: a measured curve synthesised from the model
// (Ea = 0.8 eV, tau0 = 5e-12 s, P0 = 2e-8 C/cm2, heated at 0.05 K/s from
// 220 K; 641 points 0.25 K apart up to 380 K; peak near 297 K; no noise),
// analysed in three series, one per integration method, as a data load and
// the range dialog leave the state.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "analysis/varnel1/varnel1_state.h"
#include "analysis/varnel1/varnel1_series.h"
#include "analysis/varnel1/tests/synthetic_curve.h"
#include "analysis/var.h"
#include "text/cp1250.h"

namespace {

using tsd::varnel1::SeriesWindow;

class AnalysisEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    tsd::varnel1::testing::load_synthetic(analysis, peak_);
    analysis.intmethod = {1, 2, 3};
  }
  void TearDown() override { tsd::var = {}; }
  tsd::varnel1::testing::SyntheticPeak peak_;
  // The analysis state is large: it lives on the heap.
  std::unique_ptr<tsd::varnel1::AnalysisState> state_ = std::make_unique<tsd::varnel1::AnalysisState>();
  tsd::varnel1::AnalysisState& analysis = *state_;
};

// Tolerances. The fit window is 240..300 K, the rising side up to the peak.
// The trapezoids (and the smoothed trapezoids, whose broken line through
// every second point is exact to the same order) integrate with an error of
// (h^2/12)*J' per unit of b*Pd: relative to Pd that is
// (h^2/12)*(J'/J)/(b*tau), about 1e-6 at 260 K and 3e-5 at 300 K with
// h = 0.25 K. Spread over the window (1000/T from 3.33 to 4.17) that tilts
// log10 tau by about 1e-5 over 0.83, a relative slope (Ea) error of about
// 3e-6 and, through the intercept at 1000/T = 3.8, a log10 tau0 error of
// about 4e-5 (1e-4 relative). The parabolas are exact to h^4: a hundred
// times better. The limits below leave a factor of about five.
struct Tolerance {
  double ea;     // relative
  double tau0;   // relative
  double p0[3];  // relative, for P0 methods 1, 2, 3
};
constexpr Tolerance kTolerance[3] = {
    // Method 3 takes Pd at 220 K, the whole curve's integral: P0 to the
    // accuracy of the integration over the peak. Methods 1 and 2 scale the
    // model of the fitted Ea and tau0, so they inherit those errors.
    {1e-5, 5e-4, {5e-5, 5e-5, 1e-6}},  // smoothing then trapezoids
    {1e-5, 5e-4, {5e-5, 5e-5, 1e-6}},  // trapezoids
    {1e-7, 5e-6, {5e-6, 5e-6, 1e-8}},  // parabolas
};

TEST_F(AnalysisEndToEnd, DataLoadOverPointsWithoutCurrentFailsEverySeries) {
  // As a data load does: every window is the integration range; the current
  // underflows to 0 above about 350 K, so the fit over the whole range has
  // undefined points. It runs through, and its results, not numbers, fail
  // every series, which keeps the results it had (none) and shows the
  // valid integration range of its new Pd.
  for (int s = 1; s <= 3; ++s) {
    SCOPED_TRACE("series " + std::to_string(s));
    const tsd::varnel1::SeriesOutcome out = tsd::varnel1::seriescompute(analysis, s, SeriesWindow::IntegrationRange);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.text(),
              text::cp1250_from_utf8("Seria nr " + std::to_string(s) +
                                     "\r\nWyniki obliczeń nie są liczbami skończonymi"));
    EXPECT_EQ(analysis.ea[s - 1], 0.0);
    EXPECT_GT(analysis.intcount[s - 1], 1);
    EXPECT_EQ(analysis.outlast[s - 1], 0);
  }
}

TEST_F(AnalysisEndToEnd, EachMethodRecoversTheParameters) {
  analysis.tmin = {240.0, 240.0, 240.0};
  analysis.tmax = {300.0, 300.0, 300.0};
  for (int p0method = 1; p0method <= 3; ++p0method) {
    analysis.p0method = {p0method, p0method, p0method};
    for (int s = 1; s <= 3; ++s) {
      SCOPED_TRACE("series " + std::to_string(s) + " (integration method " + std::to_string(s) +
                   "), P0 method " + std::to_string(p0method));
      const int c = s - 1;
      ASSERT_TRUE(tsd::varnel1::seriescompute(analysis, s, SeriesWindow::FitLimits).ok);
      EXPECT_EQ(analysis.fitfirst[c], 81);  // 240 K
      EXPECT_EQ(analysis.fitlast[c], 321);  // 300 K
      const Tolerance& tol = kTolerance[c];
      EXPECT_NEAR(analysis.ea[c], peak_.Ea, tol.ea * peak_.Ea);
      EXPECT_NEAR(analysis.tau0[c], peak_.tau0, tol.tau0 * peak_.tau0);
      EXPECT_NEAR(analysis.p0[c], peak_.P0, tol.p0[p0method - 1] * peak_.P0);
      // Error estimates reflect the tiny residual scatter of a noiseless curve.
      EXPECT_LT(analysis.dea[c], tol.ea * peak_.Ea);
      // The model current on the grid reproduces the measured peak.
      const int k = 64;  // 220 + 63*(160/120) = 304 K
      const double jtrue = tsd::fun1(analysis.tout[k - 1], peak_.P0, peak_.tau0, peak_.Ea);
      EXPECT_NEAR(analysis.ja[c][k - 1], jtrue, 20 * tol.tau0 * jtrue);
    }
  }
}

}  // namespace
