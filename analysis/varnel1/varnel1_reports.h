// varnel1's results and tables as texts, computed from the analysis state:
// the fields of the results dialog, the label and text of the four table
// dialogs, and the lines of the parameter report, the results report and the
// four table files. Nothing here changes the state or touches a file
// (writing them is varnel1_output.h). Every text is code page 1250.
//
// Series are numbered 1..3; a series number outside that range gives empty
// output. Indices stay inside the measured points (nwej, at most 800) and
// the output grid (nwyj, at most 800) whatever the state holds.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "shell/report.h"
#include "analysis/varnel1/varnel1_state.h"
#include "resources/varnel1/varnel1_ids.h"

namespace tsd::varnel1 {

// ---- Results dialog 109 "Wyniki obliczeń" ----

struct ResultField {
  int id = 0;        // dialog field
  std::string text;  // the formatted field: 10 characters for Ea, 12 for the others
};

// The eighteen fields, series 1 to 3, in each Ea, its error, tau0, its error,
// P0, its error: each value through realtostring ("(F10.6)" for Ea and its
// error, "(1P,E12.5)" for the others), so rounded to single precision first.
std::array<ResultField, 18> resultsfields(const AnalysisState& state);

// ---- Table dialogs ----

struct TableInfo {
  int number;               // 1..4
  int dialog;               // dialog id
  int labelfield;           // field of the "Seria nr" label
  int textfield;            // multi-line field of the rows
  int rowwidth;             // characters of a formatted row (42 or 28)
  std::string_view title;   // dialog title
  std::string_view header;  // static column header
  std::string_view rowformat;
};

// Tables 1 to 4 (dialogs 101, 111, 102, 103); nullptr for another number.
const TableInfo* tableinfo(int table);

// Label of the table dialogs and table files' series: "Seria nr <s>", 10
// characters for s = 1..3.
std::string tablelabel(int s);

inline constexpr int kTableRows = 800;  // capacity of the table buffer

// The text of table `table` for series s (normally tabseries): each row
// formatted with the table's row format and followed by CR LF, the last
// row's CR LF left out, so `text` is rows*(rowwidth+2) - 2 characters long,
// never less than 0. Returns the number of rows (0 for an unknown table or
// series).
//   1  i = 1..nwej:           i, tdat(i), jdat(i), pd(i,s)
//   2  k = 1..nwyj:           k, tout(k), ja(k,s), pa(k,s)
//   3  r = 1..intcount(s):    r, xdat(i), ltaud(i,s), i from i2 down to i1
//   4  r = 1..nwyj:           r, xout(k), ltaua(k,s), k from nwyj down to 1
// with i1 = intfirst(s), i2 = i1 + intcount(s) - 1, so tables 3 and 4 run in
// rising 1000/T. Tables 2 and 4 of a series without results have no rows.
int tablebuf(int table, int s, const AnalysisState& state, std::string& text);

// ---- Report and table file lines ----
// Each element is one line without its line end; empty elements are the
// empty lines the formats write ("(/,A)" opens with one).

// The parameter report: program, measured data (data file name without its
// trailing blanks; b and T0 from the record `var`), the limits and methods
// of every series (a method outside 1..3 has no line), the output range.
std::vector<std::string> parameterreport(const AnalysisState& state, std::string_view datafile,
                                         OutputVariant variant);

// The results report: Ea, tau0 and P0 with their errors for every series.
std::vector<std::string> resultsreport(const AnalysisState& state, OutputVariant variant);

// Table file `table` (1..4) for series s: an empty line, " Seria nr <s>",
// the column header and the rows (none in tables 2 and 4 for a series
// without results); the same for file and printer. Empty for an unknown
// table or series.
std::vector<std::string> tablefile(int table, int s, const AnalysisState& state);

}  // namespace tsd::varnel1
