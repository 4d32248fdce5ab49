// Menus on the screen: the bar's items in the frame, popup windows, and
// the tracking loop that runs while a menu is open (mouse and keyboard:
// Alt or F10, mnemonics, arrows, Enter, Escape).
//
// Sections: layout; drawing; popup windows; the tracking loop; entry points.
#include <algorithm>

#include "platform/display/display.h"
#include "platform/user/controls/control_common.h"
#include "platform/user/desktop.h"
#include "platform/user/menu/menu_private.h"
#include "text/letters.h"

namespace plat {
namespace {

using namespace ctl;

inline constexpr char kPopupClass[] = "#32768";
inline constexpr int kBarPad = 6;      // pixels left and right of a bar item's text
inline constexpr int kCheckArea = 18;  // room for the check mark in a popup
inline constexpr int kArrowArea = 16;  // room for a submenu's arrow
inline constexpr int kSeparatorH = 8;
inline constexpr char kHotProp[] = "plat.menu.hot";  // bar item shown open (index + 1)

// ---- Layout -------------------------------------------------------------

struct Measure {
  HDC dc;
  HGDIOBJ old;
  Measure() : dc(CreateCompatibleDC(nullptr)), old(SelectObject(dc, default_dialog_font())) {}
  ~Measure() {
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  int width(const std::string& s) const {
    return static_cast<int>(draw_text(dc, RECT{0, 0, 10000, 100}, s, kPrefix | kMeasure).cx);
  }
  int height() const { return line_height(dc); }
};

// Where each bar item goes, relative to the bar's top-left corner, on a
// bar `width` pixels wide: left to right, and on a new row when an item
// does not fit in what is left of one (a bar too wide for its window
// wraps, so every item can be reached).
std::vector<RECT> bar_layout(HMENU m, LONG width) {
  std::vector<RECT> v;
  Measure ms;
  const int row = GetSystemMetrics(SM_CYMENU);
  int x = 2, y = 0;
  for (const Menu::Item& it : m->items) {
    int w = ms.width(it.text) + 2 * kBarPad;
    if (x > 2 && x + w > width - 2) {
      x = 2;
      y += row;
    }
    v.push_back(RECT{x, y, x + w, y + row - 1});
    x += w;
  }
  return v;
}

// Bar item rectangles in screen coordinates.
std::vector<RECT> bar_items(HWND hwnd) {
  HMENU m = GetMenu(hwnd);
  if (!menu::valid(m)) return {};
  RECT bar = rect_offset(menu_bar_rect(hwnd), hwnd->rect.left, hwnd->rect.top);
  std::vector<RECT> v = bar_layout(m, rect_width(bar));
  for (RECT& r : v) r = rect_offset(r, bar.left, bar.top);
  return v;
}

int item_height(const Menu::Item& it, int lh) { return (it.flags & MF_SEPARATOR) ? kSeparatorH : lh + 6; }

SIZE popup_size(HMENU m) {
  Measure ms;
  int label = 0, accel = 0, h = 0;
  for (const Menu::Item& it : m->items) {
    std::size_t tab = it.text.find('\t');
    label = std::max(label, ms.width(it.text.substr(0, tab)));
    if (tab != std::string::npos) accel = std::max(accel, ms.width(it.text.substr(tab + 1)));
    h += item_height(it, ms.height());
  }
  int w = kCheckArea + label + (accel ? accel + 16 : 0) + kArrowArea + 6;
  return SIZE{std::max(w, 60), h + 6};
}

// Item rectangles of a popup in its client coordinates.
std::vector<RECT> popup_items(HMENU m, int width) {
  Measure ms;
  std::vector<RECT> v;
  int y = 3;
  for (const Menu::Item& it : m->items) {
    int h = item_height(it, ms.height());
    v.push_back(RECT{3, y, width - 3, y + h});
    y += h;
  }
  return v;
}

bool selectable(const Menu::Item& it) { return !(it.flags & MF_SEPARATOR); }

// ---- Drawing -----------------------------------------------------------

void draw_check(HDC dc, int x, int y, COLORREF c) {
  static const int rows[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i) vline(dc, x + i, y + rows[i], y + rows[i] + 3, c);
}

struct PopupState {
  HMENU menu = nullptr;
  int sel = -1;
};

void paint_popup(HWND w) {
  auto* ps = reinterpret_cast<PopupState*>(GetWindowLongPtrA(w, GWLP_USERDATA));
  PaintScope p(w, nullptr);
  HDC dc = p.dc();
  if (!dc || !ps || !menu::valid(ps->menu)) return;
  RECT c = p.client();
  fill(dc, c, sys_colour(COLOR_MENU));
  draw_button_edge(dc, c, false);
  std::vector<RECT> rs = popup_items(ps->menu, c.right);
  for (std::size_t i = 0; i < rs.size(); ++i) {
    const Menu::Item& it = ps->menu->items[i];
    RECT r = rs[i];
    if (it.flags & MF_SEPARATOR) {
      int y = (r.top + r.bottom) / 2 - 1;
      hline(dc, r.left + 1, r.right - 1, y, sys_colour(COLOR_BTNSHADOW));
      hline(dc, r.left + 1, r.right - 1, y + 1, sys_colour(COLOR_BTNHIGHLIGHT));
      continue;
    }
    bool hot = static_cast<int>(i) == ps->sel;
    bool grey = menu::item_greyed(it);
    if (hot) fill(dc, r, sys_colour(COLOR_HIGHLIGHT));
    COLORREF tc = hot ? sys_colour(grey ? COLOR_GRAYTEXT : COLOR_HIGHLIGHTTEXT) : sys_colour(COLOR_MENUTEXT);
    SetTextColor(dc, tc);
    std::size_t tab = it.text.find('\t');
    RECT t{r.left + kCheckArea, r.top, r.right - kArrowArea, r.bottom};
    unsigned flags = kVCenter | kPrefix | (grey && !hot ? kDisabled : 0);
    draw_text(dc, t, it.text.substr(0, tab), flags);
    if (tab != std::string::npos) draw_text(dc, t, it.text.substr(tab + 1), flags | kRight);
    if (it.flags & MF_CHECKED) draw_check(dc, r.left + 5, (r.top + r.bottom) / 2 - 4, tc);
    if (it.popup) {
      int ax = r.right - 9, ay = (r.top + r.bottom) / 2;
      for (int k = 0; k < 4; ++k) vline(dc, ax + k, ay - 3 + k, ay + 4 - k, tc);
    }
  }
}

LRESULT popup_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint_popup(w); return 0;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: return DefWindowProcA(w, msg, wp, lp);
  }
}

void ensure_popup_class() {
  WNDCLASSA probe;
  if (GetClassInfoA(nullptr, kPopupClass, &probe)) return;
  WNDCLASSA wc;
  wc.style = CS_SAVEBITS | CS_GLOBALCLASS;
  wc.lpfnWndProc = popup_proc;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kPopupClass;
  RegisterClassA(&wc);
}

// ---- Tracking ------------------------------------------------------------

struct Level {
  HMENU menu = nullptr;
  HWND wnd = nullptr;  // null for the bar
  PopupState* st = nullptr;
  int sel = -1;
};

struct Tracker {
  HWND owner = nullptr;
  bool bar = false;  // the first level is the menu bar
  std::vector<Level> levels;
  bool done = false;
  UINT chosen = 0;
  bool has_choice = false;
  // Where the pointer was last seen. A move reported at the same place is
  // no move: a window that opens under a resting pointer makes the host
  // report the pointer again (on X, as it enters the new window), and a
  // popup opened from the keyboard must not take the item under it.
  POINT pointer = desktop().cursor_pos;

