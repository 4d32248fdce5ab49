// The curve programs' plot routine: winplots (shell/winplots.h) with
// two differences. Markers and bars are always solid (there is no fill
// argument), and no curve label is ever drawn: call mode 1 draws the frame,
// ticks or grid, titles and tick labels with the series; every other call
// mode draws the series alone. The ranges are read and written as winplots
// does, so callers pass variables of their own.
#pragma once

#include <span>
#include <string_view>

namespace tsd::peakcurve {

void winplot(std::span<const double> x, std::span<const double> y,
             double& xmin, double& xmax, double& ymin, double& ymax, int n,
             std::string_view xtitle,   // 10 characters, under the x axis
             std::string_view ytitle,   // 10 characters, left of the y axis
             std::string_view label,    // accepted, not drawn
             double markersize,         // circle radius, bar width (frame fractions)
             double labelposition,      // accepted, not used
             std::string_view xformat,  // format text of the x tick labels
             std::string_view yformat,  // format text of the y tick labels
             int colour,                // colour number of the series
             int kind,                  // 1 circles, 2 line, 3 both, 4 bars
             int xmode, int ymode,      // range modes
             int callmode,              // 1 frame and series, else the series alone
             int grid);                 // 0 tick marks, 1 grid lines, else neither

}  // namespace tsd::peakcurve
