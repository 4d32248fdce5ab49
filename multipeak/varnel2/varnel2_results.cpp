#include "multipeak/varnel2/varnel2_results.h"

#include <string>
#include <vector>

#include "analysis/conversions.h"
#include "analysis/var.h"
#include "multipeak/varnel2/varnel2_output.h"
#include "resources/varnel2/varnel2_ids.h"
#include "shell/boxes.h"
#include "toolkit/window/strings.h"

namespace tsd::varnel2 {

namespace {

// One field of the result dialog: the ids of peaks 1..4, its format and length.
struct ResultField {
  int ids[kMaxPeaks];
  const char* format;
  int length;
};

constexpr ResultField kResultFields[] = {
    {{1038, 1041, 1045, 1048}, "(F8.6)", 8},
    {{1039, 1042, 1046, 1049}, "(F8.4)", 8},
    {{1040, 1044, 1047, 1050}, "(1P,E12.6)", 12},
    {{1051, 1052, 1053, 1054}, "(1P,E12.6)", 12},
    {{1062, 1063, 1064, 1065}, "(1P,E12.6)", 12},
    {{1083, 1107, 1108, 1109}, "(F8.6)", 8},
    {{1070, 1071, 1072, 1073}, "(F8.4)", 8},
    {{1087, 1110, 1111, 1112}, "(1P,E8.2)", 8},
    {{1090, 1113, 1114, 1115}, "(1P,E8.2)", 8},
    {{1091, 1116, 1117, 1118}, "(1P,E8.2)", 8},
};

// Value q (the row of kResultFields) of peak k.
double resultvalue(const FitResults& r, int q, int k) {
  const double* rows[10] = {r.Eafit, r.Tmfit, r.Jmfit, r.tau0, r.P0,
                            r.sEa,   r.sTm,   r.sJm,   r.stau0, r.sP0};
  return rows[q][k - 1];
}

}  // namespace

void showresults(const State& s) {
  // Ten quantities of each peak, then Chi.
  std::vector<int> ids;
  std::vector<std::string> texts;
  for (int k = 1; k <= kMaxPeaks; ++k) {
    int q = 0;
    for (const ResultField& f : kResultFields) {
      ids.push_back(f.ids[k - 1]);
      texts.push_back(s.peakon[k - 1] == 1 ? realfield(resultvalue(s.fit, q, k), f.format, f.length)
                                           : blank_text(kFieldTextLength));
      ++q;
    }
  }
  ids.push_back(1069);
  texts.push_back(numbers.nparam < 1 ? blank_text(kFieldTextLength)
                                     : realfield(s.fit.Chi, "(1P,E12.6)", 12));
  std::vector<FieldText> fields;
  for (size_t i = 0; i < ids.size(); ++i) fields.push_back({ids[i], texts[i]});
  showfilled(V2_DLG_RESULTS, fields);
}

void showtable(const State& s, int table) {
  if (table == 1) {
    const std::string rows = table1text(s);
    const FieldText texts[1] = {{1027, rows}};
    showfilled(V2_DLG_TABLE1, texts);
  } else if (table == 2) {
    const std::string rows = table2text(s);
    const FieldText texts[1] = {{1082, rows}};
    showfilled(V2_DLG_TABLE2, texts);
  } else {
    const Table3Dialog d = table3dialog(s.npeaks);
    if (d.dialog == 0) return;
    const std::string header = table3screenheader(s);
    const std::string rows = table3text(s);
    const FieldText texts[2] = {{d.header, header}, {d.rows, rows}};
    showfilled(d.dialog, texts);
  }
}

}  // namespace tsd::varnel2
