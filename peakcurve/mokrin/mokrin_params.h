// The parameter file of a curve program, MOKRIN1.PAR or MOKRIN2.PAR, in the
// directory the program started in. Two records, each one free-format read
// (runtime/freeread.h) and written with its format text:
//   1  b, T0, Ea, then tau0, P0 (mokrin1) or Tm, Jm (mokrin2)   "(1P,5E14.6)"
//   2  Tmin, Tmax, Nout                                      "(1P,2E14.6,0P,I4)"
// Values the program cannot work with are refused: Nout outside 2..800
// (the grid step divides by Nout - 1, the arrays hold 800 points), and b,
// Ea, tau0 (mokrin1) or Tm (mokrin2) not above 0, for which the model has
// no finite curve: the values the dialog refuses too, so a file the program
// saved is never refused. A refused or unreadable file changes nothing.
#pragma once

#include <string>

#include "peakcurve/mokrin/mokrin_state.h"
#include "runtime/paramfile.h"

namespace tsd::mokrin {

using runtime::ParamsResult;
using runtime::ParamsStatus;

// The parameter file's path in `dir` (the file name alone when dir is empty).
std::string paramfilepath(const State& s, const std::string& dir);

// Reads the file in s.startdir into `var` (b, T0) and s.peak (Ea, tau0 and
// P0 or Tm and Jm, Tmin, Tmax, Nout). mokrin2's tau0 and P0 are not derived
// here.
ParamsResult readparams(State& s);

// Rewrites the file in s.startdir from `var` and s.peak, atomically.
ParamsResult writeparams(const State& s);

// Texts (code page 1250) of the boxes:
using runtime::paramsmissingtext;                 // "Błąd odczytu parametrów"
std::string paramssavedtext(const State& s);  // "Parametry zapisane w pliku MOKRIN1.PAR"
std::string paramswritefailedtext(const State& s);  // "Błąd zapisu parametrów w pliku ..."
using runtime::paramsproblemtext;                        // "<file>: <problem>"

}  // namespace tsd::mokrin
