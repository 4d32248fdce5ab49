// varnel2's program state and the computations on it that need no window:
// the parameter vector built from the start values of up to four peaks, the
// output grid, the fit index range, the start-value curves, and the reading
// of a measured data file into the fit's global records.
//
// The measured curve itself lives in the global record `arrays`, the fit's
// integers in `numbers`, the parameter vector and its box in `fitvector`,
// T0 and b in `var`; everything else of the program is here. Peak k = 1..4
// is entry k-1 of the per-peak arrays.
#pragma once

#include <string>
#include <string_view>

#include "analysis/datafile.h"
#include "multipeak/fitcompute.h"
#include "multipeak/records.h"
#include "runtime/filename.h"

namespace tsd::varnel2 {

inline constexpr int kMaxOutputGrid = CurveArray::rows;

// Colour numbers of the graph.
inline constexpr int kPeakColours[5] = {47, 175, 111, 207, 223};
inline constexpr int kDataColour = 223;

struct State {
  // Measured data (the points are in `arrays`).
  int Nin = 0;
  double area = 0.0;

  // Start values and settings (VARNEL2.PAR).
  double Ea[kMaxPeaks] = {};
  double Tm[kMaxPeaks] = {};
  double Jm[kMaxPeaks] = {};
  int peakon[kMaxPeaks] = {};
  double QEa = 0.0, QTm = 0.0, QJm = 0.0;
  double Del = 0.0;
  int Ldiv = 0;
  int Nout = 0;
  int gridflag = 0;

  // Built by buildvector.
  int npeaks = 0;
  int peakidx[kMaxPeaks] = {};
  int plotflags[5] = {};

  // Ranges [K].
  double tdmin = 0.0, tdmax = 0.0;  // display range, first and last grid point
  double tfmin = 0.0, tfmax = 0.0;  // fit range

  CurveArray curves;
  FitResults fit;

  int loaded = 0;
  int fitted = 0;
  double markersize = 0.002;

  // The names chosen last (code page 1250), as long as the host allows,
  // offered again: for reading, and by a save command.
  runtime::FileName datafile;
  runtime::FileName savefile;

  // The file whose data the program holds, named in the reports.
  std::string dataname;

  // Directory the program started in, where VARNEL2.PAR is read and written.
  std::string startdir;
};

// npeaks, numbers.nparam, peakidx, fitvector.a, the box a/Q .. a*Q and
// plotflags from peakon, the start values and the Q factors.
void buildvector(State& s);

// The box recomputed around the current vector fitvector.a with the current
// Q factors (the vector itself is not rebuilt).
void rebound(const State& s);

// Column 0 of the curves: Nout points from tdmin to tdmax.
void buildgrid(State& s);

// Columns 1..4 of the enabled peaks from their start values, and column 5,
// their sum over the vector, whatever the number of peaks: the saved table 2
// holds it beside the grid (the graph shows it only from two peaks on), so
// it always belongs to the grid and the peaks switched on; with no peak it
// is 0.
void startcurves(State& s);

// n1, n2 of the points within [tfmin - 0.01, tfmax + 0.01].
void fitindexrange(const State& s);

// Reads a measured data file. On success the points go to `arrays`, T0 and b
// to `var`, and the state is reset for the new curve: fit range and display
// range over all points, a new grid, fitted = 0, loaded = 1, start-value
// curves, and the fitted curves of the last fit on the new grid. The name
// is kept as dataname. A file that cannot be opened or is refused changes
// nothing and gives readdatafile's status.
DataFileStatus loaddata(State& s, std::string_view name);

}  // namespace tsd::varnel2
