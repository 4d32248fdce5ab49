// varnel1's results dialog, table dialogs, saved reports and printing, run
// as a user runs them and compared with the analysis of the same data file
// computed here.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "analysis/varnel1/tests/varnel1_expected.h"
#include "analysis/varnel1/tests/varnel1_run.h"
#include "resources/varnel1/varnel1_ids.h"

namespace tsd::varnel1::testing {
namespace {

using testkit::dialogline;

// The field `id` of a logged dialog holds exactly `text`.
std::string fieldentry(const std::string& cls, int id, const std::string& text) {
  return "| " + cls + " " + std::to_string(id) + " \"" + text + "\" |";
}

std::string infoline(const std::string& text) {
  return "message box shown: \"Informacja\" text \"" + text + "\" icon information";
}

std::string errorline(const std::string& text) {
  return "message box shown: \"Błąd\" text \"" + text + "\" icon exclamation";
}

std::string savescript(int command, const std::string& path) {
  return "menu " + std::to_string(command) + "\nfile \"" + path + "\"\nmsgbox OK\n";
}

TEST(Varnel1Results, ResultsDialogAndResultsReportShowTheAnalysis) {
  const std::string dir = varnel1folder();
  const std::string report = dir + "/wyniki.txt";
  testkit::ProgramRun run = runin("varnel1", 
      dir, loadsample(dir) + "menu V1_CM_RESULTS\nkey Enter\n" + savescript(V1_CM_SAVE_RESULTS, report) + "menu V1_CM_END\n");
  EXPECT_EQ(run.exitcode, 0) << run.log;

  State state;
  ASSERT_NO_FATAL_FAILURE(expectedanalysis(dir, dir + "/sample.dat", state));
  const std::string shown = dialogline(run.log, "Wyniki obliczeń", 0);
  ASSERT_FALSE(shown.empty()) << run.log;
  const int groups[] = {1009, 1024, 1015};
  for (int s = 1; s <= 3; ++s) {
    EXPECT_NE(shown.find(fieldentry("BUTTON", groups[s - 1], "Seria nr " + std::to_string(s))),
              std::string::npos)
        << shown;
  }
  for (const ResultField& field : resultsfields(state.analysis)) {
    SCOPED_TRACE("field " + std::to_string(field.id));
    const std::string want = fieldentry("EDIT", field.id, utf8(field.text));
    EXPECT_NE(shown.find(want), std::string::npos) << "want " << want << "\nin " << shown;
  }

  EXPECT_EQ(testkit::readfile(report),
            outputtext(state, Output::results, OutputVariant::file));
  EXPECT_NE(run.log.find(infoline("Wyniki obliczeń zapisane w pliku " + report)), std::string::npos)
      << run.log;
}

TEST(Varnel1Results, TableDialogsShowTheTablesOfTheTableSeries) {
  const std::string dir = varnel1folder();
  // The example parameters with tables of series 2, whose methods differ
  // from series 1.
  std::string params = testkit::readfile(examplefile("VARNEL1.PAR"));
  params.replace(0, params.find('\n'), "  201  1  0  2");
  testkit::writefile(dir + "/VARNEL1.PAR", params);
  testkit::ProgramRun run = runin("varnel1", 
      dir, loadsample(dir) +
               "menu V1_CM_TABLE1\nkey Enter\nmenu V1_CM_TABLE2\nkey Enter\nmenu V1_CM_TABLE3\nkey Enter\n"
               "menu V1_CM_TABLE4\nkey Enter\nmenu V1_CM_END\n");
  EXPECT_EQ(run.exitcode, 0) << run.log;

  State state;
  ASSERT_NO_FATAL_FAILURE(expectedanalysis(dir, dir + "/sample.dat", state));
  ASSERT_EQ(state.settings.tabseries, 2);
  for (int table = 1; table <= 4; ++table) {
    SCOPED_TRACE("table " + std::to_string(table));
    const TableInfo* info = tableinfo(table);
    ASSERT_NE(info, nullptr);
    const std::string shown = dialogline(run.log, std::string(info->title), 0);
    ASSERT_FALSE(shown.empty()) << run.log;
    EXPECT_NE(shown.find(fieldentry("EDIT", info->labelfield, "Seria nr 2")), std::string::npos)
        << shown.substr(0, 300);
    EXPECT_NE(shown.find(fieldentry("STATIC", -1, utf8(std::string(info->header)))),
              std::string::npos)
        << shown.substr(0, 300);
    std::string rows;
    ASSERT_GT(tablebuf(table, 2, state.analysis, rows), 1);
    const std::string want = fieldentry("EDIT", info->textfield, utf8(rows));
    EXPECT_NE(shown.find(want), std::string::npos)
        << "want the rows, starting " << want.substr(0, 200) << "\nin " << shown.substr(0, 400);
    // The check tells series 2 from series 1 only when their rows differ.
    std::string series1;
    tablebuf(table, 1, state.analysis, series1);
    EXPECT_NE(series1, rows);
  }
}

TEST(Varnel1Results, EveryReportAndTableIsAppendedTwiceToOneFile) {
  const std::string dir = varnel1folder();
  const std::string file = dir + "/raport.txt";
  struct Save {
    int command;
    Output output;
    const char* title;
    const char* prefix;
  };
  const Save saves[] = {
      {V1_CM_SAVE_PARAMETERS, Output::parameters, "Zapis parametrów obliczeń", "Parametry obliczeń zapisane w pliku "},
      {V1_CM_SAVE_RESULTS, Output::results, "Zapis wyników obliczeń", "Wyniki obliczeń zapisane w pliku "},
      {V1_CM_SAVE_TABLE1, Output::table1, "Zapis tabeli 1", "Tabela 1 zapisana w pliku "},
      {V1_CM_SAVE_TABLE2, Output::table2, "Zapis tabeli 2", "Tabela 2 zapisana w pliku "},
      {V1_CM_SAVE_TABLE3, Output::table3, "Zapis tabeli 3", "Tabela 3 zapisana w pliku "},
      {V1_CM_SAVE_TABLE4, Output::table4, "Zapis tabeli 4", "Tabela 4 zapisana w pliku "},
  };
  std::string script = loadsample(dir);
  for (const Save& save : saves) script += savescript(save.command, file) + savescript(save.command, file);
  testkit::ProgramRun run = runin("varnel1", dir, script + "menu V1_CM_END\n");
  EXPECT_EQ(run.exitcode, 0) << run.log;

  State state;
  ASSERT_NO_FATAL_FAILURE(expectedanalysis(dir, dir + "/sample.dat", state));
  std::string want;
  for (const Save& save : saves) {
    SCOPED_TRACE(save.title);
    const std::string text = outputtext(state, save.output, OutputVariant::file);
    // Every report opens with an empty line, so the second copy stands apart.
    EXPECT_EQ(text.substr(0, 1), "\n");
    want += text + text;
    EXPECT_EQ(count(run.log, infoline(save.prefix + file)), 2) << run.log;
    // The second save dialog offers the name chosen last.
    const std::string shown = dialogline(run.log, save.title, 0);
    EXPECT_NE(shown.find("\"raport.txt\""), std::string::npos) << shown;
  }
  const std::string got = testkit::readfile(file);
  EXPECT_EQ(got, want);
  // The parameter report names the data file.
  EXPECT_NE(got.find("\n Plik wejściowy           = " + dir + "/sample.dat\n"), std::string::npos)
      << got.substr(0, 400);
}

TEST(Varnel1Results, PrintingWritesThePlainLetterTextsWithoutABox) {
  const std::string dir = varnel1folder();
  const std::string printer = dir + "/drukarka.txt";
  const std::pair<int, Output> prints[] = {
      {V1_CM_PRINT_PARAMETERS, Output::parameters}, {V1_CM_PRINT_RESULTS, Output::results}, {V1_CM_PRINT_TABLE1, Output::table1},
      {V1_CM_PRINT_TABLE2, Output::table2},     {V1_CM_PRINT_TABLE3, Output::table3},  {V1_CM_PRINT_TABLE4, Output::table4},
  };
  std::string script = loadsample(dir);
  for (const auto& [command, output] : prints) script += "menu " + std::to_string(command) + "\n";
  testkit::ProgramRun run = runin("varnel1", dir, script + "menu V1_CM_END\n", {{"TSD_PRN_FILE", printer}});
  EXPECT_EQ(run.exitcode, 0) << run.log;
  EXPECT_EQ(count(run.log, "message box shown"), 0) << run.log;

  State state;
  ASSERT_NO_FATAL_FAILURE(expectedanalysis(dir, dir + "/sample.dat", state));
  std::string want;
  for (const auto& [command, output] : prints) {
    want += outputtext(state, output, OutputVariant::printer);
  }
  const std::string got = testkit::readfile(printer);
  EXPECT_EQ(got, want);
  for (std::size_t i = 0; i < got.size(); ++i) {
    if (static_cast<unsigned char>(got[i]) >= 0x80) {
      ADD_FAILURE() << "a letter that is not plain at " << i << ": " << got.substr(i > 20 ? i - 20 : 0, 40);
      break;
    }
  }
  EXPECT_NE(got.find(" Parametry doswiadczalne:\n"), std::string::npos);
  EXPECT_NE(got.find(" Blad energii aktywacji Ea  ="), std::string::npos);
}

TEST(Varnel1Results, FailedOutputShowsTheErrorBoxAndTheProgramGoesOn) {
  struct Case {
    const char* name;
    std::string script;   // after the load
    std::string message;  // the error box
    bool noprinter;       // PATH without lp
  };
  const std::string unwritable = "/proc/raport.txt";
  const Case cases[] = {
      {"no printer", "menu V1_CM_PRINT_RESULTS\nmsgbox OK\n", "Drukarka niedostępna", true},
      {"folder that cannot be written", savescript(V1_CM_SAVE_RESULTS, unwritable),
       "Nie można otworzyć pliku " + unwritable, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string dir = varnel1folder();
    const std::string empty = dir + "/nothing";
    std::filesystem::create_directory(empty);
    std::vector<std::pair<std::string, std::string>> env;
    if (c.noprinter) env.emplace_back("PATH", empty);
    // After the failure a save still works.
    testkit::ProgramRun run = runin("varnel1", 
        dir, loadsample(dir) + c.script + savescript(V1_CM_SAVE_RESULTS, dir + "/wyniki.txt") + "menu V1_CM_END\n", env);
    EXPECT_EQ(run.exitcode, 0) << run.log;
    EXPECT_EQ(count(run.log, errorline(c.message)), 1) << run.log;
    EXPECT_EQ(count(run.log, "message box shown"), 2) << run.log;
    EXPECT_NE(run.log.find(infoline("Wyniki obliczeń zapisane w pliku " + dir + "/wyniki.txt")),
              std::string::npos)
        << run.log;
    EXPECT_FALSE(testkit::fileexists(unwritable));
  }
}

TEST(Varnel1Results, CancelledSelectionWritesNothing) {
  const std::string dir = varnel1folder();
  testkit::ProgramRun run = runin("varnel1", 
      dir, loadsample(dir) + "menu V1_CM_SAVE_PARAMETERS\nfile cancel\nmenu V1_CM_SAVE_RESULTS\nfile cancel\nmenu V1_CM_SAVE_TABLE1\nfile cancel\n"
                             "menu V1_CM_END\n");
  EXPECT_EQ(run.exitcode, 0) << run.log;
  EXPECT_EQ(count(run.log, "message box shown"), 0) << run.log;
  EXPECT_EQ(count(run.log, "dialog shown: \"Zapis"), 3) << run.log;
  std::set<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    files.insert(entry.path().filename().string());
  }
  const std::set<std::string> before = {"VARNEL1.PAR", "sample.dat", "script.txt", "display.log",
                                        "output.txt"};
  EXPECT_EQ(files, before);
}

}  // namespace
}  // namespace tsd::varnel1::testing