  ~Tracker() {
    while (!levels.empty()) pop();
  }

  void set_sel(Level& l, int sel) {
    l.sel = sel;
    if (l.wnd) {
      l.st->sel = sel;
      InvalidateRect(l.wnd, nullptr, TRUE);
      UpdateWindow(l.wnd);
    } else {
      SetPropA(owner, kHotProp, reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(sel + 1)));
      RedrawWindow(owner, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    }
  }

  void pop() {
    Level l = levels.back();
    levels.pop_back();
    if (l.wnd) {
      DestroyWindow(l.wnd);
      delete l.st;
    } else {
      RemovePropA(owner, kHotProp);
      if (IsWindow(owner)) RedrawWindow(owner, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    }
  }

  int first_selectable(HMENU m, int from, int dir) {
    int n = static_cast<int>(m->items.size());
    for (int k = 0; k < n; ++k) {
      int i = ((from + dir * k) % n + n) % n;
      if (selectable(m->items[static_cast<std::size_t>(i)])) return i;
    }
    return -1;
  }

  // Open a popup menu at screen point p (its top-left corner).
  void open(HMENU m, POINT p, bool select_first) {
    if (!menu::valid(m)) return;
    SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(m), 0);
    ensure_popup_class();
    SIZE s = popup_size(m);
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    if (p.x + s.cx > sw) p.x = std::max<LONG>(0, sw - s.cx);
    if (p.y + s.cy > sh) p.y = std::max<LONG>(0, sh - s.cy);
    Level l;
    l.menu = m;
    l.st = new PopupState{m, -1};
    l.wnd = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPopupClass, "", WS_POPUP, p.x, p.y, s.cx, s.cy, owner,
                            nullptr, nullptr, nullptr);
    SetWindowLongPtrA(l.wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(l.st));
    ShowWindow(l.wnd, SW_SHOWNA);
    levels.push_back(l);
    if (select_first) set_sel(levels.back(), first_selectable(m, 0, 1));
    UpdateWindow(l.wnd);
  }

