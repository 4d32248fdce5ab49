// COMBOBOX: drop-down lists and editable drop-down fields. The window is
// as tall as its template says (field and list together, as usual for
// combo boxes); closed, it keeps only the field's height, and dropping it
// down gives it back the full height, in front of its siblings.
#include <algorithm>
#include <cstring>

#include "platform/user/controls/list_common.h"
#include "platform/user/desktop.h"

namespace plat {
namespace {

using namespace ctl;

inline constexpr int kEditId = 1001;  // the edit field of an editable combo box
inline constexpr int kButtonWidth = 16;

struct Combo {
  HFONT font = nullptr;
  Entries list;  // list.cur: the entry in the field
  int hot = -1;  // entry under the pointer or the arrows while dropped
  bool dropped = false;
  int full_height = 0;
  int field_height = 0;
  HWND edit = nullptr;
  VScroll vs;
};

DWORD kind(HWND h) { return style_of(h) & CBS_TYPEMASK; }
bool editable(HWND h) { return kind(h) != CBS_DROPDOWNLIST; }
void redraw(HWND h) { InvalidateRect(h, nullptr, TRUE); }

int row_height(HWND h, Combo* c) { return ctl::row_height(h, c->font); }

RECT field_rect(HWND h, Combo* c) {
  RECT r;
  GetClientRect(h, &r);
  r.bottom = c->field_height;
  return r;
}
RECT button_rect(HWND h, Combo* c) {
  RECT f = field_rect(h, c);
  return RECT{f.right - 2 - kButtonWidth, f.top + 2, f.right - 2, f.bottom - 2};
}
RECT list_rect(HWND h, Combo* c) {
  RECT r;
  GetClientRect(h, &r);
  r.top = c->field_height;
  return r;
}

void size_window(HWND h, Combo* c, int height) {
  RECT w;
  GetWindowRect(h, &w);
  SetWindowPos(h, nullptr, 0, 0, w.right - w.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  (void)c;
}

void show_text(HWND h, Combo* c) {
  if (c->edit && c->list.cur >= 0) SetWindowTextA(c->edit, c->list.items[static_cast<std::size_t>(c->list.cur)].text.c_str());
  redraw(h);
}

void drop(HWND h, Combo* c, bool down) {
  if (down == c->dropped) return;
  c->dropped = down;
  if (down) {
    ctl::notify_parent(h, CBN_DROPDOWN);
    int rows = std::max(1, (c->full_height - c->field_height - 2) / row_height(h, c));
    int n = static_cast<int>(c->list.items.size());
    int list_h = std::min(rows, std::max(1, n)) * row_height(h, c) + 2;
    c->vs.count = n;
    c->vs.page = std::min(rows, std::max(1, n));
    c->hot = c->list.cur;
    if (c->hot >= 0 && c->hot >= c->vs.first + c->vs.page) c->vs.first = c->hot - c->vs.page + 1;
    c->vs.clamp();
    size_window(h, c, c->field_height + list_h);
    // The list lies over the controls below: they never draw over it.
    keep_on_top(h, true);
    SetCapture(h);
  } else {
    if (GetCapture() == h) ReleaseCapture();
    keep_on_top(h, false);
    // What the list covered is drawn again, the controls there included.
    RECT covered;
    GetWindowRect(h, &covered);
    HWND parent = GetParent(h);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&covered), 2);
    size_window(h, c, c->field_height);
    if (parent) RedrawWindow(parent, &covered, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    ctl::notify_parent(h, CBN_CLOSEUP);
  }
  redraw(h);
}

void select_entry(HWND h, Combo* c, int i, bool notify) {
  int n = static_cast<int>(c->list.items.size());
  if (n == 0) return;
  i = std::clamp(i, 0, n - 1);
  bool changed = i != c->list.cur;
  c->list.cur = i;
  show_text(h, c);
  if (c->edit) SendMessageA(c->edit, EM_SETSEL, 0, -1);
  if (notify && changed) ctl::notify_parent(h, CBN_SELCHANGE);
}

void paint(HWND h, Combo* c) {
  PaintScope p(h, c->font);
  HDC dc = p.dc();
  if (!dc) return;
  bool enabled = IsWindowEnabled(h);
  HBRUSH bg = control_colours(h, dc, WM_CTLCOLOREDIT);
  RECT f = field_rect(h, c);
  FillRect(dc, &f, enabled ? bg : GetSysColorBrush(COLOR_BTNFACE));
  draw_sunken_edge(dc, f);
  RECT b = button_rect(h, c);
  if (!editable(h)) {
    RECT t{f.left + 3, f.top + 3, b.left - 1, f.bottom - 3};
    bool focused = has_focus(h) && !c->dropped;
    if (focused) fill(dc, t, sys_colour(COLOR_HIGHLIGHT));
    SetTextColor(dc, focused ? sys_colour(COLOR_HIGHLIGHTTEXT) : sys_colour(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    RECT tt = t;
    tt.left += 2;
    // A text too long for the field ends at the field's edge: it never
    // runs under the button or over the border.
    HRGN clip = CreateRectRgn(t.left, t.top, t.right, t.bottom);
    SelectClipRgn(dc, clip);
    if (c->list.cur >= 0) draw_text(dc, tt, c->list.items[static_cast<std::size_t>(c->list.cur)].text, kVCenter);
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
    if (focused) draw_focus_rect(dc, t);
  }
  fill(dc, b, sys_colour(COLOR_BTNFACE));
  draw_button_edge(dc, b, c->dropped);
  int cx = (b.left + b.right) / 2 - 1 + (c->dropped ? 1 : 0), cy = (b.top + b.bottom) / 2 - 1 + (c->dropped ? 1 : 0);
  for (int i = 0; i < 4; ++i)
    hline(dc, cx - 3 + i, cx + 4 - i, cy - 1 + i, sys_colour(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  if (c->dropped) {
    RECT l = list_rect(h, c);
    fill(dc, l, sys_colour(COLOR_WINDOW));
    COLORREF k = sys_colour(COLOR_WINDOWFRAME);
    hline(dc, l.left, l.right, l.top, k);
    hline(dc, l.left, l.right, l.bottom - 1, k);
    vline(dc, l.left, l.top, l.bottom, k);
    vline(dc, l.right - 1, l.top, l.bottom, k);
    RECT area{l.left + 1, l.top + 1, l.right - 1, l.bottom - 1};
    if (c->vs.needed()) area.right -= kScrollWidth;
    std::vector<bool> hi(c->list.items.size());
    if (c->hot >= 0 && c->hot < static_cast<int>(hi.size())) hi[static_cast<std::size_t>(c->hot)] = true;
    SetTextColor(dc, sys_colour(COLOR_WINDOWTEXT));
    draw_list(dc, area, c->list.items, c->vs.first, line_height(dc), hi, -1, false, true);
    if (c->vs.needed()) draw_vscroll(dc, RECT{area.right, area.top, area.right + kScrollWidth, area.bottom}, c->vs);
  }
}

int add_entry(HWND h, Combo* c, const char* s, int at) {
  at = insert_entry(c->list, s, at, (style_of(h) & CBS_SORT) != 0);
  if (at < 0) return CB_ERR;
  redraw(h);
  return at;
}

int entry_at(HWND h, Combo* c, POINT pt) {
  RECT l = list_rect(h, c);
  if (!PtInRect(&l, pt)) return -1;
  int i = c->vs.first + static_cast<int>((pt.y - l.top - 1) / row_height(h, c));
  return c->list.has(i) ? i : -1;
}

// The scroll bar of the dropped list.
RECT list_bar_rect(HWND h, Combo* c) {
  RECT l = list_rect(h, c);
  return RECT{l.right - 1 - kScrollWidth, l.top + 1, l.right - 1, l.bottom - 1};
}

// ---- Messages, by kind ---------------------------------------------------

LRESULT create(HWND h, Combo* c, LPARAM lp) {
  const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lp);
  c->full_height = cs ? cs->cy : 100;
  c->field_height = row_height(h, c) + 8;
  if (editable(h)) {
    RECT w;
    GetClientRect(h, &w);
    c->edit = CreateWindowExA(0, "EDIT", cs && cs->lpszName ? cs->lpszName : "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                              3, 3, w.right - 6 - kButtonWidth - 1, c->field_height - 6, h,
                              reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kEditId)), nullptr, nullptr);
  }
  size_window(h, c, c->field_height);
  return 0;
}

// The text: the edit field's, or the selected entry's in a drop-down list.
LRESULT text_message(HWND h, Combo* c, UINT msg, WPARAM wp, LPARAM lp) {
  if (c->edit) return SendMessageA(c->edit, msg, wp, lp);
  (void)h;
  const std::string t = c->list.cur >= 0 ? c->list.text(c->list.cur) : "";
  if (msg == WM_SETTEXT) return CB_ERR;
  if (msg == WM_GETTEXTLENGTH) return static_cast<LRESULT>(t.size());
  if (!lp || wp == 0) return 0;
  std::size_t k = std::min(t.size(), static_cast<std::size_t>(wp) - 1);
  std::memcpy(reinterpret_cast<char*>(lp), t.data(), k);
  reinterpret_cast<char*>(lp)[k] = 0;
  return static_cast<LRESULT>(k);
}

LRESULT button_down(HWND h, Combo* c, UINT msg, LPARAM lp) {
  POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  if (c->dropped) {
    RECT bar = list_bar_rect(h, c);
    if (c->vs.needed() && PtInRect(&bar, pt)) {
      if (vscroll_press(bar, c->vs, pt)) redraw(h);
      return 0;
    }
    int i = entry_at(h, c, pt);
    drop(h, c, false);
    if (i >= 0) {
      select_entry(h, c, i, true);
      if (msg == WM_LBUTTONDBLCLK) ctl::notify_parent(h, CBN_DBLCLK);
    }
    return 0;
  }
  if (!has_focus(h) && !(c->edit && GetFocus() == c->edit)) SetFocus(h);
  RECT b = button_rect(h, c), f = field_rect(h, c);
  if (PtInRect(&b, pt) || (!editable(h) && PtInRect(&f, pt))) drop(h, c, true);
  return 0;
}

LRESULT mouse_move(HWND h, Combo* c, LPARAM lp) {
  if (!c->dropped) return 0;
  if (c->vs.dragging) {
    if (vscroll_drag(list_bar_rect(h, c), c->vs, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)})) redraw(h);
    return 0;
  }
  int i = entry_at(h, c, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
  if (i >= 0 && i != c->hot) {
    c->hot = i;
    redraw(h);
  }
  return 0;
}

LRESULT key_message(HWND h, Combo* c, UINT msg, WPARAM wp, LPARAM lp) {
  const int n = c->list.count();
  bool alt = msg == WM_SYSKEYDOWN;
  if (wp == VK_F(4) || (alt && (wp == VK_DOWN || wp == VK_UP))) {
    if (c->dropped && c->hot >= 0) select_entry(h, c, c->hot, true);
    drop(h, c, !c->dropped);
    return 0;
  }
  if (alt) return DefWindowProcA(h, msg, wp, lp);
  if (c->dropped && (wp == VK_RETURN || wp == VK_ESCAPE)) {
    if (wp == VK_RETURN && c->hot >= 0) select_entry(h, c, c->hot, true);
    drop(h, c, false);
    return 0;
  }
  int from = c->dropped ? c->hot : c->list.cur;
  int to = -2;
  if (wp == VK_UP) to = from - 1;
  else if (wp == VK_DOWN) to = from + 1;
  else if (wp == VK_HOME) to = 0;
  else if (wp == VK_END) to = n - 1;
  else if (wp == VK_PRIOR) to = from - 8;
  else if (wp == VK_NEXT) to = from + 8;
  if (to == -2 || n == 0) return DefWindowProcA(h, msg, wp, lp);
  to = std::clamp(to, 0, n - 1);
  if (c->dropped) {
    c->hot = to;
    if (to < c->vs.first) c->vs.first = to;
    if (to >= c->vs.first + c->vs.page) c->vs.first = to - c->vs.page + 1;
    c->vs.clamp();
    redraw(h);
  } else {
    select_entry(h, c, to, true);
  }
  return 0;
}

LRESULT char_message(HWND h, Combo* c, WPARAM wp) {
  if (editable(h) || static_cast<unsigned char>(wp) < 32) return 0;
  int i = find_entry(c->list.items, c->dropped ? c->hot : c->list.cur, std::string(1, static_cast<char>(wp)), false);
  if (i < 0) return 0;
  if (c->dropped) {
    c->hot = i;
    redraw(h);
  } else {
    select_entry(h, c, i, true);
  }
  return 0;
}

// The entries and the selection.
LRESULT entry_message(HWND h, Combo* c, UINT msg, WPARAM wp, LPARAM lp) {
  const int n = c->list.count();
  const int idx = static_cast<int>(static_cast<std::intptr_t>(wp));
  switch (msg) {
    case CB_ADDSTRING: return add_entry(h, c, reinterpret_cast<const char*>(lp), -1);
    case CB_INSERTSTRING: return add_entry(h, c, reinterpret_cast<const char*>(lp), idx < 0 ? n : std::min(idx, n));
    case CB_DELETESTRING:
      if (!delete_entry(c->list, idx)) return CB_ERR;
      redraw(h);
      return n - 1;
    case CB_RESETCONTENT:
      c->list.items.clear();
      c->list.cur = -1;
      c->vs.first = 0;
      if (c->edit) SetWindowTextA(c->edit, "");
      redraw(h);
      return CB_OKAY;
    case CB_GETCOUNT: return n;
    case CB_GETCURSEL: return c->list.cur;
    case CB_SETCURSEL:
      if (idx < 0 || idx >= n) {
        c->list.cur = -1;
        if (c->edit) SetWindowTextA(c->edit, "");
        redraw(h);
        return CB_ERR;
      }
      c->list.cur = idx;
      show_text(h, c);
      return idx;
    case CB_GETLBTEXTLEN: return c->list.has(idx) ? static_cast<LRESULT>(c->list.text(idx).size()) : CB_ERR;
    case CB_GETLBTEXT: {
      int k = copy_entry_text(c->list, idx, reinterpret_cast<char*>(lp));
      return k < 0 ? CB_ERR : k;
    }
    case CB_GETITEMDATA: return c->list.has(idx) ? c->list.items[static_cast<std::size_t>(idx)].data : CB_ERR;
    case CB_SETITEMDATA:
      if (!c->list.has(idx)) return CB_ERR;
      c->list.items[static_cast<std::size_t>(idx)].data = lp;
      return CB_OKAY;
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
      return find_entry(c->list.items, idx, lp ? reinterpret_cast<const char*>(lp) : "", msg == CB_FINDSTRINGEXACT);
    default: {  // CB_SELECTSTRING
      int i = find_entry(c->list.items, idx, lp ? reinterpret_cast<const char*>(lp) : "", false);
      if (i >= 0) SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return i;
    }
  }
}

// The edit field of an editable combo box, and the dropped list.
LRESULT field_message(HWND h, Combo* c, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case CB_LIMITTEXT:
      if (c->edit) SendMessageA(c->edit, EM_LIMITTEXT, wp, 0);
      return TRUE;
    case CB_GETEDITSEL: return c->edit ? SendMessageA(c->edit, EM_GETSEL, wp, lp) : CB_ERR;
    case CB_SETEDITSEL:
      return c->edit ? (SendMessageA(c->edit, EM_SETSEL, LOWORD(lp), static_cast<short>(HIWORD(lp))), TRUE) : CB_ERR;
    case CB_SHOWDROPDOWN: drop(h, c, wp != 0); return TRUE;
    default: return c->dropped ? TRUE : FALSE;  // CB_GETDROPPEDSTATE
  }
}

// What the edit field tells its combo box, passed on as the combo box's own.
LRESULT edit_notification(HWND h, Combo* c, WPARAM wp, LPARAM lp) {
  if (!c->edit || reinterpret_cast<HWND>(lp) != c->edit) return 0;
  WORD code = HIWORD(wp);
  if (code == EN_CHANGE) ctl::notify_parent(h, CBN_EDITCHANGE);
  if (code == EN_SETFOCUS) ctl::notify_parent(h, CBN_SETFOCUS);
  if (code == EN_KILLFOCUS) ctl::notify_parent(h, CBN_KILLFOCUS);
  return 0;
}

LRESULT combo_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) attach_state<Combo>(h);
  Combo* c = state_of<Combo>(h);
  if (!c) return DefWindowProcA(h, msg, wp, lp);
  switch (msg) {
    case WM_NCDESTROY:
      free_state<Combo>(h);
      return DefWindowProcA(h, msg, wp, lp);
    case WM_CREATE: return create(h, c, lp);
    case WM_SETFONT:
      c->font = reinterpret_cast<HFONT>(wp);
      if (c->edit) SendMessageA(c->edit, WM_SETFONT, wp, lp);
      if (lp) redraw(h);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(c->font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(h, c); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS | (c->dropped ? DLGC_WANTALLKEYS : 0);
    case WM_SETFOCUS:
      if (c->edit) {
        SetFocus(c->edit);
        return 0;
      }
      redraw(h);
      ctl::notify_parent(h, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (reinterpret_cast<HWND>(wp) != c->edit) drop(h, c, false);
      redraw(h);
      if (!c->edit) ctl::notify_parent(h, CBN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      if (c->edit) EnableWindow(c->edit, wp != 0);
      redraw(h);
      return 0;
    case WM_COMMAND: return edit_notification(h, c, wp, lp);
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: return text_message(h, c, msg, wp, lp);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return button_down(h, c, msg, lp);
    case WM_MOUSEMOVE: return mouse_move(h, c, lp);
    case WM_LBUTTONUP: c->vs.dragging = false; return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: return key_message(h, c, msg, wp, lp);
    case WM_CHAR: return char_message(h, c, wp);
    case CB_ADDSTRING: case CB_INSERTSTRING: case CB_DELETESTRING: case CB_RESETCONTENT: case CB_GETCOUNT:
    case CB_GETCURSEL: case CB_SETCURSEL: case CB_GETLBTEXTLEN: case CB_GETLBTEXT: case CB_GETITEMDATA:
    case CB_SETITEMDATA: case CB_FINDSTRING: case CB_FINDSTRINGEXACT: case CB_SELECTSTRING:
      return entry_message(h, c, msg, wp, lp);
    case CB_LIMITTEXT: case CB_GETEDITSEL: case CB_SETEDITSEL: case CB_SHOWDROPDOWN: case CB_GETDROPPEDSTATE:
      return field_message(h, c, msg, wp, lp);
    default: return DefWindowProcA(h, msg, wp, lp);
  }
}

}  // namespace

void register_combobox_class() { register_control_class("COMBOBOX", combo_proc, CS_DBLCLKS); }

}  // namespace plat
