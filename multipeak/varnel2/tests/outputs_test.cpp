// Tables and reports of varnel2 saved to a file the user chooses (appended),
// printed (to the file TSD_PRN_FILE names, or refused without a printer),
// and the parameter file rewritten and read again by a second start.
#include <gtest/gtest.h>

#include <vector>

#include "multipeak/varnel2/tests/varnel2_run.h"
#include "multipeak/varnel2/varnel2_output.h"

namespace tsd::varnel2 {
namespace {

using namespace test;

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  for (size_t p = 0, q; (q = text.find('\n', p)) != std::string::npos; p = q + 1) {
    out.push_back(text.substr(p, q - p));
  }
  return out;
}

const char kFit[] = "menu V2_CM_FIT\n";

TEST(Varnel2Outputs, TableSavedTwiceIsAppended) {
  const std::string dir = workdir();
  const auto r = runin("varnel2", dir, std::string(kLoad) + kFit +
                              "menu V2_CM_SAVE_TABLE1\nfile \"t.dat\"\nmsgbox OK\n"
                              "menu V2_CM_SAVE_TABLE1\nfile \"t.dat\"\nmsgbox OK\n");
  ASSERT_EQ(r.exitcode, 0) << describe(r);
  const auto lines = lines_of(testkit::readfile(dir + "/t.dat"));
  ASSERT_EQ(lines.size(), size_t(2 * (2 + 381)));
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "  T [K]    Jd [A/cm2]");
  EXPECT_EQ(lines[2].substr(0, 8), " 215.000");
  EXPECT_EQ(lines[2].size(), 21u);
  for (size_t i = 0; i < 383; ++i) EXPECT_EQ(lines[383 + i], lines[i]) << "line " << i + 1;
  const std::string name = dir + "/t.dat";
  // The box gets the name padded to 79 characters; the log drops the
  // trailing blanks of a text.
  EXPECT_EQ(boxtexts(r.log, "Informacja"),
            (std::vector<std::string>{"Tabela 1 zapisana w pliku " + name,
                                      "Tabela 1 zapisana w pliku " + name}));
}

// A data file that fails to load changes nothing, not even the name the
// parameter report gives the data.
TEST(Varnel2Outputs, TheReportNamesTheFileWhoseDataAreHeld) {
  const std::string dir = workdir();
  testkit::writefile(dir + "/bad.dat", "3 0.05 200 0.785\n215 1e-12\n216 x\n");
  const auto r = runin("varnel2", dir, std::string(kLoad) + kFit + "menu V2_CM_DATA\nfile \"bad.dat\"\nmsgbox OK\n" +
                              "menu V2_CM_SAVE_PARAMETERS\nfile \"r.txt\"\nmsgbox OK\n");
  ASSERT_EQ(r.exitcode, 0) << describe(r);
  EXPECT_EQ(boxtexts(r.log, "Błąd"), std::vector<std::string>{"Błąd odczytu danych"});
  const auto lines = lines_of(testkit::readfile(dir + "/r.txt"));
  ASSERT_GT(lines.size(), 5u);
  EXPECT_EQ(lines[4], " Plik wejściowy           = " + dir + "/sample.dat");
  EXPECT_EQ(lines[5], " Liczba punktów wej. Nin  = 381");
}

TEST(Varnel2Outputs, ReportsAndTablesGoOneAfterAnotherIntoOneFile) {
  const std::string dir = workdir();
  const auto r = runin("varnel2", dir, std::string(kLoad) + kFit +
                              "menu V2_CM_SAVE_PARAMETERS\nfile \"r.txt\"\nmsgbox OK\n"
                              "menu V2_CM_SAVE_RESULTS\nfile \"r.txt\"\nmsgbox OK\n"
                              "menu V2_CM_SAVE_TABLE2\nfile \"r.txt\"\nmsgbox OK\n"
                              "menu V2_CM_SAVE_TABLE3\nfile \"r.txt\"\nmsgbox OK\n");
  ASSERT_EQ(r.exitcode, 0) << describe(r);
  const auto lines = lines_of(testkit::readfile(dir + "/r.txt"));
  // Parameter report (34 lines with two peaks), result report (15), table 2
  // and table 3 (2 + 201 each).
  ASSERT_EQ(lines.size(), size_t(34 + 15 + 203 + 203)) << testkit::readfile(dir + "/r.txt");
  EXPECT_EQ(lines[1], " Program Varnel2");
  EXPECT_EQ(lines[4], " Plik wejściowy           = " + dir + "/sample.dat");
  EXPECT_EQ(lines[35], " Wyniki obliczeń parametrów pików TSD:");
  EXPECT_EQ(lines[50], "  T [K]    Ja [A/cm2]");
  EXPECT_EQ(lines[253], "  T [K]   Ja1 [A/cm2]  Ja2 [A/cm2]");
  const auto infos = boxtexts(r.log, "Informacja");
  ASSERT_EQ(infos.size(), 4u) << describe(r);
  const std::string name = dir + "/r.txt";
  EXPECT_EQ(infos[0], "Parametry obliczeń zapisane w pliku " + name);
  EXPECT_EQ(infos[1], "Wyniki obliczeń zapisane w pliku " + name);
  EXPECT_EQ(infos[2], "Tabela 2 zapisana w pliku " + name);
  EXPECT_EQ(infos[3], "Tabela 3 zapisana w pliku " + name);
}

