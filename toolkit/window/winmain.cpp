// The program entry around each program's main routine.
#include "toolkit/window/winmain.h"

#include <cstdio>
#include <exception>

#include "platform/kernel/kernel.h"
#include "platform/user/desktop.h"

namespace tsd {

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
  std::fflush(nullptr);
  // Every window still there is destroyed and everything the window system
  // holds is given back before the display closes.
  plat::desktop_reset();
  return code;
}

}  // namespace tsd
