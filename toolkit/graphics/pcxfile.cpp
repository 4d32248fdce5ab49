// PCX picture files: runs, header, encoding and a checking decoder.
#include "toolkit/graphics/pcxfile.h"

#include "text/littleendian.h"

#include <algorithm>

namespace tsd {

namespace {

constexpr std::uint8_t kManufacturer = 10;
constexpr std::uint8_t kVersion = 5;
constexpr std::uint8_t kRunLength = 1;
constexpr std::uint8_t kBitsPerPixel = 8;
constexpr std::uint8_t kRunMark = 0xC0;

void put16(std::vector<std::uint8_t>& out, std::size_t at, int v) {
  out[at] = static_cast<std::uint8_t>(v & 0xff);
  out[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xff);
}

}  // namespace

int pcxbytesperline(int width) {
  const int even = (width + 1) / 2 * 2;
  return (even + 3) / 4 * 4;
}

int xxencput(int value, int count, std::vector<std::uint8_t>& out) {
  if (count < 1 || count > kPcxMaxRun) return kPictureBadFile;
  const auto v = static_cast<std::uint8_t>(value);
  if (count == 1 && (v & kRunMark) != kRunMark) {
    out.push_back(v);
  } else {
    out.push_back(static_cast<std::uint8_t>(kRunMark | count));
    out.push_back(v);
  }
  return kPictureOk;
}

int xxencget(int& value, int& count, PcxReader& in) {
  if (in.pos >= in.bytes.size()) return kPictureBadFile;
  const std::uint8_t b = in.bytes[in.pos++];
  if ((b & kRunMark) != kRunMark) {
    value = b;
    count = 1;
    return kPictureOk;
  }
  if (in.pos >= in.bytes.size()) return kPictureBadFile;
  count = b & 0x3f;
  value = in.bytes[in.pos++];
  return kPictureOk;
}

std::vector<std::uint8_t> encode_pcx(const PcxImage& image) {
  const int w = image.width;
  const int h = image.height;
  if (w < 1 || h < 1 || w > 0xffff || h > 0xffff || static_cast<long>(w) * h > kPictureMaxPixels ||
      image.pixels.size() < static_cast<std::size_t>(w) * static_cast<std::size_t>(h))
    return {};
  const int bpl = pcxbytesperline(w);
  std::vector<std::uint8_t> out(kPcxHeaderSize, 0);
  out[0] = kManufacturer;
  out[1] = kVersion;
  out[2] = kRunLength;
  out[3] = kBitsPerPixel;
  put16(out, 4, 0);
  put16(out, 6, 0);
  // The window is the picture itself: xmax is width - 1, not bytes per
  // line - 1. Every reader, this one included, takes xmax - xmin + 1 as the
  // width, so a window as wide as the padded rows would bring the padding
  // back as up to three extra columns each time a saved picture is shown.
  put16(out, 8, w - 1);
  put16(out, 10, h - 1);
  put16(out, 12, 75);
  put16(out, 14, 75);
  out[65] = 1;
  put16(out, 66, bpl);
  put16(out, 68, 1);
  put16(out, 70, bpl);
  put16(out, 72, h);
  // Each row is encoded on its own, the padding bytes as index 0.
  std::vector<std::uint8_t> row(static_cast<std::size_t>(bpl), 0);
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* src = image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
    std::copy(src, src + w, row.begin());
    int x = 0;
    while (x < bpl) {
      const std::uint8_t v = row[static_cast<std::size_t>(x)];
      int n = 1;
      while (x + n < bpl && n < kPcxMaxRun && row[static_cast<std::size_t>(x + n)] == v) ++n;
      xxencput(v, n, out);
      x += n;
    }
  }
  out.push_back(kPcxPaletteMark);
  out.insert(out.end(), image.palette.begin(), image.palette.end());
  return out;
}

int decode_pcx(std::span<const std::uint8_t> bytes, PcxImage& image) {
  if (bytes.size() < kPcxHeaderSize + kPcxPaletteSize) return kPictureBadFile;
  if (bytes[0] != kManufacturer || bytes[3] != kBitsPerPixel) return kPictureBadFile;
  // Only one plane of 8-bit indices, run-length encoded, is a picture of
  // this kind; three planes would be true colour.
  if (bytes[2] != kRunLength || bytes[65] != 1) return kPictureBadFile;
  const int xmin = text::le16(bytes, 4), ymin = text::le16(bytes, 6);
  const int xmax = text::le16(bytes, 8), ymax = text::le16(bytes, 10);
  const int bpl = text::le16(bytes, 66);
  const long w = static_cast<long>(xmax) - xmin + 1;
  const long h = static_cast<long>(ymax) - ymin + 1;
  if (w < 1 || h < 1 || w * h > kPictureMaxPixels || bpl < w) return kPictureBadFile;
  // The runs lie between the header and the palette; two bytes give at
  // most 63 pixels, so a file too short for the picture is refused before
  // anything is allocated.
  // The palette's mark byte ends them when it is there.
  std::size_t end = bytes.size() - kPcxPaletteSize;
  if (end > kPcxHeaderSize && bytes[end - 1] == kPcxPaletteMark) --end;
  const std::span<const std::uint8_t> runs = bytes.subspan(kPcxHeaderSize, end - kPcxHeaderSize);
  const std::size_t total = static_cast<std::size_t>(bpl) * static_cast<std::size_t>(h);
  if (total > runs.size() / 2 * kPcxMaxRun + runs.size() % 2) return kPictureBadFile;
  std::vector<std::uint8_t> lines(total);
  PcxReader in{runs, 0};
  std::size_t at = 0;
  while (at < total) {
    int value = 0, count = 0;
    if (xxencget(value, count, in) != kPictureOk) return kPictureBadFile;
    if (count == 0 || static_cast<std::size_t>(count) > total - at) return kPictureBadFile;
    std::fill_n(lines.begin() + static_cast<std::ptrdiff_t>(at), count, static_cast<std::uint8_t>(value));
    at += static_cast<std::size_t>(count);
  }
  PcxImage out;
  out.width = static_cast<int>(w);
  out.height = static_cast<int>(h);
  out.pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  for (long y = 0; y < h; ++y)
    std::copy_n(lines.begin() + static_cast<std::ptrdiff_t>(y * bpl), w,
                out.pixels.begin() + static_cast<std::ptrdiff_t>(y * w));
  const std::span<const std::uint8_t> pal = bytes.last(kPcxPaletteSize);
  std::copy(pal.begin(), pal.end(), out.palette.begin());
  image = std::move(out);
  return kPictureOk;
}

}  // namespace tsd
