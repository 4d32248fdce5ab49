// Reading the Hershey fonts in the ".jhf" text form of the hershey-fonts-data
// package: one glyph a line (a long glyph may go on over further lines),
// glyphs in code order starting at the blank (code 32).
#pragma once

#include <string>
#include <vector>

#include "tools/chrgen/glyph.h"

namespace chrgen {

// The glyphs of a file, index 0 being code 32; empty with a message in
// error when the file cannot be read or is malformed.
std::vector<Glyph> read_jhf(const std::string& path, std::string& error);

}  // namespace chrgen
