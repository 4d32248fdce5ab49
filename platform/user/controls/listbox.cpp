// LISTBOX: single, multiple and extended selection (a click picks one,
// ctrl+click toggles, shift+click and shift+arrows extend), scrolling with the bar, the
// wheel and the keyboard, selection-change and double-click notifications.
#include <algorithm>
#include <cstring>

#include "platform/user/controls/list_common.h"

namespace plat {
namespace {

using namespace ctl;

struct ListBox {
  HFONT font = nullptr;
  Entries list;    // single selection: list.cur is the selected entry
  int caret = 0;   // entry with the focus rectangle
  int anchor = 0;  // extended selection: where a Shift range starts
  bool selecting = false;  // extended selection: the button is down in the list
  VScroll vs;
};

bool multi(HWND h) { return style_of(h) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL); }
bool extended(HWND h) { return (style_of(h) & LBS_EXTENDEDSEL) != 0; }
void redraw(HWND h) { InvalidateRect(h, nullptr, TRUE); }

int row_height(HWND h, ListBox* l) { return ctl::row_height(h, l->font); }

void update_scroll(HWND h, ListBox* l) {
  RECT c;
  GetClientRect(h, &c);
  l->vs.count = static_cast<int>(l->list.items.size());
  l->vs.page = std::max(1, static_cast<int>((c.bottom - c.top) / row_height(h, l)));
  l->vs.clamp();
}

bool bar_shown(HWND h, ListBox* l) {
  return (style_of(h) & WS_VSCROLL) && (l->vs.needed() || (style_of(h) & LBS_DISABLENOSCROLL));
}

void show_entry(HWND h, ListBox* l, int i) {
  update_scroll(h, l);
  if (i < l->vs.first) l->vs.first = i;
  if (i >= l->vs.first + l->vs.page) l->vs.first = i - l->vs.page + 1;
  l->vs.clamp();
}

void notify(HWND h, WORD code) {
  if (style_of(h) & LBS_NOTIFY) notify_parent(h, code);
}

void paint(HWND h, ListBox* l) {
  PaintScope p(h, l->font);
  HDC dc = p.dc();
  if (!dc) return;
  RECT c = p.client();
  HBRUSH bg = control_colours(h, dc, WM_CTLCOLORLISTBOX);
  FillRect(dc, &c, bg);
  update_scroll(h, l);
  RECT area = c;
  if (bar_shown(h, l)) area.right -= kScrollWidth;
  std::vector<bool> hi(l->list.items.size());
  for (std::size_t i = 0; i < l->list.items.size(); ++i)
    hi[i] = multi(h) ? l->list.items[i].selected : static_cast<int>(i) == l->list.cur;
  draw_list(dc, area, l->list.items, l->vs.first, line_height(dc), hi, l->caret, has_focus(h), IsWindowEnabled(h));
  if (bar_shown(h, l)) draw_vscroll(dc, scroll_rect(c), l->vs);
}

int add_entry(HWND h, ListBox* l, const char* s, int at) {
  at = insert_entry(l->list, s, at, (style_of(h) & LBS_SORT) != 0);
  if (at < 0) return LB_ERRSPACE;
  redraw(h);
  return at;
}

// A choice by the user: select entry i (extend: Shift range in extended lists).
void choose(HWND h, ListBox* l, int i, bool toggle) {
  int n = static_cast<int>(l->list.items.size());
  if (n == 0) return;
  i = std::clamp(i, 0, n - 1);
  l->caret = i;
  if (multi(h)) {
    if (toggle) l->list.items[static_cast<std::size_t>(i)].selected = !l->list.items[static_cast<std::size_t>(i)].selected;
  } else {
    l->list.cur = i;
  }
  show_entry(h, l, i);
  redraw(h);
  notify(h, LBN_SELCHANGE);
}

// A choice in an extended-selection list: the entry alone (plain), the
// entry toggled (ctrl), or the run from the anchor to it (shift; with ctrl
// added to what is selected). The anchor moves unless shift is held.
void choose_extended(HWND h, ListBox* l, int i, bool shift, bool ctrl) {
  int n = static_cast<int>(l->list.items.size());
  if (n == 0) return;
  i = std::clamp(i, 0, n - 1);
  const std::vector<ListEntry> before = l->list.items;
  if (shift) {
    const int a = std::clamp(l->anchor, 0, n - 1);
    const int lo = std::min(a, i), hi = std::max(a, i);
    for (int k = 0; k < n; ++k) {
      bool& sel = l->list.items[static_cast<std::size_t>(k)].selected;
      if (k >= lo && k <= hi) sel = true;
      else if (!ctrl) sel = false;
    }
  } else if (ctrl) {
    l->list.items[static_cast<std::size_t>(i)].selected = !l->list.items[static_cast<std::size_t>(i)].selected;
    l->anchor = i;
  } else {
    for (int k = 0; k < n; ++k) l->list.items[static_cast<std::size_t>(k)].selected = k == i;
    l->anchor = i;
  }
  l->caret = i;
  show_entry(h, l, i);
  redraw(h);
  bool changed = false;
  for (int k = 0; k < n && !changed; ++k)
    changed = before[static_cast<std::size_t>(k)].selected != l->list.items[static_cast<std::size_t>(k)].selected;
  if (changed) notify(h, LBN_SELCHANGE);
}

bool key_down(int vk) { return GetKeyState(vk) < 0; }

int entry_at(HWND h, ListBox* l, POINT pt) {
  int i = l->vs.first + static_cast<int>(pt.y / row_height(h, l));
  return i < static_cast<int>(l->list.items.size()) ? i : -1;
}

// ---- Messages, by kind ---------------------------------------------------

LRESULT button_down(HWND h, ListBox* l, WPARAM wp, LPARAM lp) {
  SetFocus(h);
  POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  RECT c;
  GetClientRect(h, &c);
  if (bar_shown(h, l) && pt.x >= c.right - kScrollWidth) {
    update_scroll(h, l);
    if (vscroll_press(scroll_rect(c), l->vs, pt)) redraw(h);
    SetCapture(h);
    return 0;
  }
  int i = entry_at(h, l, pt);
  if (i < 0) return 0;
  if (extended(h)) {
    choose_extended(h, l, i, (wp & MK_SHIFT) != 0, (wp & MK_CONTROL) != 0);
    l->selecting = true;  // dragging with the button down extends the run
    SetCapture(h);
  } else {
    choose(h, l, i, true);
  }
  return 0;
}

LRESULT double_click(HWND h, ListBox* l, WPARAM wp, LPARAM lp) {
  POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  RECT c;
  GetClientRect(h, &c);
  if (bar_shown(h, l) && pt.x >= c.right - kScrollWidth) return SendMessageA(h, WM_LBUTTONDOWN, wp, lp);
  int i = entry_at(h, l, pt);
  if (i >= 0) {
    if (!multi(h) && i != l->list.cur) choose(h, l, i, false);
    notify(h, LBN_DBLCLK);
  }
  return 0;
}

LRESULT mouse_move(HWND h, ListBox* l, WPARAM wp, LPARAM lp) {
  const int n = l->list.count();
  if (l->selecting && !(wp & MK_LBUTTON)) l->selecting = false;
  if (l->selecting) {
    POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    int i = pt.y < 0 ? l->vs.first - 1 : entry_at(h, l, pt);
    if (i < 0 && pt.y >= 0) i = n - 1;
    if (n > 0 && std::clamp(i, 0, n - 1) != l->caret) choose_extended(h, l, i, true, (wp & MK_CONTROL) != 0);
    return 0;
  }
  if (l->vs.dragging) {
    RECT c;
    GetClientRect(h, &c);
    if (vscroll_drag(scroll_rect(c), l->vs, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)})) redraw(h);
  }
  return 0;
}

