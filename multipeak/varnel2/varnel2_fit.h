// The fit request of varnel2 and the copy of the fitted values to the
// start values ("Przepisanie parametrów").
#pragma once

#include "multipeak/varnel2/varnel2_state.h"

namespace tsd::varnel2 {

// Fits the enabled peaks to the measured points of the fit range, unless a
// start value or the fit range cannot give a fit; then shows the fitted
// curves and opens the menus of the results.
void fitrequest(State& s);

// The fitted values of the enabled peaks become their start values, in the
// state and in the fields of V2_DLG_PEAKS.
void copyfitted(State& s);

}  // namespace tsd::varnel2
