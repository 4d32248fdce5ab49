// The analysis core: one model current evaluation, and the per-series
// computation of varnel1 on 800 measured and 800 output points.
#include <benchmark/benchmark.h>

#include <memory>

#include "analysis/varnel1/varnel1_state.h"
#include "analysis/funcs.h"
#include "analysis/varnel1/varnel1_series.h"
#include "analysis/varnel1/tests/synthetic_curve.h"
#include "analysis/var.h"

namespace {

// One fun1 evaluation. Argument 0: a peak near 300 K with Ea = 0.8 eV, where
// x = Ea/(k*T) and x0 lie above 25 (two asymptotic sums, the usual case);
// argument 1: Ea = 0.3 eV at 200 K from T0 = 150 K, x about 17 and 23 (two
// continued fractions, the costly case).
void BM_Fun1(benchmark::State& state) {
  const bool fraction = state.range(0) == 1;
  tsd::var = {fraction ? 150.0 : 220.0, 0.05};
  double t = fraction ? 200.0 : 300.0;
  const double ea = fraction ? 0.3 : 0.8;
  const double tau0 = fraction ? 1e-4 : 5e-12;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    benchmark::DoNotOptimize(tsd::fun1(t, 2e-8, tau0, ea));
  }
}
BENCHMARK(BM_Fun1)->Arg(0)->Arg(1);

// One series on 800 points with an 800-point output grid: 3200 model
// evaluations, the integration and the fit. Argument: integration method.
void BM_SeriesCompute(benchmark::State& state) {
  tsd::varnel1::testing::SyntheticPeak peak;
  peak.points = 800;
  peak.grid = 800;
  const auto analysis = std::make_unique<tsd::varnel1::AnalysisState>();
  tsd::varnel1::AnalysisState& a = *analysis;
  tsd::varnel1::testing::load_synthetic(a, peak);
  a.tmin[0] = 240.0;
  a.tmax[0] = 300.0;
  a.intmethod[0] = static_cast<int>(state.range(0));
  a.p0method[0] = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tsd::varnel1::seriescompute(a, 1, tsd::varnel1::SeriesWindow::FitLimits));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SeriesCompute)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

}  // namespace