TEST(Varnel2Outputs, CancelledSaveWritesNothing) {
  const std::string dir = workdir();
  const auto r = runin("varnel2", dir, std::string(kLoad) + kFit + "menu V2_CM_SAVE_RESULTS\nfile cancel\n");
  ASSERT_EQ(r.exitcode, 0) << describe(r);
  EXPECT_TRUE(boxtexts(r.log, "Informacja").empty()) << describe(r);
  EXPECT_TRUE(boxtexts(r.log, "Błąd").empty()) << describe(r);
}

TEST(Varnel2Outputs, PrintingGoesToThePrinterFile) {
  const std::string dir = workdir();
  const std::string prn = dir + "/prn.txt";
  const auto r = runin("varnel2", dir, std::string(kLoad) + kFit + "menu V2_CM_PRINT_PARAMETERS\nmenu V2_CM_PRINT_RESULTS\nmenu V2_CM_PRINT_TABLE1\n",
                     {{"TSD_PRN_FILE", prn}});
  ASSERT_EQ(r.exitcode, 0) << describe(r);
  EXPECT_TRUE(boxtexts(r.log, "Informacja").empty());
  const auto lines = lines_of(testkit::readfile(prn));
  ASSERT_EQ(lines.size(), size_t(34 + 15 + 383));
  EXPECT_EQ(lines[3], " Parametry doswiadczalne:");
  EXPECT_EQ(lines[35], " Wyniki obliczen parametrow pikow TSD:");
  EXPECT_EQ(lines[50], "  T [K]    Jd [A/cm2]");
}

TEST(Varnel2Outputs, AbsentPrinterGivesAnErrorBox) {
  const std::string dir = workdir();
  const auto r = runin("varnel2", dir, std::string(kLoad) + kFit + "menu V2_CM_PRINT_TABLE1\nmsgbox OK\n",
                     {{"PATH", "/nonexistent"}});
  ASSERT_EQ(r.exitcode, 0) << describe(r);
  EXPECT_EQ(boxtexts(r.log, "Błąd"), std::vector<std::string>{"Drukarka niedostępna"});
}

TEST(Varnel2Outputs, ParameterFileIsReadBackBySecondStart) {
  const std::string dir = workdir();
  auto r = runin("varnel2", dir, std::string(kLoad) +
                        "menu V2_CM_FIT_SETTINGS\nfield 1013 \"1.30\"\nfield 1016 \"2\"\nbutton 1\n"
                        "menu V2_CM_DISPLAY_RANGE\nfield 1052 \"50\"\nbutton 1\n"
                        "menu V2_CM_GRID\n" + kFit + "menu V2_CM_SAVE_PARAMFILE\nmsgbox OK\n");
  ASSERT_EQ(r.exitcode, 0) << describe(r);
  r = runin("varnel2", dir, std::string(kLoad) + "menu V2_CM_FIT_SETTINGS\nbutton 1\nmenu V2_CM_DISPLAY_RANGE\nbutton 1\n");
  ASSERT_EQ(r.exitcode, 0) << describe(r);
  const std::string settings = dialogline(r.log, "Parametry obliczeń", 0);
  EXPECT_EQ(fieldof(settings, 1013), "  1.30");
  EXPECT_EQ(fieldof(settings, 1016), "2");
  EXPECT_EQ(fieldof(dialogline(r.log, "Zakres wyświetlania", 0), 1052), " 50");
  EXPECT_EQ(lines_of(testkit::readfile(dir + "/VARNEL2.PAR"))[0], "   50  1");
}

}  // namespace
}  // namespace tsd::varnel2
