// A measured curve synthesised from the model, put into an analysis state
// as a data file and the data request would leave it (points, 1000/T, the
// output grid and every series' limits over the measured range).
#pragma once

#include "analysis/varnel1/varnel1_state.h"
#include "analysis/funcs.h"
#include "analysis/varnel1/varnel1_series.h"
#include "analysis/var.h"

namespace tsd::varnel1::testing {

struct SyntheticPeak {
  double T0 = 220.0;     // start of heating [K], also the first point
  double b = 0.05;       // heating rate [K/s]
  double Ea = 0.8;       // [eV]
  double tau0 = 5e-12;   // [s]
  double P0 = 2e-8;      // [C/cm2]
  double Tlast = 380.0;  // last point [K]
  int points = 641;      // evenly spaced, T0..Tlast
  int grid = 121;        // output grid points
};

inline void load_synthetic(AnalysisState& a, const SyntheticPeak& p) {
  var.T0 = p.T0;
  var.b = p.b;
  a.nwej = p.points;
  a.area = 1.0;
  const double step = (p.Tlast - p.T0) / (p.points - 1);
  for (int i = 1; i <= p.points; ++i) {
    const double t = p.T0 + (i - 1) * step;
    a.tdat[i - 1] = t;
    a.jdat[i - 1] = fun1(t, p.P0, p.tau0, p.Ea);
  }
  a.nwyj = p.grid;
  resetranges(a);
}

}  // namespace tsd::varnel1::testing
