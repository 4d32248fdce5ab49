// varnel1's recomputation of its three series after new data or new limits
// or methods: each failure shown in its own box, then the graph redrawn.
#pragma once

#include "analysis/varnel1/varnel1_series.h"
#include "analysis/varnel1/varnel1_state.h"

namespace tsd::varnel1 {

// seriescompute for series 1, 2 and 3 with the given window, each failure
// shown in its own box at once; then the current graph is drawn unless
// series 3 failed (a failed series 1 or 2 is drawn with its previous
// curves), and always after a new data file (the integration-range
// window). Returns false when any series failed.
bool recomputeseries(State& s, SeriesWindow window);

}  // namespace tsd::varnel1
