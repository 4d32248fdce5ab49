// Font faces: fontconfig finds the face file for a request, FreeType sizes
// it, supplies the metrics and renders glyphs, which are kept per font.
#include "platform/gdi/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <numbers>
#include <tuple>

#include "platform/gdi/text.h"
#include "text/cp1250.h"
#include "text/letters.h"

namespace plat {

namespace {

// The FreeType library lives as long as the process: faces may be closed
// during static destruction, after which the library must still exist.
FT_Library library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    if (FT_Init_FreeType(&l) != 0) l = nullptr;
    return l;
  }();
  return lib;
}

FcConfig* font_config();

void release_font_config() {
  FcConfigDestroy(font_config());
  FcFini();
}

// The fontconfig configuration, loaded once; released with fontconfig's
// own caches when the process ends (faces are only looked up while it runs).
FcConfig* font_config() {
  static FcConfig* config = [] {
    FcConfig* c = FcInitLoadConfigAndFonts();
    if (c != nullptr) std::atexit(release_font_config);
    return c;
  }();
  return config;
}

std::string lower(const char* s) { return text::asciilower(s != nullptr ? s : ""); }

struct FaceFile {
  std::string path;
  int index = 0;
};

// Face files by (family, bold, italic), found once.
FaceFile find_face_file(const std::string& family, bool bold, bool italic) {
  static std::map<std::tuple<std::string, bool, bool>, FaceFile> cache;
  const auto key = std::make_tuple(family, bold, italic);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  FaceFile found;
  if (FcConfig* config = font_config()) {
    FcPattern* pat = FcPatternCreate();
    FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pat, &result);
    if (match != nullptr) {
      FcChar8* file = nullptr;
      int index = 0;
      if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr) {
        found.path = reinterpret_cast<const char*>(file);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) found.index = index;
      }
      FcPatternDestroy(match);
    }
    FcPatternDestroy(pat);
  }
  cache.emplace(key, found);
  return found;
}

long round_l(double v) { return std::lround(v); }

void size_face(FontFace& f, const GdiObject& req) {
  FT_Face face = static_cast<FT_Face>(f.ft_face);
  const double upem = face->units_per_EM > 0 ? face->units_per_EM : 2048;
  double wa = face->ascender, wd = -face->descender, avg = upem / 2;
  double strike = upem * 0.25;
  if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
    if (os2->usWinAscent + os2->usWinDescent > 0) {
      wa = os2->usWinAscent;
      wd = os2->usWinDescent;
    }
    if (os2->xAvgCharWidth > 0) avg = os2->xAvgCharWidth;
    if (os2->yStrikeoutPosition > 0) strike = os2->yStrikeoutPosition;
  }
  if (wa + wd <= 0) {
    wa = upem * 0.8;
    wd = upem * 0.2;
  }
  // A positive height is the whole cell, a negative one the em (character
  // height); 0 asks for the usual 16-pixel cell.
  const int h = req.font_height;
  const double em = h < 0 ? -h : (h > 0 ? h : 16) * upem / (wa + wd);
  const double emx = req.font_width > 0 ? req.font_width * upem / avg : em;
  FT_Set_Char_Size(face, static_cast<FT_F26Dot6>(round_l(std::max(emx, 1.0) * 64)),
                   static_cast<FT_F26Dot6>(round_l(std::max(em, 1.0) * 64)), 72, 72);
  FontMetrics& m = f.metrics;
  if (h > 0) {
    m.ascent = static_cast<int>(round_l(h * wa / (wa + wd)));
    m.descent = h - m.ascent;
  } else {
    m.ascent = static_cast<int>(round_l(wa * em / upem));
    m.descent = static_cast<int>(round_l(wd * em / upem));
  }
  m.height = m.ascent + m.descent;
  m.internal_leading = std::max(0, m.height - static_cast<int>(round_l(em)));
  m.external_leading = std::max(0, static_cast<int>(round_l((face->height - (wa + wd)) * em / upem)));
  m.ave_width = std::max(1, static_cast<int>(round_l(avg * emx / upem)));
  m.max_width = std::max(m.ave_width, static_cast<int>(round_l((face->bbox.xMax - face->bbox.xMin) * emx / upem)));
  m.underline_offset = std::max(1, static_cast<int>(round_l(-face->underline_position * em / upem)));
  m.underline_thickness = std::max(1, static_cast<int>(round_l(face->underline_thickness * em / upem)));
  m.strikeout_offset = std::max(1, static_cast<int>(round_l(strike * em / upem)));
  m.fixed_pitch = FT_IS_FIXED_WIDTH(face) != 0;
}

void fallback_metrics(FontFace& f, const GdiObject& req) {
  const int h = req.font_height == 0 ? 16 : std::abs(req.font_height);
  FontMetrics& m = f.metrics;
  m.height = std::max(1, h);
  m.ascent = m.height * 4 / 5;
  m.descent = m.height - m.ascent;
  m.ave_width = req.font_width > 0 ? req.font_width : std::max(1, m.height / 2);
  m.max_width = m.ave_width * 2;
}

}  // namespace

FontFace::~FontFace() {
  if (ft_face != nullptr) FT_Done_Face(static_cast<FT_Face>(ft_face));
}

