// The status bar: a strip along the bottom of its parent, divided into
// parts (right edges in client pixels, -1: to the end), each with a text
// in a sunken box, and a size grip in the corner.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/comctl/comctl.h"
#include "platform/user/controls/control_common.h"

namespace plat {
namespace {

using namespace ctl;

inline constexpr int kGrip = 14;

struct Part {
  int right = -1;
  std::string text;
  WPARAM style = 0;
};

struct StatusBar {
  HFONT font = nullptr;
  std::vector<Part> parts{Part{}};
  bool simple = false;
  std::string simple_text;
};

int bar_height(HWND h, StatusBar* s) {
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, font_or_default(s->font));
  int lh = line_height(dc);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return lh + 8;
}

// Fit along the bottom (or top) of the parent's client area.
void lay_out(HWND h, StatusBar* s) {
  HWND parent = GetParent(h);
  if (!parent) return;
  RECT pc;
  GetClientRect(parent, &pc);
  int height = bar_height(h, s);
  int y = (style_of(h) & 3) == CCS_TOP ? 0 : pc.bottom - height;
  MoveWindow(h, 0, y, pc.right, height, TRUE);
}

RECT part_rect(HWND h, StatusBar* s, int i) {
  RECT c;
  GetClientRect(h, &c);
  int left = i == 0 ? 0 : s->parts[static_cast<std::size_t>(i) - 1].right;
  int right = s->parts[static_cast<std::size_t>(i)].right;
  if (right < 0 || right > c.right) right = c.right;
  if (left < 0) left = c.right;
  return RECT{left + (i ? 2 : 0), c.top + 2, right, c.bottom};
}

void paint(HWND h, StatusBar* s) {
  PaintScope p(h, s->font);
  HDC dc = p.dc();
  if (!dc) return;
  RECT c = p.client();
  fill(dc, c, sys_colour(COLOR_BTNFACE));
  SetTextColor(dc, sys_colour(COLOR_BTNTEXT));
  auto box = [&](RECT r, const std::string& text, WPARAM style) {
    if (!(style & SBT_NOBORDERS)) {
      COLORREF tl = sys_colour((style & SBT_POPOUT) ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
      COLORREF br = sys_colour((style & SBT_POPOUT) ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
      hline(dc, r.left, r.right, r.top, tl);
      vline(dc, r.left, r.top, r.bottom, tl);
      hline(dc, r.left, r.right, r.bottom - 1, br);
      vline(dc, r.right - 1, r.top, r.bottom, br);
    }
    RECT t{r.left + 3, r.top + 1, r.right - 2, r.bottom - 1};
    // Tabs split the text: left, centred, right.
    std::size_t t1 = text.find('\t');
    std::size_t t2 = t1 == std::string::npos ? std::string::npos : text.find('\t', t1 + 1);
    draw_text(dc, t, text.substr(0, t1), kVCenter);
    if (t1 != std::string::npos) draw_text(dc, t, text.substr(t1 + 1, t2 == std::string::npos ? std::string::npos : t2 - t1 - 1), kVCenter | kCenter);
    if (t2 != std::string::npos) draw_text(dc, t, text.substr(t2 + 1), kVCenter | kRight);
  };
  bool grip = style_of(h) & SBARS_SIZEGRIP;
  if (s->simple) {
    RECT r{c.left, c.top + 2, c.right - (grip ? kGrip : 0), c.bottom};
    box(r, s->simple_text, 0);
  } else {
    for (int i = 0; i < static_cast<int>(s->parts.size()); ++i) {
      RECT r = part_rect(h, s, i);
      if (grip && r.right > c.right - kGrip) r.right = c.right - kGrip;
      if (r.right > r.left) box(r, s->parts[static_cast<std::size_t>(i)].text, s->parts[static_cast<std::size_t>(i)].style);
    }
  }
  if (grip) {
    // Three diagonal ridges in the bottom-right corner.
    for (int k = 0; k < 3; ++k) {
      int off = 4 + 4 * k;
      for (int d = 0; d < off; ++d) {
        SetPixel(dc, c.right - 1 - d, c.bottom - off + d, sys_colour(COLOR_BTNHIGHLIGHT));
        SetPixel(dc, c.right - 1 - d + 1, c.bottom - off + d, sys_colour(COLOR_BTNSHADOW));
        SetPixel(dc, c.right - 1 - d + 2, c.bottom - off + d, sys_colour(COLOR_BTNSHADOW));
      }
    }
  }
}

LRESULT status_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) attach_state<StatusBar>(h);
  StatusBar* s = state_of<StatusBar>(h);
  if (!s) return DefWindowProcA(h, msg, wp, lp);
  switch (msg) {
    case WM_NCDESTROY:
      free_state<StatusBar>(h);
      return DefWindowProcA(h, msg, wp, lp);
    case WM_CREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lp);
      if (cs && cs->lpszName) s->parts[0].text = cs->lpszName;
      lay_out(h, s);
      return 0;
    }
    case WM_SIZE: lay_out(h, s); return 0;  // the parent passes its WM_SIZE on
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wp);
      if (lp) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(h, s); return 0;
    case WM_NCHITTEST: {
      if (!(style_of(h) & SBARS_SIZEGRIP)) return HTCLIENT;
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ScreenToClient(h, &p);
      RECT c;
      GetClientRect(h, &c);
      // The grip sizes the parent frame.
      if (p.x >= c.right - kGrip && p.y >= c.bottom - kGrip) return HTTRANSPARENT;
      return HTCLIENT;
    }
    case SB_SETPARTS: {
      int n = static_cast<int>(wp);
      const int* edges = reinterpret_cast<const int*>(lp);
      if (n < 1 || n > kMaxStatusParts || !edges) return FALSE;
      std::vector<Part> parts(static_cast<std::size_t>(n));
      for (int i = 0; i < n; ++i) {
        parts[static_cast<std::size_t>(i)].right = edges[i];
        if (i < static_cast<int>(s->parts.size())) {
          parts[static_cast<std::size_t>(i)].text = s->parts[static_cast<std::size_t>(i)].text;
          parts[static_cast<std::size_t>(i)].style = s->parts[static_cast<std::size_t>(i)].style;
        }
      }
      s->parts = parts;
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    }
    case SB_GETPARTS: {
      int n = static_cast<int>(s->parts.size());
      int* out = reinterpret_cast<int*>(lp);
      for (int i = 0; out && i < std::min(n, static_cast<int>(wp)); ++i) out[i] = s->parts[static_cast<std::size_t>(i)].right;
      return n;
    }
    case SB_SETTEXTA:
    case WM_SETTEXT: {
      int i = msg == WM_SETTEXT ? 0 : static_cast<int>(wp & 0xFF);
      std::string t = lp ? reinterpret_cast<const char*>(lp) : "";
      if (i == 255) s->simple_text = t;
      else if (i < static_cast<int>(s->parts.size())) {
        s->parts[static_cast<std::size_t>(i)].text = t;
        if (msg == SB_SETTEXTA) s->parts[static_cast<std::size_t>(i)].style = wp & 0xFF00;
      } else {
        return FALSE;
      }
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    }
    case SB_GETTEXTLENGTHA:
    case SB_GETTEXTA: {
      int i = static_cast<int>(wp & 0xFF);
      if (i >= static_cast<int>(s->parts.size())) return 0;
      const Part& pt = s->parts[static_cast<std::size_t>(i)];
      if (msg == SB_GETTEXTA && lp) std::memcpy(reinterpret_cast<char*>(lp), pt.text.c_str(), pt.text.size() + 1);
      return MAKELPARAM(static_cast<int>(pt.text.size()), static_cast<int>(pt.style));
    }
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<char*>(lp);
      if (!buf || wp == 0) return 0;
      std::size_t n = std::min(s->parts[0].text.size(), static_cast<std::size_t>(wp) - 1);
      std::memcpy(buf, s->parts[0].text.data(), n);
      buf[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(s->parts[0].text.size());
    case SB_GETRECT: {
      int i = static_cast<int>(wp);
      if (i < 0 || i >= static_cast<int>(s->parts.size()) || !lp) return FALSE;
      *reinterpret_cast<RECT*>(lp) = part_rect(h, s, i);
      return TRUE;
    }
    case SB_SIMPLE:
      s->simple = wp != 0;
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    default: return DefWindowProcA(h, msg, wp, lp);
  }
}

}  // namespace

void register_common_control_classes() {
  register_progress_class();
  register_trackbar_class();
  register_updown_class();
  register_tab_class();
  register_toolbar_class();
  register_tooltip_class();
  WNDCLASSA probe;
  if (GetClassInfoA(nullptr, STATUSCLASSNAMEA, &probe)) return;
  ctl::register_control_class(STATUSCLASSNAMEA, status_proc, 0);
}

void InitCommonControls() { register_common_control_classes(); }
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc) {
  if (!icc) return FALSE;
  register_common_control_classes();
  return TRUE;
}

HWND CreateStatusWindowA(LONG style, LPCSTR text, HWND parent, UINT id) {
  register_common_control_classes();
  return CreateWindowExA(0, STATUSCLASSNAMEA, text, static_cast<DWORD>(style) | WS_CHILD, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
}

}  // namespace plat
