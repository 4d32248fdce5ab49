// Drawing of the non-client area: borders (sizing, fixed, thin, client
// edge), the caption bar with its title and its system-menu, minimise,
// maximise and close boxes, and the menu bar's place (its items are drawn
// by the menu code). Everything goes through the drawing layer on the
// window's own device context; the frame's look is the classic grey one.
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/user/desktop.h"
#include "platform/user/menu/menu.h"

namespace plat {

namespace {

void fill(HDC dc, RECT r, COLORREF c) {
  if (rect_empty(r)) return;
  HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &r, b);
  DeleteObject(b);
}

// One ring of a frame: top and left in one colour, bottom and right in another.
void ring(HDC dc, RECT r, COLORREF top_left, COLORREF bottom_right) {
  fill(dc, make_rect(r.left, r.top, r.right - 1, r.top + 1), top_left);
  fill(dc, make_rect(r.left, r.top, r.left + 1, r.bottom - 1), top_left);
  fill(dc, make_rect(r.left, r.bottom - 1, r.right, r.bottom), bottom_right);
  fill(dc, make_rect(r.right - 1, r.top, r.right, r.bottom), bottom_right);
}

RECT shrink(RECT r, int n) { return make_rect(r.left + n, r.top + n, r.right - n, r.bottom - n); }

void line(HDC dc, int x0, int y0, int x1, int y1, COLORREF c) {
  HPEN pen = CreatePen(PS_SOLID, 1, c);
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void draw_border(HWND hwnd, HDC dc, RECT frame) {
  DWORD style = hwnd->style;
  bool active = hwnd->caption_active;
  RECT r = frame;
  if (style & WS_THICKFRAME || (style & WS_CAPTION) == WS_CAPTION || (style & WS_DLGFRAME) ||
      (hwnd->exstyle & WS_EX_DLGMODALFRAME)) {
    ring(dc, r, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    r = shrink(r, 1);
    ring(dc, r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    r = shrink(r, 1);
    int rest = (style & WS_THICKFRAME) ? GetSystemMetrics(SM_CXFRAME) - 2 : GetSystemMetrics(SM_CXDLGFRAME) - 2;
    COLORREF c = (style & WS_THICKFRAME) ? GetSysColor(active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER)
                                         : GetSysColor(COLOR_BTNFACE);
    for (int i = 0; i < rest; ++i) {
      ring(dc, r, c, c);
      r = shrink(r, 1);
    }
  } else if (style & WS_BORDER) {
    ring(dc, r, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
    r = shrink(r, 1);
  }
  if (hwnd->exstyle & WS_EX_CLIENTEDGE) {
    ring(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    r = shrink(r, 1);
    ring(dc, r, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
  }
}

enum class Glyph { close, maximise, restore, minimise };

void draw_button(HDC dc, RECT b, Glyph g, bool enabled) {
  if (rect_empty(b)) return;
  fill(dc, b, GetSysColor(COLOR_BTNFACE));
  ring(dc, b, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
  RECT in = shrink(b, 1);
  fill(dc, make_rect(in.left, in.bottom - 1, in.right, in.bottom), GetSysColor(COLOR_BTNSHADOW));
  fill(dc, make_rect(in.right - 1, in.top, in.right, in.bottom), GetSysColor(COLOR_BTNSHADOW));
  // Glyphs are drawn once offset in white and once in their colour when
  // greyed, as a disabled box shows.
  auto glyph = [&](int dx, int dy, COLORREF c) {
    int x = b.left + 4 + dx, y = b.top + 3 + dy;
    switch (g) {
      case Glyph::close:
        for (int t = 0; t < 2; ++t) {
          line(dc, x + t, y, x + 8 + t, y + 7, c);
          line(dc, x + 7 + t, y, x - 1 + t, y + 7, c);
        }
        break;
      case Glyph::maximise:
        fill(dc, make_rect(x, y, x + 9, y + 2), c);
        fill(dc, make_rect(x, y, x + 1, y + 8), c);
        fill(dc, make_rect(x + 8, y, x + 9, y + 8), c);
        fill(dc, make_rect(x, y + 7, x + 9, y + 8), c);
        break;
      case Glyph::restore:
        fill(dc, make_rect(x + 2, y, x + 8, y + 2), c);
        fill(dc, make_rect(x + 7, y, x + 8, y + 5), c);
        fill(dc, make_rect(x, y + 3, x + 6, y + 5), c);
        fill(dc, make_rect(x, y + 3, x + 1, y + 8), c);
        fill(dc, make_rect(x + 5, y + 3, x + 6, y + 8), c);
        fill(dc, make_rect(x, y + 7, x + 6, y + 8), c);
        break;
      case Glyph::minimise:
        fill(dc, make_rect(x + 1, y + 6, x + 7, y + 8), c);
        break;
    }
  };
  if (enabled) {
    glyph(0, 0, GetSysColor(COLOR_BTNTEXT));
  } else {
    glyph(1, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    glyph(0, 0, GetSysColor(COLOR_GRAYTEXT));
  }
}

void draw_sys_box(HDC dc, RECT b) {
  if (rect_empty(b)) return;
  // A small window: white body, dark frame, blue title strip.
  RECT w = make_rect(b.left + 1, b.top + 2, b.right - 1, b.bottom - 2);
  fill(dc, w, RGB(255, 255, 255));
  ring(dc, w, RGB(0, 0, 0), RGB(0, 0, 0));
  fill(dc, make_rect(w.left + 1, w.top + 1, w.right - 1, w.top + 4), RGB(0, 0, 128));
}

HFONT caption_font() {
  return CreateFontA(-11, 0, 0, 0, 700, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0, "MS Sans Serif");
}

void draw_caption(HWND hwnd, HDC dc, RECT origin) {
  RECT cap = caption_rect(hwnd);
  if (rect_empty(cap)) return;
  auto local = [&](RECT r) { return rect_empty(r) ? r : rect_offset(r, -origin.left, -origin.top); };
  cap = local(cap);
  bool active = hwnd->caption_active;
  fill(dc, cap, GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  // The line between caption and what follows.
  fill(dc, make_rect(cap.left, cap.bottom, cap.right, cap.bottom + 1), GetSysColor(COLOR_BTNFACE));

  RECT sys = local(sys_box_rect(hwnd));
  RECT close = local(close_box_rect(hwnd));
  RECT maxb = local(max_box_rect(hwnd));
  RECT minb = local(min_box_rect(hwnd));
  int text_left = rect_empty(sys) ? cap.left + 3 : sys.right + 3;
  int text_right = cap.right - 2;
  for (const RECT& r : {close, maxb, minb})
    if (!rect_empty(r) && r.left - 2 < text_right) text_right = r.left - 2;

  if (!hwnd->title.empty() && text_right > text_left) {
    HFONT f = caption_font();
    HGDIOBJ old = SelectObject(dc, f);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    // Cut the title to the room before the boxes.
    std::string t = hwnd->title;
    SIZE sz;
    while (!t.empty() && GetTextExtentPoint32A(dc, t.c_str(), static_cast<int>(t.size()), &sz) &&
           sz.cx > text_right - text_left)
      t.pop_back();
    GetTextExtentPoint32A(dc, "Ag", 2, &sz);
    int y = cap.top + (rect_height(cap) - sz.cy) / 2;
    TextOutA(dc, text_left, y, t.c_str(), static_cast<int>(t.size()));
    SelectObject(dc, old);
    DeleteObject(f);
  }
  draw_sys_box(dc, sys);
  draw_button(dc, close, Glyph::close, !(hwnd->cls && (hwnd->cls->style & CS_NOCLOSE)));
  draw_button(dc, maxb, (hwnd->style & WS_MAXIMIZE) ? Glyph::restore : Glyph::maximise,
              (hwnd->style & WS_MAXIMIZEBOX) != 0);
  draw_button(dc, minb, Glyph::minimise, (hwnd->style & WS_MINIMIZEBOX) != 0);
}

// The menu bar's background; the menu code draws its items over it.
void draw_menu_bar_background(HWND hwnd, HDC dc, RECT origin) {
  RECT m = menu_bar_rect(hwnd);
  if (rect_empty(m)) return;
  m = rect_offset(m, -origin.left, -origin.top);
  fill(dc, make_rect(m.left, m.top, m.right, m.bottom - 1), GetSysColor(COLOR_MENU));
  fill(dc, make_rect(m.left, m.bottom - 1, m.right, m.bottom), GetSysColor(COLOR_BTNFACE));
}

}  // namespace

void nc_paint(HWND hwnd) {
  if (!IsWindow(hwnd) || !really_visible(hwnd)) return;
  FrameMetrics m = frame_metrics(hwnd->style, hwnd->exstyle, hwnd->menu && !hwnd->parent);
  if (!m.border && !m.caption && !m.menu) return;
  HDC dc = GetWindowDC(hwnd);
  if (!dc) return;
  RECT origin = window_rect_on_surface(hwnd);
  RECT frame = make_rect(0, 0, rect_width(hwnd->rect), rect_height(hwnd->rect));
  draw_border(hwnd, dc, frame);
  draw_caption(hwnd, dc, origin);
  draw_menu_bar_background(hwnd, dc, origin);
  RECT bar = menu_bar_rect(hwnd);
  if (!rect_empty(bar)) menu_bar_paint(hwnd, dc, rect_offset(bar, -origin.left, -origin.top));
  ReleaseDC(hwnd, dc);
}

void fill_with_class_brush(HDC dc, RECT r, HBRUSH brush) {
  auto v = reinterpret_cast<std::uintptr_t>(brush);
  if (v > 0 && v <= static_cast<std::uintptr_t>(COLOR_COUNT)) brush = GetSysColorBrush(static_cast<int>(v) - 1);
  if (brush) FillRect(dc, &r, brush);
}

HBRUSH GetSysColorBrush(int index) {
  if (index < 0 || index >= COLOR_COUNT) return nullptr;
  HBRUSH& b = desktop().sys_brushes[index];
  if (!b) b = CreateSolidBrush(GetSysColor(index));
  return b;
}

}  // namespace plat
