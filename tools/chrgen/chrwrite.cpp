#include "tools/chrgen/chrwrite.h"

#include <cmath>
#include <cstring>

#include "toolkit/graphics/chrfile.h"

namespace chrgen {
namespace {

void put_int(std::vector<std::uint8_t>& out, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
}

void put_real(std::vector<std::uint8_t>& out, float v) {
  std::int32_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  put_int(out, bits);
}

// Strokes of one glyph as symbols, in font units; strokes that go on where
// the previous one ended are joined, which saves a pen-up and a point.
bool glyph_symbols(const PlacedGlyph& pg, int cell_width, std::string& sym, std::string& error) {
  sym.clear();
  if (!pg.present) return true;
  int dx = static_cast<int>(std::floor((cell_width - pg.centre_x2) / 2.0 + 0.5));
  // A mark reaching out to one side (the caron of ď) must not leave the
  // cell: the glyph then moves over as far as needed.
  const Box b = ink_box(pg.glyph);
  if (!b.empty && b.width() <= cell_width) {
    if (b.x1 + dx > cell_width) dx = cell_width - b.x1;
    if (b.x0 + dx < 0) dx = -b.x0;
  }
  std::vector<Stroke> strokes;
  for (const Stroke& s : pg.glyph.strokes) {
    if (s.size() < 2) continue;
    if (!strokes.empty() && strokes.back().back() == s.front()) {
      strokes.back().insert(strokes.back().end(), s.begin() + 1, s.end());
    } else {
      strokes.push_back(s);
    }
  }
  for (const Stroke& s : strokes) {
    if (!sym.empty()) sym += toolkit::kChrPenUpLine;
    for (const Point& p : s) {
      const int x = p.x + dx;
      const int y = kCellBaseline + kBaseline - p.y;
      if (x < 0 || x >= static_cast<int>(toolkit::kChrAlphabet.size()) || y < 0 ||
          y >= static_cast<int>(toolkit::kChrAlphabet.size())) {
        error = "coordinate (" + std::to_string(x) + ", " + std::to_string(y) + ") outside 0..55";
        return false;
      }
      sym += toolkit::kChrAlphabet[static_cast<std::size_t>(x)];
      sym += toolkit::kChrAlphabet[static_cast<std::size_t>(y)];
    }
  }
  return true;
}

// The symbols of a block and the start positions of its glyphs, counting
// from first (1-based, through both blocks); one more position closes it.
bool encode_block(const std::vector<PlacedGlyph>& glyphs, int cell_width, std::int32_t first,
                  std::string& symbols, std::vector<std::int32_t>& starts, std::string& error) {
  symbols.clear();
  starts.clear();
  std::string sym;
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    starts.push_back(first + static_cast<std::int32_t>(symbols.size()));
    if (!glyph_symbols(glyphs[i], cell_width, sym, error)) {
      error = "glyph " + std::to_string(i) + ": " + error;
      return false;
    }
    symbols += sym;
  }
  starts.push_back(first + static_cast<std::int32_t>(symbols.size()));
  return true;
}

}  // namespace

bool encode_chr(const std::vector<PlacedGlyph>& block1, const std::vector<PlacedGlyph>& block2,
                int cell_width, std::vector<std::uint8_t>& out, std::string& error) {
  if (block1.size() != toolkit::kChrBlock1Starts - 1 || block2.size() != toolkit::kChrBlock2Starts - 1) {
    error = "wrong number of glyphs";
    return false;
  }
  std::string sym1, sym2;
  std::vector<std::int32_t> starts1, starts2;
  if (!encode_block(block1, cell_width, 1, sym1, starts1, error)) return false;
  const auto n1 = static_cast<std::int32_t>(sym1.size());
  if (!encode_block(block2, cell_width, n1 + 1, sym2, starts2, error)) return false;
  const auto n2 = static_cast<std::int32_t>(sym2.size());
  if (n1 + n2 > toolkit::kChrMaxStrokeBytes) {
    error = "strokes take " + std::to_string(n1 + n2) + " bytes, more than " +
            std::to_string(toolkit::kChrMaxStrokeBytes);
    return false;
  }
  if (sym1.find(toolkit::kChrPenUpLine) == std::string::npos) {
    error = "block 1 has no pen-up, so the font would read as filled";
    return false;
  }
  const auto cw = static_cast<float>(cell_width);
  const auto ch = static_cast<float>(kCellHeight);
  out.clear();
  put_int(out, n1);
  put_real(out, cw);
  put_real(out, ch);
  for (std::int32_t s : starts1) put_int(out, s);
  out.insert(out.end(), sym1.begin(), sym1.end());
  // The glyph box is the cell: each glyph is already centred in it.
  put_real(out, cw);
  put_real(out, ch);
  put_int(out, n2);
  for (std::int32_t s : starts2) put_int(out, s);
  out.insert(out.end(), sym2.begin(), sym2.end());
  return true;
}

}  // namespace chrgen
