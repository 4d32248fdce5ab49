#include "tools/chrgen/glyph.h"

#include <algorithm>
#include <cstdlib>

namespace chrgen {

Box ink_box(const std::vector<Stroke>& strokes) {
  Box b;
  for (const Stroke& s : strokes) {
    for (const Point& p : s) {
      if (b.empty) {
        b = Box{p.x, p.y, p.x, p.y, false};
      } else {
        b.x0 = std::min(b.x0, p.x);
        b.x1 = std::max(b.x1, p.x);
        b.y0 = std::min(b.y0, p.y);
        b.y1 = std::max(b.y1, p.y);
      }
    }
  }
  return b;
}

Box ink_box(const Glyph& g) { return ink_box(g.strokes); }

void translate(std::vector<Stroke>& strokes, int dx, int dy) {
  for (Stroke& s : strokes) {
    for (Point& p : s) {
      p.x += dx;
      p.y += dy;
    }
  }
}

void append(Glyph& to, const std::vector<Stroke>& strokes) {
  to.strokes.insert(to.strokes.end(), strokes.begin(), strokes.end());
}

int stem_x(const Glyph& g, bool rightmost) {
  int best_len = 0;
  int best_x = 0;
  for (const Stroke& s : g.strokes) {
    for (std::size_t i = 1; i < s.size(); ++i) {
      if (s[i].x != s[i - 1].x) continue;
      const int len = std::abs(s[i].y - s[i - 1].y);
      const bool better = len > best_len || (len == best_len && len > 0 &&
                                              (rightmost ? s[i].x > best_x : s[i].x < best_x));
      if (better) {
        best_len = len;
        best_x = s[i].x;
      }
    }
  }
  if (best_len == 0) return ink_box(g).centre_x2() / 2;
  return best_x;
}

std::vector<Stroke> strokes_above(const Glyph& g, int y) {
  std::vector<Stroke> out;
  for (const Stroke& s : g.strokes) {
    if (std::all_of(s.begin(), s.end(), [y](const Point& p) { return p.y < y; })) out.push_back(s);
  }
  return out;
}

Glyph without_strokes_above(const Glyph& g, int y) {
  Glyph out = g;
  out.strokes.clear();
  for (const Stroke& s : g.strokes) {
    if (!std::all_of(s.begin(), s.end(), [y](const Point& p) { return p.y < y; })) {
      out.strokes.push_back(s);
    }
  }
  return out;
}

namespace {
// Rounds a / b to the nearest integer, halves away from zero.
int round_div(long a, long b) {
  if (b < 0) {
    a = -a;
    b = -b;
  }
  return static_cast<int>(a >= 0 ? (a + b / 2) / b : -((-a + b / 2) / b));
}
}  // namespace

void scale_x(Glyph& g, int cx2, int num, int den) {
  for (Stroke& s : g.strokes) {
    for (Point& p : s) {
      // x' = c + (x - c) * num / den with c = cx2 / 2, kept in integers.
      const long twice = static_cast<long>(2 * p.x - cx2) * num;
      p.x = round_div(twice + static_cast<long>(cx2) * den, 2L * den);
    }
  }
}

void scale(std::vector<Stroke>& strokes, int cx, int cy, int num, int den) {
  for (Stroke& s : strokes) {
    for (Point& p : s) {
      p.x = cx + round_div(static_cast<long>(p.x - cx) * num, den);
      p.y = cy + round_div(static_cast<long>(p.y - cy) * num, den);
    }
  }
}

std::vector<Stroke> doubled(const std::vector<Stroke>& strokes, int dx, int dy) {
  std::vector<Stroke> out = strokes;
  std::vector<Stroke> copy = strokes;
  translate(copy, dx, dy);
  out.insert(out.end(), copy.begin(), copy.end());
  return out;
}

}  // namespace chrgen
