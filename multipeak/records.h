// The global records of the multi-peak fit: the measured curve, the fit's
// integers and the parameter vector with its box. The objective reads them;
// the program frame fills them from the data file and its dialogs.
#pragma once

#include "multipeak/mina.h"

namespace tsd {

inline constexpr int kMaxPeaks = 4;  // peaks of the sum model

// The measured curve, 1-based in the routines: point i is T[i - 1], J[i - 1].
struct ArraysRecord {
  static constexpr int capacity = 800;
  double T[capacity] = {};  // temperature [K]
  double J[capacity] = {};  // current density [A/cm2]
};

// The fit's integers: the first and last fitted point (1-based, inclusive)
// and the number of fit parameters, 3 x the number of enabled peaks.
struct NumbersRecord {
  int n1 = 0;
  int n2 = 0;
  int nparam = 0;
  int unused = 0;  // kept for the record's layout; not read by the fit
};

// The parameter vector, grouped by kind: a[0..m-1] Jm of the enabled peaks,
// a[m..2m-1] their Tm, a[2m..3m-1] their Ea; and the box the minimiser keeps
// it in.
struct FitVectorRecord {
  double a[kMaxParams] = {};
  Bounds bounds;
};

extern ArraysRecord arrays;
extern NumbersRecord numbers;
extern FitVectorRecord fitvector;

}  // namespace tsd
