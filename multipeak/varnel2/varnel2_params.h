// varnel2's parameter file VARNEL2.PAR: read at start-up, rewritten on request.
//
// Seven records, each read by one free-format read (runtime/freeread.h) and
// written with its format text:
//   1           Nout, gridflag                    "(I5,I3)"
//   2, 3, 4, 5  peak 1..4: Ea, Tm, Jm, peakon     "(1P,3E14.6,0P,I3)"
//   6           QEa, QTm, QJm                     "(1P,3E14.6)"
//   7           Del, Ldiv                         "(1P,E14.6,0P,I3)"
// All four peaks are written, enabled or not.
//
// Start-up takes every value the program's dialogs can leave and its own
// rewrite can write, so a file the program saved is never refused. Refused,
// naming the record, is only what the program cannot keep: Nout outside
// 2..800 (the curve array's rows; the grid divides by Nout - 1), a number
// that is not finite, a Q factor below 1 (the box a/Q .. a*Q would be
// upside down; a factor just above 1 is written as 1.0), Del above 1 (one
// just below 1 is written as 1.0), Ldiv outside 1..9 (the one digit its
// dialog field holds), and gridflag or peakon outside -9..99 (the values
// their three characters hold with a blank before them). A start value of
// an enabled peak that the model cannot use (Ea or Tm not above 0) is taken
// and refused by the fit request. A refused or unreadable file changes
// nothing but startdir.
#pragma once

#include <string>
#include <string_view>

#include "multipeak/varnel2/varnel2_state.h"
#include "runtime/paramfile.h"

namespace tsd::varnel2 {

inline constexpr std::string_view kParamFile = "VARNEL2.PAR";

using runtime::ParamsResult;
using runtime::ParamsStatus;

// Start-up read of VARNEL2.PAR in the current directory, which is kept in
// s.startdir for writeparams. Sets Nout, gridflag, the start values,
// peakon, the Q factors, Del and Ldiv.
ParamsResult readparams(State& s);

// Reads the parameter file `file` (code page 1250) into s (the same checks).
ParamsResult readparamsfrom(std::string_view file, State& s);

// VARNEL2.PAR in s.startdir (the current directory when it is empty).
std::string paramfilepath(const State& s);

// Rewrites VARNEL2.PAR in s.startdir (the current directory when it is
// empty), replacing the file atomically.
ParamsResult writeparams(const State& s);

// Texts for the frame (code page 1250).
using runtime::paramsmissingtext;       // "Błąd odczytu parametrów"
std::string paramssavedtext();         // "Parametry zapisane w pliku Varnel2.par"
std::string paramswritefailedtext();   // "Błąd zapisu parametrów w pliku Varnel2.par"
// "<file>: <problem>" for the orderly end at start-up.
using runtime::paramsproblemtext;

}  // namespace tsd::varnel2
