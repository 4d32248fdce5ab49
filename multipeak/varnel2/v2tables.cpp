// varnel2's results on the screen (dialog 109 and the three tables), and
// the reports and tables appended to a file or written to the printer.
#include <string>
#include <vector>

#include "analysis/conversions.h"
#include "analysis/var.h"

#include "shell/files.h"
#include "shell/report.h"
#include "multipeak/varnel2/v2commands.h"
#include "multipeak/varnel2/v2fields.h"
#include "multipeak/varnel2/varnel2_output.h"
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

std::vector<std::string> outputlines(const Varnel2State& s, V2Output what, OutputVariant variant) {
  switch (what) {
    case V2Output::paramreport: return paramreport(s, variant);
    case V2Output::resultreport: return resultreport(s, variant);
    case V2Output::table1: return table1lines(s);
    case V2Output::table2: return table2lines(s);
    case V2Output::table3: break;
  }
  return table3lines(s);
}

struct SaveTexts {
  std::string_view filter;
  const char* title;
  const char* done;
};

SaveTexts savetexts(V2Output what) {
  switch (what) {
    case V2Output::paramreport:
      return {kReportFilter, "Zapis parametrów obliczeń", "Parametry obliczeń zapisane w pliku "};
    case V2Output::resultreport:
      return {kReportFilter, "Zapis wyników obliczeń", "Wyniki obliczeń zapisane w pliku "};
    case V2Output::table1: return {kTableFilter, "Zapis tabeli 1", "Tabela 1 zapisana w pliku "};
    case V2Output::table2: return {kTableFilter, "Zapis tabeli 2", "Tabela 2 zapisana w pliku "};
    case V2Output::table3: break;
  }
  return {kTableFilter, "Zapis tabeli 3", "Tabela 3 zapisana w pliku "};
}

}  // namespace

void resultdialog(const Varnel2State& s) {
  // Ten quantities of each peak, then Chi.
  std::vector<int> ids;
  std::vector<std::string> texts;
  for (int k = 1; k <= kMaxPeaks; ++k) {
    int q = 0;
    for (const ResultField& f : kResultFields) {
      ids.push_back(f.ids[k - 1]);
      texts.push_back(s.peakon[k - 1] == 1 ? fieldtext(resultvalue(s.fit, q, k), f.format, f.length)
                                           : blank_text(kFieldTextLength));
      ++q;
    }
  }
  ids.push_back(1069);
  texts.push_back(numbers.nparam < 1 ? blank_text(kFieldTextLength)
                                     : fieldtext(s.fit.Chi, "(1P,E12.6)", 12));
  std::vector<FieldText> fields;
  for (size_t i = 0; i < ids.size(); ++i) fields.push_back({ids[i], texts[i]});
  showfilled(V2_DLG_RESULTS, fields);
}

void screentable(const Varnel2State& s, int table) {
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

void saveoutput(Varnel2State& s, V2Output what) {
  const SaveTexts t = savetexts(what);
  if (!choosereportfile(t.filter, s.savefile, cp(t.title))) return;
  const std::string name(s.savefile.text());
  const OutputStatus status = appendlines(name, outputlines(s, what, OutputVariant::file));
  tellsaved(status, savedtext(cp(t.done), name), name);
}

void printoutput(const Varnel2State& s, V2Output what) {
  tellprinted(printlines(outputlines(s, what, OutputVariant::printer)));
}

}  // namespace tsd::varnel2
