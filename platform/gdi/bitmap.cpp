// Bitmaps, bit-block transfers and device-independent bitmaps.
#include "platform/gdi/bitmap.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/display_state.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/text.h"

namespace plat {

namespace {

constexpr long kMaxBitmapPixels = 1L << 26;  // 8192 x 8192

bool size_ok(int w, int h) { return w > 0 && h > 0 && static_cast<long>(w) * h <= kMaxBitmapPixels; }

GdiObject* new_bitmap(int w, int h, int bpp) {
  GdiObject* o = NewObject(ObjKind::Bitmap);
  o->surface.resize(w, h, 0);
  o->bits_per_pixel = bpp;
  return o;
}

// Ternary raster operation on 24-bit values: bit (4P + 2S + D) of the
// table says the result where pattern, source and destination bits are P,
// S and D.
std::uint32_t rop3(unsigned table, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
  switch (table) {
    case 0xCC: return s;
    case 0xEE: return s | d;
    case 0x88: return s & d;
    case 0x66: return s ^ d;
    case 0xF0: return p;
    case 0x00: return 0;
    case 0xFF: return 0x00ffffffu;
    default: break;
  }
  std::uint32_t r = 0;
  for (unsigned i = 0; i < 8; ++i) {
    if ((table >> i & 1u) == 0) continue;
    r |= ((i & 4u) ? p : ~p) & ((i & 2u) ? s : ~s) & ((i & 1u) ? d : ~d);
  }
  return r & 0x00ffffffu;
}

bool uses_source(unsigned t) { return (((t >> 2) ^ t) & 0x33u) != 0; }
bool uses_pattern(unsigned t) { return (((t >> 4) ^ t) & 0x0Fu) != 0; }

std::size_t dib_stride(long width, int bpp) {
  return static_cast<std::size_t>(((width * bpp + 31) / 32) * 4);
}

}  // namespace

// ---- Bitmaps ----------------------------------------------------------------

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits) {
  if (!size_ok(width, height) || planes != 1) return nullptr;
  if (bits_per_pixel != 1 && bits_per_pixel != 24 && bits_per_pixel != 32) return nullptr;
  GdiObject* o = new_bitmap(width, height, static_cast<int>(bits_per_pixel));
  const auto* src = static_cast<const std::uint8_t*>(bits);
  if (bits_per_pixel == 1) {
    const std::size_t stride = static_cast<std::size_t>((width + 15) / 16 * 2);
    for (int y = 0; y < height; ++y) {
      std::uint32_t* row = o->surface.row(y);
      for (int x = 0; x < width; ++x) {
        const bool white = src != nullptr && (src[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x / 8)] >> (7 - x % 8) & 1u);
        row[x] = white ? 0x00ffffffu : 0;
      }
    }
    return o;
  }
  if (src == nullptr) return o;
  const std::size_t bpp = bits_per_pixel / 8;
  const std::size_t stride = (static_cast<std::size_t>(width) * bpp + 1) / 2 * 2;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* s = src + static_cast<std::size_t>(y) * stride;
    std::uint32_t* row = o->surface.row(y);
    for (int x = 0; x < width; ++x, s += bpp) row[x] = static_cast<std::uint32_t>(s[2]) << 16 | s[1] << 8 | s[0];
  }
  return o;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  if (dc != nullptr && AsDC(dc) == nullptr) return nullptr;
  if (width == 0 || height == 0) {
    width = 1;
    height = 1;
  }
  if (!size_ok(width, height)) return nullptr;
  return new_bitmap(width, height, 32);
}

