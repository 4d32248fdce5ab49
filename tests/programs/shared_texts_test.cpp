// What every program shows the same way, run through each of the four: the
// end of a start-up without a usable parameter file (one box text, one line
// on standard error, one exit code) and a data file that cannot be opened.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/mokrin/mokrin_ids.h"
#include "resources/varnel1/varnel1_ids.h"
#include "resources/varnel2/varnel2_ids.h"
#include "tools/testkit/display_log.h"
#include "tools/testkit/program_run.h"

namespace tsd {
namespace {

struct Program {
  const char* name;
  const char* params;    // its parameter file
  const char* readdata;  // the script line of its data command
};

const Program kPrograms[] = {
    {"varnel1", "VARNEL1.PAR", "menu V1_CM_DATA\n"},
    {"varnel2", "VARNEL2.PAR", "menu V2_CM_DATA\n"},
    {"mokrin1", "MOKRIN1.PAR", "menu MK_CM_READ_DATA\n"},
    {"mokrin2", "MOKRIN2.PAR", "menu MK_CM_READ_DATA\n"},
};

std::string workfolder(const Program& p, const std::string& what) {
  return testkit::makeworkdir(std::string("shared_") + p.name + "_" + what);
}

testkit::ProgramRun run(const Program& p, const std::string& dir, const std::string& script) {
  testkit::ProgramSetup setup;
  setup.exe = testkit::programexe(p.name);
  setup.workdir = dir;
  setup.script = script;
  testkit::ProgramRun r = testkit::runprogram(setup);
  EXPECT_FALSE(r.timedout) << p.name;
  return r;
}

TEST(SharedTexts, AMissingParameterFileEndsEveryProgramTheSameWay) {
  for (const Program& p : kPrograms) {
    const std::string dir = workfolder(p, "missing");
    const testkit::ProgramRun r = run(p, dir, "msgbox OK\n");
    EXPECT_EQ(r.exitcode, 2) << p.name;
    EXPECT_EQ(testkit::boxtexts(r.log, "Błąd"), std::vector<std::string>{"Błąd odczytu parametrów"})
        << p.name << "\n" << r.log;
    EXPECT_EQ(r.output, dir + "/" + p.params + ": brak pliku\n") << p.name;
  }
}

TEST(SharedTexts, AnUnusableParameterFileNamesTheProblemOnceInTheBoxAndOnStandardError) {
  for (const Program& p : kPrograms) {
    const std::string dir = workfolder(p, "unusable");
    testkit::writefile(dir + "/" + p.params, "abc\n");
    const testkit::ProgramRun r = run(p, dir, "msgbox OK\n");
    EXPECT_EQ(r.exitcode, 2) << p.name;
    // One line on standard error: "<file>: rekord 1: <problem>".
    const std::string line = r.output;
    const std::string head = dir + "/" + p.params + ": rekord 1: ";
    ASSERT_EQ(line.compare(0, head.size(), head), 0) << p.name << ": " << line;
    ASSERT_EQ(testkit::count(line, "\n"), 1) << p.name << ": " << line;
    // The box: the missing-file text, one line break (logged as one blank),
    // then the same line.
    EXPECT_EQ(testkit::boxtexts(r.log, "Błąd"),
              std::vector<std::string>{"Błąd odczytu parametrów " + line.substr(0, line.size() - 1)})
        << p.name << "\n" << r.log;
  }
}

TEST(SharedTexts, ADataFileThatCannotBeOpenedIsNamedInTheSameBox) {
  const std::string examples = std::string(TSD_SOURCE_DIR) + "/examples/";
  for (const Program& p : kPrograms) {
    const std::string dir = workfolder(p, "nodata");
    testkit::writefile(dir + "/" + p.params, testkit::readfile(examples + p.params));
    const std::string missing = dir + "/brak.dat";
    const testkit::ProgramRun r =
        run(p, dir, std::string(p.readdata) + "file \"" + missing + "\"\nmsgbox OK\n");
    EXPECT_EQ(r.exitcode, 0) << p.name;
    EXPECT_EQ(testkit::boxtexts(r.log, "Błąd"),
              std::vector<std::string>{"Nie można otworzyć pliku " + missing})
        << p.name << "\n" << r.log;
  }
}

}  // namespace
}  // namespace tsd
