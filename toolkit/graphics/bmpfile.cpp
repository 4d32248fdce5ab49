// BMP picture files: colour-table sizes, a checking decoder and the writer.
#include "toolkit/graphics/bmpfile.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

#include "text/littleendian.h"
#include "toolkit/graphics/pcxfile.h"

namespace tsd {

namespace {

constexpr std::uint32_t kMaxTableColours = 256;

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

namespace {

// ---- Compressed and packed rows ---------------------------------------------

// The rows of an 8-bit picture from its run-length code: pairs of a count
// and an index, or a 0 and an escape (0 end of row, 1 end of picture, 2 a
// move right and up, else that many indices as they are, padded to an
// even length). Rows bottom first; pixels the code never reaches are 0.
// False when the code runs past its bytes.
bool unpackrle8(std::span<const std::uint8_t> code, long w, long rows, std::vector<std::uint8_t>& out) {
  const std::size_t stride = dibrowbytes(w, 8);
  out.assign(stride * static_cast<std::size_t>(rows), 0);
  long x = 0, y = 0;
  std::size_t at = 0;
  auto put = [&](std::uint8_t v) {
    if (x < w && y < rows) out[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x)] = v;
    ++x;
  };
  while (y < rows) {
    if (at + 2 > code.size()) return false;
    const std::uint8_t n = code[at], v = code[at + 1];
    at += 2;
    if (n > 0) {
      for (int i = 0; i < n; ++i) put(v);
    } else if (v == 0) {
      x = 0;
      ++y;
    } else if (v == 1) {
      return true;
    } else if (v == 2) {
      if (at + 2 > code.size()) return false;
      x += code[at];
      y += code[at + 1];
      at += 2;
    } else {
      if (at + v > code.size()) return false;
      for (int i = 0; i < v; ++i) put(code[at + static_cast<std::size_t>(i)]);
      at += static_cast<std::size_t>(v + (v & 1));
    }
  }
  return true;
}

// One colour channel of a packed pixel, scaled to 8 bits.
std::uint8_t channel(std::uint32_t v, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const std::uint32_t m = mask >> shift;
  const std::uint32_t c = (v >> shift) & m;
  const int width = std::bit_width(m);
  if (width >= 8) return static_cast<std::uint8_t>(c >> (width - 8));
  return static_cast<std::uint8_t>((c * 255u + m / 2) / m);
}

// 16- or 32-bit pixels with channel masks as 32-bit pixels (blue, green,
// red, 0), in the same row order.
std::vector<std::uint8_t> unpackmasks(std::span<const std::uint8_t> rowsin, long w, long rows, int bits,
                                      const std::uint32_t masks[3]) {
  const std::size_t instride = dibrowbytes(w, bits), outstride = dibrowbytes(w, 32);
  std::vector<std::uint8_t> out(outstride * static_cast<std::size_t>(rows), 0);
  for (long y = 0; y < rows; ++y) {
    const std::size_t in = static_cast<std::size_t>(y) * instride;
    std::uint8_t* d = out.data() + static_cast<std::size_t>(y) * outstride;
    for (long x = 0; x < w; ++x) {
      const std::size_t at = in + static_cast<std::size_t>(x) * static_cast<std::size_t>(bits / 8);
      const std::uint32_t v = bits == 16 ? text::le16(rowsin, at) : text::le32(rowsin, at);
      d[4 * x] = channel(v, masks[2]);
      d[4 * x + 1] = channel(v, masks[1]);
      d[4 * x + 2] = channel(v, masks[0]);
    }
  }
  return out;
}

}  // namespace

int decode_bmp(std::span<const std::uint8_t> bytes, BmpImage& image) {
  if (bytes.size() < kBmpFileHeaderSize + kBmpInfoHeaderSize) return kPictureBadFile;
  if (bytes[0] != 'B' || bytes[1] != 'M') return kPictureBadFile;
  const std::uint32_t offset = text::le32(bytes, 10);
  const std::uint32_t infosize = text::le32(bytes, 14);
  // The 12-byte header of the oldest format is refused; longer headers
  // start with the 40-byte one and the table follows the whole header.
  if (infosize < kBmpInfoHeaderSize || infosize > bytes.size() - kBmpFileHeaderSize) return kPictureBadFile;
  plat::BITMAPINFOHEADER h;
  h.biSize = static_cast<plat::DWORD>(kBmpInfoHeaderSize);
  h.biWidth = static_cast<plat::LONG>(text::le32(bytes, 18));
  h.biHeight = static_cast<plat::LONG>(text::le32(bytes, 22));
  h.biPlanes = text::le16(bytes, 26);
  h.biBitCount = text::le16(bytes, 28);
  h.biCompression = text::le32(bytes, 30);
  h.biSizeImage = text::le32(bytes, 34);
  h.biXPelsPerMeter = static_cast<plat::LONG>(text::le32(bytes, 38));
  h.biYPelsPerMeter = static_cast<plat::LONG>(text::le32(bytes, 42));
  h.biClrUsed = text::le32(bytes, 46);
  h.biClrImportant = text::le32(bytes, 50);
  const int bits = h.biBitCount;
  const plat::DWORD comp = h.biCompression;
  // Plain rows of 1 to 32 bits, run-length coded 8-bit rows (bottom row
  // first, as such files always are), and 16- or 32-bit pixels with
  // channel masks.
  const bool rle8 = comp == plat::BI_RLE8 && bits == 8 && h.biHeight > 0;
  const bool masked = comp == plat::BI_BITFIELDS && (bits == 16 || bits == 32);
  const bool plain = comp == plat::BI_RGB && (known_depth(bits) || bits == 16);
  if (h.biPlanes != 1 || !(plain || rle8 || masked)) return kPictureBadFile;
  const long w = h.biWidth;
  // INT32_MIN has no positive counterpart.
  if (w < 1 || h.biHeight == 0 || h.biHeight == INT32_MIN) return kPictureBadFile;
  const long rows = std::labs(static_cast<long>(h.biHeight));
  if (w > kPictureMaxPixels || rows > kPictureMaxPixels / w) return kPictureBadFile;
  if (bits <= 8 ? h.biClrUsed > (1u << bits) : h.biClrUsed > kMaxTableColours) return kPictureBadFile;
  // The masks: in the header when it is long enough to hold them, else
  // right after it, before the colour table. 16-bit rows without masks
  // are five bits a colour.
  std::uint32_t masks[3] = {0x7c00, 0x03e0, 0x001f};
  std::size_t table_at = kBmpFileHeaderSize + infosize;
  if (masked) {
    const std::size_t at = infosize >= kBmpInfoHeaderSize + 12 ? kBmpFileHeaderSize + kBmpInfoHeaderSize : table_at;
    if (at + 12 > bytes.size()) return kPictureBadFile;
    for (int i = 0; i < 3; ++i) masks[i] = text::le32(bytes, at + 4 * static_cast<std::size_t>(i));
    if (at == table_at) table_at += 12;
  }
  const std::size_t ncolours = static_cast<std::size_t>(xxdibnumcolours(h));
  const std::size_t table_end = table_at + ncolours * sizeof(plat::RGBQUAD);
  if (table_end > bytes.size()) return kPictureBadFile;
  const std::size_t bits_at = offset != 0 ? offset : table_end;
  if (bits_at < table_end || bits_at > bytes.size()) return kPictureBadFile;
  const std::span<const std::uint8_t> rest = bytes.subspan(bits_at);
  BmpImage out;
  out.header = h;
  out.colours.resize(ncolours);
  for (std::size_t i = 0; i < ncolours; ++i) {
    const std::size_t at = table_at + 4 * i;
    out.colours[i] = plat::RGBQUAD{bytes[at], bytes[at + 1], bytes[at + 2], 0};
  }
  if (rle8) {
    if (!unpackrle8(rest, w, rows, out.bits)) return kPictureBadFile;
  } else {
    // The image size written in the header may be 0 or larger than the
    // rows need; the rows themselves are what is read.
    const std::size_t size = dibrowbytes(w, bits) * static_cast<std::size_t>(rows);
    if (size > rest.size()) return kPictureBadFile;
    if (bits == 16 || masked) {
      out.bits = unpackmasks(rest.first(size), w, rows, bits, masks);
      out.header.biBitCount = 32;
    } else {
      out.bits.assign(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(size));
    }
  }
  out.header.biCompression = plat::BI_RGB;
  out.header.biSizeImage = static_cast<plat::DWORD>(out.bits.size());
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
