// System values: screen metrics, frame metrics, system colours and their
// brushes, the bell, the cursor; and opening the display on first use.
#include "platform/display/display.h"
#include "platform/user/controls/controls.h"
#include "platform/user/desktop.h"

namespace plat {

void ensure_display() {
  if (display_is_open()) return;
  display_open_or_exit();
  install_desktop_hooks();
}

int GetSystemMetrics(int index) {
  ensure_display();
  int w = 0, h = 0, bits = 0;
  display_screen_info(&w, &h, &bits);
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXMAXIMIZED: return w;
    case SM_CYSCREEN:
    case SM_CYMAXIMIZED: return h;
    case SM_CYFULLSCREEN: return h - 19;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYMENU: return 19;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CMOUSEBUTTONS: return 3;
    default: return 0;
  }
}

DWORD GetSysColor(int index) {
  // The classic grey scheme.
  static const COLORREF colours[COLOR_COUNT] = {
      RGB(192, 192, 192),  // COLOR_SCROLLBAR
      RGB(0, 128, 128),    // COLOR_BACKGROUND
      RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
      RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
      RGB(192, 192, 192),  // COLOR_MENU
      RGB(255, 255, 255),  // COLOR_WINDOW
      RGB(0, 0, 0),        // COLOR_WINDOWFRAME
      RGB(0, 0, 0),        // COLOR_MENUTEXT
      RGB(0, 0, 0),        // COLOR_WINDOWTEXT
      RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
      RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
      RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
      RGB(128, 128, 128),  // COLOR_APPWORKSPACE
      RGB(0, 0, 128),      // COLOR_HIGHLIGHT
      RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
      RGB(192, 192, 192),  // COLOR_BTNFACE
      RGB(128, 128, 128),  // COLOR_BTNSHADOW
      RGB(128, 128, 128),  // COLOR_GRAYTEXT
      RGB(0, 0, 0),        // COLOR_BTNTEXT
      RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
      RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
      RGB(0, 0, 0),        // COLOR_3DDKSHADOW
      RGB(223, 223, 223),  // COLOR_3DLIGHT
      RGB(0, 0, 0),        // COLOR_INFOTEXT
      RGB(255, 255, 225),  // COLOR_INFOBK
  };
  if (index < 0 || index >= COLOR_COUNT) return 0;
  return colours[index];
}

BOOL MessageBeep(UINT type) {
  ensure_display();
  display_beep(type);
  return TRUE;
}

namespace {
// System cursor handles are their IDC_xxx numbers, well below any address.
constexpr int kSystemCursors[] = {32512, 32513, 32514, 32515, 32516, 32642, 32643,
                                  32644, 32645, 32646, 32648, 32650, 32651};
}  // namespace

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  auto id = reinterpret_cast<std::uintptr_t>(name);
  if (instance || id >= 0x10000) return nullptr;
  for (int c : kSystemCursors)
    if (static_cast<std::uintptr_t>(c) == id) return reinterpret_cast<HCURSOR>(id);
  return nullptr;
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
  auto id = reinterpret_cast<std::uintptr_t>(name);
  if (instance) return static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, 0, 0, 0));
  if (id < 32512 || id > 32517) return nullptr;  // IDI_APPLICATION .. IDI_WINLOGO
  return reinterpret_cast<HICON>(id);
}

int SystemCursorId(HCURSOR cursor) {
  auto id = reinterpret_cast<std::uintptr_t>(cursor);
  for (int c : kSystemCursors)
    if (static_cast<std::uintptr_t>(c) == id) return c;
  return 0;
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR old = desktop().cursor;
  desktop().cursor = cursor;
  if (cursor != old) display_set_cursor(SystemCursorId(cursor));
  return old;
}

HCURSOR GetCursor() { return desktop().cursor; }

}  // namespace plat
