// Synthetic measured curves made from the sum-of-peaks model, loaded into the
// fit's global records, with start values and boxes as the program builds
// them (a/Q .. a*Q per kind of parameter).
#pragma once

#include <vector>

#include "analysis/funcs.h"
#include "analysis/var.h"
#include "multipeak/fitcompute.h"
#include "multipeak/records.h"

namespace tsd::fittest {

struct Peak {
  double Jm, Tm, Ea;
};

// Heating from 200 K at 0.1 K/s; points every `dT` kelvin from 220 K.
inline void load_curve(const std::vector<Peak>& peaks, int npoints, double dT = 1.0) {
  var.T0 = 200.0;
  var.b = 0.1;
  arrays = ArraysRecord{};
  for (int i = 0; i < npoints; ++i) {
    const double T = 220.0 + dT * i;
    double J = 0.0;
    for (const Peak& p : peaks) J += funcsubr2::fun2(T, p.Jm, p.Tm, p.Ea);
    arrays.T[i] = T;
    arrays.J[i] = J;
  }
  numbers.n1 = 1;
  numbers.n2 = npoints;
}

// Start vector and box for the enabled peaks, in the order given:
// factors f multiply the true values (5 to 10 % off).
inline void load_start(const std::vector<Peak>& start, double QJm = 2.0, double QTm = 1.1,
                       double QEa = 1.5) {
  const int m = int(start.size());
  fitvector = FitVectorRecord{};
  numbers.nparam = 3 * m;
  for (int j = 0; j < m; ++j) {
    fitvector.a[j] = start[j].Jm;
    fitvector.a[m + j] = start[j].Tm;
    fitvector.a[2 * m + j] = start[j].Ea;
  }
  for (int i = 0; i < 3 * m; ++i) {
    const double Q = i < m ? QJm : i < 2 * m ? QTm : QEa;
    fitvector.bounds.lower[i] = fitvector.a[i] / Q;
    fitvector.bounds.upper[i] = fitvector.a[i] * Q;
  }
}

// An output grid of n points from 220 K in steps of 2 K.
inline void load_grid(CurveArray& c, int n) {
  for (int i = 0; i < n; ++i) c.col[0][i] = 220.0 + 2.0 * i;
}

}  // namespace tsd::fittest
