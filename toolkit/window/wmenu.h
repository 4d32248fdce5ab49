// Menu states: wmenusetstate greys, enables, checks and unchecks entries of
// the root window's menu by command id, and whole popups of the menu bar,
// which have no command id, through the menu companion record.
#pragma once

#include <cstdint>
#include <vector>

namespace tsd {

// type 1: state 0 greys, 1 enables; type 2: state 0 unchecks, 1 checks.
// Other types or states do nothing. Error 1001 when the id is neither a
// command of the menu nor listed in the companion record.
void wmenusetstate(int id, int type, int state);

// The position path (1-based, from the menu bar) of item id in a menu
// companion record of `size` bytes; empty when it is not listed. The
// record is read no further than its size.
std::vector<int> yymenupath(const void* record, int size, int id);

}  // namespace tsd
