#include "multipeak/varnel2/varnel2_fields.h"

#include <string>

#include "analysis/conversions.h"
#include "multipeak/varnel2/varnel2_output.h"
#include "shell/fields.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wdialog.h"

namespace tsd::varnel2 {

void putreal(int field, double value, std::string_view format, int length) {
  wdialogputstring(field, realfield(value, format, length));
}

void putinteger(int field, int value, std::string_view format, int length) {
  wdialogputstring(field, integerfield(value, format, std::size_t(length)));
}

bool getreal(int field, double& value) {
  const std::string t = fieldtext(field);
  int status = 0;
  stringtoreal(t, value, status);
  return status == 0;
}

bool getinteger(int field, int& value) {
  istringtointeger(fieldtext(field), value);
  return value != 0;
}

}  // namespace tsd::varnel2
