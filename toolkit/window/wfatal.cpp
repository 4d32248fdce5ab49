// The box of the fatal window-system paths: no owner, error icon, OK. The
// text also goes to standard error, for runs that nobody watches.
#include <cstdio>

#include "platform/user/dialog/dialog.h"
#include "toolkit/window/wresource.h"

namespace tsd {

void yyfatalbox(const char* text, const char* caption) {
  std::fprintf(stderr, "%s: %s\n", caption, text);
  plat::MessageBoxA(nullptr, text, caption, plat::MB_OK | plat::MB_ICONERROR);
}

}  // namespace tsd
