// The glyphs of codes 161..255: the letters of code page 1250 composed from
// a base letter of the face and the accents drawn here, and the signs of
// that range as far as they can be drawn in strokes.
#pragma once

#include "tools/chrgen/face.h"

namespace chrgen {

// The glyph of one code-page-1250 code 161..255. Its ink is centred on
// centre_x2 / 2 (the centre of the base letter, so that an accent hanging
// out to one side does not move the letter). False for a code the font
// leaves blank.
bool compose(const Face& face, unsigned char code, Glyph& out, int& centre_x2);

}  // namespace chrgen
