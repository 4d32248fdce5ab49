// Window geometry: frame sizing (AdjustWindowRect), outer and client
// rectangles, coordinate mapping, moving and sizing, z-order, and showing,
// hiding, minimising, maximising and restoring.
#include <algorithm>

#include "platform/display/display.h"
#include "platform/user/desktop.h"
#include "platform/user/menu/menu.h"

namespace plat {

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exstyle) {
  if (!rect) return FALSE;
  FrameMetrics m = frame_metrics(style, exstyle, menu && !(style & WS_CHILD));
  rect->left -= m.border;
  rect->right += m.border;
  rect->top -= m.border + m.caption + m.menu;
  rect->bottom += m.border;
  return TRUE;
}

BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu) { return AdjustWindowRectEx(rect, style, menu, 0); }

void recompute_client(HWND hwnd) {
  LONG w = rect_width(hwnd->rect), h = rect_height(hwnd->rect);
  if (hwnd->style & WS_MINIMIZE) {
    hwnd->client = RECT{};
    return;
  }
  FrameMetrics m = frame_metrics(hwnd->style, hwnd->exstyle, hwnd->menu != nullptr && !hwnd->parent);
  // A menu bar too wide for the window wraps into more rows.
  if (m.menu) m.menu *= menu_bar_rows(hwnd, w - 2 * m.border);
  RECT c = make_rect(m.border, m.border + m.caption + m.menu, w - m.border, h - m.border);
  if (c.right < c.left) c.right = c.left;
  if (c.bottom < c.top) c.bottom = c.top;
  hwnd->client = c;
}

RECT window_rect_on_screen(HWND hwnd) {
  RECT r = hwnd->rect;
  if (hwnd->parent) {
    POINT o = client_origin_on_screen(hwnd->parent);
    r = rect_offset(r, o.x, o.y);
  }
  return r;
}

POINT client_origin_on_screen(HWND hwnd) {
  RECT r = window_rect_on_screen(hwnd);
  return POINT{r.left + hwnd->client.left, r.top + hwnd->client.top};
}

RECT window_rect_on_surface(HWND hwnd) {
  HWND top = top_level_of(hwnd);
  RECT s = window_rect_on_screen(hwnd);
  return rect_offset(s, -top->rect.left, -top->rect.top);
}

RECT visible_client_on_surface(HWND hwnd) {
  RECT w = window_rect_on_surface(hwnd);
  RECT r = rect_offset(hwnd->client, w.left, w.top);
  for (HWND p = hwnd->parent; p; p = p->parent) {
    RECT pw = window_rect_on_surface(p);
    r = rect_intersect(r, rect_offset(p->client, pw.left, pw.top));
  }
  return r;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  if (!IsWindow(hwnd) || !rect) return FALSE;
  *rect = make_rect(0, 0, rect_width(hwnd->client), rect_height(hwnd->client));
  return TRUE;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  if (!IsWindow(hwnd) || !rect) return FALSE;
  *rect = window_rect_on_screen(hwnd);
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* pt) {
  if (!IsWindow(hwnd) || !pt) return FALSE;
  POINT o = client_origin_on_screen(hwnd);
  pt->x += o.x;
  pt->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* pt) {
  if (!IsWindow(hwnd) || !pt) return FALSE;
  POINT o = client_origin_on_screen(hwnd);
  pt->x -= o.x;
  pt->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* pts, UINT count) {
  POINT a = from && IsWindow(from) ? client_origin_on_screen(from) : POINT{};
  POINT b = to && IsWindow(to) ? client_origin_on_screen(to) : POINT{};
  LONG dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; i < count; ++i) {
    pts[i].x += dx;
    pts[i].y += dy;
  }
  return static_cast<int>(MAKELPARAM(dx, dy));
}