LRESULT mouse_message(HWND h, ListBox* l, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN: return button_down(h, l, wp, lp);
    case WM_LBUTTONDBLCLK: return double_click(h, l, wp, lp);
    case WM_MOUSEMOVE: return mouse_move(h, l, wp, lp);
    case WM_LBUTTONUP:
      l->vs.dragging = false;
      l->selecting = false;
      if (GetCapture() == h) ReleaseCapture();
      return 0;
    default:  // WM_MOUSEWHEEL
      update_scroll(h, l);
      l->vs.first -= 3 * static_cast<short>(HIWORD(wp)) / 120;
      l->vs.clamp();
      redraw(h);
      return 0;
  }
}

LRESULT key_message(HWND h, ListBox* l, UINT msg, WPARAM wp, LPARAM lp) {
  const int n = l->list.count();
  update_scroll(h, l);
  int from = multi(h) ? l->caret : std::max(l->list.cur, 0);
  int to = -2;
  switch (wp) {
    case VK_UP: to = from - 1; break;
    case VK_DOWN: to = l->list.cur < 0 && !multi(h) ? 0 : from + 1; break;
    case VK_PRIOR: to = from - (l->vs.page - 1); break;
    case VK_NEXT: to = from + (l->vs.page - 1); break;
    case VK_HOME: to = 0; break;
    case VK_END: to = n - 1; break;
    case VK_SPACE:
      if (extended(h) && n) choose_extended(h, l, l->caret, key_down(VK_SHIFT), key_down(VK_CONTROL));
      else if (multi(h) && n) choose(h, l, l->caret, true);
      return 0;
    default: return DefWindowProcA(h, msg, wp, lp);
  }
  if (n == 0) return 0;
  to = std::clamp(to, 0, n - 1);
  if (extended(h) && !(key_down(VK_CONTROL) && !key_down(VK_SHIFT))) {
    // Arrows select as they move; with shift they extend from the
    // anchor; with ctrl alone only the caret moves.
    choose_extended(h, l, to, key_down(VK_SHIFT), key_down(VK_CONTROL));
  } else if (multi(h)) {
    l->caret = to;
    show_entry(h, l, to);
    redraw(h);
  } else if (to != l->list.cur) {
    choose(h, l, to, false);
  }
  return 0;
}

