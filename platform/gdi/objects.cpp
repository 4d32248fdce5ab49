// Handle tables, stock objects, pens and brushes, selection and deletion.
#include "platform/gdi/objects.h"

#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/gdi_private.h"
#include "platform/gdi/region.h"
#include "platform/gdi/text.h"

namespace plat {

// ---- Handle tables --------------------------------------------------------

namespace {

struct Tables {
  std::unordered_map<GdiObject*, std::unique_ptr<GdiObject>> objects;
  std::unordered_map<DeviceContext*, std::unique_ptr<DeviceContext>> dcs;
  std::unordered_map<int, GdiObject*> stock;
};

Tables& tables() {
  static Tables t;
  return t;
}

}  // namespace

GdiObject* NewObject(ObjKind kind) {
  auto o = std::make_unique<GdiObject>();
  o->kind = kind;
  GdiObject* p = o.get();
  tables().objects.emplace(p, std::move(o));
  return p;
}

GdiObject* AsObject(HGDIOBJ h) {
  if (h == nullptr) return nullptr;
  auto& m = tables().objects;
  return m.find(h) == m.end() ? nullptr : h;
}

GdiObject* AsObject(HGDIOBJ h, ObjKind kind) {
  GdiObject* o = AsObject(h);
  return o != nullptr && o->kind == kind ? o : nullptr;
}

DeviceContext* NewDC() {
  auto d = std::make_unique<DeviceContext>();
  DeviceContext* p = d.get();
  tables().dcs.emplace(p, std::move(d));
  p->pen = StockObject(BLACK_PEN);
  p->brush = StockObject(WHITE_BRUSH);
  p->font = StockObject(SYSTEM_FONT);
  p->palette = StockObject(DEFAULT_PALETTE);
  for (GdiObject* o : {p->pen, p->brush, p->font, p->palette}) ++o->selected;
  return p;
}

DeviceContext* AsDC(HDC dc) {
  if (dc == nullptr) return nullptr;
  auto& m = tables().dcs;
  return m.find(dc) == m.end() ? nullptr : dc;
}

void FreeDC(DeviceContext* dc) {
  if (AsDC(dc) == nullptr) return;
  for (GdiObject** slot : {&dc->pen, &dc->brush, &dc->font, &dc->bitmap, &dc->palette}) Reselect(*slot, nullptr);
  tables().dcs.erase(dc);
}

void Reselect(GdiObject*& slot, GdiObject* now) {
  if (slot != nullptr && slot->selected > 0) --slot->selected;
  slot = now;
  if (now != nullptr) ++now->selected;
}

// ---- Stock objects --------------------------------------------------------

namespace {

GdiObject* make_stock(int which) {
  GdiObject* o = nullptr;
  auto brush = [&](int style, COLORREF c) {
    o = NewObject(ObjKind::Brush);
    o->style = style;
    o->colour = c;
  };
  auto pen = [&](int style, COLORREF c) {
    o = NewObject(ObjKind::Pen);
    o->style = style;
    o->colour = c;
  };
  auto font = [&](int height, int weight, int pitch_family, const char* face) {
    o = CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                    static_cast<DWORD>(pitch_family), face);
  };
  switch (which) {
    case WHITE_BRUSH: brush(BS_SOLID, RGB(255, 255, 255)); break;
    case LTGRAY_BRUSH: brush(BS_SOLID, RGB(192, 192, 192)); break;
    case GRAY_BRUSH: brush(BS_SOLID, RGB(128, 128, 128)); break;
    case DKGRAY_BRUSH: brush(BS_SOLID, RGB(64, 64, 64)); break;
    case BLACK_BRUSH: brush(BS_SOLID, RGB(0, 0, 0)); break;
    case NULL_BRUSH: brush(BS_NULL, 0); break;
    case WHITE_PEN: pen(PS_SOLID, RGB(255, 255, 255)); break;
    case BLACK_PEN: pen(PS_SOLID, RGB(0, 0, 0)); break;
    case NULL_PEN: pen(PS_NULL, 0); break;
    // The system font: a bold sans serif cell of 16 pixels; the fixed ones
    // 15 pixels of a monospaced face (8 pixels wide).
    case SYSTEM_FONT: font(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System"); break;
    case DEVICE_DEFAULT_FONT: font(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System"); break;
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT: font(15, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier New"); break;
    case ANSI_VAR_FONT: font(-12, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif"); break;
    case DEFAULT_GUI_FONT: font(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg"); break;
    case DEFAULT_PALETTE: {
      // The twenty colours every palette display keeps for itself.
      static const COLORREF kStatic[20] = {
          RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),
          RGB(0, 0, 128),     RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192),
          RGB(192, 220, 192), RGB(166, 202, 240), RGB(255, 251, 240), RGB(160, 160, 164),
          RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),     RGB(255, 255, 0),
          RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255)};
      o = NewObject(ObjKind::Palette);
      for (COLORREF c : kStatic)
        o->entries.push_back({static_cast<BYTE>(GetRValue(c)), static_cast<BYTE>(GetGValue(c)),
                              static_cast<BYTE>(GetBValue(c)), 0});
      break;
    }
    default: return nullptr;
  }
  if (o != nullptr) o->stock = true;
  return o;
}

}  // namespace

GdiObject* StockObject(int which) {
  auto& s = tables().stock;
  auto it = s.find(which);
  if (it != s.end()) return it->second;
  GdiObject* o = make_stock(which);
  if (o != nullptr) s.emplace(which, o);
  return o;
}

HGDIOBJ GetStockObject(int which) { return StockObject(which); }

// ---- Pens and brushes -----------------------------------------------------

HPEN CreatePen(int style, int width, COLORREF colour) {
  if (style < PS_SOLID || style > PS_INSIDEFRAME) return nullptr;
  GdiObject* o = NewObject(ObjKind::Pen);
  o->style = style == PS_INSIDEFRAME ? PS_SOLID : style;
  o->width = width < 1 ? 1 : width;
  // Styled pens are cosmetic: always one pixel wide.
  if (o->style != PS_SOLID) o->width = 1;
  o->colour = colour;
  return o;
}

HBRUSH CreateSolidBrush(COLORREF colour) {
  GdiObject* o = NewObject(ObjKind::Brush);
  o->style = BS_SOLID;
  o->colour = colour;
  return o;
}

HBRUSH CreateHatchBrush(int hatch, COLORREF colour) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
  GdiObject* o = NewObject(ObjKind::Brush);
  o->style = BS_HATCHED;
  o->hatch = hatch;
  o->colour = colour;
  return o;
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  GdiObject* b = AsObject(bitmap, ObjKind::Bitmap);
  if (b == nullptr || b->surface.width <= 0 || b->surface.height <= 0) return nullptr;
  GdiObject* o = NewObject(ObjKind::Brush);
  o->style = BS_PATTERN;
  // Bitmaps smaller than 8 x 8 repeat.
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      o->pattern[static_cast<std::size_t>(y * 8 + x)] = b->surface.row(y % b->surface.height)[x % b->surface.width];
  return o;
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb) {
  if (lb == nullptr) return nullptr;
  switch (lb->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(lb->lbColor);
    case BS_NULL: return GetStockObject(NULL_BRUSH);
    case BS_HATCHED: return CreateHatchBrush(static_cast<int>(lb->lbHatch), lb->lbColor);
    case BS_PATTERN: return CreatePatternBrush(reinterpret_cast<HBITMAP>(lb->lbHatch));
    default: return nullptr;
  }
}

