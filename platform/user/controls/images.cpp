// Images from the program's resources for buttons and statics: bitmaps
// (whole .bmp files) and icons (.ico files: colour image and mask), and the
// drawing of an icon through its mask.
#include <cstring>
#include <map>
#include <span>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/kernel/resources.h"
#include "platform/user/controls/controls.h"
#include "platform/user/load_bitmap.h"
#include "text/littleendian.h"

namespace plat {
namespace {

// Largest image side taken from a resource.
constexpr long kMaxImageSide = 4096;

struct Icon {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> opaque;  // one per pixel, rows top to bottom
};

std::map<HICON, Icon>& icons() {
  static std::map<HICON, Icon> table;
  return table;
}

std::uint32_t u32(const BYTE* p) { return text::le32(std::span<const std::uint8_t>(p, 4), 0); }
std::uint16_t u16(const BYTE* p) { return text::le16(std::span<const std::uint8_t>(p, 2), 0); }

std::size_t dibstride(long width, int bpp) {
  return static_cast<std::size_t>((width * bpp + 31) / 32 * 4);
}

// A device-independent bitmap: header, colour table and pixel rows, each
// checked against the bytes that hold them.
struct Dib {
  BITMAPINFOHEADER header;
  std::vector<BYTE> info;  // header and colour table, as StretchDIBits takes them
  const BYTE* bits = nullptr;
  long width = 0;
  long height = 0;         // rows (positive)
};

// `image` starts at the info header; the pixel rows begin at `bitsoffset`
// from it (0: right after the colour table). `rows` overrides the height
// (icons store colour and mask rows under one doubled height).
bool readdib(std::span<const BYTE> image, std::size_t bitsoffset, long rows, Dib& d) {
  if (image.size() < 40) return false;
  const BYTE* p = image.data();
  const std::uint32_t size = u32(p);
  if (size < 40 || size > image.size()) return false;
  const long w = static_cast<std::int32_t>(u32(p + 4));
  const long h = static_cast<std::int32_t>(u32(p + 8));
  const int planes = u16(p + 12);
  const int bpp = u16(p + 14);
  const std::uint32_t compression = u32(p + 16);
  const std::uint32_t used = u32(p + 32);
  if (planes != 1 || compression != BI_RGB) return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
  if (w <= 0 || w > kMaxImageSide || h == 0 || h < -kMaxImageSide || h > kMaxImageSide) return false;
  const long height = rows > 0 ? rows : (h < 0 ? -h : h);
  std::size_t colours = 0;
  if (bpp <= 8) {
    colours = used != 0 ? used : (1u << bpp);
    if (colours > (1u << bpp)) return false;
  }
  const std::size_t tablebytes = colours * 4;
  if (size + tablebytes > image.size()) return false;
  const std::size_t start = bitsoffset != 0 ? bitsoffset : size + tablebytes;
  if (start < size + tablebytes) return false;
  const std::size_t need = dibstride(w, bpp) * static_cast<std::size_t>(height);
  if (start > image.size() || image.size() - start < need) return false;
  d.width = w;
  d.height = height;
  d.header.biWidth = static_cast<LONG>(w);
  d.header.biHeight = static_cast<LONG>(h < 0 && rows <= 0 ? -height : height);
  d.header.biBitCount = static_cast<WORD>(bpp);
  d.header.biClrUsed = static_cast<DWORD>(colours);
  d.info.assign(sizeof(BITMAPINFOHEADER) + std::max<std::size_t>(tablebytes, sizeof(RGBQUAD)), 0);
  std::memcpy(d.info.data(), &d.header, sizeof d.header);
  if (tablebytes) std::memcpy(d.info.data() + sizeof(BITMAPINFOHEADER), p + size, tablebytes);
  d.bits = p + start;
  return true;
}

// A 32-bit bitmap holding the pixels of a DIB.
HBITMAP tobitmap(const Dib& d) {
  HBITMAP bmp = CreateBitmap(static_cast<int>(d.width), static_cast<int>(d.height), 1, 32, nullptr);
  if (!bmp) return nullptr;
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, bmp);
  const int w = static_cast<int>(d.width), h = static_cast<int>(d.height);
  StretchDIBits(mem, 0, 0, w, h, 0, 0, w, h, d.bits, reinterpret_cast<const BITMAPINFO*>(d.info.data()),
                DIB_RGB_COLORS, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
  return bmp;
}

// Every pixel of the top-left pixel's colour takes the button-face colour.
void mapfacecolour(HBITMAP bmp) {
  Surface* s = SurfaceOfBitmap(bmp);
  if (!s || s->pixels.empty()) return;
  const COLORREF f = GetSysColor(COLOR_BTNFACE);
  const std::uint32_t face = static_cast<std::uint32_t>(GetRValue(f)) << 16 |
                             static_cast<std::uint32_t>(GetGValue(f)) << 8 | static_cast<std::uint32_t>(GetBValue(f));
  const std::uint32_t key = s->pixels[0];
  for (std::uint32_t& px : s->pixels)
    if (px == key) px = face;
}

HICON loadicon(std::span<const BYTE> file) {
  // Directory: reserved 0, type 1, count; entries of 16 bytes. The first
  // image is taken; images stored as PNG are not read.
  if (file.size() < 6 + 16 || u16(file.data()) != 0 || u16(file.data() + 2) != 1 || u16(file.data() + 4) == 0)
    return nullptr;
  const BYTE* e = file.data() + 6;
  const std::uint32_t bytes = u32(e + 8);
  const std::uint32_t offset = u32(e + 12);
  if (offset > file.size() || bytes > file.size() - offset) return nullptr;
  std::span<const BYTE> image = file.subspan(offset, bytes);
  if (image.size() < 40) return nullptr;
  const long h2 = static_cast<std::int32_t>(u32(image.data() + 8));
  if (h2 <= 0 || h2 % 2 != 0) return nullptr;
  const long h = h2 / 2;
  Dib colour;
  if (!readdib(image, 0, h, colour)) return nullptr;
  // The mask follows the colour rows: 1 bit a pixel, set = transparent.
  const std::size_t colourbytes = dibstride(colour.width, colour.header.biBitCount) * static_cast<std::size_t>(h);
  const BYTE* mask = colour.bits + colourbytes;
  const std::size_t maskstride = dibstride(colour.width, 1);
  const std::size_t have = static_cast<std::size_t>(image.data() + image.size() - mask);
  if (colour.bits + colourbytes > image.data() + image.size() || have < maskstride * static_cast<std::size_t>(h))
    return nullptr;
  HBITMAP bmp = tobitmap(colour);
  if (!bmp) return nullptr;
  Icon icon;
  icon.width = static_cast<int>(colour.width);
  icon.height = static_cast<int>(h);
  icon.opaque.resize(static_cast<std::size_t>(icon.width) * static_cast<std::size_t>(icon.height));
  for (int y = 0; y < icon.height; ++y) {
    const BYTE* row = mask + static_cast<std::size_t>(icon.height - 1 - y) * maskstride;  // bottom-up
    for (int x = 0; x < icon.width; ++x)
      icon.opaque[static_cast<std::size_t>(y) * static_cast<std::size_t>(icon.width) + static_cast<std::size_t>(x)] =
          (row[x / 8] >> (7 - x % 8) & 1u) ? 0 : 1;
  }
  icons()[bmp] = std::move(icon);
  return bmp;
}

}  // namespace

HBITMAP bitmap_from_bmp(std::span<const BYTE> file) {
  // File header: "BM", size, two reserved words, offset of the pixel rows.
  if (file.size() < 14 + 40 || file[0] != 'B' || file[1] != 'M') return nullptr;
  const std::uint32_t offset = u32(file.data() + 10);
  if (offset < 14 || offset > file.size()) return nullptr;
  Dib d;
  if (!readdib(file.subspan(14), offset - 14, 0, d)) return nullptr;
  return tobitmap(d);
}

HANDLE LoadImageA(HINSTANCE, LPCSTR name, UINT type, int, int, UINT flags) {
  if (type == IMAGE_BITMAP) {
    HBITMAP b = bitmap_from_bmp(resource_bytes(name, RT_BITMAP));
    if (b && (flags & (LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS))) mapfacecolour(b);
    return b;
  }
  if (type == IMAGE_ICON) return loadicon(resource_bytes(name, RT_ICON));
  return nullptr;
}

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) {
  return static_cast<HBITMAP>(LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, 0));
}

