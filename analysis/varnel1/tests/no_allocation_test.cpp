// The analysis allocates no memory: every operator new of this test program
// is counted while the per-series computation and the model refresh run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>

#include "analysis/varnel1/varnel1_state.h"
#include "analysis/varnel1/varnel1_series.h"
#include "analysis/varnel1/tests/synthetic_curve.h"
#include "analysis/var.h"

namespace {
int g_allocations = 0;
}  // namespace

// Replacements for the whole test program; they only count, then allocate
// as the library does. The deletes free what the news took from malloc,
// which GCC cannot see when it inlines them, hence the pragma.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

TEST(AnalysisMemory, SeriesAndRefreshAllocateNothing) {
  const auto state = std::make_unique<tsd::varnel1::AnalysisState>();
  tsd::varnel1::AnalysisState& analysis = *state;
  tsd::varnel1::testing::SyntheticPeak peak;
  peak.points = 800;
  peak.grid = 800;
  tsd::varnel1::testing::load_synthetic(analysis, peak);
  analysis.tmin = {240.0, 240.0, 240.0};
  analysis.tmax = {300.0, 300.0, 300.0};
  analysis.intmethod = {1, 2, 3};
  analysis.p0method = {1, 2, 3};

  const int before = g_allocations;
  bool ok = true;
  for (int s = 1; s <= 3; ++s) {
    // The whole integration range takes in the tail where the current has
    // underflowed to 0: that series fails, as results that are not numbers
    // do, and the window of the fit limits then succeeds.
    tsd::varnel1::seriescompute(analysis, s, tsd::varnel1::SeriesWindow::IntegrationRange);
    ok = ok && tsd::varnel1::seriescompute(analysis, s, tsd::varnel1::SeriesWindow::FitLimits).ok;
  }
  // A failing series builds its message without allocating either.
  analysis.tmin[0] = analysis.tmax[0] = 1000.0;
  const bool failed = !tsd::varnel1::seriescompute(analysis, 1, tsd::varnel1::SeriesWindow::FitLimits).ok;
  tsd::varnel1::gridcompute(analysis);
  tsd::varnel1::modelrefresh(analysis);
  const int during = g_allocations - before;

  EXPECT_TRUE(ok);
  EXPECT_TRUE(failed);
  EXPECT_EQ(during, 0) << "allocations during the analysis";
  // The counter works: an array new is seen. The pointer goes through a
  // volatile, or clang leaves out a new whose memory nobody uses.
  const int probe = g_allocations;
  double* volatile p = new double[4];
  delete[] p;
  EXPECT_EQ(g_allocations - probe, 1);
  tsd::var = {};
}

}  // namespace
