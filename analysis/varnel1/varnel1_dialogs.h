// varnel1's dialogs of ranges (104), methods (107), output range (105) and
// series (106): filled from the state, shown modal, read back, checked,
// committed, and the analysis repeated or the graph redrawn.
#pragma once

namespace tsd::varnel1 {

void rangedialog();   // "Zakres aproksymacji"
void methoddialog();  // "Metody numeryczne"
void outputdialog();  // "Zakres obliczeń"
void seriesdialog();  // "Numery serii"

}  // namespace tsd::varnel1
