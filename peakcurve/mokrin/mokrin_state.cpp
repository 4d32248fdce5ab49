#include "peakcurve/mokrin/mokrin_state.h"

namespace tsd::mokrin {

const VariantInfo& variantinfo(Variant v) {
  static const VariantInfo kMokrin1{Variant::mokrin1, "Mokrin1", "MOKRIN1.PAR", 47, false};
  static const VariantInfo kMokrin2{Variant::mokrin2, "Mokrin2", "MOKRIN2.PAR", 175, true};
  return v == Variant::mokrin2 ? kMokrin2 : kMokrin1;
}

void datarange(State& s) {
  const int n = s.data.N < 0 ? 0 : (s.data.N > kMaxMeasuredPoints ? kMaxMeasuredPoints : s.data.N);
  int below = 0, above = 0;
  for (int i = 0; i < n; ++i) {
    if (s.data.T[i] < s.peak.Tmin) ++below;
    if (s.data.T[i] > s.peak.Tmax) ++above;
  }
  s.i1 = 1 + below;
  s.i2 = n - above;
  s.datamax = s.i1 <= s.i2;
  if (!s.datamax) {
    s.Jdmax = 0.0;
    s.Pdmax = 0.0;
    return;
  }
  s.Jdmax = s.data.J[s.i1 - 1];
  s.Pdmax = s.Pd[s.i1 - 1];
  for (int i = s.i1; i < s.i2; ++i) {
    if (s.data.J[i] > s.Jdmax) s.Jdmax = s.data.J[i];
    if (s.Pd[i] > s.Pdmax) s.Pdmax = s.Pd[i];
  }
}

}  // namespace tsd::mokrin
