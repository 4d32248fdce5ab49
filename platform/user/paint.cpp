// Painting by invalidation: each window keeps the rectangle of its client
// that needs repainting (and whether its background needs erasing, and
// whether its frame needs drawing). The queue produces WM_PAINT for it
// only when nothing else waits. Device contexts are placed on the
// top-level window's surface; the window manager moves them whenever the
// window moves or changes size.
#include <strings.h>

#include <algorithm>

#include "platform/display/display.h"
#include "platform/user/controls/controls.h"
#include "platform/user/desktop.h"

namespace plat {

namespace {

RECT client_box(HWND hwnd) { return make_rect(0, 0, rect_width(hwnd->client), rect_height(hwnd->client)); }

DcUse* find_use(HDC dc) {
  for (DcUse& u : desktop().dc_uses)
    if (u.dc == dc) return &u;
  return nullptr;
}

bool kept_on_top(HWND w) {
  const std::vector<HWND>& v = desktop().kept_on_top;
  return std::find(v.begin(), v.end(), w) != v.end();
}

// A window that hides what lies behind it: shown, and not a group box
// (only a frame and a title around the controls it groups).
bool opaque(HWND w) {
  if (!(w->style & WS_VISIBLE)) return false;
  return !(w->cls && strcasecmp(w->cls->name.c_str(), "BUTTON") == 0 && (w->style & BS_TYPEMASK) == BS_GROUPBOX);
}

// The parts of `bounds` (surface coordinates) that windows in front of the
// context's window cover: siblings in front of it or of any of its
// ancestors, its own children when it clips them, and the windows kept in
// front of all others.
std::vector<RECT> covered_parts(HWND w, RECT bounds) {
  std::vector<RECT> holes;
  if (rect_empty(bounds)) return holes;
  auto add = [&](HWND s) {
    const RECT r = rect_intersect(window_rect_on_surface(s), bounds);
    if (!rect_empty(r)) holes.push_back(r);
  };
  for (HWND c = w; c->parent; c = c->parent) {
    if (kept_on_top(c)) break;  // nothing lies in front of it
    for (HWND s : c->parent->children) {
      if (s == c) break;  // siblings are kept front to back
      if (opaque(s)) add(s);
    }
  }
  if (w->style & WS_CLIPCHILDREN)
    for (HWND c : w->children)
      if (opaque(c)) add(c);
  for (HWND k : desktop().kept_on_top)
    if (k != w && IsWindow(k) && !IsChild(k, w) && top_level_of(k) == top_level_of(w) && really_visible(k)) add(k);
  return holes;
}

void place(const DcUse& u) {
  HWND w = u.hwnd;
  HWND top = top_level_of(w);
  Surface* s = top->surface.get();
  RECT wr = window_rect_on_surface(w);
  POINT origin;
  RECT bounds;
  if (u.whole_window) {
    origin = POINT{wr.left, wr.top};
    bounds = wr;
    if (w->parent) bounds = rect_intersect(bounds, visible_client_on_surface(w->parent));
  } else {
    origin = POINT{wr.left + w->client.left, wr.top + w->client.top};
    bounds = visible_client_on_surface(w);
    if (u.paint) bounds = rect_intersect(bounds, rect_offset(u.clip, origin.x, origin.y));
  }
  if (!really_visible(w) || (w->style & WS_MINIMIZE)) bounds = RECT{};
  SetSurfaceDCPlacement(u.dc, s, origin, bounds);
  SetSurfaceDCHoles(u.dc, covered_parts(w, bounds));
}

HDC hand_out(HWND hwnd, bool whole, bool paint, RECT clip) {
  HWND top = top_level_of(hwnd);
  DcUse u;
  u.hwnd = hwnd;
  u.whole_window = whole;
  u.paint = paint;
  u.clip = clip;
  u.dc = CreateSurfaceDC(top->surface.get(), POINT{}, RECT{});
  if (!u.dc) return nullptr;
  place(u);
  desktop().dc_uses.push_back(u);
  hwnd->dcs.push_back(u.dc);
  top->dirty = true;
  return u.dc;
}

void release(HDC dc) {
  auto& v = desktop().dc_uses;
  for (auto it = v.begin(); it != v.end(); ++it) {
    if (it->dc != dc) continue;
    HWND w = it->hwnd;
    w->dcs.erase(std::remove(w->dcs.begin(), w->dcs.end(), dc), w->dcs.end());
    top_level_of(w)->dirty = true;
    v.erase(it);
    DeleteSurfaceDC(dc);
    return;
  }
}

// Paint order: top-level windows front to back, each window before its children.
HWND first_needing_paint(HWND w) {
  if (!(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE)) return nullptr;
  if (w->frame_pending || w->has_update) return w;
  for (HWND c : w->children)
    if (HWND p = first_needing_paint(c)) return p;
  return nullptr;
}

}  // namespace

void refresh_dc_placement(HWND hwnd) {
  // A window that moves, shows, hides or changes place in the stack also
  // changes what the other windows of its top-level window may draw on.
  HWND top = top_level_of(hwnd);
  for (const DcUse& u : desktop().dc_uses)
    if (top_level_of(u.hwnd) == top) place(u);
}

void forget_dcs(HWND hwnd) {
  std::vector<HDC> mine = hwnd->dcs;
  for (HDC dc : mine) release(dc);
}

HWND next_window_to_paint() {
  for (HWND w : desktop().top_level)
    if (HWND p = first_needing_paint(w)) return p;
  return nullptr;
}

void invalidate_frame(HWND hwnd) {
  FrameMetrics m = frame_metrics(hwnd->style, hwnd->exstyle, hwnd->menu && !hwnd->parent);
  if (m.border || m.caption || m.menu) hwnd->frame_pending = true;
}

void invalidate_client(HWND hwnd, const RECT* rect, bool erase, bool children) {
  RECT r = client_box(hwnd);
  if (rect) r = rect_intersect(r, *rect);
  if (rect_empty(r)) return;
  hwnd->update = hwnd->has_update ? rect_union(hwnd->update, r) : r;
  hwnd->has_update = true;
  if (erase) hwnd->erase_pending = true;
  if (!children) return;
  for (HWND c : hwnd->children) {
    if (!(c->style & WS_VISIBLE)) continue;
    RECT in_child = rect_intersect(r, c->rect);
    if (rect_empty(in_child)) continue;
    in_child = rect_offset(in_child, -(c->rect.left + c->client.left), -(c->rect.top + c->client.top));
    invalidate_frame(c);
    invalidate_client(c, &in_child, erase, true);
  }
}

void invalidate_on_surface(HWND w, RECT area) {
  const RECT wr = window_rect_on_surface(w);
  if (rect_empty(rect_intersect(wr, area))) return;
  invalidate_frame(w);
  const RECT local = rect_offset(area, -(wr.left + w->client.left), -(wr.top + w->client.top));
  invalidate_client(w, &local, true, true);
}

void invalidate_behind(HWND hwnd, RECT area) {
  if (!hwnd->parent) return;
  const std::vector<HWND>& sib = hwnd->parent->children;
  auto it = std::find(sib.begin(), sib.end(), hwnd);
  if (it == sib.end()) return;
  for (++it; it != sib.end(); ++it)
    if ((*it)->style & WS_VISIBLE) invalidate_on_surface(*it, area);
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (!hwnd) {
    for (HWND w : desktop().top_level) InvalidateRect(w, nullptr, erase);
    return TRUE;
  }
  if (!IsWindow(hwnd)) return FALSE;
  // Without WS_CLIPCHILDREN a parent's paint covers its children, which
  // then paint again over it; with it they are left alone.
  invalidate_client(hwnd, rect, erase != FALSE, !(hwnd->style & WS_CLIPCHILDREN));
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  if (!IsWindow(hwnd)) return FALSE;
  if (!rect) {
    hwnd->has_update = false;
    hwnd->erase_pending = false;
    hwnd->update = RECT{};
    return TRUE;
  }
  if (!hwnd->has_update) return TRUE;
  // A rectangle can only shrink by a whole band; a hole is kept as update.
  RECT u = hwnd->update, v = rect_intersect(*rect, u);
  if (rect_empty(v)) return TRUE;
  if (v.left <= u.left && v.right >= u.right) {
    if (v.top <= u.top) u.top = std::max(u.top, v.bottom);
    else if (v.bottom >= u.bottom) u.bottom = std::min(u.bottom, v.top);
  } else if (v.top <= u.top && v.bottom >= u.bottom) {
    if (v.left <= u.left) u.left = std::max(u.left, v.right);
    else if (v.right >= u.right) u.right = std::min(u.right, v.left);
  }
  if (rect_empty(u)) return ValidateRect(hwnd, nullptr);
  hwnd->update = u;
  return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN, UINT flags) {
  if (!IsWindow(hwnd)) return FALSE;
  if (flags & RDW_INVALIDATE) {
    if (flags & RDW_FRAME) invalidate_frame(hwnd);
    invalidate_client(hwnd, rect, (flags & RDW_ERASE) != 0, (flags & RDW_ALLCHILDREN) != 0);
  }
  if (flags & RDW_VALIDATE) ValidateRect(hwnd, rect);
  if (flags & RDW_UPDATENOW) UpdateWindow(hwnd);
  return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) return FALSE;
  if (!really_visible(hwnd)) return TRUE;
  if (hwnd->frame_pending && !hwnd->has_update) {
    hwnd->frame_pending = false;
    SendMessageA(hwnd, WM_NCPAINT, 1, 0);
  }
  if (IsWindow(hwnd) && hwnd->has_update) SendMessageA(hwnd, WM_PAINT, 0, 0);
  // Whatever was drawn is shown now, even if the program does not pump
  // messages for a while.
  if (IsWindow(hwnd)) {
    present_window(top_level_of(hwnd));
  }
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase) {
  if (!IsWindow(hwnd)) return FALSE;
  if (rect) *rect = hwnd->has_update ? hwnd->update : RECT{};
  if (erase && hwnd->has_update && hwnd->erase_pending) {
    HDC dc = GetDC(hwnd);
    hwnd->erase_pending = false;
    if (dc) {
      SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
      ReleaseDC(hwnd, dc);
    }
  }
  return hwnd->has_update ? TRUE : FALSE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
  if (!IsWindow(hwnd) || !ps) return nullptr;
  *ps = PAINTSTRUCT{};
  if (hwnd->frame_pending) {
    hwnd->frame_pending = false;
    SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    if (!IsWindow(hwnd)) return nullptr;
  }
  RECT area = hwnd->has_update ? hwnd->update : RECT{};
  bool erase = hwnd->erase_pending;
  hwnd->has_update = false;
  hwnd->erase_pending = false;
  hwnd->update = RECT{};
  // A parent that clips its children leaves out a child that covers the
  // whole area (a frame whose client window fills it paints nothing).
  if (hwnd->style & WS_CLIPCHILDREN) {
    for (HWND c : hwnd->children) {
      if (!(c->style & WS_VISIBLE)) continue;
      const RECT& cr = c->rect;
      if (cr.left <= area.left && cr.top <= area.top && cr.right >= area.right && cr.bottom >= area.bottom) {
        area = RECT{};
        break;
      }
    }
  }
  ps->rcPaint = area;
  ps->hdc = hand_out(hwnd, false, true, area);
  ps->fErase = TRUE;
  if (erase && ps->hdc && !rect_empty(area))
    ps->fErase = SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps->hdc), 0) ? FALSE : TRUE;
  else if (!erase)
    ps->fErase = FALSE;
  return ps->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  if (!ps || !ps->hdc) return FALSE;
  if (find_use(ps->hdc)) release(ps->hdc);
  return TRUE;
}

void keep_on_top(HWND hwnd, bool on) {
  std::vector<HWND>& v = desktop().kept_on_top;
  v.erase(std::remove(v.begin(), v.end(), hwnd), v.end());
  if (on && IsWindow(hwnd)) v.push_back(hwnd);
  if (IsWindow(hwnd)) refresh_dc_placement(hwnd);
}

HDC GetDC(HWND hwnd) {
  if (!hwnd) return nullptr;  // the screen itself is not drawn on
  if (!IsWindow(hwnd)) return nullptr;
  return hand_out(hwnd, false, false, RECT{});
}

HDC GetWindowDC(HWND hwnd) {
  if (!IsWindow(hwnd)) return nullptr;
  return hand_out(hwnd, true, false, RECT{});
}

int ReleaseDC(HWND, HDC dc) {
  if (!dc || !find_use(dc)) return 0;
  release(dc);
  return 1;
}

HWND WindowFromDC(HDC dc) {
  DcUse* u = find_use(dc);
  return u ? u->hwnd : nullptr;
}

}  // namespace plat
