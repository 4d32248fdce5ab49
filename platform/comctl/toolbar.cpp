// The toolbar ("ToolbarWindow32"): a row of buttons along the top of its
// parent, their images cut from bitmap strips, separators as gaps, check
// buttons that stay down, greyed images for disabled buttons. A click
// sends the button's command to the parent; a tooltip per button shows
// the text the parent gives for it.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/comctl/comctl.h"
#include "platform/display/display.h"
#include "platform/user/controls/control_common.h"
#include "platform/user/desktop.h"
#include "platform/user/load_bitmap.h"

namespace plat {
namespace {

using namespace ctl;

constexpr int kIndent = 2;      // space before the first button
constexpr int kTopLines = 2;    // the etched line along the top
constexpr int kMargin = 2;      // space above and below the buttons
constexpr COLORREF kTransparent = RGB(192, 192, 192);  // the strip's background: button face
constexpr char kToolbarProp[] = "plat.toolbar";

struct Strip {
  HBITMAP bitmap = nullptr;
  int first = 0;  // index of its first image
  int count = 0;
  bool owned = false;  // loaded here from a resource
};

struct Button {
  TBBUTTON b;
  RECT rect;
};

struct Toolbar {
  std::vector<Button> buttons;
  std::vector<Strip> strips;
  int images = 0;
  SIZE bitmap{16, 15};
  SIZE button{23, 22};
  HWND tooltip = nullptr;
  int pressed = -1;  // button held down by the mouse
  bool inside = false;
};

int index_of(const Toolbar* t, int command) {
  for (std::size_t i = 0; i < t->buttons.size(); ++i)
    if (!(t->buttons[i].b.fsStyle & TBSTYLE_SEP) && t->buttons[i].b.idCommand == command) return static_cast<int>(i);
  return -1;
}

int height_of(const Toolbar* t) { return kTopLines + 2 * kMargin + t->button.cy; }

void update_tool(HWND h, Toolbar* t, const Button& b, UINT msg) {
  if (!t->tooltip) return;
  TOOLINFOA info;
  info.hwnd = h;
  info.uId = static_cast<UINT_PTR>(b.b.idCommand);
  info.rect = b.rect;
  info.lpszText = LPSTR_TEXTCALLBACKA;
  SendMessageA(t->tooltip, msg, 0, reinterpret_cast<LPARAM>(&info));
}

void layout(HWND h, Toolbar* t) {
  int x = kIndent;
  const int y = kTopLines + kMargin;
  for (Button& b : t->buttons) {
    const bool sep = (b.b.fsStyle & TBSTYLE_SEP) != 0;
    const int w = sep ? (b.b.iBitmap > 0 ? b.b.iBitmap : kToolbarSeparator) : t->button.cx;
    b.rect = (b.b.fsState & TBSTATE_HIDDEN) ? RECT{x, y, x, y} : RECT{x, y, x + w, y + t->button.cy};
    if (!(b.b.fsState & TBSTATE_HIDDEN)) x += w;
    if (!sep) update_tool(h, t, b, TTM_NEWTOOLRECTA);
  }
}

// Along the top of the parent's client area, as wide as it.
void autosize(HWND h, Toolbar* t) {
  HWND parent = GetParent(h);
  if (!parent) return;
  RECT pc;
  GetClientRect(parent, &pc);
  MoveWindow(h, 0, 0, pc.right - pc.left, height_of(t), TRUE);
}

int button_at(const Toolbar* t, POINT p) {
  for (std::size_t i = 0; i < t->buttons.size(); ++i) {
    const Button& b = t->buttons[i];
    if (!(b.b.fsStyle & TBSTYLE_SEP) && PtInRect(&b.rect, p)) return static_cast<int>(i);
  }
  return -1;
}

// The strip and the column of image `image`.
const Strip* strip_of(const Toolbar* t, int image, int* column) {
  for (const Strip& s : t->strips)
    if (image >= s.first && image < s.first + s.count) {
      *column = image - s.first;
      return &s;
    }
  return nullptr;
}

void draw_image(HDC dc, const Toolbar* t, int image, int x, int y, bool enabled) {
  int column = 0;
  const Strip* s = strip_of(t, image, &column);
  if (!s) return;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, s->bitmap);
  const COLORREF light = sys_colour(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = sys_colour(COLOR_BTNSHADOW);
  const int w = t->bitmap.cx, ht = t->bitmap.cy;
  // Disabled: the image's dark pixels embossed, highlight below and right of shadow.
  for (int pass = enabled ? 1 : 0; pass < 2; ++pass)
    for (int j = 0; j < ht; ++j)
      for (int i = 0; i < w; ++i) {
        const COLORREF c = GetPixel(mem, column * w + i, j);
        if (c == static_cast<COLORREF>(-1) || c == kTransparent) continue;
        if (enabled) {
          SetPixel(dc, x + i, y + j, c);
          continue;
        }
        const int luma = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
        if (luma >= 160) continue;
        if (pass == 0) SetPixel(dc, x + i + 1, y + j + 1, light);
        else SetPixel(dc, x + i, y + j, shadow);
      }
  SelectObject(mem, old);
  DeleteDC(mem);
}

void paint(HWND h, Toolbar* t) {
  PaintScope ps(h, nullptr);
  HDC dc = ps.dc();
  if (!dc) return;
  RECT c = ps.client();
  fill(dc, c, sys_colour(COLOR_BTNFACE));
  hline(dc, c.left, c.right, c.top, sys_colour(COLOR_BTNSHADOW));
  hline(dc, c.left, c.right, c.top + 1, sys_colour(COLOR_BTNHIGHLIGHT));
  const bool flat = (style_of(h) & TBSTYLE_FLAT) != 0;
  for (std::size_t i = 0; i < t->buttons.size(); ++i) {
    const Button& b = t->buttons[i];
    if ((b.b.fsStyle & TBSTYLE_SEP) || (b.b.fsState & TBSTATE_HIDDEN)) continue;
    const bool enabled = (b.b.fsState & TBSTATE_ENABLED) != 0;
    const bool checked = (b.b.fsState & TBSTATE_CHECKED) != 0;
    const bool down = checked || (b.b.fsState & TBSTATE_PRESSED) ||
                      (t->pressed == static_cast<int>(i) && t->inside);
    if (checked && !(t->pressed == static_cast<int>(i) && t->inside)) {
      // A checked button shows a dithered face.
      for (int y = b.rect.top + 2; y < b.rect.bottom - 2; ++y)
        for (int x = b.rect.left + 2; x < b.rect.right - 2; ++x)
          if ((x + y) % 2 == 0) SetPixel(dc, x, y, sys_colour(COLOR_BTNHIGHLIGHT));
    }
    if (!flat || down) draw_button_edge(dc, b.rect, down);
    const int shift = down ? 1 : 0;
    const int x = b.rect.left + (b.rect.right - b.rect.left - t->bitmap.cx) / 2 + shift;
    const int y = b.rect.top + (b.rect.bottom - b.rect.top - t->bitmap.cy) / 2 + shift;
    draw_image(dc, t, b.b.iBitmap, x, y, enabled);
  }
}

void redraw(HWND h) { InvalidateRect(h, nullptr, TRUE); }

LRESULT add_bitmap(Toolbar* t, WPARAM count, LPARAM lp) {
  const auto* add = reinterpret_cast<const TBADDBITMAP*>(lp);
  if (!add || count == 0) return -1;
  Strip s;
  if (add->hInst) {
    s.bitmap = LoadBitmapA(add->hInst, MAKEINTRESOURCEA(static_cast<unsigned>(add->nID)));
    s.owned = true;
  } else {
    s.bitmap = reinterpret_cast<HBITMAP>(add->nID);
  }
  if (!s.bitmap) return -1;
  s.first = t->images;
  s.count = static_cast<int>(std::min<WPARAM>(count, kMaxToolbarButtons));
  t->images += s.count;
  t->strips.push_back(s);
  return s.first;
}

LRESULT add_buttons(HWND h, Toolbar* t, WPARAM count, LPARAM lp) {
  const auto* list = reinterpret_cast<const TBBUTTON*>(lp);
  if (!list || t->buttons.size() + count > static_cast<std::size_t>(kMaxToolbarButtons)) return FALSE;
  for (WPARAM i = 0; i < count; ++i) {
    Button b;
    b.b = list[i];
    t->buttons.push_back(b);
    if (!(b.b.fsStyle & TBSTYLE_SEP)) update_tool(h, t, b, TTM_ADDTOOLA);
  }
  layout(h, t);
  redraw(h);
  return TRUE;
}

// TB_ENABLEBUTTON, TB_CHECKBUTTON, TB_PRESSBUTTON: one state bit set or cleared.
LRESULT set_bit(HWND h, Toolbar* t, WPARAM command, LPARAM on, BYTE bit) {
  const int i = index_of(t, static_cast<int>(command));
  if (i < 0) return FALSE;
  BYTE& state = t->buttons[static_cast<std::size_t>(i)].b.fsState;
  const BYTE before = state;
  if (LOWORD(static_cast<std::uintptr_t>(on))) state = static_cast<BYTE>(state | bit);
  else state = static_cast<BYTE>(state & ~bit);
  if (bit == TBSTATE_ENABLED && !(state & TBSTATE_ENABLED) && t->pressed == i) {
    t->pressed = -1;
    ReleaseCapture();
  }
  if (state != before) redraw(h);
  return TRUE;
}

void click(HWND h, Toolbar* t, int i) {
  Button& b = t->buttons[static_cast<std::size_t>(i)];
  if (b.b.fsStyle & TBSTYLE_CHECK) b.b.fsState = static_cast<BYTE>(b.b.fsState ^ TBSTATE_CHECKED);
  const int command = b.b.idCommand;
  script_log("toolbar command: " + std::to_string(command));
  SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), BN_CLICKED),
               reinterpret_cast<LPARAM>(h));
}

