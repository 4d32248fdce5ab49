// The program entry around each program's main routine.
#include "toolkit/window/winmain.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "platform/kernel/kernel.h"
#include "platform/user/desktop.h"

namespace tsd {

namespace {
// Every window still there (loaded dialogs, or all of them when the routine
// ended without windowclose) is destroyed and everything the window system
// holds is given back; then the display closes.
void closeall() {
  std::fflush(nullptr);
  plat::desktop_reset();
}
}  // namespace

void winexit(int code) {
  closeall();
  std::exit(code);
}

int winmain(int argc, char** argv, void (*mainroutine)()) {
  plat::RecordCommandLine(argc, argv);
  int code = 0;
  try {
    if (mainroutine) mainroutine();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "unhandled exception: %s\n", e.what());
    code = kUnhandledExitCode;
  } catch (...) {
    std::fprintf(stderr, "unhandled exception\n");
    code = kUnhandledExitCode;
  }
  closeall();
  return code;
}

}  // namespace tsd
