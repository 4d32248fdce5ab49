// What the toolkit's modal loops share (modal dialogs, message boxes, file
// dialogs): the windows' pictures kept in bitmaps while the loop runs, so
// that their repaints come from the bitmaps and no Expose reaches the
// program, and the other windows and dialogs disabled meanwhile.
#pragma once

#include <vector>

#include "platform/types.h"

namespace tsd {

// Copies the content of every client window except `except` into a bitmap
// of its size (nested calls keep the first pictures).
void yysaveimages(plat::HWND except);
// Draws the pictures back, deletes them and validates the windows.
void yyrestoreimages();
// A repaint of client window `client` while pictures are kept: the picture
// is drawn into dc over area; false when there is none for this window.
bool yypaintfromimage(plat::HWND client, plat::HDC dc, const plat::RECT& area);

// Disables every shown dialog and every visible frame window except the
// one that holds `owner`; returns those it disabled.
std::vector<plat::HWND> yydisableothers(plat::HWND owner);
void yyenableagain(const std::vector<plat::HWND>& disabled);

// Owner of a dialog, message box or file dialog: the active modeless
// dialog when it is visible, else the current window.
plat::HWND yycurrentowner();
// After a modal loop: the owner gets the focus when it is a child window.
void yyfocusowner(plat::HWND owner);

}  // namespace tsd
