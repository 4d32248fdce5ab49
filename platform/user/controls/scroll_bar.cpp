// The scroll bars drawn inside controls: arrows, track and thumb, and the
// position a press or a drag gives.
#include "platform/user/controls/scroll_bar.h"

#include <algorithm>

namespace plat::ctl {

void VScroll::clamp() {
  if (first > max_first()) first = max_first();
  if (first < 0) first = 0;
}

RECT scroll_rect(const RECT& c) { return RECT{c.right - kScrollWidth, c.top, c.right, c.bottom}; }

namespace {
struct ScrollParts {
  RECT up, down, track, thumb;
};

ScrollParts parts_of(const RECT& bar, const VScroll& s) {
  ScrollParts p;
  int h = bar.bottom - bar.top;
  int arrow = std::min(kScrollWidth, h / 2);
  p.up = RECT{bar.left, bar.top, bar.right, bar.top + arrow};
  p.down = RECT{bar.left, bar.bottom - arrow, bar.right, bar.bottom};
  p.track = RECT{bar.left, p.up.bottom, bar.right, p.down.top};
  int track_h = p.track.bottom - p.track.top;
  p.thumb = RECT{};
  if (s.needed() && track_h > 8) {
    int th = std::max(8, track_h * s.page / std::max(1, s.count));
    th = std::min(th, track_h);
    int range = track_h - th;
    int ty = p.track.top + (s.max_first() ? static_cast<int>(static_cast<long long>(range) * s.first / s.max_first()) : 0);
    p.thumb = RECT{bar.left, ty, bar.right, ty + th};
  }
  return p;
}

// A horizontal bar is handled as the vertical one with x and y exchanged.
RECT transposed(const RECT& r) { return RECT{r.top, r.left, r.bottom, r.right}; }
POINT transposed(POINT p) { return POINT{p.y, p.x}; }

void draw_side_arrow(HDC dc, const RECT& r, bool left, bool enabled) {
  fill(dc, r, sys_colour(COLOR_BTNFACE));
  draw_button_edge(dc, r, false);
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2 - 1;
  COLORREF c = sys_colour(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  for (int i = 0; i < 4; ++i) {
    int x = left ? cx - 2 + i : cx + 1 - i;
    vline(dc, x, cy - i, cy + i + 1, c);
  }
}

void draw_arrow(HDC dc, const RECT& r, bool up, bool enabled) {
  fill(dc, r, sys_colour(COLOR_BTNFACE));
  draw_button_edge(dc, r, false);
  int cx = (r.left + r.right) / 2 - 1, cy = (r.top + r.bottom) / 2;
  COLORREF c = sys_colour(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  for (int i = 0; i < 4; ++i) {
    int y = up ? cy - 2 + i : cy + 1 - i;
    hline(dc, cx - i, cx + i + 1, y, c);
  }
}
}  // namespace

void draw_vscroll(HDC dc, const RECT& bar, const VScroll& s) {
  ScrollParts p = parts_of(bar, s);
  // The track in the classic checked pattern of light and face colours.
  fill(dc, p.track, sys_colour(COLOR_3DLIGHT));
  draw_arrow(dc, p.up, true, s.needed());
  draw_arrow(dc, p.down, false, s.needed());
  if (!IsRectEmpty(&p.thumb)) {
    fill(dc, p.thumb, sys_colour(COLOR_BTNFACE));
    draw_button_edge(dc, p.thumb, false);
  }
}

bool vscroll_press(const RECT& bar, VScroll& s, POINT pt) {
  ScrollParts p = parts_of(bar, s);
  int before = s.first;
  if (PtInRect(&p.up, pt)) s.first -= 1;
  else if (PtInRect(&p.down, pt)) s.first += 1;
  else if (PtInRect(&p.thumb, pt)) {
    s.dragging = true;
    s.drag_offset = pt.y - p.thumb.top;
  } else if (PtInRect(&p.track, pt)) {
    s.first += pt.y < p.thumb.top ? -s.page : s.page;
  }
  s.clamp();
  return s.first != before;
}

bool vscroll_drag(const RECT& bar, VScroll& s, POINT pt) {
  if (!s.dragging) return false;
  ScrollParts p = parts_of(bar, s);
  int track_h = p.track.bottom - p.track.top;
  int th = p.thumb.bottom - p.thumb.top;
  int range = track_h - th;
  int before = s.first;
  if (range > 0) {
    int top = pt.y - s.drag_offset - p.track.top;
    s.first = static_cast<int>((static_cast<long long>(top) * s.max_first() + range / 2) / range);
  }
  s.clamp();
  return s.first != before;
}

void draw_hscroll(HDC dc, const RECT& bar, const VScroll& s) {
  ScrollParts p = parts_of(transposed(bar), s);
  fill(dc, transposed(p.track), sys_colour(COLOR_3DLIGHT));
  draw_side_arrow(dc, transposed(p.up), true, s.needed());
  draw_side_arrow(dc, transposed(p.down), false, s.needed());
  if (!IsRectEmpty(&p.thumb)) {
    const RECT thumb = transposed(p.thumb);
    fill(dc, thumb, sys_colour(COLOR_BTNFACE));
    draw_button_edge(dc, thumb, false);
  }
}

bool hscroll_press(const RECT& bar, VScroll& s, POINT pt) { return vscroll_press(transposed(bar), s, transposed(pt)); }

bool hscroll_drag(const RECT& bar, VScroll& s, POINT pt) { return vscroll_drag(transposed(bar), s, transposed(pt)); }

}  // namespace plat::ctl
