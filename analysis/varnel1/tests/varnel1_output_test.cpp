// varnel1's results, tables and reports as texts, and their writing to
// files and to the printer.
#include "analysis/varnel1/varnel1_reports.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/conversions.h"
#include "analysis/varnel1/varnel1_series.h"
#include "analysis/varnel1/tests/synthetic_curve.h"
#include "analysis/var.h"
#include "analysis/varnel1/varnel1_output.h"
#include "runtime/format.h"
#include "text/cp1250.h"
#include "tools/testkit/files.h"
#include "tools/testkit/display_log.h"
#include "tools/testkit/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using tsd::varnel1::AnalysisState;
using tsd::OutputStatus;
using tsd::OutputVariant;
using tsd::varnel1::Output;

std::string u8(const std::string& cp) { return text::utf8_from_cp1250(cp); }

std::vector<std::string> u8(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const std::string& l : lines) out.push_back(u8(l));
  return out;
}

// A state with round numbers, so that lines can be written out by hand.
void fill_known_state(AnalysisState& a) {
  tsd::var.b = 0.05;
  tsd::var.T0 = 220.0;
  a.nwej = 641;
  a.area = 1.0;
  a.tmin = {240.0, 250.0, 260.0};
  a.tmax = {300.0, 310.0, 320.0};
  a.tlim = {380.0, 370.0, 360.0};
  a.intmethod = {1, 2, 3};
  a.p0method = {1, 2, 3};
  a.calctmin = 220.0;
  a.calctmax = 380.0;
  a.nwyj = 121;
  a.ea = {0.99207612, 0.8, -0.5};
  a.dea = {0.0012345, 0.0, 0.000001};
  a.tau0 = {1.0e-12, 5.0e-12, 123.456};
  a.dtau0 = {2.302585093e-13, 0.0, 1.0};
  a.p0 = {2.0e-8, 1.5e-9, 0.0};
  a.sp = {1.25e-10, 3.0e-11, 0.0};
  a.hasresults = {1, 1, 1};
}

class Varnel1Output : public ::testing::Test {
 protected:
  void SetUp() override {
    state_ = std::make_unique<AnalysisState>();
    fill_known_state(*state_);
  }
  void TearDown() override { tsd::var = {}; }
  std::unique_ptr<AnalysisState> state_;
};

TEST_F(Varnel1Output, ResultsFieldsInDialogOrderWithTheirFormats) {
  const auto fields = tsd::varnel1::resultsfields(*state_);
  const int ids[18] = {1073, 1074, 1075, 1076, 1077, 1010, 1046, 1048, 1078,
                       1082, 1080, 1084, 1047, 1049, 1079, 1083, 1081, 1085};
  for (int k = 0; k < 18; ++k) {
    SCOPED_TRACE("field " + std::to_string(k));
    EXPECT_EQ(fields[k].id, ids[k]);
    EXPECT_EQ(fields[k].text.size(), k % 6 < 2 ? 10u : 12u);
  }
  EXPECT_EQ(fields[0].text, "  0.992076");
  EXPECT_EQ(fields[1].text, "  0.001234");  // 0.0012345 rounded to single precision first
  EXPECT_EQ(fields[2].text, " 1.00000E-12");
  EXPECT_EQ(fields[3].text, " 2.30259E-13");
  EXPECT_EQ(fields[4].text, " 2.00000E-08");
  EXPECT_EQ(fields[5].text, " 1.25000E-10");
  EXPECT_EQ(fields[12].text, " -0.500000");
  EXPECT_EQ(fields[14].text, " 1.23456E+02");
  EXPECT_EQ(fields[16].text, " 0.00000E+00");
}

