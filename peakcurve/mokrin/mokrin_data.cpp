#include "peakcurve/mokrin/mokrin_data.h"

#include <algorithm>
#include <cmath>

#include "analysis/fit.h"
#include "analysis/var.h"
#include "peakcurve/inttrap.h"

namespace tsd::mokrin {

DataFileStatus loaddata(State& s, std::string_view name) {
  // Read into a copy: a file that fails, here or in the polarisation
  // below, leaves the data held and its b and T0 as they were.
  const VarRecord before = var;
  MeasuredData incoming;
  const DataFileStatus status = readnewdatafile(name, incoming);
  if (status != DataFileStatus::ok) return status;
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
