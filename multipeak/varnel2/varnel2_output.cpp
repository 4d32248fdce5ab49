#include "multipeak/varnel2/varnel2_output.h"

#include "analysis/conversions.h"
#include "analysis/var.h"
#include "resources/varnel2/varnel2_ids.h"
#include "runtime/format.h"
#include "text/cp1250.h"

namespace tsd {

namespace {

using runtime::FormatItem;
using runtime::TextFile;

// The file text, or the printer's spelling without diacritics.
std::string pick(bool printer, std::string_view file_utf8, std::string_view printer_text) {
  return printer ? std::string(printer_text) : cp(file_utf8);
}

std::string_view trim_blanks(std::string_view t) {
  size_t n = t.size();
  while (n > 0 && (t[n - 1] == ' ' || t[n - 1] == '\0')) --n;
  return t.substr(0, n);
}

char digit(int k) { return char('0' + k); }

std::string peakline(int k) { return std::string(" Pik nr ") + digit(k); }

int rows_of(int n, int cap) {
  if (n < 0) return 0;
  return n > cap ? cap : n;
}

// The curve columns of the enabled peaks: fitted (6..9) or start values (1..4).
int enabled_columns(const Varnel2State& s, bool fitted, const double* cols[kMaxPeaks]) {
  const int m = s.npeaks < 0 ? 0 : (s.npeaks > kMaxPeaks ? kMaxPeaks : s.npeaks);
  const int base = fitted ? 5 : 0;
  for (int j = 0; j < m; ++j) cols[j] = s.curves.col[base + s.peakidx[j]];
  return m;
}

}  // namespace

std::string fieldtext(double value, std::string_view format, int length) {
  std::string t;
  realtostring(value, t, format);
  return t.substr(0, size_t(length));
}

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

std::string table3screenheader(const Varnel2State& s) {
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

std::string table1text(const Varnel2State& s) {
  const double* y[1] = {arrays.J};
  return tablerows(rows_of(s.Nin, ArraysRecord::capacity), arrays.T, y, 1);
}

std::string table2text(const Varnel2State& s) {
  const double* y[1] = {s.curves.col[10]};
  return tablerows(rows_of(s.Nout, CurveArray::rows), s.curves.col[0], y, 1);
}

std::string table3text(const Varnel2State& s) {
  const double* y[kMaxPeaks] = {};
  const int m = enabled_columns(s, true, y);
  return tablerows(rows_of(s.Nout, CurveArray::rows), s.curves.col[0], y, m);
}

void writeparamreport(TextFile& f, const Varnel2State& s, bool printer) {
  const std::string name(trim_blanks(s.dataname));
  f.write("(/,A,/)", {" Program Varnel2"});
  f.write("(A)", {pick(printer, " Parametry doświadczalne:", " Parametry doswiadczalne:")});
  f.write("(2A)", {pick(printer, " Plik wejściowy           = ", " Plik wejsciowy           = "),
                   name});
  f.write("(A,I4)",
          {pick(printer, " Liczba punktów wej. Nin  =", " Liczba punktow wej. Nin  ="), s.Nin});
  f.write("(A,1P,E12.5,A)",
          {pick(printer, " Szybkość ogrzewania b    =", " Szybkosc ogrzewania b    ="), var.b,
           " K/s"});
  f.write("(A,F8.3,A)",
          {pick(printer, " Temperatura początk. T0  =", " Temperatura poczatk. T0  ="), var.T0,
           " K"});
  f.write("(A,1P,E12.5,A)",
          {pick(printer, " Powierzchnia próbki S    =", " Powierzchnia probki S    ="), s.area,
           " cm2"});
  f.write("(/,A)", {pick(printer, " Parametry obliczeń:", " Parametry obliczen:")});
  f.write("(A)", {pick(printer, " Wejściowe wartości parametrów pików TSD:",
                       " Wejsciowe wartosci parametrow pikow TSD:")});
  for (int k = 1; k <= kMaxPeaks; ++k) {
    if (s.peakon[k - 1] != 1) continue;
    f.write("(A)", {peakline(k)});
    f.write("(A,F8.5,A)", {" Energia aktywacji Ea       =", s.Ea[k - 1], " eV"});
    f.write("(A,F8.3,A)", {" Maksymalna temperatura Tm  =", s.Tm[k - 1], " K"});
    f.write("(A,1P,E12.5,A)",
            {pick(printer, " Maksymalna gęst. prądu Jm  =", " Maksymalna gest. pradu Jm  ="),
             s.Jm[k - 1], " A/cm2"});
  }
  const std::string wartosc = pick(printer, " Wartość", " Wartosc");
  f.write("(A)", {" Zakres aproksymacji:"});
  f.write("(A,F8.3,A)", {wartosc + " Tmin             =", s.tfmin, " K"});
  f.write("(A,F8.3,A)", {wartosc + " Tmax             =", s.tfmax, " K"});
  f.write("(A)", {" Parametry minimalizacji:"});
  f.write("(A,F6.2)", {wartosc + " QEa              =", s.QEa});
  f.write("(A,F6.2)", {wartosc + " QTm              =", s.QTm});
  f.write("(A,F6.2)", {wartosc + " QJm              =", s.QJm});
  f.write("(A,F7.4)", {wartosc + " Del              =", s.Del});
  f.write("(A,I2)", {wartosc + " Ldiv             =", s.Ldiv});
  f.write("(/,A)", {pick(printer, " Zakres obliczeń:", " Zakres obliczen:")});
  f.write("(A,F8.3,A)", {wartosc + " Tmin             =", s.tdmin, " K"});
  f.write("(A,F8.3,A)", {wartosc + " Tmax             =", s.tdmax, " K"});
  f.write("(A,I4)",
          {pick(printer, " Liczba punktów wyj. Nout =", " Liczba punktow wyj. Nout ="), s.Nout});
}

void writeresultreport(TextFile& f, const Varnel2State& s, bool printer) {
  const FitResults& r = s.fit;
  f.write("(/,A)", {pick(printer, " Wyniki obliczeń parametrów pików TSD:",
                         " Wyniki obliczen parametrow pikow TSD:")});
  f.write("(A,1P,E12.5,A)",
          {pick(printer, " Średnie odchyl. kwadr. Chi =", " Srednie odchyl. kwadr. Chi ="), r.Chi,
           " A/cm2"});
  for (int k = 1; k <= kMaxPeaks; ++k) {
    if (s.peakon[k - 1] != 1) continue;
    const int e = k - 1;
    f.write("(A)", {peakline(k)});
    f.write("(A,F8.5,A,F8.5,A)",
            {" Energia aktywacji Ea       =", r.Eafit[e], " eV        +-", r.sEa[e], " eV"});
    f.write("(A,F8.3,A,F8.3,A)",
            {" Maksymalna temperatura Tm  =", r.Tmfit[e], " K         +-", r.sTm[e], " K"});
    f.write("(A,1P,E12.5,A,E9.2,A)",
            {pick(printer, " Maksymalna gęst. prądu Jm  =", " Maksymalna gest. pradu Jm  ="),
             r.Jmfit[e], " A/cm2 +-", r.sJm[e], " A/cm2"});
    f.write("(A,1P,E12.5,A,E9.2,A)",
            {pick(printer, " Czynnik przedwykł. tau0    =", " Czynnik przedwykl. tau0    ="),
             r.tau0[e], " s     +-", r.stau0[e], " s"});
    f.write("(A,1P,E12.5,A,E9.2,A)",
            {" Polaryzacja nasycenia P0   =", r.P0[e], " C/cm2 +-", r.sP0[e], " C/cm2"});
  }
}

// Table rows of the files: a temperature and one value each give the same
// record as the two-value format the tables were written with, whose second
// value descriptor has no item.
void writetable1(TextFile& f, const Varnel2State& s) {
  f.write("(/,A)", {"  T [K]    Jd [A/cm2]"});
  const int n = rows_of(s.Nin, ArraysRecord::capacity);
  for (int i = 0; i < n; ++i) f.write("(F8.3,1P,E13.5)", {arrays.T[i], arrays.J[i]});
}

void writetable2(TextFile& f, const Varnel2State& s) {
  f.write("(/,A)", {"  T [K]    Ja [A/cm2]"});
  const int n = rows_of(s.Nout, CurveArray::rows);
  for (int i = 0; i < n; ++i) f.write("(F8.3,1P,E13.5)", {s.curves.col[0][i], s.curves.col[5][i]});
}

void writetable3(TextFile& f, const Varnel2State& s) {
  static constexpr std::string_view kFormats[4] = {"(F8.3,1P,E13.5)", "(F8.3,1P,2E13.5)",
                                                   "(F8.3,1P,3E13.5)", "(F8.3,1P,4E13.5)"};
  const double* y[kMaxPeaks] = {};
  const int m = enabled_columns(s, false, y);
  if (m < 1) return;
  std::string header = "  T [K] ";
  for (int j = 0; j < m; ++j) {
    header += "  Ja";
    header += digit(s.peakidx[j]);
    header += " [A/cm2]";
  }
  f.write("(/,A)", {header});
  const int n = rows_of(s.Nout, CurveArray::rows);
  FormatItem items[5] = {0.0, 0.0, 0.0, 0.0, 0.0};
  for (int i = 0; i < n; ++i) {
    items[0] = FormatItem(s.curves.col[0][i]);
    for (int j = 0; j < m; ++j) items[1 + j] = FormatItem(y[j][i]);
    f.write(kFormats[m - 1], std::span<const FormatItem>(items, size_t(1 + m)));
  }
}

}  // namespace tsd
