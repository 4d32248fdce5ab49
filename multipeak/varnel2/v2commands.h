// varnel2's windowed side: the main routine and the commands it dispatches.
// Every command works on the one program state of the run.
#pragma once

#include <string>
#include <string_view>

#include "shell/boxes.h"
#include "multipeak/varnel2/varnel2_state.h"
#include "resources/varnel2/varnel2_ids.h"

namespace tsd::varnel2 {

// The main routine given to winmain.
void varnel2main();

// Shared by the commands, besides the program shell's boxes
// (shell/boxes.h, included here).
void plotgraph(Varnel2State& s);
void replot(Varnel2State& s);
// The three "Tabela 2" items enabled when at least two peaks are.
void settable2menus(const Varnel2State& s);

// Dialogs of the settings.
void peaksdialog(Varnel2State& s);         // V2_DLG_PEAKS
void fitrangedialog(Varnel2State& s);      // V2_DLG_FIT_RANGE
void displayrangedialog(Varnel2State& s);  // V2_DLG_DISPLAY_RANGE
void fitsettingsdialog(Varnel2State& s);   // V2_DLG_FIT_SETTINGS

// Fit request and the copy of the fitted values to the start values.
void fitrequest(Varnel2State& s);
void copyfitted(Varnel2State& s);

// Results, tables, reports.
void resultdialog(const Varnel2State& s);
void screentable(const Varnel2State& s, int table);  // 1, 2, 3
enum class V2Output { paramreport, resultreport, table1, table2, table3 };
void saveoutput(Varnel2State& s, V2Output what);
void printoutput(const Varnel2State& s, V2Output what);

}  // namespace tsd::varnel2
