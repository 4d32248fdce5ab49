// varnel1's frame run as a user runs it: start-up with a parameter file it
// cannot use (a missing one is tried with every program in tests/programs),
// the greyed popups before the first load, the graph and grid commands, the
// parameter file rewritten and read by the next start, the About box and
// the end.
#include <gtest/gtest.h>

#include "analysis/varnel1/tests/varnel1_run.h"
#include "resources/varnel1/varnel1_ids.h"

namespace tsd::varnel1::testing {
namespace {

TEST(Varnel1Frame, MalformedParameterFileEndsInAnOrderlyWay) {
  struct Case {
    const char* name;
    const char* file;
    const char* problem;  // part of the message that must name it
  };
  const Case cases[] = {
      {"letters", "  201  1  0  x\n", "VARNEL1.PAR"},
      {"too few records", "  201  1  0  1\n  1  1  1  1\n", "VARNEL1.PAR"},
      {"nwyj out of range", "  900  1  0  1\n  1  1  1  1\n  1  1  1  1\n  1  1  1  1\n  3  3  1\n"
                            "  2  1  1\n  1  2  1\n  1  1\n", "VARNEL1.PAR"},
      // Switches the rewrite could not write back with a blank before them
      // ("  201  1101  1"): refused at once rather than at the next start.
      {"grid flag of three digits", "  201  1  101  1\n  1  1  1  1\n  1  1  1  1\n  1  1  1  1\n"
                                    "  3  3  1\n  2  1  1\n  1  2  1\n  1  1\n",
       "rekord 1: siatka = 101 poza zakresem -9..99"},
      {"graph number -10", "  201 -10  0  1\n  1  1  1  1\n  1  1  1  1\n  1  1  1  1\n"
                           "  3  3  1\n  2  1  1\n  1  2  1\n  1  1\n",
       "rekord 1: numer wykresu = -10 poza zakresem -9..99"},
      {"series switch 100", "  201  1  0  1\n  1  1  1  1\n  1  1  1  1\n  1  1  1  1\n"
                            "  3  3  1\n  2  1  100\n  1  2  1\n  1  1\n",
       "rekord 6: wykres serii 2 = 100 poza zakresem -9..99"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string dir = varnel1folder(false);
    testkit::writefile(dir + "/VARNEL1.PAR", c.file);
    testkit::ProgramRun run = runin("varnel1", dir, "msgbox OK\n");
    EXPECT_EQ(run.exitcode, 2);
    EXPECT_NE(run.log.find("message box shown: \"Błąd\" text \"Błąd odczytu parametrów"),
              std::string::npos)
        << run.log;
    EXPECT_NE(run.output.find(c.problem), std::string::npos) << run.output;
    EXPECT_EQ(testkit::readfile(dir + "/VARNEL1.PAR"), c.file) << "the file is left as it was";
  }
}

TEST(Varnel1Frame, PopupsAreGreyedUntilTheFirstLoad) {
  const std::string dir = varnel1folder();
  // A cancelled selection loads nothing: the popups stay greyed.
  testkit::ProgramRun run = runin("varnel1", 
      dir, "menu V1_CM_DATA\nfile cancel\nmenu V1_CM_RANGES\nkey Escape\nmenu V1_CM_SAVE_PARAMFILE\nkey Escape\nmenu V1_CM_END\n");
  EXPECT_EQ(run.exitcode, 0);
  EXPECT_EQ(count(run.log, "menu command: " + std::to_string(V1_CM_RANGES)), 0) << run.log;
  EXPECT_EQ(count(run.log, "menu command: " + std::to_string(V1_CM_SAVE_PARAMFILE)), 0) << run.log;
  EXPECT_EQ(count(run.log, "message box shown"), 0) << run.log;
  // After a load every popup works.
  run = runin("varnel1", dir, loadsample(dir) + "menu V1_CM_SAVE_PARAMFILE\nmsgbox OK\nmenu V1_CM_END\n");
  EXPECT_EQ(count(run.log, "menu command: " + std::to_string(V1_CM_SAVE_PARAMFILE)), 1) << run.log;
  EXPECT_NE(run.log.find("text \"Parametry zapisane w pliku Varnel1.par\" icon information"),
            std::string::npos)
      << run.log;
}

TEST(Varnel1Frame, SavedParametersGiveTheGraphAndGridToTheNextStart) {
  const std::string dir = varnel1folder();
  // Graph 3, grid on, saved.
  testkit::ProgramRun run =
      runin("varnel1", dir, loadsample(dir) + "menu V1_CM_GRAPH3\nmenu V1_CM_GRID\nmenu V1_CM_SAVE_PARAMFILE\nmsgbox OK\nmenu V1_CM_END\n");
  EXPECT_EQ(run.exitcode, 0);
  const std::string saved = testkit::readfile(dir + "/VARNEL1.PAR");
  EXPECT_EQ(saved.substr(0, saved.find('\n')), "  201  3  1  1");
  // The rest of the file is rewritten as it was read.
  const std::string example = testkit::readfile(examplefile("VARNEL1.PAR"));
  EXPECT_EQ(saved.substr(saved.find('\n')), example.substr(example.find('\n')));
  // The next start reads it back and rewrites the same file.
  std::filesystem::remove(dir + "/VARNEL1.PAR.bak");
  run = runin("varnel1", dir, loadsample(dir) + "menu V1_CM_SAVE_PARAMFILE\nmsgbox OK\nmenu V1_CM_END\n");
  EXPECT_EQ(testkit::readfile(dir + "/VARNEL1.PAR"), saved);
}

TEST(Varnel1Frame, GridSwitchedTwiceGivesTheSameDrawing) {
  const std::string dir = varnel1folder();
  const std::string shot[3] = {dir + "/off.png", dir + "/on.png", dir + "/offagain.png"};
  testkit::ProgramRun run = runin("varnel1", 
      dir, loadsample(dir) + "screenshot \"" + shot[0] + "\"\nmenu V1_CM_GRID\nscreenshot \"" + shot[1] +
               "\"\nmenu V1_CM_GRID\nscreenshot \"" + shot[2] + "\"\nmenu V1_CM_END\n");
  EXPECT_EQ(run.exitcode, 0);
  const std::string off = testkit::readfile(shot[0]);
  ASSERT_FALSE(off.empty());
  EXPECT_FALSE(off == testkit::readfile(shot[1])) << "the grid is drawn at once";
  EXPECT_TRUE(off == testkit::readfile(shot[2])) << "and switched off again";
}

TEST(Varnel1Frame, AboutBoxAndTheCloseBox) {
  const std::string dir = varnel1folder();
  testkit::ProgramRun run = runin("varnel1", dir, "menu V1_CM_ABOUT\nmsgbox OK\nclose\n");
  EXPECT_EQ(run.exitcode, 0);
  EXPECT_NE(run.log.find("message box shown: \"O programie\" text \"Program Varnel1, wersja 1.00 "),
            std::string::npos)
      << run.log;
}

}  // namespace
}  // namespace tsd::varnel1::testing
