// Multi-peak fit: the objective on 800 points with four peaks (the
// reference beside the fast one, on every copy of its kernel the processor
// can run, for one vector and for the sequence of calls of a fit), the curvature matrix in both forms, and whole four-peak
// fits at Ldiv 4 and 9 with their objective calls.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

#include "multipeak/fitcompute.h"
#include "multipeak/fitscope.h"
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

void BM_func_reference_800_points_4_peaks(benchmark::State& state) {
  load_four_peaks();
  for (auto _ : state) benchmark::DoNotOptimize(tsd::func_reference(tsd::fitvector.a));
}
BENCHMARK(BM_func_reference_800_points_4_peaks)->Unit(benchmark::kMicrosecond);

// The fast objective outside a fit with one copy of the kernel:
// argument 0 baseline x86-64, 1 AVX2, 2 AVX-512.
void BM_func_fast_800_points_4_peaks_isa(benchmark::State& state) {
  const auto isa = static_cast<tsd::VectorIsa>(state.range(0));
  if (!tsd::isa_supported(isa)) {
    state.SkipWithError("instruction set not available");
    return;
  }
  load_four_peaks();
  for (auto _ : state) benchmark::DoNotOptimize(tsd::func_on(isa, tsd::fitvector.a));
}
BENCHMARK(BM_func_fast_800_points_4_peaks_isa)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// func itself (widest kernel) on one vector, outside a fit: every peak at
// every point computed afresh.
void BM_func_fast_800_points_4_peaks(benchmark::State& state) {
  load_four_peaks();
  for (auto _ : state) benchmark::DoNotOptimize(tsd::func(tsd::fitvector.a));
}
BENCHMARK(BM_func_fast_800_points_4_peaks)->Unit(benchmark::kMicrosecond);

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

// The vectors of every objective call of the four-peak fit at Ldiv 4, in
// the minimiser's order (recorded once).
std::vector<std::array<double, 12>> g_recorded;
double recording_func(const double* a) {
  std::array<double, 12> v;
  for (int i = 0; i < 12; ++i) v[size_t(i)] = a[i];
  g_recorded.push_back(v);
  return tsd::func(a);
}

const std::vector<std::array<double, 12>>& fit_calls() {
  if (g_recorded.empty()) {
    load_four_peaks();
    double afit[12], S;
    int ier;
    tsd::mina(recording_func, tsd::numbers.nparam, 4, 0.1, tsd::fitvector.bounds,
              tsd::fitvector.a, afit, S, ier);
  }
  return g_recorded;
}

// The objective as a fit calls it: the whole sequence of calls of the
// four-peak fit at Ldiv 4 replayed, per call on average. The reference one
// after the other; the fast one inside a FitScope (widest kernel, kept peak
// currents), as fitcompute runs it.
void BM_func_reference_fit_calls(benchmark::State& state) {
  const auto& calls = fit_calls();
  load_four_peaks();
  for (auto _ : state)
    for (const auto& v : calls) benchmark::DoNotOptimize(tsd::func_reference(v.data()));
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(calls.size()));
  state.counters["calls"] = double(calls.size());
}
BENCHMARK(BM_func_reference_fit_calls)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_func_fast_fit_calls(benchmark::State& state) {
  const auto& calls = fit_calls();
  load_four_peaks();
  for (auto _ : state) {
    tsd::FitScope scope;
    for (const auto& v : calls) benchmark::DoNotOptimize(tsd::func(v.data()));
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(calls.size()));
  state.counters["calls"] = double(calls.size());
}
BENCHMARK(BM_func_fast_fit_calls)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

long g_calls = 0;
double counted_func(const double* a) {
  ++g_calls;
  return tsd::func(a);
}

// The whole fit as the program runs it (fitcompute: minimisation, errors,
// curves) at Ldiv given as the argument.
void BM_fit_4_peaks_800_points_ldiv(benchmark::State& state) {
  const int Ldiv = int(state.range(0));
  load_four_peaks();
  const int on[4] = {1, 1, 1, 1};
  tsd::CurveArray curves;
  tsd::fittest::load_grid(curves, 100);
  tsd::FitResults res;
  for (auto _ : state) benchmark::DoNotOptimize(tsd::fitcompute(on, Ldiv, 0.1, 100, curves, res));
  // The same minimisation once more with a counting objective: the search is
  // deterministic, so this is the fit's number of objective calls.
  g_calls = 0;
  double afit[12], S;
  int ier;
  tsd::mina(counted_func, tsd::numbers.nparam, Ldiv, 0.1, tsd::fitvector.bounds, tsd::fitvector.a,
            afit, S, ier);
  state.counters["objective_calls"] = double(g_calls);
  state.counters["Smin"] = res.Smin;
}
BENCHMARK(BM_fit_4_peaks_800_points_ldiv)
    ->Arg(4)
    ->Arg(9)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

// The minimisation alone with the reference objective, for comparison with
// the fits above (the rest of a fit takes a few milliseconds).
void BM_minimise_reference_4_peaks_800_points_ldiv(benchmark::State& state) {
  const int Ldiv = int(state.range(0));
  load_four_peaks();
  double afit[12], S;
  int ier;
  for (auto _ : state)
    tsd::mina(tsd::func_reference, tsd::numbers.nparam, Ldiv, 0.1, tsd::fitvector.bounds,
              tsd::fitvector.a, afit, S, ier);
  state.counters["Smin"] = S;
}
BENCHMARK(BM_minimise_reference_4_peaks_800_points_ldiv)
    ->Arg(4)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