void relay(HWND h, Toolbar* t, UINT msg, WPARAM wp, LPARAM lp) {
  if (!t->tooltip) return;
  MSG m;
  m.hwnd = h;
  m.message = msg;
  m.wParam = wp;
  m.lParam = lp;
  SendMessageA(t->tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

POINT point_of(LPARAM lp) {
  return POINT{static_cast<LONG>(static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lp)))),
               static_cast<LONG>(static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lp))))};
}

LRESULT mouse(HWND h, Toolbar* t, UINT msg, WPARAM wp, LPARAM lp) {
  relay(h, t, msg, wp, lp);
  const POINT p = point_of(lp);
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const int i = button_at(t, p);
      if (i < 0 || !(t->buttons[static_cast<std::size_t>(i)].b.fsState & TBSTATE_ENABLED)) return 0;
      t->pressed = i;
      t->inside = true;
      SetCapture(h);
      redraw(h);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (t->pressed >= 0) {
        const bool inside = PtInRect(&t->buttons[static_cast<std::size_t>(t->pressed)].rect, p) != 0;
        if (inside != t->inside) {
          t->inside = inside;
          redraw(h);
        }
      }
      return 0;
    case WM_LBUTTONUP: {
      const int i = t->pressed;
      const bool inside = t->inside;
      t->pressed = -1;
      t->inside = false;
      if (GetCapture() == h) ReleaseCapture();
      redraw(h);
      if (i >= 0 && inside) click(h, t, i);
      return 0;
    }
    default: return 0;
  }
}

