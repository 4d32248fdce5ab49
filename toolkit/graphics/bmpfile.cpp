// BMP picture files: colour-table sizes, a checking decoder and the writer.
#include "toolkit/graphics/bmpfile.h"

#include <algorithm>
#include <cstdlib>

#include "toolkit/graphics/pcxfile.h"

namespace tsd {

namespace {

constexpr std::uint32_t kMaxTableColours = 256;

std::uint32_t get32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
         static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t get16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

bool known_depth(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32; }

}  // namespace

int xxdibnumcolours(const plat::BITMAPINFOHEADER& header) {
  if (header.biClrUsed != 0) return static_cast<int>(std::min<std::uint32_t>(header.biClrUsed, 1u << 16));
  // True-colour pictures carry no table (2 to the power 32 would be absurd).
  if (header.biBitCount > 8) return 0;
  return 1 << header.biBitCount;
}

int xxpalettesize(const plat::BITMAPINFOHEADER& header) {
  return xxdibnumcolours(header) * static_cast<int>(sizeof(plat::RGBQUAD));
}

std::size_t dibrowbytes(long width, int bits) {
  return static_cast<std::size_t>((width * bits + 31) / 32 * 4);
}

int decode_bmp(std::span<const std::uint8_t> bytes, BmpImage& image) {
  if (bytes.size() < kBmpFileHeaderSize + kBmpInfoHeaderSize) return kPictureBadFile;
  if (bytes[0] != 'B' || bytes[1] != 'M') return kPictureBadFile;
  const std::uint32_t offset = get32(bytes, 10);
  const std::uint32_t infosize = get32(bytes, 14);
  // The 12-byte header of the oldest format is refused; longer headers
  // start with the 40-byte one and the table follows the whole header.
  if (infosize < kBmpInfoHeaderSize || infosize > bytes.size() - kBmpFileHeaderSize) return kPictureBadFile;
  plat::BITMAPINFOHEADER h;
  h.biSize = static_cast<plat::DWORD>(kBmpInfoHeaderSize);
  h.biWidth = static_cast<plat::LONG>(get32(bytes, 18));
  h.biHeight = static_cast<plat::LONG>(get32(bytes, 22));
  h.biPlanes = get16(bytes, 26);
  h.biBitCount = get16(bytes, 28);
  h.biCompression = get32(bytes, 30);
  h.biSizeImage = get32(bytes, 34);
  h.biXPelsPerMeter = static_cast<plat::LONG>(get32(bytes, 38));
  h.biYPelsPerMeter = static_cast<plat::LONG>(get32(bytes, 42));
  h.biClrUsed = get32(bytes, 46);
  h.biClrImportant = get32(bytes, 50);
  if (h.biPlanes != 1 || !known_depth(h.biBitCount) || h.biCompression != plat::BI_RGB) return kPictureBadFile;
  const long w = h.biWidth;
  // INT32_MIN has no positive counterpart.
  if (w < 1 || h.biHeight == 0 || h.biHeight == INT32_MIN) return kPictureBadFile;
  const long rows = std::labs(static_cast<long>(h.biHeight));
  if (w > kPictureMaxPixels || rows > kPictureMaxPixels / w) return kPictureBadFile;
  if (h.biBitCount <= 8 ? h.biClrUsed > (1u << h.biBitCount) : h.biClrUsed > kMaxTableColours)
    return kPictureBadFile;
  const std::size_t ncolours = static_cast<std::size_t>(xxdibnumcolours(h));
  const std::size_t table_at = kBmpFileHeaderSize + infosize;
  const std::size_t table_end = table_at + ncolours * sizeof(plat::RGBQUAD);
  if (table_end > bytes.size()) return kPictureBadFile;
  // The image size written in the header may be 0 or larger than the rows
  // need; the rows themselves are what is read.
  const std::size_t size = dibrowbytes(w, h.biBitCount) * static_cast<std::size_t>(rows);
  const std::size_t bits_at = offset != 0 ? offset : table_end;
  if (bits_at < table_end || bits_at > bytes.size() || size > bytes.size() - bits_at) return kPictureBadFile;
  BmpImage out;
  out.header = h;
  out.header.biSizeImage = static_cast<plat::DWORD>(size);
  out.colours.resize(ncolours);
  for (std::size_t i = 0; i < ncolours; ++i) {
    const std::size_t at = table_at + 4 * i;
    out.colours[i] = plat::RGBQUAD{bytes[at], bytes[at + 1], bytes[at + 2], 0};
  }
  out.bits.assign(bytes.begin() + static_cast<std::ptrdiff_t>(bits_at),
                  bytes.begin() + static_cast<std::ptrdiff_t>(bits_at + size));
  image = std::move(out);
  return kPictureOk;
}

std::vector<std::uint8_t> encode_bmp(const BmpImage& image) {
  const plat::BITMAPINFOHEADER& in = image.header;
  const long w = in.biWidth;
  if (!known_depth(in.biBitCount) || w < 1 || in.biHeight == 0 || in.biHeight == INT32_MIN) return {};
  const long rows = std::labs(static_cast<long>(in.biHeight));
  if (w > kPictureMaxPixels || rows > kPictureMaxPixels / w) return {};
  const std::size_t size = dibrowbytes(w, in.biBitCount) * static_cast<std::size_t>(rows);
  const std::size_t ncolours = image.colours.size();
  if (image.bits.size() < size || (in.biBitCount <= 8 && ncolours > (1u << in.biBitCount)) ||
      (in.biBitCount > 8 && ncolours > kMaxTableColours))
    return {};
  const std::size_t offset = kBmpFileHeaderSize + kBmpInfoHeaderSize + 4 * ncolours;
  std::vector<std::uint8_t> out;
  out.reserve(offset + size);
  out.push_back('B');
  out.push_back('M');
  put32(out, static_cast<std::uint32_t>(offset + size));
  put16(out, 0);
  put16(out, 0);
  put32(out, static_cast<std::uint32_t>(offset));
  put32(out, static_cast<std::uint32_t>(kBmpInfoHeaderSize));
  put32(out, static_cast<std::uint32_t>(in.biWidth));
  put32(out, static_cast<std::uint32_t>(in.biHeight));
  put16(out, 1);
  put16(out, in.biBitCount);
  put32(out, plat::BI_RGB);
  put32(out, static_cast<std::uint32_t>(size));
  put32(out, 2835);  // 72 pixels per inch
  put32(out, 2835);
  put32(out, static_cast<std::uint32_t>(ncolours));
  put32(out, 0);
  for (const plat::RGBQUAD& q : image.colours) {
    out.push_back(q.rgbBlue);
    out.push_back(q.rgbGreen);
    out.push_back(q.rgbRed);
    out.push_back(0);
  }
  out.insert(out.end(), image.bits.begin(), image.bits.begin() + static_cast<std::ptrdiff_t>(size));
  return out;
}

}  // namespace tsd
