// Files of the tests: the build tree, whole-file reads and writes, and a
// fresh folder for one test. Header only, so any test folder can use it.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tsd::testkit {

// The build tree's top (tests run with TSD_BINARY_DIR set; one folder below
// the top otherwise).
inline std::string buildtree() {
  const char* b = std::getenv("TSD_BINARY_DIR");
  return b != nullptr && *b ? std::string(b) : std::string("..");
}

// The stroke-font folder the build writes.
inline std::string fontfolder() { return buildtree() + "/fonts"; }

inline std::string readfile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void writefile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

inline bool fileexists(const std::string& path) { return std::filesystem::exists(path); }

// A fresh, empty folder for one run; `name` should name the test.
inline std::string makeworkdir(const std::string& name) {
  const char* tmp = std::getenv("TMPDIR");
  std::string base = tmp != nullptr && *tmp ? tmp : "/tmp";
  std::string dir = base + "/tsdrun_" + name + "_" + std::to_string(getpid());
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

}  // namespace tsd::testkit
