#include "multipeak/varnel2/varnel2_output.h"

#include "analysis/conversions.h"
#include "analysis/var.h"
#include "resources/varnel2/varnel2_ids.h"
#include "runtime/format.h"
#include "runtime/reportlines.h"
#include "text/cp1250.h"
#include "text/letters.h"

namespace tsd::varnel2 {

namespace {

using runtime::FormatItem;
using runtime::OutputVariant;
using runtime::ReportLines;

char digit(int k) { return char('0' + k); }

std::string peakline(int k) { return std::string(" Pik nr ") + digit(k); }

int rows_of(int n, int cap) {
  if (n < 0) return 0;
  return n > cap ? cap : n;
}

// The curve columns of the enabled peaks: fitted (6..9) or start values (1..4).
int enabled_columns(const State& s, bool fitted, const double* cols[kMaxPeaks]) {
  const int m = s.npeaks < 0 ? 0 : (s.npeaks > kMaxPeaks ? kMaxPeaks : s.npeaks);
  const int base = fitted ? 5 : 0;
  for (int j = 0; j < m; ++j) cols[j] = s.curves.col[base + s.peakidx[j]];
  return m;
}

}  // namespace

std::string tablerows(int nrows, const double* x, const double* const* y, int k) {
  static constexpr std::string_view kFormats[4] = {
      "(I4,F10.3,1P,E14.5)", "(I4,F10.3,1P,2E14.5)", "(I4,F10.3,1P,3E14.5)",
      "(I4,F10.3,1P,4E14.5)"};
  std::string out;
  if (k < 1 || k > 4 || nrows < 1) return out;
  out.reserve(size_t(nrows) * size_t(16 + 14 * k));
  std::string row;
  FormatItem items[6] = {0, 0.0, 0.0, 0.0, 0.0, 0.0};
  for (int i = 1; i <= nrows; ++i) {
    items[0] = FormatItem(i);
    items[1] = FormatItem(x[i - 1]);
    for (int c = 0; c < k; ++c) items[2 + c] = FormatItem(y[c][i - 1]);
    runtime::format_record(kFormats[k - 1], std::span<const FormatItem>(items, size_t(2 + k)), row);
    if (i > 1) out += "\r\n";
    out += row;
  }
  return out;
}

Table3Dialog table3dialog(int npeaks) {
  switch (npeaks) {
    case 1: return {V2_DLG_TABLE3_1, 1080, 1081};
    case 2: return {V2_DLG_TABLE3_2, 1071, 1077};
    case 3: return {V2_DLG_TABLE3_3, 1078, 1072};
    case 4: return {V2_DLG_TABLE3_4, 1001, 1079};
    default: return {};
  }
}

std::string table3screenheader(const State& s) {
  if (s.npeaks == 4) {
    return "      Nr       T [K]     Ja1 [A/cm2]     Ja2 [A/cm2]     Ja3 [A/cm2]     Ja4 [A/cm2]";
  }
  if (s.npeaks < 1 || s.npeaks > 4) return "";
  std::string h = "      Nr       T [K]";
  for (int j = 0; j < s.npeaks; ++j) {
    h += "     Ja";
    h += digit(s.peakidx[j]);
    h += " [A/cm2]";
  }
  if (h.size() < 38) h.resize(38, ' ');
  return h;
}

std::string table1text(const State& s) {
  const double* y[1] = {arrays.J};
  return tablerows(rows_of(s.Nin, ArraysRecord::capacity), arrays.T, y, 1);
}

std::string table2text(const State& s) {
  const double* y[1] = {s.curves.col[10]};
  return tablerows(rows_of(s.Nout, CurveArray::rows), s.curves.col[0], y, 1);
}

std::string table3text(const State& s) {
  const double* y[kMaxPeaks] = {};
  const int m = enabled_columns(s, true, y);
  return tablerows(rows_of(s.Nout, CurveArray::rows), s.curves.col[0], y, m);
}

std::vector<std::string> paramreport(const State& s, OutputVariant variant) {
  ReportLines f(variant);
  const std::string name(text::trimmed(s.dataname));
  f.add("(/,A,/)", {" Program Varnel2"});
  f.add("(A)", {cp(" Parametry doświadczalne:")});
  f.add("(2A)", {cp(" Plik wejściowy           = "),
                   name});
  f.add("(A,I4)",
          {cp(" Liczba punktów wej. Nin  ="), s.Nin});
  f.add("(A,1P,E12.5,A)",
          {cp(" Szybkość ogrzewania b    ="), var.b,
           " K/s"});
  f.add("(A,F8.3,A)",
          {cp(" Temperatura początk. T0  ="), var.T0,
           " K"});
  f.add("(A,1P,E12.5,A)",
          {cp(" Powierzchnia próbki S    ="), s.area,
           " cm2"});
  f.add("(/,A)", {cp(" Parametry obliczeń:")});
  f.add("(A)", {cp(" Wejściowe wartości parametrów pików TSD:")});
  for (int k = 1; k <= kMaxPeaks; ++k) {
    if (s.peakon[k - 1] != 1) continue;
    f.add("(A)", {peakline(k)});
    f.add("(A,F8.5,A)", {" Energia aktywacji Ea       =", s.Ea[k - 1], " eV"});
    f.add("(A,F8.3,A)", {" Maksymalna temperatura Tm  =", s.Tm[k - 1], " K"});
    f.add("(A,1P,E12.5,A)",
            {cp(" Maksymalna gęst. prądu Jm  ="),
             s.Jm[k - 1], " A/cm2"});
  }
  const std::string wartosc = cp(" Wartość");
  f.add("(A)", {" Zakres aproksymacji:"});
  f.add("(A,F8.3,A)", {wartosc + " Tmin             =", s.tfmin, " K"});
  f.add("(A,F8.3,A)", {wartosc + " Tmax             =", s.tfmax, " K"});
  f.add("(A)", {" Parametry minimalizacji:"});
  f.add("(A,F6.2)", {wartosc + " QEa              =", s.QEa});
  f.add("(A,F6.2)", {wartosc + " QTm              =", s.QTm});
  f.add("(A,F6.2)", {wartosc + " QJm              =", s.QJm});
  f.add("(A,F7.4)", {wartosc + " Del              =", s.Del});
  f.add("(A,I2)", {wartosc + " Ldiv             =", s.Ldiv});
  f.add("(/,A)", {cp(" Zakres obliczeń:")});
  f.add("(A,F8.3,A)", {wartosc + " Tmin             =", s.tdmin, " K"});
  f.add("(A,F8.3,A)", {wartosc + " Tmax             =", s.tdmax, " K"});
  f.add("(A,I4)",
          {cp(" Liczba punktów wyj. Nout ="), s.Nout});
  return f.take();
}

std::vector<std::string> resultreport(const State& s, OutputVariant variant) {
  ReportLines f(variant);
  const FitResults& r = s.fit;
  f.add("(/,A)", {cp(" Wyniki obliczeń parametrów pików TSD:")});
  f.add("(A,1P,E12.5,A)",
          {cp(" Średnie odchyl. kwadr. Chi ="), r.Chi,
           " A/cm2"});
  for (int k = 1; k <= kMaxPeaks; ++k) {
    if (s.peakon[k - 1] != 1) continue;
    const int e = k - 1;
    f.add("(A)", {peakline(k)});
    f.add("(A,F8.5,A,F8.5,A)",
            {" Energia aktywacji Ea       =", r.Eafit[e], " eV        +-", r.sEa[e], " eV"});
    f.add("(A,F8.3,A,F8.3,A)",
            {" Maksymalna temperatura Tm  =", r.Tmfit[e], " K         +-", r.sTm[e], " K"});
    f.add("(A,1P,E12.5,A,E9.2,A)",
            {cp(" Maksymalna gęst. prądu Jm  ="),
             r.Jmfit[e], " A/cm2 +-", r.sJm[e], " A/cm2"});
    f.add("(A,1P,E12.5,A,E9.2,A)",
            {cp(" Czynnik przedwykł. tau0    ="),
             r.tau0[e], " s     +-", r.stau0[e], " s"});
    f.add("(A,1P,E12.5,A,E9.2,A)",
            {" Polaryzacja nasycenia P0   =", r.P0[e], " C/cm2 +-", r.sP0[e], " C/cm2"});
  }
  return f.take();
}

// Table rows of the files: a temperature and one value each give the same
// record as the two-value format the tables were written with, whose second
// value descriptor has no item.
std::vector<std::string> table1lines(const State& s) {
  ReportLines f;
  f.add("(/,A)", {"  T [K]    Jd [A/cm2]"});
  const int n = rows_of(s.Nin, ArraysRecord::capacity);
  for (int i = 0; i < n; ++i) f.add("(F8.3,1P,E13.5)", {arrays.T[i], arrays.J[i]});
  return f.take();
}

std::vector<std::string> table2lines(const State& s) {
  ReportLines f;
  f.add("(/,A)", {"  T [K]    Ja [A/cm2]"});
  const int n = rows_of(s.Nout, CurveArray::rows);
  for (int i = 0; i < n; ++i) f.add("(F8.3,1P,E13.5)", {s.curves.col[0][i], s.curves.col[5][i]});
  return f.take();
}

std::vector<std::string> table3lines(const State& s) {
  ReportLines f;
  static constexpr std::string_view kFormats[4] = {"(F8.3,1P,E13.5)", "(F8.3,1P,2E13.5)",
                                                   "(F8.3,1P,3E13.5)", "(F8.3,1P,4E13.5)"};
  const double* y[kMaxPeaks] = {};
  const int m = enabled_columns(s, false, y);
  if (m < 1) return {};
  std::string header = "  T [K] ";
  for (int j = 0; j < m; ++j) {
    header += "  Ja";
    header += digit(s.peakidx[j]);
    header += " [A/cm2]";
  }
  f.add("(/,A)", {header});
  const int n = rows_of(s.Nout, CurveArray::rows);
  FormatItem items[5] = {0.0, 0.0, 0.0, 0.0, 0.0};
  for (int i = 0; i < n; ++i) {
    items[0] = FormatItem(s.curves.col[0][i]);
    for (int j = 0; j < m; ++j) items[1 + j] = FormatItem(y[j][i]);
    f.add(kFormats[m - 1], std::span<const FormatItem>(items, size_t(1 + m)));
  }
  return f.take();
}

std::vector<std::string> outputlines(const State& s, Output what, OutputVariant variant) {
  switch (what) {
    case Output::paramreport: return paramreport(s, variant);
    case Output::resultreport: return resultreport(s, variant);
    case Output::table1: return table1lines(s);
    case Output::table2: return table2lines(s);
    case Output::table3: break;
  }
  return table3lines(s);
}

}  // namespace tsd::varnel2