bool IsResourceIcon(HICON icon) { return icon && icons().count(icon) != 0; }

BOOL GetIconSize(HICON icon, int* width, int* height) {
  auto it = icons().find(icon);
  if (it == icons().end()) return FALSE;
  if (width) *width = it->second.width;
  if (height) *height = it->second.height;
  return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  auto it = icons().find(icon);
  if (it == icons().end() || !dc) return FALSE;
  const Icon& ic = it->second;
  Surface* s = SurfaceOfBitmap(icon);
  if (!s) return FALSE;
  for (int v = 0; v < ic.height; ++v) {
    const std::uint32_t* row = s->row(v);
    for (int u = 0; u < ic.width; ++u) {
      if (!ic.opaque[static_cast<std::size_t>(v) * static_cast<std::size_t>(ic.width) + static_cast<std::size_t>(u)])
        continue;
      const std::uint32_t px = row[u];
      SetPixel(dc, x + u, y + v, RGB(static_cast<int>(px >> 16 & 0xff), static_cast<int>(px >> 8 & 0xff),
                                     static_cast<int>(px & 0xff)));
    }
  }
  return TRUE;
}

BOOL DestroyIcon(HICON icon) {
  auto it = icons().find(icon);
  if (it == icons().end()) return FALSE;
  icons().erase(it);
  return DeleteObject(icon);
}

}  // namespace plat
