// varnel2's results on the screen (dialog 109 and the three tables), and
// the reports and tables appended to a file or written to the printer.
#include <string>

#include "shell/files.h"
#include "shell/report.h"
#include "multipeak/varnel2/v2commands.h"
#include "multipeak/varnel2/v2fields.h"
#include "multipeak/varnel2/varnel2_output.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wdialog.h"

namespace tsd {

namespace {

using runtime::TextFile;

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

void showtable(int dialog, int rowsfield, const std::string& rows, int headerfield,
               const std::string& header) {
  wdialogload(dialog);
  wdialogselect(dialog);
  if (headerfield != 0) wdialogputstring(headerfield, header);
  wdialogputstring(rowsfield, rows);
  showmodal();
  wdialogunload();
}

void writeoutput(TextFile& f, const Varnel2State& s, V2Output what, bool printer) {
  switch (what) {
    case V2Output::paramreport: writeparamreport(f, s, printer); break;
    case V2Output::resultreport: writeresultreport(f, s, printer); break;
    case V2Output::table1: writetable1(f, s); break;
    case V2Output::table2: writetable2(f, s); break;
    case V2Output::table3: writetable3(f, s); break;
  }
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
  wdialogload(V2_DLG_RESULTS);
  wdialogselect(V2_DLG_RESULTS);
  for (int k = 1; k <= kMaxPeaks; ++k) {
    int q = 0;
    for (const ResultField& f : kResultFields) {
      if (s.peakon[k - 1] == 1) {
        putreal(f.ids[k - 1], resultvalue(s.fit, q, k), f.format, f.length);
      } else {
        putblank(f.ids[k - 1]);
      }
      ++q;
    }
  }
  if (numbers.nparam < 1) {
    putblank(1069);
  } else {
    putreal(1069, s.fit.Chi, "(1P,E12.6)", 12);
  }
  showmodal();
  wdialogunload();
}

void screentable(const Varnel2State& s, int table) {
  if (table == 1) {
    showtable(V2_DLG_TABLE1, 1027, table1text(s), 0, "");
  } else if (table == 2) {
    showtable(V2_DLG_TABLE2, 1082, table2text(s), 0, "");
  } else {
    const Table3Dialog d = table3dialog(s.npeaks);
    if (d.dialog == 0) return;
    showtable(d.dialog, d.rows, table3text(s), d.header, table3screenheader(s));
  }
}

void saveoutput(Varnel2State& s, V2Output what) {
  const SaveTexts t = savetexts(what);
  if (!choosereportfile(t.filter, s.savefile, cp(t.title))) return;
  const std::string name(s.savefile.text());
  const OutputStatus status =
      appendoutput(name, [&s, what](TextFile& f) { writeoutput(f, s, what, false); });
  tellsaved(status, savedtext(cp(t.done), name), name);
}

void printoutput(const Varnel2State& s, V2Output what) {
  tellprinted(printoutput([&s, what](TextFile& f) { writeoutput(f, s, what, true); }));
}

}  // namespace tsd