TEST_F(Varnel1Output, ParameterReportLineByLine) {
  const std::vector<std::string> lines =
      u8(tsd::varnel1::parameterreport(*state_, "data/run7.dat      ", OutputVariant::file));
  const std::vector<std::string> head = {
      "",
      " Program Varnel1",
      "",
      " Parametry doświadczalne:",
      "",
      " Plik wejściowy           = data/run7.dat",
      " Liczba punktów wej. Nwej = 641",
      " Szybkość ogrzewania b    = 5.00000E-02 K/s",
      " Temperatura początk. T0  = 220.000 K",
      " Powierzchnia próbki S    = 1.00000E+00 cm2",
      "",
      " Parametry obliczeń:",
      "",
      " Seria nr 1",
      " Zakres aproksymacji:",
      " Wartość Tmin             = 240.000 K",
      " Wartość 1000/Tmin        = 4.16667 1/K",
      " Wartość Tmax             = 300.000 K",
      " Wartość 1000/Tmax        = 3.33333 1/K",
      " Wartość Tlim             = 380.000 K",
      " Wartość 1000/Tlim        = 2.63158 1/K",
      " Metody numeryczne:",
      " Całkowanie metodą trapezów 1",
      " Obliczanie P0 - aproksymacja J",
  };
  ASSERT_EQ(lines.size(), 56u);
  for (size_t k = 0; k < head.size(); ++k) {
    SCOPED_TRACE("line " + std::to_string(k));
    EXPECT_EQ(lines[k], head[k]);
  }
  EXPECT_EQ(lines[24], "");
  EXPECT_EQ(lines[25], " Seria nr 2");
  EXPECT_EQ(lines[34], " Całkowanie metodą trapezów 2");
  EXPECT_EQ(lines[35], " Obliczanie P0 - aproksymacja P");
  EXPECT_EQ(lines[46], " Całkowanie metodą parabol");
  EXPECT_EQ(lines[47], " Obliczanie P0 - początkowa wartość P");
  const std::vector<std::string> tail = {
      "",
      " Zakres obliczeń:",
      "",
      " Wartość Tmin             = 220.000 K",
      " Wartość 1000/Tmin        = 4.54545 1/K",
      " Wartość Tmax             = 380.000 K",
      " Wartość 1000/Tmax        = 2.63158 1/K",
      " Liczba punktów wyj. Nwyj = 121",
  };
  for (size_t k = 0; k < tail.size(); ++k) {
    SCOPED_TRACE("line " + std::to_string(48 + k));
    EXPECT_EQ(lines[48 + k], tail[k]);
  }
}

TEST_F(Varnel1Output, ParameterReportForThePrinterHasPlainLetters) {
  const std::vector<std::string> file = tsd::varnel1::parameterreport(*state_, "a.dat", OutputVariant::file);
  const std::vector<std::string> printer =
      tsd::varnel1::parameterreport(*state_, "a.dat", OutputVariant::printer);
  ASSERT_EQ(printer.size(), file.size());
  for (size_t k = 0; k < printer.size(); ++k) {
    SCOPED_TRACE("line " + std::to_string(k) + ": " + printer[k]);
    EXPECT_EQ(printer[k].size(), file[k].size());
    for (unsigned char c : printer[k]) EXPECT_LT(c, 0x80);
  }
  EXPECT_EQ(printer[3], " Parametry doswiadczalne:");
  EXPECT_EQ(printer[5], " Plik wejsciowy           = a.dat");
  EXPECT_EQ(printer[15], " Wartosc Tmin             = 240.000 K");
  EXPECT_EQ(printer[22], " Calkowanie metoda trapezow 1");
  EXPECT_EQ(printer[47], " Obliczanie P0 - poczatkowa wartosc P");
  EXPECT_EQ(printer[49], " Zakres obliczen:");
  EXPECT_EQ(printer[55], " Liczba punktow wyj. Nwyj = 121");
}

TEST_F(Varnel1Output, MethodOutsideItsRangeHasNoLine) {
  state_->intmethod[1] = 4;
  state_->p0method[2] = 0;
  const std::vector<std::string> lines =
      u8(tsd::varnel1::parameterreport(*state_, "a.dat", OutputVariant::file));
  ASSERT_EQ(lines.size(), 54u);
  EXPECT_EQ(lines[33], " Metody numeryczne:");
  EXPECT_EQ(lines[34], " Obliczanie P0 - aproksymacja P");
  EXPECT_EQ(lines[45], " Całkowanie metodą parabol");
  EXPECT_EQ(lines[46], "");
}

