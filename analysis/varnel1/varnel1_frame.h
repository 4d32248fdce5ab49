// varnel1's program frame: start-up, the command table that runs every menu
// command, and the end of the program.
#pragma once

#include "analysis/varnel1/varnel1_state.h"

namespace tsd::varnel1 {

// The main routine the program entry runs. It returns when the program
// ends by "&Koniec" or the root window's close box; a missing or unusable
// VARNEL1.PAR ends the process with exit code 2.
void run();

// Runs the menu command `id`; false when the program ends. Any id that is
// not a command of this program is ignored.
bool command(State& s, int id);

}  // namespace tsd::varnel1
