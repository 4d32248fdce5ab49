#include "peakcurve/mokrin/winplot.h"

#include "shell/winplots.h"
#include "toolkit/graphics/graphics.h"

namespace tsd::peakcurve {

namespace {
constexpr int kSolidPattern = 4;
constexpr int kKeepFill = -1;  // winplots leaves the fill pattern as it is
}

void winplot(std::span<const double> x, std::span<const double> y,
             double& xmin, double& xmax, double& ymin, double& ymax, int n,
             std::string_view xtitle, std::string_view ytitle, std::string_view label,
             double markersize, double labelposition, std::string_view xformat,
             std::string_view yformat, int colour, int kind, int xmode, int ymode,
             int callmode, int grid) {
  // Call mode 0 of winplots draws the series without the label that its
  // call mode 2 would add.
  const int mode = callmode == 1 ? 1 : 0;
  // Solid markers and bars, density 1 and angle 1, set before winplots
  // draws anything: the frame and ticks use no fill, and winplots keeps it.
  const int density = 1, angle = 1;
  igrfillpattern(kSolidPattern, &density, &angle);
  winplots(x, y, xmin, xmax, ymin, ymax, n, xtitle, ytitle, label, markersize, labelposition,
           xformat, yformat, colour, kind, xmode, ymode, mode, kKeepFill, grid);
}

}  // namespace tsd::peakcurve
