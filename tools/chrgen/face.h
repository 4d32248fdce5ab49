// A Hershey face prepared for one font file: its printable glyphs, the
// measures the composed letters are placed by, and the look of the file.
#pragma once

#include <string>
#include <vector>

#include "tools/chrgen/glyph.h"

namespace chrgen {

// What a font file is made of.
struct FaceSpec {
  const char* file_name;  // the font file written, e.g. "swiss.chr"
  const char* jhf;        // the Hershey face it is made from, e.g. "futural"
  int weight;             // 1 plain; 2 bold: the marks added are drawn twice
  bool fixed_pitch;       // glyphs widened with serifs and narrowed to fill one width
  int cell_width;         // font units across a character cell
  int max_ink;            // widest a glyph may be; wider ones are narrowed to this
};

struct Face {
  FaceSpec spec{};
  std::vector<Glyph> ascii;  // codes 32..126, index code - 32
  int x_top = -5;            // top of the lower-case letters ("x")
  int cap_top = -12;         // top of the capitals ("H")
  std::vector<Stroke> dot;   // the dot of "i", centred on (0, 0)
  Box dot_box;               // its extent after centring

  const Glyph& glyph(char c) const { return ascii[static_cast<unsigned char>(c) - 32]; }
};

// Loads the face from the Hershey folder and measures it; for a fixed-pitch
// face, also gives the narrow letters their serifs; narrows the glyphs
// wider than the face allows.
bool load_face(const FaceSpec& spec, const std::string& hershey_dir, Face& face, std::string& error);

// Narrows a glyph that is wider than the face allows, about its own centre.
void fit_width(const Face& face, Glyph& g);

}  // namespace chrgen
