#include "tools/chrgen/face.h"

#include <algorithm>

#include "tools/chrgen/hershey.h"

namespace chrgen {
namespace {

// The x extent of the stems (the longest vertical segments) of a glyph:
// bold faces draw a stem as two lines side by side.
void stem_range(const Glyph& g, int& x0, int& x1) {
  x0 = stem_x(g, false);
  x1 = stem_x(g, true);
}

// Fixed pitch: the narrow letters get the serifs a typewriter face gives
// them, so that every cell looks about equally full and "Il1" stay apart.
void add_serifs(Face& f) {
  const int w = f.spec.weight;
  auto bar = [w](Glyph& g, int xa, int xb, int y, int inward) {
    std::vector<Stroke> s{{Point{xa, y}, Point{xb, y}}};
    append(g, w > 1 ? doubled(s, 0, inward) : s);
  };
  auto at = [&f](char c) -> Glyph& { return f.ascii[static_cast<unsigned char>(c) - 32]; };
  int x0 = 0, x1 = 0;

  Glyph& cap_i = at('I');
  stem_range(cap_i, x0, x1);
  const int top_i = ink_box(cap_i).y0;
  bar(cap_i, x0 - 4, x1 + 4, top_i, 1);
  bar(cap_i, x0 - 4, x1 + 4, kBaseline, -1);

  for (char c : {'i', 'l'}) {
    Glyph& g = at(c);
    stem_range(g, x0, x1);
    const Glyph body = without_strokes_above(g, f.x_top - 1);
    const int top = c == 'i' ? ink_box(body).y0 : ink_box(g).y0;
    bar(g, x0 - 3, x0, top, 1);
    bar(g, x0 - 4, x1 + 4, kBaseline, -1);
  }

  Glyph& j = at('j');
  stem_range(j, x0, x1);
  bar(j, x0 - 4, x0, ink_box(without_strokes_above(j, f.x_top - 1)).y0, 1);

  Glyph& one = at('1');
  stem_range(one, x0, x1);
  bar(one, x0 - 4, x1 + 4, kBaseline, -1);
}

}  // namespace

void fit_width(const Face& face, Glyph& g) {
  const Box b = ink_box(g);
  if (b.empty || b.width() <= face.spec.max_ink) return;
  // Rounding to the grid can leave a unit too much; narrow a little more then.
  const Glyph original = g;
  for (int target = face.spec.max_ink; target > 0; --target) {
    g = original;
    scale_x(g, b.centre_x2(), target, b.width());
    if (ink_box(g).width() <= face.spec.max_ink) return;
  }
}

bool load_face(const FaceSpec& spec, const std::string& hershey_dir, Face& face, std::string& error) {
  face = Face{};
  face.spec = spec;
  face.ascii = read_jhf(hershey_dir + "/" + spec.jhf + ".jhf", error);
  if (face.ascii.empty()) return false;
  if (face.ascii.size() < 95) {
    error = std::string(spec.jhf) + ": fewer than 95 glyphs";
    return false;
  }
  face.ascii.resize(95);
  // A lone point would not be a stroke; draw it as a dot of two points.
  for (Glyph& g : face.ascii) {
    for (Stroke& s : g.strokes) {
      if (s.size() == 1) s.push_back(s.front());
    }
  }
  face.x_top = ink_box(face.glyph('x')).y0;
  face.cap_top = ink_box(face.glyph('H')).y0;

  face.dot = strokes_above(face.glyph('i'), face.x_top - 1);
  if (face.dot.empty()) {
    error = std::string(spec.jhf) + ": no dot on the i";
    return false;
  }
  const Box d = ink_box(face.dot);
  translate(face.dot, -d.centre_x2() / 2, -(d.y0 + d.y1) / 2);
  face.dot_box = ink_box(face.dot);

  // Some Roman faces draw "^" as an arrow whose shaft reaches the baseline;
  // the code stands for a caret.
  Glyph& caret = face.ascii[static_cast<unsigned char>('^') - 32];
  if (ink_box(caret).y1 >= kBaseline) {
    std::vector<Stroke> s{{Point{-5, -6}, Point{0, -12}, Point{5, -6}}};
    caret.strokes = spec.weight > 1 ? doubled(s, 1, 0) : s;
  }
  if (spec.fixed_pitch) add_serifs(face);
  for (Glyph& g : face.ascii) fit_width(face, g);
  return true;
}

}  // namespace chrgen
