// Basic types and handles of the platform layer.
//
// The toolkit above was written against the Windows services; this layer
// provides our own implementation of the subset it calls, under the same
// names, inside namespace plat. These are the plain value types and the
// opaque handles every part of the layer shares.
#pragma once

#include <cstdint>

namespace plat {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using BOOL = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = DWORD;  // 0x00bbggrr, or 0x01000000 | index for a palette index

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

struct POINT {
  LONG x = 0;
  LONG y = 0;
};

struct SIZE {
  LONG cx = 0;
  LONG cy = 0;
};

// Right and bottom are exclusive, as everywhere in this layer.
struct RECT {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;
};

constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xff) | ((g & 0xff) << 8) | ((b & 0xff) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xff); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xff); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xff); }
constexpr COLORREF PALETTEINDEX(int i) { return 0x01000000u | static_cast<COLORREF>(i & 0xffff); }

// Opaque handles. Every drawing object (pen, brush, font, bitmap, palette,
// region) is one GdiObject, so SelectObject and DeleteObject take any of them.
struct Window;
struct DeviceContext;
struct GdiObject;
struct Menu;
struct Module;
struct AcceleratorTable;

using HWND = Window*;
using HDC = DeviceContext*;
using HGDIOBJ = GdiObject*;
using HPEN = GdiObject*;
using HBRUSH = GdiObject*;
using HFONT = GdiObject*;
using HBITMAP = GdiObject*;
using HPALETTE = GdiObject*;
using HRGN = GdiObject*;
using HICON = GdiObject*;
using HCURSOR = GdiObject*;
using HMENU = Menu*;
using HINSTANCE = Module*;
using HMODULE = Module*;
using HACCEL = AcceleratorTable*;

}  // namespace plat
