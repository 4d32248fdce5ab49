// The state of a curve program (mokrin1 or mokrin2) for the whole run: the
// model peak and its grid, the measured data shown over it, and the frame's
// switches and file names. One design, two variants: mokrin1 takes the peak
// as Ea, tau0 and P0, mokrin2 as Ea, Tm and Jm (tau0 and P0 derived).
#pragma once

#include <string>
#include <string_view>

#include "analysis/datafile.h"
#include "peakcurve/peakcurve.h"
#include "runtime/filename.h"

namespace tsd::mokrin {

enum class Variant { mokrin1, mokrin2 };

// What differs between the two programs.
struct VariantInfo {
  Variant variant;
  std::string_view program;     // "Mokrin1": window title "Program Mokrin1", report heading
  std::string_view paramfile;   // "MOKRIN1.PAR"
  int modelcolour;              // colour number of the model curves
  bool derived;                 // tau0 and P0 derived from Tm and Jm
};
const VariantInfo& variantinfo(Variant v);

inline constexpr int kPlotCurrent = 1;       // plot 1: Ja, Jd against T
inline constexpr int kPlotPolarisation = 2;  // plot 2: Pa, Pd against T

// The values of dialog 101 read back and not yet taken over. They live as
// long as the program: a field that fails to read leaves its pending value
// as the last dialog left it.
struct PendingInput {
  double b = 0.0, T0 = 0.0, Ea = 0.0, Tm = 0.0, Jm = 0.0, tau0 = 0.0, P0 = 0.0;
  double Tmin = 0.0, Tmax = 0.0;
  int Nout = 0;
};

// One State is made by run() for the whole run and passed by reference to
// every command and dialog.
struct State {
  Variant variant = Variant::mokrin1;
  peakcurve::PeakState peak;     // b and T0 live in the record `var`

  // Measured data: data.N points (Nin), data.S, data.T (Td), data.J (Jd).
  MeasuredData data;
  double Pd[kMaxMeasuredPoints] = {};  // measured polarisation [C/cm2]
  // Points data.T inside [Tmin, Tmax]: 1-based i1..i2, empty when i1 > i2.
  int i1 = 1, i2 = 0;
  bool datamax = false;          // Jdmax and Pdmax hold maxima (range not empty)
  double Jdmax = 0.0, Pdmax = 0.0;

  int dataflag = 0;              // 1 while measured data are shown
  int currentplot = kPlotCurrent;
  int gridflag = 0;
  std::string datafile;          // the file the data shown were read from (code page 1250)
  runtime::FileName datachoice;  // the last file chosen for reading, offered again
  runtime::FileName savefile;    // last file chosen by a save command
  std::string startdir;          // where the program started: its parameter file lives there

  PendingInput pending;
};

// The index range of the measured points inside [Tmin, Tmax] and their
// largest current density and polarisation; no maxima when it is empty.
void datarange(State& s);

}  // namespace tsd::mokrin
