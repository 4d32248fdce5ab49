// Device contexts: the window manager's surface contexts, memory contexts,
// drawing modes, and what the display reports (GetDeviceCaps).
#include "platform/gdi/dc.h"

#include <algorithm>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/display_state.h"
#include "platform/gdi/gdi_private.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/surface.h"

namespace plat {

RECT IntersectRects(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (RectEmpty(r)) r = {0, 0, 0, 0};
  return r;
}

RECT DrawableRect(const DeviceContext* dc) {
  if (dc == nullptr || dc->surface == nullptr) return {0, 0, 0, 0};
  RECT r = IntersectRects(dc->bounds, {0, 0, dc->surface->width, dc->surface->height});
  if (dc->has_clip) {
    const RECT c{dc->clip.left + dc->origin.x, dc->clip.top + dc->origin.y, dc->clip.right + dc->origin.x,
                 dc->clip.bottom + dc->origin.y};
    r = IntersectRects(r, c);
  }
  return r;
}

// ---- The window manager's seam --------------------------------------------

HDC CreateSurfaceDC(Surface* surface, POINT origin, RECT bounds) {
  DeviceContext* dc = NewDC();
  dc->surface = surface;
  dc->origin = origin;
  dc->bounds = bounds;
  return dc;
}

void SetSurfaceDCPlacement(HDC hdc, Surface* surface, POINT origin, RECT bounds) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr || dc->memory) return;
  dc->surface = surface;
  dc->origin = origin;
  dc->bounds = bounds;
}

void SetSurfaceDCHoles(HDC hdc, std::vector<RECT> holes) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr || dc->memory) return;
  dc->holes = std::move(holes);
}

void DeleteSurfaceDC(HDC hdc) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr || dc->memory) return;
  FreeDC(dc);
}

Surface* SurfaceOfDC(HDC hdc) {
  DeviceContext* dc = AsDC(hdc);
  return dc == nullptr ? nullptr : dc->surface;
}

// ---- Memory contexts ------------------------------------------------------

HDC CreateCompatibleDC(HDC like) {
  if (like != nullptr && AsDC(like) == nullptr) return nullptr;
  DeviceContext* dc = NewDC();
  dc->memory = true;
  HBITMAP one = CreateCompatibleBitmap(nullptr, 1, 1);
  SelectObject(dc, one);
  // The 1 x 1 bitmap belongs to the context: deleted with it.
  dc->own_bitmap = one;
  return dc;
}

BOOL DeleteDC(HDC hdc) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr) return FALSE;
  if (!dc->memory) {
    FreeDC(dc);
    return TRUE;
  }
  // The context's own 1 x 1 bitmap goes with it; a user bitmap stays.
  GdiObject* own = dc->own_bitmap;
  FreeDC(dc);
  if (own != nullptr) DeleteObject(own);
  return TRUE;
}

// ---- Modes and colours ----------------------------------------------------

int SetROP2(HDC hdc, int rop) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr || rop < R2_BLACK || rop > R2_WHITE) return 0;
  const int old = dc->rop2;
  dc->rop2 = rop;
  return old;
}

int GetROP2(HDC hdc) {
  DeviceContext* dc = AsDC(hdc);
  return dc == nullptr ? 0 : dc->rop2;
}

int SetBkMode(HDC hdc, int mode) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  const int old = dc->bk_mode;
  dc->bk_mode = mode;
  return old;
}

int GetBkMode(HDC hdc) {
  DeviceContext* dc = AsDC(hdc);
  return dc == nullptr ? 0 : dc->bk_mode;
}

COLORREF SetBkColor(HDC hdc, COLORREF colour) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr) return CLR_INVALID;
  const COLORREF old = dc->bk_colour;
  dc->bk_colour = colour;
  return old;
}

COLORREF GetBkColor(HDC hdc) {
  DeviceContext* dc = AsDC(hdc);
  return dc == nullptr ? CLR_INVALID : dc->bk_colour;
}

COLORREF SetTextColor(HDC hdc, COLORREF colour) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr) return CLR_INVALID;
  const COLORREF old = dc->text_colour;
  dc->text_colour = colour;
  return old;
}

COLORREF GetTextColor(HDC hdc) {
  DeviceContext* dc = AsDC(hdc);
  return dc == nullptr ? CLR_INVALID : dc->text_colour;
}

COLORREF GetNearestColor(HDC hdc, COLORREF colour) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr) return CLR_INVALID;
  return ResolveColour(dc, colour);
}

// ---- Device capabilities --------------------------------------------------

int GetDeviceCaps(HDC hdc, int index) {
  if (hdc != nullptr && AsDC(hdc) == nullptr) return 0;
  const DisplayState& d = Display();
  const bool palette = d.depth == 8;
  switch (index) {
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZRES: return d.width;
    case VERTRES: return d.height;
    case HORZSIZE: return d.width * 254 / (d.dpi * 10);
    case VERTSIZE: return d.height * 254 / (d.dpi * 10);
    case LOGPIXELSX:
    case LOGPIXELSY: return d.dpi;
    case BITSPIXEL: return d.depth;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS: return -1;
    case NUMFONTS: return 0;
    case NUMCOLORS:
      // A palette display counts the colours it reserves for itself.
      if (d.depth == 1) return 2;
      if (d.depth == 4) return 16;
      if (d.depth == 8) return 20;
      return -1;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB |
             (palette ? RC_PALETTE : 0);
    case SIZEPALETTE: return palette ? 256 : 0;
    case NUMRESERVED: return palette ? 20 : 0;
    case COLORRES: return palette ? 18 : 24;
    default: return 0;
  }
}

}  // namespace plat
