// varnel2's two-peak fit request on the example files, without the window:
// the start vector from VARNEL2.PAR, the measured curve from sample.dat,
// then the fit, the errors and the fitted curves on the 201-point grid, and
// the result report written to a file.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "multipeak/fitcompute.h"
#include "multipeak/varnel2/varnel2_output.h"
#include "multipeak/varnel2/varnel2_params.h"
#include "multipeak/varnel2/varnel2_state.h"

namespace {

// The examples folder beside bench/ (the build compiles this file by its
// full path).
std::string examples() {
  std::string here = __FILE__;
  here = here.substr(0, here.find_last_of('/'));
  return here.substr(0, here.find_last_of('/') + 1) + "examples/";
}
const std::string kExamples = examples();

std::unique_ptr<tsd::varnel2::State> loaded() {
  auto s = std::make_unique<tsd::varnel2::State>();
  if (!tsd::varnel2::readparamsfrom(kExamples + "VARNEL2.PAR", *s).ok()) return nullptr;
  tsd::varnel2::buildvector(*s);
  if (tsd::varnel2::loaddata(*s, kExamples + "sample.dat") != tsd::DataFileStatus::ok) return nullptr;
  return s;
}

void BM_varnel2_load_and_fit_two_peaks(benchmark::State& state) {
  for (auto _ : state) {
    auto s = loaded();
    if (!s) {
      state.SkipWithError("example files not readable");
      return;
    }
    benchmark::DoNotOptimize(tsd::fitcompute(s->peakon, s->Ldiv, s->Del, s->Nout, s->curves, s->fit));
  }
}
BENCHMARK(BM_varnel2_load_and_fit_two_peaks)->Unit(benchmark::kMillisecond);

void BM_varnel2_fit_two_peaks(benchmark::State& state) {
  auto s = loaded();
  if (!s) {
    state.SkipWithError("example files not readable");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(tsd::fitcompute(s->peakon, s->Ldiv, s->Del, s->Nout, s->curves, s->fit));
  }
}
BENCHMARK(BM_varnel2_fit_two_peaks)->Unit(benchmark::kMillisecond);

void BM_varnel2_tables_on_screen(benchmark::State& state) {
  auto s = loaded();
  if (!s) {
    state.SkipWithError("example files not readable");
    return;
  }
  s->Nout = 800;
  tsd::varnel2::buildgrid(*s);
  tsd::fitcompute(s->peakon, s->Ldiv, s->Del, s->Nout, s->curves, s->fit);
  for (auto _ : state) {
    benchmark::DoNotOptimize(tsd::varnel2::table2text(*s));
    benchmark::DoNotOptimize(tsd::varnel2::table3text(*s));
  }
}
BENCHMARK(BM_varnel2_tables_on_screen)->Unit(benchmark::kMillisecond);

}  // namespace
