// The scroll bars the controls draw inside themselves (lists, multi-line
// fields, dropped combo lists): the position they show, their parts, and
// what a press or a thumb drag on them does.
#pragma once

#include "platform/user/controls/control_common.h"

namespace plat::ctl {

// Lines first..first+page-1 of count are shown; the bar takes the right
// edge of the control.
struct VScroll {
  int count = 0;
  int page = 1;
  int first = 0;
  bool dragging = false;
  int drag_offset = 0;
  int max_first() const { return count > page ? count - page : 0; }
  bool needed() const { return count > page; }
  void clamp();
};
inline constexpr int kScrollWidth = 16;
RECT scroll_rect(const RECT& client);
void draw_vscroll(HDC dc, const RECT& bar, const VScroll& s);
// A press on the bar: scrolls a line or a page, or starts a thumb drag.
// Returns true when the position changed.
bool vscroll_press(const RECT& bar, VScroll& s, POINT pt);
bool vscroll_drag(const RECT& bar, VScroll& s, POINT pt);
// The same along a horizontal bar: `first` counts columns from the left.
void draw_hscroll(HDC dc, const RECT& bar, const VScroll& s);
bool hscroll_press(const RECT& bar, VScroll& s, POINT pt);
bool hscroll_drag(const RECT& bar, VScroll& s, POINT pt);

}  // namespace plat::ctl
