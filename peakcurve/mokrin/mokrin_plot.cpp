#include "peakcurve/mokrin/mokrin_plot.h"

#include <algorithm>
#include <span>

#include "shell/frame.h"
#include "shell/winplots.h"
#include "peakcurve/mokrin/winplot.h"

namespace tsd::mokrin {

namespace {
constexpr int kMeasuredColour = 223;
constexpr int kRangeGiven = 1;  // range modes: from the arguments
constexpr double kMarkerSize = 0.002;
constexpr double kLabelPosition = 0.2;
constexpr const char* kXTitle = "      T   ";
constexpr const char* kNoLabel = "          ";
constexpr const char* kXFormat = "(F14.1)";
constexpr const char* kYFormat = "(1P,E14.2)";
}  // namespace

void drawplot(const State& s, int plot, bool withdata) {
  const peakcurve::PeakState& p = s.peak;
  const bool current = plot != kPlotPolarisation;
  const double* model = current ? p.Ja : p.Pa;
  const double* measured = current ? s.data.J : s.Pd;
  double xmin = p.Tmin, xmax = p.Tmax, ymin = 0.0;
  double ymax = current ? p.Jamax : p.Pamax;
  if (withdata && s.datamax) ymax = std::max(ymax, current ? s.Jdmax : s.Pdmax);
  const char* ytitle = withdata ? (current ? "     Ja,Jd" : "     Pa,Pd")
                                : (current ? "        Ja" : "        Pa");
  const int grid = s.gridflag;
  const int nout = std::clamp(p.Nout, 0, peakcurve::kMaxGrid);
  peakcurve::winplot(std::span<const double>(p.Ta, nout), std::span<const double>(model, nout),
                     xmin, xmax, ymin, ymax, nout, kXTitle, ytitle, kNoLabel, kMarkerSize,
                     kLabelPosition, kXFormat, kYFormat, variantinfo(s.variant).modelcolour,
                     kPlotLine, kRangeGiven, kRangeGiven, 1, grid);
  if (!withdata) return;
  const int nin = std::clamp(s.data.N, 0, kMaxMeasuredPoints);
  peakcurve::winplot(std::span<const double>(s.data.T, nin),
                     std::span<const double>(measured, nin), xmin, xmax, ymin, ymax, nin, kXTitle,
                     ytitle, kNoLabel, kMarkerSize, kLabelPosition, kXFormat, kYFormat,
                     kMeasuredColour, kPlotCircles, kRangeGiven, kRangeGiven, 0, grid);
}

void redraw(const State& s) {
  cleargraphics();
  drawplot(s, s.currentplot, s.dataflag == 1);
}

}  // namespace tsd::mokrin
