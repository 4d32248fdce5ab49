// varnel1's dialogs of ranges (104), methods (107), output range (105) and
// series (106): filled from the state, shown modal, read back, checked,
// committed, and the analysis repeated or the graph redrawn.
#pragma once

#include "analysis/varnel1/varnel1_state.h"

namespace tsd::varnel1 {

void rangedialog(State& s);   // "Zakres aproksymacji"
void methoddialog(State& s);  // "Metody numeryczne"
void outputdialog(State& s);  // "Zakres obliczeń"
void seriesdialog(State& s);  // "Numery serii"

}  // namespace tsd::varnel1