namespace {

HWND deepest_child_at(HWND parent, POINT screen_pt) {
  for (HWND c : parent->children) {
    if (!(c->style & WS_VISIBLE)) continue;
    if (!point_in(window_rect_on_screen(c), screen_pt)) continue;
    // A window that calls itself transparent there (a group box, a label)
    // lets the point through to the windows behind it.
    if (SendMessageA(c, WM_NCHITTEST, 0, MAKELPARAM(screen_pt.x, screen_pt.y)) == HTTRANSPARENT) continue;
    POINT o = client_origin_on_screen(c);
    RECT cl = rect_offset(make_rect(0, 0, rect_width(c->client), rect_height(c->client)), o.x, o.y);
    if (point_in(cl, screen_pt) && !(c->style & WS_DISABLED)) return deepest_child_at(c, screen_pt);
    return c;
  }
  return parent;
}

}  // namespace

HWND WindowFromPoint(POINT pt) {
  for (HWND w : desktop().top_level) {
    if (!(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE)) continue;
    if (!point_in(w->rect, pt)) continue;
    POINT o = client_origin_on_screen(w);
    RECT cl = rect_offset(make_rect(0, 0, rect_width(w->client), rect_height(w->client)), o.x, o.y);
    if (!point_in(cl, pt)) return w;
    return deepest_child_at(w, pt);
  }
  return nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT client_pt) {
  if (!IsWindow(parent)) return nullptr;
  if (!point_in(make_rect(0, 0, rect_width(parent->client), rect_height(parent->client)), client_pt)) return nullptr;
  for (HWND c : parent->children)
    if (point_in(c->rect, client_pt)) return c;
  return parent;
}

void fit_surface(HWND hwnd) {
  Surface* s = hwnd->surface.get();
  if (!s) return;
  int w = rect_width(hwnd->rect), h = rect_height(hwnd->rect);
  if (s->width == w && s->height == h) return;
  Surface fresh;
  fresh.resize(w, h, 0x00ffffff);
  int cw = std::min(w, s->width), ch = std::min(h, s->height);
  for (int y = 0; y < ch; ++y) std::copy(s->row(y), s->row(y) + cw, fresh.row(y));
  *s = std::move(fresh);
}

void tell_host_geometry(HWND hwnd) {
  if (hwnd->shown_on_host && !hwnd->placed_by_host) display_window_geometry(hwnd, hwnd->rect);
}

void tell_host_z_order() {
  std::vector<HWND> shown;
  for (HWND w : desktop().top_level)
    if (w->shown_on_host) shown.push_back(w);
  display_z_order(shown.data(), static_cast<int>(shown.size()));
}

bool owned_by(HWND w, HWND owner) {
  for (HWND o = w ? w->owner : nullptr; o && IsWindow(o); o = o->owner) {
    o = top_level_of(o);
    if (o == owner) return true;
    if (o == w) return false;
  }
  return false;
}

HWND enabled_owned_popup(HWND owner) {
  for (HWND w : desktop().top_level)
    if (w != owner && (w->style & WS_VISIBLE) && !(w->style & (WS_DISABLED | WS_MINIMIZE)) && owned_by(w, owner))
      return w;
  return nullptr;
}

