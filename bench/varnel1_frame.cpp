// varnel1 on the headless screen: from the data command (after its file
// selection) to the drawn graph for 800 measured and 800 output points, and
// the redraw of each graph on a repaint.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include <stdlib.h>

#include "analysis/varnel1/varnel1_state.h"
#include "analysis/funcs.h"
#include "analysis/var.h"
#include "analysis/varnel1/varnel1_data.h"
#include "analysis/varnel1/varnel1_graphs.h"
#include "toolkit/window/winit.h"
#include "toolkit/window/wwindow.h"

namespace {

using namespace tsd;
using namespace tsd::varnel1;

// A folder of this run's own for its data file, so that runs side by side
// never share a file; removed when the run ends.
std::string privatefolder() {
  static const std::string dir = [] {
    std::string t = (std::filesystem::temp_directory_path() / "tsd_bench_varnel1_XXXXXX").string();
    if (mkdtemp(t.data()) == nullptr) return std::string();
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(privatefolder(), ec);
    });
    return t;
  }();
  return dir;
}

// Two overlapping first-order peaks measured at 800 points, 215 K to 310 K.
std::string writedatafile() {
  if (privatefolder().empty()) return {};
  const std::string path = privatefolder() + "/varnel1_800.dat";
  std::FILE* f = std::fopen(path.c_str(), "w");
  if (f == nullptr) return {};
  var.T0 = 200.0;
  var.b = 0.05;
  std::fprintf(f, "800 0.05 200.0 0.785\n");
  for (int i = 0; i < 800; ++i) {
    const double T = 215.0 + i * (95.0 / 799.0);
    const double J = fun2(T, 4.0e-12, 265.0, 0.70) + fun2(T, 2.5e-12, 292.0, 0.95);
    std::fprintf(f, "%8.3f %13.5E\n", T, J * 0.785 + 2.0e-16);
  }
  std::fclose(f);
  return path;
}

// The program's state for the whole benchmark run.
tsd::varnel1::State& program() {
  static const auto state = std::make_unique<tsd::varnel1::State>();
  return *state;
}

// The program's window and settings as VARNEL1.PAR of the examples gives
// them, with 800 output points.
bool openprogram() {
  static bool open = false;
  if (open) return true;
  unsetenv("TSD_SCRIPT");
  unsetenv("TSD_SCREEN");
  setenv("TSD_DISPLAY", "headless", 1);
  if (std::getenv("QRBCHDIR") == nullptr) setenv("QRBCHDIR", "fonts", 1);
  winitialise(" ");
  WindowStyle style;
  style.flags = 7;
  style.x = 160;
  style.menu = 0;
  setwindowtitle(style, "Program Varnel1");
  windowopen(style);
  tsd::varnel1::State& s = program();
  s.analysis.nwyj = 800;
  s.analysis.intmethod = {3, 2, 1};
  s.analysis.p0method = {3, 1, 2};
  s.settings.plotseries = {1, 1, 1};
  s.settings.defgraph = 1;
  s.settings.gridflag = 0;
  computejmask(s.settings);
  open = true;
  return true;
}

void BM_DataCommandToDrawnGraph(benchmark::State& state) {
  const std::string file = writedatafile();
  if (file.empty() || !openprogram()) {
    state.SkipWithError("no data file or no window");
    return;
  }
  for (auto _ : state) {
    if (loaddata(program(), file) != DataFileStatus::ok) {
      state.SkipWithError("the data file was refused");
      return;
    }
  }
}
BENCHMARK(BM_DataCommandToDrawnGraph)->Unit(benchmark::kMillisecond);

void BM_ExposeRedraw(benchmark::State& state) {
  const std::string file = writedatafile();
  if (file.empty() || !openprogram() || loaddata(program(), file) != DataFileStatus::ok) {
    state.SkipWithError("no data loaded");
    return;
  }
  program().settings.curgraph = static_cast<int>(state.range(0));
  for (auto _ : state) redraw(program());
}
BENCHMARK(BM_ExposeRedraw)->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

}  // namespace
