// Text output: strings written in the graphics area with the hardware font
// (the window driver's text operation) or with the current stroke font.
#pragma once

#include <string_view>

namespace tsd {

// Writes text at (x, y) in user units with the current justification.
int igrcharout(float x, float y, std::string_view text);
// First character "L"/"l" left, "R"/"r" right, anything else centred.
int igrcharjustify(std::string_view text);
// Size factors; a factor zero or negative becomes 1.0.
int igrcharsize(float fw, float fh);
// Length of the first n characters of text in character cells.
float igrcharlength(std::string_view text, int n);
// Characters across and down the window for the current factors.
int xxsizg();
// Draws n characters with the current stroke font; (x, y) is the middle of
// the left edge of the first cell, w x h the cell in device units.
int xxwscs(float x, float y, std::string_view text, float w, float h, int n);
// Code 0..255 of a character.
int xxichar(char c);
// "H"/"h" spacing 2, else "P"/"p" 1 (both proportional), else 0 (fixed).
int igrcharspacing(std::string_view text);
// Proportional width of code c in cell advances, after a code the current
// font cannot draw has been taken as a blank.
float xxcwidth(int c);
// Base letter of a letter below the second block that stroke text draws
// composed from a base letter and an accent; 0 for any other code.
int xxcomposedbase(int c);

}  // namespace tsd
