// The window services the toolkit calls: classes, windows, the message
// queue, painting, focus and capture, timers, geometry and system values.
// Names, arguments and behaviour follow the Windows interface; all text is
// code page 1250.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "platform/user/user_constants.h"

namespace plat {

using LONG_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using ATOM = WORD;
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);
using LPCSTR = const char*;
using LPSTR = char*;
using HANDLE = void*;

constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xffff); }
constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xffff); }
// Signed coordinates packed in an LPARAM, as mouse messages carry them.
constexpr int GET_X_LPARAM(LPARAM l) { return static_cast<std::int16_t>(l & 0xffff); }
constexpr int GET_Y_LPARAM(LPARAM l) { return static_cast<std::int16_t>((l >> 16) & 0xffff); }
constexpr LPARAM MAKELPARAM(int lo, int hi) {
  return static_cast<LPARAM>(static_cast<std::uint32_t>((lo & 0xffff) | ((hi & 0xffff) << 16)));
}
constexpr WPARAM MAKEWPARAM(int lo, int hi) { return static_cast<WPARAM>(static_cast<std::uint32_t>(MAKELPARAM(lo, hi))); }

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
  // Private to the layer: for a key-down, the code-page character the host
  // reported with it (plus one), which TranslateMessage turns into WM_CHAR.
  DWORD lPrivate = 0;
};

struct WNDCLASSA {
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE hInstance = nullptr;
  HICON hIcon = nullptr;
  HCURSOR hCursor = nullptr;
  HBRUSH hbrBackground = nullptr;
  LPCSTR lpszMenuName = nullptr;
  LPCSTR lpszClassName = nullptr;
};

struct WNDCLASSEXA {
  UINT cbSize = sizeof(WNDCLASSEXA);
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE hInstance = nullptr;
  HICON hIcon = nullptr;
  HCURSOR hCursor = nullptr;
  HBRUSH hbrBackground = nullptr;
  LPCSTR lpszMenuName = nullptr;
  LPCSTR lpszClassName = nullptr;
  HICON hIconSm = nullptr;
};

struct CREATESTRUCTA {
  void* lpCreateParams = nullptr;
  HINSTANCE hInstance = nullptr;
  HMENU hMenu = nullptr;
  HWND hwndParent = nullptr;
  int cy = 0;
  int cx = 0;
  int y = 0;
  int x = 0;
  LONG style = 0;
  LPCSTR lpszName = nullptr;
  LPCSTR lpszClass = nullptr;
  DWORD dwExStyle = 0;
};

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  BOOL fErase = FALSE;
  RECT rcPaint;
  BOOL fRestore = FALSE;
  BOOL fIncUpdate = FALSE;
  BYTE rgbReserved[32] = {};
};

// A brush for a system colour may be given as the class background:
// (HBRUSH)(COLOR_xxx + 1), as on Windows.
inline HBRUSH SysColorAsBrush(int index) { return reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(index + 1)); }

// ---- Classes -------------------------------------------------------------
ATOM RegisterClassA(const WNDCLASSA* wc);
ATOM RegisterClassExA(const WNDCLASSEXA* wc);
BOOL UnregisterClassA(LPCSTR name, HINSTANCE instance);
BOOL GetClassInfoA(HINSTANCE instance, LPCSTR name, WNDCLASSA* out);
int GetClassNameA(HWND hwnd, LPSTR buffer, int size);

// ---- Windows -------------------------------------------------------------
HWND CreateWindowExA(DWORD exstyle, LPCSTR class_name, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu_or_id, HINSTANCE instance,
                     void* param);
inline HWND CreateWindowA(LPCSTR class_name, LPCSTR title, DWORD style, int x, int y, int width,
                          int height, HWND parent, HMENU menu, HINSTANCE instance, void* param) {
  return CreateWindowExA(0, class_name, title, style, x, y, width, height, parent, menu, instance, param);
}
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);
HWND GetParent(HWND hwnd);    // parent of a child, owner of a popup
HWND GetAncestor(HWND hwnd, UINT flags);
inline constexpr UINT GA_PARENT = 1;
inline constexpr UINT GA_ROOT = 2;
inline constexpr UINT GA_ROOTOWNER = 3;
HWND GetWindow(HWND hwnd, UINT cmd);
inline constexpr UINT GW_HWNDFIRST = 0;
inline constexpr UINT GW_HWNDLAST = 1;
inline constexpr UINT GW_HWNDNEXT = 2;
inline constexpr UINT GW_HWNDPREV = 3;
inline constexpr UINT GW_OWNER = 4;
inline constexpr UINT GW_CHILD = 5;
HWND GetDlgItem(HWND parent, int id);
int GetDlgCtrlID(HWND hwnd);
HWND FindWindowA(LPCSTR class_name, LPCSTR title);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param);
BOOL EnumWindows(WNDENUMPROC proc, LPARAM param);

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index);
LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);
inline LONG GetWindowLongA(HWND hwnd, int index) { return static_cast<LONG>(GetWindowLongPtrA(hwnd, index)); }
inline LONG SetWindowLongA(HWND hwnd, int index, LONG value) {
  return static_cast<LONG>(SetWindowLongPtrA(hwnd, index, value));
}