// A typed character jumps to the next entry starting with it.
LRESULT char_message(HWND h, ListBox* l, WPARAM wp) {
  char c = static_cast<char>(wp);
  if (static_cast<unsigned char>(c) < 32) return 0;
  int i = find_entry(l->list.items, multi(h) ? l->caret : l->list.cur, std::string(1, c), false);
  if (i < 0) return 0;
  if (multi(h)) {
    l->caret = i;
    show_entry(h, l, i);
    redraw(h);
  } else {
    choose(h, l, i, false);
  }
  return 0;
}

// The entries: adding, removing, reading them and their data.
LRESULT entry_message(HWND h, ListBox* l, UINT msg, WPARAM wp, LPARAM lp) {
  const int n = l->list.count();
  const int idx = static_cast<int>(static_cast<std::intptr_t>(wp));
  switch (msg) {
    case LB_ADDSTRING: return add_entry(h, l, reinterpret_cast<const char*>(lp), -1);
    case LB_INSERTSTRING: return add_entry(h, l, reinterpret_cast<const char*>(lp), idx < 0 ? n : std::min(idx, n));
    case LB_DELETESTRING:
      if (!delete_entry(l->list, idx)) return LB_ERR;
      redraw(h);
      return n - 1;
    case LB_RESETCONTENT:
      l->list.items.clear();
      l->list.cur = -1;
      l->caret = l->anchor = 0;
      l->vs.first = 0;
      redraw(h);
      return 0;
    case LB_GETCOUNT: return n;
    case LB_GETTEXTLEN: return l->list.has(idx) ? static_cast<LRESULT>(l->list.text(idx).size()) : LB_ERR;
    case LB_GETTEXT: {
      int k = copy_entry_text(l->list, idx, reinterpret_cast<char*>(lp));
      return k < 0 ? LB_ERR : k;
    }
    case LB_GETITEMDATA: return l->list.has(idx) ? l->list.items[static_cast<std::size_t>(idx)].data : LB_ERR;
    case LB_SETITEMDATA:
      if (!l->list.has(idx)) return LB_ERR;
      l->list.items[static_cast<std::size_t>(idx)].data = lp;
      return 0;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
      return find_entry(l->list.items, idx, lp ? reinterpret_cast<const char*>(lp) : "", msg == LB_FINDSTRINGEXACT);
    default: {  // LB_SELECTSTRING
      int i = find_entry(l->list.items, idx, lp ? reinterpret_cast<const char*>(lp) : "", false);
      if (i >= 0 && !multi(h)) SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return i;
    }
  }
}

