// Bitmap resources: the .bmp file is checked and drawn into a new bitmap.
#include "platform/user/load_bitmap.h"

#include <cstring>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/kernel/resources.h"
#include "platform/user/user.h"

namespace plat {
namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kInfoHeader = 40;
constexpr LONG kMaxSide = 16384;

DWORD u32(std::span<const BYTE> b, std::size_t at) {
  return static_cast<DWORD>(b[at]) | static_cast<DWORD>(b[at + 1]) << 8 | static_cast<DWORD>(b[at + 2]) << 16 |
         static_cast<DWORD>(b[at + 3]) << 24;
}
WORD u16(std::span<const BYTE> b, std::size_t at) { return static_cast<WORD>(b[at] | b[at + 1] << 8); }

}  // namespace

HBITMAP bitmap_from_bmp(std::span<const BYTE> file) {
  if (file.size() < kFileHeader + kInfoHeader || file[0] != 'B' || file[1] != 'M') return nullptr;
  const DWORD offbits = u32(file, 10);
  const DWORD infosize = u32(file, 14);
  if (infosize < kInfoHeader || kFileHeader + infosize > file.size()) return nullptr;
  BITMAPINFOHEADER h;
  h.biWidth = static_cast<LONG>(u32(file, 18));
  h.biHeight = static_cast<LONG>(u32(file, 22));
  h.biPlanes = u16(file, 26);
  h.biBitCount = u16(file, 28);
  h.biCompression = u32(file, 30);
  h.biClrUsed = u32(file, 46);
  const LONG width = h.biWidth;
  if (h.biHeight < -kMaxSide) return nullptr;
  const LONG height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  const WORD bits = h.biBitCount;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || h.biCompression != BI_RGB) return nullptr;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return nullptr;
  const std::size_t maxcolours = bits <= 8 ? std::size_t{1} << bits : 0;
  const std::size_t colours = bits <= 8 ? (h.biClrUsed && h.biClrUsed < maxcolours ? h.biClrUsed : maxcolours) : 0;
  const std::size_t table = kFileHeader + infosize;
  if (table + colours * 4 > file.size()) return nullptr;
  const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  if (offbits < table + colours * 4 || offbits > file.size() || file.size() - offbits < stride * static_cast<std::size_t>(height))
    return nullptr;
  // The header and colour table as StretchDIBits takes them.
  std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
  bi->bmiHeader = h;
  bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi->bmiHeader.biClrUsed = static_cast<DWORD>(colours);
  for (std::size_t i = 0; i < colours; ++i) {
    RGBQUAD& q = bi->bmiColors[i];
    q.rgbBlue = file[table + 4 * i];
    q.rgbGreen = file[table + 4 * i + 1];
    q.rgbRed = file[table + 4 * i + 2];
  }
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HDC mem = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (!bitmap || !mem) {
    if (bitmap) DeleteObject(bitmap);
    if (mem) DeleteDC(mem);
    return nullptr;
  }
  HGDIOBJ old = SelectObject(mem, bitmap);
  const int rows = StretchDIBits(mem, 0, 0, width, height, 0, 0, width, height, file.data() + offbits, bi,
                                 DIB_RGB_COLORS, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
  if (rows == 0) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) {
  auto module = reinterpret_cast<HMODULE>(instance);
  HRSRC found = FindResourceA(module, name, RT_BITMAP);
  if (!found) return nullptr;
  const void* data = LockResource(LoadResource(module, found));
  if (!data) return nullptr;
  return bitmap_from_bmp(std::span<const BYTE>(static_cast<const BYTE*>(data), SizeofResource(module, found)));
}

}  // namespace plat
