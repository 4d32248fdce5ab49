// The three graphs of varnel1 drawn from the analysis state with the
// argument sets the program passes to winplotm: graph 1 current density,
// graph 2 polarisation against T, graph 3 log tau against 1000/T.
#pragma once

#include <array>
#include <span>

#include "analysis/analysis_state.h"
#include "analysis/plot/winplotm.h"
#include "analysis/series.h"
#include "analysis/tests/synthetic_curve.h"

namespace tsd::testing {

inline constexpr std::array<int, 3> kSeriesColours = {47, 175, 111};
inline constexpr std::array<int, 3> kMeasuredColour1 = {223, 223, 223};

// A synthetic peak, measured from 220 K to 330 K (past its maximum, short
// of where the current underflows), analysed by all three series, each
// with its own integration and P0 method, fitted over 240 .. 300 K. With
// tau0 = 5e-13 the peak lies lower and log tau falls below 0 in the tail.
// False when a series failed.
inline bool computedstate(double tau0 = 5e-12) {
  SyntheticPeak peak;
  peak.tau0 = tau0;
  peak.Tlast = 330.0;
  peak.points = 441;
  load_synthetic(peak);
  analysis.intmethod = {1, 2, 3};
  analysis.p0method = {1, 2, 3};
  analysis.tmin = {240.0, 240.0, 240.0};
  analysis.tmax = {300.0, 300.0, 300.0};
  bool ok = true;
  for (int s = 1; s <= 3; ++s) ok = seriescompute(s, SeriesWindow::FitLimits).ok && ok;
  return ok;
}

// show: the series chosen for plots; graph 1 shows the measured current of
// the first chosen series only, as it is the same for all.
inline void drawgraph(int graph, std::array<int, 3> show, int grid) {
  AnalysisState& a = analysis;
  constexpr int n3 = AnalysisState::kSeries * AnalysisState::kPoints;
  std::array<int, 3> mask1 = {0, 0, 0};
  for (int s = 0; s < 3; ++s) {
    if (show[static_cast<std::size_t>(s)] == 1) {
      mask1[static_cast<std::size_t>(s)] = 1;
      break;
    }
  }
  const std::array<int, 3> shown = show;

  PlotBlock measured;
  measured.a = a.fitfirst;
  measured.b = a.fitlast;
  measured.p = a.datfirst;
  measured.c = a.datcount;
  measured.colour = kSeriesColours;
  measured.kind = 1;
  measured.leading = AnalysisState::kPoints;
  measured.m = 3;
  measured.show = shown;
  PlotBlock model;
  model.a = a.outfirst;
  model.b = a.outlast;
  model.p = a.out2first;
  model.c = a.out2last;
  model.colour = kSeriesColours;
  model.kind = 2;
  model.leading = AnalysisState::kPoints;
  model.m = 3;
  model.show = shown;

  double xmin = 0.0, xmax = 0.0;  // the program's own range variables
  if (graph == 1) {
    measured.x = a.tdat;
    measured.y = a.jdat;
    measured.leading = 0;
    measured.colour = kMeasuredColour1;
    measured.show = mask1;
    model.x = a.tout;
    model.y = std::span<const double>(a.ja[0].data(), n3);
    xmin = a.calctmin;
    xmax = a.calctmax;
    winplotm(measured, model, xmin, xmax, "      T   ", "     Jd,Ja", 0.002, "(F10.1)",
             "(1P,E11.2)", 1, grid);
  } else if (graph == 2) {
    measured.x = a.tdat;
    measured.y = std::span<const double>(a.pd[0].data(), n3);
    model.x = a.tout;
    model.y = std::span<const double>(a.pa[0].data(), n3);
    xmin = a.calctmin;
    xmax = a.calctmax;
    winplotm(measured, model, xmin, xmax, "      T   ", "     Pd,Pa", 0.002, "(F10.1)",
             "(1P,E11.2)", 1, grid);
  } else {
    measured.x = a.xdat;
    measured.y = std::span<const double>(a.ltaud[0].data(), n3);
    measured.a = a.fit3first;
    measured.b = a.fit3last;
    measured.p = a.intfirst;
    measured.c = a.intcount;
    model.x = a.xout;
    model.y = std::span<const double>(a.ltaua[0].data(), n3);
    xmin = a.xlo3;
    xmax = a.xhi3;
    winplotm(measured, model, xmin, xmax, "    1000/T", "   log tau", 0.002, "(F10.2)",
             "(F10.2)", 2, grid);
  }
}

}  // namespace tsd::testing
