// Accented letters and signs of code page 1250, codes 161..255.
//
// Sections: accent marks; the recipe table; signs drawn by hand; compose().
#include "tools/chrgen/compose.h"

#include <algorithm>
#include <cmath>

#include "text/cp1250.h"

namespace chrgen {
namespace {

// ---- Accent marks -------------------------------------------------------

enum class Mark {
  none,
  acute,
  circumflex,
  caron,
  breve,
  ring,
  double_acute,
  diaeresis,
  dot_above,
  ogonek,
  cedilla,
  stroke,        // the slash of ł and Ł
  bar,           // the bar of đ and Đ
  caron_tick,    // the apostrophe-like caron of ď, ť, ľ and Ľ
};

// Marks above a letter sit this far above its ink, this tall: higher over
// the lower-case letters, lower over capitals and ascenders, where the
// cell has less room.
constexpr int kGap = 2;
constexpr int kLowHeight = 4;
constexpr int kTallHeight = 3;

void append_to(std::vector<Stroke>& to, const std::vector<Stroke>& from) {
  to.insert(to.end(), from.begin(), from.end());
}

std::vector<Stroke> dot_at(const Face& f, int cx, int bottom) {
  std::vector<Stroke> d = f.dot;
  translate(d, cx, bottom - f.dot_box.y1);
  return d;
}

// A mark above, centred on cx, between yt (top) and yb (bottom).
std::vector<Stroke> mark_above(const Face& f, Mark m, int cx, int yt, int yb) {
  switch (m) {
    case Mark::acute:
      return {{{cx - 1, yb}, {cx + 2, yt}}};
    case Mark::circumflex:
      return {{{cx - 3, yb}, {cx, yt}, {cx + 3, yb}}};
    case Mark::caron:
      return {{{cx - 3, yt}, {cx, yb}, {cx + 3, yt}}};
    case Mark::breve:
      return {{{cx - 3, yt}, {cx - 2, yb - 1}, {cx - 1, yb}, {cx + 1, yb}, {cx + 2, yb - 1}, {cx + 3, yt}}};
    case Mark::ring:
      return {{{cx - 1, yt}, {cx + 1, yt}, {cx + 2, yt + 1}, {cx + 2, yb - 1}, {cx + 1, yb},
               {cx - 1, yb}, {cx - 2, yb - 1}, {cx - 2, yt + 1}, {cx - 1, yt}}};
    case Mark::double_acute:
      return {{{cx - 3, yb}, {cx - 1, yt}}, {{cx + 1, yb}, {cx + 3, yt}}};
    case Mark::diaeresis: {
      std::vector<Stroke> s = dot_at(f, cx - 3, yb);
      append_to(s, dot_at(f, cx + 3, yb));
      return s;
    }
    case Mark::dot_above:
      return dot_at(f, cx, yb);
    default:
      return {};
  }
}

// ---- Recipes ------------------------------------------------------------

struct Recipe {
  char32_t code_point;
  char base;
  Mark mark;
};

constexpr Recipe kRecipes[] = {
    {U'Ł', 'L', Mark::stroke},      {U'ł', 'l', Mark::stroke},
    {U'Ą', 'A', Mark::ogonek},      {U'ą', 'a', Mark::ogonek},
    {U'Ę', 'E', Mark::ogonek},      {U'ę', 'e', Mark::ogonek},
    {U'Ż', 'Z', Mark::dot_above},   {U'ż', 'z', Mark::dot_above},
    {U'Ć', 'C', Mark::acute},       {U'ć', 'c', Mark::acute},
    {U'Ń', 'N', Mark::acute},       {U'ń', 'n', Mark::acute},
    {U'Ó', 'O', Mark::acute},       {U'ó', 'o', Mark::acute},
    {U'Ş', 'S', Mark::cedilla},     {U'ş', 's', Mark::cedilla},
    {U'Ľ', 'L', Mark::caron_tick},  {U'ľ', 'l', Mark::caron_tick},
    {U'Ŕ', 'R', Mark::acute},       {U'ŕ', 'r', Mark::acute},
    {U'Á', 'A', Mark::acute},       {U'á', 'a', Mark::acute},
    {U'Â', 'A', Mark::circumflex},  {U'â', 'a', Mark::circumflex},
    {U'Ă', 'A', Mark::breve},       {U'ă', 'a', Mark::breve},
    {U'Ä', 'A', Mark::diaeresis},   {U'ä', 'a', Mark::diaeresis},
    {U'Ĺ', 'L', Mark::acute},       {U'ĺ', 'l', Mark::acute},
    {U'Ç', 'C', Mark::cedilla},     {U'ç', 'c', Mark::cedilla},
    {U'Č', 'C', Mark::caron},       {U'č', 'c', Mark::caron},
    {U'É', 'E', Mark::acute},       {U'é', 'e', Mark::acute},
    {U'Ë', 'E', Mark::diaeresis},   {U'ë', 'e', Mark::diaeresis},
    {U'Ě', 'E', Mark::caron},       {U'ě', 'e', Mark::caron},
    {U'Í', 'I', Mark::acute},       {U'í', 'i', Mark::acute},
    {U'Î', 'I', Mark::circumflex},  {U'î', 'i', Mark::circumflex},
    {U'Ď', 'D', Mark::caron},       {U'ď', 'd', Mark::caron_tick},
    {U'Đ', 'D', Mark::bar},         {U'đ', 'd', Mark::bar},
    {U'Ň', 'N', Mark::caron},       {U'ň', 'n', Mark::caron},
    {U'Ô', 'O', Mark::circumflex},  {U'ô', 'o', Mark::circumflex},
    {U'Ő', 'O', Mark::double_acute}, {U'ő', 'o', Mark::double_acute},
    {U'Ö', 'O', Mark::diaeresis},   {U'ö', 'o', Mark::diaeresis},
    {U'Ř', 'R', Mark::caron},       {U'ř', 'r', Mark::caron},
    {U'Ů', 'U', Mark::ring},        {U'ů', 'u', Mark::ring},
    {U'Ú', 'U', Mark::acute},       {U'ú', 'u', Mark::acute},
    {U'Ű', 'U', Mark::double_acute}, {U'ű', 'u', Mark::double_acute},
    {U'Ü', 'U', Mark::diaeresis},   {U'ü', 'u', Mark::diaeresis},
    {U'Ý', 'Y', Mark::acute},       {U'ý', 'y', Mark::acute},
    {U'Ţ', 'T', Mark::cedilla},     {U'ţ', 't', Mark::cedilla},
    // The spacing accents: the mark alone, over an empty x-height letter.
    {U'ˇ', 0, Mark::caron},         {U'˘', 0, Mark::breve},
    {U'˛', 0, Mark::ogonek},        {U'´', 0, Mark::acute},
    {U'˝', 0, Mark::double_acute},  {U'¨', 0, Mark::diaeresis},
    {U'¸', 0, Mark::cedilla},       {U'˙', 0, Mark::dot_above},
};

const Recipe* find_recipe(char32_t cp) {
  for (const Recipe& r : kRecipes) {
    if (r.code_point == cp) return &r;
  }
  return nullptr;
}

// The base letter with its mark. A bold face draws the mark twice.
Glyph accented(const Face& f, const Recipe& r) {
  const int w = f.spec.weight;
  Glyph g;
  int top = f.x_top;
  int cx = 0;
  if (r.base != 0) {
    g = f.glyph(r.base);
    // i loses its dot under an accent.
    if (r.base == 'i') g = without_strokes_above(g, f.x_top - 1);
    const Box b = ink_box(g);
    top = b.y0;
    cx = b.centre_x2() / 2;
  }
  const bool tall = top < f.x_top - 2;
  std::vector<Stroke> m;
  switch (r.mark) {
    case Mark::ogonek: {
      // From the right end of the foot of the letter, down and round.
      int ax = 1;
      int ay = kBaseline;
      bool found = false;
      for (const Stroke& s : g.strokes) {
        for (const Point& p : s) {
          if (p.y >= kBaseline - 1 && (!found || p.x > ax)) {
            ax = p.x;
            ay = p.y;
            found = true;
          }
        }
      }
      // It bulges to the left and ends pointing right, so that under a
      // stem it does not read as a descender (ą is not q).
      m = {{{ax, ay}, {ax - 2, ay + 1}, {ax - 3, ay + 3}, {ax - 2, ay + 5}, {ax + 1, ay + 5}}};
      break;
    }
    case Mark::cedilla: {
      const int x = (r.base == 'T' || r.base == 't') ? stem_x(g, false) : cx;
      m = {{{x, kBaseline}, {x, kBaseline + 2}, {x + 1, kBaseline + 2}, {x + 2, kBaseline + 3},
            {x + 2, kBaseline + 4}, {x + 1, kBaseline + 5}, {x - 2, kBaseline + 5}}};
      break;
    }
    case Mark::stroke: {
      const int sx = stem_x(g, false) + (w - 1);
      const int mid = (top + kBaseline) / 2;
      m = {{{sx - 3, mid + 2}, {sx + 3, mid - 2}}};
      break;
    }
    case Mark::bar: {
      if (r.base == 'd') {
        const int sx = stem_x(g, true);
        const int y = (f.x_top + top) / 2;
        m = {{{sx - 3, y}, {sx + 3 + (w - 1), y}}};
      } else {
        const int sx = stem_x(g, false);
        const int y = (top + kBaseline) / 2;
        m = {{{sx - 3, y}, {sx + 4 + (w - 1), y}}};
      }
      // A horizontal bar is thickened downwards, not sideways.
      append(g, w > 1 ? doubled(m, 0, 1) : m);
      return g;
    }
    case Mark::caron_tick: {
      // Just right of whatever the letter has at its top (a serif, say).
      int tx = stem_x(g, r.base == 'd');
      for (const Stroke& s : g.strokes) {
        for (const Point& p : s) {
          if (p.y <= top + 1) tx = std::max(tx, p.x);
        }
      }
      tx += 2 + (w - 1);
      m = {{{tx, top}, {tx, top + 2}, {tx - 1, top + 4}}};
      break;
    }
    default: {
      const int yb = top - kGap;
      const int yt = yb - (tall ? kTallHeight : kLowHeight);
      // Dots stand a little higher over the lower-case letters.
      const bool dots = r.mark == Mark::dot_above || r.mark == Mark::diaeresis;
      m = mark_above(f, r.mark, cx, yt, dots && !tall ? yb - 1 : yb);
      break;
    }
  }
  // Dots come thick from the face itself; other marks are thickened here.
  const bool from_face = r.mark == Mark::dot_above || r.mark == Mark::diaeresis;
  append(g, (w > 1 && !from_face) ? doubled(m, 1, 0) : m);
  return g;
}

// ---- Signs drawn by hand ------------------------------------------------

// A closed polygon approximating a circle.
Stroke circle(int cx, int cy, int r, int steps) {
  Stroke s;
  for (int i = 0; i <= steps; ++i) {
    const double a = 2.0 * 3.14159265358979323846 * i / steps;
    s.push_back(Point{cx + static_cast<int>(std::lround(r * std::cos(a))),
                      cy + static_cast<int>(std::lround(r * std::sin(a)))});
  }
  return s;
}

std::vector<Stroke> shifted(std::vector<Stroke> s, int dx, int dy) {
  translate(s, dx, dy);
  return s;
}

// Signs of 161..255 that are not letters with accents. Returns false for a
// code left blank.
bool sign(const Face& f, char32_t cp, Glyph& g) {
  const int w = f.spec.weight;
  auto thick = [w](std::vector<Stroke> s) { return w > 1 ? doubled(s, 1, 0) : s; };
  g = Glyph{};
  switch (cp) {
    case U'\u00ad':  // soft hyphen, shown as a hyphen
      g = f.glyph('-');
      return true;
    case U'·':
      g.strokes = shifted(f.glyph('.').strokes, 0, (f.x_top + kBaseline) / 2 - ink_box(f.glyph('.')).y1 + 1);
      return true;
    case U'×':
      g.strokes = thick({{{-5, -5}, {5, 5}}, {{5, -5}, {-5, 5}}});
      return true;
    case U'÷':
      g.strokes = f.glyph('-').strokes;
      append(g, dot_at(f, 0, -4));
      append(g, shifted(f.dot, 0, 6 - f.dot_box.y0));
      return true;
    case U'±': {
      std::vector<Stroke> plus = f.glyph('+').strokes;
      scale(plus, 0, 0, 3, 4);
      translate(plus, 0, -3);
      std::vector<Stroke> minus = f.glyph('-').strokes;
      scale(minus, 0, 0, 3, 4);
      translate(minus, 0, 7);
      g.strokes = plus;
      append(g, minus);
      return true;
    }
    case U'°':
      g.strokes = thick({circle(0, f.cap_top + 3, 3, 8)});
      return true;
    case U'«':
      g.strokes = thick({{{-1, -2}, {-4, 2}, {-1, 6}}, {{4, -2}, {1, 2}, {4, 6}}});
      return true;
    case U'»':
      g.strokes = thick({{{1, -2}, {4, 2}, {1, 6}}, {{-4, -2}, {-1, 2}, {-4, 6}}});
      return true;
    case U'¬':
      g.strokes = thick({{{-7, 0}, {7, 0}, {7, 4}}});
      return true;
    case U'¦': {
      const Box b = ink_box(f.glyph('|'));
      const int x = b.centre_x2() / 2;
      g.strokes = thick({{{x, b.y0}, {x, -2}}, {{x, 2}, {x, b.y1}}});
      return true;
    }
    case U'¤':
      g.strokes = thick({circle(0, 0, 4, 8), {{-3, -3}, {-6, -6}}, {{3, -3}, {6, -6}},
                         {{3, 3}, {6, 6}}, {{-3, 3}, {-6, 6}}});
      return true;
    case U'µ': {
      g = f.glyph('u');
      const Box b = ink_box(g);
      append(g, thick({{{b.x0, b.y0}, {b.x0, 16}}}));
      return true;
    }
    case U'§': {
      const Glyph& s = f.glyph('s');
      g.strokes = shifted(s.strokes, 0, -6);
      append(g, shifted(s.strokes, 0, 1));
      return true;
    }
    case U'¶':
      g.strokes = thick({{{1, -12}, {1, 12}},
                         {{4, -12}, {4, 12}},
                         {{4, -12}, {-1, -12}, {-3, -11}, {-4, -9}, {-4, -7}, {-3, -5}, {-1, -4}, {1, -4}}});
      return true;
    case U'©':
    case U'®': {
      std::vector<Stroke> letter = f.glyph(cp == U'©' ? 'C' : 'R').strokes;
      const Box b = ink_box(letter);
      translate(letter, -b.centre_x2() / 2, -(b.y0 + b.y1) / 2);
      scale(letter, 0, 0, 1, 2);
      translate(letter, 0, -2);
      g.strokes = {circle(0, -2, 10, 20)};
      append(g, letter);
      return true;
    }
    case U'ß':
      g.strokes = thick({{{-6, 9}, {-6, -5}, {-5, -9}, {-3, -11}, {-1, -12}, {1, -12}, {3, -11},
                          {4, -9}, {4, -7}, {3, -5}, {0, -4}, {3, -3}, {5, -1}, {6, 1}, {6, 4},
                          {5, 6}, {4, 8}, {2, 9}, {0, 9}, {-2, 8}}});
      return true;
    default:
      return false;
  }
}

}  // namespace

bool compose(const Face& face, unsigned char code, Glyph& out, int& centre_x2) {
  const char32_t cp = text::cp1250_to_unicode(code);
  const Recipe* r = find_recipe(cp);
  if (r != nullptr) {
    out = accented(face, *r);
    if (r->base != 0) {
      Glyph base = face.glyph(r->base);
      if (r->base == 'i') base = without_strokes_above(base, face.x_top - 1);
      centre_x2 = ink_box(base).centre_x2();
    } else {
      centre_x2 = ink_box(out).centre_x2();
    }
  } else if (sign(face, cp, out)) {
    centre_x2 = ink_box(out).centre_x2();
  } else {
    return false;
  }
  const Box before = ink_box(out);
  fit_width(face, out);
  if (ink_box(out).width() != before.width()) centre_x2 = ink_box(out).centre_x2();
  return true;
}

}  // namespace chrgen
