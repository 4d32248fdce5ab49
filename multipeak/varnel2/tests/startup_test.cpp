// varnel2's start-up: the parameter file refused (a missing one is tried
// with every program in tests/programs), and a data file that cannot be
// read.
#include <gtest/gtest.h>

#include "multipeak/varnel2/tests/varnel2_run.h"
#include "resources/varnel2/varnel2_ids.h"

namespace tsd::varnel2 {
namespace {

using namespace test;

TEST(Varnel2Startup, RefusedParameterFileNamesTheFileAndEnds) {
  struct Case {
    const char* par;
    const char* problem;  // part of the text naming the fault
  };
  std::string example = testkit::readfile(examplefile("VARNEL2.PAR"));
  const std::string rest = example.substr(example.find('\n') + 1);
  const Case cases[] = {
      {"  900  0\n", "Nout = 900"},
      {"  201  0\n  abc\n", "rekord 2"},
      // Written back as "  201101", which the next start could not read.
      {"  201 101\n", "siatka = 101 poza zakresem -9..99"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.par);
    const std::string dir = workdir(false);
    testkit::writefile(dir + "/VARNEL2.PAR", c.par + rest);
    const auto r = runin("varnel2", dir, "");
    EXPECT_NE(r.exitcode, 0) << describe(r);
    const auto errors = boxtexts(r.log, "Błąd");
    ASSERT_EQ(errors.size(), 1u) << describe(r);
    EXPECT_NE(errors[0].find("VARNEL2.PAR"), std::string::npos) << errors[0];
    EXPECT_NE(errors[0].find(c.problem), std::string::npos) << errors[0];
    EXPECT_NE(r.output.find("VARNEL2.PAR"), std::string::npos) << r.output;
  }
}

TEST(Varnel2Startup, UnreadableDataKeepsTheMenusGreyed) {
  const std::string dir = workdir();
  testkit::writefile(dir + "/bad.dat", "3 0.05 200 0.785\n215 1e-12\n216 2e-12\n217 x\n");
  // After the refused file "Obliczenia" is still greyed: choosing it gives
  // no command and the menu is left with Escape.
  const auto r = runin("varnel2", dir, "menu V2_CM_DATA\nfile \"bad.dat\"\nmsgbox OK\nmenu V2_CM_FIT\nkey Escape\n"
                          "menu V2_CM_DATA\nfile \"missing.dat\"\n");
  EXPECT_EQ(r.exitcode, 0) << describe(r);
  const auto errors = boxtexts(r.log, "Błąd");
  ASSERT_GE(errors.size(), 1u) << describe(r);
  EXPECT_EQ(errors[0], "Błąd odczytu danych");
  EXPECT_EQ(r.log.find("menu command: " + std::to_string(V2_CM_FIT)), std::string::npos) << describe(r);
}

TEST(Varnel2Startup, CancelledFileSelectionChangesNothing) {
  const std::string dir = workdir();
  const auto r = runin("varnel2", dir, "menu V2_CM_DATA\nfile cancel\nmenu V2_CM_FIT\nkey Escape\n");
  EXPECT_EQ(r.exitcode, 0) << describe(r);
  EXPECT_TRUE(boxtexts(r.log, "Błąd").empty()) << describe(r);
  EXPECT_EQ(r.log.find("menu command: " + std::to_string(V2_CM_FIT)), std::string::npos) << describe(r);
}

}  // namespace
}  // namespace tsd::varnel2