void create(HWND h, Toolbar* t) {
  SetPropA(h, kToolbarProp, reinterpret_cast<HANDLE>(1));
  if (style_of(h) & TBSTYLE_TOOLTIPS) {
    register_tooltip_class();
    t->tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, "", WS_POPUP, 0, 0, 0, 0, GetAncestor(h, GA_ROOT),
                                 nullptr, nullptr, nullptr);
  }
}

void destroy(HWND h, Toolbar* t) {
  RemovePropA(h, kToolbarProp);
  if (t->tooltip && IsWindow(t->tooltip)) DestroyWindow(t->tooltip);
  t->tooltip = nullptr;
  for (const Strip& s : t->strips)
    if (s.owned) DeleteObject(s.bitmap);
  t->strips.clear();
}

LRESULT toolbar_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) attach_state<Toolbar>(h);
  Toolbar* t = state_of<Toolbar>(h);
  if (!t) return DefWindowProcA(h, msg, wp, lp);
  switch (msg) {
    case WM_CREATE: create(h, t); return 0;
    case WM_DESTROY: destroy(h, t); return 0;
    case WM_NCDESTROY:
      free_state<Toolbar>(h);
      return DefWindowProcA(h, msg, wp, lp);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(h, t); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      return mouse(h, t, msg, wp, lp);
    case WM_CAPTURECHANGED:
      if (t->pressed >= 0) {
        t->pressed = -1;
        redraw(h);
      }
      return 0;
    case WM_NOTIFY: {
      // The tooltip asks for a button's text: the parent answers.
      const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
      if (hdr && hdr->hwndFrom == t->tooltip) return SendMessageA(GetParent(h), WM_NOTIFY, wp, lp);
      return 0;
    }
    case TB_BUTTONSTRUCTSIZE: return 0;
    case TB_SETBITMAPSIZE:
      t->bitmap = SIZE{std::max(1, static_cast<int>(LOWORD(static_cast<std::uintptr_t>(lp)))),
                       std::max(1, static_cast<int>(HIWORD(static_cast<std::uintptr_t>(lp))))};
      return TRUE;
    case TB_SETBUTTONSIZE:
      t->button = SIZE{std::max(1, static_cast<int>(LOWORD(static_cast<std::uintptr_t>(lp)))),
                       std::max(1, static_cast<int>(HIWORD(static_cast<std::uintptr_t>(lp))))};
      layout(h, t);
      redraw(h);
      return TRUE;
    case TB_ADDBITMAP: return add_bitmap(t, wp, lp);
    case TB_ADDBUTTONSA: return add_buttons(h, t, wp, lp);
    case TB_DELETEBUTTON: {
      if (wp >= t->buttons.size()) return FALSE;
      const Button gone = t->buttons[wp];
      if (!(gone.b.fsStyle & TBSTYLE_SEP)) update_tool(h, t, gone, TTM_DELTOOLA);
      t->buttons.erase(t->buttons.begin() + static_cast<std::ptrdiff_t>(wp));
      t->pressed = -1;
      layout(h, t);
      redraw(h);
      return TRUE;
    }
    case TB_BUTTONCOUNT: return static_cast<LRESULT>(t->buttons.size());
    case TB_COMMANDTOINDEX: return index_of(t, static_cast<int>(wp));
    case TB_GETITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lp);
      if (!r || wp >= t->buttons.size()) return FALSE;
      *r = t->buttons[wp].rect;
      return TRUE;
    }
    case TB_ENABLEBUTTON: return set_bit(h, t, wp, lp, TBSTATE_ENABLED);
    case TB_CHECKBUTTON: return set_bit(h, t, wp, lp, TBSTATE_CHECKED);
    case TB_PRESSBUTTON: return set_bit(h, t, wp, lp, TBSTATE_PRESSED);
    case TB_ISBUTTONENABLED:
    case TB_ISBUTTONCHECKED: {
      const int i = index_of(t, static_cast<int>(wp));
      if (i < 0) return 0;
      const BYTE bit = msg == TB_ISBUTTONENABLED ? TBSTATE_ENABLED : TBSTATE_CHECKED;
      return (t->buttons[static_cast<std::size_t>(i)].b.fsState & bit) ? 1 : 0;
    }
    case TB_GETSTATE: {
      const int i = index_of(t, static_cast<int>(wp));
      return i < 0 ? -1 : t->buttons[static_cast<std::size_t>(i)].b.fsState;
    }
    case TB_SETSTATE: {
      const int i = index_of(t, static_cast<int>(wp));
      if (i < 0) return FALSE;
      t->buttons[static_cast<std::size_t>(i)].b.fsState = static_cast<BYTE>(LOWORD(static_cast<std::uintptr_t>(lp)));
      layout(h, t);
      redraw(h);
      return TRUE;
    }
    case TB_AUTOSIZE: autosize(h, t); return 0;
    case TB_GETTOOLTIPS: return reinterpret_cast<LRESULT>(t->tooltip);
    default: return DefWindowProcA(h, msg, wp, lp);
  }
}

