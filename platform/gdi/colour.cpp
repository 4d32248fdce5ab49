// The display setting of this layer and colour resolution: what colour a
// colour reference really gives on the display and in a context.
#include <cstdlib>

#include "platform/gdi/dc.h"
#include "platform/gdi/display_state.h"
#include "platform/gdi/gdi_private.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/palette.h"

namespace plat {

namespace {

// The 16 colours of a 4-bit display.
const std::vector<COLORREF>& vga16() {
  static const std::vector<COLORREF> c = {
      RGB(0, 0, 0),       RGB(128, 0, 0), RGB(0, 128, 0), RGB(128, 128, 0), RGB(0, 0, 128),   RGB(128, 0, 128),
      RGB(0, 128, 128),   RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0),
      RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
  return c;
}

const std::vector<COLORREF>& black_white() {
  static const std::vector<COLORREF> c = {RGB(0, 0, 0), RGB(255, 255, 255)};
  return c;
}

std::vector<COLORREF> reserved_colours() {
  std::vector<COLORREF> out;
  if (GdiObject* p = StockObject(DEFAULT_PALETTE))
    for (const PALETTEENTRY& e : p->entries) out.push_back(RGB(e.peRed, e.peGreen, e.peBlue));
  return out;
}

COLORREF entry_colour(const PALETTEENTRY& e) { return RGB(e.peRed, e.peGreen, e.peBlue); }

}  // namespace

DisplayState& Display() {
  static DisplayState d;
  return d;
}

void SetDisplayColourDepth(int bits) {
  DisplayState& d = Display();
  if (bits <= 1)
    d.depth = 1;
  else if (bits <= 4)
    d.depth = 4;
  else if (bits <= 8)
    d.depth = 8;
  else if (bits <= 16)
    d.depth = 16;
  else if (bits <= 24)
    d.depth = 24;
  else
    d.depth = 32;
  d.system_colours = d.depth == 8 ? reserved_colours() : std::vector<COLORREF>{};
}

int DisplayColourDepth() { return Display().depth; }

void SetDisplaySize(int width, int height) {
  DisplayState& d = Display();
  if (width > 0) d.width = width;
  if (height > 0) d.height = height;
}

std::size_t NearestIndexOf(const std::vector<COLORREF>& colours, COLORREF c) {
  std::size_t best = 0;
  long best_d = -1;
  for (std::size_t i = 0; i < colours.size(); ++i) {
    const long dr = GetRValue(colours[i]) - GetRValue(c);
    const long dg = GetGValue(colours[i]) - GetGValue(c);
    const long db = GetBValue(colours[i]) - GetBValue(c);
    const long dist = dr * dr + dg * dg + db * db;
    if (best_d < 0 || dist < best_d) {
      best_d = dist;
      best = i;
      if (dist == 0) break;
    }
  }
  return best;
}

COLORREF NearestOf(const std::vector<COLORREF>& colours, COLORREF c) {
  if (colours.empty()) return 0;
  return colours[NearestIndexOf(colours, c)];
}

COLORREF ResolveColour(const DeviceContext* dc, COLORREF c) {
  const DisplayState& d = Display();
  const GdiObject* pal = dc != nullptr && dc->palette != nullptr ? dc->palette : StockObject(DEFAULT_PALETTE);
  const unsigned type = c >> 24;
  bool from_palette = false;
  if (type == 1 && pal != nullptr && !pal->entries.empty()) {
    std::size_t i = c & 0xffffu;
    if (i >= pal->entries.size()) i = 0;
    c = entry_colour(pal->entries[i]);
    from_palette = true;
  } else if (type == 2 && pal != nullptr && !pal->entries.empty()) {
    std::vector<COLORREF> cs;
    for (const PALETTEENTRY& e : pal->entries) cs.push_back(entry_colour(e));
    c = NearestOf(cs, c & 0x00ffffffu);
    from_palette = true;
  }
  c &= 0x00ffffffu;
  // A monochrome bitmap holds black and white only.
  if (dc != nullptr && dc->bitmap != nullptr && dc->bitmap->bits_per_pixel == 1) return NearestOf(black_white(), c);
  switch (d.depth) {
    case 1: return NearestOf(black_white(), c);
    case 4: return NearestOf(vga16(), c);
    case 8: return from_palette || d.system_colours.empty() ? c : NearestOf(d.system_colours, c);
    default: return c;
  }
}

UINT GetSystemPaletteEntries(HDC hdc, UINT start, UINT count, PALETTEENTRY* entries) {
  if (hdc != nullptr && AsDC(hdc) == nullptr) return 0;
  const DisplayState& d = Display();
  const std::vector<COLORREF>* shown = nullptr;
  if (d.depth == 1) shown = &black_white();
  else if (d.depth == 4) shown = &vga16();
  else if (d.depth == 8) shown = &d.system_colours;
  if (shown == nullptr) return 0;
  if (entries == nullptr) return static_cast<UINT>(shown->size());
  UINT n = 0;
  for (; n < count && start + n < shown->size(); ++n) {
    const COLORREF c = (*shown)[start + n];
    entries[n] = PALETTEENTRY{static_cast<BYTE>(GetRValue(c)), static_cast<BYTE>(GetGValue(c)),
                              static_cast<BYTE>(GetBValue(c)), 0};
  }
  return n;
}

}  // namespace plat