std::string MappedFamily(const char* face_name, int pitch_and_family) {
  const std::string n = lower(face_name);
  if (n.empty()) {
    const int family = pitch_and_family & 0xf0;
    if (family == FF_ROMAN) return "Liberation Serif";
    if (family == FF_MODERN || (pitch_and_family & 3) == FIXED_PITCH) return "Liberation Mono";
    return "Liberation Sans";
  }
  for (const char* s : {"courier new", "courier", "fixedsys", "terminal", "lucida console", "system fixed"})
    if (n == s) return "Liberation Mono";
  for (const char* s : {"arial", "helvetica", "helv", "system", "ms sans serif", "ms shell dlg", "ms shell dlg 2",
                        "microsoft sans serif", "tahoma", "segoe ui", "verdana"})
    if (n == s) return "Liberation Sans";
  for (const char* s : {"times new roman", "times", "tms rmn", "ms serif"})
    if (n == s) return "Liberation Serif";
  for (const char* s : {"liberation mono", "liberation sans", "liberation serif", "dejavu sans", "dejavu sans mono",
                        "dejavu serif"})
    if (n == s) return face_name;
  // "Symbol", "Wingdings" and any face not known here.
  return "DejaVu Sans";
}

FontFace& FaceOf(GdiObject* font) {
  if (font->face) return *font->face;
  font->face = std::make_shared<FontFace>();
  FontFace& f = *font->face;
  const double a = font->escapement / 10.0 * std::numbers::pi / 180.0;
  f.cos_e = std::cos(a);
  f.sin_e = std::sin(a);
  if (font->escapement % 3600 == 0) {
    f.cos_e = 1;
    f.sin_e = 0;
  }
  const bool bold = font->weight >= FW_SEMIBOLD;
  const std::string family = MappedFamily(font->face_name, font->pitch_and_family);
  FT_Library lib = library();
  FT_Face face = nullptr;
  if (lib != nullptr) {
    for (const std::string& fam : {family, std::string("DejaVu Sans")}) {
      const FaceFile file = find_face_file(fam, bold, font->italic);
      if (!file.path.empty() && FT_New_Face(lib, file.path.c_str(), file.index, &face) == 0) {
        f.file = file.path;
        break;
      }
      face = nullptr;
    }
  }
  if (face == nullptr) {
    fallback_metrics(f, *font);
    return f;
  }
  FT_Select_Charmap(face, FT_ENCODING_UNICODE);
  f.ft_face = face;
  size_face(f, *font);
  f.embolden = bold && (face->style_flags & FT_STYLE_FLAG_BOLD) == 0;
  const bool slant = font->italic && (face->style_flags & FT_STYLE_FLAG_ITALIC) == 0;
  f.transformed = f.sin_e != 0 || slant;
  if (f.transformed) {
    // Rotation by the escapement after a slant for a missing italic.
    const double k = slant ? 0.2 : 0.0;
    FT_Matrix mtx;
    mtx.xx = static_cast<FT_Fixed>(round_l(f.cos_e * 65536));
    mtx.xy = static_cast<FT_Fixed>(round_l((f.cos_e * k - f.sin_e) * 65536));
    mtx.yx = static_cast<FT_Fixed>(round_l(f.sin_e * 65536));
    mtx.yy = static_cast<FT_Fixed>(round_l((f.sin_e * k + f.cos_e) * 65536));
    FT_Set_Transform(face, &mtx, nullptr);
  }
  return f;
}

const Glyph& GlyphOf(FontFace& f, unsigned char byte) {
  Glyph& g = f.glyphs[byte];
  if (g.loaded) return g;
  g.loaded = true;
  FT_Face face = static_cast<FT_Face>(f.ft_face);
  if (face == nullptr) {
    g.advance = f.metrics.ave_width;
    return g;
  }
  const FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(text::cp1250_to_unicode(byte)));
  const FT_Int32 flags = f.transformed ? FT_LOAD_NO_HINTING : FT_LOAD_DEFAULT;
  if (FT_Load_Glyph(face, index, flags) != 0) return g;
  FT_GlyphSlot slot = face->glyph;
  if (f.transformed) {
    // Advance along the baseline, from the untransformed outline.
    g.advance = static_cast<int>((slot->linearHoriAdvance + 0x8000) >> 16);
  } else {
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  }
  if (f.embolden && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    const FT_Pos strength = FT_MulFix(face->units_per_EM, face->size->metrics.y_scale) / 24;
    FT_Outline_Embolden(&slot->outline, strength);
    g.advance += static_cast<int>((strength + 32) >> 6);
  }
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return g;
  const FT_Bitmap& bm = slot->bitmap;
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  g.width = static_cast<int>(bm.width);
  g.height = static_cast<int>(bm.rows);
  g.coverage.assign(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height), 0);
  for (int y = 0; y < g.height; ++y) {
    const unsigned char* src = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
    for (int x = 0; x < g.width; ++x) {
      std::uint8_t v;
      if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
        v = (src[x / 8] >> (7 - x % 8) & 1u) ? 255 : 0;
      else
        v = src[x];
      g.coverage[static_cast<std::size_t>(y) * static_cast<std::size_t>(g.width) + static_cast<std::size_t>(x)] = v;
    }
  }
  return g;
}

}  // namespace plat
