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
#include "tools/testkit/program_test.h"

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
  return testkit::runin(p.name, dir, script);
}

// The box is an error box with OK alone, no dialog is shown before it, and
// the program writes no parameter file of its own.
TEST(SharedTexts, AMissingParameterFileEndsEveryProgramTheSameWay) {
  for (const Program& p : kPrograms) {
    SCOPED_TRACE(p.name);
    const std::string dir = workfolder(p, "missing");
    const testkit::ProgramRun r = run(p, dir, "msgbox OK\n");
    EXPECT_EQ(r.exitcode, 2);
    EXPECT_EQ(testkit::boxtexts(r.log, "Błąd"), std::vector<std::string>{"Błąd odczytu parametrów"})
        << r.log;
    EXPECT_EQ(testkit::count(r.log, "message box shown"), 1) << r.log;
    EXPECT_NE(r.log.find("message box shown: \"Błąd\" text \"Błąd odczytu parametrów\" icon "
                         "exclamation buttons OK default OK"),
              std::string::npos)
        << r.log;
    EXPECT_EQ(testkit::count(r.log, "dialog shown"), 0) << r.log;
    EXPECT_EQ(r.output, dir + "/" + p.params + ": brak pliku\n");
    EXPECT_FALSE(testkit::fileexists(dir + "/" + p.params)) << "nothing is written";
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
