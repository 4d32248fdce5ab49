// The three graphs of varnel1 drawn from the analysis state with the
// argument sets the program passes to winplotm: graph 1 current density,
// graph 2 polarisation against T, graph 3 log tau against 1000/T.
#pragma once

#include <array>
#include <span>

#include "analysis/varnel1/varnel1_state.h"
#include "analysis/varnel1/varnel1_graphs.h"
#include "analysis/varnel1/varnel1_series.h"
#include "analysis/varnel1/tests/synthetic_curve.h"

namespace tsd::varnel1::testing {

inline constexpr std::array<int, 3> kSeriesColours = {47, 175, 111};

// A synthetic peak, measured from 220 K to 330 K (past its maximum, short
// of where the current underflows), analysed by all three series, each
// with its own integration and P0 method, fitted over 240 .. 300 K. With
// tau0 = 5e-13 the peak lies lower and log tau falls below 0 in the tail.
// False when a series failed.
inline bool computedstate(AnalysisState& analysis, double tau0 = 5e-12) {
  SyntheticPeak peak;
  peak.tau0 = tau0;
  peak.Tlast = 330.0;
  peak.points = 441;
  load_synthetic(analysis, peak);
  analysis.intmethod = {1, 2, 3};
  analysis.p0method = {1, 2, 3};
  analysis.tmin = {240.0, 240.0, 240.0};
  analysis.tmax = {300.0, 300.0, 300.0};
  bool ok = true;
  for (int s = 1; s <= 3; ++s) ok = seriescompute(analysis, s, SeriesWindow::FitLimits).ok && ok;
  return ok;
}

// show: the series chosen for plots (graph 1 draws the measured current
// once, through the highest-numbered series shown).
inline void drawgraph(const AnalysisState& analysis, int graph, std::array<int, 3> show, int grid) {
  Settings settings;
  settings.plotseries = show;
  settings.gridflag = grid;
  computejmask(settings);
  plotgraph(graph, analysis, settings);
}

}  // namespace tsd::varnel1::testing
