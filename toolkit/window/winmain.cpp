// The program entry around each program's main routine.
#include "toolkit/window/winmain.h"

#include <cstdio>
#include <exception>

#include "platform/display/display.h"
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
  // Windows destroyed by the program are freed only when no window
  // procedure runs; none runs any more: free them and every window left,
  // then close the display.
  plat::desktop_reset();
  return code;
}

}  // namespace tsd
