// Storage of the graphics layer's global records.
#include "toolkit/graphics/grrecords.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tsd {

GrState grstate;
GrDevice grdevice;
GrPolyBuf grpolybuf;
GrFill grfill;
GrDrvParams grdrvparams;

bool xxcapable(int op) {
  if (op < 1 || op > kCapabilityLength) return false;
  return grdevice.capability[op - 1] != ' ';
}

int itrunc(float v) {
  if (std::isnan(v)) return 0;
  const float t = std::trunc(v);
  // 2^31 is exactly representable; anything at or beyond it saturates.
  if (t >= 2147483648.0f) return std::numeric_limits<int>::max();
  if (t < -2147483648.0f) return std::numeric_limits<int>::min();
  return static_cast<int>(t);
}

int isaturate(long long v) {
  return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace tsd
