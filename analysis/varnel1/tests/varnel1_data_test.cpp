// varnel1's "&Dane" run as a user runs it: a file that cannot be read or
// opened gives its box and changes nothing, not even the drawing; the first
// good load shows the graph of the parameter file.
#include <gtest/gtest.h>

#include "analysis/varnel1/tests/varnel1_run.h"
#include "resources/varnel1/varnel1_ids.h"
#include "tools/testkit/textlines.h"

namespace tsd::testing {
namespace {

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
}  // namespace tsd::testing
