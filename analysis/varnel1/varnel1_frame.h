// varnel1's program frame: start-up, the message loop that runs every menu
// command, the redraw of the current graph and the end of the program.
#pragma once

namespace tsd {

// The main routine the program entry runs. It returns when the program
// ends: by "&Koniec", the root window's close box, or a failed start-up.
void varnel1main();

// What the process should exit with after varnel1main: 0 after a normal
// end, 2 when VARNEL1.PAR was missing or could not be used.
int varnel1exitcode();

}  // namespace tsd