BOOL find_toolbar(HWND h, LPARAM lp) {
  auto* found = reinterpret_cast<HWND*>(lp);
  if (!IsWindowVisible(h) || !GetPropA(h, kToolbarProp)) return TRUE;
  *found = h;
  return FALSE;
}

}  // namespace

void register_toolbar_class() {
  WNDCLASSA probe;
  if (GetClassInfoA(nullptr, TOOLBARCLASSNAMEA, &probe)) return;
  ctl::register_control_class(TOOLBARCLASSNAMEA, toolbar_proc, CS_DBLCLKS);
}

bool script_toolbar_point(HWND top, int command, POINT* frame_pt) {
  if (!IsWindow(top) || !frame_pt) return false;
  HWND bar = nullptr;
  EnumChildWindows(top, find_toolbar, reinterpret_cast<LPARAM>(&bar));
  if (!bar) return false;
  const LRESULT index = SendMessageA(bar, TB_COMMANDTOINDEX, static_cast<WPARAM>(command), 0);
  RECT r;
  if (index < 0 || !SendMessageA(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
    return false;
  const POINT o = client_origin_on_screen(bar);
  const RECT tr = window_rect_on_screen(top);
  frame_pt->x = o.x + (r.left + r.right) / 2 - tr.left;
  frame_pt->y = o.y + (r.top + r.bottom) / 2 - tr.top;
  return true;
}

}  // namespace plat
