// The checks of what varnel2's dialogs read and of a fit request, without
// any window: each gives the texts of its "Błąd" boxes in the order they are
// shown (code page 1250); no text means the values are taken.
#pragma once

#include "multipeak/varnel2/varnel2_state.h"
#include "shell/checks.h"

namespace tsd::varnel2 {

// A number read from a dialog field: `read` false when the field held none,
// and `value` then what it held before the read.
struct RealField {
  double value = 0.0;
  bool read = true;
};
struct IntegerField {
  int value = 0;
  bool read = true;
};

// V2_DLG_PEAKS: the start values of the peaks switched on (the others are
// not read and not checked).
struct PeaksInput {
  int peakon[kMaxPeaks] = {};
  RealField Ea[kMaxPeaks], Tm[kMaxPeaks], Jm[kMaxPeaks];
};
// "Pik nr <k>" and a line break before each unreadable value of peak k.
CheckMessages peakschecks(const PeaksInput& in);

// V2_DLG_FIT_RANGE: both temperatures read, then the range checked against
// the start temperature t0.
struct FitRangeInput {
  RealField tmin, tmax;
};
CheckMessages fitrangechecks(const FitRangeInput& in, double t0);

// V2_DLG_DISPLAY_RANGE: the temperatures and Nout read, the range checked,
// then Nout against 2..kMaxOutputGrid.
struct DisplayRangeInput {
  RealField tmin, tmax;
  IntegerField nout;
};
CheckMessages displayrangechecks(const DisplayRangeInput& in, double t0);

// V2_DLG_FIT_SETTINGS: the three Q factors, Del and Ldiv read, then each
// checked: a Q factor above 1, Del below 1, Ldiv at least 1.
struct FitSettingsInput {
  RealField QEa, QTm, QJm, Del;
  IntegerField Ldiv;
};
CheckMessages fitsettingschecks(const FitSettingsInput& in);

// A fit request: the start values of the enabled peaks that the model cannot
// be computed with (not above 0), in peak order, then a fit range n1..n2 of
// the measured points that holds none.
CheckMessages fitchecks(const State& s, int n1, int n2);

}  // namespace tsd::varnel2