namespace {

// Windows owned by `owner` that lie behind it go in front of it, in their
// order: an owned window (a dialog, a box) stays above its owner whatever
// raises the owner.
void keep_owned_above(HWND owner) {
  std::vector<HWND>& v = desktop().top_level;
  auto at = std::find(v.begin(), v.end(), owner);
  if (at == v.end()) return;
  std::vector<HWND> behind;
  for (auto it = at + 1; it != v.end(); ++it)
    if (owned_by(*it, owner)) behind.push_back(*it);
  if (behind.empty()) return;
  v.erase(std::remove_if(at + 1, v.end(), [&](HWND w) { return owned_by(w, owner); }), v.end());
  v.insert(std::find(v.begin(), v.end(), owner), behind.begin(), behind.end());
}

void sync_host_visibility(HWND hwnd) {
  if (!is_top_level(hwnd)) return;
  bool want = (hwnd->style & WS_VISIBLE) && !(hwnd->style & WS_MINIMIZE);
  bool icon = (hwnd->style & WS_VISIBLE) && (hwnd->style & WS_MINIMIZE);
  if (icon && !hwnd->iconic_on_host) {
    hwnd->iconic_on_host = true;
    hwnd->shown_on_host = false;
    display_window_minimised(hwnd);
    tell_host_z_order();
    return;
  }
  if (!icon) hwnd->iconic_on_host = false;
  if (want && !hwnd->shown_on_host) {
    HostWindowInfo info;
    info.window = hwnd;
    info.title = hwnd->title;
    info.rect = hwnd->rect;
    info.topmost = (hwnd->exstyle & WS_EX_TOPMOST) != 0;
    info.popup = info.topmost && (hwnd->style & WS_POPUP) && (hwnd->style & WS_CAPTION) != WS_CAPTION;
    info.active = desktop().active == hwnd;
    if (hwnd->owner && IsWindow(hwnd->owner)) {
      info.owner = top_level_of(hwnd->owner);
      // A modal dialog or box disables its owner before it shows.
      info.modal = !IsWindowEnabled(info.owner);
    }
    hwnd->shown_on_host = true;
    display_window_shown(info);
    script_log("window shown: \"" + hwnd->title + "\"");
    tell_host_z_order();
  } else if (!want && !icon && (hwnd->shown_on_host || hwnd->iconic_on_host)) {
    hwnd->shown_on_host = false;
    hwnd->iconic_on_host = false;
    display_window_hidden(hwnd);
    tell_host_z_order();
  }
}

// A shown child that changed its place among its siblings: where it now
// lies in front of a sibling it passed, it is painted again (raised), or
// the siblings it went behind are (lowered).
void repaint_restacked(HWND hwnd, std::ptrdiff_t from, std::ptrdiff_t to) {
  const std::vector<HWND> sib = hwnd->parent->children;
  const RECT mine = window_rect_on_surface(hwnd);
  const std::ptrdiff_t lo = std::min(from, to), hi = std::max(from, to);
  for (std::ptrdiff_t i = lo; i <= hi; ++i) {
    HWND s = sib[static_cast<std::size_t>(i)];
    if (s == hwnd || !(s->style & WS_VISIBLE)) continue;
    const RECT overlap = rect_intersect(mine, window_rect_on_surface(s));
    if (rect_empty(overlap)) continue;
    invalidate_on_surface(to < from ? hwnd : s, overlap);
  }
}

void restack(HWND hwnd, HWND after, bool redraw = true) {
  std::vector<HWND>& sib = hwnd->parent ? hwnd->parent->children : desktop().top_level;
  const std::ptrdiff_t from = std::find(sib.begin(), sib.end(), hwnd) - sib.begin();
  const bool known = from < static_cast<std::ptrdiff_t>(sib.size());
  sib.erase(std::remove(sib.begin(), sib.end(), hwnd), sib.end());
  bool top = !hwnd->parent;
  if (top && after == HWND_TOPMOST) hwnd->exstyle |= WS_EX_TOPMOST;
  if (top && after == HWND_NOTOPMOST) hwnd->exstyle &= ~WS_EX_TOPMOST;
  auto pos = sib.begin();
  if (after == HWND_BOTTOM) {
    pos = sib.end();
  } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    if (top && !(hwnd->exstyle & WS_EX_TOPMOST))
      while (pos != sib.end() && ((*pos)->exstyle & WS_EX_TOPMOST)) ++pos;
  } else {
    auto it = std::find(sib.begin(), sib.end(), after);
    pos = it == sib.end() ? sib.begin() : it + 1;
  }
  const std::ptrdiff_t to = sib.insert(pos, hwnd) - sib.begin();
  if (top) {
    keep_owned_above(hwnd);
    tell_host_z_order();
    return;
  }
  if (!known || from == to) return;
  refresh_dc_placement(hwnd);
  if (redraw && really_visible(hwnd)) repaint_restacked(hwnd, from, to);
}

