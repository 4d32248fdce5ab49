// varnel2's windowed side: the main routine and the commands it dispatches.
// Every command works on the one program state of the run.
#pragma once

#include <string>
#include <string_view>

#include "multipeak/varnel2_state.h"

namespace tsd {

// The main routine given to winmain.
void varnel2main();

// Menu command ids.
namespace v2menu {
inline constexpr int kData = 40001;
inline constexpr int kPeaks = 40201;
inline constexpr int kCopyFitted = 40205;
inline constexpr int kFitRange = 40203;
inline constexpr int kFitSettings = 40202;
inline constexpr int kFit = 40199;
inline constexpr int kDisplayRange = 40200;
inline constexpr int kGrid = 40077;
inline constexpr int kShowResults = 40031;
inline constexpr int kShowTable1 = 40016;
inline constexpr int kShowTable2 = 40017;
inline constexpr int kShowTable3 = 40032;
inline constexpr int kSaveParamReport = 40008;
inline constexpr int kSaveResultReport = 40034;
inline constexpr int kSaveTable1 = 40007;
inline constexpr int kSaveTable2 = 40006;
inline constexpr int kSaveTable3 = 40047;
inline constexpr int kSaveParamFile = 40009;
inline constexpr int kPrintParamReport = 40020;
inline constexpr int kPrintResultReport = 40022;
inline constexpr int kPrintTable1 = 40018;
inline constexpr int kPrintTable2 = 40019;
inline constexpr int kPrintTable3 = 40048;
inline constexpr int kAbout = 40035;
inline constexpr int kEnd = 40004;
// Popups, through the menu companion record.
inline constexpr int kParamsPopup = 40005;
inline constexpr int kGraphPopup = 40204;
inline constexpr int kTablesPopup = 40015;
inline constexpr int kSavePopup = 40002;
inline constexpr int kPrintPopup = 40003;
}  // namespace v2menu

// Shared by the commands.
void plotgraph(Varnel2State& s);
void replot(Varnel2State& s);
void errorbox(std::string_view text);  // "Błąd" box, text in code page 1250
void infobox(std::string_view text);   // "Informacja" box
void showmodal();  // the selected dialog, modal, centred, first field focused
std::string cp(std::string_view utf8);
// The three "Tabela 2" items enabled when at least two peaks are.
void settable2menus(const Varnel2State& s);

// Dialogs of the settings.
void peaksdialog(Varnel2State& s);         // 107
void fitrangedialog(Varnel2State& s);      // 104
void displayrangedialog(Varnel2State& s);  // 105
void fitsettingsdialog(Varnel2State& s);   // 106

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
