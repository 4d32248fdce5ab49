// Numbered driver operations: the dispatch and the window driver.
#pragma once

namespace tsd {

// The driver operations. Each filled shape has two numbers: the odd one
// fills with the two-colour stipple, the even one solid. Some operations
// have a second number that does the same (a line, nothing, the font size).
inline constexpr int kDrvLineAlt = 0;
inline constexpr int kDrvNoneAlt = 1;
inline constexpr int kDrvLine = 2;
inline constexpr int kDrvColour = 3;
inline constexpr int kDrvEllipseOutline = 4;
inline constexpr int kDrvEllipseStipple = 5;
inline constexpr int kDrvEllipseSolid = 6;
inline constexpr int kDrvQuadStipple = 7;
inline constexpr int kDrvQuadSolid = 8;
inline constexpr int kDrvRectangleStipple = 9;
inline constexpr int kDrvRectangleSolid = 10;
inline constexpr int kDrvTriangleStipple = 11;
inline constexpr int kDrvTriangleSolid = 12;
inline constexpr int kDrvPieStipple = 13;
inline constexpr int kDrvPieSolid = 14;
inline constexpr int kDrvPolygonStipple = 15;
inline constexpr int kDrvPolygonSolid = 16;
inline constexpr int kDrvClear = 17;
inline constexpr int kDrvReset = 18;
inline constexpr int kDrvClose = 19;
inline constexpr int kDrvNone = 20;
inline constexpr int kDrvFontSize = 21;
inline constexpr int kDrvText = 22;
inline constexpr int kDrvMoveRectangle = 23;
inline constexpr int kDrvClip = 24;
inline constexpr int kDrvFontSizeScaled = 25;
inline constexpr int kDrvPoint = 26;
inline constexpr int kDrvPlotMode = 27;
inline constexpr int kDrvPaletteEntry = 28;
inline constexpr int kDrvLineType = 29;
inline constexpr int kDrvNoneSpare = 30;
inline constexpr int kDrvReadPixel = 31;
inline constexpr int kDrvPolyline = 32;
inline constexpr int kDrvFontSizeSpare = 33;
inline constexpr int kDrvOutlinePie = 34;
inline constexpr int kDrvLoadPalette = 35;
inline constexpr int kDrvLastOp = 35;  // any other number is done as a line

// Gives operation op to the window driver when the screen driver is on.
int xxgdrv(int op);
// The hardcopy driver: there is no hardcopy device, so it does nothing.
int xxhdrv(int op);
// The window driver: performs one operation on the current device context.
int xxgmswin(int op);

}  // namespace tsd
