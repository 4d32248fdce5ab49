// The settings dialogs of varnel2: the peaks and their start values, the
// fit range, the display range and output grid, and the minimiser settings.
// Each fills its fields, is shown modal, and reads every field back; what
// it read is taken only when every check passed, and the graph is drawn
// again in every case.
#pragma once

#include "multipeak/varnel2/varnel2_state.h"

namespace tsd::varnel2 {

void peaksdialog(State& s);         // V2_DLG_PEAKS
void fitrangedialog(State& s);      // V2_DLG_FIT_RANGE
void displayrangedialog(State& s);  // V2_DLG_DISPLAY_RANGE
void fitsettingsdialog(State& s);   // V2_DLG_FIT_SETTINGS

// The fields of peak k (1..4) of V2_DLG_PEAKS, which must be selected: its
// start values, and its check box.
void putpeakfields(const State& s, int k);
void setpeakcheck(int k, int state);

}  // namespace tsd::varnel2
