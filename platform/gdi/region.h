// Rectangular regions and the clip region of a device context.
#pragma once

#include "platform/types.h"

namespace plat {

// Region kinds, as returned by SelectClipRgn and GetClipBox.
inline constexpr int ERROR = 0;
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
inline constexpr int COMPLEXREGION = 3;

// The region covers left..right-1 and top..bottom-1: the right column and
// the bottom row are outside it. Corners given in any order.
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);
int GetRgnBox(HRGN region, RECT* box);

// The region (logical coordinates of the context) is copied; nullptr
// removes the clip region. Drawing is always clipped to the context's own
// bounds as well.
int SelectClipRgn(HDC dc, HRGN region);
// The rectangle drawing can reach, in logical coordinates.
int GetClipBox(HDC dc, RECT* box);

}  // namespace plat
