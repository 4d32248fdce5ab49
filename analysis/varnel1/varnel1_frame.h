// varnel1's program frame: start-up, the command table that runs every menu
// command, and the redraw of the current graph.
#pragma once

namespace tsd::varnel1 {

// The main routine the program entry runs. It returns when the program
// ends by "&Koniec" or the root window's close box; a missing or unusable
// VARNEL1.PAR ends the process with exit code 2.
void run();

}  // namespace tsd::varnel1