// The selection, the caret and the view.
LRESULT selection_message(HWND h, ListBox* l, UINT msg, WPARAM wp, LPARAM lp) {
  const int n = l->list.count();
  const int idx = static_cast<int>(static_cast<std::intptr_t>(wp));
  switch (msg) {
    case LB_GETCURSEL: return multi(h) ? l->caret : l->list.cur;
    case LB_SETCURSEL:
      if (multi(h)) return LB_ERR;
      if (idx < 0 || idx >= n) {
        l->list.cur = -1;
        redraw(h);
        return idx == -1 ? 0 : LB_ERR;
      }
      l->list.cur = l->caret = idx;
      show_entry(h, l, idx);
      redraw(h);
      return idx;
    case LB_SETSEL: {
      if (!multi(h)) return LB_ERR;
      int i = static_cast<int>(lp);
      if (i == -1) {
        for (ListEntry& e : l->list.items) e.selected = wp != 0;
      } else if (i >= 0 && i < n) {
        l->list.items[static_cast<std::size_t>(i)].selected = wp != 0;
        l->caret = l->anchor = i;
      } else {
        return LB_ERR;
      }
      redraw(h);
      return 0;
    }
    case LB_SELITEMRANGE: {
      if (!multi(h)) return LB_ERR;
      int first = LOWORD(static_cast<std::uintptr_t>(lp)), last = HIWORD(static_cast<std::uintptr_t>(lp));
      if (first > last) std::swap(first, last);
      for (int i = first; i <= last && i < n; ++i) l->list.items[static_cast<std::size_t>(i)].selected = wp != 0;
      redraw(h);
      return 0;
    }
    case LB_GETSEL:
      if (idx < 0 || idx >= n) return LB_ERR;
      return multi(h) ? (l->list.items[static_cast<std::size_t>(idx)].selected ? 1 : 0) : (idx == l->list.cur ? 1 : 0);
    case LB_GETSELCOUNT: {
      if (!multi(h)) return LB_ERR;
      int k = 0;
      for (const ListEntry& e : l->list.items) k += e.selected ? 1 : 0;
      return k;
    }
    case LB_GETSELITEMS: {
      if (!multi(h)) return LB_ERR;
      int* out = reinterpret_cast<int*>(lp);
      int k = 0;
      for (int i = 0; i < n && k < idx; ++i)
        if (l->list.items[static_cast<std::size_t>(i)].selected) out[k++] = i;
      return k;
    }
    case LB_GETTOPINDEX: return l->vs.first;
    case LB_SETTOPINDEX:
      update_scroll(h, l);
      l->vs.first = idx;
      l->vs.clamp();
      redraw(h);
      return 0;
    case LB_SETCARETINDEX:
      if (idx < 0 || idx >= n) return LB_ERR;
      l->caret = idx;
      redraw(h);
      return 0;
    default: return l->caret;  // LB_GETCARETINDEX
  }
}

LRESULT listbox_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) attach_state<ListBox>(h);
  ListBox* l = state_of<ListBox>(h);
  if (!l) return DefWindowProcA(h, msg, wp, lp);
  switch (msg) {
    case WM_NCDESTROY:
      free_state<ListBox>(h);
      return DefWindowProcA(h, msg, wp, lp);
    case WM_SETFONT:
      l->font = reinterpret_cast<HFONT>(wp);
      if (lp) redraw(h);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(l->font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(h, l); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      redraw(h);
      notify(h, msg == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
      return 0;
    case WM_ENABLE: redraw(h); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL: return mouse_message(h, l, msg, wp, lp);
    case WM_KEYDOWN: return key_message(h, l, msg, wp, lp);
    case WM_CHAR: return char_message(h, l, wp);
    case LB_ADDSTRING: case LB_INSERTSTRING: case LB_DELETESTRING: case LB_RESETCONTENT: case LB_GETCOUNT:
    case LB_GETTEXTLEN: case LB_GETTEXT: case LB_GETITEMDATA: case LB_SETITEMDATA: case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT: case LB_SELECTSTRING:
      return entry_message(h, l, msg, wp, lp);
    case LB_GETCURSEL: case LB_SETCURSEL: case LB_SETSEL: case LB_SELITEMRANGE: case LB_GETSEL: case LB_GETSELCOUNT:
    case LB_GETSELITEMS: case LB_GETTOPINDEX: case LB_SETTOPINDEX: case LB_SETCARETINDEX: case LB_GETCARETINDEX:
      return selection_message(h, l, msg, wp, lp);
    case LB_SETTABSTOPS: return TRUE;
    default: return DefWindowProcA(h, msg, wp, lp);
  }
}

}  // namespace

void register_listbox_class() { register_control_class("LISTBOX", listbox_proc, CS_DBLCLKS); }

}  // namespace plat
