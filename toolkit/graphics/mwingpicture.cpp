// GDI drawing layer, pictures: a rectangle of the drawing surface saved as
// a PCX or BMP file, and such a file shown in a rectangle. Files are made
// and read whole in memory; nothing is drawn or written before a file has
// been checked completely.
#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/palette.h"
#include "toolkit/graphics/bmpfile.h"
#include "toolkit/graphics/grcolours.h"
#include "toolkit/graphics/mwing.h"
#include "toolkit/graphics/mwingstate.h"
#include "toolkit/graphics/pcxfile.h"
#include "toolkit/graphics/picturefile.h"
#include "toolkit/window/records.h"

namespace tsd {

namespace {

constexpr int kPcxSaveMode = 19;
constexpr int kBmpLoadMode = 20;

// A rectangle from two corners in any order, both included, and its first
// corner (x1, y1), where a picture shown at its natural size is placed.
struct PictureRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  int x1 = 0;
  int y1 = 0;
};

PictureRect rectof(int x1, int y1, int x2, int y2) {
  const long l = std::min(x1, x2), r = std::max(x1, x2);
  const long t = std::min(y1, y2), b = std::max(y1, y2);
  PictureRect out;
  out.x1 = x1;
  out.y1 = y1;
  out.x = static_cast<int>(l);
  out.y = static_cast<int>(t);
  out.w = static_cast<int>(std::min<long>(r - l + 1, 1L << 30));
  out.h = static_cast<int>(std::min<long>(b - t + 1, 1L << 30));
  return out;
}

// ---- Saving ---------------------------------------------------------------

// The pixels of a rectangle of hdc (0xRRGGBB, rows top to bottom), by way
// of a compatible bitmap; false when the bitmap cannot be made.
bool capture(const PictureRect& r, std::vector<std::uint32_t>& pixels) {
  if (hdc == nullptr || static_cast<long>(r.w) * r.h > kPictureMaxPixels) return false;
  plat::HBITMAP bitmap = plat::CreateCompatibleBitmap(hdc, r.w, r.h);
  if (bitmap == nullptr) return false;
  plat::HDC mem = plat::CreateCompatibleDC(hdc);
  plat::HGDIOBJ old = plat::SelectObject(mem, bitmap);
  plat::BitBlt(mem, 0, 0, r.w, r.h, hdc, r.x, r.y, plat::SRCCOPY);
  plat::SelectObject(mem, old);
  plat::BITMAPINFO info;
  info.bmiHeader.biWidth = r.w;
  info.bmiHeader.biHeight = -r.h;
  info.bmiHeader.biBitCount = 32;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(r.w) * static_cast<std::size_t>(r.h) * 4);
  const int rows = plat::GetDIBits(mem, bitmap, 0, static_cast<plat::UINT>(r.h), bits.data(), &info,
                                   plat::DIB_RGB_COLORS);
  plat::DeleteDC(mem);
  plat::DeleteObject(bitmap);
  if (rows != r.h) return false;
  pixels.resize(static_cast<std::size_t>(r.w) * static_cast<std::size_t>(r.h));
  for (std::size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = static_cast<std::uint32_t>(bits[4 * i + 2]) << 16 | static_cast<std::uint32_t>(bits[4 * i + 1]) << 8 |
                bits[4 * i];
  return true;
}

std::uint32_t rgbpixel(int r, int g, int b) {
  return static_cast<std::uint32_t>(r & 0xff) << 16 | static_cast<std::uint32_t>(g & 0xff) << 8 |
         static_cast<std::uint32_t>(b & 0xff);
}

// The colours a saved picture is made of, by the display: black and white;
// eight colours of levels 0 and 0xff; below 256 colours the colours the
// display shows (or, on a display that reports none, the graphics colour
// table); otherwise a cube of 64 colours with levels 0, 0x7f, 0xbf, 0xff.
std::vector<std::uint32_t> picturepalette() {
  std::vector<std::uint32_t> out;
  if (ngColours == 2) {
    out = {0x000000u, 0xffffffu};
  } else if (ngColours == 8) {
    for (int i = 0; i < 8; ++i) out.push_back(rgbpixel(i & 1 ? 0xff : 0, i & 2 ? 0xff : 0, i & 4 ? 0xff : 0));
  } else if (ngColours < 256) {
    std::vector<plat::PALETTEENTRY> entries(256);
    const plat::UINT n = plat::GetSystemPaletteEntries(hdc, 0, 256, entries.data());
    for (plat::UINT i = 0; i < n; ++i) out.push_back(rgbpixel(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
    for (int i = 0; out.empty() && i < std::clamp(ngColours, 0, 128); ++i) {
      int r = 0, g = 0, b = 0;
      if (ngColours == 16)
        xxpalg16(i, r, g, b);
      else
        xxpalg32(i, r, g, b);
      out.push_back(rgbpixel(r, g, b));
    }
  }
  if (out.empty()) {
    static constexpr int kLevels[4] = {0x00, 0x7f, 0xbf, 0xff};
    for (int r = 0; r < 4; ++r)
      for (int g = 0; g < 4; ++g)
        for (int b = 0; b < 4; ++b) out.push_back(rgbpixel(kLevels[r], kLevels[g], kLevels[b]));
  }
  return out;
}

// Index of the nearest palette colour of every pixel, the palette being
// the colour table the file is written with.
std::vector<std::uint8_t> indexpixels(const std::vector<std::uint32_t>& pixels, const std::vector<std::uint32_t>& palette) {
  std::unordered_map<std::uint32_t, std::uint8_t> nearest;
  std::vector<std::uint8_t> out(pixels.size());
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const std::uint32_t p = pixels[i];
    auto it = nearest.find(p);
    if (it == nearest.end()) {
      std::size_t best = 0;
      long bestd = -1;
      for (std::size_t k = 0; k < palette.size(); ++k) {
        const long dr = static_cast<long>(p >> 16 & 0xff) - static_cast<long>(palette[k] >> 16 & 0xff);
        const long dg = static_cast<long>(p >> 8 & 0xff) - static_cast<long>(palette[k] >> 8 & 0xff);
        const long db = static_cast<long>(p & 0xff) - static_cast<long>(palette[k] & 0xff);
        const long d = dr * dr + dg * dg + db * db;
        if (bestd < 0 || d < bestd) {
          bestd = d;
          best = k;
        }
        if (d == 0) break;
      }
      it = nearest.emplace(p, static_cast<std::uint8_t>(best)).first;
    }
    out[i] = it->second;
  }
  return out;
}

int savepcx(const PictureRect& r, int& oserror, const char* filename) {
  std::vector<std::uint32_t> pixels;
  if (!capture(r, pixels)) return kPictureOpenFailed;
  const std::vector<std::uint32_t> palette = picturepalette();
  PcxImage image;
  image.width = r.w;
  image.height = r.h;
  image.pixels = indexpixels(pixels, palette);
  for (std::size_t i = 0; i < palette.size() && i < 256; ++i) {
    image.palette[3 * i] = static_cast<std::uint8_t>(palette[i] >> 16);
    image.palette[3 * i + 1] = static_cast<std::uint8_t>(palette[i] >> 8);
    image.palette[3 * i + 2] = static_cast<std::uint8_t>(palette[i]);
  }
  const std::vector<std::uint8_t> file = encode_pcx(image);
  if (file.empty()) return kPictureBadFile;
  return writepicturefile(filename, file, oserror);
}

// BMP: as many bits per pixel as the display's colours need; true colour
// is written as 24 bits.
int savebmp(const PictureRect& r, int& oserror, const char* filename) {
  std::vector<std::uint32_t> pixels;
  if (!capture(r, pixels)) return kPictureOpenFailed;
  BmpImage image;
  image.header.biWidth = r.w;
  image.header.biHeight = r.h;
  const std::size_t w = static_cast<std::size_t>(r.w);
  if (ngColours >= 256) {
    image.header.biBitCount = 24;
    const std::size_t stride = dibrowbytes(r.w, 24);
    image.bits.assign(stride * static_cast<std::size_t>(r.h), 0);
    for (int y = 0; y < r.h; ++y) {
      std::uint8_t* d = image.bits.data() + static_cast<std::size_t>(r.h - 1 - y) * stride;
      const std::uint32_t* s = pixels.data() + static_cast<std::size_t>(y) * w;
      for (std::size_t x = 0; x < w; ++x) {
        d[3 * x] = static_cast<std::uint8_t>(s[x]);
        d[3 * x + 1] = static_cast<std::uint8_t>(s[x] >> 8);
        d[3 * x + 2] = static_cast<std::uint8_t>(s[x] >> 16);
      }
    }
  } else {
    std::vector<std::uint32_t> palette = picturepalette();
    if (palette.size() > 256) palette.resize(256);
    const int bits = palette.size() <= 2 ? 1 : (palette.size() <= 16 ? 4 : 8);
    image.header.biBitCount = static_cast<plat::WORD>(bits);
    for (const std::uint32_t c : palette)
      image.colours.push_back(plat::RGBQUAD{static_cast<plat::BYTE>(c), static_cast<plat::BYTE>(c >> 8),
                                            static_cast<plat::BYTE>(c >> 16), 0});
    const std::vector<std::uint8_t> index = indexpixels(pixels, palette);
    const std::size_t stride = dibrowbytes(r.w, bits);
    image.bits.assign(stride * static_cast<std::size_t>(r.h), 0);
    const int perbyte = 8 / bits;
    for (int y = 0; y < r.h; ++y) {
      std::uint8_t* d = image.bits.data() + static_cast<std::size_t>(r.h - 1 - y) * stride;
      const std::uint8_t* s = index.data() + static_cast<std::size_t>(y) * w;
      for (std::size_t x = 0; x < w; ++x) {
        const int shift = 8 - bits * (static_cast<int>(x % static_cast<std::size_t>(perbyte)) + 1);
        d[x / static_cast<std::size_t>(perbyte)] |= static_cast<std::uint8_t>(s[x] << shift);
      }
    }
  }
  const std::vector<std::uint8_t> file = encode_bmp(image);
  if (file.empty()) return kPictureBadFile;
  return writepicturefile(filename, file, oserror);
}

// ---- Showing --------------------------------------------------------------

// A device-independent bitmap ready for StretchDIBits: the header with its
// colour table (word storage keeps the record aligned) and the rows.
struct Dib {
  std::vector<std::uint32_t> info;
  const std::vector<std::uint8_t>* bits = nullptr;
  plat::BITMAPINFO* header() { return reinterpret_cast<plat::BITMAPINFO*>(info.data()); }
};

void makeinfo(Dib& dib, const plat::BITMAPINFOHEADER& h, const std::vector<plat::RGBQUAD>& colours) {
  const std::size_t bytes = sizeof(plat::BITMAPINFOHEADER) + std::max<std::size_t>(colours.size(), 1) * sizeof(plat::RGBQUAD);
  dib.info.assign((bytes + 3) / 4, 0);
  plat::BITMAPINFO* bi = dib.header();
  bi->bmiHeader = h;
  bi->bmiHeader.biClrUsed = static_cast<plat::DWORD>(colours.size());
  for (std::size_t i = 0; i < colours.size(); ++i) bi->bmiColors[i] = colours[i];
}

void show(Dib& dib, const PictureRect& r, int stretch) {
  if (hdc == nullptr) return;
  plat::BITMAPINFO* bi = dib.header();
  const int w = bi->bmiHeader.biWidth;
  const int h = bi->bmiHeader.biHeight < 0 ? -bi->bmiHeader.biHeight : bi->bmiHeader.biHeight;
  if (stretch < 1) {
    mwing::clipon();
    plat::StretchDIBits(hdc, r.x1, r.y1, w, h, 0, 0, w, h, dib.bits->data(), bi, plat::DIB_RGB_COLORS,
                        plat::SRCCOPY);
    mwing::clipoff();
  } else {
    plat::StretchDIBits(hdc, r.x, r.y, r.w, r.h, 0, 0, w, h, dib.bits->data(), bi, plat::DIB_RGB_COLORS,
                        plat::SRCCOPY);
  }
}

int showpcx(const PictureRect& r, int stretch, int& oserror, const char* filename) {
  std::vector<std::uint8_t> bytes;
  const int status = readpicturefile(filename, bytes, oserror);
  if (status != kPictureOk) return status;
  PcxImage image;
  if (decode_pcx(bytes, image) != kPictureOk) return kPictureBadFile;
  // Rows padded to 4 bytes, top row first, with the file's 256 colours.
  const std::size_t stride = dibrowbytes(image.width, 8);
  std::vector<std::uint8_t> bits(stride * static_cast<std::size_t>(image.height), 0);
  for (int y = 0; y < image.height; ++y)
    std::copy_n(image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width, image.width,
                bits.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * stride));
  std::vector<plat::RGBQUAD> colours(256);
  for (std::size_t i = 0; i < 256; ++i)
    colours[i] = plat::RGBQUAD{image.palette[3 * i + 2], image.palette[3 * i + 1], image.palette[3 * i], 0};
  plat::BITMAPINFOHEADER h;
  h.biWidth = image.width;
  h.biHeight = -image.height;
  h.biBitCount = 8;
  h.biSizeImage = static_cast<plat::DWORD>(bits.size());
  Dib dib;
  makeinfo(dib, h, colours);
  dib.bits = &bits;
  show(dib, r, stretch);
  return kPictureOk;
}

int showbmp(const PictureRect& r, int stretch, int& oserror, const char* filename) {
  BmpImage image;
  const int status = xxreaddib(filename, image, oserror);
  if (status != kPictureOk) return status;
  Dib dib;
  makeinfo(dib, image.header, image.colours);
  dib.bits = &image.bits;
  show(dib, r, stretch);
  return kPictureOk;
}

}  // namespace

int xxmwinbitimage_pcx(int mode, int x1, int y1, int x2, int y2, int stretch, int& status, int& oserror,
                       const char* filename) {
  oserror = 0;
  const PictureRect r = rectof(x1, y1, x2, y2);
  status = mode == kPcxSaveMode ? savepcx(r, oserror, filename) : showpcx(r, stretch, oserror, filename);
  return 0;
}

int xxmwinbitimage(int mode, int x1, int y1, int x2, int y2, int stretch, int& status, int& oserror,
                   const char* filename) {
  oserror = 0;
  const PictureRect r = rectof(x1, y1, x2, y2);
  status = mode == kBmpLoadMode ? showbmp(r, stretch, oserror, filename) : savebmp(r, oserror, filename);
  return 0;
}

}  // namespace tsd
