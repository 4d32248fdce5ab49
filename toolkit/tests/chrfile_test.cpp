#include "toolkit/graphics/chrfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "text/cp1250.h"
#include "tools/testkit/files.h"

namespace {

using toolkit::ChrDecoded;
using toolkit::ChrError;
using toolkit::decode_chr;

using Bytes = std::vector<std::uint8_t>;

// ---- A small font file built by hand -------------------------------------

void put_int(Bytes& b, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
}

void put_real(Bytes& b, float v) {
  std::int32_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  put_int(b, bits);
}

// The parts of a font file; bytes() lays them out, every field as given, so
// that a test can break any one of them.
struct FileParts {
  std::int32_t n1 = 0;
  float cell_w = 20.0f, cell_h = 30.0f;
  std::vector<std::int32_t> start1;
  std::string block1;
  bool with_glyph_size = true;
  float glyph_w = 18.0f, glyph_h = 28.0f;
  bool with_n2 = true;
  std::int32_t n2 = 0;
  bool with_start2 = true;
  std::vector<std::int32_t> start2;
  std::string block2;

  Bytes bytes() const {
    Bytes b;
    put_int(b, n1);
    put_real(b, cell_w);
    put_real(b, cell_h);
    for (std::int32_t s : start1) put_int(b, s);
    b.insert(b.end(), block1.begin(), block1.end());
    if (!with_glyph_size) return b;
    put_real(b, glyph_w);
    put_real(b, glyph_h);
    if (!with_n2) return b;
    put_int(b, n2);
    if (!with_start2) return b;
    for (std::int32_t s : start2) put_int(b, s);
    b.insert(b.end(), block2.begin(), block2.end());
    return b;
  }
};

// A valid font: "A" (code 65) a line font glyph of two strokes, "B" one
// stroke; in block 2 code 161 one stroke. Every other glyph is empty.
FileParts small_font() {
  FileParts p;
  const std::string a = "00A0uA0AA";  // two strokes of two points
  const std::string b = "0055A5";     // one stroke of three points
  p.block1 = a + b;
  p.n1 = static_cast<std::int32_t>(p.block1.size());
  p.start1.assign(95, 0);
  for (int c = 33; c <= 127; ++c) {
    const int i = c - 33;
    p.start1[static_cast<std::size_t>(i)] =
        c <= 65 ? 1 : (c == 66 ? 1 + static_cast<int>(a.size()) : p.n1 + 1);
  }
  p.block2 = "1122";
  p.n2 = static_cast<std::int32_t>(p.block2.size());
  p.start2.assign(96, p.n1 + 1 + p.n2);
  p.start2[0] = p.n1 + 1;  // code 161
  return p;
}

std::string glyph_text(const toolkit::ChrFont& f, int code) {
  const auto g = toolkit::chr_glyph(f, code);
  return std::string(g.begin(), g.end());
}

// ---- The generated font files --------------------------------------------

const char* const kFontFiles[] = {"swiss.chr", "swissbld.chr", "roman.chr", "romanbld.chr",
                                  "fixed.chr", "fixedbld.chr", "standard.chr"};

std::string font_dir() { return tsd::testkit::fontfolder(); }

Bytes read_file(const std::string& path) {
  const std::string bytes = tsd::testkit::readfile(path);
  return Bytes(bytes.begin(), bytes.end());
}

TEST(ChrGeneratedFonts, EveryFontDecodesAsALineFontWithBothBlocks) {
  std::size_t total = 0;
  for (const char* name : kFontFiles) {
    SCOPED_TRACE(name);
    const Bytes bytes = read_file(font_dir() + "/" + name);
    ASSERT_FALSE(bytes.empty()) << "missing " << font_dir() << "/" << name;
    const ChrDecoded d = decode_chr(bytes);
    ASSERT_EQ(d.error, ChrError::ok) << toolkit::chr_error_text(d.error);
    EXPECT_EQ(d.font.type, toolkit::kChrTypeBoth);
    EXPECT_EQ(d.font.kind, toolkit::kChrKindLine);
    EXPECT_LE(d.font.n1 + d.font.n2, toolkit::kChrMaxStrokeBytes);
    EXPECT_GT(d.font.cell_width, 0.0f);
    EXPECT_GT(d.font.cell_height, 0.0f);
    // Every printable code has a glyph.
    for (int c = 33; c <= 126; ++c) {
      EXPECT_FALSE(toolkit::chr_glyph(d.font, c).empty()) << "code " << c;
    }
    total += static_cast<std::size_t>(d.font.n1 + d.font.n2);
  }
  // All seven fit the loader's cache store together.
  EXPECT_LE(total, 70000u);
}

TEST(ChrGeneratedFonts, PolishLettersArePresent) {
  const std::string polish = text::cp1250_from_utf8("ąćęłńóżĄĆĘŁŃÓŻ");
  ASSERT_EQ(polish.size(), 14u);
  for (const char* name : kFontFiles) {
    SCOPED_TRACE(name);
    const ChrDecoded d = decode_chr(read_file(font_dir() + "/" + name));
    ASSERT_EQ(d.error, ChrError::ok);
    for (unsigned char c : polish) {
      SCOPED_TRACE(static_cast<int>(c));
      EXPECT_GE(c, 161);
      const std::string g = glyph_text(d.font, c);
      EXPECT_FALSE(g.empty());
      // The accented letter is its base letter with a mark added: it has
      // more strokes than the base.
      const std::string base = glyph_text(d.font, "acelnozACELNOZ"[polish.find(static_cast<char>(c))]);
      EXPECT_GT(g.size(), base.size()) << "glyph " << g << " base " << base;
    }
  }
}

struct Ink {
  int x0 = 99, x1 = -1, y0 = 99, y1 = -1;
  bool empty() const { return x1 < 0; }
};

// The extent of a glyph's points, read as the drawing routine reads them.
Ink ink_of(std::span<const std::uint8_t> g) {
  Ink k;
  for (std::size_t i = 0; i + 1 < g.size();) {
    const int x = toolkit::chr_symbol_value(g[i]);
    if (x < 0) {
      ++i;
      continue;
    }
    const int y = toolkit::chr_symbol_value(g[i + 1]);
    k.x0 = std::min(k.x0, x);
    k.x1 = std::max(k.x1, x);
    k.y0 = std::min(k.y0, y);
    k.y1 = std::max(k.y1, y);
    i += 2;
  }
  return k;
}

// Drawn in fixed cells, every glyph must stay inside its cell, the glyphs
// of codes 33..126 centred across it, and the letters without descenders
// must stand on one baseline (8 units above the bottom of the cell in the
// generated fonts), with the capitals reaching one height.
TEST(ChrGeneratedFonts, GlyphsStayInTheirCellsOnOneBaseline) {
  constexpr int kBaseline = 8;
  const std::string on_baseline = "ABDEHIKLMNRTUVWXZabdehiklmnrtuvwxz";
  for (const char* name : kFontFiles) {
    SCOPED_TRACE(name);
    const ChrDecoded d = decode_chr(read_file(font_dir() + "/" + name));
    ASSERT_EQ(d.error, ChrError::ok);
    const int cw = static_cast<int>(d.font.cell_width);
    const int ch = static_cast<int>(d.font.cell_height);
    EXPECT_EQ(d.font.glyph_width, d.font.cell_width);
    const int cap_top = ink_of(toolkit::chr_glyph(d.font, 'H')).y1;
    for (int c = 33; c <= 255; ++c) {
      SCOPED_TRACE(c);
      const Ink k = ink_of(toolkit::chr_glyph(d.font, c));
      if (k.empty()) continue;
      EXPECT_GE(k.x0, 0);
      EXPECT_LE(k.x1, cw);
      EXPECT_GE(k.y0, 0);
      EXPECT_LE(k.y1, ch);
      if (c <= 126) {
        EXPECT_LE(std::abs(k.x0 + k.x1 - cw), 1) << "ink " << k.x0 << ".." << k.x1 << " in a cell of " << cw;
      }
      if (c <= 126 && on_baseline.find(static_cast<char>(c)) != std::string::npos) {
        EXPECT_EQ(k.y0, kBaseline) << static_cast<char>(c);
      }
      if (c >= 'A' && c <= 'Z' && c != 'J' && c != 'Q') {
        EXPECT_EQ(k.y1, cap_top) << static_cast<char>(c);
      }
    }
  }
}

TEST(ChrGeneratedFonts, EveryPrefixOfAFontIsRefusedOrLoadsBlockOne) {
  const Bytes full = read_file(font_dir() + "/swiss.chr");
  ASSERT_FALSE(full.empty());
  const ChrDecoded whole = decode_chr(full);
  ASSERT_EQ(whole.error, ChrError::ok);
  const std::size_t end1 = toolkit::kChrBlock1Offset + static_cast<std::size_t>(whole.font.n1);
  for (std::size_t len = 0; len < full.size(); ++len) {
    SCOPED_TRACE(len);
    const ChrDecoded d = decode_chr(std::span<const std::uint8_t>(full.data(), len));
    if (len < end1) {
      EXPECT_NE(d.error, ChrError::ok);
    } else {
      ASSERT_EQ(d.error, ChrError::ok);
      EXPECT_EQ(d.font.type, toolkit::kChrTypeBlock1);
      EXPECT_EQ(d.font.strokes.size(), static_cast<std::size_t>(whole.font.n1));
      const bool sizes = len >= end1 + 8;
      EXPECT_EQ(d.font.glyph_width, sizes ? whole.font.glyph_width : whole.font.cell_width);
    }
  }
}

// ---- Hand-built files: what loads ------------------------------------------

TEST(ChrDecode, SmallFontDecodesWithBothBlocks) {
  const ChrDecoded d = decode_chr(small_font().bytes());
  ASSERT_EQ(d.error, ChrError::ok) << toolkit::chr_error_text(d.error);
  EXPECT_EQ(d.font.type, toolkit::kChrTypeBoth);
  EXPECT_EQ(d.font.kind, toolkit::kChrKindLine);
  EXPECT_EQ(d.font.cell_width, 20.0f);
  EXPECT_EQ(d.font.glyph_height, 28.0f);
  EXPECT_EQ(glyph_text(d.font, 'A'), "00A0uA0AA");
  EXPECT_EQ(glyph_text(d.font, 'B'), "0055A5");
  EXPECT_EQ(glyph_text(d.font, 'C'), "");
  EXPECT_EQ(glyph_text(d.font, 161), "1122");
  EXPECT_EQ(glyph_text(d.font, 162), "");
  EXPECT_EQ(glyph_text(d.font, 32), "");
  EXPECT_EQ(glyph_text(d.font, 127), "");
  EXPECT_EQ(glyph_text(d.font, 256), "");
  EXPECT_EQ(toolkit::chr_symbol_value('0'), 0);
  EXPECT_EQ(toolkit::chr_symbol_value('t'), 55);
  EXPECT_EQ(toolkit::chr_symbol_value('u'), -1);
}

// Files the loader takes, with the font type and glyph sizes they give.
TEST(ChrDecode, OptionalPartsTable) {
  struct Case {
    const char* what;
    void (*change)(FileParts&);
    int type;
    float glyph_w;
  };
  const Case cases[] = {
      {"complete", [](FileParts&) {}, 8, 18.0f},
      {"ends right after block 1", [](FileParts& p) { p.with_glyph_size = false; }, 7, 20.0f},
      {"glyph sizes but no N2", [](FileParts& p) { p.with_n2 = false; }, 7, 18.0f},
      {"N2 but no start positions", [](FileParts& p) { p.with_start2 = false; }, 7, 18.0f},
      {"block 2 cut short", [](FileParts& p) { p.block2.pop_back(); }, 7, 18.0f},
      {"N1 + N2 = 17001 ignores block 2",
       [](FileParts& p) { p.n2 = toolkit::kChrMaxStrokeBytes + 1 - p.n1; }, 7, 18.0f},
      {"N1 + N2 = 17000 with a long block 2",
       [](FileParts& p) {
         p.n2 = toolkit::kChrMaxStrokeBytes - p.n1;
         p.block2.resize(static_cast<std::size_t>(p.n2), '0');
       },
       8, 18.0f},
      {"bytes after block 2 are not read", [](FileParts& p) { p.block2 += "junk"; }, 8, 18.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FileParts p = small_font();
    c.change(p);
    const ChrDecoded d = decode_chr(p.bytes());
    ASSERT_EQ(d.error, ChrError::ok) << toolkit::chr_error_text(d.error);
    EXPECT_EQ(d.font.type, c.type);
    EXPECT_EQ(d.font.glyph_width, c.glyph_w);
    if (c.type == 7) {
      EXPECT_EQ(d.font.n2, 0);
      EXPECT_EQ(d.font.strokes.size(), static_cast<std::size_t>(p.n1));
      EXPECT_EQ(d.font.start2[0], -1);
      EXPECT_EQ(glyph_text(d.font, 161), "");
    }
  }
}

TEST(ChrDecode, GlyphSizesNeedBothValues) {
  // Four to seven bytes after block 1: neither glyph size is taken.
  for (int extra = 1; extra < 8; ++extra) {
    SCOPED_TRACE(extra);
    FileParts p = small_font();
    p.with_glyph_size = false;
    Bytes b = p.bytes();
    for (int i = 0; i < extra; ++i) b.push_back(0x41);
    const ChrDecoded d = decode_chr(b);
    ASSERT_EQ(d.error, ChrError::ok);
    EXPECT_EQ(d.font.glyph_width, 20.0f);
    EXPECT_EQ(d.font.glyph_height, 30.0f);
    EXPECT_EQ(d.font.type, 7);
  }
}

TEST(ChrDecode, BlockOneOfTheLargestSizeLoads) {
  FileParts p = small_font();
  p.block1.resize(toolkit::kChrMaxStrokeBytes, '0');
  p.n1 = toolkit::kChrMaxStrokeBytes;
  // The glyphs stay where they were; the rest of the block is unused.
  p.with_glyph_size = false;
  const ChrDecoded d = decode_chr(p.bytes());
  EXPECT_EQ(d.error, ChrError::ok) << toolkit::chr_error_text(d.error);
}

TEST(ChrDecode, FontKindFromTheFirstPenUpOfBlockOne) {
  struct Case {
    const char* a;  // the glyph of "A"
    int kind;
  };
  const Case cases[] = {
      {"00A0uA0AA", 1},  // "u" only
      {"00A0vA0AA", 2},  // "v" only
      {"00A0vA0AAu0011", 2},  // "v" before "u"
      {"00A0uA0AAv0011", 1},  // "u" before "v"
      {"00A0xA0AA", 2},  // another pen-up symbol
      {"00A0A0AA", 2},   // no pen-up at all
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.a);
    FileParts p = small_font();
    const std::string b = "0055A5";
    p.block1 = std::string(c.a) + b;
    p.n1 = static_cast<std::int32_t>(p.block1.size());
    for (int code = 66; code <= 127; ++code) {
      p.start1[static_cast<std::size_t>(code - 33)] =
          code == 66 ? 1 + static_cast<int>(std::strlen(c.a)) : p.n1 + 1;
    }
    p.start2.assign(96, p.n1 + 1 + p.n2);
    p.start2[0] = p.n1 + 1;
    const ChrDecoded d = decode_chr(p.bytes());
    ASSERT_EQ(d.error, ChrError::ok) << toolkit::chr_error_text(d.error);
    EXPECT_EQ(d.font.kind, c.kind);
  }
}

// ---- Hand-built files: what is refused -------------------------------------

TEST(ChrDecode, RefusedFilesTable) {
  constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
  constexpr float kInf = std::numeric_limits<float>::infinity();
  struct Case {
    const char* what;
    void (*change)(FileParts&);
    ChrError error;
  };
  const Case cases[] = {
      // Sizes.
      {"N1 = 17001", [](FileParts& p) { p.n1 = toolkit::kChrMaxStrokeBytes + 1; }, ChrError::block1_size},
      {"N1 negative", [](FileParts& p) { p.n1 = -1; }, ChrError::block1_size},
      {"N1 most negative", [](FileParts& p) { p.n1 = std::numeric_limits<std::int32_t>::min(); },
       ChrError::block1_size},
      {"N2 negative", [](FileParts& p) { p.n2 = -4; }, ChrError::block2_size},
      // Truncation.
      {"header cut inside the positions", [](FileParts& p) {
         p.start1.resize(94);
         p.block1.clear();
         p.with_glyph_size = false;
       }, ChrError::short_header},
      {"block 1 cut short", [](FileParts& p) {
         p.block1.pop_back();
         p.with_glyph_size = false;
       }, ChrError::short_block1},
      {"N1 larger than the file", [](FileParts& p) { p.n1 = 5000; p.with_glyph_size = false; },
       ChrError::short_block1},
      // Cell and glyph sizes.
      {"cell width 0", [](FileParts& p) { p.cell_w = 0.0f; }, ChrError::cell_size},
      {"cell height negative", [](FileParts& p) { p.cell_h = -30.0f; }, ChrError::cell_size},
      {"cell width NaN", [](FileParts& p) { p.cell_w = kNan; }, ChrError::cell_size},
      {"cell height infinite", [](FileParts& p) { p.cell_h = kInf; }, ChrError::cell_size},
      {"glyph width NaN", [](FileParts& p) { p.glyph_w = kNan; }, ChrError::glyph_size},
      {"glyph height infinite", [](FileParts& p) { p.glyph_h = -kInf; }, ChrError::glyph_size},
      // Start positions of block 1.
      {"first position 0", [](FileParts& p) { p.start1[0] = 0; }, ChrError::block1_positions},
      {"last position past the block", [](FileParts& p) { p.start1.back() = p.n1 + 2; },
       ChrError::block1_positions},
      {"position far outside", [](FileParts& p) { p.start1[40] = 1 << 30; }, ChrError::block1_positions},
      {"negative position", [](FileParts& p) { p.start1[10] = -5; }, ChrError::block1_positions},
      {"positions decreasing", [](FileParts& p) { p.start1[34] = 5; }, ChrError::block1_positions},
      // Start positions of block 2.
      {"block 2 position inside block 1", [](FileParts& p) { p.start2[0] = p.n1; },
       ChrError::block2_positions},
      {"block 2 end past the block", [](FileParts& p) { p.start2.back() = p.n1 + p.n2 + 2; },
       ChrError::block2_positions},
      {"block 2 positions decreasing", [](FileParts& p) { p.start2[1] = p.n1 + 1; p.start2[0] = p.n1 + 3; },
       ChrError::block2_positions},
      // Strokes.
      {"stroke of one point", [](FileParts& p) { p.block1[7] = 'u'; }, ChrError::block1_strokes},
      {"glyph starting with a pen-up", [](FileParts& p) { p.block1[0] = 'u'; }, ChrError::block1_strokes},
      {"two pen-ups in a row", [](FileParts& p) { p.block1[5] = 'v'; }, ChrError::block1_strokes},
      {"malformed glyph in block 2", [](FileParts& p) { p.block2[2] = 'u'; }, ChrError::block2_strokes},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FileParts p = small_font();
    c.change(p);
    const ChrDecoded d = decode_chr(p.bytes());
    EXPECT_EQ(d.error, c.error) << "got: " << toolkit::chr_error_text(d.error);
  }
}

// One symbol after a glyph's last point is left over and ignored when the
// glyph is drawn, so the file is accepted with the glyph as it stands; two
// symbols that are not a point are still refused.
TEST(ChrDecode, ASymbolLeftOverAtTheEndOfAGlyphIsAccepted) {
  struct Case {
    const char* what;
    std::string glyph_a;  // the glyph of codes 33..65
    bool accepted;
  };
  const Case cases[] = {
      {"half a point", "00A0uA0AAX", true},
      {"a pen-up", "00A0uA0AAu", true},
      {"the other pen-up", "00A0uA0AAv", true},
      {"a pen-up and half a point", "00A0uA0AAuX", false},
      {"two pen-ups", "00A0uA0AAuu", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FileParts p = small_font();
    const int grown = static_cast<int>(c.glyph_a.size()) - 9;
    p.block1.replace(0, 9, c.glyph_a);
    p.n1 += grown;
    for (std::size_t i = 33; i < p.start1.size(); ++i) p.start1[i] += grown;
    for (auto& s : p.start2) s += grown;
    const ChrDecoded d = decode_chr(p.bytes());
    if (!c.accepted) {
      EXPECT_EQ(d.error, ChrError::block1_strokes) << "got: " << toolkit::chr_error_text(d.error);
      continue;
    }
    ASSERT_EQ(d.error, ChrError::ok) << toolkit::chr_error_text(d.error);
    EXPECT_EQ(glyph_text(d.font, 'A'), c.glyph_a);
    EXPECT_EQ(glyph_text(d.font, 'B'), "0055A5") << "the next glyph is unchanged";
  }
}

TEST(ChrDecode, EveryShortHeaderIsRefused) {
  const Bytes full = small_font().bytes();
  for (std::size_t len = 0; len < toolkit::kChrBlock1Offset; ++len) {
    SCOPED_TRACE(len);
    EXPECT_EQ(decode_chr(std::span<const std::uint8_t>(full.data(), len)).error, ChrError::short_header);
  }
}

TEST(ChrDecode, ErrorTextsAreDistinct) {
  const ChrError all[] = {ChrError::ok, ChrError::short_header, ChrError::block1_size, ChrError::short_block1,
                          ChrError::cell_size, ChrError::glyph_size, ChrError::block1_positions,
                          ChrError::block1_strokes, ChrError::block2_size, ChrError::block2_positions,
                          ChrError::block2_strokes};
  for (std::size_t i = 0; i < std::size(all); ++i) {
    for (std::size_t j = i + 1; j < std::size(all); ++j) {
      EXPECT_NE(toolkit::chr_error_text(all[i]), toolkit::chr_error_text(all[j])) << i << " " << j;
    }
  }
}

}  // namespace
