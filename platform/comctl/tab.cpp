// The tab control ("SysTabControl32"): a row of tabs along the top over a
// raised page frame. A click on a tab or the Left and Right keys select
// another tab: the parent is asked first (WM_NOTIFY with TCN_SELCHANGING, a
// nonzero answer keeps the selection), then told (TCN_SELCHANGE).
// TCM_SETCURSEL selects without notifying.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/comctl/comctl.h"
#include "platform/user/controls/control_common.h"

namespace plat {
namespace {

using namespace ctl;

struct Tab {
  std::string text;
  LPARAM param = 0;
};

struct TabControl {
  std::vector<Tab> tabs;
  int sel = -1;
  HFONT font = nullptr;
};

constexpr int kTabPad = 6;  // text inset on each side of a tab

void redraw(HWND h) { InvalidateRect(h, nullptr, TRUE); }

int strip_height(HWND h, const TabControl* t) {
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, font_or_default(t->font));
  int lh = line_height(dc);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return lh + 6;
}

// Rectangles of the tabs (unselected size), left to right from x = 2.
std::vector<RECT> tab_rects(HWND h, const TabControl* t) {
  std::vector<RECT> out;
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, font_or_default(t->font));
  int lh = line_height(dc);
  int x = 2;
  for (const Tab& tab : t->tabs) {
    SIZE s = draw_text(dc, RECT{0, 0, 10000, 10000}, tab.text, kPrefix | kMeasure);
    int w = static_cast<int>(s.cx) + 2 * kTabPad;
    out.push_back(RECT{x, 2, x + w, 2 + lh + 6});
    x += w;
  }
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return out;
}

void notify(HWND h, UINT code, LRESULT* answer) {
  NMHDR nm;
  nm.hwndFrom = h;
  nm.idFrom = static_cast<UINT_PTR>(id_of(h));
  nm.code = code;
  HWND parent = GetParent(h);
  LRESULT r = parent ? SendMessageA(parent, WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm)) : 0;
  if (answer) *answer = r;
}

// Selection by the user: asks, changes, tells.
void choose(HWND h, TabControl* t, int i) {
  if (i < 0 || i >= static_cast<int>(t->tabs.size()) || i == t->sel) return;
  LRESULT refuse = 0;
  notify(h, TCN_SELCHANGING, &refuse);
  if (refuse) return;
  t->sel = i;
  redraw(h);
  notify(h, TCN_SELCHANGE, nullptr);
}

void paint(HWND h, TabControl* t) {
  PaintScope ps(h, font_or_default(t->font));
  HDC dc = ps.dc();
  if (!dc) return;
  RECT c = ps.client();
  fill(dc, c, sys_colour(COLOR_BTNFACE));
  int top = strip_height(h, t) + 2;
  // The page frame: raised, open where the selected tab joins it.
  RECT page{c.left, top, c.right, c.bottom};
  draw_button_edge(dc, page, false);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, sys_colour(COLOR_BTNTEXT));
  std::vector<RECT> rs = tab_rects(h, t);
  for (int i = 0; i < static_cast<int>(rs.size()); ++i) {
    RECT r = rs[static_cast<size_t>(i)];
    bool sel = i == t->sel;
    if (sel) r = RECT{r.left - 2, r.top - 2, r.right + 2, top + 1};
    else r.bottom = top;
    fill(dc, r, sys_colour(COLOR_BTNFACE));
    hline(dc, r.left + 2, r.right - 2, r.top, sys_colour(COLOR_BTNHIGHLIGHT));
    vline(dc, r.left, r.top + 2, r.bottom, sys_colour(COLOR_BTNHIGHLIGHT));
    vline(dc, r.left + 1, r.top + 1, r.top + 2, sys_colour(COLOR_BTNHIGHLIGHT));
    vline(dc, r.right - 2, r.top + 1, r.top + 2, sys_colour(COLOR_3DDKSHADOW));
    vline(dc, r.right - 1, r.top + 2, r.bottom, sys_colour(COLOR_3DDKSHADOW));
    vline(dc, r.right - 2, r.top + 2, r.bottom, sys_colour(COLOR_BTNSHADOW));
    RECT text{r.left + kTabPad, r.top + 2, r.right - kTabPad, r.top + (rs[0].bottom - rs[0].top)};
    draw_text(dc, text, t->tabs[static_cast<size_t>(i)].text, kPrefix | kCenter | kVCenter);
    if (sel && has_focus(h)) draw_focus_rect(dc, RECT{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3});
  }
}

bool write_item(const TCITEMA* it, Tab& tab) {
  if (!it) return false;
  if (it->mask & TCIF_TEXT) {
    const char* s = it->pszText ? it->pszText : "";
    tab.text.assign(s, strnlen(s, kMaxTabText));
  }
  if (it->mask & TCIF_PARAM) tab.param = it->lParam;
  return true;
}