TEST_F(Varnel1Output, ResultsReportLineByLine) {
  const std::vector<std::string> lines = u8(tsd::varnel1::resultsreport(*state_, OutputVariant::file));
  const std::vector<std::string> head = {
      "",
      " Wyniki obliczeń:",
      "",
      " Seria nr 1",
      " Energia aktywacji Ea       = 0.992076 eV",
      " Błąd energii aktywacji Ea  = 0.001234 eV",
      " Czynnik przedwykł. tau0    = 1.00000E-12 s",
      " Błąd czynnika przed. tau0  = 2.30259E-13 s",
      " Polaryzacja nasycenia P0   = 2.00000E-08 C/cm2",
      " Błąd polaryzacji nasyc. P0 = 1.25000E-10 C/cm2",
  };
  ASSERT_EQ(lines.size(), 26u);
  for (size_t k = 0; k < head.size(); ++k) {
    SCOPED_TRACE("line " + std::to_string(k));
    EXPECT_EQ(lines[k], head[k]);
  }
  EXPECT_EQ(lines[20], " Energia aktywacji Ea       =-0.500000 eV");
  EXPECT_EQ(lines[22], " Czynnik przedwykł. tau0    = 1.23456E+02 s");

  const std::vector<std::string> printer = tsd::varnel1::resultsreport(*state_, OutputVariant::printer);
  ASSERT_EQ(printer.size(), 26u);
  EXPECT_EQ(printer[1], " Wyniki obliczen:");
  EXPECT_EQ(printer[5], " Blad energii aktywacji Ea  = 0.001234 eV");
  EXPECT_EQ(printer[6], " Czynnik przedwykl. tau0    = 1.00000E-12 s");
  EXPECT_EQ(printer[7], " Blad czynnika przed. tau0  = 2.30259E-13 s");
  EXPECT_EQ(printer[9], " Blad polaryzacji nasyc. P0 = 1.25000E-10 C/cm2");
}

TEST(Varnel1OutputTexts, DialogAndBoxTexts) {
  EXPECT_EQ(tsd::varnel1::tablelabel(2), "Seria nr 2");
  const tsd::varnel1::TableInfo* t3 = tsd::varnel1::tableinfo(3);
  ASSERT_NE(t3, nullptr);
  EXPECT_EQ(t3->dialog, 102);
  EXPECT_EQ(t3->header, "     Nr  1000/T [1/K]  log taud [s]");
  EXPECT_EQ(tsd::varnel1::tableinfo(2)->dialog, 111);
  EXPECT_EQ(tsd::varnel1::tableinfo(0), nullptr);

  const tsd::varnel1::SaveDialogText p = tsd::varnel1::savedialogtext(Output::parameters);
  EXPECT_EQ(p.filter, "Plik tekstowy (*.txt)|*.txt|Plik danych (*.dat)|*.dat|");
  EXPECT_EQ(u8(p.title), "Zapis parametrów obliczeń");
  const tsd::varnel1::SaveDialogText t = tsd::varnel1::savedialogtext(Output::table4);
  EXPECT_EQ(t.filter, "Plik danych (*.dat)|*.dat|Plik tekstowy (*.txt)|*.txt|");
  EXPECT_EQ(t.title, "Zapis tabeli 4");
  EXPECT_EQ(u8(tsd::varnel1::savedialogtext(Output::results).title), "Zapis wyników obliczeń");

  // The name padded to 79 characters, never cut.
  const std::string info = tsd::varnel1::saveinfotext(Output::results, "wyniki.txt");
  const std::string prefix = text::cp1250_from_utf8("Wyniki obliczeń zapisane w pliku ");
  EXPECT_EQ(info.size(), prefix.size() + 79);
  EXPECT_EQ(u8(info), "Wyniki obliczeń zapisane w pliku wyniki.txt" + std::string(69, ' '));
  const std::string longname =
      "/home/fizyk/pomiary/2026/grudzien/probka-12/" + std::string(60, 'x');
  EXPECT_EQ(tsd::varnel1::saveinfotext(Output::table1, longname), "Tabela 1 zapisana w pliku " + longname);

  EXPECT_EQ(u8(tsd::outputerrortext(OutputStatus::open_failed, "a.txt   ")),
            "Nie można otworzyć pliku a.txt");
  EXPECT_EQ(u8(tsd::outputerrortext(OutputStatus::printer_unavailable, "")),
            "Drukarka niedostępna");
  EXPECT_EQ(tsd::outputerrortext(OutputStatus::ok, "a"), "");
}

