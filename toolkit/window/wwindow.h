// Root window and window management: the public routines the programs
// call to open, select and close windows, and the conversions between
// window units and pixels of the current window.
#pragma once

#include <cstdint>

namespace tsd {

// The slots of the flag table that windowopen makes of WindowStyle.flags:
// slot i holds bit i.
inline constexpr int kFlagSysMenu = 0;
inline constexpr int kFlagMinBox = 1;
inline constexpr int kFlagMaxBox = 2;
inline constexpr int kFlagMaximised = 3;
inline constexpr int kFlagStatusBar = 5;
inline constexpr int kFlagFixedSize = 6;
inline constexpr int kFlagHidden = 7;
inline constexpr int kFlagTopmost = 9;
inline constexpr int kFlagSlots = 10;

// Style flag bits of WindowStyle.flags.
inline constexpr int kStyleSysMenu = 1 << kFlagSysMenu;
inline constexpr int kStyleMinBox = 1 << kFlagMinBox;
inline constexpr int kStyleMaxBox = 1 << kFlagMaxBox;
inline constexpr int kStyleMaximised = 1 << kFlagMaximised;
inline constexpr int kStyleStatusBar = 1 << kFlagStatusBar;
inline constexpr int kStyleFixedSize = 1 << kFlagFixedSize;
inline constexpr int kStyleHidden = 1 << kFlagHidden;
inline constexpr int kStyleTopmost = 1 << kFlagTopmost;

inline constexpr int kTitleLength = 80;

// The record given to windowopen.
struct WindowStyle {
  std::int32_t flags = 0;
  std::int32_t x = -1;       // screen position; negative centres on that axis
  std::int32_t y = -1;
  std::int32_t width = 0;    // client size; below 1: 80 % of the screen
  std::int32_t height = 0;
  std::int32_t menu = 0;     // resource id of the menu bar, 0 = none
  char title[kTitleLength] = {};  // blank-padded caption
};

// Puts text into the title field, blank-padded (longer text is cut at 80).
void setwindowtitle(WindowStyle& style, const char* text);

// Opens the root window (once; nothing while it is open). ncolours: the
// number of graphics colours on a 256-colour display (16, 32, 64 or 128;
// anything else, or none, is 16).
void windowopen(WindowStyle& style, const int* ncolours = nullptr);
// Closes the root window, every child window and dialog.
void windowclose();
// Closes child window iwin (1 to 20); error 1003 when it is not open.
void windowclosechild(int iwin);
// Makes window iwin (0 to 20) current for all output; error 1003 when out
// of range or not open.
void windowselect(int iwin);
// Conversions for the current window's client area.
void windowunitstopixels(int ix, int iy, int& ixpix, int& iypix);
void windowunitsfrompixels(int ixpix, int iypix, int& ix, int& iy);
// "ON " and "OFF" (first three characters, upper-cased) switch the bell;
// anything else sounds it while it is on.
void windowbell(const char* text, int length);

// The window-system side.
void yycreaterootwindow(int x, int y, int& width, int& height, int menu, const char* caption,
                        const int flagtable[kFlagSlots]);
void yyshutdown();
// The graphics colours asked of windowopen (16, 32, 64 or 128, else 16):
// on a 256-colour display they become the graphics device's colours.
void yyaskgraphicscolours(const int* ncolours);
// ngColours for the graphics layer, and on a palette display the logical
// palette made and realised on hdc; hdc and InvertBW are set before.
void yysharedcolours();
void yyselectfocus(int iwin);
// The drawing target hdc has changed: the stipple bitmap is made anew for
// it and the raster operation, transparent background, pen and palette are
// selected into it.
void yysetupdrawingtarget();
void yyclosechild(int iwin);
void yyclosemcidevice(int iwin);
// The character cell of the window text in window units, from its pixels.
void yytextcellunits();
// Fatal failure of the root window: a message box with an error icon,
// then the process ends with a non-zero exit code.
[[noreturn]] void yyfatal(const char* text);

// Exit code of the fatal window-system paths.
inline constexpr int kFatalExitCode = 3;

}  // namespace tsd
