// Text output into a window with a font of its own (the window text font),
// its colours, and the status bar texts.
#pragma once

namespace tsd {

// Replace the window text font: style 0 system, 1 fixed-pitch system,
// 2 "Times New Roman", 3 "Arial", 4 "Courier New", 5 "Symbol",
// 6 "Wingdings", other values the system font. width and height (pixels)
// go in for styles 2 to 6 and come out as the font's real cell.
void yycreatefont(int style, int bold, int italic, int& width, int& height);
// Delete the window text font (window layer shutdown).
void yydeletefont();
// Cell in window units: stored, converted to pixels, font re-created.
void yyfntsiz(int width, int height);
// Colours 0 to 16 accepted each; 16 as background means the system window colour.
void yyfntcol(int colour, int background);
void yysetfontcolour(int colour, int background);
void yysetfontcolourrgb(int index, int red, int green, int blue);
void yysetfontunderline(int flag);
// Draw text at (x, y) (pixels, baseline at y); x, y out = the position after it.
void yystringout(int& x, int& y, const char* text, int length);
// Width in pixels of text in the window text font.
void yystringlen(int& width, const char* text, int length);
// Fill the rectangle x1..x2, y1..y2 (inclusive) with the background colour.
void yycleararea(int x1, int y1, int x2, int y2);

// Status bar of the current window.
void yysetstatustext(int part, const char* text);
void yysetstatuspart(int part, int rightedge);
void yysetstatusbar(int count);

// The bell.
void yysetbell(int flag);
void yyringbell();

}  // namespace tsd
