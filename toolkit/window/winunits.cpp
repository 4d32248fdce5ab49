// Conversions between window units and pixels, in long double so that the
// truncations fall where the single-precision factor puts them.
#include "toolkit/window/winunits.h"

#include <cmath>
#include <limits>

namespace tsd {

namespace {

// The factor 1/9999 is a single-precision constant; its small excess over
// the exact value makes 9999 units of a 500-pixel side 500 pixels.
constexpr float kUnitFactor = 1.0f / 9999.0f;
constexpr long double kUnitsAcross = 9999.0L;

int truncated(long double v) {
  v = std::trunc(v);
  if (v > static_cast<long double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (v < static_cast<long double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

}  // namespace

int unitstopixels(int size, int units) {
  long double v = static_cast<long double>(size) * static_cast<long double>(units) *
                  static_cast<long double>(kUnitFactor);
  return truncated(v);
}

int unitsfrompixels(int size, int pixel) {
  if (size < 2) return 0;
  long double v = kUnitsAcross / static_cast<long double>(size - 1) * static_cast<long double>(pixel);
  return truncated(v);
}

}  // namespace tsd
