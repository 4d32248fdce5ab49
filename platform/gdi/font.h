// Font faces behind the font objects: the face file found for a request,
// its size and metrics, and the glyphs drawn so far. Internal to
// platform/gdi.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/gdi_private.h"

namespace plat {

// One rendered glyph: coverage 0..255, placed relative to the pen position
// on the baseline (left to the right, top above it).
struct Glyph {
  bool loaded = false;
  int advance = 0;  // pixels along the baseline
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;
};

struct FontMetrics {
  int height = 16;
  int ascent = 13;
  int descent = 3;
  int internal_leading = 0;
  int external_leading = 0;
  int ave_width = 8;
  int max_width = 16;
  int underline_offset = 2;  // below the baseline
  int underline_thickness = 1;
  int strikeout_offset = 4;  // above the baseline
  bool fixed_pitch = false;
};

struct FontFace {
  FontFace() = default;
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;
  ~FontFace();

  void* ft_face = nullptr;  // FT_Face; nullptr when no face file could be used
  std::string file;         // the face file
  FontMetrics metrics;
  double cos_e = 1.0, sin_e = 0.0;  // direction of the baseline (escapement)
  bool transformed = false;         // rotated or slanted glyphs
  bool embolden = false;            // bold asked of a face that is not
  std::array<Glyph, 256> glyphs;    // by code-page-1250 byte
};

// Resolves a font object's face on first use.
FontFace& FaceOf(GdiObject* font);
const Glyph& GlyphOf(FontFace& face, unsigned char byte);

// The family a requested face name maps to ("Liberation Sans", ...).
std::string MappedFamily(const char* face_name, int pitch_and_family);

}  // namespace plat
