// Stroke text: each character of a string drawn from the strokes of the
// current stroke font, as open lines (line font) or as solid polygons
// (filled font), clipped by the line and polygon routines.
//
// The font file holds glyphs for codes 33..126 and 161..255 only. Code page
// 1250 puts a few accented letters below 161 (among them the Polish s and z
// with acute, 0x8C 0x8F 0x9C 0x9F); such a letter is drawn as its base
// letter with the accent taken from an accented letter of the same font
// that has one (the acute of O/o with acute, the caron of C/c with caron).
#include <algorithm>
#include <span>
#include <vector>

#include "toolkit/graphics/chrfile.h"
#include "toolkit/graphics/grfont.h"
#include "toolkit/graphics/grlines.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/graphics/grshapes.h"
#include "toolkit/graphics/grtext.h"

namespace tsd {

namespace {

struct Point {
  float x = 0.0f;
  float y = 0.0f;
};
using Stroke = std::vector<Point>;
using Strokes = std::vector<Stroke>;

// The stroke symbols of code c in the current tables; empty for a code
// without a glyph in the current font.
std::span<const std::uint8_t> glyphsymbols(int c) {
  int s = 0;
  int e = 0;
  if (c >= toolkit::kChrBlock1First && c <= toolkit::kChrBlock1Last) {
    s = grfont.start1[c - 33];
    e = grfont.start1[c - 32];
  } else if (c >= toolkit::kChrBlock2First && c <= toolkit::kChrBlock2Last &&
             grstate.fonttype == toolkit::kChrTypeBoth) {
    s = grfont.start2[c - 161];
    e = grfont.start2[c - 160];
  }
  // Positions are checked when the font is loaded; this keeps every read
  // inside the stroke array whatever the tables hold.
  if (s < 1 || e <= s || e - 1 > kStrokeBytes) return {};
  return std::span<const std::uint8_t>(grstrokes + (s - 1), static_cast<std::size_t>(e - s));
}

// Splits a glyph into strokes: a point is two symbols; a pen-up symbol
// after a point ends the stroke; a symbol left over at the end is ignored.
Strokes parse(std::span<const std::uint8_t> g) {
  Strokes out;
  Stroke cur;
  std::size_t i = 0;
  const std::size_t e = g.size();
  while (i + 2 <= e) {
    const int vx = toolkit::chr_symbol_value(g[i]);
    const int vy = toolkit::chr_symbol_value(g[i + 1]);
    if (vx < 0 || vy < 0) break;  // not a point: what was read so far is drawn
    cur.push_back(Point{static_cast<float>(vx), static_cast<float>(vy)});
    i += 2;
    if (e - i < 2) break;
    if (toolkit::chr_symbol_value(g[i]) < 0) {
      out.push_back(cur);
      cur.clear();
      i += 1;
    }
  }
  if (!cur.empty()) out.push_back(cur);
  return out;
}

bool samestroke(const Stroke& a, const Stroke& b, float tx, float ty) {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k)
    if (a[k].x + tx != b[k].x || a[k].y + ty != b[k].y) return false;
  return true;
}

float inkcentre(const Strokes& s) {
  bool any = false;
  float lo = 0.0f;
  float hi = 0.0f;
  for (const Stroke& st : s)
    for (const Point& p : st) {
      if (!any || p.x < lo) lo = p.x;
      if (!any || p.x > hi) hi = p.x;
      any = true;
    }
  return (lo + hi) / 2.0f;
}

// The strokes of the accented letter donor that are not those of its base
// letter (found at one common offset), moved as they would sit over base.
Strokes accentof(int donor, int donorbase, const Strokes& base) {
  const Strokes d = parse(glyphsymbols(donor));
  const Strokes b = parse(glyphsymbols(donorbase));
  if (d.empty() || b.empty()) return {};
  for (const Stroke& cand : d) {
    if (cand.size() != b[0].size()) continue;
    const float tx = cand[0].x - b[0][0].x;
    const float ty = cand[0].y - b[0][0].y;
    std::vector<bool> used(d.size(), false);
    bool all = true;
    for (const Stroke& bs : b) {
      bool hit = false;
      for (std::size_t k = 0; k < d.size(); ++k) {
        if (!used[k] && samestroke(bs, d[k], tx, ty)) {
          used[k] = true;
          hit = true;
          break;
        }
      }
      if (!hit) {
        all = false;
        break;
      }
    }
    if (!all) continue;
    const float shift = inkcentre(base) - inkcentre(b);
    Strokes mark;
    for (std::size_t k = 0; k < d.size(); ++k) {
      if (used[k]) continue;
      Stroke m = d[k];
      for (Point& p : m) {
        p.x = p.x - tx + shift;
        p.y = p.y - ty;
      }
      mark.push_back(m);
    }
    return mark;
  }
  return {};
}

struct Composite {
  int code;
  char base;
  int donor;       // accented letter whose accent is borrowed
  char donorbase;  // its base letter
};

// Letters of code page 1250 below 161: base letter and accent.
constexpr Composite kComposites[] = {
    {0x8A, 'S', 0xC8, 'C'},  // S with caron
    {0x8C, 'S', 0xD3, 'O'},  // S with acute
    {0x8D, 'T', 0xC8, 'C'},  // T with caron
    {0x8E, 'Z', 0xC8, 'C'},  // Z with caron
    {0x8F, 'Z', 0xD3, 'O'},  // Z with acute
    {0x9A, 's', 0xE8, 'c'},  // s with caron
    {0x9C, 's', 0xF3, 'o'},  // s with acute
    {0x9E, 'z', 0xE8, 'c'},  // z with caron
    {0x9F, 'z', 0xF3, 'o'},  // z with acute
};

}  // namespace

