// Rectangular regions and the clip region of a context.
#include "platform/gdi/region.h"

#include <algorithm>

#include "platform/gdi/gdi_private.h"

namespace plat {

namespace {

RECT ordered(int left, int top, int right, int bottom) {
  RECT r{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
  if (RectEmpty(r)) r = {0, 0, 0, 0};
  return r;
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  GdiObject* o = NewObject(ObjKind::Region);
  o->rect = ordered(left, top, right, bottom);
  return o;
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  if (rect == nullptr) return nullptr;
  return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
  GdiObject* o = AsObject(region, ObjKind::Region);
  if (o == nullptr) return FALSE;
  o->rect = ordered(left, top, right, bottom);
  return TRUE;
}

int GetRgnBox(HRGN region, RECT* box) {
  GdiObject* o = AsObject(region, ObjKind::Region);
  if (o == nullptr || box == nullptr) return ERROR;
  *box = o->rect;
  return RectEmpty(o->rect) ? NULLREGION : SIMPLEREGION;
}

int SelectClipRgn(HDC hdc, HRGN region) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr) return ERROR;
  if (region == nullptr) {
    dc->has_clip = false;
    return SIMPLEREGION;
  }
  GdiObject* o = AsObject(region, ObjKind::Region);
  if (o == nullptr) return ERROR;
  dc->has_clip = true;
  dc->clip = o->rect;
  return RectEmpty(o->rect) ? NULLREGION : SIMPLEREGION;
}

int GetClipBox(HDC hdc, RECT* box) {
  DeviceContext* dc = AsDC(hdc);
  if (dc == nullptr || box == nullptr) return ERROR;
  const RECT r = DrawableRect(dc);
  if (RectEmpty(r)) {
    *box = {0, 0, 0, 0};
    return NULLREGION;
  }
  *box = {r.left - dc->origin.x, r.top - dc->origin.y, r.right - dc->origin.x, r.bottom - dc->origin.y};
  return SIMPLEREGION;
}

}  // namespace plat
