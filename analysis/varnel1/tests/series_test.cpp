// The per-series computation on the analysis state: output grid, a series
// on a curve with a known Arrhenius line, the failure of a window with too
// few points, the model refresh and bad state.
#include "analysis/varnel1/varnel1_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "analysis/varnel1/varnel1_state.h"
#include "analysis/fit.h"
#include "analysis/funcs.h"
#include "analysis/var.h"
#include "text/cp1250.h"

namespace {

using tsd::varnel1::AnalysisState;
using tsd::varnel1::SeriesWindow;

// Every test starts from the program's initial state.
class SeriesState : public ::testing::Test {
 protected:
  void SetUp() override { tsd::var = {}; }
  void TearDown() override { tsd::var = {}; }
  // The analysis state is large: it lives on the heap.
  std::unique_ptr<AnalysisState> state_ = std::make_unique<AnalysisState>();
  AnalysisState& analysis = *state_;
};

// Points T = 250, 252, ..., whose trapezoid-integrated current gives exactly
// log10(Pd/J) = a + slope*(1000/T) at every point but the last (where Pd is
// 0): J is solved backwards from the last point.
void load_arrhenius_line(AnalysisState& analysis, int n, double a, double slope) {
  tsd::var = {240.0, 0.05};
  analysis.nwej = n;
  for (int i = 1; i <= n; ++i) {
    analysis.tdat[i - 1] = 250.0 + 2.0 * (i - 1);
    analysis.xdat[i - 1] = 1000.0 / analysis.tdat[i - 1];
  }
  // Pd(i) = Pd(i+1) + (h/2b)(J(i) + J(i+1)) and Pd(i) = tau(i) J(i).
  double j_next = 1e-12;
  double pd_next = 0.0;
  analysis.jdat[n - 1] = j_next;
  for (int i = n - 1; i >= 1; --i) {
    const double tau = std::pow(10.0, a + slope * analysis.xdat[i - 1]);
    const double w = 0.5 * 2.0 / tsd::var.b;
    const double j = (pd_next + w * j_next) / (tau - w);
    analysis.jdat[i - 1] = j;
    pd_next = tau * j;
    j_next = j;
  }
  analysis.nwyj = 11;
  analysis.calctmin = analysis.tdat[0];
  analysis.calctmax = analysis.tdat[n - 1];
  tsd::varnel1::gridcompute(analysis);
  for (int s = 0; s < 3; ++s) {
    analysis.tmin[s] = analysis.tini[s] = analysis.calctmin;
    analysis.tmax[s] = analysis.tlim[s] = analysis.calctmax;
    analysis.intmethod[s] = 2;
    analysis.p0method[s] = 3;
  }
}

TEST_F(SeriesState, GridRunsBetweenItsEnds) {
  analysis.calctmin = 200.0;
  analysis.calctmax = 400.0;
  analysis.nwyj = 2;
  tsd::varnel1::gridcompute(analysis);
  EXPECT_EQ(analysis.tout[0], 200.0);
  EXPECT_EQ(analysis.tout[1], 400.0);
  EXPECT_EQ(analysis.xout[1], 2.5);
  analysis.nwyj = 5;
  tsd::varnel1::gridcompute(analysis);
  for (int k = 1; k <= 5; ++k) {
    SCOPED_TRACE("k = " + std::to_string(k));
    EXPECT_EQ(analysis.tout[k - 1], 200.0 + (k - 1) * 50.0);
    EXPECT_EQ(analysis.xout[k - 1], 1000.0 / analysis.tout[k - 1]);
  }
}

TEST_F(SeriesState, GridWithOutOfRangeCounts) {
  analysis.calctmin = 200.0;
  analysis.calctmax = 400.0;
  analysis.nwyj = 1;  // no step: the first end only, no division by zero
  tsd::varnel1::gridcompute(analysis);
  EXPECT_EQ(analysis.tout[0], 200.0);
  EXPECT_EQ(analysis.tout[1], 0.0);
  analysis.nwyj = -4;
  tsd::varnel1::gridcompute(analysis);
  EXPECT_EQ(analysis.tout[1], 0.0);
  analysis.nwyj = 100000;  // cut to the 800 points the grid holds
  tsd::varnel1::gridcompute(analysis);
  EXPECT_EQ(analysis.tout[0], 200.0);
  EXPECT_EQ(analysis.tout[799], 400.0);
}

TEST_F(SeriesState, KnownLineGivesItsParameters) {
  // Currents whose relaxation times lie on the line log10(tau) = a + slope x,
  // x = 1000/T: a = -12, slope 5.
  load_arrhenius_line(analysis, 41, -12.0, 5.0);
  const tsd::varnel1::SeriesOutcome out = tsd::varnel1::seriescompute(analysis, 1, SeriesWindow::IntegrationRange);
  ASSERT_TRUE(out.ok);
  // Valid integration range 1..40 (Pd = 0 at the last point).
  EXPECT_EQ(analysis.intfirst[0], 1);
  EXPECT_EQ(analysis.intcount[0], 40);
  EXPECT_EQ(analysis.fitfirst[0], 1);
  EXPECT_EQ(analysis.fitlast[0], 40);
  EXPECT_EQ(analysis.ltaud[0][40], -50.0);  // Pd = 0 outside the range
  EXPECT_NEAR(analysis.tau0[0], 1.0e-12, 1e-23);
  EXPECT_NEAR(analysis.ea[0], 0.99207612, 1e-11);
  // Errors from the line's own standard errors, as fit2 gives them.
  double a = 0, slope = 0, sa = 0, sb = 0, chi2 = 0;
  int n1 = 0, n2 = 0;
  tsd::fit2(analysis.xdat, analysis.ltaud[0], analysis.xdat[39], analysis.xdat[0], 1, 40, a, slope,
            sa, sb, chi2, n1, n2);
  EXPECT_EQ(analysis.dea[0], 0.198415224 * sb);
  EXPECT_EQ(analysis.dtau0[0], analysis.tau0[0] * 2.302585093 * sa);
  // Model curves and P0 (method 3: Pd at the first point).
  EXPECT_EQ(analysis.p0[0], analysis.pd[0][0]);
  for (int k = 1; k <= 11; ++k) {
    SCOPED_TRACE("k = " + std::to_string(k));
    const double t = analysis.tout[k - 1];
    EXPECT_EQ(analysis.ja[0][k - 1],
              tsd::fun1(t, analysis.p0[0], analysis.tau0[0], analysis.ea[0]));
    EXPECT_EQ(analysis.pa[0][k - 1],
              tsd::funp1(t, analysis.p0[0], analysis.tau0[0], analysis.ea[0]));
    EXPECT_NEAR(analysis.ltaua[0][k - 1], -12.0 + 5.0 * analysis.xout[k - 1], 1e-9);
  }
  EXPECT_EQ(analysis.ja1[0][5], tsd::fun1(analysis.tdat[5], 1.0, analysis.tau0[0], analysis.ea[0]));
  EXPECT_EQ(analysis.outlast[0], 11);
  EXPECT_EQ(analysis.out2last[0], 11);
  EXPECT_EQ(analysis.datcount[0], 41);
  EXPECT_EQ(analysis.fit3first[0], 1);
  EXPECT_EQ(analysis.fit3last[0], 40);
}

TEST_F(SeriesState, FitLimitsSelectTheWindow) {
  load_arrhenius_line(analysis, 41, -12.0, 5.0);
  analysis.tmin[1] = 260.0;  // points 6..16
  analysis.tmax[1] = 280.0;
  ASSERT_TRUE(tsd::varnel1::seriescompute(analysis, 2, SeriesWindow::FitLimits).ok);
  EXPECT_EQ(analysis.fitfirst[1], 6);
  EXPECT_EQ(analysis.fitlast[1], 16);
  EXPECT_NEAR(analysis.ea[1], 0.99207612, 1e-10);
  // Two usable points are enough.
  analysis.tmin[2] = 259.0;
  analysis.tmax[2] = 263.0;
  EXPECT_TRUE(tsd::varnel1::seriescompute(analysis, 3, SeriesWindow::FitLimits).ok);
  EXPECT_EQ(analysis.fitlast[2] - analysis.fitfirst[2], 1);
}

TEST_F(SeriesState, WindowWithOnePointFailsAndKeepsTheResults) {
  load_arrhenius_line(analysis, 41, -12.0, 5.0);
  analysis.ea[1] = 1.5;
  analysis.tau0[1] = 2e-13;
  analysis.p0[1] = 3e-9;
  analysis.ja[1][0] = 42.0;
  analysis.fitfirst[1] = 7;
  analysis.outlast[1] = 99;
  analysis.pd[1][3] = -1.0;
  analysis.tmin[1] = 259.0;  // only T = 260 inside
  analysis.tmax[1] = 261.0;
  const tsd::varnel1::SeriesOutcome out = tsd::varnel1::seriescompute(analysis, 2, SeriesWindow::FitLimits);
  EXPECT_FALSE(out.ok);
  const std::string want = text::cp1250_from_utf8("Seria nr 2\r\nLiczba punktów aproksymacji < 2");
  EXPECT_EQ(want.size(), 43u);
  EXPECT_EQ(std::string(out.text()), want);
  // pd and ltaud are new, everything else of the series as it was.
  EXPECT_GT(analysis.pd[1][3], 0.0);
  EXPECT_NE(analysis.ltaud[1][3], 0.0);
  EXPECT_EQ(analysis.ea[1], 1.5);
  EXPECT_EQ(analysis.tau0[1], 2e-13);
  EXPECT_EQ(analysis.p0[1], 3e-9);
  EXPECT_EQ(analysis.ja[1][0], 42.0);
  EXPECT_EQ(analysis.fitfirst[1], 7);
  EXPECT_EQ(analysis.outlast[1], 99);
}

TEST_F(SeriesState, WindowOutsideTheDataFailsThatSeriesOnly) {
  load_arrhenius_line(analysis, 41, -12.0, 5.0);
  analysis.tmin[0] = 400.0;
  analysis.tmax[0] = 450.0;
  const tsd::varnel1::SeriesOutcome first = tsd::varnel1::seriescompute(analysis, 1, SeriesWindow::FitLimits);
  EXPECT_FALSE(first.ok);
  EXPECT_EQ(std::string(first.text()).substr(0, 10), "Seria nr 1");
  EXPECT_TRUE(tsd::varnel1::seriescompute(analysis, 2, SeriesWindow::FitLimits).ok);
  EXPECT_NEAR(analysis.ea[1], 0.99207612, 1e-10);
}

TEST_F(SeriesState, IntegrationLimitsWithTooFewPointsFail) {
  load_arrhenius_line(analysis, 41, -12.0, 5.0);
  struct Case {
    const char* name;
    double tini, tlim;
  };
  const Case cases[] = {
      {"one point", 260.0, 260.0},      {"two points: one valid", 260.0, 262.0},
      {"below the data", 100.0, 200.0}, {"above the data", 400.0, 500.0},
      {"reversed", 300.0, 260.0},
  };
  for (const Case& c : cases) {
    for (SeriesWindow w : {SeriesWindow::IntegrationRange, SeriesWindow::FitLimits}) {
      SCOPED_TRACE(c.name);
      analysis.tini[2] = c.tini;
      analysis.tlim[2] = c.tlim;
      const tsd::varnel1::SeriesOutcome out = tsd::varnel1::seriescompute(analysis, 3, w);
      EXPECT_FALSE(out.ok);
      EXPECT_EQ(out.length, 43);
    }
  }
}

TEST_F(SeriesState, ModelRefreshRebuildsCurvesFromStoredResults) {
  tsd::var = {200.0, 0.05};
  analysis.hasresults = {1, 1, 1};
  analysis.ea = {0.8, 0.99207612, 1.1};
  analysis.tau0 = {5e-12, 1e-12, 1e-15};
  analysis.p0 = {2e-8, 1e-9, 5e-9};
  analysis.calctmin = 220.0;
  analysis.calctmax = 360.0;
  analysis.nwyj = 15;
  tsd::varnel1::gridcompute(analysis);
  tsd::varnel1::modelrefresh(analysis);
  for (int s = 0; s < 3; ++s) {
    EXPECT_EQ(analysis.outlast[s], 15);
    EXPECT_EQ(analysis.out2last[s], 15);
    for (int k = 1; k <= 15; ++k) {
      SCOPED_TRACE("series " + std::to_string(s + 1) + ", k = " + std::to_string(k));
      const double t = analysis.tout[k - 1];
      EXPECT_EQ(analysis.ja[s][k - 1],
                tsd::fun1(t, analysis.p0[s], analysis.tau0[s], analysis.ea[s]));
      EXPECT_EQ(analysis.pa[s][k - 1],
                tsd::funp1(t, analysis.p0[s], analysis.tau0[s], analysis.ea[s]));
      const double want =
          analysis.xout[k - 1] * analysis.ea[s] / 0.198415224 + std::log10(analysis.tau0[s]);
      EXPECT_NEAR(analysis.ltaua[s][k - 1], want, 1e-12);
    }
  }
  // Series 2's Ea and tau0 put log10(tau) on the line -12 + 5 x.
  EXPECT_NEAR(analysis.ltaua[1][0], 5.0 * analysis.xout[0] - 12.0, 1e-9);
}

TEST_F(SeriesState, SeriesNumberOutsideOneToThreeChangesNothing) {
  load_arrhenius_line(analysis, 41, -12.0, 5.0);
  for (int s : {0, 4, -1, 1000}) {
    SCOPED_TRACE("s = " + std::to_string(s));
    const tsd::varnel1::SeriesOutcome out = tsd::varnel1::seriescompute(analysis, s, SeriesWindow::IntegrationRange);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.length, 0);
  }
  for (int s = 0; s < 3; ++s) EXPECT_EQ(analysis.pd[s][0], 0.0);
}

