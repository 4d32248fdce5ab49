// The window layer's global records and its data module of shared drawing
// handles. The window layer fills them (configuration, root window, window
// selection, resize); the graphics layer reads the client size and draws
// with the pens, fonts, palettes, regions and stipple kept here.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace tsd {

// Number of window slots: the root (0) and up to 20 child windows.
inline constexpr int kWindowSlots = 21;

// Screen, current window and window flags.
struct Quorba01 {
  std::int32_t screenwidth = 0;   // screen size in pixels
  std::int32_t screenheight = 0;
  std::int32_t spare = 0;         // reserved: nothing sets or reads it
  std::int32_t guard = 0;         // -9999 once the toolkit is initialised
  std::int32_t clientwidth = 0;   // client size of the current window in pixels
  std::int32_t clientheight = 0;
  std::int32_t open = 0;          // 1 while the window layer is open
  std::int32_t current = 0;       // current window number, 0 = root
  std::int32_t colours = 0;       // display colours: 2, 16, 256 or more
  std::int32_t winflags[kWindowSlots] = {};  // style flags per window, -1 when closed
  std::int32_t selected = 0;      // window selected while the output mode word is 1
};

// Kind of the current window: "R " for the root.
struct Quorba02 {
  char kind[2] = {' ', ' '};
};

// Window text state.
struct Quorba03 {
  std::int32_t textx = 0;         // two text position words
  std::int32_t texty = 0;
  std::int32_t textcolour = 0;
  std::int32_t backcolour = 0;
  std::int32_t further = 0;
  std::int32_t bold = 0;
  std::int32_t italic = 0;
  std::int32_t cellwidthpix = 0;  // character cell in pixels
  std::int32_t cellheightpix = 0;
  std::int32_t fontstyle = 0;
  std::int32_t cellwidthunits = 0;  // character cell in window units
  std::int32_t cellheightunits = 0;
};

// Dialog state words.
struct Quorba04 {
  std::int32_t exitfield = 0;     // field that closed the dialog
  std::int32_t currentdialog = 0; // current dialog id, 0 = none
  std::int32_t activedialog = 0;
  std::int32_t focusfield = 0;    // field with the focus at exit
  std::int32_t lastresult = 0;    // result of the last common dialog or message box
};

// The path separator.
struct Quorba05 {
  char separator = '/';
};

// Room for a whole host path name in a fixed field.
inline constexpr int kPathField = 4096;

// File names of the toolkit configuration (blank-padded, not terminated).
struct TkFiles {
  char unused[160] = {};
  char plotfile[160] = {};        // default "plandrox.plt"
  char charset[160] = {};         // default "standard.chr"
  char chardir[kPathField] = {};  // character-set directory, ends with the separator (never cut)
  char sysdir[140] = {};          // operating-system directory with the separator
};

// Device words; the last two are the graphics layer's driver flags.
struct TkDevices {
  std::int32_t device = 454;
  std::int32_t zero1 = 0;
  std::int32_t zero2 = 0;
  std::int32_t printer = 0;
  std::int32_t plotter = 0;
  std::int32_t one = 1;
  std::int32_t zero3 = 0;
  std::int32_t zero4 = 0;
  std::int32_t screenon = 0;      // > 0: driver operations go to the window driver
  std::int32_t hardcopyon = 0;    // > 0: they also go to the hardcopy driver (never set)
};

// File unit numbers of the toolkit.
struct TkUnits {
  std::int32_t general = 40;
  std::int32_t plotout = 41;
  std::int32_t plotin = 42;
};

extern Quorba01 quorba01;
extern Quorba02 quorba02;
extern Quorba03 quorba03;
extern Quorba04 quorba04;
extern Quorba05 quorba05;
extern TkFiles tkfiles;
extern TkDevices tkdevices;
extern TkUnits tkunits;

// Shared drawing handles. The window layer chooses the drawing target and
// records its client size; the graphics layer creates, replaces and deletes
// the pen, font, palette, region and stipple objects.
extern plat::HDC hdc;              // device context the graphics layer draws on
extern plat::HPEN gPen;            // current pen
extern plat::HPEN penOLD;          // pen the current pen replaced in hdc
extern plat::HFONT gFont;          // hardware text font or null
extern plat::HPALETTE gPal256;     // logical palette or null
extern int ngColours;              // graphics colours: 2, 16, 32..128 on palette displays, 256 and more
extern int InvertBW;               // 1 = inverted black/white scheme
extern int gPlotmode;              // raster operation (13 copy, 15 merge, 9 mask, 7 xor)
extern plat::HRGN gRegion;         // clip region of the graphics area or null
extern int gLinetype;              // pen style of the current line type
extern plat::HBITMAP gBitmap;      // 8 x 8 stipple bitmap
extern int gStippleExists;
extern int gStippleChanged;        // 1 = the stipple must be redrawn before use
extern plat::HWND Window;          // client window of the drawing target
extern int WinWidth;               // client size of the drawing target in pixels
extern int WinHeight;
extern int TextMode;

}  // namespace tsd
