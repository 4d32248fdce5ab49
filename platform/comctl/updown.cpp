// The up-down control ("msctls_updown32"): two arrow buttons that step a
// position within a range, usually beside a buddy edit that shows the
// number (UDS_SETBUDDYINT) and whose Up and Down keys step it as well
// (UDS_ARROWKEYS). Each step is first offered to the parent (WM_NOTIFY with
// UDN_DELTAPOS, a nonzero answer refuses it), then reported as WM_VSCROLL
// (WM_HSCROLL when horizontal) with SB_THUMBPOSITION; the end of a press
// with SB_ENDSCROLL.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/comctl/comctl.h"
#include "platform/user/controls/control_common.h"
#include "platform/user/desktop.h"

namespace plat {
namespace {

using namespace ctl;

struct UpDown {
  int lower = 100, upper = 0, pos = 0;  // the usual defaults: up counts down
  HWND buddy = nullptr;
  WNDPROC buddy_proc = nullptr;  // the buddy's own procedure while subclassed
  UDACCEL accel[kMaxUpDownAccels] = {{0, 1}};
  int accel_count = 1;
  int pressed = 0;  // +1 the up (or right) half, -1 the down half, 0 none
  DWORD press_tick = 0;
};

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstDelay = 400, kRepeatDelay = 100;

LRESULT CALLBACK_updown(HWND h, UINT msg, WPARAM wp, LPARAM lp);

bool horizontal(HWND h) { return (style_of(h) & UDS_HORZ) != 0; }

void redraw(HWND h) { InvalidateRect(h, nullptr, TRUE); }

int clamp_to_range(const UpDown* u, int v) {
  return std::clamp(v, std::min(u->lower, u->upper), std::max(u->lower, u->upper));
}

void show_in_buddy(HWND h, const UpDown* u) {
  if (!u->buddy || !(style_of(h) & UDS_SETBUDDYINT)) return;
  SetWindowTextA(u->buddy, std::to_string(u->pos).c_str());
}

// Reads the buddy's number into the position; false when it holds none or
// one outside the range (the position is then kept).
bool read_buddy(HWND h, UpDown* u) {
  if (!u->buddy || !(style_of(h) & UDS_SETBUDDYINT)) return true;
  std::string s = window_text(u->buddy);
  const char* b = s.c_str();
  while (*b == ' ') ++b;
  char* end = nullptr;
  long v = std::strtol(b, &end, 10);
  if (end == b) return false;
  while (*end == ' ') ++end;
  if (*end) return false;
  if (v < std::min(u->lower, u->upper) || v > std::max(u->lower, u->upper)) return false;
  u->pos = static_cast<int>(v);
  return true;
}

int increment(const UpDown* u) {
  // The acceleration entry for how long the button has been held.
  DWORD held = u->pressed ? (GetTickCount() - u->press_tick) / 1000 : 0;
  int inc = static_cast<int>(u->accel[0].nInc);
  for (int i = 0; i < u->accel_count; ++i)
    if (u->accel[i].nSec <= held) inc = static_cast<int>(u->accel[i].nInc);
  return inc;
}

void report(HWND h, int code, int pos) {
  HWND parent = GetParent(h);
  if (parent)
    SendMessageA(parent, horizontal(h) ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(h));
}

// One step towards the upper end (dir +1) or the lower end (dir -1).
void step(HWND h, UpDown* u, int dir) {
  read_buddy(h, u);
  int delta = increment(u) * dir * (u->upper >= u->lower ? 1 : -1);
  NMUPDOWN nm;
  nm.hdr.hwndFrom = h;
  nm.hdr.idFrom = static_cast<UINT_PTR>(id_of(h));
  nm.hdr.code = UDN_DELTAPOS;
  nm.iPos = u->pos;
  nm.iDelta = delta;
  HWND parent = GetParent(h);
  if (parent && SendMessageA(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm))) return;
  int lo = std::min(u->lower, u->upper), hi = std::max(u->lower, u->upper);
  long long next = static_cast<long long>(u->pos) + nm.iDelta;
  if (next < lo || next > hi) {
    if (style_of(h) & UDS_WRAP) next = next < lo ? hi : lo;
    else next = std::clamp<long long>(next, lo, hi);
  }
  u->pos = static_cast<int>(next);
  show_in_buddy(h, u);
  report(h, SB_THUMBPOSITION, u->pos);
}

// The up-down control that has this window as buddy: a sibling.
HWND updown_of_buddy(HWND buddy) {
  HWND parent = GetParent(buddy);
  for (HWND w = parent ? GetWindow(parent, GW_CHILD) : nullptr; w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC)) != CALLBACK_updown) continue;
    UpDown* u = state_of<UpDown>(w);
    if (u && u->buddy == buddy) return w;
  }
  return nullptr;
}

