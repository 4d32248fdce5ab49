// Further window services: child windows, titles, raising, scrolling,
// positions, cursors, the timer and the non-blocking message fetch.
#pragma once

#include "platform/types.h"

namespace tsd {

// Open a child window in the first free window number 1 to 20 (out in
// iwin: -1 when none is free, -2 when the root is hidden and the child is
// to lie inside it). x, y, width, height: client rectangle in pixels
// (inside the root's client, or on the screen for an owned popup).
void yyopenchild(int x, int y, int width, int height, int maximised, int minbox, int maxbox, int sysmenu,
                 int inside, int& iwin, int statusbar, int fixed, int owned, int topmost, const char* title);
void yywindowtitle(const char* text);
void yywindowraise();
void yyscrollarea(int dx, int dy);
// Record kind of an edit-type window (the window table's kind word).
inline constexpr int kEditWindow = 1;
// 1 when the current window is an edit-type window, else 0.
void yyedittest(int& flag);
// kinds 0/1: the current window's left-top or size; child flag 1 when in root-client pixels.
void yygetwindowpos(int kind, int& x, int& y, int& child);
void yygetclientpos(int& x, int& y);
// 0 minimised, 1 normal, 2 maximised.
void yygetminmaxstate(int& state);
void yychangecursor(int shape);
void yysetcursorpos(int x, int y);
void yysettimer(int milliseconds, int id);
void yyblock118();
void yytitlecolour(plat::HWND hwnd);

}  // namespace tsd
