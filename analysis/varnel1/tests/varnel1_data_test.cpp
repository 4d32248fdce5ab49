// varnel1's "&Dane" run as a user runs it: a file that cannot be read or
// opened gives its box and changes nothing, not even the drawing; the first
// good load shows the graph of the parameter file.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/var.h"
#include "analysis/varnel1/tests/varnel1_run.h"
#include "analysis/varnel1/varnel1_data.h"
#include "resources/varnel1/varnel1_ids.h"
#include "text/cp1250.h"
#include "tools/testkit/temp_folder.h"
#include "tools/testkit/textlines.h"

namespace tsd::varnel1::testing {
namespace {

// Without a window: a file that cannot be opened or read comes back as its
// status for the command's box, and the data held, their b and T0 and the
// file named in the reports stay as they were, also when the file's header
// was read before it failed.
TEST(Varnel1Data, LoadDataGivesTheStatusOfAFailedFileAndKeepsTheDataHeld) {
  testkit::TempFolder folder;
  const std::string dir = folder.path().string();
  testkit::writefile(dir + "/letters.dat", "3 0.05 200 0.785\n210 1e-12\n211 x\n212 1e-12\n");
  const struct {
    const char* file;
    DataFileStatus status;
  } cases[] = {{"/letters.dat", DataFileStatus::read_failed}, {"/missing.dat", DataFileStatus::cannot_open}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const auto s = std::make_unique<State>();
    s->analysis.nwej = 2;
    s->analysis.tdat[0] = 150.0;
    s->analysis.tdat[1] = 151.0;
    s->dataname.set("held.dat");
    var = {140.0, 0.1};
    EXPECT_EQ(loaddata(*s, text::cp1250_from_utf8(dir + c.file)), c.status);
    EXPECT_EQ(var.T0, 140.0);
    EXPECT_EQ(var.b, 0.1);
    EXPECT_EQ(s->analysis.nwej, 2);
    EXPECT_EQ(s->analysis.tdat[0], 150.0);
    EXPECT_EQ(s->dataname.text(), "held.dat");
  }
  var = {};
}

TEST(Varnel1Data, UnreadableFilesGiveTheirBoxAndLoadNothing) {
  struct Case {
    const char* name;
    const char* content;  // nullptr: the file does not exist
    const char* box;
  };
  const Case cases[] = {
      {"letters", "3 0.05 200 0.785\n210 1e-12\n211 x\n212 1e-12\n", "Błąd odczytu danych"},
      {"too few points", "3 0.05 200 0.785\n210 1e-12\n211 1e-12\n", "Błąd odczytu danych"},
      {"too many points", "801 0.05 200 0.785\n210 1e-12\n", "Błąd odczytu danych"},
      {"no area", "2 0.05 200 0\n210 1e-12\n211 1e-12\n", "Błąd odczytu danych"},
      {"no heating", "2 0 200 0.785\n210 1e-12\n211 1e-12\n", "Błąd odczytu danych"},
      {"cooling", "2 -0.05 200 0.785\n210 1e-12\n211 1e-12\n", "Błąd odczytu danych"},
      {"missing", nullptr, "Nie można otworzyć pliku "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string dir = varnel1folder();
    const std::string file = dir + "/bad.dat";
    if (c.content != nullptr) testkit::writefile(file, c.content);
    testkit::ProgramRun run = runin("varnel1", 
        dir, "menu V1_CM_DATA\nfile \"" + file + "\"\nmsgbox OK\nmenu V1_CM_RANGES\nkey Escape\nmenu V1_CM_END\n");
    EXPECT_EQ(run.exitcode, 0);
    EXPECT_NE(run.log.find(std::string("message box shown: \"Błąd\" text \"") + c.box),
              std::string::npos)
        << run.log;
    EXPECT_EQ(count(run.log, "menu command: " + std::to_string(V1_CM_RANGES)), 0) << "the popups stay greyed\n" << run.log;
  }
}

TEST(Varnel1Data, AFailedLoadKeepsTheDataAndTheDrawingOfTheLastGoodOne) {
  const std::string dir = varnel1folder();
  testkit::writefile(dir + "/bad.dat", "5 0.1 150 1.0\n160 1e-12\n161 1e-12\n");
  const std::string before = dir + "/before.png";
  const std::string after = dir + "/after.png";
  testkit::ProgramRun run = runin("varnel1", 
      dir, loadsample(dir) + "screenshot \"" + before + "\"\nmenu V1_CM_DATA\nfile \"" + dir +
               "/bad.dat\"\nmsgbox OK\nrepaint\nidle\nscreenshot \"" + after + "\"\nmenu V1_CM_END\n");
  EXPECT_EQ(run.exitcode, 0);
  EXPECT_EQ(count(run.log, "text \"Błąd odczytu danych\""), 1) << run.log;
  const std::string a = testkit::readfile(before);
  ASSERT_FALSE(a.empty());
  EXPECT_TRUE(a == testkit::readfile(after))
      << "the graph redrawn after the failed load is the one before it: " << before << " " << after;
}

// The parameter report names the file whose data the program holds, not a
// file chosen after it that failed to load.
TEST(Varnel1Data, TheReportNamesTheFileWhoseDataAreHeld) {
  const std::string dir = varnel1folder();
  testkit::writefile(dir + "/bad.dat", "5 0.1 150 1.0\n160 1e-12\n161 1e-12\n");
  testkit::ProgramRun run = runin("varnel1", 
      dir, loadsample(dir) + "menu V1_CM_DATA\nfile \"" + dir + "/bad.dat\"\nmsgbox OK\n" +
               "menu V1_CM_SAVE_PARAMETERS\nfile \"" + dir + "/r.txt\"\nmsgbox OK\nmenu V1_CM_END\n");
  EXPECT_EQ(run.exitcode, 0);
  const std::string report = testkit::readfile(dir + "/r.txt");
  EXPECT_NE(report.find(" Plik wejściowy"), std::string::npos) << report;
  EXPECT_NE(report.find(dir + "/sample.dat\n"), std::string::npos) << report;
  EXPECT_EQ(report.find("bad.dat"), std::string::npos) << report;
}

// Data whose analysis gives results that are not numbers: every series
// fails with its box and keeps the results it had, and the results report
// shows them, not NaN or Infinity.
TEST(Varnel1Data, ResultsThatAreNotNumbersFailTheSeries) {
  struct Case {
    const char* name;
    int line;  // of sample.dat, 1-based: the header is line 1
    const char* text;
  };
  const Case cases[] = {
      {"negative current in the window", 201, " 264.750  -1.0E-13"},
      {"current of 1e308", 201, " 264.750   1.0E+308"},
      {"area of 1e-308", 1, "381 0.0500 200.00 1.0E-308"},
      {"temperature of 1e308", 382, " 1.0E+308   6.0E-15"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string dir = varnel1folder();
    testkit::writefile(dir + "/bad.dat",
                       testkit::withline(testkit::readfile(dir + "/sample.dat"), c.line, c.text));
    const std::string report = dir + "/wyniki.txt";
    const std::string save = "menu V1_CM_SAVE_RESULTS\nfile \"" + report + "\"\nmsgbox OK\n";
    testkit::ProgramRun run = runin("varnel1", 
        dir, loadsample(dir) + save + "menu V1_CM_DATA\nfile \"" + dir + "/bad.dat\"\n" +
                 "msgbox OK\nmsgbox OK\nmsgbox OK\n" + save + "menu V1_CM_END\n");
    EXPECT_EQ(run.exitcode, 0);
    for (int s = 1; s <= 3; ++s) {
      EXPECT_EQ(count(run.log, "text \"Seria nr " + std::to_string(s) +
                                   "  Wyniki obliczeń nie są liczbami skończonymi\""),
                1)
          << run.log;
    }
    const std::string text = testkit::readfile(report);
    const size_t half = text.size() / 2;
    EXPECT_EQ(text.substr(0, half), text.substr(half)) << "the results before the load stay\n" << text;
    EXPECT_EQ(text.find("NaN"), std::string::npos) << text;
    EXPECT_EQ(text.find("Infinity"), std::string::npos) << text;
  }
}

// The sample's first `n` points (215 K up to 215 + (n-1)/4 K), with line
// `bad` of them (1-based, 0 for none) holding a current below 0.
std::string firstpoints(const std::string& sample, int n, int bad) {
  std::istringstream in(sample);
  std::string line;
  std::getline(in, line);
  std::string out = std::to_string(n) + " 0.0500 200.00 0.7850\n";
  for (int i = 1; i <= n && std::getline(in, line); ++i) {
    out += i == bad ? line.substr(0, line.find_last_of(' ')) + " -1.0E-13\n" : line + "\n";
  }
  return out;
}

// The data rows of a saved table (the lines after its series line and
// column header).
std::vector<std::string> tablerows(const std::string& file) {
  std::vector<std::string> rows;
  std::istringstream in(file);
  std::string line;
  for (int n = 0; std::getline(in, line); ++n) {
    if (n >= 3) rows.push_back(line);
  }
  return rows;
}

// A load after which every series fails keeps the series' results, and
// everything shown or saved belongs to the new data: table 2 holds the
// kept results' curves on the new grid (as a new grid of dialog 105 gives
// them), table 3 the new valid integration range and nothing beyond it.
TEST(Varnel1Data, AfterALoadThatFailsEverySeriesNothingBelongsToTheDataBefore) {
  const std::string dir = varnel1folder();
  const std::string sample = testkit::readfile(dir + "/sample.dat");
  // 200 points up to 264.75 K; a current below 0 at 239.75 K fails the fit.
  testkit::writefile(dir + "/b.dat", firstpoints(sample, 200, 100));
  testkit::writefile(dir + "/good.dat", firstpoints(sample, 200, 0));
  const std::string save2 = "menu V1_CM_SAVE_TABLE2\nfile \"" + dir + "/t2.txt\"\nmsgbox OK\n";
  const std::string save3 = "menu V1_CM_SAVE_TABLE3\nfile \"" + dir + "/t3.txt\"\nmsgbox OK\n";
  const std::string shot = "screenshot \"" + dir + "/failed_load_graph1.png\"\n";
  const std::string again = "menu V1_CM_GRAPH1\nscreenshot \"" + dir + "/failed_load_graph1_again.png\"\n";
  testkit::ProgramRun run = runin("varnel1", dir, loadsample(dir) + "menu V1_CM_DATA\nfile \"" + dir +
                                                "/b.dat\"\nmsgbox OK\nmsgbox OK\nmsgbox OK\n" + shot +
                                                again + save2 + save3 + "menu V1_CM_END\n");
  EXPECT_EQ(run.exitcode, 0) << run.log;
  EXPECT_EQ(count(run.log, "Wyniki obliczeń nie są liczbami skończonymi"), 3) << run.log;
  // The load draws the new data: the graph is the one drawn again.
  const std::string drawn = testkit::readfile(dir + "/failed_load_graph1.png");
  ASSERT_FALSE(drawn.empty());
  EXPECT_TRUE(drawn == testkit::readfile(dir + "/failed_load_graph1_again.png")) << dir;
  const std::string failed2 = testkit::readfile(dir + "/t2.txt");
  const std::string failed3 = testkit::readfile(dir + "/t3.txt");

  // The same results put on the grid of the new data by dialog 105 (b and
  // T0 are those of the sample in both files).
  testkit::ProgramRun grid = runin("varnel1", 
      dir, loadsample(dir) + "menu V1_CM_OUTPUT_RANGE\nfield 1007 \"264.75\"\nbutton 1\n" + save2 +
               "menu V1_CM_DATA\nfile \"" + dir + "/good.dat\"\n" + save3 + "menu V1_CM_END\n");
  EXPECT_EQ(grid.exitcode, 0) << grid.log;
  const std::string all2 = testkit::readfile(dir + "/t2.txt");
  const std::string all3 = testkit::readfile(dir + "/t3.txt");
  EXPECT_EQ(all2.substr(failed2.size()), failed2) << "table 2: the kept results on the new grid";
  EXPECT_NE(failed2.find("\n 264.750 "), std::string::npos) << failed2;

  // Table 3 of the failed series: the points of the new data's valid
  // integration range, which the good file without the bad point has too.
  const std::vector<std::string> rows = tablerows(failed3);
  const std::vector<std::string> goodrows = tablerows(all3.substr(failed3.size()));
  ASSERT_EQ(rows.size(), goodrows.size()) << failed3;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    EXPECT_EQ(rows[r].substr(0, 11), goodrows[r].substr(0, 11)) << "row " << r + 1;
    EXPECT_EQ(rows[r].find("-50.00000"), std::string::npos) << "row " << r + 1;
  }
}

// A series that was never computed (two points hold no line) has no
// curves and no rows of model values, and no model value is computed for
// it, not even after a new output grid.
TEST(Varnel1Data, ASeriesNeverComputedHasNoCurvesAndNoRows) {
  const std::string dir = varnel1folder();
  testkit::writefile(dir + "/two.dat", "2 0.05 200 0.785\n215 1e-14\n216 2e-14\n");
  std::string script = "menu V1_CM_DATA\nfile \"" + dir + "/two.dat\"\nmsgbox OK\nmsgbox OK\nmsgbox OK\n" +
                       "menu V1_CM_OUTPUT_RANGE\nbutton 1\nidle\nscreenshot \"" + dir + "/never_computed.png\"\n";
  for (const char* table : {"V1_CM_SAVE_TABLE2", "V1_CM_SAVE_TABLE4"}) {
    script += std::string("menu ") + table + "\nfile \"" + dir + "/t.txt\"\nmsgbox OK\n";
  }
  script += "menu V1_CM_TABLE2\nbutton 1\nmenu V1_CM_END\n";
  testkit::ProgramRun run = runin("varnel1", dir, script);
  EXPECT_EQ(run.exitcode, 0) << run.log;
  EXPECT_EQ(count(run.log, "message box shown: \"Błąd\" text \"Seria nr "), 3) << run.log;
  EXPECT_EQ(run.output.find("DEM1"), std::string::npos) << run.output;
  EXPECT_EQ(testkit::readfile(dir + "/t.txt"),
            "\n Seria nr 1\n  T [K]    Ja [A/cm2]   Pa [C/cm2]\n\n Seria nr 1\n 1000/T [1/K]  log taua [s]\n");
  const std::size_t table = run.log.find("dialog shown: \"Tabela 2\"");
  ASSERT_NE(table, std::string::npos) << run.log;
  EXPECT_EQ(run.log.substr(table, run.log.find('\n', table) - table).find("NaN"), std::string::npos);
}

TEST(Varnel1Data, TheFirstLoadShowsTheGraphOfTheParameterFile) {
  const std::string dir = varnel1folder();
  // Graph 2, grid on, tables of series 3.
  std::string params = testkit::readfile(dir + "/VARNEL1.PAR");
  params.replace(0, params.find('\n'), "  121  2  1  3");
  testkit::writefile(dir + "/VARNEL1.PAR", params);
  const std::string shot = dir + "/first.png";
  const std::string graph2 = dir + "/graph2.png";
  testkit::ProgramRun run = runin("varnel1", 
      dir, "repaint\nidle\n" + loadsample(dir) + "screenshot \"" + shot + "\"\nmenu V1_CM_GRAPH2\nscreenshot \"" +
               graph2 + "\"\nmenu V1_CM_END\n");
  EXPECT_EQ(run.exitcode, 0);
  const std::string first = testkit::readfile(shot);
  ASSERT_FALSE(first.empty());
  EXPECT_TRUE(first == testkit::readfile(graph2)) << "graph 2 is shown after the first load";
}

}  // namespace
}  // namespace tsd::varnel1::testing
