#include "multipeak/varnel2/varnel2_params.h"

#include <cmath>

#include "runtime/freeread.h"
#include "runtime/paramfile.h"
#include "runtime/hostfilename.h"
#include "runtime/textfile.h"
#include "text/cp1250.h"

namespace tsd::varnel2 {

namespace {

using runtime::FreeReader;
using runtime::firstoutofrange;
using runtime::paramsfault;
using runtime::RangeCheck;
using runtime::ReadResult;
using runtime::ReadStatus;

// Every value of the file, as read.
struct Values {
  int Nout = 0;
  int gridflag = 0;
  double Ea[kMaxPeaks] = {}, Tm[kMaxPeaks] = {}, Jm[kMaxPeaks] = {};
  int peakon[kMaxPeaks] = {};
  double QEa = 0.0, QTm = 0.0, QJm = 0.0;
  double Del = 0.0;
  int Ldiv = 0;
};

// The problem of a read that did not give all its values.
std::string read_problem(const ReadResult& res, int record) {
  return runtime::readproblem(res, record,
                              cp("wartość, która nie jest liczbą wymaganego rodzaju"));
}

std::string peak_name(std::string_view what, int k) {
  return std::string(what) + cp(" piku ") + std::to_string(k);
}

// The first value the program cannot keep as an out_of_range fault of
// `file`, in record order; an ok result when every value can be kept.
// Start-up takes every value the dialogs could have left behind and the
// rewrite could have written, so a file the program saved itself is never
// refused: a start value of 0 (a peak that took part in no fit) is taken
// here and refused by the fit request, and a Q factor or Del that the
// rewrite rounded to 1.0 is taken too.
ParamsResult checkvalues(const std::string& file, const Values& v) {
  auto fault = [&](int record, const std::string& what) {
    return paramsfault(ParamsStatus::out_of_range, file, record, runtime::recordprefix(record) + what);
  };
  const RangeCheck grid[2] = {{1, "Nout", v.Nout, 2, kMaxOutputGrid},
                              {1, cp("siatka"), v.gridflag, runtime::kI3Lowest, runtime::kI3Highest}};
  if (ParamsResult r = firstoutofrange(file, grid); !r.ok()) return r;
  for (int k = 1; k <= kMaxPeaks; ++k) {
    const int rec = 1 + k;
    const RangeCheck on[1] = {{rec, peak_name(cp("włączenie"), k), v.peakon[k - 1],
                               runtime::kI3Lowest, runtime::kI3Highest}};
    if (ParamsResult r = firstoutofrange(file, on); !r.ok()) return r;
    const double vals[3] = {v.Ea[k - 1], v.Tm[k - 1], v.Jm[k - 1]};
    static constexpr std::string_view kNames[3] = {"Ea", "Tm", "Jm"};
    for (int q = 0; q < 3; ++q) {
      if (!std::isfinite(vals[q])) {
        return fault(rec, peak_name(kNames[q], k) + cp(" nie jest liczbą skończoną"));
      }
    }
  }
  const double qs[3] = {v.QEa, v.QTm, v.QJm};
  static constexpr std::string_view kQNames[3] = {"QEa", "QTm", "QJm"};
  for (int q = 0; q < 3; ++q) {
    if (!(std::isfinite(qs[q]) && qs[q] >= 1.0)) {
      return fault(6, std::string(kQNames[q]) + cp(" musi być nie mniejsze od 1.0"));
    }
  }
  if (!(std::isfinite(v.Del) && v.Del <= 1.0)) return fault(7, cp("Del musi być nie większe od 1.0"));
  const RangeCheck ldiv[1] = {{7, "Ldiv", v.Ldiv, 1, 9}};
  return firstoutofrange(file, ldiv);
}

}  // namespace

std::string paramfilepath(const State& s) { return runtime::fileindirectory(s.startdir, kParamFile); }

ParamsResult readparams(State& s) {
  s.startdir = runtime::currentdirectory();
  const std::string file = paramfilepath(s);
  // A save the program did not finish leaves a temporary file beside it.
  runtime::removereplaceleftovers(file);
  return readparamsfrom(file, s);
}

ParamsResult readparamsfrom(std::string_view name, State& s) {
  const std::string file(name);
  FreeReader reader;
  if (ParamsResult opened = runtime::openparamsfile(reader, file); !opened.ok()) return opened;
  Values v;
  ReadResult res = reader.read({v.Nout, v.gridflag});
  if (!res.complete(2)) return paramsfault(ParamsStatus::unreadable, file, 1, read_problem(res, 1));
  for (int k = 0; k < kMaxPeaks; ++k) {
    res = reader.read({v.Ea[k], v.Tm[k], v.Jm[k], v.peakon[k]});
    if (!res.complete(4)) {
      return paramsfault(ParamsStatus::unreadable, file, 2 + k, read_problem(res, 2 + k));
    }
  }
  res = reader.read({v.QEa, v.QTm, v.QJm});
  if (!res.complete(3)) return paramsfault(ParamsStatus::unreadable, file, 6, read_problem(res, 6));
  res = reader.read({v.Del, v.Ldiv});
  if (!res.complete(2)) return paramsfault(ParamsStatus::unreadable, file, 7, read_problem(res, 7));

  if (ParamsResult checked = checkvalues(file, v); !checked.ok()) return checked;

  s.Nout = v.Nout;
  s.gridflag = v.gridflag;
  for (int k = 0; k < kMaxPeaks; ++k) {
    s.Ea[k] = v.Ea[k];
    s.Tm[k] = v.Tm[k];
    s.Jm[k] = v.Jm[k];
    s.peakon[k] = v.peakon[k];
  }
  s.QEa = v.QEa;
  s.QTm = v.QTm;
  s.QJm = v.QJm;
  s.Del = v.Del;
  s.Ldiv = v.Ldiv;
  ParamsResult ok;
  ok.file = file;
  return ok;
}

ParamsResult writeparams(const State& s) {
  const std::string file = paramfilepath(s);
  runtime::TextFile f;
  if (ParamsResult begun = runtime::beginparamsrewrite(f, file); !begun.ok()) return begun;
  f.write("(I5,I3)", {s.Nout, s.gridflag});
  for (int k = 0; k < kMaxPeaks; ++k) {
    f.write("(1P,3E14.6,0P,I3)", {s.Ea[k], s.Tm[k], s.Jm[k], s.peakon[k]});
  }
  f.write("(1P,3E14.6)", {s.QEa, s.QTm, s.QJm});
  f.write("(1P,E14.6,0P,I3)", {s.Del, s.Ldiv});
  return runtime::endparamsrewrite(f, file);
}

std::string paramssavedtext() { return cp("Parametry zapisane w pliku Varnel2.par"); }
std::string paramswritefailedtext() {
  return cp("Błąd zapisu parametrów w pliku Varnel2.par");
}

}  // namespace tsd::varnel2
