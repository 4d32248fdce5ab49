// The box of the fatal window-system paths: no owner, error icon, OK.
// Until this build has the message boxes it is written to the run's log
// (where the scripted user's tests read boxes) and to standard error.
#include <cstdio>
#include <string>

#include "platform/display/display.h"
#include "toolkit/window/wresource.h"

namespace tsd {

void yyfatalbox(const char* text, const char* caption) {
  plat::script_log(std::string("message box: \"") + caption + "\" \"" + text + "\" icon error");
  std::fprintf(stderr, "%s: %s\n", caption, text);
}

}  // namespace tsd
