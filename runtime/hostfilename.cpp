#include "runtime/hostfilename.h"

#include "text/cp1250.h"

namespace tsd::runtime {

std::string host_file_name(std::string_view cp1250_name) {
  while (!cp1250_name.empty() && cp1250_name.back() == ' ') cp1250_name.remove_suffix(1);
  return text::utf8_from_cp1250(cp1250_name);
}

}  // namespace tsd::runtime