int GetObjectA(HGDIOBJ object, int size, void* out) {
  GdiObject* o = AsObject(object);
  if (o == nullptr) return 0;
  if (o->kind == ObjKind::Bitmap) {
    if (out == nullptr) return static_cast<int>(sizeof(BITMAP));
    if (size < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP bm;
    bm.bmWidth = o->surface.width;
    bm.bmHeight = o->surface.height;
    bm.bmBitsPixel = static_cast<WORD>(o->bits_per_pixel);
    bm.bmWidthBytes = o->bits_per_pixel == 1 ? (o->surface.width + 15) / 16 * 2 : o->surface.width * 4;
    std::memcpy(out, &bm, sizeof bm);
    return static_cast<int>(sizeof bm);
  }
  if (o->kind == ObjKind::Font) {
    if (out == nullptr) return static_cast<int>(sizeof(LOGFONTA));
    if (size < static_cast<int>(sizeof(LOGFONTA))) return 0;
    LOGFONTA lf;
    lf.lfHeight = o->font_height;
    lf.lfWidth = o->font_width;
    lf.lfEscapement = o->escapement;
    lf.lfWeight = o->weight;
    lf.lfItalic = o->italic ? 1 : 0;
    lf.lfUnderline = o->underline ? 1 : 0;
    lf.lfStrikeOut = o->strike_out ? 1 : 0;
    lf.lfPitchAndFamily = static_cast<BYTE>(o->pitch_and_family);
    std::memcpy(lf.lfFaceName, o->face_name, sizeof lf.lfFaceName);
    std::memcpy(out, &lf, sizeof lf);
    return static_cast<int>(sizeof lf);
  }
  return 0;
}

Surface* SurfaceOfBitmap(HBITMAP bitmap) {
  GdiObject* o = AsObject(bitmap, ObjKind::Bitmap);
  return o == nullptr ? nullptr : &o->surface;
}

// ---- BitBlt -------------------------------------------------------------------

BOOL BitBlt(HDC hdst, int x, int y, int w, int h, HDC hsrc, int xs, int ys, DWORD rop) {
  DeviceContext* dst = AsDC(hdst);
  if (dst == nullptr || w < 0 || h < 0) return FALSE;
  const unsigned table = (rop >> 16) & 0xffu;
  DeviceContext* src = nullptr;
  if (uses_source(table)) {
    src = AsDC(hsrc);
    if (src == nullptr || src->surface == nullptr) return FALSE;
  }
  const Target t = TargetOf(dst);
  if (t.empty() || w == 0 || h == 0) return TRUE;
  x = ClampCoord(x);
  y = ClampCoord(y);
  xs = ClampCoord(xs);
  ys = ClampCoord(ys);
  // Destination rectangle in surface coordinates, cut to what is drawable
  // there and to what the source can supply.
  RECT r{x + t.ox, y + t.oy, x + t.ox + std::min(w, 1 << 26), y + t.oy + std::min(h, 1 << 26)};
  r = IntersectRects(r, t.clip);
  int dxs = 0, dys = 0;  // source surface = destination surface + (dxs, dys)
  if (src != nullptr) {
    dxs = xs + src->origin.x - (x + t.ox);
    dys = ys + src->origin.y - (y + t.oy);
    const RECT avail = IntersectRects(src->bounds, {0, 0, src->surface->width, src->surface->height});
    r = IntersectRects(r, {avail.left - dxs, avail.top - dys, avail.right - dxs, avail.bottom - dys});
  }
  if (RectEmpty(r)) return TRUE;
  const int rw = r.right - r.left, rh = r.bottom - r.top;
  // The source is read completely before anything is written, so source
  // and destination may overlap.
  std::vector<std::uint32_t> copy;
  if (src != nullptr) {
    copy.resize(static_cast<std::size_t>(rw) * static_cast<std::size_t>(rh));
    for (int j = 0; j < rh; ++j) {
      const std::uint32_t* s = src->surface->row(r.top + j + dys) + (r.left + dxs);
      std::copy(s, s + rw, copy.begin() + static_cast<std::ptrdiff_t>(j) * rw);
    }
  }
  const BrushPaint brush = uses_pattern(table) ? BrushOf(dst, dst->brush) : BrushPaint{};
  for (int j = 0; j < rh; ++j) {
    std::uint32_t* d = t.surface->row(r.top + j) + r.left;
    const std::uint32_t* s = src != nullptr ? copy.data() + static_cast<std::size_t>(j) * static_cast<std::size_t>(rw) : nullptr;
    const int ly = r.top + j - t.oy;
    t.runs(r.top + j, r.left, r.right, [&](int a, int e) {
      const int i0 = a - r.left, i1 = e - r.left;
      if (table == 0xCC) {
        std::copy(s + i0, s + i1, d + i0);
        return;
      }
      for (int i = i0; i < i1; ++i) {
        const int lx = r.left + i - t.ox;
        const std::uint32_t p = brush.null ? 0 : brush.pattern[static_cast<std::size_t>((ly & 7) * 8 + (lx & 7))];
        d[i] = rop3(table, p, s != nullptr ? s[i] : 0, d[i]);
      }
    });
  }
  return TRUE;
}

// ---- Device-independent bitmaps ---------------------------------------------

int StretchDIBits(HDC hdc, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs, const void* bits,
                  const BITMAPINFO* info, UINT usage, DWORD rop) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr || bits == nullptr || info == nullptr) return 0;
  const BITMAPINFOHEADER& hdr = info->bmiHeader;
  const int bpp = hdr.biBitCount;
  if (hdr.biCompression != BI_RGB || hdr.biWidth <= 0 || hdr.biHeight == 0 || hdr.biPlanes != 1) return 0;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return 0;
  const long W = hdr.biWidth;
  const bool top_down = hdr.biHeight < 0;
  const long H = top_down ? -static_cast<long>(hdr.biHeight) : hdr.biHeight;
  if (W * H > kMaxBitmapPixels || wd == 0 || hd == 0 || ws <= 0 || hs <= 0) return 0;
  // Colour table, resolved once.
  std::vector<std::uint32_t> table;
  if (bpp <= 8) {
    const std::size_t n = hdr.biClrUsed != 0 ? std::min<std::size_t>(hdr.biClrUsed, 1u << bpp) : 1u << bpp;
    table.resize(1u << bpp, 0);
    for (std::size_t i = 0; i < n; ++i) {
      COLORREF c;
      if (usage == DIB_PAL_COLORS) {
        const auto* idx = reinterpret_cast<const std::uint16_t*>(info->bmiColors);
        c = PALETTEINDEX(idx[i]);
      } else {
        const RGBQUAD& q = info->bmiColors[i];
        c = RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
      }
      table[i] = ResolvePixel(dc, c);
    }
  }
  const std::size_t stride = dib_stride(W, bpp);
  const auto* base = static_cast<const std::uint8_t*>(bits);
  auto pixel = [&](long u, long row) -> std::uint32_t {  // row in memory order
    const std::uint8_t* p = base + static_cast<std::size_t>(row) * stride;
    switch (bpp) {
      case 1: return table[p[u / 8] >> (7 - u % 8) & 1u];
      case 4: return table[(u & 1) ? (p[u / 2] & 0x0fu) : (p[u / 2] >> 4)];
      case 8: return table[p[u]];
      case 24: p += u * 3; break;
      default: p += u * 4; break;
    }
    return ResolvePixel(dc, RGB(p[2], p[1], p[0]));
  };
  const Target t = TargetOf(dc);
  if (t.empty()) return hs;
  const unsigned table3 = (rop >> 16) & 0xffu;
  const long aw = std::labs(wd), ah = std::labs(hd);
  const long left = wd > 0 ? xd : static_cast<long>(xd) + wd + 1;
  const long top = hd > 0 ? yd : static_cast<long>(yd) + hd + 1;
  const BrushPaint brush = uses_pattern(table3) ? BrushOf(dc, dc->brush) : BrushPaint{};
  for (long j = 0; j < ah; ++j) {
    const long sy = top + j + t.oy;
    if (sy < t.clip.top || sy >= t.clip.bottom) continue;
    const long jj = hd > 0 ? j : ah - 1 - j;
    const long v = static_cast<long>((jj * 2 + 1) * static_cast<long long>(hs) / (2 * ah));
    const long row = top_down ? ys + v : ys + hs - 1 - v;
    if (row < 0 || row >= H) continue;
    std::uint32_t* d = t.surface->row(static_cast<int>(sy));
    for (long i = 0; i < aw; ++i) {
      const long sx = left + i + t.ox;
      if (!t.drawable(sx, sy)) continue;
      const long ii = wd > 0 ? i : aw - 1 - i;
      const long u = xs + static_cast<long>((ii * 2 + 1) * static_cast<long long>(ws) / (2 * aw));
      if (u < 0 || u >= W) continue;
      const std::uint32_t s = pixel(u, row);
      const long lx = sx - t.ox, ly = sy - t.oy;
      const std::uint32_t p = brush.null ? 0 : brush.pattern[static_cast<std::size_t>((ly & 7) * 8 + (lx & 7))];
      d[sx] = rop3(table3, p, s, d[sx]);
    }
  }
  return hs;
}

