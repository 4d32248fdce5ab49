// BUTTON: push and default push buttons, check boxes (plain, automatic,
// 3-state), radio buttons (plain, automatic) and group boxes; push buttons
// show a bitmap (BS_BITMAP) or an icon (BS_ICON) in place of their text.
#include <strings.h>

#include <algorithm>

#include "platform/user/controls/control_common.h"

namespace plat {
namespace {

using namespace ctl;

struct Button {
  HFONT font = nullptr;
  Press press;
  WPARAM check = BST_UNCHECKED;
  HGDIOBJ image = nullptr;  // bitmap of a BS_BITMAP button, icon of a BS_ICON one
};

DWORD kind(HWND h) { return style_of(h) & BS_TYPEMASK; }
bool is_push(DWORD k) { return k == BS_PUSHBUTTON || k == BS_DEFPUSHBUTTON; }
bool is_radio(DWORD k) { return k == BS_RADIOBUTTON || k == BS_AUTORADIOBUTTON; }

void redraw(HWND h) { InvalidateRect(h, nullptr, TRUE); }

// An automatic radio button that is clicked clears the automatic radio
// buttons of its group: the siblings from the nearest one at or before it
// with WS_GROUP up to the one before the next with WS_GROUP.
void clear_group_radios(HWND h) {
  HWND parent = GetParent(h);
  if (!parent) return;
  HWND start = h;
  while (!(style_of(start) & WS_GROUP)) {
    HWND prev = GetWindow(start, GW_HWNDPREV);
    if (!prev) break;
    start = prev;
  }
  for (HWND w = start; w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w != start && (style_of(w) & WS_GROUP)) break;
    if (w == h) continue;
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (strcasecmp(cls, "BUTTON") == 0 && (style_of(w) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
      SendMessageA(w, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void click(HWND h, Button* b) {
  switch (kind(h)) {
    case BS_AUTOCHECKBOX: SendMessageA(h, BM_SETCHECK, b->check ? BST_UNCHECKED : BST_CHECKED, 0); break;
    case BS_AUTO3STATE: SendMessageA(h, BM_SETCHECK, (b->check + 1) % 3, 0); break;
    case BS_AUTORADIOBUTTON:
      SendMessageA(h, BM_SETCHECK, BST_CHECKED, 0);
      clear_group_radios(h);
      break;
    default: break;
  }
  notify_parent(h, BN_CLICKED);
}

void draw_check_mark(HDC dc, int x, int y, COLORREF c) {
  // A 7 x 7 tick, three pixels thick.
  static const int rows[7] = {2, 3, 4, 3, 2, 1, 0};  // column -> top row of the stroke
  for (int i = 0; i < 7; ++i) vline(dc, x + i, y + rows[i], y + rows[i] + 3, c);
}

void paint_push(HDC dc, RECT r, HWND h, const Button* b, bool enabled) {
  bool pressed = b->press.shown();
  bool focused = has_focus(h);
  bool def = kind(h) == BS_DEFPUSHBUTTON;
  fill(dc, r, sys_colour(COLOR_BTNFACE));
  if (def || focused) {
    RECT o = r;
    COLORREF k = sys_colour(COLOR_3DDKSHADOW);
    hline(dc, o.left, o.right, o.top, k);
    hline(dc, o.left, o.right, o.bottom - 1, k);
    vline(dc, o.left, o.top, o.bottom, k);
    vline(dc, o.right - 1, o.top, o.bottom, k);
    InflateRect(&r, -1, -1);
  }
  draw_button_edge(dc, r, pressed);
  RECT t = r;
  if (pressed) OffsetRect(&t, 1, 1);
  int iw = 0, ih = 0;
  if (b->image && (style_of(h) & BS_ICON) && GetIconSize(b->image, &iw, &ih)) {
    DrawIcon(dc, (t.left + t.right - iw) / 2, (t.top + t.bottom - ih) / 2, b->image);
  } else if (b->image && (style_of(h) & BS_BITMAP)) {
    BITMAP bm;
    if (GetObjectA(b->image, sizeof bm, &bm)) {
      HDC mem = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(mem, b->image);
      int x = (t.left + t.right - bm.bmWidth) / 2, y = (t.top + t.bottom - bm.bmHeight) / 2;
      BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
      SelectObject(mem, old);
      DeleteDC(mem);
    }
  } else {
    SetTextColor(dc, sys_colour(COLOR_BTNTEXT));
    draw_text(dc, t, window_text(h), kCenter | kVCenter | kPrefix | (enabled ? 0 : kDisabled));
  }
  if (focused) {
    RECT f = r;
    InflateRect(&f, -3, -3);
    draw_focus_rect(dc, f);
  }
}

void paint_mark(HDC dc, RECT r, HWND h, const Button* b, bool enabled) {
  DWORD k = kind(h);
  int box = 13;
  bool left_text = style_of(h) & BS_LEFTTEXT;
  int by = r.top + (r.bottom - r.top - box) / 2;
  int bx = left_text ? r.right - box : r.left;
  RECT m{bx, by, bx + box, by + box};
  bool pushed = b->press.shown();
  if (is_radio(k)) {
    RECT c{bx, by, bx + 12, by + 12};
    HPEN pen = CreatePen(PS_SOLID, 1, sys_colour(COLOR_BTNSHADOW));
    HBRUSH well = CreateSolidBrush(sys_colour(pushed || !enabled ? COLOR_BTNFACE : COLOR_WINDOW));
    HGDIOBJ op = SelectObject(dc, pen), ob = SelectObject(dc, well);
    Ellipse(dc, c.left, c.top, c.right, c.bottom);
    HPEN dark = CreatePen(PS_SOLID, 1, sys_colour(COLOR_3DDKSHADOW));
    SelectObject(dc, dark);
    Arc(dc, c.left + 1, c.top + 1, c.right - 1, c.bottom - 1, c.right, c.top, c.left, c.bottom);
    if (b->check) {
      HBRUSH dot = CreateSolidBrush(sys_colour(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
      HPEN none = static_cast<HPEN>(GetStockObject(NULL_PEN));
      SelectObject(dc, none);
      SelectObject(dc, dot);
      Ellipse(dc, c.left + 4, c.top + 4, c.left + 9, c.top + 9);
      SelectObject(dc, ob);
      DeleteObject(dot);
    }
    SelectObject(dc, op);
    SelectObject(dc, ob);
    DeleteObject(pen);
    DeleteObject(dark);
    DeleteObject(well);
  } else {
    bool grey_well = pushed || !enabled || b->check == BST_INDETERMINATE;
    fill(dc, m, sys_colour(grey_well ? COLOR_BTNFACE : COLOR_WINDOW));
    draw_sunken_edge(dc, m);
    if (b->check) {
      COLORREF c = sys_colour(b->check == BST_INDETERMINATE || !enabled ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
      draw_check_mark(dc, m.left + 3, m.top + 3, c);
    }
  }
  RECT t = r;
  if (left_text) t.right = bx - 4;
  else t.left = bx + box + 4;
  SetTextColor(dc, sys_colour(COLOR_WINDOWTEXT));
  std::string text = window_text(h);
  draw_text(dc, t, text, kLeft | kVCenter | kPrefix | (enabled ? 0 : kDisabled));
  if (has_focus(h) && !text.empty()) {
    SIZE s = draw_text(dc, t, text, kPrefix | kMeasure);
    int top = t.top + (t.bottom - t.top - s.cy) / 2;
    RECT f{t.left - 1, top - 1, std::min<LONG>(t.left + s.cx + 2, t.right), top + s.cy + 1};
    draw_focus_rect(dc, f);
  }
}

void paint_group(HDC dc, RECT r, HWND h, bool enabled) {
  int lh = line_height(dc);
  RECT frame{r.left, r.top + lh / 2, r.right, r.bottom};
  draw_etched_frame(dc, frame);
  std::string text = window_text(h);
  if (text.empty()) return;
  SIZE s = draw_text(dc, r, text, kPrefix | kMeasure);
  RECT t{r.left + 8, r.top, std::min<LONG>(r.left + 8 + s.cx + 4, r.right - 4), r.top + lh};
  fill(dc, t, GetBkColor(dc));
  RECT tt = t;
  tt.left += 2;
  SetTextColor(dc, sys_colour(COLOR_WINDOWTEXT));
  draw_text(dc, tt, text, kPrefix | (enabled ? 0 : kDisabled));
}

void paint(HWND h, Button* b) {
  PaintScope p(h, b->font);
  HDC dc = p.dc();
  if (!dc) return;
  RECT r = p.client();
  HBRUSH bg = control_colours(h, dc, WM_CTLCOLORBTN);
  DWORD k = kind(h);
  bool enabled = IsWindowEnabled(h);
  if (is_push(k)) {
    paint_push(dc, r, h, b, enabled);
    return;
  }
  // A group box draws only its frame and caption: the controls inside it
  // show through.
  if (k != BS_GROUPBOX) FillRect(dc, &r, bg);
  if (k == BS_GROUPBOX) paint_group(dc, r, h, enabled);
  else paint_mark(dc, r, h, b, enabled);
}

LRESULT button_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) attach_state<Button>(h);
  Button* b = state_of<Button>(h);
  if (!b) return DefWindowProcA(h, msg, wp, lp);
  DWORD k = kind(h);
  switch (msg) {
    case WM_NCDESTROY:
      free_state<Button>(h);
      return DefWindowProcA(h, msg, wp, lp);
    case WM_SETFONT:
      b->font = reinterpret_cast<HFONT>(wp);
      if (lp) redraw(h);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(b->font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(h, b); return 0;
    case WM_NCHITTEST:
      if (k == BS_GROUPBOX) return HTTRANSPARENT;
      return DefWindowProcA(h, msg, wp, lp);
    case WM_GETDLGCODE:
      if (k == BS_GROUPBOX) return DLGC_STATIC;
      if (k == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      if (k == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      if (is_radio(k)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
      return DLGC_BUTTON;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(h, msg, wp, lp);
      redraw(h);
      return r;
    }
    case WM_ENABLE: redraw(h); return 0;
    case WM_SETFOCUS:
      redraw(h);
      if (style_of(h) & BS_NOTIFY) notify_parent(h, BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS: {
      bool clicked = false, changed = false;
      press_input(h, b->press, msg, wp, lp, &clicked, &changed);
      redraw(h);
      if (style_of(h) & BS_NOTIFY) notify_parent(h, BN_KILLFOCUS);
      return 0;
    }
    case BM_GETCHECK: return is_push(k) || k == BS_GROUPBOX ? 0 : static_cast<LRESULT>(b->check);
    case BM_SETCHECK: {
      if (is_push(k) || k == BS_GROUPBOX) return 0;
      WPARAM v = wp;
      if (v > BST_INDETERMINATE) v = BST_CHECKED;
      if (v == BST_INDETERMINATE && k != BS_3STATE && k != BS_AUTO3STATE) v = BST_CHECKED;
      if (v != b->check) {
        b->check = v;
        redraw(h);
      }
      // A checked radio button becomes the group's tab stop.
      if (is_radio(k)) {
        LONG_PTR st = GetWindowLongPtrA(h, GWL_STYLE);
        SetWindowLongPtrA(h, GWL_STYLE, v ? (st | WS_TABSTOP) : (st & ~static_cast<LONG_PTR>(WS_TABSTOP)));
      }
      return 0;
    }
    case BM_GETSTATE:
      return static_cast<LRESULT>(b->check | (b->press.shown() ? BST_PUSHED : 0) | (has_focus(h) ? BST_FOCUS : 0));
    case BM_SETSTATE:
      b->press.key = wp != 0;
      redraw(h);
      return 0;
    case BM_SETSTYLE: {
      LONG_PTR st = GetWindowLongPtrA(h, GWL_STYLE);
      st = (st & ~static_cast<LONG_PTR>(0xFFFF)) | static_cast<LONG_PTR>(wp & 0xFFFF);
      SetWindowLongPtrA(h, GWL_STYLE, st);
      if (lp) redraw(h);
      return 0;
    }
    case BM_CLICK:
      if (IsWindowEnabled(h)) click(h, b);
      return 0;
    case BM_SETIMAGE: {
      HGDIOBJ old = b->image;
      b->image = reinterpret_cast<HGDIOBJ>(lp);
      redraw(h);
      return reinterpret_cast<LRESULT>(old);
    }
    case BM_GETIMAGE: return reinterpret_cast<LRESULT>(b->image);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_CAPTURECHANGED:
    case WM_KEYDOWN:
    case WM_KEYUP: {
      if (k == BS_GROUPBOX) return 0;
      bool clicked = false, changed = false;
      if (!press_input(h, b->press, msg, wp, lp, &clicked, &changed)) return DefWindowProcA(h, msg, wp, lp);
      if (changed) redraw(h);
      if (clicked) click(h, b);
      return 0;
    }
    default: return DefWindowProcA(h, msg, wp, lp);
  }
}

}  // namespace

void register_button_class() { register_control_class("BUTTON", button_proc, CS_DBLCLKS); }

}  // namespace plat
