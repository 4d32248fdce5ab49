// The main routine that mokrin1 and mokrin2 share: start-up with the
// parameter file, then the message loop handing the menu commands to the
// command table.
#pragma once

#include "peakcurve/mokrin/mokrin_state.h"

namespace tsd::mokrin {

// Runs the program of the variant to its end. A missing or unusable
// parameter file ends it after an error box, with a non-zero exit code.
void run(Variant variant);

}  // namespace tsd::mokrin
