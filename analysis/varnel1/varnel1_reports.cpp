#include "analysis/varnel1/varnel1_reports.h"

#include <algorithm>

#include "analysis/conversions.h"
#include "analysis/var.h"
#include "runtime/format.h"
#include "runtime/reportlines.h"
#include "text/cp1250.h"
#include "text/letters.h"

namespace tsd::varnel1 {

namespace {

using runtime::FormatItem;

constexpr int kSeries = AnalysisState::kSeries;
constexpr int kPoints = AnalysisState::kPoints;

constexpr TableInfo kTables[4] = {
    {1, V1_DLG_TABLE1, 1086, 1027, 42, "Tabela 1", "      Nr       T [K]       Jd [A/cm2]      Pd [C/cm2]",
     "(I4,F10.3,1P,2E14.5)"},
    {2, V1_DLG_TABLE2, 1002, 1031, 42, "Tabela 2", "      Nr       T [K]       Ja [A/cm2]      Pa [C/cm2]",
     "(I4,F10.3,1P,2E14.5)"},
    {3, V1_DLG_TABLE3, 1001, 1002, 28, "Tabela 3", "     Nr  1000/T [1/K]  log taud [s]", "(I4,2F12.5)"},
    {4, V1_DLG_TABLE4, 1001, 1002, 28, "Tabela 4", "     Nr  1000/T [1/K]  log taua [s]", "(I4,2F12.5)"},
};

bool valid_series(int s) { return s >= 1 && s <= kSeries; }

// Counts held by the state, kept inside the arrays.
int measured_count(const AnalysisState& st) { return std::clamp(st.nwej, 0, kPoints); }
int grid_count(const AnalysisState& st) { return std::clamp(st.nwyj, 0, kPoints); }
// Rows of model values of series s: one per grid point, none for a series
// without results.
int model_count(const AnalysisState& st, int s) {
  return st.hasresults[s - 1] == 1 ? grid_count(st) : 0;
}

// The valid integration range i1..i2 of series s, inside the measured
// points; i1 > i2 when empty.
void integration_range(const AnalysisState& st, int s, int& i1, int& i2) {
  i1 = std::max(st.intfirst[s - 1], 1);
  i2 = std::min(st.intfirst[s - 1] + st.intcount[s - 1] - 1, measured_count(st));
}

using runtime::ReportLines;

std::string series_line(int s) { return " Seria nr " + std::to_string(s); }

// The four lines of a range in K and as 1000/T: Tmin, Tmax (and Tlim).
void limit_lines(ReportLines& out, std::string_view name, double t) {
  // name is "Tmin", "Tmax" or "Tlim": the texts are padded to one width.
  const std::string n(name);
  out.add(
      "(A,F8.3,A)",
      {cp(" Wartość " + n + "             ="), t, " K"});
  out.add("(A,F8.5,A)",
          {cp(" Wartość 1000/" + n + "        ="),
           1000.0 / t, " 1/K"});
}

}  // namespace

std::array<ResultField, 18> resultsfields(const AnalysisState& st) {
  static constexpr int kIds[kSeries][6] = {
      {1073, 1074, 1075, 1076, 1077, 1010},
      {1046, 1048, 1078, 1082, 1080, 1084},
      {1047, 1049, 1079, 1083, 1081, 1085},
  };
  std::array<ResultField, 18> fields;
  for (int s = 0; s < kSeries; ++s) {
    const double values[6] = {st.ea[s], st.dea[s], st.tau0[s], st.dtau0[s], st.p0[s], st.sp[s]};
    for (int k = 0; k < 6; ++k) {
      const bool energy = k < 2;
      ResultField& f = fields[s * 6 + k];
      f.id = kIds[s][k];
      f.text = energy ? realfield(values[k], "(F10.6)", 10) : realfield(values[k], "(1P,E12.5)", 12);
    }
  }
  return fields;
}

const TableInfo* tableinfo(int table) {
  if (table < 1 || table > 4) return nullptr;
  return &kTables[table - 1];
}

std::string tablelabel(int s) { return "Seria nr " + std::to_string(s); }

int tablebuf(int table, int s, const AnalysisState& st, std::string& text) {
  text.clear();
  const TableInfo* info = tableinfo(table);
  if (info == nullptr || !valid_series(s)) return 0;
  const int c = s - 1;
  std::string row;
  int rows = 0;
  auto put = [&](std::initializer_list<FormatItem> items) {
    if (rows == kTableRows) return;
    runtime::format_record(info->rowformat, items, row);
    if (rows > 0) text.append("\r\n");
    text.append(row);
    ++rows;
  };
  text.reserve(static_cast<size_t>(kTableRows) * (info->rowwidth + 2));
  switch (table) {
    case 1:
      for (int i = 1; i <= measured_count(st); ++i) {
        put({i, st.tdat[i - 1], st.jdat[i - 1], st.pd[c][i - 1]});
      }
      break;
    case 2:
      for (int k = 1; k <= model_count(st, s); ++k) {
        put({k, st.tout[k - 1], st.ja[c][k - 1], st.pa[c][k - 1]});
      }
      break;
    case 3: {
      int i1 = 0, i2 = 0;
      integration_range(st, s, i1, i2);
      int r = 0;
      for (int i = i2; i >= i1; --i) put({++r, st.xdat[i - 1], st.ltaud[c][i - 1]});
      break;
    }
    default: {
      int r = 0;
      for (int k = model_count(st, s); k >= 1; --k) put({++r, st.xout[k - 1], st.ltaua[c][k - 1]});
      break;
    }
  }
  return rows;
}

std::vector<std::string> parameterreport(const AnalysisState& st, std::string_view datafile,
                                         OutputVariant v) {
  const std::string_view name = text::trimmed(datafile);
  ReportLines out(v);
  out.add("(/,A,/)", {" Program Varnel1"});
  out.add("(A,/)", {cp(" Parametry doświadczalne:")});
  out.add("(2A)", {cp(" Plik wejściowy           = "), name});
  out.add("(A,I4)",
          {cp(" Liczba punktów wej. Nwej ="), st.nwej});
  out.add("(A,1P,E12.5,A)",
          {cp(" Szybkość ogrzewania b    ="), var.b, " K/s"});
  out.add("(A,F8.3,A)",
          {cp(" Temperatura początk. T0  ="), var.T0, " K"});
  out.add("(A,1P,E12.5,A)",
          {cp(" Powierzchnia próbki S    ="), st.area, " cm2"});
  out.add("(/,A)", {cp(" Parametry obliczeń:")});
  for (int s = 1; s <= kSeries; ++s) {
    const int c = s - 1;
    out.add("(/,A)", {series_line(s)});
    out.add("(A)", {" Zakres aproksymacji:"});
    limit_lines(out, "Tmin", st.tmin[c]);
    limit_lines(out, "Tmax", st.tmax[c]);
    limit_lines(out, "Tlim", st.tlim[c]);
    out.add("(A)", {" Metody numeryczne:"});
    switch (st.intmethod[c]) {
      case 1:
        out.add("(A)", {cp(" Całkowanie metodą trapezów 1")});
        break;
      case 2:
        out.add("(A)", {cp(" Całkowanie metodą trapezów 2")});
        break;
      case 3:
        out.add("(A)", {cp(" Całkowanie metodą parabol")});
        break;
      default:
        break;
    }
    switch (st.p0method[c]) {
      case 1:
        out.add("(A)", {" Obliczanie P0 - aproksymacja J"});
        break;
      case 2:
        out.add("(A)", {" Obliczanie P0 - aproksymacja P"});
        break;
      case 3:
        out.add("(A)", {cp(" Obliczanie P0 - początkowa wartość P")});
        break;
      default:
        break;
    }
  }
  out.add("(/,A,/)", {cp(" Zakres obliczeń:")});
  limit_lines(out, "Tmin", st.calctmin);
  limit_lines(out, "Tmax", st.calctmax);
  out.add("(A,I4)",
          {cp(" Liczba punktów wyj. Nwyj ="), st.nwyj});
  return out.take();
}

std::vector<std::string> resultsreport(const AnalysisState& st, OutputVariant v) {
  ReportLines out(v);
  out.add("(/,A)", {cp(" Wyniki obliczeń:")});
  for (int s = 1; s <= kSeries; ++s) {
    const int c = s - 1;
    out.add("(/,A)", {series_line(s)});
    out.add("(A,F9.6,A)", {" Energia aktywacji Ea       =", st.ea[c], " eV"});
    out.add("(A,F9.6,A)",
            {cp(" Błąd energii aktywacji Ea  ="), st.dea[c],
             " eV"});
    out.add("(A,1P,E12.5,A)",
            {cp(" Czynnik przedwykł. tau0    ="), st.tau0[c],
             " s"});
    out.add("(A,1P,E12.5,A)",
            {cp(" Błąd czynnika przed. tau0  ="), st.dtau0[c],
             " s"});
    out.add("(A,1P,E12.5,A)", {" Polaryzacja nasycenia P0   =", st.p0[c], " C/cm2"});
    out.add("(A,1P,E12.5,A)",
            {cp(" Błąd polaryzacji nasyc. P0 ="), st.sp[c],
             " C/cm2"});
  }
  return out.take();
}

std::vector<std::string> tablefile(int table, int s, const AnalysisState& st) {
  if (table < 1 || table > 4 || !valid_series(s)) return {};
  const int c = s - 1;
  ReportLines out;
  out.add("(/,A)", {series_line(s)});
  switch (table) {
    case 1:
      out.add("(A)", {"  T [K]    Jd [A/cm2]   Pd [C/cm2]"});
      for (int i = 1; i <= measured_count(st); ++i) {
        out.add("(F8.3,1P,2E13.5)", {st.tdat[i - 1], st.jdat[i - 1], st.pd[c][i - 1]});
      }
      break;
    case 2:
      out.add("(A)", {"  T [K]    Ja [A/cm2]   Pa [C/cm2]"});
      for (int k = 1; k <= model_count(st, s); ++k) {
        out.add("(F8.3,1P,2E13.5)", {st.tout[k - 1], st.ja[c][k - 1], st.pa[c][k - 1]});
      }
      break;
    case 3: {
      out.add("(A)", {" 1000/T [1/K]  log taud [s]"});
      int i1 = 0, i2 = 0;
      integration_range(st, s, i1, i2);
      for (int i = i2; i >= i1; --i) out.add("(F11.5,F14.5)", {st.xdat[i - 1], st.ltaud[c][i - 1]});
      break;
    }
    default:
      out.add("(A)", {" 1000/T [1/K]  log taua [s]"});
      for (int k = model_count(st, s); k >= 1; --k) {
        out.add("(F11.5,F14.5)", {st.xout[k - 1], st.ltaua[c][k - 1]});
      }
      break;
  }
  return out.take();
}

}  // namespace tsd::varnel1
