// What the fuzz targets that read files share: a private folder made once
// per process, a file in it written with the input's bytes, a file read
// back whole, and the check that aborts (so libFuzzer keeps the input).
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace tsd::fuzz {

inline void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
  }
}

// A folder of this process under TMPDIR (or /tmp), made on first use.
inline const std::string& folder() {
  static const std::string dir = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::string t = std::string(tmp != nullptr && *tmp ? tmp : "/tmp") + "/tsdfuzz_XXXXXX";
    if (mkdtemp(t.data()) == nullptr) std::abort();
    return t;
  }();
  return dir;
}

inline std::string writeinput(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::string path = folder() + "/" + name;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) std::abort();
  if (size != 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
  return path;
}

inline std::string readwhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace tsd::fuzz