// ---- Selection and deletion -----------------------------------------------

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
  DeviceContext* dc = AsDC(hdc);
  GdiObject* o = AsObject(object);
  if (dc == nullptr || o == nullptr) return nullptr;
  GdiObject* old = nullptr;
  switch (o->kind) {
    case ObjKind::Pen: old = dc->pen; Reselect(dc->pen, o); break;
    case ObjKind::Brush: old = dc->brush; Reselect(dc->brush, o); break;
    case ObjKind::Font: old = dc->font; Reselect(dc->font, o); break;
    case ObjKind::Bitmap: {
      // Only memory contexts take bitmaps, and a bitmap draws in one
      // context at a time.
      if (!dc->memory) return nullptr;
      if (o == dc->bitmap) return o;
      if (o->selected > 0) return nullptr;
      old = dc->bitmap;
      Reselect(dc->bitmap, o);
      dc->surface = &o->surface;
      dc->origin = {0, 0};
      dc->bounds = {0, 0, o->surface.width, o->surface.height};
      break;
    }
    case ObjKind::Region: {
      const int kind = SelectClipRgn(hdc, object);
      return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(kind));
    }
    case ObjKind::Palette: return nullptr;
  }
  return old;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT kind) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr) return nullptr;
  switch (kind) {
    case OBJ_PEN: return dc->pen;
    case OBJ_BRUSH: return dc->brush;
    case OBJ_FONT: return dc->font;
    case OBJ_BITMAP: return dc->bitmap;
    case OBJ_PAL: return dc->palette;
    default: return nullptr;
  }
}

BOOL DeleteObject(HGDIOBJ object) {
  GdiObject* o = AsObject(object);
  if (o == nullptr) return FALSE;
  if (o->stock) return TRUE;
  if (o->selected > 0) return FALSE;
  tables().objects.erase(o);
  return TRUE;
}

DWORD GetObjectType(HDC hdc) {
  DeviceContext* dc = AsDC(hdc);
  return dc == nullptr ? 0 : (dc->memory ? OBJ_MEMDC : OBJ_DC);
}

DWORD GetObjectType(HGDIOBJ object) {
  GdiObject* o = AsObject(object);
  if (o == nullptr) return 0;
  switch (o->kind) {
    case ObjKind::Pen: return OBJ_PEN;
    case ObjKind::Brush: return OBJ_BRUSH;
    case ObjKind::Font: return OBJ_FONT;
    case ObjKind::Bitmap: return OBJ_BITMAP;
    case ObjKind::Palette: return OBJ_PAL;
    case ObjKind::Region: return OBJ_REGION;
  }
  return 0;
}

}  // namespace plat