LRESULT tab_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) attach_state<TabControl>(h);
  TabControl* t = state_of<TabControl>(h);
  if (!t) return DefWindowProcA(h, msg, wp, lp);
  int count = static_cast<int>(t->tabs.size());
  int i = static_cast<int>(wp);
  switch (msg) {
    case WM_NCDESTROY:
      free_state<TabControl>(h);
      return DefWindowProcA(h, msg, wp, lp);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(h, t); return 0;
    case WM_SETFONT:
      t->font = reinterpret_cast<HFONT>(wp);
      if (lp) redraw(h);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(t->font);
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      redraw(h);
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_LEFT || wp == VK_UP) choose(h, t, t->sel - 1);
      else if (wp == VK_RIGHT || wp == VK_DOWN) choose(h, t, t->sel + 1);
      else return DefWindowProcA(h, msg, wp, lp);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      std::vector<RECT> rs = tab_rects(h, t);
      for (int k = 0; k < static_cast<int>(rs.size()); ++k)
        if (PtInRect(&rs[static_cast<size_t>(k)], pt)) {
          if (!has_focus(h)) SetFocus(h);
          choose(h, t, k);
          break;
        }
      return 0;
    }
    case TCM_GETITEMCOUNT: return count;
    case TCM_INSERTITEMA: {
      // Returns the new tab's index, -1 when full or without an item.
      Tab tab;
      if (count >= kMaxTabs || !write_item(reinterpret_cast<const TCITEMA*>(lp), tab)) return -1;
      int at = std::clamp(i, 0, count);
      t->tabs.insert(t->tabs.begin() + at, tab);
      if (t->sel < 0) t->sel = 0;
      else if (at <= t->sel) ++t->sel;
      redraw(h);
      return at;
    }
    case TCM_SETITEMA:
      if (i < 0 || i >= count) return FALSE;
      if (!write_item(reinterpret_cast<const TCITEMA*>(lp), t->tabs[static_cast<size_t>(i)])) return FALSE;
      redraw(h);
      return TRUE;
    case TCM_GETITEMA: {
      TCITEMA* it = reinterpret_cast<TCITEMA*>(lp);
      if (i < 0 || i >= count || !it) return FALSE;
      const Tab& tab = t->tabs[static_cast<size_t>(i)];
      if ((it->mask & TCIF_TEXT) && it->pszText && it->cchTextMax > 0) {
        size_t n = std::min(tab.text.size(), static_cast<size_t>(it->cchTextMax - 1));
        std::memcpy(it->pszText, tab.text.data(), n);
        it->pszText[n] = '\0';
      }
      if (it->mask & TCIF_PARAM) it->lParam = tab.param;
      return TRUE;
    }
    case TCM_DELETEITEM:
      if (i < 0 || i >= count) return FALSE;
      t->tabs.erase(t->tabs.begin() + i);
      if (t->sel == i) t->sel = t->tabs.empty() ? -1 : std::min(i, count - 2);
      else if (t->sel > i) --t->sel;
      redraw(h);
      return TRUE;
    case TCM_DELETEALLITEMS:
      t->tabs.clear();
      t->sel = -1;
      redraw(h);
      return TRUE;
    case TCM_GETITEMRECT: {
      if (i < 0 || i >= count || !lp) return FALSE;
      *reinterpret_cast<RECT*>(lp) = tab_rects(h, t)[static_cast<size_t>(i)];
      return TRUE;
    }
    case TCM_GETCURSEL: return t->sel;
    case TCM_SETCURSEL: {
      int old = t->sel;
      if (i < 0 || i >= count) return -1;
      t->sel = i;
      if (old != i) redraw(h);
      return old;
    }
    case TCM_ADJUSTRECT: {
      // wParam FALSE: the page area inside a window rectangle; TRUE: the
      // window rectangle around a page area.
      RECT* r = reinterpret_cast<RECT*>(lp);
      if (!r) return 0;
      int top = strip_height(h, t) + 2;
      int sign = wp ? -1 : 1;
      r->left += sign * 4;
      r->right -= sign * 4;
      r->top += sign * (top + 2);
      r->bottom -= sign * 4;
      return 0;
    }
    default: return DefWindowProcA(h, msg, wp, lp);
  }
}

}  // namespace

void register_tab_class() {
  WNDCLASSA probe;
  if (GetClassInfoA(nullptr, WC_TABCONTROLA, &probe)) return;
  ctl::register_control_class(WC_TABCONTROLA, tab_proc, CS_DBLCLKS);
}

}  // namespace plat
