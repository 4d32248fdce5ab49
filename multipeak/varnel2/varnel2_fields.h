// Dialog fields of varnel2 as numbers: a value written through its format
// into the first `length` characters of a field, and a field's whole text
// read back as a number.
#pragma once

#include <string_view>

namespace tsd::varnel2 {

// realtostring's text, its first `length` characters, into the field.
void putreal(int field, double value, std::string_view format, int length);
// integertostring's text into the field.
void putinteger(int field, int value, std::string_view format, int length);
// The field read with stringtoreal: false (value unchanged) when unreadable.
bool getreal(int field, double& value);
// The field read with istringtointeger: false when the value is 0, which
// counts as unreadable.
bool getinteger(int field, int& value);

}  // namespace tsd::varnel2
