// Logical palettes: creation, entries, selection and realisation.
#include "platform/gdi/palette.h"

#include "platform/gdi/dc.h"
#include "platform/gdi/display_state.h"
#include "platform/gdi/gdi_private.h"
#include "platform/gdi/objects.h"

namespace plat {

HPALETTE CreatePalette(const LOGPALETTE* lp) {
  if (lp == nullptr || lp->palNumEntries == 0 || lp->palNumEntries > kMaxPaletteEntries) return nullptr;
  GdiObject* o = NewObject(ObjKind::Palette);
  o->entries.assign(lp->palPalEntry, lp->palPalEntry + lp->palNumEntries);
  return o;
}

HPALETTE SelectPalette(HDC hdc, HPALETTE palette, BOOL force_background) {
  DeviceContext* dc = AsDC(hdc);
  GdiObject* p = AsObject(palette, ObjKind::Palette);
  if (dc == nullptr || p == nullptr) return nullptr;
  GdiObject* old = dc->palette;
  Reselect(dc->palette, p);
  return old;
}

UINT RealizePalette(HDC hdc) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr || dc->palette == nullptr) return 0;
  DisplayState& d = Display();
  const GdiObject* p = dc->palette;
  if (d.depth == 8 && !p->stock) {
    // Reserved colours stay; the palette's entries take the rest.
    const std::size_t reserved = 20;
    d.system_colours.resize(reserved);
    for (std::size_t i = 0; i < p->entries.size() && d.system_colours.size() < 256; ++i)
      d.system_colours.push_back(RGB(p->entries[i].peRed, p->entries[i].peGreen, p->entries[i].peBlue));
  }
  return static_cast<UINT>(p->entries.size());
}

UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries) {
  GdiObject* p = AsObject(palette, ObjKind::Palette);
  if (p == nullptr || entries == nullptr || p->stock || start >= p->entries.size()) return 0;
  UINT n = 0;
  for (; n < count && start + n < p->entries.size(); ++n) p->entries[start + n] = entries[n];
  return n;
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
  GdiObject* p = AsObject(palette, ObjKind::Palette);
  if (p == nullptr) return 0;
  if (entries == nullptr) return static_cast<UINT>(p->entries.size());
  UINT n = 0;
  for (; n < count && start + n < p->entries.size(); ++n) entries[n] = p->entries[start + n];
  return n;
}

BOOL UnrealizeObject(HGDIOBJ object) {
  GdiObject* o = AsObject(object);
  if (o == nullptr) return FALSE;
  // Realisation is done afresh by every RealizePalette, so there is
  // nothing to forget; brushes have their origin fixed at (0, 0).
  return o->kind == ObjKind::Palette || o->kind == ObjKind::Brush ? TRUE : FALSE;
}

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF colour) {
  GdiObject* p = AsObject(palette, ObjKind::Palette);
  if (p == nullptr || p->entries.empty()) return 0xFFFFFFFFu;
  std::vector<COLORREF> cs;
  for (const PALETTEENTRY& e : p->entries) cs.push_back(RGB(e.peRed, e.peGreen, e.peBlue));
  return static_cast<UINT>(NearestIndexOf(cs, colour & 0x00ffffffu));
}

}  // namespace plat
