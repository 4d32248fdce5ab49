// The examples: the default VARNEL1.PAR and the sample measured file analyse
// cleanly, as a first start and a data load would take them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "analysis/varnel1/varnel1_state.h"
#include "analysis/datafile.h"
#include "analysis/varnel1/varnel1_series.h"
#include "analysis/var.h"
#include "analysis/varnel1/varnel1_params.h"
#include "analysis/varnel1/varnel1_state.h"
#include "text/cp1250.h"

namespace {

namespace fs = std::filesystem;
using tsd::varnel1::AnalysisState;

class Varnel1Sample : public ::testing::Test {
 protected:
  void SetUp() override {
    examples_ = fs::path(TSD_SOURCE_DIR) / "examples";
    old_cwd_ = fs::current_path();
    state_ = std::make_unique<tsd::varnel1::State>();
    data_ = std::make_unique<tsd::MeasuredData>();
  }
  void TearDown() override {
    fs::current_path(old_cwd_);
    tsd::var = {};
  }

  // Start-up and the data request: the parameter file from the start
  // directory, the data, 1000/T, the grid, every limit over the measured
  // range.
  void start_and_load() {
    fs::current_path(examples_);
    const tsd::varnel1::ParamsResult r = tsd::varnel1::readparams(*state_);
    ASSERT_TRUE(r.ok()) << text::utf8_from_cp1250(tsd::varnel1::paramsproblemtext(r));
    fs::current_path(old_cwd_);
    ASSERT_EQ(tsd::readdatafile((examples_ / "sample.dat").string(), *data_),
              tsd::DataFileStatus::ok);
    AnalysisState& a = state_->analysis;
    a.nwej = data_->N;
    a.area = data_->S;
    for (int i = 0; i < a.nwej; ++i) {
      a.tdat[i] = data_->T[i];
      a.jdat[i] = data_->J[i];
      a.xdat[i] = 1000.0 / a.tdat[i];
    }
    a.calctmin = a.tdat[0];
    a.calctmax = a.tdat[a.nwej - 1];
  }

  fs::path examples_;
  fs::path old_cwd_;
  std::unique_ptr<tsd::varnel1::State> state_;
  std::unique_ptr<tsd::MeasuredData> data_;
};

TEST_F(Varnel1Sample, DefaultParametersAndSampleAnalyseInEverySeries) {
  ASSERT_NO_FATAL_FAILURE(start_and_load());
  AnalysisState& a = state_->analysis;
  for (int i = 0; i < a.nwej; ++i) {
    ASSERT_GT(a.jdat[i], 0.0) << "current at point " << i + 1 << ", T = " << a.tdat[i];
    if (i > 0) {
      ASSERT_GT(a.tdat[i], a.tdat[i - 1]) << "point " << i + 1;
    }
  }
  tsd::varnel1::gridcompute(a);
  a.xlo3 = a.xout[a.nwyj - 1];
  a.xhi3 = a.xout[0];
  for (int s = 0; s < 3; ++s) {
    a.tmin[s] = a.tini[s] = a.calctmin;
    a.tmax[s] = a.tlim[s] = a.calctmax;
  }
  for (int s = 1; s <= 3; ++s) {
    SCOPED_TRACE("series " + std::to_string(s));
    const tsd::varnel1::SeriesOutcome out = tsd::varnel1::seriescompute(a, s, tsd::varnel1::SeriesWindow::IntegrationRange);
    ASSERT_TRUE(out.ok) << text::utf8_from_cp1250(std::string(out.text()));
    const int c = s - 1;
    const int i1 = a.intfirst[c];
    const int i2 = i1 + a.intcount[c] - 1;
    EXPECT_EQ(i1, 1);
    EXPECT_GE(i2, a.nwej - 2);
    for (int i = i1; i <= i2; ++i) {
      ASSERT_TRUE(std::isfinite(a.ltaud[c][i - 1])) << "log taud at point " << i;
      ASSERT_GT(a.ltaud[c][i - 1], -10.0) << "log taud at point " << i;
    }
    EXPECT_TRUE(std::isfinite(a.ea[c]) && a.ea[c] > 0.1 && a.ea[c] < 2.0) << "Ea " << a.ea[c];
    EXPECT_TRUE(std::isfinite(a.tau0[c]) && a.tau0[c] > 0.0) << "tau0 " << a.tau0[c];
    EXPECT_TRUE(std::isfinite(a.p0[c]) && a.p0[c] > 0.0) << "P0 " << a.p0[c];
    EXPECT_TRUE(std::isfinite(a.dea[c]) && std::isfinite(a.dtau0[c]) && std::isfinite(a.sp[c]));
    for (int k = 0; k < a.nwyj; ++k) {
      ASSERT_TRUE(std::isfinite(a.ja[c][k]) && std::isfinite(a.pa[c][k]) &&
                  std::isfinite(a.ltaua[c][k]))
          << "model curves at grid point " << k + 1;
    }
  }
}

TEST_F(Varnel1Sample, RisingSideOfTheFirstPeakGivesItsActivationEnergy) {
  // The sample holds peaks of 0.70 eV at 265 K and 0.95 eV at 292 K. On the
  // rising side of the first one, taud = Pd/J also holds the second peak's
  // polarisation, which is still all there: log taud is raised by a nearly
  // constant amount, so the slope (Ea) stays within a few per cent.
  ASSERT_NO_FATAL_FAILURE(start_and_load());
  AnalysisState& a = state_->analysis;
  tsd::varnel1::gridcompute(a);
  for (int s = 0; s < 3; ++s) {
    a.tini[s] = a.calctmin;
    a.tlim[s] = a.calctmax;
    a.tmin[s] = 225.0;
    a.tmax[s] = 250.0;
  }
  for (int s = 1; s <= 3; ++s) {
    SCOPED_TRACE("series " + std::to_string(s));
    ASSERT_TRUE(tsd::varnel1::seriescompute(a, s, tsd::varnel1::SeriesWindow::FitLimits).ok);
    EXPECT_NEAR(a.ea[s - 1], 0.70, 0.05);
  }
}

}  // namespace
