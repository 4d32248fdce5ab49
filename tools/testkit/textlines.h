// Small edits of a text file's content for tests: one line replaced.
//
// Header only, so any test folder can use it without a library.
#pragma once

#include <sstream>
#include <string>

namespace tsd::testkit {

// `text` with its line `line` (1-based) replaced by `replacement`; every
// line ends with LF afterwards. A line number beyond the text changes
// nothing else.
inline std::string withline(const std::string& text, int line, const std::string& replacement) {
  std::istringstream in(text);
  std::string out, l;
  for (int n = 1; std::getline(in, l); ++n) out += (n == line ? replacement : l) + "\n";
  return out;
}

}  // namespace tsd::testkit
