// Rectangle arithmetic (right and bottom exclusive), for the window
// manager and for callers.
#include <algorithm>

#include "platform/user/desktop.h"

namespace plat {

RECT make_rect(LONG l, LONG t, LONG r, LONG b) {
  RECT x;
  x.left = l;
  x.top = t;
  x.right = r;
  x.bottom = b;
  return x;
}
bool rect_empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
RECT rect_intersect(const RECT& a, const RECT& b) {
  RECT r = make_rect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                     std::min(a.bottom, b.bottom));
  if (rect_empty(r)) return RECT{};
  return r;
}
RECT rect_union(const RECT& a, const RECT& b) {
  if (rect_empty(a)) return b;
  if (rect_empty(b)) return a;
  return make_rect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                   std::max(a.bottom, b.bottom));
}
RECT rect_offset(RECT r, LONG dx, LONG dy) {
  r.left += dx;
  r.right += dx;
  r.top += dy;
  r.bottom += dy;
  return r;
}
bool point_in(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }
LONG rect_width(const RECT& r) { return r.right - r.left; }
LONG rect_height(const RECT& r) { return r.bottom - r.top; }

BOOL SetRect(RECT* r, int left, int top, int right, int bottom) {
  if (!r) return FALSE;
  *r = make_rect(left, top, right, bottom);
  return TRUE;
}
BOOL SetRectEmpty(RECT* r) {
  if (!r) return FALSE;
  *r = RECT{};
  return TRUE;
}
BOOL CopyRect(RECT* dst, const RECT* src) {
  if (!dst || !src) return FALSE;
  *dst = *src;
  return TRUE;
}
BOOL IsRectEmpty(const RECT* r) { return !r || rect_empty(*r); }
BOOL PtInRect(const RECT* r, POINT pt) { return r && point_in(*r, pt); }
BOOL OffsetRect(RECT* r, int dx, int dy) {
  if (!r) return FALSE;
  *r = rect_offset(*r, dx, dy);
  return TRUE;
}
BOOL InflateRect(RECT* r, int dx, int dy) {
  if (!r) return FALSE;
  r->left -= dx;
  r->right += dx;
  r->top -= dy;
  r->bottom += dy;
  return TRUE;
}
BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b) {
  if (!dst || !a || !b) return FALSE;
  *dst = rect_intersect(*a, *b);
  return !rect_empty(*dst);
}
BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b) {
  if (!dst || !a || !b) return FALSE;
  *dst = rect_union(*a, *b);
  return !rect_empty(*dst);
}
BOOL EqualRect(const RECT* a, const RECT* b) {
  return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

}  // namespace plat