// The next visible, enabled top-level window to take activation when
// hwnd goes away: its owner first, then the frontmost other one.
HWND successor_of(HWND hwnd) {
  HWND o = hwnd->owner;
  if (o && IsWindow(o) && (o->style & WS_VISIBLE) && !(o->style & WS_DISABLED) && !(o->style & WS_MINIMIZE)) return o;
  for (HWND w : desktop().top_level)
    if (w != hwnd && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED) && !(w->style & WS_MINIMIZE)) return w;
  return nullptr;
}

// Apply a new outer rectangle; send WM_SIZE/WM_MOVE for what changed.
void apply_rect(HWND hwnd, RECT r, bool repaint, bool frame_changed) {
  RECT old = hwnd->rect;
  RECT old_client = hwnd->client;
  RECT old_on_surface = window_rect_on_surface(hwnd);
  hwnd->rect = r;
  recompute_client(hwnd);
  bool moved = old.left != r.left || old.top != r.top;
  bool sized = rect_width(old) != rect_width(r) || rect_height(old) != rect_height(r);
  bool client_sized = rect_width(old_client) != rect_width(hwnd->client) ||
                      rect_height(old_client) != rect_height(hwnd->client);
  bool client_moved = moved || old_client.left != hwnd->client.left || old_client.top != hwnd->client.top;
  if (hwnd->surface) fit_surface(hwnd);
  refresh_dc_placement(hwnd);
  if (is_top_level(hwnd) && (moved || sized)) tell_host_geometry(hwnd);
  if (repaint && really_visible(hwnd)) {
    if (is_top_level(hwnd)) {
      if (sized || frame_changed) invalidate_frame(hwnd), invalidate_client(hwnd, nullptr, true, true);
    } else if (moved || sized || frame_changed) {
      // The pixels of a child live in its top-level window's surface: the
      // parent repaints where the child was, the child repaints itself.
      HWND p = hwnd->parent;
      RECT pw = window_rect_on_surface(p);
      RECT in_parent = rect_offset(old_on_surface, -(pw.left + p->client.left), -(pw.top + p->client.top));
      invalidate_client(p, &in_parent, true, false);
      invalidate_behind(hwnd, old_on_surface);
      invalidate_frame(hwnd);
      invalidate_client(hwnd, nullptr, true, true);
    }
  }
  if (client_sized || sized) {
    WPARAM kind = (hwnd->style & WS_MINIMIZE) ? SIZE_MINIMIZED : (hwnd->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
    SendMessageA(hwnd, WM_SIZE, kind, MAKELPARAM(rect_width(hwnd->client), rect_height(hwnd->client)));
  }
  if (IsWindow(hwnd) && client_moved)
    SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(hwnd->rect.left + hwnd->client.left, hwnd->rect.top + hwnd->client.top));
}

// Back from minimised (or maximised) to `r`. A window minimised at the same
// size shows the pixels it had at once, its frame drawn again; nothing
// could draw into it while it was an icon, and the program redraws when
// it can (it is told of the new size). Any other change repaints.
void restore_rect(HWND hwnd, RECT r) {
  std::unique_ptr<Surface> kept = std::move(hwnd->kept_while_iconic);
  const bool same_size = kept && kept->width == rect_width(r) && kept->height == rect_height(r);
  if (!same_size || !hwnd->surface) {
    apply_rect(hwnd, r, true, true);
    return;
  }
  apply_rect(hwnd, r, false, true);
  if (!IsWindow(hwnd) || !hwnd->surface) return;
  if (hwnd->surface->width == kept->width && hwnd->surface->height == kept->height) *hwnd->surface = *kept;
  hwnd->dirty = true;
  if (really_visible(hwnd)) invalidate_frame(hwnd);
}

void set_visible(HWND hwnd, bool show) {
  if (show) {
    hwnd->style |= WS_VISIBLE;
    if (really_visible(hwnd)) {
      invalidate_frame(hwnd);
      invalidate_client(hwnd, nullptr, true, true);
    }
  } else {
    hwnd->style &= ~WS_VISIBLE;
    focus_lost_with(hwnd);
    if (hwnd->parent && really_visible(hwnd->parent)) {
      HWND p = hwnd->parent;
      RECT in_parent = hwnd->rect;  // parent-client coordinates already
      invalidate_client(p, &in_parent, true, false);
      invalidate_behind(hwnd, window_rect_on_surface(hwnd));
    }
  }
  // Device contexts taken while hidden draw once it shows, and not after it hides.
  refresh_dc_placement(hwnd);
  sync_host_visibility(hwnd);
}

