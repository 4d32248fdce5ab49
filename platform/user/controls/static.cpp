// STATIC: text (left, centred, right, wrapped or not), filled and framed
// rectangles, etched lines and frames, bitmaps and icons (drawn through
// their mask).
#include "platform/user/controls/control_common.h"

namespace plat {
namespace {

using namespace ctl;

struct Static {
  HFONT font = nullptr;
  HGDIOBJ image = nullptr;
};

void frame(HDC dc, const RECT& r, COLORREF c) {
  hline(dc, r.left, r.right, r.top, c);
  hline(dc, r.left, r.right, r.bottom - 1, c);
  vline(dc, r.left, r.top, r.bottom, c);
  vline(dc, r.right - 1, r.top, r.bottom, c);
}

int text_width(HDC dc, const std::string& s) {
  return static_cast<int>(draw_text(dc, RECT{0, 0, 0x7fff, 0x7fff}, s, kMeasure).cx);
}

// The end of a path that fits `width` after "...": from the first "/"
// whose rest fits, else the last characters that fit.
std::string path_end(HDC dc, const std::string& path, int width) {
  if (text_width(dc, path) <= width) return path;
  const std::string dots = "...";
  for (std::size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1))
    if (text_width(dc, dots + path.substr(at)) <= width) return dots + path.substr(at);
  std::size_t from = path.size();
  while (from > 0 && text_width(dc, dots + path.substr(from - 1)) <= width) --from;
  return dots + path.substr(from);
}

void paint(HWND h, Static* s) {
  PaintScope p(h, s->font);
  HDC dc = p.dc();
  if (!dc) return;
  RECT r = p.client();
  DWORD style = style_of(h);
  DWORD type = style & SS_TYPEMASK;
  HBRUSH bg = control_colours(h, dc, WM_CTLCOLORSTATIC);
  switch (type) {
    case SS_BLACKRECT: fill(dc, r, sys_colour(COLOR_WINDOWFRAME)); return;
    case SS_GRAYRECT: fill(dc, r, sys_colour(COLOR_BTNSHADOW)); return;
    case SS_WHITERECT: fill(dc, r, sys_colour(COLOR_BTNHIGHLIGHT)); return;
    default: break;
  }
  FillRect(dc, &r, bg);
  switch (type) {
    case SS_BLACKFRAME: frame(dc, r, sys_colour(COLOR_WINDOWFRAME)); return;
    case SS_GRAYFRAME: frame(dc, r, sys_colour(COLOR_BTNSHADOW)); return;
    case SS_WHITEFRAME: frame(dc, r, sys_colour(COLOR_BTNHIGHLIGHT)); return;
    case SS_ETCHEDFRAME: draw_etched_frame(dc, r); return;
    case SS_ETCHEDHORZ:
      hline(dc, r.left, r.right, r.top, sys_colour(COLOR_BTNSHADOW));
      hline(dc, r.left, r.right, r.top + 1, sys_colour(COLOR_BTNHIGHLIGHT));
      return;
    case SS_ETCHEDVERT:
      vline(dc, r.left, r.top, r.bottom, sys_colour(COLOR_BTNSHADOW));
      vline(dc, r.left + 1, r.top, r.bottom, sys_colour(COLOR_BTNHIGHLIGHT));
      return;
    case SS_BITMAP:
    case SS_ICON: {
      int iw = 0, ih = 0;
      if (type == SS_ICON && GetIconSize(s->image, &iw, &ih)) {
        const bool centre = (style & SS_CENTERIMAGE) != 0;
        DrawIcon(dc, centre ? (r.left + r.right - iw) / 2 : r.left, centre ? (r.top + r.bottom - ih) / 2 : r.top,
                 s->image);
        return;
      }
      BITMAP bm;
      if (!s->image || !GetObjectA(s->image, sizeof bm, &bm)) return;
      HDC mem = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(mem, s->image);
      int x = r.left, y = r.top;
      if (style & SS_CENTERIMAGE) {
        x = (r.left + r.right - bm.bmWidth) / 2;
        y = (r.top + r.bottom - bm.bmHeight) / 2;
      }
      BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
      SelectObject(mem, old);
      DeleteDC(mem);
      return;
    }
    default: break;
  }
  unsigned flags = (style & SS_NOPREFIX) ? 0 : kPrefix;
  if (type == SS_CENTER) flags |= kCenter | kWrap;
  else if (type == SS_RIGHT) flags |= kRight | kWrap;
  else if (type == SS_LEFT) flags |= kWrap;
  if (style & SS_CENTERIMAGE) flags |= kVCenter;
  if (!IsWindowEnabled(h)) flags |= kDisabled;
  RECT tr = r;
  if (style & SS_SUNKEN) {
    hline(dc, r.left, r.right, r.top, sys_colour(COLOR_BTNSHADOW));
    vline(dc, r.left, r.top, r.bottom, sys_colour(COLOR_BTNSHADOW));
    hline(dc, r.left, r.right, r.bottom - 1, sys_colour(COLOR_BTNHIGHLIGHT));
    vline(dc, r.right - 1, r.top, r.bottom, sys_colour(COLOR_BTNHIGHLIGHT));
    InflateRect(&tr, -1, -1);
  }
  if (style & SS_PATHELLIPSIS) {
    // One line, its end kept in view.
    draw_text(dc, tr, path_end(dc, window_text(h), tr.right - tr.left), flags & ~(kWrap | kPrefix));
    return;
  }
  draw_text(dc, tr, window_text(h), flags);
}

LRESULT static_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) attach_state<Static>(h);
  Static* s = state_of<Static>(h);
  if (!s) return DefWindowProcA(h, msg, wp, lp);
  switch (msg) {
    case WM_NCDESTROY:
      free_state<Static>(h);
      return DefWindowProcA(h, msg, wp, lp);
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wp);
      if (lp) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(h, s); return 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_NCHITTEST:
      if (!(style_of(h) & SS_NOTIFY)) return HTTRANSPARENT;
      return DefWindowProcA(h, msg, wp, lp);
    case WM_SETTEXT:
    case WM_ENABLE: {
      LRESULT r = msg == WM_SETTEXT ? DefWindowProcA(h, msg, wp, lp) : 0;
      InvalidateRect(h, nullptr, TRUE);
      return r;
    }
    case WM_LBUTTONDOWN:
      if (style_of(h) & SS_NOTIFY) ctl::notify_parent(h, 0);  // STN_CLICKED
      return 0;
    case STM_SETIMAGE:
    case STM_SETICON: {
      HGDIOBJ old = s->image;
      s->image = reinterpret_cast<HGDIOBJ>(msg == STM_SETICON ? wp : static_cast<WPARAM>(lp));
      InvalidateRect(h, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETIMAGE:
    case STM_GETICON: return reinterpret_cast<LRESULT>(s->image);
    default: return DefWindowProcA(h, msg, wp, lp);
  }
}

}  // namespace

void register_static_class() { register_control_class("STATIC", static_proc, 0); }

}  // namespace plat
