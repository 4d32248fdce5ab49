// The menu commands of the curve programs, each run to completion.
#pragma once

#include "peakcurve/mokrin/mokrin_state.h"

namespace tsd::mokrin {

// Dialog 101 made current, loaded first when it is not yet, and filled with
// the current values.
void filldialog(MokrinState& s);

}  // namespace tsd::mokrin
