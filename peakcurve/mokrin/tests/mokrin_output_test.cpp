// Tables and reports of the curve programs as texts: the screen table, the
// table file lines, the parameter report with and without data in both
// programs, saved and printed, and the texts after a save.
#include "peakcurve/mokrin/mokrin_output.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/var.h"
#include "peakcurve/mokrin/tests/mokrin_sample.h"
#include "text/cp1250.h"

namespace tsd::mokrin {
namespace {

// mokrin2's tau0 and P0 as the example file gives them to mokrin1, so that
// both reports show the same values.
State sample(Variant v) {
  State s = test::examplestate(v, 2);
  s.peak.tau0 = 8.409011e-12;
  s.peak.P0 = 1.771137e-09;
  return s;
}

using test::utf8;

TEST(MokrinTables, ScreenTextOfTwoRows) {
  State s = sample(Variant::mokrin1);
  const std::string t = tabletext(s, kTable1);
  ASSERT_EQ(t.size(), 86u) << "two rows of 42 characters, one CR LF between";
  EXPECT_EQ(t.substr(0, 14), "   1   215.000");
  EXPECT_EQ(t.substr(42, 2), "\r\n");
  EXPECT_EQ(t.substr(44, 14), "   2   310.000");
  s.dataflag = 1;
  s.data.N = 0;
  EXPECT_EQ(tabletext(s, kTable2), "") << "no rows, no text";
  EXPECT_EQ(tabledialog(kTable1).dialog, 102);
  EXPECT_EQ(tabledialog(kTable2).field, 1031);
}

// File rows have no index column: T in 8 characters, J and P in 13 each.
TEST(MokrinTables, FileLines) {
  State s = sample(Variant::mokrin2);
  s.data.N = 1;
  s.data.T[0] = 250.5;
  s.data.J[0] = 1.5e-12;
  s.Pd[0] = 0.0;
  const std::vector<std::string> t2 = outputlines(s, Output::table2, OutputVariant::file);
  ASSERT_EQ(t2.size(), 3u);
  EXPECT_EQ(t2[0], "");
  EXPECT_EQ(t2[1], "  T [K]    Jd [A/cm2]   Pd [C/cm2]");
  EXPECT_EQ(t2[2], " 250.500  1.50000E-12  0.00000E+00");
  const std::vector<std::string> t1 = outputlines(s, Output::table1, OutputVariant::file);
  ASSERT_EQ(t1.size(), 4u);
  EXPECT_EQ(t1[1], "  T [K]    Ja [A/cm2]   Pa [C/cm2]");
  EXPECT_EQ(t1[3].substr(0, 8), " 310.000");
  EXPECT_EQ(t1[3].size(), 34u);
}

TEST(MokrinReport, Mokrin2WithDataSaved) {
  State s = sample(Variant::mokrin2);
  s.dataflag = 1;
  s.datafile = "/dane/próbka.dat   ";
  s.datafile = text::cp1250_from_utf8(s.datafile);
  s.data.N = 381;
  s.data.S = 0.785;
  const std::vector<std::string> want = {
      "",
      " Program Mokrin2",
      "",
      " Parametry doświadczalne:",
      " Plik wejściowy             = /dane/próbka.dat",
      " Liczba punktów wej. Nin    = 381",
      " Szybkość ogrzewania b      = 5.00000E-02 K/s",
      " Temperatura początkowa T0  = 200.000 K",
      " Powierzchnia próbki S      = 7.85000E-01 cm2",
      "",
      " Parametry piku TSD:",
      " Energia aktywacji Ea       = 0.700000 eV",
      " Temperatura maks. TSD Tm   = 265.000 K",
      " Maks. gęstość prądu TSD    = 4.00000E-12 A/cm2",
      " Czynnik przedwykł. tau0    = 8.40901E-12 s",
      " Polaryzacja nasycenia P0   = 1.77114E-09 C/cm2",
      "",
      " Parametry obliczeń:",
      " Minimalna wartość T        = 215.000 K",
      " Maksymalna wartość T       = 310.000 K",
      " Liczba punktów wyj. Nout   =   2",
  };
  EXPECT_EQ(utf8(outputlines(s, Output::report, OutputVariant::file)), want);
}

// mokrin1 without data, printed: no input file, Nin, S, Tm or Jm lines,
// plain letters.
TEST(MokrinReport, Mokrin1WithoutDataPrinted) {
  State s = sample(Variant::mokrin1);
  const std::vector<std::string> want = {
      "",
      " Program Mokrin1",
      "",
      " Parametry doswiadczalne:",
      " Szybkosc ogrzewania b      = 5.00000E-02 K/s",
      " Temperatura poczatkowa T0  = 200.000 K",
      "",
      " Parametry piku TSD:",
      " Energia aktywacji Ea       = 0.700000 eV",
      " Czynnik przedwykl. tau0    = 8.40901E-12 s",
      " Polaryzacja nasycenia P0   = 1.77114E-09 C/cm2",
      "",
      " Parametry obliczen:",
      " Minimalna wartosc T        = 215.000 K",
      " Maksymalna wartosc T       = 310.000 K",
      " Liczba punktow wyj. Nout   =   2",
  };
  EXPECT_EQ(outputlines(s, Output::report, OutputVariant::printer), want);
  State s2 = sample(Variant::mokrin2);
  const std::vector<std::string> printed = outputlines(s2, Output::report, OutputVariant::printer);
  EXPECT_EQ(printed[10], " Maks. gestosc pradu TSD Jm = 4.00000E-12 A/cm2")
      << "the printed Jm line differs beyond its letters";
}

TEST(MokrinReport, SavedTextsPadTheNameTo79) {
  EXPECT_EQ(text::utf8_from_cp1250(tablesavedtext("a.dat")),
            "Tabela zapisana w pliku a.dat" + std::string(74, ' '));
  EXPECT_EQ(tablesavedtext("a.dat").size(), 103u);
  EXPECT_EQ(reportsavedtext("r.txt").size(), 106u);
  const std::string longname(100, 'x');
  EXPECT_EQ(reportsavedtext(longname), "Parametry zapisane w pliku " + longname)
      << "a longer name is given whole";
}

}  // namespace
}  // namespace tsd::mokrin
