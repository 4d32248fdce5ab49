// Where tests write the pictures they make for a person to look at: a
// folder under the build tree (TSD_BINARY_DIR, set when tests run through
// ctest), else the system's temporary folder; never the current directory,
// which may be the source tree.
//
// Header only, so any test folder can use it without a library.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace tsd::testkit {

// The path of picture `name` (with its extension) in folder `group`.
inline std::string pictureoutput(const std::string& group, const std::string& name) {
  const char* bin = std::getenv("TSD_BINARY_DIR");
  const std::filesystem::path top =
      bin != nullptr && *bin ? std::filesystem::path(bin) : std::filesystem::temp_directory_path();
  const std::filesystem::path dir = top / group;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  return (dir / name).string();
}

// Where a test writes a screenshot it takes: the folder TSD_SHOT_DIR names
// when it is set (to collect them for a person), else as pictureoutput.
inline std::string shotoutput(const std::string& group, const std::string& name) {
  const char* shots = std::getenv("TSD_SHOT_DIR");
  if (shots != nullptr && *shots) return (std::filesystem::path(shots) / name).string();
  return pictureoutput(group, name);
}

}  // namespace tsd::testkit
