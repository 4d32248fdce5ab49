// The program entry around each program's main routine.
#include "toolkit/window/winmain.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "platform/display/display.h"
#include "platform/kernel/kernel.h"
#include "platform/user/desktop.h"

namespace tsd {

namespace {
// Windows the routine left open (loaded dialogs, or all of them when it
// ended without windowclose) are destroyed and freed, then the display
// goes.
void closeall() {
  std::fflush(nullptr);
  plat::desktop_reset();
  plat::display_close();
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
