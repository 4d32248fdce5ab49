// Inside the drawing layer: what a device context and a drawing object
// hold, the handle tables, and colour resolution. Not for callers outside
// platform/gdi.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/palette.h"
#include "platform/gdi/surface.h"
#include "platform/types.h"

namespace plat {

struct FontFace;  // font.cpp

enum class ObjKind { Pen, Brush, Font, Bitmap, Palette, Region };

}  // namespace plat

// The handle types of types.h name these structs in namespace plat.
struct plat::GdiObject {
  ObjKind kind = ObjKind::Pen;
  bool stock = false;
  int selected = 0;  // how many contexts have it selected

  // Pen and brush.
  int style = 0;  // pen style, or brush style
  int width = 1;
  COLORREF colour = 0;
  int hatch = 0;
  std::array<std::uint32_t, 64> pattern{};  // 8 x 8 surface pixels of a pattern brush

  // Font: the request, and the face it was resolved to.
  int font_height = 0;
  int font_width = 0;
  int escapement = 0;
  int weight = 0;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  int pitch_and_family = 0;
  char face_name[32] = {};
  std::shared_ptr<FontFace> face;

  // Bitmap.
  Surface surface;
  int bits_per_pixel = 32;

  // Palette.
  std::vector<PALETTEENTRY> entries;

  // Region (logical coordinates, exclusive right/bottom, possibly empty).
  RECT rect;
};

struct plat::DeviceContext {
  bool memory = false;
  Surface* surface = nullptr;
  POINT origin;  // surface position of logical (0, 0)
  RECT bounds;   // surface rectangle drawing may touch

  GdiObject* pen = nullptr;
  GdiObject* brush = nullptr;
  GdiObject* font = nullptr;
  GdiObject* bitmap = nullptr;      // memory contexts
  GdiObject* own_bitmap = nullptr;  // the 1 x 1 bitmap a memory context starts with
  GdiObject* palette = nullptr;

  int rop2 = 13;
  int bk_mode = 2;
  COLORREF bk_colour = 0x00FFFFFF;
  COLORREF text_colour = 0;
  UINT text_align = 0;
  POINT position;
  int style_phase = 0;  // position in the pen's dash pattern

  bool has_clip = false;
  RECT clip;  // logical coordinates
  // Window contexts: surface rectangles of the windows in front, never drawn on.
  std::vector<RECT> holes;

  // Mapping mode and the window and viewport (metafile.h): applied by
  // LPtoDP and by metafile playback only.
  int map_mode = 1;
  POINT window_org;
  SIZE window_ext{1, 1};
  POINT viewport_org;
  SIZE viewport_ext{1, 1};

  std::vector<std::uint8_t> scratch;  // shape masks
};

namespace plat {

// Handle tables: every live object and context, so stale handles are
// refused rather than followed.
GdiObject* NewObject(ObjKind kind);
GdiObject* AsObject(HGDIOBJ h);                // nullptr when not live
GdiObject* AsObject(HGDIOBJ h, ObjKind kind);  // nullptr when not live or of another kind
DeviceContext* NewDC();
DeviceContext* AsDC(HDC dc);
void FreeDC(DeviceContext* dc);
// Selection bookkeeping; `old` and `now` may be nullptr.
void Reselect(GdiObject*& slot, GdiObject* now);
GdiObject* StockObject(int which);

// Surface pixels are 0x00RRGGBB, colour references 0x00BBGGRR.
inline std::uint32_t PixelOf(COLORREF c) {
  return ((c & 0xffu) << 16) | (c & 0xff00u) | ((c >> 16) & 0xffu);
}
inline COLORREF ColourOf(std::uint32_t p) {
  return ((p & 0xffu) << 16) | (p & 0xff00u) | ((p >> 16) & 0xffu);
}

// A colour reference as the context's display would show it: palette
// indices through the selected palette, and on displays of 8 bits or fewer
// the nearest colour the display has.
COLORREF ResolveColour(const DeviceContext* dc, COLORREF c);
inline std::uint32_t ResolvePixel(const DeviceContext* dc, COLORREF c) {
  return PixelOf(ResolveColour(dc, c));
}

// The surface rectangle a context may draw into (bounds, surface size and
// clip region together); empty when nothing can be drawn.
RECT DrawableRect(const DeviceContext* dc);

inline bool RectEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
RECT IntersectRects(const RECT& a, const RECT& b);

}  // namespace plat