// ---- Tables and files from a computed analysis ----

class Varnel1Tables : public ::testing::Test {
 protected:
  void SetUp() override {
    all_->dataname.set("p.dat");
    tsd::varnel1::testing::load_synthetic(analysis_, peak_);
    analysis_.intmethod = {1, 2, 3};
    analysis_.p0method = {1, 2, 3};
    analysis_.tmin = {240.0, 245.0, 250.0};
    analysis_.tmax = {300.0, 300.0, 300.0};
    analysis_.tini = {220.0, 230.0, 240.0};
    analysis_.tlim = {380.0, 370.0, 360.0};
    for (int s = 1; s <= 3; ++s) {
      ASSERT_TRUE(tsd::varnel1::seriescompute(analysis_, s, tsd::varnel1::SeriesWindow::FitLimits).ok) << "series " << s;
    }
    const char* prn = std::getenv("TSD_PRN_FILE");
    if (prn != nullptr) saved_prn_ = prn;
  }
  void TearDown() override {
    if (saved_prn_) {
      setenv("TSD_PRN_FILE", saved_prn_->c_str(), 1);
    } else {
      unsetenv("TSD_PRN_FILE");
    }
    tsd::var = {};
  }
  std::string path(const char* name) const {
    return text::cp1250_from_utf8((dir_ / name).string());
  }

  tsd::varnel1::testing::SyntheticPeak peak_;
  // The state is large: it lives on the heap.
  std::unique_ptr<tsd::varnel1::State> all_ = std::make_unique<tsd::varnel1::State>();
  AnalysisState& analysis_ = all_->analysis;
  tsd::varnel1::Settings& settings_ = all_->settings;
  tsd::testkit::TempFolder folder_;
  const fs::path& dir_ = folder_.path();
  std::optional<std::string> saved_prn_;
};

TEST_F(Varnel1Tables, TableBufferRowsAndLengthRule) {
  const AnalysisState& a = analysis_;
  struct Case {
    int table, s, rows, width;
  };
  const Case cases[] = {
      {1, 1, a.nwej, 42}, {2, 2, a.nwyj, 42}, {3, 2, a.intcount[1], 28}, {4, 3, a.nwyj, 28}};
  for (const Case& c : cases) {
    SCOPED_TRACE("table " + std::to_string(c.table));
    std::string text;
    ASSERT_GT(c.rows, 1);
    EXPECT_EQ(tsd::varnel1::tablebuf(c.table, c.s, a, text), c.rows);
    EXPECT_EQ(text.size(), static_cast<size_t>(c.rows * (c.width + 2) - 2));
    EXPECT_EQ(tsd::varnel1::tableinfo(c.table)->rowwidth, c.width);
    for (int r = 1; r < c.rows; ++r) {
      ASSERT_EQ(text.substr(static_cast<size_t>(r * (c.width + 2) - 2), 2), "\r\n") << "row " << r;
    }
    EXPECT_EQ(text.substr(0, 4), "   1");
  }
  // Series 2's table 3: its own integration range, from its highest
  // temperature down (rising 1000/T), numbered from 1.
  std::string text;
  const int rows = tsd::varnel1::tablebuf(3, 2, a, text);
  const int i2 = a.intfirst[1] + a.intcount[1] - 1;
  std::string expected;
  tsd::runtime::format_record("(I4,2F12.5)", {1, a.xdat[i2 - 1], a.ltaud[1][i2 - 1]}, expected);
  EXPECT_EQ(text.substr(0, 28), expected);
  tsd::runtime::format_record(
      "(I4,2F12.5)", {rows, a.xdat[a.intfirst[1] - 1], a.ltaud[1][a.intfirst[1] - 1]}, expected);
  EXPECT_EQ(text.substr(text.size() - 28), expected);
  EXPECT_LT(a.xdat[i2 - 1], a.xdat[a.intfirst[1] - 1]);
  // Table 1 row 2 of series 1, literally.
  tsd::varnel1::tablebuf(1, 1, a, text);
  tsd::runtime::format_record("(I4,F10.3,1P,2E14.5)", {2, a.tdat[1], a.jdat[1], a.pd[0][1]},
                              expected);
  EXPECT_EQ(text.substr(44, 42), expected);
  EXPECT_EQ(text.substr(44, 14), "   2   220.250");
}

