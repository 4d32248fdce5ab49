// varnel2's program state without a window: the parameter vector of the
// enabled peaks, the box, the fit index range, the grid and curves, and the
// reading of a measured data file.
#include "multipeak/varnel2/varnel2_state.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "analysis/funcs.h"
#include "analysis/var.h"
#include "multipeak/funcsubr2.h"
#include "tools/testkit/temp_folder.h"

namespace tsd::varnel2 {
namespace {

namespace fs = std::filesystem;

std::unique_ptr<State> twopeaks(int on1, int on2, int on3, int on4) {
  auto s = std::make_unique<State>();
  const int on[4] = {on1, on2, on3, on4};
  for (int k = 0; k < 4; ++k) {
    s->peakon[k] = on[k];
    s->Jm[k] = (k + 1) * 1e-12;
    s->Tm[k] = 250.0 + 10.0 * k;
    s->Ea[k] = 0.6 + 0.1 * k;
  }
  s->QJm = 2.0;
  s->QTm = 1.1;
  s->QEa = 1.5;
  return s;
}

TEST(Varnel2Vector, GroupsTheEnabledPeaksByKind) {
  auto s = twopeaks(0, 1, 0, 1);  // peaks 2 and 4
  buildvector(*s);
  EXPECT_EQ(s->npeaks, 2);
  EXPECT_EQ(numbers.nparam, 6);
  EXPECT_EQ(s->peakidx[0], 2);
  EXPECT_EQ(s->peakidx[1], 4);
  const double want[6] = {2e-12, 4e-12, 260.0, 280.0, 0.7, 0.9};
  const double Q[6] = {2.0, 2.0, 1.1, 1.1, 1.5, 1.5};
  for (int p = 0; p < 6; ++p) {
    SCOPED_TRACE("parameter " + std::to_string(p + 1));
    EXPECT_DOUBLE_EQ(fitvector.a[p], want[p]);
    EXPECT_DOUBLE_EQ(fitvector.bounds.lower[p], want[p] / Q[p]);
    EXPECT_DOUBLE_EQ(fitvector.bounds.upper[p], want[p] * Q[p]);
  }
  const int flags[5] = {0, 1, 0, 1, 1};
  for (int k = 0; k < 5; ++k) EXPECT_EQ(s->plotflags[k], flags[k]) << "flag " << k + 1;
}

TEST(Varnel2Vector, OnlyOneEnablesAndOnePeakHasNoSumCurve) {
  auto s = twopeaks(2, 1, 0, -1);
  buildvector(*s);
  EXPECT_EQ(s->npeaks, 1);
  EXPECT_EQ(numbers.nparam, 3);
  EXPECT_EQ(s->plotflags[0], 2);  // drawn only when 1
  EXPECT_EQ(s->plotflags[4], 0);

  auto none = twopeaks(0, 0, 0, 0);
  buildvector(*none);
  EXPECT_EQ(none->npeaks, 0);
  EXPECT_EQ(numbers.nparam, 0);
}

TEST(Varnel2Vector, ReboundCentresTheBoxOnTheCurrentVector) {
  auto s = twopeaks(1, 0, 0, 0);
  buildvector(*s);
  fitvector.a[1] = 300.0;  // as after a copy of fitted values into the vector
  s->QTm = 1.2;
  rebound(*s);
  EXPECT_DOUBLE_EQ(fitvector.bounds.lower[1], 300.0 / 1.2);
  EXPECT_DOUBLE_EQ(fitvector.bounds.upper[1], 300.0 * 1.2);
  EXPECT_DOUBLE_EQ(fitvector.a[0], 1e-12);
}

TEST(Varnel2Range, FitIndicesCoverThePointsWithinTheRange) {
  State s;
  s.Nin = 10;
  for (int i = 0; i < 10; ++i) arrays.T[i] = 200.0 + i;  // 200 .. 209
  struct Case {
    double tfmin, tfmax;
    int n1, n2;
  };
  const Case cases[] = {
      {200.0, 209.0, 1, 10}, {202.0, 205.0, 3, 6},  {201.995, 205.005, 3, 6},
      {201.005, 204.995, 2, 6}, {205.3, 205.6, 7, 6}, {150.0, 300.0, 1, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.tfmin) + " .. " + std::to_string(c.tfmax));
    s.tfmin = c.tfmin;
    s.tfmax = c.tfmax;
    fitindexrange(s);
    EXPECT_EQ(numbers.n1, c.n1);
    EXPECT_EQ(numbers.n2, c.n2);
  }
}

TEST(Varnel2Curves, GridAndStartCurvesOfTheEnabledPeaks) {
  auto s = twopeaks(1, 0, 1, 0);
  var.T0 = 200.0;
  var.b = 0.1;
  s->tdmin = 220.0;
  s->tdmax = 320.0;
  s->Nout = 5;
  buildgrid(*s);
  s->curves.col[2][0] = 7.0;  // a disabled peak's column keeps what it held
  buildvector(*s);
  startcurves(*s);
  const double grid[5] = {220.0, 245.0, 270.0, 295.0, 320.0};
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE("row " + std::to_string(i + 1));
    const double T = grid[i];
    EXPECT_DOUBLE_EQ(s->curves.col[0][i], T);
    const double p1 = funcsubr2::fun2(T, 1e-12, 250.0, 0.6);
    const double p3 = funcsubr2::fun2(T, 3e-12, 270.0, 0.8);
    EXPECT_EQ(s->curves.col[1][i], p1);
    EXPECT_EQ(s->curves.col[3][i], p3);
    EXPECT_DOUBLE_EQ(s->curves.col[5][i], p1 + p3);
  }
  EXPECT_EQ(s->curves.col[2][0], 7.0);
}

