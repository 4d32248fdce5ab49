// varnel2's reports and tables appended to a file the user chooses, or
// written to the printer.
#pragma once

#include "multipeak/varnel2/varnel2_output.h"
#include "multipeak/varnel2/varnel2_state.h"

namespace tsd::varnel2 {

// The save dialog of `what`, then the lines appended to the chosen file and
// the box that tells how it went.
void save(State& s, Output what);

// The printer lines of `what` sent to the printer; a box only when it failed.
void print(const State& s, Output what);

}  // namespace tsd::varnel2
