// Device contexts: creation of memory contexts, drawing modes, colours,
// and what the display reports about itself.
//
// Window contexts are made by the window manager through surface.h; memory
// contexts (CreateCompatibleDC) draw into the bitmap selected into them.
#pragma once

#include "platform/types.h"

namespace plat {

// Binary raster operations (SetROP2): the pen or brush P combined with the
// destination D.
inline constexpr int R2_BLACK = 1;        // 0
inline constexpr int R2_NOTMERGEPEN = 2;  // ~(D | P)
inline constexpr int R2_MASKNOTPEN = 3;   // D & ~P
inline constexpr int R2_NOTCOPYPEN = 4;   // ~P
inline constexpr int R2_MASKPENNOT = 5;   // P & ~D
inline constexpr int R2_NOT = 6;          // ~D
inline constexpr int R2_XORPEN = 7;       // D ^ P
inline constexpr int R2_NOTMASKPEN = 8;   // ~(D & P)
inline constexpr int R2_MASKPEN = 9;      // D & P
inline constexpr int R2_NOTXORPEN = 10;   // ~(D ^ P)
inline constexpr int R2_NOP = 11;         // D
inline constexpr int R2_MERGENOTPEN = 12; // D | ~P
inline constexpr int R2_COPYPEN = 13;     // P
inline constexpr int R2_MERGEPENNOT = 14; // P | ~D
inline constexpr int R2_MERGEPEN = 15;    // D | P
inline constexpr int R2_WHITE = 16;       // 1

// Background modes.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

// GetDeviceCaps indices and flags.
inline constexpr int TECHNOLOGY = 2;
inline constexpr int HORZSIZE = 4;
inline constexpr int VERTSIZE = 6;
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int BITSPIXEL = 12;
inline constexpr int PLANES = 14;
inline constexpr int NUMBRUSHES = 16;
inline constexpr int NUMPENS = 18;
inline constexpr int NUMFONTS = 22;
inline constexpr int NUMCOLORS = 24;
inline constexpr int RASTERCAPS = 38;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
inline constexpr int SIZEPALETTE = 104;
inline constexpr int NUMRESERVED = 106;
inline constexpr int COLORRES = 108;

inline constexpr int DT_RASDISPLAY = 1;
inline constexpr int RC_BITBLT = 0x0001;
inline constexpr int RC_BITMAP64 = 0x0008;
inline constexpr int RC_DI_BITMAP = 0x0080;
inline constexpr int RC_PALETTE = 0x0100;
inline constexpr int RC_DIBTODEV = 0x0200;
inline constexpr int RC_STRETCHBLT = 0x0800;
inline constexpr int RC_STRETCHDIB = 0x2000;

// The display this layer draws for. The display backend sets these once it
// knows the screen; surfaces stay 32-bit, and with 1, 4 or 8 bits every
// colour is reduced to what such a display could show (black and white,
// the 16 standard colours, or the system palette).
void SetDisplayColourDepth(int bits);
int DisplayColourDepth();
void SetDisplaySize(int width, int height);

// A memory context with a 1 x 1 bitmap selected; `like` may be nullptr.
HDC CreateCompatibleDC(HDC like);
// Memory contexts only; window contexts go back through DeleteSurfaceDC.
BOOL DeleteDC(HDC dc);

int GetDeviceCaps(HDC dc, int index);

int SetROP2(HDC dc, int rop);
int GetROP2(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF colour);
COLORREF GetBkColor(HDC dc);
COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF GetTextColor(HDC dc);

// The colour the display would really show for `colour` (a palette index
// is looked up in the context's palette).
COLORREF GetNearestColor(HDC dc, COLORREF colour);

}  // namespace plat
