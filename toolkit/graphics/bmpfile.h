// BMP picture files: a 14-byte file header, a 40-byte (or longer)
// information header, the colour table and the rows of pixels, each row
// padded to a multiple of 4 bytes, bottom row first unless the height is
// negative.
//
// File header (little-endian): "BM", file size (32 bits), two reserved
// words, offset of the pixels in the file (32 bits; 0 = right after the
// colour table).
//
// decode_bmp() reads uncompressed pictures of 1, 4, 8, 16, 24 and 32 bits
// per pixel, run-length coded 8-bit pictures, and 16- and 32-bit pictures
// with channel masks (what image tools write for pictures with alpha; the
// alpha is not kept). It hands back plain rows: coded rows are unpacked,
// and 16-bit or masked pixels become 32-bit ones. It checks the whole file
// before handing anything back and never reads outside the bytes it is
// given; the older 12-byte header, other compressions and bit depths,
// absurd sizes and short files are refused. The routines keep no state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/gdi/bitmap.h"

namespace tsd {

inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::size_t kBmpInfoHeaderSize = 40;

// Colours in the colour table of a picture with this header: the count it
// gives, else 2 to the power of the bit count for 8 bits or fewer, else 0.
int xxdibnumcolours(const plat::BITMAPINFOHEADER& header);
// The same in bytes (4 per colour).
int xxpalettesize(const plat::BITMAPINFOHEADER& header);

// Bytes of one row of `width` pixels of `bits` bits, padded to 32 bits.
std::size_t dibrowbytes(long width, int bits);

// A checked picture: the header (biSizeImage set to the bytes of `bits`,
// biSize 40, no compression), its colour table and its rows.
struct BmpImage {
  plat::BITMAPINFOHEADER header;
  std::vector<plat::RGBQUAD> colours;
  std::vector<std::uint8_t> bits;
};

// Checks and decodes a whole file into image: 0, or 2 (image unchanged).
int decode_bmp(std::span<const std::uint8_t> bytes, BmpImage& image);

// The whole file for a picture (header.biWidth, biHeight, biBitCount and
// the colour table taken from image; bits must hold every row); empty when
// the picture is outside the limits or incomplete.
std::vector<std::uint8_t> encode_bmp(const BmpImage& image);

}  // namespace tsd
