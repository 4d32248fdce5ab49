// File names as the programs hold them (code page 1250, blank-padded
// fields) turned into the host's names (UTF-8): trailing blanks are not part
// of a name, as the language's file opening has it.
#pragma once

#include <string>
#include <string_view>

namespace tsd::runtime {

std::string host_file_name(std::string_view cp1250_name);

}  // namespace tsd::runtime
