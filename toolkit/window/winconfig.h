// Lines of the toolkit configuration file: KEY=VALUE, one setting a line.
#pragma once

#include <string>
#include <string_view>

namespace tsd {

// Longest configuration line read; the rest of a longer line is ignored.
inline constexpr int kConfigLineLength = 170;
// Keys are compared on this many characters.
inline constexpr int kConfigKeyLength = 8;

struct ConfigSetting {
  std::string key;    // first word before "=", upper-cased, at most 8 characters
  std::string value;  // first word after "=", as written
};

// Split one line of the file. False when the line is not used: no "=" at
// a position from 2 to 169, or an empty key or value. Tabs count as blanks.
bool yyconfigline(std::string_view line, ConfigSetting* out);

}  // namespace tsd
