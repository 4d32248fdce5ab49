#include "peakcurve/mokrin/mokrin_params.h"

#include "analysis/var.h"
#include "runtime/freeread.h"
#include "runtime/paramfile.h"
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

// A value of record 1 for which the model has no finite curve, which the
// dialog refuses too, as "<name> <= 0"; an empty text when there is none.
std::string nocurveproblem(const Values& v, bool derived) {
  if (!(v.b > 0.0)) return "b <= 0";
  if (!(v.Ea > 0.0)) return "Ea <= 0";
  if (!(v.v4 > 0.0)) return derived ? "Tm <= 0" : "tau0 <= 0";
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

  // The grid step divides by Nout - 1, and the arrays hold kMaxGrid points.
  const runtime::RangeCheck ranges[] = {{2, "Nout", v.Nout, 2, peakcurve::kMaxGrid}};
  if (ParamsResult r = runtime::firstoutofrange(file, ranges); !r.ok()) return r;
  const bool derived = variantinfo(s.variant).derived;
  if (const std::string problem = nocurveproblem(v, derived); !problem.empty()) {
    return paramsfault(ParamsStatus::out_of_range, file, 1, runtime::recordprefix(1) + problem);
  }

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
