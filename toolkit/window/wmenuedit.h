// Menu editing: replacing the root menu, loading menus, floating menus,
// and changing, reading, deleting and inserting entries of the root menu.
// Entries are found by command id, and popups (which have none) through
// the menu companion record.
#pragma once

#include <string_view>

#include "platform/types.h"

namespace tsd {

// 0: removes the menu bar; else loads menu `id` (with its accelerators and
// companion record) and makes it the root menu. -1 when it cannot be loaded.
int yymnroot(int id);

// Loads menu resource `id` with yymnconv applied; null when there is none.
plat::HMENU yymnload(int id);
// Every greyed entry of the menu (at any depth) made disabled-and-greyed.
void yymnconv(plat::HMENU menu);

// Pops up the first popup of menu `id` at client pixel (x, y) of the
// current window; its entries take the states and texts of the same ids
// in the root menu. The choice arrives as a menu command. -1 when the
// menu cannot be loaded or has no popup.
int yymnflot(int id, int x, int y);
// The states and texts of the floating menu `menu` copied from the root
// menu: commands by id, popups through the floating menu's own companion
// record (`record`, `size` bytes) and the root's.
void yymnmtch(plat::HMENU menu, const void* record, int size);

// Changes the text of an entry; the bar is redrawn when it is one of its
// entries. -1 when not found.
int yymntext(int id, std::string_view text);
// An entry's state: type 1 enabled (1) or greyed (0), type 2 checked (1)
// or not (0); the toolbar's button when the menu has no such entry. -1
// when not found (or another type), else 0.
int yymngflg(int id, int type, int& state);
// Deletes the entry. -1 when not found.
int yymndel(int id);
// Inserts a new entry `offset` positions from the entry id within its menu
// (0: before it, 1: after it; clamped to the menu), a separator when newid
// is 0. -1 when id is not found.
int yymnins(int id, int offset, int newid, std::string_view text);
// The 0-based position of the command `id` in `menu`, searched depth-first,
// and the menu that holds it in owner; -1 (owner null) when not found.
int yymngetpos(plat::HMENU menu, int id, plat::HMENU& owner);

}  // namespace tsd