  void open_bar_item(int i, bool select_first) {
    while (levels.size() > 1) pop();
    set_sel(levels[0], i);
    HMENU m = GetMenu(owner);
    const Menu::Item& it = m->items[static_cast<std::size_t>(i)];
    if (it.popup && !menu::item_greyed(it)) {
      std::vector<RECT> rs = bar_items(owner);
      open(it.popup, POINT{rs[static_cast<std::size_t>(i)].left, rs[static_cast<std::size_t>(i)].bottom}, select_first);
    }
  }

  void open_sub(bool select_first) {
    Level& l = levels.back();
    if (!l.wnd || l.sel < 0) return;
    const Menu::Item& it = l.menu->items[static_cast<std::size_t>(l.sel)];
    if (!it.popup || menu::item_greyed(it)) return;
    RECT wr;
    GetWindowRect(l.wnd, &wr);
    RECT cr;
    GetClientRect(l.wnd, &cr);
    RECT ir = popup_items(l.menu, cr.right)[static_cast<std::size_t>(l.sel)];
    open(it.popup, POINT{wr.right - 3, wr.top + ir.top - 3}, select_first);
  }

  // Enter or a click on item i of the deepest level.
  void activate(Level& l, int i) {
    const Menu::Item& it = l.menu->items[static_cast<std::size_t>(i)];
    if (!selectable(it) || menu::item_greyed(it)) return;  // greyed: nothing happens
    if (it.popup) {
      if (l.wnd) open_sub(true);
      else open_bar_item(i, true);
      return;
    }
    chosen = it.id;
    has_choice = true;
    done = true;
  }

  bool bar_open() const { return bar && levels.size() > 1; }

