// varnel1's parameter file VARNEL1.PAR: read at start-up, rewritten on request.
//
// Eight records, each read by one free-format read (runtime/freeread.h) and
// written with its format text:
//   1        nwyj, graph number, gridflag, tabseries     "(I5,3I3)"
//   2, 3, 4  series 1, 2, 3: tminmode, tmaxmode, tinimode, tlimmode   "(4I3)"
//   5, 6, 7  series 1, 2, 3: intmethod, p0method, plotseries          "(3I3)"
//   8        calctminmode, calctmaxmode                 "(2I3)"
// The graph number is read into defgraph and written from curgraph, so a
// start after a save shows the graph that was shown when it was saved.
//
// Values the dialogs could never produce are refused, since they would
// divide by zero or index past the three series: nwyj outside 2..800,
// tabseries outside 1..3, an input mode outside 1..2, a method outside 1..3.
// The graph number, gridflag and plotseries are taken as they are (a graph
// outside 1..3 shows nothing, a plotseries other than 1 hides its series),
// as long as their three characters hold them with a blank before them
// (-9..99), so the rewrite reads back the same. A refused or unreadable file
// changes nothing.
#pragma once

#include <string>
#include <string_view>

#include "analysis/varnel1/varnel1_state.h"
#include "runtime/paramfile.h"

namespace tsd::varnel1 {

inline constexpr std::string_view kParamFileName = "VARNEL1.PAR";

using runtime::ParamsResult;
using runtime::ParamsStatus;

// VARNEL1.PAR in directory `dir` (the current directory when empty).
std::string paramfilepath(std::string_view dir);

// Start-up read of VARNEL1.PAR in the current directory. The directory is
// remembered in settings.startdir for writeparams. On success: nwyj,
// intmethod and p0method of the analysis state, the modes, plotseries,
// defgraph, gridflag and tabseries of the settings are set; curgraph := 0
// and jmask is computed. On any failure nothing but startdir is changed.
ParamsResult readparams(State& s);

// Rewrites VARNEL1.PAR in settings.startdir (the current directory when it
// is empty) from the current state, replacing the file atomically.
ParamsResult writeparams(const State& s);

// Texts for the frame (code page 1250).
// Error box when the file is missing: "Błąd odczytu parametrów".
using runtime::paramsmissingtext;
// Information box after a rewrite: "Parametry zapisane w pliku Varnel1.par".
std::string paramssavedtext();
// Error box after a failed rewrite: "Błąd zapisu parametrów w pliku Varnel1.par".
std::string paramswritefailedtext();
// The problem named with its file, for the orderly end at start-up or an
// error box: "<file>: <problem>".
using runtime::paramsproblemtext;

}  // namespace tsd::varnel1
