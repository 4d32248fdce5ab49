// varnel1's program frame: start-up, the message loop that runs every menu
// command, the redraw of the current graph and the end of the program.
#pragma once

namespace tsd {

// The main routine the program entry runs. It returns when the program
// ends by "&Koniec" or the root window's close box; a missing or unusable
// VARNEL1.PAR ends the process with exit code 2.
void varnel1main();

}  // namespace tsd
