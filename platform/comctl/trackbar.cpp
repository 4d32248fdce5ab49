// The trackbar ("msctls_trackbar32"): a thumb on a channel between a
// minimum and a maximum. Keys and the mouse move it; every move is reported
// to the parent as WM_HSCROLL (WM_VSCROLL when vertical) with a TB_* code,
// and the end of a key press or a drag with TB_ENDTRACK.
#include <algorithm>

#include "platform/comctl/comctl.h"
#include "platform/user/controls/control_common.h"

namespace plat {
namespace {

using namespace ctl;

struct Trackbar {
  int lo = 0, hi = 100, pos = 0;
  int line = 1, page = 20, tic_freq = 1;
  int sel_start = 0, sel_end = 0;
  bool dragging = false;
  bool paging = false;  // the button went down on the channel
  int drag_offset = 0;
};

constexpr int kThumbWidth = 11;  // across the channel's direction of motion
constexpr int kMargin = 8;       // from the control's ends to the channel's ends

bool vertical(HWND h) { return (style_of(h) & TBS_VERT) != 0; }

// Length of the control along its motion, and across it.
int along(HWND h) {
  RECT c;
  GetClientRect(h, &c);
  return vertical(h) ? c.bottom : c.right;
}
int across(HWND h) {
  RECT c;
  GetClientRect(h, &c);
  return vertical(h) ? c.right : c.bottom;
}

// Pixel (along the motion) of the thumb's centre for a position.
int pixel_of(HWND h, const Trackbar* t, int pos) {
  int span = t->hi - t->lo;
  int len = std::max(0, along(h) - 2 * kMargin);
  if (span <= 0) return kMargin;
  return kMargin + static_cast<int>(static_cast<long long>(len) * (pos - t->lo) / span);
}

// Position nearest to a pixel along the motion.
int pos_of(HWND h, const Trackbar* t, int px) {
  int span = t->hi - t->lo;
  int len = along(h) - 2 * kMargin;
  if (span <= 0 || len <= 0) return t->lo;
  long long rel = std::clamp(px - kMargin, 0, len);
  return t->lo + static_cast<int>((rel * span + len / 2) / len);
}

int thumb_length(HWND h) { return std::clamp(across(h) - 8, 6, 20); }

// The thumb's rectangle in client coordinates.
RECT thumb_rect(HWND h, const Trackbar* t) {
  int c = pixel_of(h, t, t->pos);
  int a0 = 4, a1 = 4 + thumb_length(h);
  int b0 = c - kThumbWidth / 2, b1 = b0 + kThumbWidth;
  return vertical(h) ? RECT{a0, b0, a1, b1} : RECT{b0, a0, b1, a1};
}

void redraw(HWND h) { InvalidateRect(h, nullptr, TRUE); }

bool set_pos(HWND h, Trackbar* t, int v) {
  int old = t->pos;
  t->pos = std::clamp(v, t->lo, std::max(t->lo, t->hi));
  if (t->pos != old) redraw(h);
  return t->pos != old;
}

void notify(HWND h, int code, int pos) {
  HWND parent = GetParent(h);
  if (!parent) return;
  SendMessageA(parent, vertical(h) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(h));
}

// Moves by a key or a page click and reports it with the code.
void step(HWND h, Trackbar* t, int code) {
  int v = t->pos;
  switch (code) {
    case TB_LINEUP: v -= t->line; break;
    case TB_LINEDOWN: v += t->line; break;
    case TB_PAGEUP: v -= t->page; break;
    case TB_PAGEDOWN: v += t->page; break;
    case TB_TOP: v = t->lo; break;
    case TB_BOTTOM: v = t->hi; break;
    default: return;
  }
  set_pos(h, t, v);
  notify(h, code, 0);
}

int key_code(HWND h, WPARAM vk) {
  switch (vk) {
    case VK_LEFT:
    case VK_UP: return TB_LINEUP;
    case VK_RIGHT:
    case VK_DOWN: return TB_LINEDOWN;
    case VK_PRIOR: return TB_PAGEUP;
    case VK_NEXT: return TB_PAGEDOWN;
    case VK_HOME: return TB_TOP;
    case VK_END: return TB_BOTTOM;
    default: (void)h; return -1;
  }
}

void paint(HWND h, Trackbar* t) {
  PaintScope ps(h, nullptr);
  HDC dc = ps.dc();
  if (!dc) return;
  RECT c = ps.client();
  fill(dc, c, sys_colour(COLOR_BTNFACE));
  bool vert = vertical(h);
  int mid = 4 + thumb_length(h) / 2;
  int a = kMargin, b = std::max(kMargin, along(h) - kMargin);
  RECT channel = vert ? RECT{mid - 2, a, mid + 2, b + 1} : RECT{a, mid - 2, b + 1, mid + 2};
  draw_sunken_edge(dc, channel);
  if ((style_of(h) & TBS_ENABLESELRANGE) && t->sel_end > t->sel_start) {
    int s0 = pixel_of(h, t, t->sel_start), s1 = pixel_of(h, t, t->sel_end);
    RECT sel = vert ? RECT{mid - 1, s0, mid + 1, s1 + 1} : RECT{s0, mid - 1, s1 + 1, mid + 1};
    fill(dc, sel, sys_colour(COLOR_HIGHLIGHT));
  }
  if (!(style_of(h) & TBS_NOTICKS)) {
    int tick = 4 + thumb_length(h) + 2;
    int freq = (style_of(h) & TBS_AUTOTICKS) ? std::max(1, t->tic_freq) : std::max(1, t->hi - t->lo);
    COLORREF k = sys_colour(COLOR_WINDOWTEXT);
    for (long long v = t->lo; v <= t->hi; v += freq) {
      int p = pixel_of(h, t, static_cast<int>(v));
      if (vert) hline(dc, tick, tick + 3, p, k);
      else vline(dc, p, tick, tick + 3, k);
    }
    int last = pixel_of(h, t, t->hi);
    if (vert) hline(dc, tick, tick + 4, last, k);
    else vline(dc, last, tick, tick + 4, k);
  }
  RECT th = thumb_rect(h, t);
  draw_button_edge(dc, th, false);
  if (has_focus(h)) draw_focus_rect(dc, RECT{c.left + 1, c.top + 1, c.right - 1, c.bottom - 1});
}

void press(HWND h, Trackbar* t, LPARAM lp) {
  if (!has_focus(h)) SetFocus(h);
  POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  RECT th = thumb_rect(h, t);
  SetCapture(h);
  int at = vertical(h) ? pt.y : pt.x;
  if (PtInRect(&th, pt)) {
    t->dragging = true;
    t->drag_offset = at - pixel_of(h, t, t->pos);
    return;
  }
  // A press beside the thumb pages towards the pointer.
  t->paging = true;
  step(h, t, at < pixel_of(h, t, t->pos) ? TB_PAGEUP : TB_PAGEDOWN);
}

void drag(HWND h, Trackbar* t, LPARAM lp) {
  int at = vertical(h) ? GET_Y_LPARAM(lp) : GET_X_LPARAM(lp);
  if (set_pos(h, t, pos_of(h, t, at - t->drag_offset))) notify(h, TB_THUMBTRACK, t->pos);
}

void release(HWND h, Trackbar* t) {
  bool was_drag = t->dragging, was_page = t->paging;
  t->dragging = t->paging = false;
  if (GetCapture() == h) ReleaseCapture();
  if (was_drag) notify(h, TB_THUMBPOSITION, t->pos);
  if (was_drag || was_page) notify(h, TB_ENDTRACK, 0);
}

LRESULT trackbar_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) attach_state<Trackbar>(h);
  Trackbar* t = state_of<Trackbar>(h);
  if (!t) return DefWindowProcA(h, msg, wp, lp);
  switch (msg) {
    case WM_NCDESTROY:
      free_state<Trackbar>(h);
      return DefWindowProcA(h, msg, wp, lp);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(h, t); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      redraw(h);
      return 0;
    case WM_KEYDOWN: {
      int code = key_code(h, wp);
      if (code < 0) return DefWindowProcA(h, msg, wp, lp);
      step(h, t, code);
      return 0;
    }
    case WM_KEYUP:
      if (key_code(h, wp) >= 0) notify(h, TB_ENDTRACK, 0);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      press(h, t, lp);
      return 0;
    case WM_MOUSEMOVE:
      if (t->dragging) drag(h, t, lp);
      return 0;
    case WM_LBUTTONUP:
      release(h, t);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != h && (t->dragging || t->paging)) {
        t->dragging = t->paging = false;
        notify(h, TB_ENDTRACK, 0);
      }
      return 0;
    case TBM_GETPOS: return t->pos;
    case TBM_GETRANGEMIN: return t->lo;
    case TBM_GETRANGEMAX: return t->hi;
    case TBM_SETPOS:
      set_pos(h, t, static_cast<int>(lp));
      return 0;
    case TBM_SETRANGE:
      t->lo = static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lp)));
      t->hi = static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lp)));
      set_pos(h, t, t->pos);
      redraw(h);
      return 0;
    case TBM_SETRANGEMIN:
      t->lo = static_cast<int>(lp);
      set_pos(h, t, t->pos);
      redraw(h);
      return 0;
    case TBM_SETRANGEMAX:
      t->hi = static_cast<int>(lp);
      set_pos(h, t, t->pos);
      redraw(h);
      return 0;
    case TBM_SETSEL:
      t->sel_start = static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lp)));
      t->sel_end = static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lp)));
      if (wp) redraw(h);
      return 0;
    case TBM_SETSELSTART:
      t->sel_start = static_cast<int>(lp);
      if (wp) redraw(h);
      return 0;
    case TBM_SETSELEND:
      t->sel_end = static_cast<int>(lp);
      if (wp) redraw(h);
      return 0;
    case TBM_GETSELSTART: return t->sel_start;
    case TBM_GETSELEND: return t->sel_end;
    case TBM_CLEARSEL:
      t->sel_start = t->sel_end = 0;
      if (wp) redraw(h);
      return 0;
    case TBM_SETTICFREQ:
      t->tic_freq = std::max(1, static_cast<int>(wp));
      redraw(h);
      return 0;
    case TBM_SETPAGESIZE: {
      int old = t->page;
      t->page = static_cast<int>(lp);
      return old;
    }
    case TBM_GETPAGESIZE: return t->page;
    case TBM_SETLINESIZE: {
      int old = t->line;
      t->line = static_cast<int>(lp);
      return old;
    }
    case TBM_GETLINESIZE: return t->line;
    default: return DefWindowProcA(h, msg, wp, lp);
  }
}

}  // namespace

void register_trackbar_class() {
  WNDCLASSA probe;
  if (GetClassInfoA(nullptr, TRACKBAR_CLASSA, &probe)) return;
  ctl::register_control_class(TRACKBAR_CLASSA, trackbar_proc, CS_DBLCLKS);
}

}  // namespace plat