RECT maximised_rect(HWND hwnd) {
  if (hwnd->parent) {
    RECT r;
    GetClientRect(hwnd->parent, &r);
    return r;
  }
  return make_rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

// Space between two minimised windows arranged in a row.
constexpr LONG kIconGap = 2;

RECT iconic_rect(HWND hwnd) {
  FrameMetrics m = frame_metrics(hwnd->style, hwnd->exstyle, false);
  LONG h = 2 * m.border + (m.caption ? m.caption : GetSystemMetrics(SM_CYCAPTION));
  return make_rect(hwnd->normal_rect.left, hwnd->normal_rect.top, hwnd->normal_rect.left + 160,
                   hwnd->normal_rect.top + h);
}

}  // namespace

BOOL SetWindowPos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags) {
  if (!IsWindow(hwnd)) return FALSE;
  if (!(flags & SWP_NOZORDER)) restack(hwnd, after, !(flags & SWP_NOREDRAW));
  if (flags & SWP_HIDEWINDOW) {
    if (hwnd->style & WS_VISIBLE) {
      bool was_active = desktop().active == hwnd;
      set_visible(hwnd, false);
      if (was_active && IsWindow(hwnd)) {
        HWND next = successor_of(hwnd);
        if (next) activate_window(next, WA_ACTIVE);
        else activate_window(nullptr, WA_INACTIVE);
      }
    }
  }
  if (!IsWindow(hwnd)) return FALSE;
  RECT r = hwnd->rect;
  if (!(flags & SWP_NOMOVE)) r = make_rect(x, y, x + rect_width(r), y + rect_height(r));
  if (!(flags & SWP_NOSIZE)) r.right = r.left + std::max(0, cx), r.bottom = r.top + std::max(0, cy);
  bool frame = (flags & SWP_FRAMECHANGED) != 0;
  if (!(hwnd->style & (WS_MINIMIZE | WS_MAXIMIZE))) hwnd->normal_rect = r;
  apply_rect(hwnd, r, !(flags & SWP_NOREDRAW), frame);
  if (!IsWindow(hwnd)) return FALSE;
  if ((flags & SWP_SHOWWINDOW) && !(hwnd->style & WS_VISIBLE)) set_visible(hwnd, true);
  if (!(flags & SWP_NOACTIVATE) && is_top_level(hwnd) && (hwnd->style & WS_VISIBLE) &&
      !(hwnd->style & WS_MINIMIZE) && desktop().active != hwnd)
    activate_window(hwnd, WA_ACTIVE);
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) {
  if (!IsWindow(hwnd)) return FALSE;
  restack(hwnd, HWND_TOP);
  if (is_top_level(hwnd) && (hwnd->style & WS_VISIBLE) && desktop().active != hwnd)
    activate_window(hwnd, WA_ACTIVE);
  else if (hwnd->parent && really_visible(hwnd))
    invalidate_client(hwnd, nullptr, true, true);
  return TRUE;
}

UINT ArrangeIconicWindows(HWND parent) {
  if (!IsWindow(parent)) return 0;
  RECT c;
  GetClientRect(parent, &c);
  // Minimised children in a row along the bottom edge, from the left, in
  // window order; a full row starts a new one above it.
  std::vector<HWND> icons;
  for (HWND w : parent->children)
    if ((w->style & WS_MINIMIZE) && (w->style & WS_VISIBLE)) icons.push_back(w);
  std::reverse(icons.begin(), icons.end());  // children are kept front to back
  LONG x = c.left;
  LONG bottom = c.bottom;
  LONG rowheight = 0;
  for (HWND w : icons) {
    RECT r = iconic_rect(w);
    LONG iw = rect_width(r), ih = rect_height(r);
    if (x > c.left && x + iw > c.right) {
      x = c.left;
      bottom -= rowheight + kIconGap;
      rowheight = 0;
    }
    apply_rect(w, make_rect(x, bottom - ih, x + iw, bottom), true, false);
    if (!IsWindow(parent)) return 0;
    x += iw + kIconGap;
    rowheight = std::max(rowheight, ih);
  }
  return static_cast<UINT>(rowheight);
}

