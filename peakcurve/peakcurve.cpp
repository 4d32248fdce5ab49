#include "peakcurve/peakcurve.h"

#include <cmath>

#include "analysis/funcs.h"
#include "analysis/var.h"

namespace tsd::peakcurve {

bool derivetau0p0(PeakState& s) {
  const double b = var.b;
  if (s.Ea == 0.0 || s.Tm == 0.0 || b == 0.0) return false;
  const double k = kBoltzmannDerivation;
  const double tau0 = k * s.Tm * s.Tm * std::exp(-s.Ea / (k * s.Tm)) / (b * s.Ea);
  s.tau0 = tau0;
  s.P0 = tau0 * s.Jm / fun(s.Tm, tau0, s.Ea);
  return true;
}

bool peakcurves(PeakState& s) {
  const int n = s.Nout;
  if (n < 2 || n > kMaxGrid) return false;
  const double step = (s.Tmax - s.Tmin) / (n - 1);
  for (int i = 1; i <= n; ++i) {
    const double T = s.Tmin + (i - 1) * step;  // a product, not a running sum
    s.Ta[i - 1] = T;
    s.Ja[i - 1] = fun1(T, s.P0, s.tau0, s.Ea);
    s.Pa[i - 1] = funp1(T, s.P0, s.tau0, s.Ea);
  }
  s.Jamax = s.Ja[0];
  s.Pamax = s.Pa[0];
  for (int i = 1; i < n; ++i) {
    if (s.Ja[i] > s.Jamax) s.Jamax = s.Ja[i];
    if (s.Pa[i] > s.Pamax) s.Pamax = s.Pa[i];
  }
  return true;
}

}  // namespace tsd::peakcurve
