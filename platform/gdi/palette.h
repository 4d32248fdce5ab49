// Logical palettes, as used on a display of 256 colours.
//
// Surfaces stay 32-bit; a palette decides what a palette-index colour
// (PALETTEINDEX) means in a context and, once realised, which colours the
// display can show, so that RGB colours are reduced to the nearest of them.
// Pixels already drawn keep their colour when an entry changes.
#pragma once

#include "platform/types.h"

namespace plat {

inline constexpr BYTE PC_RESERVED = 0x01;
inline constexpr BYTE PC_EXPLICIT = 0x02;
inline constexpr BYTE PC_NOCOLLAPSE = 0x04;
inline constexpr UINT kMaxPaletteEntries = 4096;

struct PALETTEENTRY {
  BYTE peRed = 0;
  BYTE peGreen = 0;
  BYTE peBlue = 0;
  BYTE peFlags = 0;
};

// A logical palette record: palNumEntries entries follow palPalEntry[0].
// Allocate room for them (e.g. with std::vector<std::byte>) as usual.
struct LOGPALETTE {
  WORD palVersion = 0x300;
  WORD palNumEntries = 0;
  PALETTEENTRY palPalEntry[1];
};

HPALETTE CreatePalette(const LOGPALETTE* lp);
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL force_background);
// Makes the selected palette's colours available on a palette display;
// returns the number of entries mapped.
UINT RealizePalette(HDC dc);
UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries);
UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries);
// For a palette: forget its realisation so the next RealizePalette maps it
// afresh. For a brush: accepted, nothing to do (brush origin is fixed).
BOOL UnrealizeObject(HGDIOBJ object);
UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF colour);
// The colours the display shows: black and white on a 1-bit display, the
// 16 standard colours on a 4-bit one, the reserved colours and the last
// palette realised on an 8-bit one; none (0 returned) on a true-colour
// display. With entries == nullptr the count is returned.
UINT GetSystemPaletteEntries(HDC dc, UINT start, UINT count, PALETTEENTRY* entries);

}  // namespace plat