  void key(WPARAM vk) {
    Level& deep = levels.back();
    switch (vk) {
      case VK_ESCAPE:
        if (levels.size() > 1) pop();
        else done = true;
        return;
      case VK_MENU:
      case VK_F(10): done = true; return;
      case VK_LEFT:
        if (levels.size() > (bar ? 2u : 1u)) {
          pop();
        } else if (bar) {
          bool was_open = bar_open();
          int n = static_cast<int>(GetMenu(owner)->items.size());
          int i = (levels[0].sel - 1 + n) % n;
          if (was_open) open_bar_item(i, true);
          else set_sel(levels[0], i);
        }
        return;
      case VK_RIGHT:
        if (deep.wnd && deep.sel >= 0 && deep.menu->items[static_cast<std::size_t>(deep.sel)].popup) {
          open_sub(true);
        } else if (bar) {
          bool was_open = bar_open();
          int n = static_cast<int>(GetMenu(owner)->items.size());
          int i = (levels[0].sel + 1) % n;
          if (was_open) open_bar_item(i, true);
          else set_sel(levels[0], i);
        }
        return;
      case VK_UP:
      case VK_DOWN:
        if (!deep.wnd) {
          if (deep.sel >= 0) open_bar_item(deep.sel, true);
          return;
        }
        {
          int dir = vk == VK_DOWN ? 1 : -1;
          int from = deep.sel < 0 ? (dir > 0 ? 0 : -1) : deep.sel + dir;
          set_sel(deep, first_selectable(deep.menu, from, dir));
        }
        return;
      case VK_RETURN:
        if (deep.sel >= 0) activate(deep, deep.sel);
        return;
      default: return;
    }
  }

  void character(char c) {
    Level& deep = levels.back();
    const char key = text::asciilower(c);
    for (std::size_t i = 0; i < deep.menu->items.size(); ++i) {
      if (mnemonic_of(deep.menu->items[i].text) != key) continue;
      set_sel(deep, static_cast<int>(i));
      activate(deep, static_cast<int>(i));
      return;
    }
  }

  // Which level and item a screen point is on (-1 level: none; bar level 0).
  void hit(POINT p, int* level, int* item) {
    *level = -1;
    *item = -1;
    for (int li = static_cast<int>(levels.size()) - 1; li >= 0; --li) {
      Level& l = levels[static_cast<std::size_t>(li)];
      std::vector<RECT> rs;
      if (l.wnd) {
        RECT wr, cr;
        GetWindowRect(l.wnd, &wr);
        GetClientRect(l.wnd, &cr);
        if (!PtInRect(&wr, p)) continue;
        *level = li;
        rs = popup_items(l.menu, cr.right);
        for (RECT& r : rs) OffsetRect(&r, wr.left, wr.top);
      } else {
        rs = bar_items(owner);
      }
      for (std::size_t i = 0; i < rs.size(); ++i)
        if (PtInRect(&rs[i], p)) {
          *level = li;
          *item = static_cast<int>(i);
        }
      if (*level >= 0) return;
    }
  }

  void mouse(UINT msg, POINT p) {
    int li = -1, item = -1;
    hit(p, &li, &item);
    if (msg == WM_LBUTTONDOWN && li < 0) {
      done = true;
      return;
    }
    if (li < 0) return;
    Level& l = levels[static_cast<std::size_t>(li)];
    if (!l.wnd) {  // the bar
      if (item < 0) return;
      if (msg == WM_LBUTTONDOWN && item == l.sel && bar_open()) {
        done = true;
        return;
      }
      if (msg == WM_LBUTTONDOWN || (item != l.sel && bar_open())) open_bar_item(item, false);
      if (msg == WM_LBUTTONUP && !GetMenu(owner)->items[static_cast<std::size_t>(item)].popup)
        activate(levels[0], item);
      return;
    }
    while (static_cast<int>(levels.size()) > li + 1) {
      if (item >= 0 && levels[static_cast<std::size_t>(li)].sel == item && msg == WM_MOUSEMOVE) return;
      pop();
    }
    Level& cur = levels[static_cast<std::size_t>(li)];
    if (item >= 0 && item != cur.sel && selectable(cur.menu->items[static_cast<std::size_t>(item)])) {
      set_sel(cur, item);
      if (cur.menu->items[static_cast<std::size_t>(item)].popup) open_sub(false);
    }
    if (msg == WM_LBUTTONUP && item >= 0) {
      Level& again = levels[static_cast<std::size_t>(li)];
      if (!again.menu->items[static_cast<std::size_t>(item)].popup) activate(again, item);
    }
  }

