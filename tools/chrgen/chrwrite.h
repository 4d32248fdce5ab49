// Writing glyphs into the stroke-font file layout (see
// toolkit/graphics/chrfile.h for the layout itself).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/chrgen/glyph.h"

namespace chrgen {

// Font units from the bottom of the cell to the baseline, and the cell
// height: room below for descenders and ogoneks, above for the accents of
// capitals, with the digits and capitals centred in the cell (the text
// routines place a cell's middle on the text position).
inline constexpr int kCellBaseline = 8;
inline constexpr int kCellHeight = 37;

struct PlacedGlyph {
  bool present = false;  // false: no glyph, a blank cell
  Glyph glyph;
  int centre_x2 = 0;     // twice the x that goes to the middle of the cell
};

// Encodes codes 33..126 (94 glyphs) and 161..255 (95 glyphs) as a line font
// of the given cell width. False, with a message, when a coordinate falls
// outside 0..55 or the strokes pass the layout's byte limit.
bool encode_chr(const std::vector<PlacedGlyph>& block1, const std::vector<PlacedGlyph>& block2,
                int cell_width, std::vector<std::uint8_t>& out, std::string& error);

}  // namespace chrgen
