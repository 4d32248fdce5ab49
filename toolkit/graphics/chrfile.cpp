// Reading a stroke-font file: every check is made before the font is handed
// back, so a caller never sees part of a rejected file.
#include "toolkit/graphics/chrfile.h"

#include <cmath>
#include <cstring>

#include "text/littleendian.h"

namespace toolkit {
namespace {

// A cursor over the file's bytes that reads little-endian values and says
// when the file ends first.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t remaining() const { return bytes_.size() - pos_; }

  bool int32(std::int32_t& v) {
    if (remaining() < 4) return false;
    v = text::les32(bytes_, pos_);
    pos_ += 4;
    return true;
  }

  bool real32(float& v) {
    std::int32_t bits = 0;
    if (!int32(bits)) return false;
    std::memcpy(&v, &bits, sizeof v);
    return true;
  }

  template <std::size_t N>
  bool int32s(std::array<std::int32_t, N>& a) {
    if (remaining() < 4 * N) return false;
    for (auto& v : a) int32(v);
    return true;
  }

  bool take(std::size_t n, std::span<const std::uint8_t>& out) {
    if (remaining() < n) return false;
    out = bytes_.subspan(pos_, n);
    pos_ += n;
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

// Symbol values, built once at compile time: -1 marks a pen-up byte.
constexpr std::array<std::int8_t, 256> make_values() {
  std::array<std::int8_t, 256> v{};
  for (auto& x : v) x = -1;
  for (std::size_t i = 0; i < kChrAlphabet.size(); ++i) {
    v[static_cast<unsigned char>(kChrAlphabet[i])] = static_cast<std::int8_t>(i);
  }
  return v;
}
constexpr std::array<std::int8_t, 256> kValues = make_values();

bool is_coord(std::uint8_t b) { return kValues[b] >= 0; }

// A glyph is empty, or strokes of two points or more (four symbols or more,
// an even number) separated by single pen-up symbols, with no pen-up at its
// start. One symbol left over after the last point (half a point or a
// pen-up) is ignored, as the drawing routine ignores it. This is exactly
// what the drawing routine reads without ever taking a pen-up symbol for a
// coordinate.
bool glyph_well_formed(std::span<const std::uint8_t> g) {
  std::size_t i = 0;
  const std::size_t n = g.size();
  if (n == 0) return true;
  for (;;) {
    // The first two points of a stroke.
    if (n - i < 4) return false;
    for (std::size_t k = 0; k < 4; ++k) {
      if (!is_coord(g[i + k])) return false;
    }
    i += 4;
    // Further points, until a pen-up or the end of the glyph.
    while (n - i >= 2 && is_coord(g[i])) {
      if (!is_coord(g[i + 1])) return false;
      i += 2;
    }
    if (n - i <= 1) return true;  // the end, or one symbol left over
    ++i;  // the pen-up symbol
  }
}

// Start positions must rise (or stay, for an empty glyph) from lo up to at
// most hi.
bool positions_valid(std::span<const std::int32_t> starts, std::int32_t lo, std::int32_t hi) {
  std::int32_t prev = lo;
  for (std::int32_t s : starts) {
    if (s < prev || s > hi) return false;
    prev = s;
  }
  return true;
}

// Every glyph between two start positions must be well formed; the strokes
// span is indexed by position - 1.
bool glyphs_valid(std::span<const std::int32_t> starts, std::span<const std::uint8_t> strokes) {
  for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
    const auto first = static_cast<std::size_t>(starts[i] - 1);
    const auto count = static_cast<std::size_t>(starts[i + 1] - starts[i]);
    if (!glyph_well_formed(strokes.subspan(first, count))) return false;
  }
  return true;
}

// The first "u" in block 1 makes a line font, the first "v" a filled one;
// with neither the font counts as filled.
int font_kind(std::span<const std::uint8_t> block1) {
  for (std::uint8_t b : block1) {
    if (b == kChrPenUpLine) return kChrKindLine;
    if (b == kChrPenUpFilled) return kChrKindFilled;
  }
  return kChrKindFilled;
}

ChrDecoded fail(ChrError e) {
  ChrDecoded d;
  d.error = e;
  return d;
}

}  // namespace

ChrDecoded decode_chr(std::span<const std::uint8_t> bytes) {
  Reader in(bytes);
  ChrDecoded d;
  ChrFont& f = d.font;

  // Header and block 1: all required.
  if (!in.int32(f.n1)) return fail(ChrError::short_header);
  if (f.n1 < 0 || f.n1 > kChrMaxStrokeBytes) return fail(ChrError::block1_size);
  if (!in.real32(f.cell_width) || !in.real32(f.cell_height) || !in.int32s(f.start1)) {
    return fail(ChrError::short_header);
  }
  std::span<const std::uint8_t> block1;
  if (!in.take(static_cast<std::size_t>(f.n1), block1)) return fail(ChrError::short_block1);
  const auto usable = [](float v) { return std::isfinite(v) && v > 0.0f; };
  if (!usable(f.cell_width) || !usable(f.cell_height)) return fail(ChrError::cell_size);
  if (!positions_valid(f.start1, 1, f.n1 + 1)) return fail(ChrError::block1_positions);
  if (!glyphs_valid(f.start1, block1)) return fail(ChrError::block1_strokes);

  // Glyph sizes: both or neither.
  f.glyph_width = f.cell_width;
  f.glyph_height = f.cell_height;
  if (in.remaining() >= 8) {
    in.real32(f.glyph_width);
    in.real32(f.glyph_height);
    if (!std::isfinite(f.glyph_width) || !std::isfinite(f.glyph_height)) {
      return fail(ChrError::glyph_size);
    }
  } else {
    std::span<const std::uint8_t> rest;
    in.take(in.remaining(), rest);
  }

  // Block 2: a font of block 1 alone unless all of it is there and fits.
  f.type = kChrTypeBlock1;
  f.start2.fill(-1);
  std::int32_t n2 = 0;
  std::array<std::int32_t, kChrBlock2Starts> start2{};
  std::span<const std::uint8_t> block2;
  if (in.int32(n2)) {
    if (n2 < 0) return fail(ChrError::block2_size);
    if (n2 <= kChrMaxStrokeBytes - f.n1 && in.int32s(start2) &&
        in.take(static_cast<std::size_t>(n2), block2)) {
      f.type = kChrTypeBoth;
    }
  }

  f.strokes.assign(block1.begin(), block1.end());
  if (f.type == kChrTypeBoth) {
    const std::int32_t lo = f.n1 + 1;
    if (!positions_valid(start2, lo, f.n1 + n2 + 1)) return fail(ChrError::block2_positions);
    // Positions of block 2 index the joined array; rebase them onto block 2.
    std::array<std::int32_t, kChrBlock2Starts> local{};
    for (std::size_t i = 0; i < local.size(); ++i) local[i] = start2[i] - f.n1;
    if (!glyphs_valid(local, block2)) return fail(ChrError::block2_strokes);
    f.n2 = n2;
    f.start2 = start2;
    f.strokes.insert(f.strokes.end(), block2.begin(), block2.end());
  }

  f.kind = font_kind(block1);
  return d;
}

std::string_view chr_error_text(ChrError e) {
  switch (e) {
    case ChrError::ok: return "valid font";
    case ChrError::short_header: return "file ends inside the header";
    case ChrError::block1_size: return "stroke byte count of block 1 outside 0..17000";
    case ChrError::short_block1: return "file ends inside block 1";
    case ChrError::cell_size: return "cell size not a positive finite number";
    case ChrError::glyph_size: return "glyph size not a finite number";
    case ChrError::block1_positions: return "start positions of block 1 outside the block or out of order";
    case ChrError::block1_strokes: return "malformed strokes in block 1";
    case ChrError::block2_size: return "negative stroke byte count of block 2";
    case ChrError::block2_positions: return "start positions of block 2 outside the block or out of order";
    case ChrError::block2_strokes: return "malformed strokes in block 2";
  }
  return "unknown error";
}

int chr_symbol_value(std::uint8_t symbol) { return kValues[symbol]; }

std::span<const std::uint8_t> chr_glyph(const ChrFont& font, int code) {
  std::int32_t first = 0;
  std::int32_t next = 0;
  if (code >= kChrBlock1First && code <= kChrBlock1Last) {
    first = font.start1[static_cast<std::size_t>(code - kChrBlock1First)];
    next = font.start1[static_cast<std::size_t>(code - kChrBlock1First + 1)];
  } else if (code >= kChrBlock2First && code <= kChrBlock2Last && font.type == kChrTypeBoth) {
    first = font.start2[static_cast<std::size_t>(code - kChrBlock2First)];
    next = font.start2[static_cast<std::size_t>(code - kChrBlock2First + 1)];
  } else {
    return {};
  }
  // A font built by hand rather than by decode_chr() gets the same bounds.
  if (first < 1 || next < first || static_cast<std::size_t>(next - 1) > font.strokes.size()) {
    return {};
  }
  return std::span<const std::uint8_t>(font.strokes).subspan(static_cast<std::size_t>(first - 1),
                                                              static_cast<std::size_t>(next - first));
}

}  // namespace toolkit
