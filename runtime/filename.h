// The file names the programs hold: a blank-padded field of code page 1250
// characters as long as the host lets a path be, so that every path the
// host can open is held whole, and the test of a name the host cannot take.
// Names are never cut: one too long is refused where it is chosen.
#pragma once

#include <climits>
#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace tsd::runtime {

// The longest path the host opens (bytes of its own names, UTF-8, without
// the ending NUL) and the longest part of one between slashes. A code page
// 1250 name never has more characters than its host form has bytes, so a
// field of kHostPathLength characters holds every name the host can take.
inline constexpr std::size_t kHostPathLength = PATH_MAX - 1;
inline constexpr std::size_t kHostNamePartLength = NAME_MAX;

// A file name as the programs keep it between commands: blank-padded,
// offered again in the next file dialog.
class FileName {
 public:
  FileName() : field_(kHostPathLength, ' ') {}
  // The whole field, for the file dialog to read and fill.
  std::span<char> field() { return field_; }
  // The name without its trailing blanks; empty when none was chosen.
  std::string_view text() const;
  // Puts `name` in the field; false (and the field left as it was) when
  // it is longer than the field.
  bool set(std::string_view name);

 private:
  std::vector<char> field_;
};

// True when the host can take `name` (code page 1250, trailing blanks
// ignored): its host form has at most kHostPathLength bytes and no part of
// it more than kHostNamePartLength.
bool hostcantake(std::string_view name);

}  // namespace tsd::runtime
