// The x-y plot routine: one data series drawn into the current window as
// part of a plot. The first call of a plot (call mode 1) also draws the
// frame, the zero lines, tick marks or grid lines, the axis titles and the
// tick labels; later calls only add their series, call mode 2 with a short
// curve label.
//
// Frame: the graphics area (0.24, 0.12)-(0.96, 0.98) of the window with
// user units 0..1 both ways; every point is drawn at its frame fractions
// X = (x - xmin)/(xmax - xmin), Y = (y - ymin)/(ymax - ymin). Texts are
// drawn in the whole window (units 0..1), so their positions are fractions
// of the window. Colour 223 draws the frame, zero lines, major grid lines,
// titles and tick labels, colour 255 the minor grid lines; the series and
// its label take the caller's colour.
//
// The ranges are read and written: range modes (2 the minimum from the
// data, 3 the maximum, 4 both; other values keep the caller's values) and
// the widening of an empty range (xmax <= xmin: xmin = 0 when xmax > 0,
// else xmax = 0 when xmin < 0, else -1 .. 1) are written back, so later
// calls of the same plot see the ranges the frame was drawn with. Callers
// pass variables of their own.
//
// At most min(n, x.size(), y.size()) points are read; a negative n reads
// none. The routine reports nothing and leaves the graphics layer in the
// state of its last settings (after call modes 1 and 2 the whole window is
// the area, after other modes the frame).
#pragma once

#include <span>
#include <string_view>

namespace tsd {

// Kinds of series.
inline constexpr int kPlotCircles = 1;
inline constexpr int kPlotLine = 2;
inline constexpr int kPlotCirclesLine = 3;
inline constexpr int kPlotBars = 4;

void winplots(std::span<const double> x, std::span<const double> y,
              double& xmin, double& xmax, double& ymin, double& ymax, int n,
              std::string_view xtitle,      // 10 characters, under the x axis
              std::string_view ytitle,      // 10 characters, left of the y axis
              std::string_view label,       // curve label, call mode 2 only
              double markersize,            // circle radius, bar width (frame fractions)
              double labelposition,         // x of the curve label (window fraction)
              std::string_view xformat,     // format text of the x tick labels
              std::string_view yformat,     // format text of the y tick labels
              int colour,                   // colour number of the series and label
              int kind,                     // 1 circles, 2 line, 3 both, 4 bars
              int xmode, int ymode,         // range modes
              int callmode,                 // 1 first series, 2 series and label, else series
              int fill,                     // 0 outlined, 1 solid, else unchanged
              int grid);                    // 0 tick marks, 1 grid lines, else neither

// Tick step of one axis (exposed for its own tests): the major step for
// the span d = max - min > 0; the minor step is 0.2 of it.
double winplotstep(double span);

}  // namespace tsd
