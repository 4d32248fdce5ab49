// The menu commands of the curve programs, each run to completion.
#pragma once

#include "peakcurve/mokrin/mokrin_state.h"

namespace tsd::mokrin {

// Dialog 101 made current, loaded first when it is not yet, and filled with
// the current values.
void filldialog(State& s);

// One command of menu 30001 (resources/mokrin/mokrin_ids.h); false when it
// ends the program.
bool command(State& s, int id);

}  // namespace tsd::mokrin