// The buddy's procedure while subclassed: Up and Down step the control.
LRESULT buddy_proc(HWND b, UINT msg, WPARAM wp, LPARAM lp) {
  HWND h = updown_of_buddy(b);
  UpDown* u = h ? state_of<UpDown>(h) : nullptr;
  if (!u || !u->buddy_proc) return DefWindowProcA(b, msg, wp, lp);
  bool arrow = wp == static_cast<WPARAM>(horizontal(h) ? VK_RIGHT : VK_UP) ||
               wp == static_cast<WPARAM>(horizontal(h) ? VK_LEFT : VK_DOWN);
  if (msg == WM_GETDLGCODE)
    return CallWindowProcA(u->buddy_proc, b, msg, wp, lp) | DLGC_WANTARROWS;
  if (msg == WM_KEYDOWN && arrow) {
    step(h, u, wp == VK_UP || wp == VK_RIGHT ? 1 : -1);
    return 0;
  }
  if (msg == WM_KEYUP && arrow) {
    report(h, SB_ENDSCROLL, u->pos);
    return 0;
  }
  WNDPROC own = u->buddy_proc;
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(b, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
    u->buddy_proc = nullptr;
    u->buddy = nullptr;
  }
  return CallWindowProcA(own, b, msg, wp, lp);
}

void release_buddy(UpDown* u) {
  if (u->buddy && u->buddy_proc && IsWindow(u->buddy))
    SetWindowLongPtrA(u->buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(u->buddy_proc));
  u->buddy_proc = nullptr;
  u->buddy = nullptr;
}

// Takes a new buddy: subclasses it for the arrow keys, places the control
// beside it, shows the position in it.
HWND set_buddy(HWND h, UpDown* u, HWND buddy) {
  HWND old = u->buddy;
  release_buddy(u);
  u->buddy = buddy;
  if (!buddy) return old;
  DWORD st = style_of(h);
  if (st & UDS_ARROWKEYS) {
    u->buddy_proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(buddy, GWLP_WNDPROC));
    SetWindowLongPtrA(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(buddy_proc));
  }
  if (st & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) {
    RECT br, mr;
    GetWindowRect(buddy, &br);
    GetWindowRect(h, &mr);
    POINT tl{br.left, br.top};
    ScreenToClient(GetParent(h), &tl);
    int w = mr.right - mr.left, bw = std::max(0, static_cast<int>(br.right - br.left) - w), bh = br.bottom - br.top;
    if (st & UDS_ALIGNRIGHT) {
      MoveWindow(buddy, tl.x, tl.y, bw, bh, TRUE);
      MoveWindow(h, tl.x + bw, tl.y, w, bh, TRUE);
    } else {
      MoveWindow(h, tl.x, tl.y, w, bh, TRUE);
      MoveWindow(buddy, tl.x + w, tl.y, bw, bh, TRUE);
    }
  }
  show_in_buddy(h, u);
  return old;
}

// Which half a client point is in: +1 up (or right), -1 down (or left).
int half_at(HWND h, POINT pt) {
  RECT c;
  GetClientRect(h, &c);
  if (horizontal(h)) return pt.x >= c.right / 2 ? 1 : -1;
  return pt.y < c.bottom / 2 ? 1 : -1;
}