TEST_F(Varnel1Tables, EmptyAndUnknownTables) {
  AnalysisState& a = analysis_;
  std::string text = "old";
  EXPECT_EQ(tsd::varnel1::tablebuf(1, 4, a, text), 0);
  EXPECT_EQ(text, "");
  EXPECT_EQ(tsd::varnel1::tablebuf(5, 1, a, text), 0);
  EXPECT_TRUE(tsd::varnel1::tablefile(2, 0, a).empty());
  a.intcount[0] = 0;
  EXPECT_EQ(tsd::varnel1::tablebuf(3, 1, a, text), 0);
  EXPECT_EQ(text.size(), 0u);
  EXPECT_EQ(tsd::varnel1::tablefile(3, 1, a).size(), 3u);
  // A state claiming more points than the arrays hold stays inside them.
  a.nwej = 5000;
  EXPECT_EQ(tsd::varnel1::tablebuf(1, 1, a, text), 800);
  EXPECT_EQ(tsd::varnel1::tablefile(1, 1, a).size(), 803u);
}

TEST_F(Varnel1Tables, TableFileLines) {
  const AnalysisState& a = analysis_;
  struct Case {
    int table, rows;
    const char* header;
    size_t width;
  };
  const Case cases[] = {
      {1, a.nwej, "  T [K]    Jd [A/cm2]   Pd [C/cm2]", 34},
      {2, a.nwyj, "  T [K]    Ja [A/cm2]   Pa [C/cm2]", 34},
      {3, a.intcount[1], " 1000/T [1/K]  log taud [s]", 25},
      {4, a.nwyj, " 1000/T [1/K]  log taua [s]", 25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("table " + std::to_string(c.table));
    const std::vector<std::string> lines = tsd::varnel1::tablefile(c.table, 2, a);
    ASSERT_EQ(lines.size(), static_cast<size_t>(c.rows + 3));
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], " Seria nr 2");
    EXPECT_EQ(lines[2], c.header);
    for (size_t k = 3; k < lines.size(); ++k) ASSERT_EQ(lines[k].size(), c.width) << lines[k];
  }
  const std::vector<std::string> t4 = tsd::varnel1::tablefile(4, 2, a);
  std::string expected;
  tsd::runtime::format_record("(F11.5,F14.5)", {a.xout[a.nwyj - 1], a.ltaua[1][a.nwyj - 1]},
                              expected);
  EXPECT_EQ(t4[3], expected);
  EXPECT_EQ(t4[3].substr(0, 11), "    2.63158");
  const std::vector<std::string> t1 = tsd::varnel1::tablefile(1, 2, a);
  EXPECT_EQ(t1[3].substr(0, 8), " 220.000");
}

