// varnel2's windowed side: the main routine and the commands it dispatches.
// Every command works on the one program state of the run.
#pragma once

#include <string>
#include <string_view>

#include "shell/boxes.h"
#include "multipeak/varnel2/varnel2_state.h"
#include "resources/varnel2/varnel2_ids.h"

namespace tsd {

// The main routine given to winmain.
void varnel2main();

// Menu command ids, named for the commands.
namespace v2menu {
inline constexpr int kData = V2_CM_DATA;
inline constexpr int kPeaks = V2_CM_PEAKS;
inline constexpr int kCopyFitted = V2_CM_COPY_FITTED;
inline constexpr int kFitRange = V2_CM_FIT_RANGE;
inline constexpr int kFitSettings = V2_CM_FIT_SETTINGS;
inline constexpr int kFit = V2_CM_FIT;
inline constexpr int kDisplayRange = V2_CM_DISPLAY_RANGE;
inline constexpr int kGrid = V2_CM_GRID;
inline constexpr int kShowResults = V2_CM_RESULTS;
inline constexpr int kShowTable1 = V2_CM_TABLE1;
inline constexpr int kShowTable2 = V2_CM_TABLE2;
inline constexpr int kShowTable3 = V2_CM_TABLE3;
inline constexpr int kSaveParamReport = V2_CM_SAVE_PARAMETERS;
inline constexpr int kSaveResultReport = V2_CM_SAVE_RESULTS;
inline constexpr int kSaveTable1 = V2_CM_SAVE_TABLE1;
inline constexpr int kSaveTable2 = V2_CM_SAVE_TABLE2;
inline constexpr int kSaveTable3 = V2_CM_SAVE_TABLE3;
inline constexpr int kSaveParamFile = V2_CM_SAVE_PARAMFILE;
inline constexpr int kPrintParamReport = V2_CM_PRINT_PARAMETERS;
inline constexpr int kPrintResultReport = V2_CM_PRINT_RESULTS;
inline constexpr int kPrintTable1 = V2_CM_PRINT_TABLE1;
inline constexpr int kPrintTable2 = V2_CM_PRINT_TABLE2;
inline constexpr int kPrintTable3 = V2_CM_PRINT_TABLE3;
inline constexpr int kAbout = V2_CM_ABOUT;
inline constexpr int kEnd = V2_CM_END;
// Popups, through the menu companion record.
inline constexpr int kParamsPopup = V2_POPUP_PARAMETERS;
inline constexpr int kGraphPopup = V2_POPUP_GRAPH;
inline constexpr int kTablesPopup = V2_POPUP_TABLES;
inline constexpr int kSavePopup = V2_POPUP_SAVE;
inline constexpr int kPrintPopup = V2_POPUP_PRINT;
}  // namespace v2menu

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

}  // namespace tsd