BOOL SetPropA(HWND hwnd, LPCSTR name, HANDLE data);
HANDLE GetPropA(HWND hwnd, LPCSTR name);
HANDLE RemovePropA(HWND hwnd, LPCSTR name);

BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
int GetWindowTextA(HWND hwnd, LPSTR buffer, int size);
int GetWindowTextLengthA(HWND hwnd);

BOOL EnableWindow(HWND hwnd, BOOL enable);  // returns TRUE when it was disabled before
BOOL IsWindowEnabled(HWND hwnd);
BOOL IsWindowVisible(HWND hwnd);
HMENU GetMenu(HWND hwnd);
BOOL SetMenu(HWND hwnd, HMENU menu);

// ---- Geometry ------------------------------------------------------------
BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exstyle);
BOOL ShowWindow(HWND hwnd, int cmd);  // returns whether it was visible before
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
// Lays the minimised child windows of `parent` in rows along the bottom of
// its client area, from the left; returns the height of one row (0: none).
UINT ArrangeIconicWindows(HWND parent);
BOOL SetWindowPos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags);
BOOL BringWindowToTop(HWND hwnd);
BOOL GetClientRect(HWND hwnd, RECT* rect);
BOOL GetWindowRect(HWND hwnd, RECT* rect);
BOOL ClientToScreen(HWND hwnd, POINT* pt);
BOOL ScreenToClient(HWND hwnd, POINT* pt);
int MapWindowPoints(HWND from, HWND to, POINT* pts, UINT count);
HWND WindowFromPoint(POINT pt);
HWND ChildWindowFromPoint(HWND parent, POINT client_pt);

// ---- Activation, focus, capture ------------------------------------------
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

// ---- Messages ------------------------------------------------------------
BOOL GetMessageA(MSG* msg, HWND hwnd, UINT min, UINT max);
BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT min, UINT max, UINT remove);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
void PostQuitMessage(int exit_code);
BOOL WaitMessage();
LONG GetMessageTime();
DWORD GetMessagePos();
BOOL GetCursorPos(POINT* pt);
BOOL SetCursorPos(int x, int y);
short GetKeyState(int vk);
short GetAsyncKeyState(int vk);
DWORD GetTickCount();
UINT GetDoubleClickTime();

// ---- Timers --------------------------------------------------------------
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// ---- Painting ------------------------------------------------------------
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags);
BOOL UpdateWindow(HWND hwnd);
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
HWND WindowFromDC(HDC dc);

// ---- System values -------------------------------------------------------
int GetSystemMetrics(int index);
DWORD GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);
BOOL MessageBeep(UINT type);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

// System cursors and icons (instance null, name IDC_xxx / IDI_xxx). Their
// handles are tokens the window manager knows; the program's own cursor
// and icon resources come with the resource loader.
inline LPCSTR MAKEINTRESOURCEA(int id) { return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id & 0xffff)); }
inline const LPCSTR IDC_ARROW = MAKEINTRESOURCEA(32512);
inline const LPCSTR IDC_IBEAM = MAKEINTRESOURCEA(32513);
inline const LPCSTR IDC_WAIT = MAKEINTRESOURCEA(32514);
inline const LPCSTR IDC_CROSS = MAKEINTRESOURCEA(32515);
inline const LPCSTR IDC_UPARROW = MAKEINTRESOURCEA(32516);
inline const LPCSTR IDC_SIZENWSE = MAKEINTRESOURCEA(32642);
inline const LPCSTR IDC_SIZENESW = MAKEINTRESOURCEA(32643);
inline const LPCSTR IDC_SIZEWE = MAKEINTRESOURCEA(32644);
inline const LPCSTR IDC_SIZENS = MAKEINTRESOURCEA(32645);
inline const LPCSTR IDC_SIZEALL = MAKEINTRESOURCEA(32646);
inline const LPCSTR IDC_NO = MAKEINTRESOURCEA(32648);
inline const LPCSTR IDC_APPSTARTING = MAKEINTRESOURCEA(32650);
inline const LPCSTR IDC_HELP = MAKEINTRESOURCEA(32651);
inline const LPCSTR IDI_APPLICATION = MAKEINTRESOURCEA(32512);
// A system cursor's handle for its IDC_xxx, or null for one we do not have
// (and for any name of a program's own resources, for now).
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
// The IDC_xxx number of a system cursor handle, 0 for any other handle.
int SystemCursorId(HCURSOR cursor);

// ---- Rectangles ----------------------------------------------------------
BOOL SetRect(RECT* r, int left, int top, int right, int bottom);
BOOL SetRectEmpty(RECT* r);
BOOL CopyRect(RECT* dst, const RECT* src);
BOOL IsRectEmpty(const RECT* r);
BOOL PtInRect(const RECT* r, POINT pt);
BOOL OffsetRect(RECT* r, int dx, int dy);
BOOL InflateRect(RECT* r, int dx, int dy);
BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b);
BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b);
BOOL EqualRect(const RECT* a, const RECT* b);

}  // namespace plat