TEST_F(SeriesState, ZeroAndNegativeCurrentsGiveDefinedNumbers) {
  // Zero and negative currents reach Pd/J and the logarithm as they are:
  // infinite or NaN values at those points, no stop, no fault.
  load_arrhenius_line(analysis, 41, -12.0, 5.0);
  analysis.jdat[10] = 0.0;
  analysis.jdat[20] = -1e-13;
  analysis.tmin = {250.0, 250.0, 250.0};
  analysis.tmax = {268.0, 268.0, 268.0};  // points 1..10 only
  for (int m = 1; m <= 3; ++m) {
    SCOPED_TRACE("method " + std::to_string(m));
    analysis.intmethod[0] = m;
    const tsd::varnel1::SeriesOutcome out = tsd::varnel1::seriescompute(analysis, 1, SeriesWindow::FitLimits);
    EXPECT_TRUE(out.ok);
    EXPECT_TRUE(std::isinf(analysis.ltaud[0][10]) || std::isnan(analysis.ltaud[0][10]))
        << analysis.ltaud[0][10];
    EXPECT_TRUE(std::isfinite(analysis.ea[0])) << analysis.ea[0];
  }
  // A whole series of zero current: every ltaud undefined, the fit too. The
  // computation ends, and results that are not numbers fail the series,
  // which keeps the results it had.
  const double ea = analysis.ea[0];
  const double ja = analysis.ja[0][0];
  for (int i = 0; i < 41; ++i) analysis.jdat[i] = 0.0;
  analysis.intmethod[0] = 2;
  testing::internal::CaptureStdout();
  const tsd::varnel1::SeriesOutcome out = tsd::varnel1::seriescompute(analysis, 1, SeriesWindow::IntegrationRange);
  testing::internal::GetCapturedStdout();
  EXPECT_FALSE(out.ok);
  EXPECT_EQ(out.text(), text::cp1250_from_utf8("Seria nr 1\r\nWyniki obliczeń nie są liczbami skończonymi"));
  EXPECT_EQ(analysis.ea[0], ea);
  EXPECT_EQ(analysis.ja[0][0], ja);
}

