// Storage of the window layer's global records and shared drawing handles.
#include "toolkit/window/records.h"

namespace tsd {

Quorba01 quorba01;
Quorba02 quorba02;
Quorba03 quorba03;
Quorba04 quorba04;
Quorba05 quorba05;
TkFiles tkfiles;
TkDevices tkdevices;
TkUnits tkunits;

plat::HDC hdc = nullptr;
plat::HPEN gPen = nullptr;
plat::HPEN penOLD = nullptr;
plat::HFONT gFont = nullptr;
plat::HPALETTE gPal256 = nullptr;
int ngColours = 0;
int InvertBW = 0;
int gPlotmode = 13;
plat::HRGN gRegion = nullptr;
int gLinetype = 0;
plat::HBITMAP gBitmap = nullptr;
int gStippleExists = 0;
int gStippleChanged = 1;
plat::HWND Window = nullptr;
int WinWidth = 0;
int WinHeight = 0;
int TextMode = 0;

}  // namespace tsd
