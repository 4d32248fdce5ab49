#include "peakcurve/mokrin/mokrin_output.h"

#include "shell/boxes.h"
#include "analysis/var.h"
#include "runtime/format.h"
#include "resources/mokrin/mokrin_ids.h"
#include "toolkit/window/strings.h"

namespace tsd::mokrin {

namespace {

using runtime::FormatItem;

// The rows of a table: count and the three columns.
struct Columns {
  int n;
  const double* T;
  const double* J;
  const double* P;
};

Columns columns(const MokrinState& s, int table) {
  if (table == kTable2) {
    int n = s.data.N < 0 ? 0 : s.data.N;
    if (n > kMaxMeasuredPoints) n = kMaxMeasuredPoints;
    return {n, s.data.T, s.data.J, s.Pd};
  }
  int n = s.peak.Nout < 0 ? 0 : s.peak.Nout;
  if (n > peakcurve::kMaxGrid) n = peakcurve::kMaxGrid;
  return {n, s.peak.Ta, s.peak.Ja, s.peak.Pa};
}

// Appends the lines of one formatted write (records split at their ends).
void addrecords(std::vector<std::string>& lines, std::string_view format,
                std::initializer_list<FormatItem> items) {
  std::string out;
  runtime::format_text(format, items, out);
  std::size_t start = 0;
  while (start < out.size()) {
    const std::size_t end = out.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(out.substr(start));
      break;
    }
    lines.push_back(out.substr(start, end - start));
    start = end + 1;
  }
}



}  // namespace

TableDialog tabledialog(int table) { return table == kTable2 ? TableDialog{MK_DLG_TABLE2, 1031}
                           : TableDialog{MK_DLG_TABLE1, 1027}; }

std::string tabletext(const MokrinState& s, int table) {
  const Columns c = columns(s, table);
  std::string text, row;
  for (int i = 0; i < c.n; ++i) {
    runtime::format_record("(I4,F10.3,1P,2E14.5)", {i + 1, c.T[i], c.J[i], c.P[i]}, row);
    if (i > 0) text.append("\r\n");
    text.append(row);
  }
  return text;
}

std::vector<std::string> tablelines(const MokrinState& s, int table) {
  const Columns c = columns(s, table);
  std::vector<std::string> lines;
  addrecords(lines, "(/,A)",
             {table == kTable2 ? "  T [K]    Jd [A/cm2]   Pd [C/cm2]"
                               : "  T [K]    Ja [A/cm2]   Pa [C/cm2]"});
  for (int i = 0; i < c.n; ++i) addrecords(lines, "(F8.3,1P,2E13.5)", {c.T[i], c.J[i], c.P[i]});
  return lines;
}

std::vector<std::string> reportlines(const MokrinState& s, OutputVariant variant) {
  const bool printed = variant == OutputVariant::printer;
  // The saved text, or the printed one where it differs.
  auto t = [printed](std::string_view saved, std::string_view plain) {
    return printed ? std::string(plain) : cp(saved);
  };
  const peakcurve::PeakState& p = s.peak;
  const bool data = s.dataflag == 1;
  std::vector<std::string> lines;
  const std::string heading = " Program " + std::string(variantinfo(s.variant).program);
  addrecords(lines, "(/,A,/)", {heading});
  addrecords(lines, "(A)", {t(" Parametry doświadczalne:", " Parametry doswiadczalne:")});
  if (data) {
    const std::string name(trimmed(s.datafile));
    addrecords(lines, "(2A)",
               {t(" Plik wejściowy             = ", " Plik wejsciowy             = "), name});
    addrecords(lines, "(A,I4)",
               {t(" Liczba punktów wej. Nin    =", " Liczba punktow wej. Nin    ="), s.data.N});
  }
  addrecords(lines, "(A,1P,E12.5,A)",
             {t(" Szybkość ogrzewania b      =", " Szybkosc ogrzewania b      ="), var.b, " K/s"});
  addrecords(lines, "(A,F8.3,A)",
             {t(" Temperatura początkowa T0  =", " Temperatura poczatkowa T0  ="), var.T0, " K"});
  if (data) {
    addrecords(lines, "(A,1P,E12.5,A)",
               {t(" Powierzchnia próbki S      =", " Powierzchnia probki S      ="), s.data.S,
                " cm2"});
  }
  addrecords(lines, "(/,A)", {" Parametry piku TSD:"});
  addrecords(lines, "(A,F9.6,A)", {" Energia aktywacji Ea       =", p.Ea, " eV"});
  if (variantinfo(s.variant).derived) {
    addrecords(lines, "(A,F8.3,A)", {" Temperatura maks. TSD Tm   =", p.Tm, " K"});
    addrecords(lines, "(A,1P,E12.5,A)",
               {t(" Maks. gęstość prądu TSD    =", " Maks. gestosc pradu TSD Jm ="), p.Jm,
                " A/cm2"});
  }
  addrecords(lines, "(A,1P,E12.5,A)",
             {t(" Czynnik przedwykł. tau0    =", " Czynnik przedwykl. tau0    ="), p.tau0, " s"});
  addrecords(lines, "(A,1P,E12.5,A)", {" Polaryzacja nasycenia P0   =", p.P0, " C/cm2"});
  addrecords(lines, "(/,A)", {t(" Parametry obliczeń:", " Parametry obliczen:")});
  addrecords(lines, "(A,F8.3,A)",
             {t(" Minimalna wartość T        =", " Minimalna wartosc T        ="), p.Tmin, " K"});
  addrecords(lines, "(A,F8.3,A)",
             {t(" Maksymalna wartość T       =", " Maksymalna wartosc T       ="), p.Tmax, " K"});
  addrecords(lines, "(A,I4)",
             {t(" Liczba punktów wyj. Nout   =", " Liczba punktow wyj. Nout   ="), p.Nout});
  return lines;
}

std::string tablesavedtext(std::string_view filename) {
  return savedtext(cp("Tabela zapisana w pliku "), filename);
}

std::string reportsavedtext(std::string_view filename) {
  return savedtext(cp("Parametry zapisane w pliku "), filename);
}

}  // namespace tsd::mokrin