  void run() {
    SetCapture(owner);
    while (!done) {
      MSG m;
      if (!GetMessageA(&m, nullptr, 0, 0)) {
        PostQuitMessage(static_cast<int>(m.wParam));
        break;
      }
      if (!IsWindow(owner)) break;
      switch (m.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
          key(m.wParam);
          // Its character comes next, for the mnemonics; a key that closed
          // the menu (Enter, Escape) is the menu's and types nothing.
          if (!done) TranslateMessage(&m);
          break;
        case WM_KEYUP:
        case WM_SYSKEYUP: break;
        case WM_CLOSE:
          // A close request closes the menu, without a command, and then
          // reaches its window as it does when no menu is open.
          done = true;
          PostMessageA(m.hwnd, WM_CLOSE, m.wParam, m.lParam);
          break;
        case WM_CHAR:
        case WM_SYSCHAR:
          if (m.wParam >= 32) character(static_cast<char>(m.wParam));
          break;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_NCMOUSEMOVE:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONUP: {
          POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
          bool nc = m.message == WM_NCMOUSEMOVE || m.message == WM_NCLBUTTONDOWN || m.message == WM_NCLBUTTONUP;
          if (!nc) ClientToScreen(m.hwnd, &p);
          if (m.message == WM_MOUSEMOVE || m.message == WM_NCMOUSEMOVE) {
            if (p.x == pointer.x && p.y == pointer.y) break;
            pointer = p;
          }
          UINT kind = m.message == WM_NCMOUSEMOVE ? WM_MOUSEMOVE
                      : m.message == WM_NCLBUTTONDOWN || m.message == WM_RBUTTONDOWN ? WM_LBUTTONDOWN
                      : m.message == WM_NCLBUTTONUP ? WM_LBUTTONUP
                                                    : m.message;
          mouse(kind, p);
          break;
        }
        default:
          TranslateMessage(&m);
          DispatchMessageA(&m);
      }
      // A menu whose window went away or was hidden meanwhile closes.
      if (!IsWindow(owner) || !IsWindowVisible(owner)) done = true;
    }
    if (GetCapture() == owner) ReleaseCapture();
    while (!levels.empty()) pop();
  }
};

void finish(Tracker& t, bool post) {
  if (!t.has_choice) return;
  script_log("menu command: " + std::to_string(t.chosen));
  if (post) PostMessageA(t.owner, WM_COMMAND, MAKEWPARAM(t.chosen, 0), 0);
}

}  // namespace

int menu_bar_rows(HWND hwnd, LONG width) {
  HMENU m = GetMenu(hwnd);
  if (!menu::valid(m) || m->items.empty()) return 1;
  const std::vector<RECT> v = bar_layout(m, width);
  return static_cast<int>(v.back().top / GetSystemMetrics(SM_CYMENU)) + 1;
}

void menu_bar_paint(HWND hwnd, HDC dc, RECT bar) {
  HMENU m = GetMenu(hwnd);
  if (!menu::valid(m)) return;
  int hot = static_cast<int>(reinterpret_cast<std::intptr_t>(GetPropA(hwnd, kHotProp))) - 1;
  HGDIOBJ old = SelectObject(dc, default_dialog_font());
  std::vector<RECT> rs = bar_items(hwnd);
  RECT screen_bar = rect_offset(menu_bar_rect(hwnd), hwnd->rect.left, hwnd->rect.top);
  for (std::size_t i = 0; i < rs.size(); ++i) {
    RECT r = rect_offset(rs[i], bar.left - screen_bar.left, bar.top - screen_bar.top);
    const Menu::Item& it = m->items[i];
    if (static_cast<int>(i) == hot) {
      // The open item looks pressed in.
      hline(dc, r.left, r.right, r.top, sys_colour(COLOR_BTNSHADOW));
      vline(dc, r.left, r.top, r.bottom, sys_colour(COLOR_BTNSHADOW));
      hline(dc, r.left, r.right, r.bottom - 1, sys_colour(COLOR_BTNHIGHLIGHT));
      vline(dc, r.right - 1, r.top, r.bottom, sys_colour(COLOR_BTNHIGHLIGHT));
      OffsetRect(&r, 1, 1);
    }
    SetTextColor(dc, sys_colour(COLOR_MENUTEXT));
    draw_text(dc, r, it.text, kCenter | kVCenter | kPrefix | (menu::item_greyed(it) ? kDisabled : 0));
  }
  SelectObject(dc, old);
}

