#include "analysis/varnel1/varnel1_params.h"

#include <array>
#include <string>
#include <vector>

#include "runtime/freeread.h"
#include "runtime/paramfile.h"
#include "runtime/hostfilename.h"
#include "runtime/textfile.h"
#include "text/cp1250.h"

namespace tsd::varnel1 {

namespace {

using runtime::FreeReader;
using runtime::paramsfault;
using runtime::ReadResult;
using runtime::ReadStatus;

constexpr int kMaxOutputPoints = AnalysisState::kPoints;

// Every value of the file, as read.
struct ParamValues {
  int nwyj = 0;
  int graph = 0;
  int gridflag = 0;
  int tabseries = 0;
  std::array<std::array<int, 4>, 3> modes{};    // tmin, tmax, tini, tlim per series
  std::array<std::array<int, 3>, 3> methods{};  // intmethod, p0method, plotseries
  std::array<int, 2> calcmodes{};
};

// The problem of a read that did not give all its values.
std::string read_problem(const ReadResult& res, int record) {
  return runtime::readproblem(res, record, cp("wartość, która nie jest liczbą całkowitą"));
}

std::string series_name(std::string_view what, int s) {
  return cp(what) + cp(" serii ") + std::to_string(s);
}

std::vector<runtime::RangeCheck> range_checks(const ParamValues& v) {
  // What the program relies on, then what must survive the rewrite in I3.
  std::vector<runtime::RangeCheck> checks;
  checks.push_back({1, "Nwyj", v.nwyj, 2, kMaxOutputPoints});
  checks.push_back({1, cp("numer wykresu"), v.graph, runtime::kI3Lowest, runtime::kI3Highest});
  checks.push_back({1, cp("siatka"), v.gridflag, runtime::kI3Lowest, runtime::kI3Highest});
  checks.push_back({1, cp("numer serii w tabelach"), v.tabseries, 1, 3});
  static constexpr std::string_view kModeNames[4] = {"tryb Tmin", "tryb Tmax", "tryb Tini",
                                                     "tryb Tlim"};
  for (int s = 1; s <= 3; ++s) {
    for (int m = 0; m < 4; ++m) {
      checks.push_back({1 + s, series_name(kModeNames[m], s), v.modes[s - 1][m], 1, 2});
    }
  }
  for (int s = 1; s <= 3; ++s) {
    checks.push_back({4 + s, series_name("metoda całkowania", s), v.methods[s - 1][0], 1, 3});
    checks.push_back({4 + s, series_name("metoda obliczania P0", s), v.methods[s - 1][1], 1, 3});
    checks.push_back({4 + s, series_name("wykres", s), v.methods[s - 1][2], runtime::kI3Lowest,
                      runtime::kI3Highest});
  }
  checks.push_back({8, cp("tryb Tmin zakresu obliczeń"), v.calcmodes[0], 1, 2});
  checks.push_back({8, cp("tryb Tmax zakresu obliczeń"), v.calcmodes[1], 1, 2});
  return checks;
}

}  // namespace

std::string paramfilepath(std::string_view dir) { return runtime::fileindirectory(dir, kParamFileName); }

ParamsResult readparams(State& st) {
  Settings& settings = st.settings;
  AnalysisState& state = st.analysis;
  settings.startdir = runtime::currentdirectory();
  const std::string file = paramfilepath(settings.startdir);
  // A save the program did not finish (it was ended before the rename)
  // leaves a temporary file beside the parameter file: it goes now.
  runtime::removereplaceleftovers(file);

  FreeReader reader;
  if (ParamsResult opened = runtime::openparamsfile(reader, file); !opened.ok()) return opened;

  ParamValues v;
  ReadResult res = reader.read({v.nwyj, v.graph, v.gridflag, v.tabseries});
  if (!res.complete(4)) return paramsfault(ParamsStatus::unreadable, file, 1, read_problem(res, 1));
  for (int s = 1; s <= 3; ++s) {
    auto& m = v.modes[s - 1];
    res = reader.read({m[0], m[1], m[2], m[3]});
    if (!res.complete(4)) {
      return paramsfault(ParamsStatus::unreadable, file, 1 + s, read_problem(res, 1 + s));
    }
  }
  for (int s = 1; s <= 3; ++s) {
    auto& m = v.methods[s - 1];
    res = reader.read({m[0], m[1], m[2]});
    if (!res.complete(3)) {
      return paramsfault(ParamsStatus::unreadable, file, 4 + s, read_problem(res, 4 + s));
    }
  }
  res = reader.read({v.calcmodes[0], v.calcmodes[1]});
  if (!res.complete(2)) return paramsfault(ParamsStatus::unreadable, file, 8, read_problem(res, 8));

  if (ParamsResult checked = runtime::firstoutofrange(file, range_checks(v)); !checked.ok()) {
    return checked;
  }

  state.nwyj = v.nwyj;
  settings.defgraph = v.graph;
  settings.gridflag = v.gridflag;
  settings.tabseries = v.tabseries;
  for (int s = 0; s < 3; ++s) {
    settings.tminmode[s] = v.modes[s][0];
    settings.tmaxmode[s] = v.modes[s][1];
    settings.tinimode[s] = v.modes[s][2];
    settings.tlimmode[s] = v.modes[s][3];
    state.intmethod[s] = v.methods[s][0];
    state.p0method[s] = v.methods[s][1];
    settings.plotseries[s] = v.methods[s][2];
  }
  settings.calctminmode = v.calcmodes[0];
  settings.calctmaxmode = v.calcmodes[1];
  settings.curgraph = 0;
  computejmask(settings);
  ParamsResult ok;
  ok.file = file;
  return ok;
}

ParamsResult writeparams(const State& st) {
  const Settings& settings = st.settings;
  const AnalysisState& state = st.analysis;
  const std::string file = paramfilepath(settings.startdir);
  runtime::TextFile f;
  if (ParamsResult begun = runtime::beginparamsrewrite(f, file); !begun.ok()) return begun;
  f.write("(I5,3I3)", {state.nwyj, settings.curgraph, settings.gridflag, settings.tabseries});
  for (int s = 0; s < 3; ++s) {
    f.write("(4I3)", {settings.tminmode[s], settings.tmaxmode[s], settings.tinimode[s],
                      settings.tlimmode[s]});
  }
  for (int s = 0; s < 3; ++s) {
    f.write("(3I3)", {state.intmethod[s], state.p0method[s], settings.plotseries[s]});
  }
  f.write("(2I3)", {settings.calctminmode, settings.calctmaxmode});
  return runtime::endparamsrewrite(f, file);
}

std::string paramssavedtext() { return cp("Parametry zapisane w pliku Varnel1.par"); }
std::string paramswritefailedtext() { return cp("Błąd zapisu parametrów w pliku Varnel1.par"); }

}  // namespace tsd::varnel1
