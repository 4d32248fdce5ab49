// Reading a dialog field of the selected dialog whole, so that a long
// number is never cut at a conversion text's width.
#pragma once

#include <string>
#include <string_view>

namespace tsd {

// The most characters a field holds, and so the length of a field read.
inline constexpr std::size_t kFieldReadLength = 65535;

// The field's text blank-padded to kFieldReadLength.
std::string fieldtext(int field);

// The text of a field `width` characters wide holding `value`, written with
// an integer format such as "(I3)".
std::string integerfield(int value, std::string_view format, std::size_t width);

}  // namespace tsd
