#include "peakcurve/mokrin/mokrin_data.h"

#include "analysis/fit.h"
#include "analysis/var.h"
#include "peakcurve/inttrap.h"

namespace tsd::mokrin {

DataFileStatus loaddata(MokrinState& s, std::string_view name) {
  // The reader writes b and T0 into `var` as soon as it has them, and
  // leaves a partly read file behind: read into a copy.
  const VarRecord before = var;
  static MeasuredData incoming;
  incoming = MeasuredData{};
  const DataFileStatus status = readdatafile(name, incoming);
  if (status != DataFileStatus::ok) {
    var = before;
    return status;
  }
  s.data = incoming;
  const int n = s.data.N;
  peakcurve::inttrap(s.data.T, s.data.J, n, peakcurve::kIntegrateDown, s.data.T[n - 1], s.Pd);
  divdarr(s.Pd, var.b, n);
  datarange(s);
  s.dataflag = 1;
  s.datafile = std::string(name);
  return status;
}

}  // namespace tsd::mokrin
