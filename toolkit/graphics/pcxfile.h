// PCX picture files of 8 bits per pixel in one plane, run-length encoded,
// with the 256-colour palette at the end of the file.
//
// Layout (little-endian):
//
//   offset  size  field
//   0       1     manufacturer, 10
//   1       1     version (5 when written here)
//   2       1     encoding, 1 = run length
//   3       1     bits per pixel, 8
//   4       8     window xmin, ymin, xmax, ymax (16-bit each)
//   12      4     resolution 75 x 75 when written here
//   16      48    16-colour map (zeros)
//   64      1     reserved
//   65      1     planes, 1
//   66      2     bytes per line (even, here a multiple of 4)
//   68      2     palette type, 1
//   70      4     screen size
//   74      54    zeros
//   128     ...   runs of the rows, one after the other
//   end-769 1     12, marks the palette
//   end-768 768   palette: red, green, blue of entries 0..255
//
// A run is one byte below 0xC0 standing for itself, or a count byte
// 0xC0 + n (n 1..63) followed by the value repeated n times.
//
// decode_pcx() checks a whole file before handing anything back, and never
// reads outside the bytes it is given. The routines keep no state.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tsd {

// Results of the picture routines: 0 success, 1 the file cannot be opened
// or created or memory is short, 2 it cannot be read or written or its
// format is wrong.
inline constexpr int kPictureOk = 0;
inline constexpr int kPictureOpenFailed = 1;
inline constexpr int kPictureBadFile = 2;

// Largest picture accepted or written, in pixels (8192 x 8192).
inline constexpr long kPictureMaxPixels = 1L << 26;

inline constexpr std::size_t kPcxHeaderSize = 128;
inline constexpr std::size_t kPcxPaletteSize = 768;
inline constexpr std::uint8_t kPcxPaletteMark = 12;
inline constexpr int kPcxMaxRun = 63;

// Bytes of one written row: the width rounded up to an even number of
// pixels and then to a multiple of 4 bytes.
int pcxbytesperline(int width);

// Appends one run (value repeated count times, count 1..63) to out;
// 0, or 2 for a count outside 1..63.
int xxencput(int value, int count, std::vector<std::uint8_t>& out);

// Reading position in the bytes of a file.
struct PcxReader {
  std::span<const std::uint8_t> bytes;
  std::size_t pos = 0;
};

// Reads one run: value and count; 0, or 2 when the bytes end inside it.
int xxencget(int& value, int& count, PcxReader& in);

// An 8-bit picture: width x height palette indices, rows top to bottom,
// `width` bytes apart, and the palette as red, green, blue triples.
struct PcxImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
  std::array<std::uint8_t, kPcxPaletteSize> palette{};
};

// The whole file for a picture; empty when its size is outside the limits.
std::vector<std::uint8_t> encode_pcx(const PcxImage& image);

// Checks and decodes a whole file into image: 0, or 2 (image unchanged)
// for anything that is not a complete 8-bit one-plane run-length PCX file
// within the size limit.
int decode_pcx(std::span<const std::uint8_t> bytes, PcxImage& image);

}  // namespace tsd
