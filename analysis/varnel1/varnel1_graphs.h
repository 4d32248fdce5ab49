// varnel1's three graphs drawn from the analysis state with the arguments
// the program gives winplotm: graph 1 current density Jd, Ja against T,
// graph 2 polarisation Pd, Pa against T, graph 3 log tau against 1000/T;
// and the redraw of the graph shown.
#pragma once

#include "analysis/varnel1/varnel1_state.h"

namespace tsd::varnel1 {

// Draws graph 1, 2 or 3 into the current graphics area (nothing for another
// number). Graph 1 draws the measured current through jmask, the others the
// measured curves of the series shown (plotseries); the model curves always
// follow plotseries. The grid follows gridflag. The x range variables the
// plot routine writes back are the program's own copies, so the state's
// calctmin, calctmax, xlo3 and xhi3 stay as they are.
void plotgraph(int graph, const AnalysisState& state, const Settings& settings);

// Clears the window and draws the current graph (nothing when none): after
// every command that changes what is drawn, and on expose and resize.
void redraw(const State& s);

}  // namespace tsd::varnel1