BOOL IsIconic(HWND hwnd) { return IsWindow(hwnd) && (hwnd->style & WS_MINIMIZE) ? TRUE : FALSE; }
BOOL IsZoomed(HWND hwnd) { return IsWindow(hwnd) && (hwnd->style & WS_MAXIMIZE) ? TRUE : FALSE; }

BOOL ShowWindow(HWND hwnd, int cmd) {
  if (!IsWindow(hwnd)) return FALSE;
  BOOL was_visible = (hwnd->style & WS_VISIBLE) ? TRUE : FALSE;
  Desktop& d = desktop();
  bool top = is_top_level(hwnd);

  if (cmd == SW_HIDE) {
    if (!was_visible) return FALSE;
    SendMessageA(hwnd, WM_SHOWWINDOW, FALSE, 0);
    if (IsWindow(hwnd))
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return was_visible;
  }

  bool activate = top && (cmd == SW_SHOWNORMAL || cmd == SW_SHOW || cmd == SW_SHOWMAXIMIZED ||
                          cmd == SW_RESTORE || cmd == SW_SHOWDEFAULT || cmd == SW_SHOWMINIMIZED);
  if (!was_visible) {
    SendMessageA(hwnd, WM_SHOWWINDOW, TRUE, 0);
    if (!IsWindow(hwnd)) return FALSE;
  }

  switch (cmd) {
    case SW_SHOWMAXIMIZED:
      if (!(hwnd->style & WS_MAXIMIZE)) {
        if (!(hwnd->style & WS_MINIMIZE)) hwnd->normal_rect = hwnd->rect;
        hwnd->style = (hwnd->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
        hwnd->style |= WS_VISIBLE;
        sync_host_visibility(hwnd);
        apply_rect(hwnd, maximised_rect(hwnd), true, true);
      }
      break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
      if (!(hwnd->style & WS_MINIMIZE)) {
        hwnd->restore_maximized = (hwnd->style & WS_MAXIMIZE) != 0;
        if (!(hwnd->style & WS_MAXIMIZE)) hwnd->normal_rect = hwnd->rect;
        hwnd->style = (hwnd->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
        hwnd->style |= WS_VISIBLE;
        focus_lost_with(hwnd);
        sync_host_visibility(hwnd);
        if (hwnd->surface) hwnd->kept_while_iconic = std::make_unique<Surface>(*hwnd->surface);
        apply_rect(hwnd, iconic_rect(hwnd), true, true);
        if (IsWindow(hwnd) && top && d.active == hwnd) {
          HWND next = successor_of(hwnd);
          activate_window(next, WA_ACTIVE);
        }
        activate = false;
      }
      break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
      if (hwnd->style & (WS_MINIMIZE | WS_MAXIMIZE)) {
        bool to_max = (hwnd->style & WS_MINIMIZE) && hwnd->restore_maximized && cmd == SW_RESTORE;
        hwnd->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
        hwnd->style |= WS_VISIBLE;
        if (to_max) hwnd->style |= WS_MAXIMIZE;
        hwnd->restore_maximized = false;
        sync_host_visibility(hwnd);
        restore_rect(hwnd, to_max ? maximised_rect(hwnd) : hwnd->normal_rect);
      }
      break;
    default:
      break;
  }
  if (!IsWindow(hwnd)) return was_visible;
  if (!(hwnd->style & WS_VISIBLE)) set_visible(hwnd, true);
  if (activate && IsWindow(hwnd) && !(hwnd->style & WS_MINIMIZE)) {
    restack(hwnd, HWND_TOP);
    if (d.active != hwnd) activate_window(hwnd, WA_ACTIVE);
  }
  return was_visible;
}

}  // namespace plat
