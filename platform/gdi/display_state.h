// What this layer knows of the display: size, colour depth, and on a
// palette display the colours currently available. Internal to platform/gdi.
#pragma once

#include <vector>

#include "platform/types.h"

namespace plat {

struct DisplayState {
  int width = 1024;
  int height = 768;
  int depth = 32;  // 1, 4, 8, 16, 24 or 32 bits per pixel
  int dpi = 96;
  // On an 8-bit display: the reserved colours followed by the entries of
  // the last palette realised.
  std::vector<COLORREF> system_colours;
};

DisplayState& Display();

// The nearest of `colours` (squared distance in RGB), or black when empty.
COLORREF NearestOf(const std::vector<COLORREF>& colours, COLORREF c);
std::size_t NearestIndexOf(const std::vector<COLORREF>& colours, COLORREF c);

}  // namespace plat
