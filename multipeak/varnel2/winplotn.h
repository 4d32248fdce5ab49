// varnel2's graph: the measured series as circles (the fit range as solid
// circles) and up to five model curves on the output grid as labelled
// lines, with one common y range, drawn through winplots.
//
// A set of series shares its x values; series s (1-based) of a set starts
// at y + stride*(s - 1). Indices are 1-based as the fit's records are.
#pragma once

#include <span>
#include <string_view>

namespace tsd::varnel2 {

struct PlotSeriesSet {
  std::span<const double> x;  // x of the points
  std::span<const double> y;  // series after series, `stride` apart
  int f1 = 1, f2 = 0;         // emphasised (solid) range of indices
  int first = 1;              // first index of a series
  int n = 0;                  // number of points (with first = 1 also the last index)
  std::span<const int> colours;  // colour of each series
  int kind = 1;               // winplots kind
  int stride = 0;             // between series in y
  int count = 0;              // number of series
  std::span<const int> flags;    // 1 = drawn
};

// The common y range of the drawn points inside [xmin, xmax]: ymax the
// largest value (-1e100 when there is none), ymin 0 for ymode 1, the
// smallest value (1e100 when none) for ymode 2, unchanged otherwise.
void winplotnrange(const PlotSeriesSet& measured, const PlotSeriesSet& curves, double xmin,
                   double xmax, int ymode, double& ymin, double& ymax);

// Draws the graph; xmin and xmax are handed to winplots and get back the
// range it used.
void winplotn(const PlotSeriesSet& measured, const PlotSeriesSet& curves, double& xmin,
              double& xmax, std::string_view xtitle, std::string_view ytitle, double markersize,
              std::string_view xformat, std::string_view yformat, int ymode, int grid);

}  // namespace tsd::varnel2
