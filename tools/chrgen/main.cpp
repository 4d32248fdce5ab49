// chrgen: makes the toolkit's stroke-font files from the Hershey fonts.
//
//   chrgen HERSHEY_DIR OUT_DIR
//
// writes swiss.chr, swissbld.chr, roman.chr, romanbld.chr, fixed.chr,
// fixedbld.chr and standard.chr into OUT_DIR and prints their sizes. Every
// file is read back with the toolkit's own reader before it is written.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tools/chrgen/chrwrite.h"
#include "tools/chrgen/compose.h"
#include "tools/chrgen/faces.h"
#include "toolkit/graphics/chrfile.h"

namespace {

// The cache of the font loader holds 70000 stroke bytes; the seven files
// together stay within it, so that every one of them is loaded only once.
constexpr std::size_t kCacheStoreBytes = 70000;

bool make_font(const chrgen::FaceSpec& spec, const std::string& hershey_dir, std::vector<std::uint8_t>& bytes,
               std::string& error) {
  chrgen::Face face;
  if (!chrgen::load_face(spec, hershey_dir, face, error)) return false;
  std::vector<chrgen::PlacedGlyph> block1;
  for (int c = toolkit::kChrBlock1First; c <= toolkit::kChrBlock1Last; ++c) {
    chrgen::PlacedGlyph pg;
    pg.glyph = face.glyph(static_cast<char>(c));
    pg.present = !pg.glyph.strokes.empty();
    pg.centre_x2 = chrgen::ink_box(pg.glyph).centre_x2();
    block1.push_back(pg);
  }
  std::vector<chrgen::PlacedGlyph> block2;
  for (int c = toolkit::kChrBlock2First; c <= toolkit::kChrBlock2Last; ++c) {
    chrgen::PlacedGlyph pg;
    pg.present = chrgen::compose(face, static_cast<unsigned char>(c), pg.glyph, pg.centre_x2);
    block2.push_back(pg);
  }
  if (!chrgen::encode_chr(block1, block2, spec.cell_width, bytes, error)) return false;
  const toolkit::ChrDecoded d = toolkit::decode_chr(bytes);
  if (d.error != toolkit::ChrError::ok || d.font.type != toolkit::kChrTypeBoth ||
      d.font.kind != toolkit::kChrKindLine) {
    error = "written file does not read back: " + std::string(toolkit::chr_error_text(d.error));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: chrgen HERSHEY_DIR OUT_DIR\n");
    return 2;
  }
  const std::string hershey_dir = argv[1];
  const std::string out_dir = argv[2];
  std::size_t total = 0;
  for (const chrgen::FaceSpec& spec : chrgen::font_specs()) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!make_font(spec, hershey_dir, bytes, error)) {
      std::fprintf(stderr, "chrgen: %s: %s\n", spec.file_name, error.c_str());
      return 1;
    }
    const toolkit::ChrFont font = toolkit::decode_chr(bytes).font;
    const std::string path = out_dir + "/" + spec.file_name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::fprintf(stderr, "chrgen: cannot write %s\n", path.c_str());
      return 1;
    }
    total += font.strokes.size();
    std::printf("chrgen: %-13s from %-8s N1 %5d  N2 %5d  N1+N2 %5d of 17000  file %6zu bytes\n", spec.file_name,
                spec.jhf, font.n1, font.n2, font.n1 + font.n2, bytes.size());
  }
  std::printf("chrgen: stroke bytes of all fonts %zu of %zu in the font cache\n", total, kCacheStoreBytes);
  if (total > kCacheStoreBytes) {
    std::fprintf(stderr, "chrgen: the fonts together would not fit in the font cache\n");
    return 1;
  }
  return 0;
}
