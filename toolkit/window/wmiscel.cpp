// Child windows and the smaller window services of the window layer.
#include "toolkit/window/wmiscel.h"

#include <cstdint>
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "toolkit/window/records.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wdlgwindow.h"
#include "toolkit/window/wmessage.h"
#include "toolkit/window/wprocs.h"
#include "toolkit/window/wstate.h"
#include "toolkit/window/wwindow.h"

namespace tsd {

namespace {

constexpr int kStatusBarId = 999;

bool registerchildclass() {
  plat::WNDCLASSA known;
  if (plat::GetClassInfoA(wsys.wInstance, kChildClass, &known)) return true;
  plat::WNDCLASSA c;
  c.style = 0;
  c.lpfnWndProc = yyframeproc;
  c.hInstance = wsys.wInstance;
  c.hbrBackground = reinterpret_cast<plat::HBRUSH>(plat::GetStockObject(plat::WHITE_BRUSH));
  c.lpszClassName = kChildClass;
  return plat::RegisterClassA(&c) != 0;
}

plat::HWND currentframe() { return wsys.slots[wsys.wIndex].wWindow; }

}  // namespace

int yygetwindowindex(plat::HWND hwnd) {
  if (!hwnd) return -1;
  for (int i = 0; i < kWindowSlots; ++i) {
    const WindowSlot& s = wsys.slots[i];
    if (s.wWindow == hwnd || s.hClient == hwnd || s.wMessLine == hwnd) return i;
  }
  return -1;
}

void yyopenchild(int x, int y, int width, int height, int maximised, int minbox, int maxbox, int sysmenu,
                 int inside, int& iwin, int statusbar, int fixed, int owned, int topmost, const char* title) {
  using namespace plat;
  iwin = -1;
  if (!wsys.wWindowOpen) return;
  if (inside && wsys.wHideRoot) {
    iwin = -2;
    return;
  }
  int slot = -1;
  for (int i = 1; i < kWindowSlots; ++i) {
    if (!wsys.slots[i].wWindow) {
      slot = i;
      break;
    }
  }
  if (slot < 0 || !registerchildclass()) return;
  DWORD style = WS_CAPTION | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  style |= inside ? WS_CHILD : WS_POPUP;
  if (sysmenu) style |= WS_SYSMENU;
  if (minbox) style |= WS_MINIMIZEBOX;
  if (maxbox) style |= WS_MAXIMIZEBOX;
  if (!fixed) style |= WS_THICKFRAME;
  DWORD exstyle = topmost ? WS_EX_TOPMOST : 0;
  RECT r{x, y, x + width, y + height};
  AdjustWindowRectEx(&r, style, FALSE, exstyle);
  HWND parent = inside || owned ? wsys.slots[0].hClient : nullptr;
  if (!inside && owned) parent = wsys.slots[0].wWindow;
  HWND frame = CreateWindowExA(exstyle, kChildClass, title ? title : "", style, r.left, r.top, r.right - r.left,
                               r.bottom - r.top, parent, nullptr, wsys.wInstance, nullptr);
  if (!frame) return;
  // While semi-modeless dialogs are shown every window waits for them: the
  // new one starts disabled and leaves them the activation and the keys.
  const bool waits = wdlg.nSemi > 0;
  HWND active = GetActiveWindow();
  HWND focus = GetFocus();
  if (waits) EnableWindow(frame, FALSE);
  WindowSlot& s = wsys.slots[slot];
  s = WindowSlot{};
  s.wWindow = frame;
  int statusheight = 0;
  if (statusbar) {
    DWORD sstyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (!fixed) sstyle |= kStatusSizeGrip;
    s.wMessLine = CreateWindowExA(0, kStatusClass, "", sstyle, 0, 0, width, 10, frame,
                                  reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kStatusBarId)),
                                  wsys.wInstance, nullptr);
    if (s.wMessLine) {
      RECT sr;
      GetWindowRect(s.wMessLine, &sr);
      statusheight = sr.bottom - sr.top;
      RECT fr;
      GetWindowRect(frame, &fr);
      SetWindowPos(frame, nullptr, 0, 0, fr.right - fr.left, fr.bottom - fr.top + statusheight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  RECT fc;
  GetClientRect(frame, &fc);
  s.hClient = CreateWindowExA(0, kClientClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                              fc.right, fc.bottom - statusheight, frame,
                              reinterpret_cast<HMENU>(static_cast<std::intptr_t>(-1)), wsys.wInstance, nullptr);
  if (!s.hClient) {
    DestroyWindow(frame);
    s = WindowSlot{};
    return;
  }
  if (waits) {
    ShowWindow(frame, maximised ? SW_SHOWMAXIMIZED : SW_SHOWNOACTIVATE);
    SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (active && IsWindow(active) && GetActiveWindow() != active) SetActiveWindow(active);
    if (focus && IsWindow(focus) && GetFocus() != focus) SetFocus(focus);
  } else {
    ShowWindow(frame, maximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    BringWindowToTop(frame);
    SetFocus(s.hClient);
  }
  quorba01.winflags[slot] = 0;
  iwin = slot;
}

void yywindowtitle(const char* text) {
  if (currentframe()) plat::SetWindowTextA(currentframe(), text ? text : "");
}

void yywindowraise() {
  plat::HWND f = currentframe();
  if (!f) return;
  if (wsys.wIndex != 0 && (plat::GetWindowLongA(f, plat::GWL_STYLE) & static_cast<plat::LONG>(plat::WS_CHILD)))
    plat::BringWindowToTop(wsys.slots[0].wWindow);
  plat::BringWindowToTop(f);
}

void yyscrollarea(int dx, int dy) {
  using namespace plat;
  HWND client = wsys.slots[wsys.wIndex].hClient;
  if (!client || !hdc) return;
  RECT r;
  GetClientRect(client, &r);
  int w = r.right, h = r.bottom;
  BitBlt(hdc, dx, dy, w, h, hdc, 0, 0, 0x00CC0020);
  HBRUSH b = CreateSolidBrush(wsys.wColour[quorba03.backcolour >= 0 && quorba03.backcolour < kTextColours
                                               ? quorba03.backcolour
                                               : 15]);
  RECT strip;
  if (dx > 0) strip = RECT{0, 0, dx, h};
  else if (dx < 0) strip = RECT{w + dx, 0, w, h};
  if (dx != 0) FillRect(hdc, &strip, b);
  if (dy > 0) strip = RECT{0, 0, w, dy};
  else if (dy < 0) strip = RECT{0, h + dy, w, h};
  if (dy != 0) FillRect(hdc, &strip, b);
  DeleteObject(b);
  ValidateRect(client, nullptr);
}

void yyedittest(int& flag) { flag = wsys.slots[wsys.wIndex].kind == kEditWindow ? 1 : 0; }

void yygetwindowpos(int kind, int& x, int& y, int& child) {
  using namespace plat;
  x = 0;
  y = 0;
  child = 0;
  HWND f = currentframe();
  if (kind >= 2) f = yycurrentdialogwindow();
  if (!f) return;
  RECT r;
  GetWindowRect(f, &r);
  if (GetWindowLongA(f, GWL_STYLE) & static_cast<LONG>(WS_CHILD)) {
    POINT p{r.left, r.top};
    ScreenToClient(wsys.slots[0].hClient, &p);
    OffsetRect(&r, p.x - r.left, p.y - r.top);
    child = 1;
  }
  if (kind == 0 || kind == 2) {
    x = r.left;
    y = r.top;
  } else {
    x = r.right - r.left;
    y = r.bottom - r.top;
  }
}

void yygetclientpos(int& x, int& y) {
  plat::POINT p{0, 0};
  plat::ClientToScreen(wsys.slots[wsys.wIndex].hClient, &p);
  x = p.x;
  y = p.y;
}

void yygetminmaxstate(int& state) {
  plat::HWND f = currentframe();
  if (f && plat::IsIconic(f)) state = 0;
  else if (f && plat::IsZoomed(f)) state = 2;
  else state = 1;
}

void yychangecursor(int shape) {
  using namespace plat;
  LPCSTR name = nullptr;
  switch (shape) {
    case 0: name = IDC_ARROW; break;
    case 1: name = IDC_WAIT; break;
    case 2: name = IDC_APPSTARTING; break;
    case 3: name = IDC_CROSS; break;
    case 4: name = IDC_IBEAM; break;
    case 5: name = IDC_NO; break;
    case 6: name = IDC_SIZEALL; break;
    case 7: name = IDC_SIZENS; break;
    case 8: name = IDC_SIZEWE; break;
    case 9: name = IDC_SIZENESW; break;
    case 10: name = IDC_SIZENWSE; break;
    case 11: name = IDC_UPARROW; break;
    default: break;
  }
  // Other shapes name a cursor resource of the program.
  HCURSOR c = name ? LoadCursorA(nullptr, name)
                   : LoadCursorA(wsys.wInstance, MAKEINTRESOURCEA(shape));
  if (!c) return;
  wsys.wCursor = c;
  SetCursor(c);
}

void yysetcursorpos(int x, int y) {
  plat::POINT p{x, y};
  plat::ClientToScreen(wsys.slots[wsys.wIndex].hClient, &p);
  plat::SetCursorPos(p.x, p.y);
}

void yysettimer(int milliseconds, int id) {
  if (!wsys.slots[0].wWindow) return;
  plat::SetTimer(wsys.slots[0].wWindow, static_cast<plat::UINT_PTR>(id),
                 static_cast<plat::UINT>(milliseconds < 0 ? 0 : milliseconds), nullptr);
  wsys.wTimer = 1;
}

void yyblock118() { wmsg.block118 = true; }

void yytitlecolour(plat::HWND hwnd) {
  using namespace plat;
  if (!hwnd || !IsWindow(hwnd)) return;
  // A toolkit window is named by its frame and takes the focus; any other
  // window (a dialog) only gets the active caption.
  const int index = yygetwindowindex(hwnd);
  HWND active = hwnd;
  if (index >= 0) {
    active = wsys.slots[index].wWindow;
    if (wsys.slots[index].hClient) SetFocus(wsys.slots[index].hClient);
  }
  for (int i = 0; i < kWindowSlots; ++i) {
    HWND f = wsys.slots[i].wWindow;
    if (f && IsWindow(f)) SendMessageA(f, WM_NCACTIVATE, f == active ? TRUE : FALSE, 0);
  }
  for (int i = 1; i <= wdlg.nDialogs; ++i) {
    HWND d = wdlg.DialogInfo[i].hwnd;
    if (d && IsWindow(d) && IsWindowVisible(d)) SendMessageA(d, WM_NCACTIVATE, d == active ? TRUE : FALSE, 0);
  }
}

}  // namespace tsd
