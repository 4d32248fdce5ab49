// The non-client area's layout: how thick the border is for a style, where
// the caption, its boxes (system menu, minimise, maximise, close) and the
// menu bar lie, and which part a screen point hits. Drawing is in
// nonclient_draw.cpp.
#include "platform/user/desktop.h"
#include "platform/user/menu/menu.h"

namespace plat {

namespace {
constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 14;
constexpr int kCornerGrip = 16;  // a sizing border's corner reaches this far along each edge

bool has_caption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

// Frame-relative placement of the caption for a window (surface
// coordinates are that plus the window's offset on the surface).
RECT caption_in_frame(HWND hwnd) {
  if (!has_caption(hwnd->style)) return RECT{};
  FrameMetrics m = frame_metrics(hwnd->style, hwnd->exstyle, false);
  LONG w = rect_width(hwnd->rect);
  return make_rect(m.border, m.border, w - m.border, m.border + m.caption - 1);
}

RECT on_surface(HWND hwnd, RECT frame_relative) {
  if (rect_empty(frame_relative)) return RECT{};
  RECT wr = window_rect_on_surface(hwnd);
  return rect_offset(frame_relative, wr.left, wr.top);
}

RECT button_slot(HWND hwnd, int from_right) {
  RECT c = caption_in_frame(hwnd);
  if (rect_empty(c) || !(hwnd->style & WS_SYSMENU)) return RECT{};
  LONG top = c.top + (rect_height(c) - kButtonHeight) / 2;
  LONG right = c.right - 2;
  // Close box, a gap of two, then maximise and minimise side by side.
  if (from_right >= 1) right -= kButtonWidth + 2;
  if (from_right >= 2) right -= kButtonWidth;
  RECT b = make_rect(right - kButtonWidth, top, right, top + kButtonHeight);
  if (b.left < c.left + 2) return RECT{};
  return b;
}

bool has_min_max(HWND hwnd) {
  return (hwnd->style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) && !(hwnd->exstyle & WS_EX_TOOLWINDOW) &&
         !(hwnd->style & WS_CHILD && !has_caption(hwnd->style));
}

}  // namespace

FrameMetrics frame_metrics(DWORD style, DWORD exstyle, bool has_menu) {
  FrameMetrics m;
  if (style & WS_THICKFRAME) {
    m.border = GetSystemMetrics(SM_CXFRAME);
  } else if (has_caption(style) || (style & WS_DLGFRAME) || (exstyle & WS_EX_DLGMODALFRAME)) {
    m.border = GetSystemMetrics(SM_CXDLGFRAME);
  } else if (style & WS_BORDER) {
    m.border = GetSystemMetrics(SM_CXBORDER);
  }
  if (exstyle & WS_EX_CLIENTEDGE) m.border += GetSystemMetrics(SM_CXEDGE);
  if (has_caption(style)) m.caption = (exstyle & WS_EX_TOOLWINDOW) ? 15 : GetSystemMetrics(SM_CYCAPTION);
  if (has_menu && !(style & WS_CHILD)) m.menu = GetSystemMetrics(SM_CYMENU);
  return m;
}

RECT caption_rect(HWND hwnd) { return on_surface(hwnd, caption_in_frame(hwnd)); }
RECT close_box_rect(HWND hwnd) { return on_surface(hwnd, button_slot(hwnd, 0)); }
RECT max_box_rect(HWND hwnd) { return has_min_max(hwnd) ? on_surface(hwnd, button_slot(hwnd, 1)) : RECT{}; }
RECT min_box_rect(HWND hwnd) { return has_min_max(hwnd) ? on_surface(hwnd, button_slot(hwnd, 2)) : RECT{}; }

RECT sys_box_rect(HWND hwnd) {
  RECT c = caption_in_frame(hwnd);
  if (rect_empty(c) || !(hwnd->style & WS_SYSMENU) || (hwnd->exstyle & WS_EX_TOOLWINDOW) ||
      (hwnd->exstyle & WS_EX_DLGMODALFRAME))
    return RECT{};
  LONG size = rect_height(c) - 2;
  return on_surface(hwnd, make_rect(c.left + 1, c.top + 1, c.left + 1 + size, c.top + 1 + size));
}

RECT menu_bar_rect(HWND hwnd) {
  if (hwnd->parent || !hwnd->menu || (hwnd->style & WS_MINIMIZE)) return RECT{};
  FrameMetrics m = frame_metrics(hwnd->style, hwnd->exstyle, true);
  LONG w = rect_width(hwnd->rect);
  LONG top = m.border + m.caption;
  const int rows = menu_bar_rows(hwnd, w - 2 * m.border);
  return on_surface(hwnd, make_rect(m.border, top, w - m.border, top + m.menu * rows));
}

LRESULT nc_hit_test(HWND hwnd, POINT screen_pt) {
  RECT wr = window_rect_on_screen(hwnd);
  if (!point_in(wr, screen_pt)) return HTNOWHERE;
  if (hwnd->style & WS_MINIMIZE) return HTCAPTION;
  POINT p{screen_pt.x - wr.left, screen_pt.y - wr.top};  // frame-relative
  if (point_in(hwnd->client, p)) return HTCLIENT;
  // Surface-relative rectangles, made frame-relative again.
  RECT ws = window_rect_on_surface(hwnd);
  auto hit = [&](RECT r) { return !rect_empty(r) && point_in(rect_offset(r, -ws.left, -ws.top), p); };
  if (hit(close_box_rect(hwnd))) return HTCLOSE;
  if (hit(max_box_rect(hwnd))) return HTMAXBUTTON;
  if (hit(min_box_rect(hwnd))) return HTMINBUTTON;
  if (hit(sys_box_rect(hwnd))) return HTSYSMENU;
  if (hit(caption_rect(hwnd))) return HTCAPTION;
  if (hit(menu_bar_rect(hwnd))) return HTMENU;
  FrameMetrics m = frame_metrics(hwnd->style, hwnd->exstyle, false);
  LONG w = rect_width(wr), h = rect_height(wr);
  bool left = p.x < m.border, right = p.x >= w - m.border, top = p.y < m.border, bottom = p.y >= h - m.border;
  if (!(left || right || top || bottom)) return HTNOWHERE;
  if (!(hwnd->style & WS_THICKFRAME) || (hwnd->style & WS_MAXIMIZE)) return HTBORDER;
  bool near_left = p.x < kCornerGrip, near_right = p.x >= w - kCornerGrip;
  bool near_top = p.y < kCornerGrip, near_bottom = p.y >= h - kCornerGrip;
  if ((top && near_left) || (left && near_top)) return HTTOPLEFT;
  if ((top && near_right) || (right && near_top)) return HTTOPRIGHT;
  if ((bottom && near_left) || (left && near_bottom)) return HTBOTTOMLEFT;
  if ((bottom && near_right) || (right && near_bottom)) return HTBOTTOMRIGHT;
  if (left) return HTLEFT;
  if (right) return HTRIGHT;
  if (top) return HTTOP;
  return HTBOTTOM;
}

}  // namespace plat
