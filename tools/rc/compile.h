// Compiling a preprocessed resource script into resources in the layout
// of platform/kernel/resources.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "preprocess.h"

namespace rc {

struct CompiledResource {
  std::uint16_t type = 0;
  std::uint16_t id = 0;
  std::string name;  // upper case; empty for a numeric id
  std::vector<std::uint8_t> data;
};

// Compiles the script's tokens. Files named by BITMAP, ICON and CURSOR are
// read relative to the script's directory and appended to script.files.
// Throws ScriptError.
std::vector<CompiledResource> compile(Script& script, const std::string& script_path);

// Value of a name the scripts may use without a #define (WS_*, BS_*, ...).
std::optional<std::int64_t> builtin_symbol(const std::string& name);

}  // namespace rc