void menu_bar_track_mouse(HWND hwnd, POINT p) {
  HMENU m = GetMenu(hwnd);
  if (!menu::valid(m) || m->items.empty()) return;
  SendMessageA(hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(m), 0);
  Tracker t;
  t.owner = hwnd;
  t.bar = true;
  t.levels.push_back(Level{m, nullptr, nullptr, -1});
  t.mouse(WM_LBUTTONDOWN, p);
  if (!t.done) t.run();
  finish(t, true);
}

void menu_bar_track_keys(HWND hwnd, char key) {
  if (key == ' ') {  // Alt+Space: the system menu
    if (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_SYSMENU) system_menu_track(hwnd, POINT{});
    return;
  }
  HMENU m = GetMenu(hwnd);
  if (!menu::valid(m) || m->items.empty()) return;
  SendMessageA(hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(m), 0);
  Tracker t;
  t.owner = hwnd;
  t.bar = true;
  t.levels.push_back(Level{m, nullptr, nullptr, -1});
  if (key) {
    t.set_sel(t.levels[0], 0);
    t.character(key);
    if (t.levels.size() == 1 && !t.done) t.done = true;  // no item has that mnemonic
  } else {
    t.set_sel(t.levels[0], 0);
  }
  if (!t.done) t.run();
  finish(t, true);
}

void system_menu_track(HWND hwnd, POINT p) {
  HMENU m = GetSystemMenu(hwnd, FALSE);
  if (!m) return;
  // What does not apply now is greyed.
  DWORD st = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
  bool changed = IsIconic(hwnd) || IsZoomed(hwnd);
  auto grey_unless = [&](UINT id, bool ok) {
    Menu::Item* it = menu::find_item(m, id, MF_BYCOMMAND);
    if (it && ok) it->flags &= ~static_cast<UINT>(MF_GRAYED);
    if (it && !ok) it->flags |= MF_GRAYED;
  };
  grey_unless(SC_RESTORE, changed);
  grey_unless(SC_MAXIMIZE, (st & WS_MAXIMIZEBOX) && !IsZoomed(hwnd));
  grey_unless(SC_MINIMIZE, (st & WS_MINIMIZEBOX) && !IsIconic(hwnd));
  grey_unless(SC_MOVE, !changed);
  grey_unless(SC_SIZE, (st & WS_THICKFRAME) && !changed);
  RECT box = sys_box_rect(hwnd);
  POINT at{hwnd->rect.left + box.left, hwnd->rect.top + box.bottom};
  (void)p;
  Tracker t;
  t.owner = hwnd;
  t.open(m, at, true);
  t.run();
  if (!t.has_choice) return;
  script_log("menu command: " + std::to_string(t.chosen));
  PostMessageA(hwnd, WM_SYSCOMMAND, t.chosen, 0);
}

BOOL TrackPopupMenu(HMENU m, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  if (!menu::valid(m) || !IsWindow(owner)) return FALSE;
  Tracker t;
  t.owner = owner;
  t.open(m, POINT{x, y}, false);
  t.run();
  finish(t, !(flags & TPM_RETURNCMD));
  if (flags & TPM_RETURNCMD) return t.has_choice ? static_cast<BOOL>(t.chosen) : 0;
  return TRUE;
}

}  // namespace plat
