// varnel2's texts: screen-table rows and headers, the reports with their
// printer spellings, the table files and the padded name field.
#include "analysis/conversions.h"
#include "multipeak/varnel2/varnel2_output.h"
#include "shell/report.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/var.h"
#include "text/cp1250.h"
#include "tools/testkit/files.h"
#include "tools/testkit/temp_folder.h"

namespace tsd::varnel2 {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

// Peaks 2 and 4 enabled, with a grid of three points and results filled in.
std::unique_ptr<State> peaks24() {
  auto s = std::make_unique<State>();
  s->peakon[1] = s->peakon[3] = 1;
  s->npeaks = 2;
  s->peakidx[0] = 2;
  s->peakidx[1] = 4;
  s->Nout = 3;
  for (int i = 0; i < 3; ++i) {
    s->curves.col[0][i] = 250.0 + i;
    for (int c = 1; c <= 10; ++c) s->curves.col[c][i] = c * 1e-12 + i * 1e-14;
  }
  s->Ea[1] = 0.75;
  s->Tm[1] = 280.5;
  s->Jm[1] = 2.5e-12;
  s->Ea[3] = 1.0;
  s->Tm[3] = 300.0;
  s->Jm[3] = 1e-12;
  s->fit.Chi = 3.25e-14;
  s->fit.Eafit[1] = 0.7512345;
  s->fit.sEa[1] = 0.00123;
  s->fit.Tmfit[1] = 281.25;
  s->fit.sTm[1] = 0.0456;
  s->fit.Jmfit[1] = 2.5e-12;
  s->fit.sJm[1] = 3.1e-15;
  s->fit.tau0[1] = 1.5e-10;
  s->fit.stau0[1] = 2.0e-11;
  s->fit.P0[1] = 1.25e-9;
  s->fit.sP0[1] = 4e-12;
  return s;
}

TEST(Varnel2ScreenTable, RowsAreJoinedWithoutTheLastLineEnd) {
  State s;
  s.Nout = 800;
  auto text = table2text(s);
  EXPECT_EQ(text.size(), size_t(800 * 30 - 2));
  EXPECT_EQ(text.substr(0, 30), "   1     0.000   0.00000E+00\r\n");
  s.Nout = 0;
  EXPECT_EQ(table2text(s), "");

  auto p = peaks24();
  const std::string t3 = table3text(*p);
  // Fitted columns of peaks 2 and 4: 5 + peakidx.
  EXPECT_EQ(t3.substr(0, 44), "   1   250.000   7.00000E-12   9.00000E-12\r\n");
  EXPECT_EQ(t3.size(), size_t(3 * 44 - 2));
}

TEST(Varnel2ScreenTable, Table3HeaderAndDialogByNumberOfPeaks) {
  struct Case {
    int npeaks;
    int idx[4];
    const char* header;
    int dialog, headerfield, rowsfield;
  };
  const Case cases[] = {
      {1, {3}, "      Nr       T [K]     Ja3 [A/cm2]  ", 111, 1080, 1081},
      {2, {2, 4}, "      Nr       T [K]     Ja2 [A/cm2]     Ja4 [A/cm2]", 110, 1071, 1077},
      {3, {1, 2, 4},
       "      Nr       T [K]     Ja1 [A/cm2]     Ja2 [A/cm2]     Ja4 [A/cm2]", 102, 1078, 1072},
      {4, {1, 2, 3, 4},
       "      Nr       T [K]     Ja1 [A/cm2]     Ja2 [A/cm2]     Ja3 [A/cm2]     Ja4 [A/cm2]", 103,
       1001, 1079},
      {0, {}, "", 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("peaks " + std::to_string(c.npeaks));
    State s;
    s.npeaks = c.npeaks;
    for (int j = 0; j < 4; ++j) s.peakidx[j] = c.idx[j];
    EXPECT_EQ(table3screenheader(s), c.header);
    const Table3Dialog d = table3dialog(c.npeaks);
    EXPECT_EQ(d.dialog, c.dialog);
    EXPECT_EQ(d.header, c.headerfield);
    EXPECT_EQ(d.rows, c.rowsfield);
  }
}

TEST(Varnel2FieldText, CutsTheConversionToTheFieldLength) {
  EXPECT_EQ(realfield(0.7512345, "(F8.6)", 8), "0.751234");  // rounded to single precision first
  EXPECT_EQ(realfield(3.1e-15, "(1P,E8.2)", 8), "3.10E-15");
  EXPECT_EQ(realfield(2.5e-12, "(1P,E12.6)", 12), "2.500000E-12");
}

class Varnel2Reports : public ::testing::Test {
 protected:
  void SetUp() override {
    var.T0 = 200.0;
    var.b = 0.05;
  }
  // Appends the lines to a file as a save does and returns the file's lines
  // (UTF-8).
  std::vector<std::string> written(const std::vector<std::string>& lines) {
    EXPECT_EQ(appendlines(file_, lines), OutputStatus::ok);
    return lines_of(testkit::readfile(file_));
  }
  testkit::TempFolder folder_;
  const std::string file_ = (folder_.path() / "raport.txt").string();
};

TEST_F(Varnel2Reports, ParameterReportForFileAndPrinter) {
  auto s = peaks24();
  s->dataname = std::string(70, 'd');
  s->Nin = 381;
  s->area = 0.785;
  s->tfmin = 215.0;
  s->tfmax = 310.0;
  s->tdmin = 215.0;
  s->tdmax = 310.0;
  s->QEa = 1.2;
  s->QTm = 1.05;
  s->QJm = 1.5;
  s->Del = 0.1;
  s->Ldiv = 3;
  const auto file = written(paramreport(*s, OutputVariant::file));
  const std::vector<std::string> want = {
      "",
      " Program Varnel2",
      "",
      " Parametry doświadczalne:",
      " Plik wejściowy           = " + std::string(70, 'd'),
      " Liczba punktów wej. Nin  = 381",
      " Szybkość ogrzewania b    = 5.00000E-02 K/s",
      " Temperatura początk. T0  = 200.000 K",
      " Powierzchnia próbki S    = 7.85000E-01 cm2",
      "",
      " Parametry obliczeń:",
      " Wejściowe wartości parametrów pików TSD:",
      " Pik nr 2",
      " Energia aktywacji Ea       = 0.75000 eV",
      " Maksymalna temperatura Tm  = 280.500 K",
      " Maksymalna gęst. prądu Jm  = 2.50000E-12 A/cm2",
      " Pik nr 4",
      " Energia aktywacji Ea       = 1.00000 eV",
      " Maksymalna temperatura Tm  = 300.000 K",
      " Maksymalna gęst. prądu Jm  = 1.00000E-12 A/cm2",
      " Zakres aproksymacji:",
      " Wartość Tmin             = 215.000 K",
      " Wartość Tmax             = 310.000 K",
      " Parametry minimalizacji:",
      " Wartość QEa              =  1.20",
      " Wartość QTm              =  1.05",
      " Wartość QJm              =  1.50",
      " Wartość Del              = 0.1000",
      " Wartość Ldiv             = 3",
      "",
      " Zakres obliczeń:",
      " Wartość Tmin             = 215.000 K",
      " Wartość Tmax             = 310.000 K",
      " Liczba punktów wyj. Nout =   3",
  };
  ASSERT_EQ(file.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) EXPECT_EQ(file[i], want[i]) << "line " << i + 1;

  fs::remove(file_);
  const auto prn = written(paramreport(*s, OutputVariant::printer));
  ASSERT_EQ(prn.size(), want.size());
  EXPECT_EQ(prn[3], " Parametry doswiadczalne:");
  EXPECT_EQ(prn[15], " Maksymalna gest. pradu Jm  = 2.50000E-12 A/cm2");
  EXPECT_EQ(prn[33], " Liczba punktow wyj. Nout =   3");
  for (const std::string& l : prn) {
    for (unsigned char c : l) EXPECT_LT(c, 0x80) << "non-ASCII in printer line: " << l;
  }
}

TEST_F(Varnel2Reports, ResultReportOfTheEnabledPeaks) {
  auto s = peaks24();
  const auto lines = written(resultreport(*s, OutputVariant::file));
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[1], " Wyniki obliczeń parametrów pików TSD:");
  EXPECT_EQ(lines[2], " Średnie odchyl. kwadr. Chi = 3.25000E-14 A/cm2");
  EXPECT_EQ(lines[3], " Pik nr 2");
  EXPECT_EQ(lines[4], " Energia aktywacji Ea       = 0.75123 eV        +- 0.00123 eV");
  EXPECT_EQ(lines[5], " Maksymalna temperatura Tm  = 281.250 K         +-   0.046 K");
  EXPECT_EQ(lines[6], " Maksymalna gęst. prądu Jm  = 2.50000E-12 A/cm2 +- 3.10E-15 A/cm2");
  EXPECT_EQ(lines[7], " Czynnik przedwykł. tau0    = 1.50000E-10 s     +- 2.00E-11 s");
  EXPECT_EQ(lines[8], " Polaryzacja nasycenia P0   = 1.25000E-09 C/cm2 +- 4.00E-12 C/cm2");
  EXPECT_EQ(lines[9], " Pik nr 4");
  fs::remove(file_);
  const auto prn = written(resultreport(*s, OutputVariant::printer));
  EXPECT_EQ(prn[2], " Srednie odchyl. kwadr. Chi = 3.25000E-14 A/cm2");
  EXPECT_EQ(prn[7], " Czynnik przedwykl. tau0    = 1.50000E-10 s     +- 2.00E-11 s");
}

TEST_F(Varnel2Reports, TableFilesHoldTheStartValueCurves) {
  auto s = peaks24();
  const auto t2 = written(table2lines(*s));
  ASSERT_EQ(t2.size(), 5u);
  EXPECT_EQ(t2[1], "  T [K]    Ja [A/cm2]");
  EXPECT_EQ(t2[2], " 250.000  5.00000E-12");  // column 5, the start-value sum
  fs::remove(file_);
  const auto t3 = written(table3lines(*s));
  ASSERT_EQ(t3.size(), 5u);
  EXPECT_EQ(t3[1], "  T [K]   Ja2 [A/cm2]  Ja4 [A/cm2]");
  EXPECT_EQ(t3[3], " 251.000  2.01000E-12  4.01000E-12");
  fs::remove(file_);
  State none;
  none.Nout = 3;
  const auto empty = written(table3lines(none));
  EXPECT_TRUE(empty.empty());
}

}  // namespace
}  // namespace tsd::varnel2
