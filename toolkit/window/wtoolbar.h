// The root window's toolbar: buttons that mirror menu commands, built
// from a toolbar record (RCDATA) and the bitmap of the same id, and the
// tooltip texts of its buttons.
#pragma once

#include <string_view>

#include "platform/types.h"

namespace tsd {

// Removes an existing toolbar; for id not 0 creates one from the toolbar
// record `id`: buttons of the record's size plus 6 pixels each way, each
// enabled and checked as its menu entry (disabled when the menu has none).
// The root window is laid out again. width and height: how much the
// toolbar's size changed (new minus old), -1 when unchanged or failed.
// Returns 0, or -1 when the record cannot be read or the window not made.
int yymntbar(int id, int& width, int& height);

// Stores the tooltip text of a toolbar button (up to 80 characters of the
// first `length`); a text of length 1 clears the entry. -1 without toolbar
// or button, -2 when the table is full, else 0.
int yytooltip(int id, std::string_view text, int length);

// The toolbar's button `id`: its state enabled (type 1) or checked (type 2)
// as 1 or 0; false when there is no toolbar or no such button.
bool yytoolbarstate(int id, int type, int& state);
// Sets it (type 1: enable 1 / disable 0; type 2: check / uncheck); false
// when there is no toolbar or no such button.
bool yytoolbarsetstate(int id, int type, int state);

// For the frame procedure: the toolbar's height after placing it along
// the top of the frame (0 when none), the command of a toolbar click, and
// the tooltip's request for a button's text (true when answered).
int yytoolbarlayout(plat::HWND frame);
bool yytoolbarcommand(plat::LPARAM from);
bool yytooltipnotify(plat::LPARAM nmhdr);
// windowclose: the toolbar and its tooltip table are gone with the frame.
void yytoolbarreset();

}  // namespace tsd
