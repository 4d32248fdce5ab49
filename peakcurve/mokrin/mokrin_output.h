// The curve programs' tables and reports as texts: the text of the table
// dialogs, the lines of the table files and of the parameter report, and
// the texts of the boxes that follow a save. Nothing here touches a window
// or a file. Texts are code page 1250; printed texts have plain letters in
// place of the Polish ones.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/report.h"
#include "peakcurve/mokrin/mokrin_state.h"

namespace tsd::mokrin {

inline constexpr int kTable1 = 1;  // model curves: T, Ja, Pa on the grid
inline constexpr int kTable2 = 2;  // measured data: T, Jd, Pd

struct TableDialog {
  int dialog;  // 102 or 103
  int field;   // 1027 or 1031
};
TableDialog tabledialog(int table);

// The text of a table dialog's field: one row "(I4,F10.3,1P,2E14.5)" per
// point, rows separated by CR LF, no line end after the last; empty for no
// rows.
std::string tabletext(const State& s, int table);

// What a save or print command writes out.
enum class Output {
  report,  // the parameter report
  table1,  // table 1, the model curves
  table2,  // table 2, the measured data
};

// The lines of an output. A table: an empty line, the heading, one row
// "(F8.3,1P,2E13.5)" per point. The parameter report: datafile lines only
// while data are shown, Tm and Jm only in mokrin2.
std::vector<std::string> outputlines(const State& s, Output output, OutputVariant variant);

// The information box after a save: "Tabela zapisana w pliku " or
// "Parametry zapisane w pliku " and the file name padded to 79 characters
// (a longer name is given whole).
std::string tablesavedtext(std::string_view filename);
std::string reportsavedtext(std::string_view filename);

}  // namespace tsd::mokrin
