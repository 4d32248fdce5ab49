// Menu states: wmenusetstate greys, enables, checks and unchecks entries of
// the root window's menu by command id, and whole popups of the menu bar,
// which have no command id, through the menu companion record.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace tsd {

// type 1: state 0 greys, 1 enables; type 2: state 0 unchecks, 1 checks.
// Other types or states do nothing. Error 1001 when the id is neither a
// command of the menu nor listed in the companion record.
void wmenusetstate(int id, int type, int state);

// The position path (1-based, from the menu bar) of item id in a menu
// companion record of `size` bytes; empty when it is not listed. The
// record is read no further than its size.
std::vector<int> yymenupath(const void* record, int size, int id);

// The item that the companion record lists for id, in the menu whose bar
// is `bar`: its menu and 0-based position, and whether it is an entry of
// the bar itself. False when it is not listed or the path leads nowhere.
bool yymenuitemof(plat::HMENU bar, const void* record, int size, int id, plat::HMENU& menu, int& position,
                  bool& onbar);
// True when the bar itself has a command item `id`.
bool yymenuonbar(plat::HMENU bar, int id);

}  // namespace tsd