int xxcomposedbase(int c) {
  for (const Composite& k : kComposites)
    if (k.code == c) return static_cast<unsigned char>(k.base);
  return 0;
}

namespace {

// The strokes of code c: its own glyph, a composed letter, or none.
Strokes glyphof(int c) {
  if (c >= 128 && c <= 160) {
    if (grstate.fonttype != toolkit::kChrTypeBoth) return {};
    for (const Composite& k : kComposites) {
      if (k.code != c) continue;
      Strokes s = parse(glyphsymbols(static_cast<unsigned char>(k.base)));
      if (s.empty()) return s;
      Strokes mark = accentof(k.donor, static_cast<unsigned char>(k.donorbase), s);
      s.insert(s.end(), mark.begin(), mark.end());
      return s;
    }
    return {};
  }
  return parse(glyphsymbols(c));
}

void drawstroke(const Stroke& st, float ox, float oy, float sx, float sy,
                std::vector<float>& xs, std::vector<float>& ys) {
  const int k = static_cast<int>(st.size());
  if (k < 2) return;
  xs.resize(st.size());
  ys.resize(st.size());
  for (std::size_t i = 0; i < st.size(); ++i) {
    xs[i] = ox + sx * st[i].x;
    ys[i] = oy + sy * st[i].y;
  }
  // A stroke within one device pixel (a dot at a small size) would draw
  // nothing as a closed line or a polygon: it is drawn as that pixel, so
  // every glyph keeps something visible at every size.
  bool onepixel = true;
  for (std::size_t i = 1; i < st.size() && onepixel; ++i)
    onepixel = itrunc(xs[i]) == itrunc(xs[0]) && itrunc(ys[i]) == itrunc(ys[0]);
  if (onepixel) {
    xxlini(xs[0], ys[0], xs[0], ys[0]);
    return;
  }
  if (grstate.fontkind == toolkit::kChrKindLine) {
    if (k == 2)
      xxlini(xs[0], ys[0], xs[1], ys[1]);
    else
      xxpline(xs.data(), ys.data(), k, 1);
  } else {
    xxplygon(xs.data(), ys.data(), k, 1);
  }
}

}  // namespace

int xxwscs(float x, float y, std::string_view text, float w, float h, int n) {
  const bool proportional = grstate.spacing != 0;
  float sx = w / grfont.cellwidth;
  if (proportional && grfont.glyphwidth < 8.0f) sx = sx * 0.75f;
  const float sy = h / grfont.cellheight;
  const bool filled = grstate.fontkind == toolkit::kChrKindFilled;
  const int pattern = grfill.pattern;
  if (filled) grfill.pattern = 4;
  // Fixed spacing: the origin moves by the text advance. Proportional: the
  // start of the current cell moves by the character's own advance, and
  // the glyph is centred in it.
  float ox = x + (grstate.textadvx - grfont.glyphwidth * sx) / 2.0f;
  float cx = x;
  float oy = y - grstate.textheighty / 2.0f;
  const int count = std::clamp(n, 0, static_cast<int>(std::min<std::size_t>(text.size(), 0x7fffffff)));
  std::vector<float> xs;
  std::vector<float> ys;
  for (int i = 0; i < count; ++i) {
    const int c = xxichar(text[static_cast<std::size_t>(i)]);
    if (proportional) {
      const float f = xxcwidth(c);
      const float advx = f * grstate.textadvx;
      ox = cx + (advx - grfont.glyphwidth * sx) / 2.0f;
      if (c > 32) {
        for (const Stroke& st : glyphof(c)) drawstroke(st, ox, oy, sx, sy, xs, ys);
      }
      cx += advx;
      oy += f * grstate.textadvy;
      continue;
    }
    if (c > 32) {
      for (const Stroke& st : glyphof(c)) drawstroke(st, ox, oy, sx, sy, xs, ys);
    }
    ox += grstate.textadvx;
    oy += grstate.textadvy;
  }
  if (filled) grfill.pattern = pattern;
  return 0;
}

}  // namespace tsd