TEST_F(Varnel1Tables, SavingTwiceAppendsBothReports) {
  settings_.tabseries = 2;
  const std::string file = path("raport.txt");
  for (int k = 0; k < 2; ++k) {
    SCOPED_TRACE("save " + std::to_string(k + 1));
    EXPECT_EQ(tsd::appendlines(file + "   ", tsd::varnel1::outputlines(*all_, Output::parameters, OutputVariant::file)),
              OutputStatus::ok);
    EXPECT_EQ(tsd::appendlines(file, tsd::varnel1::outputlines(*all_, Output::table3, OutputVariant::file)),
              OutputStatus::ok);
  }
  const std::string text = tsd::testkit::readfile(dir_ / "raport.txt");
  EXPECT_EQ(tsd::testkit::count(text, "\n Program Varnel1\n\n Parametry doświadczalne:\n"), 2);
  EXPECT_EQ(tsd::testkit::count(text, "\n\n Seria nr 2\n 1000/T [1/K]  log taud [s]\n"), 2);
  const size_t lines = 56 + analysis_.intcount[1] + 3;
  EXPECT_EQ(static_cast<size_t>(tsd::testkit::count(text, "\n")), 2 * lines);
  EXPECT_EQ(text.substr(0, 18), "\n Program Varnel1\n");
}

TEST_F(Varnel1Tables, PrintingRedirectedHasPlainLetters) {
  const fs::path prn = dir_ / "prn.txt";
  setenv("TSD_PRN_FILE", prn.c_str(), 1);
  EXPECT_EQ(tsd::printlines(tsd::varnel1::outputlines(*all_, Output::parameters, OutputVariant::printer)),
            OutputStatus::ok);
  EXPECT_EQ(tsd::printlines(tsd::varnel1::outputlines(*all_, Output::results, OutputVariant::printer)), OutputStatus::ok);
  EXPECT_EQ(tsd::printlines(tsd::varnel1::outputlines(*all_, Output::table1, OutputVariant::printer)), OutputStatus::ok);
  const std::string text = tsd::testkit::readfile(prn);
  for (unsigned char c : text) ASSERT_LT(c, 0x80) << "a non-ASCII byte in the printed text";
  EXPECT_EQ(tsd::testkit::count(text, " Parametry doswiadczalne:\n"), 1);
  EXPECT_EQ(tsd::testkit::count(text, " Blad energii aktywacji Ea  ="), 3);
  EXPECT_EQ(tsd::testkit::count(text, "\n Seria nr 1\n  T [K]    Jd [A/cm2]   Pd [C/cm2]\n"), 1);
  // The lines are those of the file variant with the letters replaced.
  std::string expected;
  for (const auto& l : tsd::varnel1::outputlines(*all_, Output::parameters, OutputVariant::printer)) {
    expected += l + "\n";
  }
  EXPECT_EQ(text.substr(0, expected.size()), expected);
}

TEST_F(Varnel1Tables, UnwritableTargetsFailAndWriteNothing) {
  const fs::path prn = dir_ / "prn.txt";
  setenv("TSD_PRN_FILE", prn.c_str(), 1);
  const std::string bad = path("no such dir/raport.txt");
  EXPECT_EQ(tsd::appendlines(bad, tsd::varnel1::outputlines(*all_, Output::results, OutputVariant::file)),
            OutputStatus::open_failed);
  fs::create_directory(dir_ / "adir");
  EXPECT_EQ(tsd::appendlines(path("adir"), tsd::varnel1::outputlines(*all_, Output::table2, OutputVariant::file)),
            OutputStatus::open_failed);
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::recursive_directory_iterator(dir_)) ++entries;
  EXPECT_EQ(entries, 1) << "only adir/ may exist";
  EXPECT_TRUE(fs::is_empty(dir_ / "adir"));

  // A printer that cannot be reached.
  setenv("TSD_PRN_FILE", (dir_ / "no such dir" / "prn").c_str(), 1);
  EXPECT_EQ(tsd::printlines(tsd::varnel1::outputlines(*all_, Output::results, OutputVariant::printer)),
            OutputStatus::printer_unavailable);
  EXPECT_FALSE(fs::exists(dir_ / "no such dir"));
}

}  // namespace
