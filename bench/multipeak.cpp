// Multi-peak fit: the objective on 800 points with four peaks, the curvature
// matrix in both forms, and one whole four-peak fit with its objective calls.
#include <benchmark/benchmark.h>

#include <vector>

#include "multipeak/fitcompute.h"
#include "multipeak/funcsubr2.h"
#include "multipeak/mina.h"
#include "multipeak/tests/fit_fixture.h"

namespace {

using tsd::fittest::Peak;

const std::vector<Peak> kTruth = {
    {2e-12, 260, 0.8}, {5e-12, 300, 1.0}, {3e-12, 315, 1.1}, {1e-12, 370, 1.3}};
const std::vector<Peak> kStart = {
    {2.2e-12, 275, 0.75}, {4.6e-12, 285, 1.08}, {3.3e-12, 331, 1.02}, {0.92e-12, 350, 1.4}};

// 800 points from 220 K in steps of 0.25 K, start values 5 to 10 % off.
void load_four_peaks() {
  tsd::fittest::load_curve(kTruth, 800, 0.25);
  tsd::fittest::load_start(kStart);
}

void BM_func_800_points_4_peaks(benchmark::State& state) {
  load_four_peaks();
  for (auto _ : state) benchmark::DoNotOptimize(tsd::func(tsd::fitvector.a));
}
BENCHMARK(BM_func_800_points_4_peaks);

void BM_setupalpha(benchmark::State& state) {
  load_four_peaks();
  double alpha[144];
  for (auto _ : state) {
    tsd::setupalpha(tsd::fitvector.a, 1e-28, alpha);
    benchmark::DoNotOptimize(alpha);
  }
}
BENCHMARK(BM_setupalpha)->Unit(benchmark::kMillisecond);

void BM_setupalpha_per_element(benchmark::State& state) {
  load_four_peaks();
  double alpha[144];
  for (auto _ : state) {
    tsd::setupalpha_per_element(tsd::fitvector.a, 1e-28, alpha);
    benchmark::DoNotOptimize(alpha);
  }
}
BENCHMARK(BM_setupalpha_per_element)->Unit(benchmark::kMillisecond);

long g_calls = 0;
double counted_func(const double* a) {
  ++g_calls;
  return tsd::func(a);
}

void BM_fit_4_peaks_800_points(benchmark::State& state) {
  load_four_peaks();
  const int on[4] = {1, 1, 1, 1};
  tsd::CurveArray curves;
  tsd::fittest::load_grid(curves, 100);
  tsd::FitResults res;
  for (auto _ : state) benchmark::DoNotOptimize(tsd::fitcompute(on, 4, 0.1, 100, curves, res));
  // The same minimisation once more with a counting objective: the search is
  // deterministic, so this is the fit's number of objective calls.
  g_calls = 0;
  double afit[12], S;
  int ier;
  tsd::mina(counted_func, tsd::numbers.nparam, 4, 0.1, tsd::fitvector.bounds, tsd::fitvector.a,
            afit, S, ier);
  state.counters["objective_calls"] = double(g_calls);
  state.counters["Smin"] = res.Smin;
}
BENCHMARK(BM_fit_4_peaks_800_points)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
