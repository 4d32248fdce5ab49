// The main routine that mokrin1 and mokrin2 share: start-up with the
// parameter file, the message loop and the menu commands.
#pragma once

#include "peakcurve/mokrin/mokrin_state.h"

namespace tsd::mokrin {

// Runs the program of the variant to its end. A missing or unusable
// parameter file ends it after an error box, with a non-zero exit code.
void mokrinmain(Variant variant);

// One command of menu 30001 (resources/mokrin/mokrin_ids.h); false when it
// ends the program.
bool mokrincommand(MokrinState& s, int id);

}  // namespace tsd::mokrin
