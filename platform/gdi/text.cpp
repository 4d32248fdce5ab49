// Font objects, text metrics, text extents and TextOutA.
#include "platform/gdi/text.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gdi/dc.h"
#include "platform/gdi/display_state.h"
#include "platform/gdi/font.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/raster.h"

namespace plat {

namespace {

constexpr int kMaxFontHeight = 2048;  // pixels; larger requests are cut to this
constexpr int kMaxTextLength = 1 << 20;

GdiObject* font_of(DeviceContext* dc) {
  GdiObject* f = dc->font != nullptr ? dc->font : StockObject(SYSTEM_FONT);
  return f;
}

long extent_of(FontFace& face, const char* text, int count) {
  long w = 0;
  for (int i = 0; i < count; ++i) w += GlyphOf(face, static_cast<unsigned char>(text[i])).advance;
  return w;
}

inline std::uint32_t blend(std::uint32_t d, std::uint32_t c, unsigned a) {
  if (a >= 255) return c;
  auto ch = [&](int shift) {
    const int dv = static_cast<int>(d >> shift & 0xffu), cv = static_cast<int>(c >> shift & 0xffu);
    return static_cast<std::uint32_t>(dv + ((cv - dv) * static_cast<int>(a) + (cv >= dv ? 127 : -127)) / 255) << shift;
  };
  return ch(16) | ch(8) | ch(0);
}

void draw_glyph(const Target& t, const Glyph& g, int bx, int by, std::uint32_t colour, bool mono) {
  const int x0 = bx + g.left, y0 = by - g.top;
  for (int j = 0; j < g.height; ++j) {
    const int sy = y0 + j + t.oy;
    if (sy < t.clip.top || sy >= t.clip.bottom) continue;
    std::uint32_t* row = t.surface->row(sy);
    const std::uint8_t* cov = g.coverage.data() + static_cast<std::size_t>(j) * static_cast<std::size_t>(g.width);
    for (int i = 0; i < g.width; ++i) {
      unsigned a = cov[i];
      if (a == 0) continue;
      const int sx = x0 + i + t.ox;
      if (!t.drawable(sx, sy)) continue;
      if (mono) {
        if (a < 128) continue;
        a = 255;
      }
      row[sx] = blend(row[sx], colour, a);
    }
  }
}

// Fills the parallelogram origin + s*u + r*v, 0 <= s < len, -up <= r < down,
// with u along the baseline and v downwards across it.
void fill_cell(const Target& t, double ox, double oy, double ux, double uy, double len, double up, double down,
               std::uint32_t colour) {
  const double vx = -uy, vy = ux;
  const double cx[4] = {ox - up * vx, ox - up * vx + len * ux, ox + down * vx + len * ux, ox + down * vx};
  const double cy[4] = {oy - up * vy, oy - up * vy + len * uy, oy + down * vy + len * uy, oy + down * vy};
  const RECT lc = t.logical_clip();
  const long x0 = std::max<long>(lc.left, static_cast<long>(std::floor(*std::min_element(cx, cx + 4))));
  const long x1 = std::min<long>(lc.right, static_cast<long>(std::ceil(*std::max_element(cx, cx + 4))) + 1);
  const long y0 = std::max<long>(lc.top, static_cast<long>(std::floor(*std::min_element(cy, cy + 4))));
  const long y1 = std::min<long>(lc.bottom, static_cast<long>(std::ceil(*std::max_element(cy, cy + 4))) + 1);
  for (long y = y0; y < y1; ++y)
    for (long x = x0; x < x1; ++x) {
      const double px = x + 0.5 - ox, py = y + 0.5 - oy;
      const double s = px * ux + py * uy, r = px * vx + py * vy;
      if (s >= 0 && s < len && r >= -up && r < down) PutPixel(t, static_cast<int>(x), static_cast<int>(y), colour, R2_COPYPEN);
    }
}

}  // namespace

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strike_out, DWORD char_set, DWORD out_precision, DWORD clip_precision, DWORD quality,
                  DWORD pitch_and_family, const char* face) {
  GdiObject* o = NewObject(ObjKind::Font);
  o->font_height = std::clamp(height, -kMaxFontHeight, kMaxFontHeight);
  o->font_width = std::clamp(width, 0, kMaxFontHeight);
  o->escapement = escapement % 3600;
  o->weight = weight == FW_DONTCARE ? FW_NORMAL : std::clamp(weight, 1, 1000);
  o->italic = italic != 0;
  o->underline = underline != 0;
  o->strike_out = strike_out != 0;
  o->pitch_and_family = static_cast<int>(pitch_and_family & 0xffu);
  if (face != nullptr) {
    std::size_t n = 0;
    while (n + 1 < sizeof o->face_name && face[n] != '\0') ++n;
    std::memcpy(o->face_name, face, n);
    o->face_name[n] = '\0';
  }
  return o;
}

HFONT CreateFontIndirectA(const LOGFONTA* lf) {
  if (lf == nullptr) return nullptr;
  char face[LF_FACESIZE + 1] = {};
  std::memcpy(face, lf->lfFaceName, LF_FACESIZE);
  return CreateFontA(lf->lfHeight, lf->lfWidth, lf->lfEscapement, lf->lfOrientation, lf->lfWeight, lf->lfItalic,
                     lf->lfUnderline, lf->lfStrikeOut, lf->lfCharSet, lf->lfOutPrecision, lf->lfClipPrecision,
                     lf->lfQuality, lf->lfPitchAndFamily, face);
}

BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* tm) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr || tm == nullptr) return FALSE;
  GdiObject* font = font_of(dc);
  const FontMetrics& m = FaceOf(font).metrics;
  *tm = TEXTMETRICA{};
  tm->tmHeight = m.height;
  tm->tmAscent = m.ascent;
  tm->tmDescent = m.descent;
  tm->tmInternalLeading = m.internal_leading;
  tm->tmExternalLeading = m.external_leading;
  tm->tmAveCharWidth = m.ave_width;
  tm->tmMaxCharWidth = m.max_width;
  tm->tmWeight = font->weight;
  tm->tmItalic = font->italic ? 1 : 0;
  tm->tmUnderlined = font->underline ? 1 : 0;
  tm->tmStruckOut = font->strike_out ? 1 : 0;
  tm->tmDigitizedAspectX = Display().dpi;
  tm->tmDigitizedAspectY = Display().dpi;
  // TMPF_FIXED_PITCH set means the pitch is variable.
  tm->tmPitchAndFamily = static_cast<BYTE>((font->pitch_and_family & 0xf0) | TMPF_TRUETYPE | TMPF_VECTOR |
                                           (m.fixed_pitch ? 0 : TMPF_FIXED_PITCH));
  tm->tmCharSet = EASTEUROPE_CHARSET;
  return TRUE;
}

BOOL GetTextExtentPoint32A(HDC hdc, const char* text, int count, SIZE* size) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr || size == nullptr || count < 0 || count > kMaxTextLength || (text == nullptr && count > 0))
    return FALSE;
  FontFace& face = FaceOf(font_of(dc));
  size->cx = static_cast<LONG>(extent_of(face, text, count));
  size->cy = face.metrics.height;
  return TRUE;
}

UINT SetTextAlign(HDC hdc, UINT align) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr) return 0xFFFFFFFFu;
  const UINT old = dc->text_align;
  dc->text_align = align;
  return old;
}

UINT GetTextAlign(HDC hdc) {
  DeviceContext* dc = AsDC(hdc);
  return dc == nullptr ? 0xFFFFFFFFu : dc->text_align;
}

BOOL TextOutA(HDC hdc, int x, int y, const char* text, int count) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr || count < 0 || count > kMaxTextLength || (text == nullptr && count > 0)) return FALSE;
  GdiObject* font = font_of(dc);
  FontFace& face = FaceOf(font);
  const FontMetrics& m = face.metrics;
  const double ux = face.cos_e, uy = -face.sin_e;  // along the baseline
  const double vx = -uy, vy = ux;                  // down across it
  const UINT align = dc->text_align;
  const bool update_cp = (align & TA_UPDATECP) != 0;
  const double px = update_cp ? dc->position.x : ClampCoord(x);
  const double py = update_cp ? dc->position.y : ClampCoord(y);
  const long extent = extent_of(face, text, count);
  double along = 0;  // where the reference point lies along the text
  if ((align & TA_CENTER) == TA_CENTER)
    along = extent / 2.0;
  else if ((align & TA_CENTER) == TA_RIGHT)
    along = static_cast<double>(extent);
  double down = m.ascent;  // from the reference point down to the baseline
  if ((align & TA_BASELINE) == TA_BASELINE)
    down = 0;
  else if ((align & TA_BASELINE) == TA_BOTTOM)
    down = -m.descent;
  // The baseline start of the first character.
  const double bx = px - along * ux + down * vx;
  const double by = py - along * uy + down * vy;
  if (update_cp) {
    const double move = (align & TA_CENTER) == TA_CENTER ? 0 : ((align & TA_CENTER) == TA_RIGHT ? -extent : extent);
    dc->position = {static_cast<LONG>(std::lround(px + move * ux)), static_cast<LONG>(std::lround(py + move * uy))};
  }
  const Target t = TargetOf(dc);
  if (t.empty() || count == 0) return TRUE;
  if (dc->bk_mode == OPAQUE)
    fill_cell(t, bx, by, ux, uy, static_cast<double>(extent), m.ascent, m.descent, ResolvePixel(dc, dc->bk_colour));
  const std::uint32_t colour = ResolvePixel(dc, dc->text_colour);
  const bool mono = Display().depth <= 8;
  long pen = 0;
  for (int i = 0; i < count; ++i) {
    const Glyph& g = GlyphOf(face, static_cast<unsigned char>(text[i]));
    const int gx = static_cast<int>(std::lround(bx + pen * ux));
    const int gy = static_cast<int>(std::lround(by + pen * uy));
    if (!g.coverage.empty()) draw_glyph(t, g, gx, gy, colour, mono);
    pen += g.advance;
  }
  if (font->underline)
    fill_cell(t, bx + m.underline_offset * vx, by + m.underline_offset * vy, ux, uy, static_cast<double>(extent), 0,
              m.underline_thickness, colour);
  if (font->strike_out)
    fill_cell(t, bx - m.strikeout_offset * vx, by - m.strikeout_offset * vy, ux, uy, static_cast<double>(extent), 0,
              m.underline_thickness, colour);
  return TRUE;
}

}  // namespace plat
