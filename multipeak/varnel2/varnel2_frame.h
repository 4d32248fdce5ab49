// varnel2's frame: the main routine given to winmain and the command table
// every menu command goes through.
#pragma once

#include "multipeak/varnel2/varnel2_state.h"

namespace tsd::varnel2 {

// The main routine given to winmain.
void run();

// One menu command on the state of the run; false when the program is to
// end.
bool command(State& s, int id);

}  // namespace tsd::varnel2
