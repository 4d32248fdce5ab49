#include "analysis/datafile.h"

#include <algorithm>
#include <cmath>

#include "analysis/var.h"
#include "runtime/freeread.h"

namespace tsd {

DataFileStatus readdatafile(std::string_view name, MeasuredData& data) {
  runtime::FreeReader reader;
  if (!reader.open(name)) return DataFileStatus::cannot_open;

  // Header: N, b, T0, S.
  int n = 0;
  double b = 0.0, t0 = 0.0, s = 0.0;
  const runtime::ReadResult head = reader.read({n, b, t0, s});
  if (head.assigned & 2u) {
    data.b = b;
    var.b = b;
  }
  if (head.assigned & 4u) {
    data.T0 = t0;
    var.T0 = t0;
  }
  const bool n_ok = (head.assigned & 1u) && n >= 2 && n <= kMaxMeasuredPoints;
  if (n_ok) data.N = n;
  const double rs = 1.0 / s;  // the reciprocal of the area, taken once
  const bool s_ok = (head.assigned & 8u) && s != 0.0 && std::isfinite(rs);
  if (s_ok) data.S = s;
  // Every polarisation is divided by b: a rate not above 0 leaves none.
  const bool b_ok = (head.assigned & 2u) && b > 0.0;
  bool failed = !head.complete(4) || !n_ok || !s_ok || !b_ok;
  if (!head.complete(4) || !s_ok || !b_ok) return DataFileStatus::read_failed;

  // Points: as many as the header says, as far as they fit.
  const int count = std::clamp(n, 0, kMaxMeasuredPoints);
  for (int i = 0; i < count; ++i) {
    double t = 0.0, current = 0.0;
    const runtime::ReadResult r = reader.read({t, current});
    if (r.assigned & 1u) data.T[i] = t;
    if (r.assigned & 2u) {
      const double j = current * rs;
      if (std::isfinite(j)) {
        data.J[i] = j;
      } else {
        failed = true;
      }
    }
    if (!r.complete(2)) failed = true;
  }
  return failed ? DataFileStatus::read_failed : DataFileStatus::ok;
}

DataFileStatus readnewdatafile(std::string_view name, MeasuredData& data) {
  const VarRecord held = var;
  const DataFileStatus status = readdatafile(name, data);
  if (status != DataFileStatus::ok) var = held;
  return status;
}

}  // namespace tsd
