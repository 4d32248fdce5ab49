// Splitting configuration lines into key and value.
#include "toolkit/window/winconfig.h"
#include "text/letters.h"

namespace tsd {

namespace {

bool blank(char c) { return c == ' ' || c == '\t' || c == '\0'; }

// The first blank-delimited word of text.
std::string firstword(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && blank(text[i])) ++i;
  std::size_t j = i;
  while (j < text.size() && !blank(text[j])) ++j;
  return std::string(text.substr(i, j - i));
}

}  // namespace

bool yyconfigline(std::string_view line, ConfigSetting* out) {
  if (line.size() > static_cast<std::size_t>(kConfigLineLength)) line = line.substr(0, kConfigLineLength);
  std::size_t eq = line.find('=');
  // Positions are counted from 1: "=" must stand at 2 to 169.
  if (eq == std::string_view::npos || eq + 1 < 2 || eq + 1 > static_cast<std::size_t>(kConfigLineLength - 1))
    return false;
  std::string key = firstword(line.substr(0, eq));
  std::string value = firstword(line.substr(eq + 1));
  if (key.empty() || value.empty()) return false;
  if (key.size() > static_cast<std::size_t>(kConfigKeyLength)) key.resize(kConfigKeyLength);
  out->key = text::asciiupper(key);
  out->value = value;
  return true;
}

}  // namespace tsd
