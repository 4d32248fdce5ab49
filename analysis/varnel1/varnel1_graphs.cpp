#include "analysis/varnel1/varnel1_graphs.h"

#include <array>
#include <span>

#include "analysis/varnel1/winplotm.h"
#include "shell/frame.h"

namespace tsd::varnel1 {

namespace {

constexpr int kColumn = AnalysisState::kPoints;  // column length of a per-series array
constexpr int kAll = AnalysisState::kSeries * AnalysisState::kPoints;

std::span<const double> columns(const AnalysisState::SeriesPoints& a) {
  return std::span<const double>(a[0].data(), kAll);
}

}  // namespace

void plotgraph(int graph, const AnalysisState& a, const Settings& settings) {
  if (graph < 1 || graph > 3) return;
  const std::array<int, 3> measuredcolour = {settings.measuredcolour, settings.measuredcolour,
                                             settings.measuredcolour};
  // A series without results has no model curve, and so no label either.
  std::array<int, AnalysisState::kSeries> modelshown{};
  for (int s = 0; s < AnalysisState::kSeries; ++s) {
    modelshown[s] = a.hasresults[s] == 1 ? settings.plotseries[s] : 0;
  }

  PlotBlock measured;
  measured.a = a.fitfirst;
  measured.b = a.fitlast;
  measured.p = a.datfirst;
  measured.c = a.datcount;
  measured.colour = settings.seriescolour;
  measured.kind = 1;
  measured.leading = kColumn;
  measured.m = AnalysisState::kSeries;
  measured.show = settings.plotseries;

  PlotBlock model;
  model.a = a.outfirst;
  model.b = a.outlast;
  model.p = a.out2first;
  model.c = a.out2last;
  model.colour = settings.seriescolour;
  model.kind = 2;
  model.leading = kColumn;
  model.m = AnalysisState::kSeries;
  model.show = modelshown;

  double xmin = 0.0;
  double xmax = 0.0;
  if (graph == 1) {
    // The measured current is one column shared by every series.
    measured.x = a.tdat;
    measured.y = a.jdat;
    measured.leading = 0;
    measured.colour = measuredcolour;
    measured.show = settings.jmask;
    model.x = a.tout;
    model.y = columns(a.ja);
    xmin = a.calctmin;
    xmax = a.calctmax;
    winplotm(measured, model, xmin, xmax, "      T   ", "     Jd,Ja", settings.markersize,
             "(F10.1)", "(1P,E11.2)", 1, settings.gridflag);
  } else if (graph == 2) {
    measured.x = a.tdat;
    measured.y = columns(a.pd);
    model.x = a.tout;
    model.y = columns(a.pa);
    xmin = a.calctmin;
    xmax = a.calctmax;
    winplotm(measured, model, xmin, xmax, "      T   ", "     Pd,Pa", settings.markersize,
             "(F10.1)", "(1P,E11.2)", 1, settings.gridflag);
  } else {
    measured.x = a.xdat;
    measured.y = columns(a.ltaud);
    measured.a = a.fit3first;
    measured.b = a.fit3last;
    measured.p = a.intfirst;
    measured.c = a.intcount;
    model.x = a.xout;
    model.y = columns(a.ltaua);
    xmin = a.xlo3;
    xmax = a.xhi3;
    winplotm(measured, model, xmin, xmax, "    1000/T", "   log tau", settings.markersize,
             "(F10.2)", "(F10.2)", 2, settings.gridflag);
  }
}

void redraw(const State& s) {
  cleargraphics();
  plotgraph(s.settings.curgraph, s.analysis, s.settings);
}

}  // namespace tsd::varnel1
