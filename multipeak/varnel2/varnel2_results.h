// varnel2's results on the screen: the fitted values and their errors in
// V2_DLG_RESULTS, and the three tables.
#pragma once

#include "multipeak/varnel2/varnel2_state.h"

namespace tsd::varnel2 {

// The values of the last fit of the enabled peaks, blanks for the others,
// and Chi (blank with no peak).
void showresults(const State& s);

// Table 1 (the measured points), 2 (the fitted sum) or 3 (the fitted curves
// of the enabled peaks; nothing with no peak enabled).
void showtable(const State& s, int table);

}  // namespace tsd::varnel2