int GetDIBits(HDC hdc, HBITMAP hbm, UINT first_row, UINT rows, void* bits, BITMAPINFO* info, UINT usage) {
  DeviceContext* dc = AsDC(hdc);
  GdiObject* bm = AsObject(hbm, ObjKind::Bitmap);
  if (dc == nullptr || bm == nullptr || info == nullptr) return 0;
  BITMAPINFOHEADER& hdr = info->bmiHeader;
  const Surface& s = bm->surface;
  if (hdr.biBitCount == 0) {
    // Only asked what the bitmap is.
    hdr.biWidth = s.width;
    hdr.biHeight = s.height;
    hdr.biPlanes = 1;
    hdr.biBitCount = 32;
    hdr.biCompression = BI_RGB;
    hdr.biSizeImage = static_cast<DWORD>(dib_stride(s.width, 32) * static_cast<std::size_t>(s.height));
    hdr.biClrUsed = 0;
    return s.height;
  }
  const int bpp = hdr.biBitCount;
  if (bpp != 8 && bpp != 24 && bpp != 32) return 0;
  const bool top_down = hdr.biHeight < 0;
  hdr.biWidth = s.width;
  hdr.biHeight = top_down ? -s.height : s.height;
  hdr.biPlanes = 1;
  hdr.biCompression = BI_RGB;
  const std::size_t stride = dib_stride(s.width, bpp);
  hdr.biSizeImage = static_cast<DWORD>(stride * static_cast<std::size_t>(s.height));
  // 8 bits: the context's palette is the colour table.
  std::vector<COLORREF> colours;
  if (bpp == 8) {
    const GdiObject* pal = dc->palette;
    if (pal != nullptr)
      for (std::size_t i = 0; i < pal->entries.size() && i < 256; ++i)
        colours.push_back(RGB(pal->entries[i].peRed, pal->entries[i].peGreen, pal->entries[i].peBlue));
    hdr.biClrUsed = 0;
    for (std::size_t i = 0; i < 256; ++i) {
      if (usage == DIB_PAL_COLORS) {
        reinterpret_cast<std::uint16_t*>(info->bmiColors)[i] = static_cast<std::uint16_t>(i);
      } else {
        const COLORREF c = i < colours.size() ? colours[i] : 0;
        info->bmiColors[i] = {static_cast<BYTE>(GetBValue(c)), static_cast<BYTE>(GetGValue(c)),
                              static_cast<BYTE>(GetRValue(c)), 0};
      }
    }
  }
  if (bits == nullptr) return s.height;
  if (first_row >= static_cast<UINT>(s.height)) return 0;
  const UINT n = std::min<UINT>(rows, static_cast<UINT>(s.height) - first_row);
  std::unordered_map<std::uint32_t, std::uint8_t> nearest;
  auto* out = static_cast<std::uint8_t*>(bits);
  for (UINT k = 0; k < n; ++k) {
    const int y = top_down ? static_cast<int>(first_row + k) : s.height - 1 - static_cast<int>(first_row + k);
    const std::uint32_t* src = s.row(y);
    std::uint8_t* d = out + static_cast<std::size_t>(k) * stride;
    std::memset(d, 0, stride);
    for (int x = 0; x < s.width; ++x) {
      const std::uint32_t p = src[x];
      if (bpp == 8) {
        auto it = nearest.find(p);
        if (it == nearest.end())
          it = nearest.emplace(p, static_cast<std::uint8_t>(colours.empty() ? 0 : NearestIndexOf(colours, ColourOf(p)))).first;
        d[x] = it->second;
      } else {
        std::uint8_t* q = d + static_cast<std::size_t>(x) * static_cast<std::size_t>(bpp / 8);
        q[0] = static_cast<std::uint8_t>(p);
        q[1] = static_cast<std::uint8_t>(p >> 8);
        q[2] = static_cast<std::uint8_t>(p >> 16);
        if (bpp == 32) q[3] = 0;
      }
    }
  }
  return static_cast<int>(n);
}

}  // namespace plat
