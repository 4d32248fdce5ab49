// varnel2's graph: the measured curve as circles (the fit range solid) and
// the curves of the start values or of the last fit, with the grid when it
// is switched on.
#pragma once

#include "multipeak/varnel2/varnel2_state.h"

namespace tsd::varnel2 {

// Once data are loaded: the whole graphics area cleared and the graph drawn
// again. The window layer erases a damaged part to the white class
// background; drawn over that, the white frame, ticks and labels would
// vanish, so the whole graph is drawn after every change, exposure and
// resize. Before the first data file nothing is drawn.
void redraw(const State& s);

}  // namespace tsd::varnel2
