// Conversions between a number and the text of a dialog field.
//
// realtostring(value, text, format): the value is first rounded to the
//   nearest single-precision number, which is then written with the format
//   text, a format of one F or E descriptor such as "(F7.3)" or "(1P,E11.2)"
//   (blanks after it are ignored). `text` becomes exactly 14 characters: the
//   field at its start, blanks after it. A value that does not fit the field
//   fills the field with asterisks, and so does a value beyond the range of
//   single precision. A format that is not one real descriptor, or a field
//   wider than 14 characters, gives 14 asterisks. No status is returned.
//
// stringtoreal(text, value, status): the whole text is read in free format
//   (runtime/freeread.h) as one single-precision number, widened to double
//   and stored in value; status 0. Characters after the first value and its
//   separator are not read. A blank text gives status -1, a text whose first
//   value is not a number (letters, two decimal points, a number beyond
//   single precision, Infinity or NaN) status 1; value is not changed then.
//   A text that begins with a null value (a comma or a slash) gives status 0
//   and the value of the previous successful conversion (0 before the first).
#pragma once

#include <string>
#include <string_view>

namespace tsd {

inline constexpr int kFieldTextLength = 14;  // characters of a dialog-field text

void realtostring(double value, std::string& text, std::string_view format);
void stringtoreal(std::string_view text, double& value, int& status);

// The text of a field `width` characters wide holding `value`: the first
// `width` characters of realtostring's text.
std::string realfield(double value, std::string_view format, std::size_t width);

}  // namespace tsd
