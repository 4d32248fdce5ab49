#include "multipeak/varnel2/v2fields.h"

#include <string>

#include "analysis/conversions.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wdialog.h"

namespace tsd {

namespace {

// Fields are read whole: a number is never cut at the 14 characters of a
// conversion text.
constexpr std::size_t kReadLength = 256;

}  // namespace

void putreal(int field, double value, std::string_view format, int length) {
  std::string t;
  realtostring(value, t, format);
  wdialogputstring(field, std::string_view(t).substr(0, std::size_t(length)));
}

void putinteger(int field, int value, std::string_view format, int length) {
  std::string t = blank_text(kFieldTextLength);
  integertostring(value, t, format);
  wdialogputstring(field, std::string_view(t).substr(0, std::size_t(length)));
}

void putblank(int field) { wdialogputstring(field, blank_text(kFieldTextLength)); }

bool getreal(int field, double& value) {
  std::string t = blank_text(kReadLength);
  wdialoggetstring(field, t);
  int status = 0;
  stringtoreal(t, value, status);
  return status == 0;
}

bool getinteger(int field, int& value) {
  std::string t = blank_text(kReadLength);
  wdialoggetstring(field, t);
  istringtointeger(t, value);
  return value != 0;
}

}  // namespace tsd
