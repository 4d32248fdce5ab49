// Bitmaps and bit-block transfers.
//
// Every bitmap holds a 32-bit Surface, whatever depth it was created with;
// a 1-bit bitmap made by CreateBitmap holds black and white pixels.
#pragma once

#include "platform/gdi/surface.h"
#include "platform/types.h"

namespace plat {

// Ternary raster operations (BitBlt): destination D, source S, pattern P
// (the destination context's brush).
inline constexpr DWORD SRCCOPY = 0x00CC0020;      // S
inline constexpr DWORD SRCPAINT = 0x00EE0086;     // D | S
inline constexpr DWORD SRCAND = 0x008800C6;       // D & S
inline constexpr DWORD SRCINVERT = 0x00660046;    // D ^ S
inline constexpr DWORD SRCERASE = 0x00440328;     // S & ~D
inline constexpr DWORD NOTSRCCOPY = 0x00330008;   // ~S
inline constexpr DWORD NOTSRCERASE = 0x001100A6;  // ~(D | S)
inline constexpr DWORD MERGECOPY = 0x00C000CA;    // P & S
inline constexpr DWORD MERGEPAINT = 0x00BB0226;   // ~S | D
inline constexpr DWORD PATCOPY = 0x00F00021;      // P
inline constexpr DWORD PATPAINT = 0x00FB0A09;     // P | ~S | D
inline constexpr DWORD PATINVERT = 0x005A0049;    // P ^ D
inline constexpr DWORD DSTINVERT = 0x00550009;    // ~D
inline constexpr DWORD BLACKNESS = 0x00000042;    // 0
inline constexpr DWORD WHITENESS = 0x00FF0062;    // 1

inline constexpr DWORD BI_RGB = 0;
// Compressions of BMP files (the drawing calls take BI_RGB only).
inline constexpr DWORD BI_RLE8 = 1;
inline constexpr DWORD BI_BITFIELDS = 3;
inline constexpr UINT DIB_RGB_COLORS = 0;
inline constexpr UINT DIB_PAL_COLORS = 1;

struct BITMAP {
  LONG bmType = 0;
  LONG bmWidth = 0;
  LONG bmHeight = 0;
  LONG bmWidthBytes = 0;
  WORD bmPlanes = 1;
  WORD bmBitsPixel = 0;
  void* bmBits = nullptr;
};

struct BITMAPINFOHEADER {
  DWORD biSize = 40;
  LONG biWidth = 0;
  LONG biHeight = 0;  // > 0 rows bottom-up, < 0 top-down
  WORD biPlanes = 1;
  WORD biBitCount = 0;
  DWORD biCompression = BI_RGB;
  DWORD biSizeImage = 0;
  LONG biXPelsPerMeter = 0;
  LONG biYPelsPerMeter = 0;
  DWORD biClrUsed = 0;
  DWORD biClrImportant = 0;
};

struct RGBQUAD {
  BYTE rgbBlue = 0;
  BYTE rgbGreen = 0;
  BYTE rgbRed = 0;
  BYTE rgbReserved = 0;
};

// The colour table (for 1, 4 and 8 bits) follows the header; allocate room
// for it as usual.
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};

// bits_per_pixel 1 (rows of bits padded to 16 bits, 1 = white), 24 or 32
// (blue, green, red[, unused] bytes, rows padded to 16 bits); `bits` may be
// nullptr for a black bitmap.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits);
// A bitmap of the display's kind (32-bit pixels), black.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// Bitmaps only: fills a BITMAP record (bmBits is nullptr).
int GetObjectA(HGDIOBJ object, int size, void* out);
// The pixels of a bitmap, for code of this layer that fills or reads them
// directly (loading images, saving window contents).
Surface* SurfaceOfBitmap(HBITMAP bitmap);

// Copies w x h pixels from (xs, ys) of `src` to (x, y) of `dst`, combined by
// `rop`; source and destination may overlap. `src` may be nullptr for
// operations that do not read a source.
BOOL BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int xs, int ys, DWORD rop);

// Draws a device-independent bitmap of 1, 4, 8, 24 or 32 bits per pixel
// (uncompressed) scaled into the destination rectangle. For a bottom-up
// bitmap the source rectangle's y counts from the bottom row. With
// DIB_PAL_COLORS the colour table holds 16-bit indices into the context's
// palette. Returns the number of source rows drawn, 0 on failure.
int StretchDIBits(HDC dc, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
// Reads rows first_row .. first_row + rows - 1 (counted from the bottom
// for a bottom-up request) of the bitmap in the format of the header: 8, 24
// or 32 bits (8 bits: with the context's palette as the colour table, which
// is written after the header). With bits == nullptr only the header is
// filled in. Returns the number of rows copied.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT first_row, UINT rows, void* bits, BITMAPINFO* info,
              UINT usage);

}  // namespace plat
