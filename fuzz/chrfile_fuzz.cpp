// libFuzzer target: the stroke-font reader on arbitrary bytes. A file it
// accepts must keep every glyph inside the stroke array and be made of whole
// strokes, exactly what the text routines rely on when they draw.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "toolkit/graphics/chrfile.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

void check_glyph(std::span<const std::uint8_t> g) {
  // Walk the glyph the way the drawing routine does: one symbol left over
  // after the last point is ignored.
  std::size_t i = 0;
  while (i < g.size()) {
    check(i + 3 < g.size());
    for (std::size_t k = 0; k < 4; ++k) check(toolkit::chr_symbol_value(g[i + k]) >= 0);
    i += 4;
    while (g.size() - i >= 2 && toolkit::chr_symbol_value(g[i]) >= 0) {
      check(toolkit::chr_symbol_value(g[i + 1]) >= 0);
      i += 2;
    }
    if (g.size() - i <= 1) return;
    ++i;  // pen up; a stroke must follow
    check(i < g.size());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const toolkit::ChrDecoded d = toolkit::decode_chr(std::span<const std::uint8_t>(data, size));
  if (d.error != toolkit::ChrError::ok) return 0;
  const toolkit::ChrFont& f = d.font;
  check(f.type == toolkit::kChrTypeBlock1 || f.type == toolkit::kChrTypeBoth);
  check(f.kind == toolkit::kChrKindLine || f.kind == toolkit::kChrKindFilled);
  check(f.n1 >= 0 && f.n2 >= 0 && f.n1 + f.n2 <= toolkit::kChrMaxStrokeBytes);
  check(f.strokes.size() == static_cast<std::size_t>(f.n1 + f.n2));
  check(f.cell_width > 0.0f && f.cell_height > 0.0f);
  for (int c = 0; c <= 256; ++c) check_glyph(toolkit::chr_glyph(f, c));
  return 0;
}
