// The stroke-font file (".chr"): its layout, and a reader that checks a
// whole file before handing back the font it holds.
//
// Layout (little-endian; integers 32-bit two's complement, reals IEEE single):
//
//   offset   size  field
//   0        4     N1, stroke bytes of block 1 (0..17000)
//   4        4     cell width (real, font units)
//   8        4     cell height (real)
//   12       380   start positions of codes 33..127
//   392      N1    block 1: stroke symbols of codes 33..126
//   392+N1   4     glyph width (real)            -- optional from here on
//   396+N1   4     glyph height (real)
//   400+N1   4     N2, stroke bytes of block 2 (N1 + N2 <= 17000)
//   404+N1   384   start positions of codes 161..256
//   788+N1   N2    block 2: stroke symbols of codes 161..255
//
// Start positions are 1-based and count through block 1 and then block 2;
// the glyph of code c runs from its own start up to one before the start of
// code c + 1 (codes 127 and 256 only close the blocks). A symbol is a
// coordinate 0..55, its place in kChrAlphabet; any other byte lifts the pen.
// A glyph is empty or a sequence of strokes of at least two points each,
// separated by single pen-up symbols.
//
// decode_chr() accepts what the font loader accepts and nothing that would
// make it read outside the stroke array: an absent or short block 2 (or one
// that would pass the byte limit) leaves a font of codes 33..126 only, while
// a file cut inside block 1, a size outside the limits, positions outside
// their block or out of order, a malformed stroke or a cell size that is not
// a positive finite number refuse the whole file. Bytes after the last block
// are not read. The function keeps no state and touches nothing but its
// result, so a loader can change its tables only once a file has passed.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace toolkit {

// The 56 stroke symbols, in the order of the coordinate values they stand for.
inline constexpr std::string_view kChrAlphabet =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrst";
// The pen-up symbols that tell a line font from a filled one.
inline constexpr char kChrPenUpLine = 'u';
inline constexpr char kChrPenUpFilled = 'v';

inline constexpr int kChrMaxStrokeBytes = 17000;  // N1, and N1 + N2
inline constexpr int kChrBlock1Starts = 95;       // codes 33..127
inline constexpr int kChrBlock2Starts = 96;       // codes 161..256
inline constexpr int kChrBlock1First = 33;
inline constexpr int kChrBlock1Last = 126;
inline constexpr int kChrBlock2First = 161;
inline constexpr int kChrBlock2Last = 255;
inline constexpr std::size_t kChrBlock1Offset = 392;  // first stroke byte of block 1

// Font type and kind as the text routines use them.
inline constexpr int kChrTypeBlock1 = 7;  // codes 33..126 have glyphs
inline constexpr int kChrTypeBoth = 8;    // codes 161..255 as well
inline constexpr int kChrKindLine = 1;    // each stroke is an open line
inline constexpr int kChrKindFilled = 2;  // each stroke outlines a filled polygon

enum class ChrError {
  ok,
  short_header,          // the file ends before the 392-byte header is complete
  block1_size,           // N1 negative or above 17000
  short_block1,          // the file ends inside block 1
  cell_size,             // cell width or height not a positive finite number
  glyph_size,            // glyph width or height not finite
  block1_positions,      // a start position of block 1 outside 1..N1+1 or out of order
  block1_strokes,        // a glyph of block 1 is not a sequence of whole strokes
  block2_size,           // N2 negative
  block2_positions,      // a start position of block 2 outside N1+1..N1+N2+1 or out of order
  block2_strokes,        // a glyph of block 2 is not a sequence of whole strokes
};

// A font as the file holds it, checked.
struct ChrFont {
  int type = kChrTypeBlock1;  // kChrTypeBlock1 or kChrTypeBoth
  int kind = kChrKindFilled;  // kChrKindLine or kChrKindFilled
  float cell_width = 0.0f;
  float cell_height = 0.0f;
  float glyph_width = 0.0f;   // the cell sizes when the file does not give them
  float glyph_height = 0.0f;
  std::int32_t n1 = 0;        // stroke bytes of block 1
  std::int32_t n2 = 0;        // stroke bytes of block 2; 0 for type 7
  std::array<std::int32_t, kChrBlock1Starts> start1{};  // codes 33..127
  std::array<std::int32_t, kChrBlock2Starts> start2{};  // codes 161..256; all -1 for type 7
  std::vector<std::uint8_t> strokes;  // block 1 then block 2: n1 + n2 symbols
};

struct ChrDecoded {
  ChrError error = ChrError::ok;
  ChrFont font;  // meaningful only when error is ok
};

// Checks the bytes of a whole font file and decodes them.
ChrDecoded decode_chr(std::span<const std::uint8_t> bytes);

// A short English description of an error, for logs and test output.
std::string_view chr_error_text(ChrError e);

// Coordinate value of a symbol, 0..55, or -1 for a pen-up symbol.
int chr_symbol_value(std::uint8_t symbol);

// The symbols of the glyph of a code: empty for codes without a glyph
// (below 33, 127..160, 161..255 in a type 7 font, above 255).
std::span<const std::uint8_t> chr_glyph(const ChrFont& font, int code);

}  // namespace toolkit
