// The program entry: each program's main() calls winmain with its main
// routine and returns what winmain returns.
#pragma once

namespace tsd {

// Exit code when the main routine ends by an unhandled exception.
inline constexpr int kUnhandledExitCode = 3;

// Records the command line, runs the main routine and returns the exit
// code: 0 when it returns, non-zero when it ends by an unhandled exception
// (reported on standard error). The display opens with the first window
// service the routine calls (TSD_DISPLAY, or the first backend that works;
// none: the process ends with a message, exit code 2) and is closed here.
int winmain(int argc, char** argv, void (*mainroutine)());

// Ends the program from inside its main routine with the exit code, after
// the window system and the display are closed as winmain closes them.
[[noreturn]] void winexit(int code);

}  // namespace tsd
