#include "runtime/filename.h"

#include <algorithm>
#include <string>

#include "runtime/hostfilename.h"

namespace tsd::runtime {

std::string_view FileName::text() const {
  const std::string_view all(field_.data(), field_.size());
  const std::size_t used = all.find_last_not_of(' ');
  return used == std::string_view::npos ? std::string_view() : all.substr(0, used + 1);
}

bool FileName::set(std::string_view name) {
  if (name.size() > field_.size()) return false;
  std::fill(std::copy(name.begin(), name.end(), field_.begin()), field_.end(), ' ');
  return true;
}

bool hostcantake(std::string_view name) {
  const std::string host = host_file_name(name);
  if (host.size() > kHostPathLength) return false;
  std::size_t part = 0;
  for (char c : host) {
    part = c == '/' ? 0 : part + 1;
    if (part > kHostNamePartLength) return false;
  }
  return true;
}

}  // namespace tsd::runtime