void draw_arrow(HDC dc, RECT r, int dir, bool horz, bool enabled) {
  COLORREF k = sys_colour(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  for (int i = 0; i < 3; ++i) {
    if (horz) {
      int x = dir > 0 ? cx - 1 + i : cx + 1 - i;
      vline(dc, x, cy - 2 + i, cy + 3 - i, k);
    } else {
      int y = dir > 0 ? cy - 1 + i : cy + 1 - i;
      hline(dc, cx - i, cx + i + 1, y, k);
    }
  }
}

void paint(HWND h, const UpDown* u) {
  PaintScope ps(h, nullptr);
  HDC dc = ps.dc();
  if (!dc) return;
  RECT c = ps.client();
  fill(dc, c, sys_colour(COLOR_BTNFACE));
  bool horz = horizontal(h);
  RECT up = horz ? RECT{c.right / 2, 0, c.right, c.bottom} : RECT{0, 0, c.right, c.bottom / 2};
  RECT down = horz ? RECT{0, 0, c.right / 2, c.bottom} : RECT{0, c.bottom / 2, c.right, c.bottom};
  bool enabled = IsWindowEnabled(h) != 0;
  draw_button_edge(dc, up, u->pressed > 0);
  draw_button_edge(dc, down, u->pressed < 0);
  draw_arrow(dc, up, 1, horz, enabled);
  draw_arrow(dc, down, -1, horz, enabled);
}

void end_press(HWND h, UpDown* u) {
  if (!u->pressed) return;
  u->pressed = 0;
  KillTimer(h, kRepeatTimer);
  if (GetCapture() == h) ReleaseCapture();
  redraw(h);
  report(h, SB_ENDSCROLL, u->pos);
}

LRESULT CALLBACK_updown(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) attach_state<UpDown>(h);
  UpDown* u = state_of<UpDown>(h);
  if (!u) return DefWindowProcA(h, msg, wp, lp);
  switch (msg) {
    case WM_CREATE:
      // The sibling made just before this one is the buddy, by creation
      // order: dialogs stack their controls otherwise than CreateWindowExA.
      if (style_of(h) & UDS_AUTOBUDDY) set_buddy(h, u, sibling_created_before(h));
      return 0;
    case WM_NCDESTROY:
      release_buddy(u);
      free_state<UpDown>(h);
      return DefWindowProcA(h, msg, wp, lp);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(h, u); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (!IsWindowEnabled(h)) return 0;
      if (u->buddy && GetFocus() != u->buddy) SetFocus(u->buddy);
      u->pressed = half_at(h, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      u->press_tick = GetTickCount();
      SetCapture(h);
      redraw(h);
      step(h, u, u->pressed);
      SetTimer(h, kRepeatTimer, kFirstDelay, nullptr);
      return 0;
    }
    case WM_TIMER:
      if (wp == kRepeatTimer && u->pressed) {
        SetTimer(h, kRepeatTimer, kRepeatDelay, nullptr);
        step(h, u, u->pressed);
      }
      return 0;
    case WM_LBUTTONUP: end_press(h, u); return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != h) end_press(h, u);
      return 0;
    case UDM_SETRANGE:
      u->upper = static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lp)));
      u->lower = static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lp)));
      return 0;
    case UDM_GETRANGE: return MAKELPARAM(u->upper, u->lower);
    case UDM_SETRANGE32:
      u->lower = static_cast<int>(wp);
      u->upper = static_cast<int>(lp);
      return 0;
    case UDM_GETRANGE32:
      if (wp) *reinterpret_cast<int*>(wp) = u->lower;
      if (lp) *reinterpret_cast<int*>(lp) = u->upper;
      return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
      int old = u->pos;
      int v = msg == UDM_SETPOS ? static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lp))) : static_cast<int>(lp);
      u->pos = clamp_to_range(u, v);
      show_in_buddy(h, u);
      return old;
    }
    case UDM_GETPOS: {
      // The high word is nonzero when the buddy holds no number in range.
      bool ok = read_buddy(h, u);
      return MAKELPARAM(u->pos, ok ? 0 : 1);
    }
    case UDM_GETPOS32: {
      bool ok = read_buddy(h, u);
      if (lp) *reinterpret_cast<BOOL*>(lp) = ok ? FALSE : TRUE;
      return u->pos;
    }
    case UDM_SETBUDDY: return reinterpret_cast<LRESULT>(set_buddy(h, u, reinterpret_cast<HWND>(wp)));
    case UDM_GETBUDDY: return reinterpret_cast<LRESULT>(u->buddy);
    case UDM_SETACCEL: {
      int n = static_cast<int>(wp);
      const UDACCEL* a = reinterpret_cast<const UDACCEL*>(lp);
      if (n <= 0 || !a) return FALSE;
      u->accel_count = std::min(n, kMaxUpDownAccels);
      std::copy(a, a + u->accel_count, u->accel);
      return TRUE;
    }
    case UDM_GETACCEL: {
      int n = std::min(static_cast<int>(wp), u->accel_count);
      UDACCEL* a = reinterpret_cast<UDACCEL*>(lp);
      if (a && n > 0) std::copy(u->accel, u->accel + n, a);
      return u->accel_count;
    }
    default: return DefWindowProcA(h, msg, wp, lp);
  }
}

}  // namespace

void register_updown_class() {
  WNDCLASSA probe;
  if (GetClassInfoA(nullptr, UPDOWN_CLASSA, &probe)) return;
  ctl::register_control_class(UPDOWN_CLASSA, CALLBACK_updown, CS_DBLCLKS);
}

}  // namespace plat
