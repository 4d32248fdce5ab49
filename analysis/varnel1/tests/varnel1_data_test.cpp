// varnel1's "&Dane" run as a user runs it: a file that cannot be read or
// opened gives its box and changes nothing, not even the drawing; the first
// good load shows the graph of the parameter file.
#include <gtest/gtest.h>

#include "analysis/varnel1/tests/varnel1_run.h"
#include "resources/varnel1/varnel1_ids.h"

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
      {"missing", nullptr, "Nie można otworzyć pliku "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string dir = varnel1folder();
    const std::string file = dir + "/bad.dat";
    if (c.content != nullptr) testkit::writefile(file, c.content);
    testkit::ProgramRun run = runvarnel1(
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
  testkit::ProgramRun run = runvarnel1(
      dir, loadsample(dir) + "screenshot \"" + before + "\"\nmenu V1_CM_DATA\nfile \"" + dir +
               "/bad.dat\"\nmsgbox OK\nexpose\nidle\nscreenshot \"" + after + "\"\nmenu V1_CM_END\n");
  EXPECT_EQ(run.exitcode, 0);
  EXPECT_EQ(count(run.log, "text \"Błąd odczytu danych\""), 1) << run.log;
  const std::string a = testkit::readfile(before);
  ASSERT_FALSE(a.empty());
  EXPECT_TRUE(a == testkit::readfile(after))
      << "the graph redrawn after the failed load is the one before it: " << before << " " << after;
}

TEST(Varnel1Data, TheFirstLoadShowsTheGraphOfTheParameterFile) {
  const std::string dir = varnel1folder();
  // Graph 2, grid on, tables of series 3.
  std::string params = testkit::readfile(dir + "/VARNEL1.PAR");
  params.replace(0, params.find('\n'), "  121  2  1  3");
  testkit::writefile(dir + "/VARNEL1.PAR", params);
  const std::string shot = dir + "/first.png";
  const std::string graph2 = dir + "/graph2.png";
  testkit::ProgramRun run = runvarnel1(
      dir, "expose\nidle\n" + loadsample(dir) + "screenshot \"" + shot + "\"\nmenu V1_CM_GRAPH2\nscreenshot \"" +
               graph2 + "\"\nmenu V1_CM_END\n");
  EXPECT_EQ(run.exitcode, 0);
  const std::string first = testkit::readfile(shot);
  ASSERT_FALSE(first.empty());
  EXPECT_TRUE(first == testkit::readfile(graph2)) << "graph 2 is shown after the first load";
}

}  // namespace
}  // namespace tsd::testing
