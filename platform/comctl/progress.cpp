// The progress bar ("msctls_progress32"): a range, a position and a step,
// drawn as blocks in the highlight colour in a sunken well.
#include <algorithm>

#include "platform/comctl/comctl.h"
#include "platform/user/controls/control_common.h"

namespace plat {
namespace {

using namespace ctl;

struct Progress {
  int lo = 0, hi = 100, pos = 0, step = 10;
};

void redraw(HWND h) { InvalidateRect(h, nullptr, TRUE); }

int set_pos(HWND h, Progress* p, int v) {
  int old = p->pos;
  p->pos = std::clamp(v, p->lo, std::max(p->lo, p->hi));
  if (p->pos != old) redraw(h);
  return old;
}

void paint(HWND h, Progress* p) {
  PaintScope ps(h, nullptr);
  HDC dc = ps.dc();
  if (!dc) return;
  RECT c = ps.client();
  fill(dc, c, sys_colour(COLOR_BTNFACE));
  hline(dc, c.left, c.right, c.top, sys_colour(COLOR_BTNSHADOW));
  vline(dc, c.left, c.top, c.bottom, sys_colour(COLOR_BTNSHADOW));
  hline(dc, c.left, c.right, c.bottom - 1, sys_colour(COLOR_BTNHIGHLIGHT));
  vline(dc, c.right - 1, c.top, c.bottom, sys_colour(COLOR_BTNHIGHLIGHT));
  RECT in{c.left + 2, c.top + 2, c.right - 2, c.bottom - 2};
  int span = std::max(1, p->hi - p->lo);
  int w = in.right - in.left;
  int filled = static_cast<int>(static_cast<long long>(w) * (p->pos - p->lo) / span);
  int block = std::max(2, (in.bottom - in.top) * 2 / 3);
  for (int x = 0; x < filled; x += block + 2)
    fill(dc, RECT{in.left + x, in.top, in.left + std::min(x + block, filled), in.bottom}, sys_colour(COLOR_HIGHLIGHT));
}

LRESULT progress_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) attach_state<Progress>(h);
  Progress* p = state_of<Progress>(h);
  if (!p) return DefWindowProcA(h, msg, wp, lp);
  switch (msg) {
    case WM_NCDESTROY:
      free_state<Progress>(h);
      return DefWindowProcA(h, msg, wp, lp);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(h, p); return 0;
    case PBM_SETRANGE:
    case PBM_SETRANGE32: {
      LRESULT old = MAKELPARAM(p->lo, p->hi);
      p->lo = msg == PBM_SETRANGE ? LOWORD(static_cast<std::uintptr_t>(lp)) : static_cast<int>(wp);
      p->hi = msg == PBM_SETRANGE ? HIWORD(static_cast<std::uintptr_t>(lp)) : static_cast<int>(lp);
      set_pos(h, p, p->pos);
      redraw(h);
      return old;
    }
    case PBM_SETPOS: return set_pos(h, p, static_cast<int>(wp));
    case PBM_DELTAPOS: return set_pos(h, p, p->pos + static_cast<int>(wp));
    case PBM_SETSTEP: {
      int old = p->step;
      p->step = static_cast<int>(wp);
      return old;
    }
    case PBM_STEPIT: {
      // Stepping past the end starts again from the beginning, as usual.
      int next = p->pos + p->step;
      if (next > p->hi) next = p->lo + (next - p->hi);
      return set_pos(h, p, next);
    }
    case PBM_GETPOS: return p->pos;
    case PBM_GETRANGE: return wp ? p->lo : p->hi;
    default: return DefWindowProcA(h, msg, wp, lp);
  }
}

}  // namespace

void register_progress_class() {
  WNDCLASSA probe;
  if (GetClassInfoA(nullptr, PROGRESS_CLASSA, &probe)) return;
  ctl::register_control_class(PROGRESS_CLASSA, progress_proc, 0);
}

}  // namespace plat
