// varnel1's results (dialog 109) and tables (dialogs 101, 111, 102, 103) on
// the screen, filled from the state and shown until the user closes them.
#pragma once

#include "analysis/varnel1/varnel1_state.h"

namespace tsd::varnel1 {

void showresults(const State& s);
void showtable(const State& s, int table);  // table 1..4, of settings.tabseries

}  // namespace tsd::varnel1
