// The two plots of the curve programs: plot 1 the current density (model
// Ja, measured Jd), plot 2 the polarisation (Pa, Pd), against T over the
// grid range, through the curve programs' plot routine.
#pragma once

#include "peakcurve/mokrin/mokrin_state.h"

namespace tsd::mokrin {

// Draws plot 1 or 2 into the current window: the model curve as a line in
// the program's colour, framed, and with `withdata` the measured points as
// circles in colour 223 over it. The y range runs from 0 to the model's
// maximum, or to the larger of it and the measured maximum inside the grid
// range.
void drawplot(const State& s, int plot, bool withdata);

// The whole window as the graphics area, cleared, and the current plot
// drawn, with the data while the data flag is set.
void redraw(const State& s);

}  // namespace tsd::mokrin
