// The graph front end of varnel1: one complete graph of up to three
// measured series drawn as markers and up to three model series drawn as
// lines, in one frame with common ranges, through winplots.
//
// Each block (measured: 1, model: 2) has abscissae x, ordinates y in
// columns of leading dimension L (point i of series s is y(L*(s-1) + i),
// indices from 1; L = 0 lets every series share one column) and, per
// series s, the highlighted sub-range a(s) .. b(s), the plotted range of
// c(s) points from p(s), a colour number and a show flag (1 = shown).
//
// The y range is found over the points that will be visible (plotted
// range of a shown series, abscissa within xmin .. xmax, bounds included);
// ymin mode 1 sets ymin = 0, mode 2 takes the smallest such ordinate, any
// other mode keeps the ymin of the previous call. The first shown measured
// series draws the frame, ticks, titles and labels; model series carry
// their series number as a curve label at the bottom of the window.
//
// Index ranges are cut to the arrays given, and m to the per-series arrays,
// so no bad index reads outside them. The routine keeps ymin, ymax, the
// call mode and the label position in static storage.
#pragma once

#include <span>
#include <string_view>

namespace tsd::varnel1 {

// One block of series as winplotm reads it.
struct PlotBlock {
  std::span<const double> x;
  std::span<const double> y;
  std::span<const int> a;  // highlighted sub-range a(s) .. b(s)
  std::span<const int> b;
  std::span<const int> p;  // plotted range: first index p(s), c(s) points
  std::span<const int> c;
  std::span<const int> colour;
  int kind = 0;            // kind for winplots
  int leading = 0;         // leading dimension L of y
  int m = 0;               // number of series
  std::span<const int> show;
};

void winplotm(const PlotBlock& measured, const PlotBlock& model, double& xmin, double& xmax,
              std::string_view xtitle, std::string_view ytitle, double markersize,
              std::string_view xformat, std::string_view yformat, int yminmode, int grid);

}  // namespace tsd::varnel1
