// Test stand-in of the window layer's error store and option test (see
// grwindow_double.h): just enough for the graphics tests to read the codes
// the graphics layer records.
#include <cctype>
#include <string_view>

#include "toolkit/graphics/grwindow.h"
#include "toolkit/tests/grwindow_double.h"

namespace tsd {

namespace {
int lasterror = 0;
}  // namespace

void xxerror(int code) { lasterror = code; }

int infoerror(int /*item*/) {
  const int code = lasterror;
  lasterror = 0;
  return code;
}

bool xxopt(std::string_view text, char letter) {
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  for (char c : text)
    if (c == letter || c == lower) return true;
  return false;
}

}  // namespace tsd
