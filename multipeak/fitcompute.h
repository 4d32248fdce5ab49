// The numerical part of varnel2's fit request, without any window: minimise
// the objective from the start vector inside its box, estimate the standard
// errors from the inverted curvature matrix, derive tau0 and P0 of every
// enabled peak with their errors, and compute the fitted curves on the
// output grid.
//
// It reads the global records (`arrays`, `numbers`, `fitvector`, `var`) and
// writes the caller's result record and curve array, which the program
// frame keeps for the whole run.
#pragma once

#include "multipeak/mina.h"
#include "multipeak/records.h"

namespace tsd {

// The curve array on the output grid, column after column: column 0 the grid
// temperature, 1..4 the start-value peaks, 5 their sum, 6..9 the fitted peaks,
// 10 their sum. Row i (1-based) of column c is col[c][i - 1].
struct CurveArray {
  static constexpr int rows = 800;
  static constexpr int columns = 11;
  double col[columns][rows] = {};
};

// Results of the last fit. Entries of peaks that took no part in a fit keep
// the values of an earlier one.
struct FitResults {
  double afit[kMaxParams] = {};                // minimising vector, layout of fitvector.a
  double Smin = 0.0;                           // plain sum of squared residuals at afit
  double Chi = 0.0;                            // sqrt(Smin) [A/cm2]
  double alpha[kMaxParams * kMaxParams] = {};  // curvature matrix, then its inverse (ld 12)
  double Eafit[kMaxPeaks] = {}, Tmfit[kMaxPeaks] = {}, Jmfit[kMaxPeaks] = {};
  double tau0[kMaxPeaks] = {}, P0[kMaxPeaks] = {};
  double sEa[kMaxPeaks] = {}, sTm[kMaxPeaks] = {}, sJm[kMaxPeaks] = {};
  double stau0[kMaxPeaks] = {}, sP0[kMaxPeaks] = {};
  int fitpeakon[kMaxPeaks] = {};  // 1: the peak took part in the last fit (afit's layout)
  int hasvalues[kMaxPeaks] = {};  // 1: a fit has given the peak its fitted values
  int minstatus = 0;  // status of the minimiser (1 done, 2, 3)
  int invstatus = 0;  // status of the inversion (1 done, -1 refused)
};

// Outcome of fitcompute.
inline constexpr int kFitDone = 1;          // everything computed
inline constexpr int kFitNotInverted = 2;   // fitted, but the curvature matrix could not be
                                            // inverted: the standard errors are NaN
inline constexpr int kFitNotMinimised = 3;  // the minimiser refused (minstatus 2 or 3); only
                                            // minstatus was written
inline constexpr int kFitBadRequest = 4;    // nparam is not 3 x the enabled peaks, or Nout is
                                            // outside 0..800; nothing was written
inline constexpr int kFitNotFinite = 5;     // the sum of squares at the minimiser's point is
                                            // not a finite number (currents too large for it):
                                            // only minstatus was written

// Runs the fit of the peaks k with peakon[k-1] = 1 (the j-th enabled peak is
// entry j of the parameter vector), with the minimiser's Ldiv and Del, and
// fills columns 6..10 of curves for the Nout grid points of column 0.
int fitcompute(const int peakon[kMaxPeaks], int Ldiv, double Del, int Nout, CurveArray& curves,
               FitResults& res);

// The fitted curves from res on the grid of column 0: column 5+k of every
// peak a fit has given values to (the peaks of earlier fits too, so that no
// column is left on an older grid), and column 10, the sum over afit of the
// last fit's peaks. Also used when the output grid changes after a fit.
void fitcurves(int Nout, const FitResults& res, CurveArray& curves);

}  // namespace tsd