TEST_F(SeriesState, ResultsThatAreNotNumbersFailTheSeries) {
  // A heating rate of 0 (no data file gives one any more), a current so
  // large that the integral overflows, one of 0 in the window: each leaves
  // a result that is not a finite number.
  struct Case {
    const char* name;
    double b;
    double j6;  // current density of point 6
  };
  const Case cases[] = {{"b = 0", 0.0, 1e-13}, {"huge current", 0.05, 1e308}, {"zero current", 0.05, 0.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    load_arrhenius_line(analysis, 41, -12.0, 5.0);
    analysis.jdat[5] = c.j6;
    tsd::var.b = c.b;
    analysis.ea[1] = 0.5;
    testing::internal::CaptureStdout();
    const tsd::varnel1::SeriesOutcome out = tsd::varnel1::seriescompute(analysis, 2, SeriesWindow::IntegrationRange);
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.text(), text::cp1250_from_utf8("Seria nr 2\r\nWyniki obliczeń nie są liczbami skończonymi"));
    EXPECT_EQ(analysis.ea[1], 0.5) << "the previous result stays";
  }
}

TEST_F(SeriesState, PointCountsBeyondTheArraysAreCut) {
  load_arrhenius_line(analysis, 41, -12.0, 5.0);
  // A count no data file may give: the arrays end at 800 points.
  analysis.nwej = 5000;
  analysis.nwyj = 3000;
  for (int i = 41; i < 800; ++i) {
    analysis.tdat[i] = 330.0 + i;
    analysis.jdat[i] = 1e-15;
    analysis.xdat[i] = 1000.0 / analysis.tdat[i];
  }
  for (int s = 0; s < 3; ++s) analysis.tlim[s] = 2000.0;
  const tsd::varnel1::SeriesOutcome out = tsd::varnel1::seriescompute(analysis, 1, SeriesWindow::IntegrationRange);
  EXPECT_TRUE(out.ok);
  EXPECT_EQ(analysis.datcount[0], 800);
  EXPECT_EQ(analysis.outlast[0], 800);
  tsd::varnel1::modelrefresh(analysis);
  EXPECT_EQ(analysis.out2last[0], 800);
  EXPECT_EQ(analysis.out2last[2], 0) << "series 3 has no results";
  analysis.nwej = -3;
  EXPECT_FALSE(tsd::varnel1::seriescompute(analysis, 1, SeriesWindow::IntegrationRange).ok);
}