class Varnel2Load : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return (dir_ / name).string();
  }
  testkit::TempFolder folder_;
  const fs::path& dir_ = folder_.path();
};

TEST_F(Varnel2Load, GoodFileResetsRangesGridAndCurves) {
  auto s = twopeaks(1, 1, 0, 0);
  s->Nout = 3;
  s->fitted = 1;
  buildvector(*s);
  const std::string f = write("a.dat", "4 0.1 200.0 0.5\n220 1e-12\n230 2e-12\n240 3e-12\n250 1e-12\n");
  ASSERT_EQ(loaddata(*s, f), DataFileStatus::ok);
  EXPECT_EQ(s->Nin, 4);
  EXPECT_DOUBLE_EQ(s->area, 0.5);
  EXPECT_DOUBLE_EQ(var.T0, 200.0);
  EXPECT_DOUBLE_EQ(arrays.J[1], 4e-12);  // current over area
  EXPECT_EQ(numbers.n1, 1);
  EXPECT_EQ(numbers.n2, 4);
  EXPECT_EQ(s->tdmin, 220.0);
  EXPECT_EQ(s->tfmax, 250.0);
  EXPECT_EQ(s->curves.col[0][1], 235.0);
  EXPECT_EQ(s->loaded, 1);
  EXPECT_EQ(s->fitted, 0);
  EXPECT_GT(s->curves.col[5][1], 0.0);
}

TEST_F(Varnel2Load, RefusedFileChangesNothing) {
  auto s = twopeaks(1, 0, 0, 0);
  s->Nout = 3;
  buildvector(*s);
  ASSERT_EQ(loaddata(*s, write("a.dat", "3 0.1 200.0 1.0\n220 1e-12\n230 2e-12\n240 3e-12\n")),
            DataFileStatus::ok);
  const std::string cases[] = {
      "3 0.5 150.0 1.0\n300 1e-12\n310 2e-12\n320 x\n",  // last row malformed
      "900 0.5 150.0 1.0\n300 1e-12\n",                // more points than the arrays hold
      "3 0.5 150.0 0.0\n300 1e-12\n310 2e-12\n320 3e-12\n",  // no area
  };
  for (const std::string& text : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(loaddata(*s, write("b.dat", text)), DataFileStatus::read_failed);
    EXPECT_EQ(s->Nin, 3);
    EXPECT_EQ(arrays.T[0], 220.0);
    EXPECT_EQ(var.T0, 200.0);
    EXPECT_EQ(var.b, 0.1);
    EXPECT_EQ(s->tdmax, 240.0);
  }
  EXPECT_EQ(loaddata(*s, (dir_ / "none.dat").string()), DataFileStatus::cannot_open);
  EXPECT_EQ(s->Nin, 3);
}

}  // namespace
}  // namespace tsd::varnel2
