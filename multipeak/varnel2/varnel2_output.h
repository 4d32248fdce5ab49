// varnel2's texts that need no window: the field texts of the result
// dialog, the rows and headers of the screen tables, and the parameter and
// result reports and the tables written to a file or to the printer.
//
// All texts are code page 1250. Reports and tables are made as lines for a
// file or the printer (runtime/reportlines.h), which the caller appends to a
// file or prints.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "multipeak/varnel2/varnel2_state.h"
#include "runtime/reportlines.h"

namespace tsd::varnel2 {

// Rows "(I4,F10.3,1P,kE14.5)" of i = 1..nrows, row number, x(i) and the k
// columns y[0..k-1](i), joined by CR LF without a CR LF after the last.
// k is 1..4; nrows below 1 gives an empty text.
std::string tablerows(int nrows, const double* x, const double* const* y, int k);

// Header of the screen table 3 for the enabled peaks (npeaks 1..4; empty
// otherwise).
std::string table3screenheader(const State& s);

// Resource id of the table-3 dialog, its header field and rows field by
// npeaks; all 0 when no peak is enabled.
struct Table3Dialog {
  int dialog = 0;
  int header = 0;
  int rows = 0;
};
Table3Dialog table3dialog(int npeaks);

// Text of the screen tables: table 1 the measured points, table 2 the
// fitted sum (column 10), table 3 the fitted curves of the enabled peaks.
std::string table1text(const State& s);
std::string table2text(const State& s);
std::string table3text(const State& s);

// The lines of the parameter and result reports, and of the three table
// files (the same for a file and the printer; table 3 has none when no
// peak is enabled).
std::vector<std::string> paramreport(const State& s, runtime::OutputVariant variant);
std::vector<std::string> resultreport(const State& s, runtime::OutputVariant variant);
std::vector<std::string> table1lines(const State& s);
std::vector<std::string> table2lines(const State& s);
std::vector<std::string> table3lines(const State& s);

// What a save or print command writes: one of the two reports or the three
// tables, and their lines for a file or the printer.
enum class Output { paramreport, resultreport, table1, table2, table3 };
std::vector<std::string> outputlines(const State& s, Output what, runtime::OutputVariant variant);

}  // namespace tsd::varnel2
