// The window-system side of the window layer: the table of windows (root
// and up to 20 child windows), the current drawing target and the
// platform-family words. Filled by the root-window and child-window code,
// read by the window procedures and the message loop.
#pragma once

#include "platform/types.h"
#include "toolkit/window/records.h"

namespace tsd {

// Slots of user bitmaps a program may draw into instead of the window.
inline constexpr int kUserBitmaps = 10;
// Colours of the window text: 16 fixed, the system window-text and window colour.
inline constexpr int kTextColours = 18;

// Tooltip table of the toolbar: one entry per button with a stored text.
inline constexpr int kTooltips = 32;
inline constexpr int kTooltipLength = 80;
struct TooltipEntry {
  int id = 0;                          // command id of the button, 0 = free
  char text[kTooltipLength + 1] = {};  // NUL-ended
};

struct WindowSlot {
  plat::HWND wWindow = nullptr;   // frame window
  plat::HWND hClient = nullptr;   // client window
  plat::HWND wMessLine = nullptr; // status bar
  int wDevice = 0;                // media device id, 0 = none
  plat::HBITMAP wImage = nullptr; // saved image while a modal dialog runs
  int wChildRect[4] = {-999, 0, 0, 0};  // saved normal rectangle, -999 = none
  int kind = 0;                   // record kind: 1 an edit-type window, 0 a drawing client
};

struct WindowSystem {
  WindowSlot slots[kWindowSlots];
  int wIndex = 0;                   // window whose client is the drawing target
  plat::HINSTANCE wInstance = nullptr;
  plat::HDC wDC = nullptr;          // device context of the current client, kept
  int wWinWidth = 0;                // client size of the current window
  int wWinHeight = 0;
  int wWinX = 0;
  int wWinY = 0;
  plat::HMENU wRootMenu = nullptr;
  plat::HACCEL wAccel = nullptr;
  const void* hKRB = nullptr;       // menu companion record, null when absent
  int hKRBSize = 0;
  int wScreenWidth = 0;
  int wScreenHeight = 0;
  int wScreenCols = 0;
  int wHideRoot = 0;                // 1 = root created hidden
  int wWindowOpen = 0;              // 1 while the root exists
  int wMemBmp = -1;                 // -1 = draw on the window, else a user bitmap slot
  plat::HBITMAP wUserBitmap[kUserBitmaps] = {};
  plat::HWND hGraphicsField = nullptr;  // dialog graphics field that is the target
  plat::HDC wFieldDC = nullptr;         // its device context while it is the target
  int WinNT = 0;
  int Win9x = 0;
  int Win32s = 0;
  int WinVer = 0;
  plat::COLORREF wColour[kTextColours] = {};
  int wBell = 1;                    // 1 = windowbell sounds
  int wTimer = 0;                   // 1 while the one-shot timer is armed
  plat::HWND wOwner = nullptr;      // owner of later dialogs and boxes
  plat::HCURSOR wCursor = nullptr;  // toolkit cursor of the client windows, null = class cursor
  int wImagesSaved = 0;             // 1 while window images are kept for a modal loop
  plat::HDC wMemDC = nullptr;       // private memory context while drawing on a user bitmap
  plat::HWND wToolbar = nullptr;    // the root window's toolbar, null when none
  TooltipEntry wTooltips[kTooltips];
};

extern WindowSystem wsys;

// Window number 0 to 20 whose frame, client or status bar is `hwnd`; -1 when none.
int yygetwindowindex(plat::HWND hwnd);

}  // namespace tsd
