#include "peakcurve/mokrin/mokrin_params.h"

#include <cmath>

#include "analysis/var.h"
#include "runtime/freeread.h"
#include "runtime/paramfile.h"
#include "runtime/hostfilename.h"
#include "runtime/textfile.h"
#include "text/cp1250.h"

namespace tsd::mokrin {

namespace {

using runtime::FreeReader;
using runtime::paramsfault;
using runtime::ReadResult;
using runtime::ReadStatus;

std::string read_problem(const ReadResult& res, int record) {
  return runtime::readproblem(res, record, cp("wartość, która nie jest liczbą"));
}

// The five values of record 1 and the three of record 2, as read.
struct Values {
  double b = 0, T0 = 0, Ea = 0, v4 = 0, v5 = 0;  // v4, v5: tau0, P0 or Tm, Jm
  double Tmin = 0, Tmax = 0;
  int Nout = 0;
};

// The first value the program cannot work with, or an empty text.
std::string range_problem(const Values& v, bool derived) {
  const std::string r1 = cp("rekord 1: "), r2 = cp("rekord 2: ");
  if (v.Nout < 2 || v.Nout > peakcurve::kMaxGrid) {
    return r2 + "Nout = " + std::to_string(v.Nout) + cp(" poza zakresem 2..") +
           std::to_string(peakcurve::kMaxGrid);
  }
  // The values the dialog refuses too: those for which the model has no
  // finite curve.
  if (!(v.b > 0.0)) return r1 + "b <= 0";
  if (!(v.Ea > 0.0)) return r1 + "Ea <= 0";
  if (!(v.v4 > 0.0)) return r1 + (derived ? "Tm <= 0" : "tau0 <= 0");
  return "";
}

}  // namespace

std::string paramfilepath(const State& s, const std::string& dir) {
  const std::string_view name = variantinfo(s.variant).paramfile;
  return runtime::fileindirectory(dir, name);
}

ParamsResult readparams(State& s) {
  const std::string file = paramfilepath(s, s.startdir);
  FreeReader reader;
  if (ParamsResult opened = runtime::openparamsfile(reader, file); !opened.ok()) return opened;
  Values v;
  ReadResult res = reader.read({v.b, v.T0, v.Ea, v.v4, v.v5});
  if (!res.complete(5)) return paramsfault(ParamsStatus::unreadable, file, 1, read_problem(res, 1));
  res = reader.read({v.Tmin, v.Tmax, v.Nout});
  if (!res.complete(3)) return paramsfault(ParamsStatus::unreadable, file, 2, read_problem(res, 2));

  const bool derived = variantinfo(s.variant).derived;
  std::string problem = range_problem(v, derived);
  if (!problem.empty()) return paramsfault(ParamsStatus::out_of_range, file, 0, problem);

  var.b = v.b;
  var.T0 = v.T0;
  s.peak.Ea = v.Ea;
  if (derived) {
    s.peak.Tm = v.v4;
    s.peak.Jm = v.v5;
  } else {
    s.peak.tau0 = v.v4;
    s.peak.P0 = v.v5;
  }
  s.peak.Tmin = v.Tmin;
  s.peak.Tmax = v.Tmax;
  s.peak.Nout = v.Nout;
  ParamsResult ok;
  ok.file = file;
  return ok;
}

ParamsResult writeparams(const State& s) {
  const std::string file = paramfilepath(s, s.startdir);
  const bool derived = variantinfo(s.variant).derived;
  runtime::TextFile f;
  if (ParamsResult begun = runtime::beginparamsrewrite(f, file); !begun.ok()) return begun;
  const double v4 = derived ? s.peak.Tm : s.peak.tau0;
  const double v5 = derived ? s.peak.Jm : s.peak.P0;
  f.write("(1P,5E14.6)", {var.b, var.T0, s.peak.Ea, v4, v5});
  f.write("(1P,2E14.6,0P,I4)", {s.peak.Tmin, s.peak.Tmax, s.peak.Nout});
  return runtime::endparamsrewrite(f, file);
}

std::string paramssavedtext(const State& s) {
  return cp("Parametry zapisane w pliku ") + std::string(variantinfo(s.variant).paramfile);
}

std::string paramswritefailedtext(const State& s) {
  return cp("Błąd zapisu parametrów w pliku ") + std::string(variantinfo(s.variant).paramfile);
}

}  // namespace tsd::mokrin
