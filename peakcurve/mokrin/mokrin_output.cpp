#include "peakcurve/mokrin/mokrin_output.h"

#include "shell/boxes.h"
#include "analysis/var.h"
#include "runtime/format.h"
#include "runtime/reportlines.h"
#include "resources/mokrin/mokrin_ids.h"
#include "toolkit/window/strings.h"

namespace tsd::mokrin {

namespace {

using runtime::FormatItem;
using runtime::ReportLines;

// The rows of a table: count and the three columns.
struct Columns {
  int n;
  const double* T;
  const double* J;
  const double* P;
};

Columns columns(const State& s, int table) {
  if (table == kTable2) {
    int n = s.data.N < 0 ? 0 : s.data.N;
    if (n > kMaxMeasuredPoints) n = kMaxMeasuredPoints;
    return {n, s.data.T, s.data.J, s.Pd};
  }
  int n = s.peak.Nout < 0 ? 0 : s.peak.Nout;
  if (n > peakcurve::kMaxGrid) n = peakcurve::kMaxGrid;
  return {n, s.peak.Ta, s.peak.Ja, s.peak.Pa};
}

std::vector<std::string> tablelines(const State& s, int table, OutputVariant variant) {
  const Columns c = columns(s, table);
  ReportLines lines(variant);
  lines.add("(/,A)", {table == kTable2 ? "  T [K]    Jd [A/cm2]   Pd [C/cm2]"
                                       : "  T [K]    Ja [A/cm2]   Pa [C/cm2]"});
  for (int i = 0; i < c.n; ++i) lines.add("(F8.3,1P,2E13.5)", {c.T[i], c.J[i], c.P[i]});
  return lines.take();
}

std::vector<std::string> reportlines(const State& s, OutputVariant variant) {
  const peakcurve::PeakState& p = s.peak;
  const bool data = s.dataflag == 1;
  ReportLines lines(variant);
  const std::string heading = " Program " + std::string(variantinfo(s.variant).program);
  lines.add("(/,A,/)", {heading});
  lines.add("(A)", {cp(" Parametry doświadczalne:")});
  if (data) {
    const std::string name(trimmed(s.datafile));
    lines.add("(2A)", {cp(" Plik wejściowy             = "), name});
    lines.add("(A,I4)", {cp(" Liczba punktów wej. Nin    ="), s.data.N});
  }
  lines.add("(A,1P,E12.5,A)", {cp(" Szybkość ogrzewania b      ="), var.b, " K/s"});
  lines.add("(A,F8.3,A)", {cp(" Temperatura początkowa T0  ="), var.T0, " K"});
  if (data) lines.add("(A,1P,E12.5,A)", {cp(" Powierzchnia próbki S      ="), s.data.S, " cm2"});
  lines.add("(/,A)", {" Parametry piku TSD:"});
  lines.add("(A,F9.6,A)", {" Energia aktywacji Ea       =", p.Ea, " eV"});
  if (variantinfo(s.variant).derived) {
    lines.add("(A,F8.3,A)", {" Temperatura maks. TSD Tm   =", p.Tm, " K"});
    // The one text the printer words differently: it names Jm.
    const std::string jm = lines.printed() ? std::string(" Maks. gestosc pradu TSD Jm =")
                                           : cp(" Maks. gęstość prądu TSD    =");
    lines.add("(A,1P,E12.5,A)", {jm, p.Jm, " A/cm2"});
  }
  lines.add("(A,1P,E12.5,A)", {cp(" Czynnik przedwykł. tau0    ="), p.tau0, " s"});
  lines.add("(A,1P,E12.5,A)", {" Polaryzacja nasycenia P0   =", p.P0, " C/cm2"});
  lines.add("(/,A)", {cp(" Parametry obliczeń:")});
  lines.add("(A,F8.3,A)", {cp(" Minimalna wartość T        ="), p.Tmin, " K"});
  lines.add("(A,F8.3,A)", {cp(" Maksymalna wartość T       ="), p.Tmax, " K"});
  lines.add("(A,I4)", {cp(" Liczba punktów wyj. Nout   ="), p.Nout});
  return lines.take();
}

}  // namespace

TableDialog tabledialog(int table) { return table == kTable2 ? TableDialog{MK_DLG_TABLE2, 1031}
                           : TableDialog{MK_DLG_TABLE1, 1027}; }

std::string tabletext(const State& s, int table) {
  const Columns c = columns(s, table);
  std::string text, row;
  for (int i = 0; i < c.n; ++i) {
    runtime::format_record("(I4,F10.3,1P,2E14.5)", {i + 1, c.T[i], c.J[i], c.P[i]}, row);
    if (i > 0) text.append("\r\n");
    text.append(row);
  }
  return text;
}

std::vector<std::string> outputlines(const State& s, Output output, OutputVariant variant) {
  switch (output) {
    case Output::table1: return tablelines(s, kTable1, variant);
    case Output::table2: return tablelines(s, kTable2, variant);
    case Output::report: break;
  }
  return reportlines(s, variant);
}

std::string tablesavedtext(std::string_view filename) {
  return savedtext(cp("Tabela zapisana w pliku "), filename);
}

std::string reportsavedtext(std::string_view filename) {
  return savedtext(cp("Parametry zapisane w pliku "), filename);
}

}  // namespace tsd::mokrin