// A new data set on which a series fails: the series keeps its results,
// its model curves are those results' on the new grid with the new b and
// T0, and the ranges of its measured points follow the new data; no fit
// range is highlighted, as none of the new points was fitted.
TEST_F(SeriesState, AFailedSeriesOnNewDataHasItsKeptResultsOnTheNewGrid) {
  load_arrhenius_line(analysis, 41, -12.0, 5.0);
  ASSERT_TRUE(tsd::varnel1::seriescompute(analysis, 2, SeriesWindow::IntegrationRange).ok);
  const double ea = analysis.ea[1], tau0 = analysis.tau0[1], p0 = analysis.p0[1];
  ASSERT_EQ(analysis.datcount[1], 41);

  // New data: 30 points, one current below 0, another heating.
  analysis.nwej = 30;
  analysis.jdat[12] = -1e-13;
  tsd::var = {230.0, 0.1};
  tsd::varnel1::resetranges(analysis);
  const tsd::varnel1::SeriesOutcome out = tsd::varnel1::seriescompute(analysis, 2, SeriesWindow::IntegrationRange);
  ASSERT_FALSE(out.ok);
  EXPECT_EQ(analysis.ea[1], ea);
  EXPECT_EQ(analysis.tau0[1], tau0);
  EXPECT_EQ(analysis.p0[1], p0);
  EXPECT_EQ(analysis.datcount[1], 30);
  EXPECT_LT(analysis.fitlast[1], analysis.fitfirst[1]);
  EXPECT_LT(analysis.fit3last[1], analysis.fit3first[1]);
  EXPECT_GE(analysis.intfirst[1], 1);
  EXPECT_LE(analysis.intfirst[1] + analysis.intcount[1] - 1, 30);
  EXPECT_EQ(analysis.outlast[1], 11);
  EXPECT_EQ(analysis.tout[10], analysis.tdat[29]);
  for (int k = 1; k <= 11; ++k) {
    SCOPED_TRACE("k = " + std::to_string(k));
    const double t = analysis.tout[k - 1];
    EXPECT_EQ(analysis.ja[1][k - 1], tsd::fun1(t, p0, tau0, ea));
    EXPECT_EQ(analysis.pa[1][k - 1], tsd::funp1(t, p0, tau0, ea));
    EXPECT_NEAR(analysis.ltaua[1][k - 1], analysis.xout[k - 1] * ea / 0.198415224 + std::log10(tau0), 1e-12);
  }
}

// A series without results (none of its computations succeeded) gets no
// curves, and no model value is computed for it.
TEST_F(SeriesState, ASeriesWithoutResultsGetsNoCurves) {
  load_arrhenius_line(analysis, 41, -12.0, 5.0);
  ASSERT_TRUE(tsd::varnel1::seriescompute(analysis, 1, SeriesWindow::IntegrationRange).ok);
  analysis.tmin[1] = 400.0;  // a window outside the data
  analysis.tmax[1] = 450.0;
  ASSERT_FALSE(tsd::varnel1::seriescompute(analysis, 2, SeriesWindow::FitLimits).ok);
  testing::internal::CaptureStdout();
  tsd::varnel1::modelrefresh(analysis);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(analysis.outlast[0], 11);
  for (int s : {2, 3}) {
    SCOPED_TRACE("series " + std::to_string(s));
    EXPECT_EQ(analysis.hasresults[s - 1], 0);
    EXPECT_EQ(analysis.outlast[s - 1], 0);
    EXPECT_EQ(analysis.out2last[s - 1], 0);
  }
}

}  // namespace
