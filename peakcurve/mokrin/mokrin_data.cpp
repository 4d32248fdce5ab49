#include "peakcurve/mokrin/mokrin_data.h"

#include <algorithm>
#include <cmath>

#include "analysis/fit.h"
#include "analysis/var.h"
#include "peakcurve/inttrap.h"

namespace tsd::mokrin {

DataFileStatus loaddata(State& s, std::string_view name) {
  // The reader writes b and T0 into `var` as soon as it has them, and
  // leaves a partly read file behind: read into a copy.
  const VarRecord before = var;
  MeasuredData incoming;
  const DataFileStatus status = readdatafile(name, incoming);
  if (status != DataFileStatus::ok) {
    var = before;
    return status;
  }
  const int n = incoming.N;
  double pd[kMaxMeasuredPoints] = {};
  peakcurve::inttrap(incoming.T, incoming.J, n, peakcurve::kIntegrateDown, incoming.T[n - 1], pd);
  divdarr(pd, var.b, n);
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(pd[i])) {
      var = before;
      return DataFileStatus::read_failed;
    }
  }
  s.data = incoming;
  std::copy(pd, pd + n, s.Pd);
  datarange(s);
  s.dataflag = 1;
  s.datafile = std::string(name);
  return status;
}

}  // namespace tsd::mokrin
