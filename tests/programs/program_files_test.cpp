// Every program run as a Polish user runs it: started in a folder with
// Polish letters in its name, a data file with Polish letters opened by
// typing its name and by picking it from the list; and a report appended
// to a file on a full disk, which must leave the file as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "resources/mokrin/mokrin_ids.h"
#include "resources/varnel1/varnel1_ids.h"
#include "resources/varnel2/varnel2_ids.h"
#include "tools/testkit/program_run.h"
#include "tools/testkit/small_disk.h"

namespace tsd::testing {
namespace {

struct Program {
  const char* name;
  const char* parfile;
  int readdata;  // the menu command that reads a measured data file
};

const Program kPrograms[] = {
    {"varnel1", "VARNEL1.PAR", V1_CM_DATA},
    {"varnel2", "VARNEL2.PAR", V2_CM_DATA},
    {"mokrin1", "MOKRIN1.PAR", MK_CM_READ_DATA},
    {"mokrin2", "MOKRIN2.PAR", MK_CM_READ_DATA},
};

std::string example(const std::string& name) { return testkit::examplefile(name); }

// The message boxes the run showed, one logged line each.
std::vector<std::string> boxes(const std::string& log) {
  std::vector<std::string> v;
  for (std::size_t at = log.find("message box shown: "); at != std::string::npos;
       at = log.find("message box shown: ", at + 1))
    v.push_back(log.substr(at, log.find('\n', at) - at));
  return v;
}

std::string joined(const std::vector<std::string>& v) {
  std::string s;
  for (const std::string& x : v) s += x + "\n";
  return s;
}

TEST(ProgramFiles, APolishFolderAndDataFileOpenByTypingAndFromTheList) {
  const struct {
    const char* how;
    const char* choose;  // the script lines that answer the file dialog
  } ways[] = {
      {"typed", "file \"żółć.dat\"\n"},
      // The data filter lists output.txt, script.txt (the run's own) and
      // żółć.dat, which sorts last.
      {"picked", "button 1120\nkey End\nkey Enter\n"},
  };
  for (const Program& p : kPrograms) {
    for (const auto& w : ways) {
      SCOPED_TRACE(std::string(p.name) + ", " + w.how);
      const std::string top = testkit::makeworkdir(std::string("polish_") + p.name + "_" + w.how);
      const std::string dir = top + "/łódź";
      std::filesystem::create_directories(dir);
      std::filesystem::copy_file(example(p.parfile), dir + "/" + p.parfile);
      std::filesystem::copy_file(example("sample.dat"), dir + "/żółć.dat");
      testkit::ProgramSetup setup;
      setup.exe = testkit::programexe(p.name);
      setup.workdir = dir;
      setup.script = "idle\nscreenshot \"" + top + "/before.png\"\nmenu " + std::to_string(p.readdata) + "\n" +
                     w.choose + "idle\nscreenshot \"" + top + "/after.png\"\n";
      const testkit::ProgramRun run = testkit::runprogram(setup);
      EXPECT_FALSE(run.timedout) << run.log;
      EXPECT_NE(run.log.find("file dialog lists: folder \"" + dir + "\""), std::string::npos)
          << "the folder shown under its own name:\n" << run.log;
      EXPECT_NE(run.log.find("file dialog chose: \"" + dir + "/żółć.dat\""), std::string::npos) << run.log;
      const std::vector<std::string> shown = boxes(run.log);
      for (const std::string& b : shown) {
        EXPECT_EQ(b.find("Nie można"), std::string::npos) << b;
        EXPECT_EQ(b.find("Błąd"), std::string::npos) << b;
      }
      const std::string before = testkit::readfile(top + "/before.png");
      const std::string after = testkit::readfile(top + "/after.png");
      ASSERT_FALSE(before.empty());
      ASSERT_FALSE(after.empty());
      EXPECT_NE(before, after) << "the data read are drawn: " << top;
    }
  }
}

// Where the test may mount a small file system (root, as in CI), the
// report goes to a file on a full tmpfs; elsewhere a file size limit makes
// the writes fail the same way. Either way the run is real.
TEST(ProgramFiles, AReportAppendedOnAFullDiskLeavesTheFileAsItWas) {
  const struct {
    const char* program;
    int command;  // saves an output at once, without data: a report, a table
  } cases[] = {{"mokrin1", MK_CM_SAVE_REPORT}, {"mokrin2", MK_CM_SAVE_TABLE1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.program);
    const Program& p = *std::find_if(std::begin(kPrograms), std::end(kPrograms),
                                     [&](const Program& x) { return std::string(x.name) == c.program; });
    const std::string work = testkit::makeworkdir(std::string("fulldisk_") + c.program);
    std::filesystem::copy_file(example(p.parfile), work + "/" + p.parfile);
    testkit::SmallDisk disk(work + "/dysk", 64 * 1024);
    testkit::ProgramSetup setup;
    setup.exe = testkit::programexe(p.name);
    setup.workdir = work;
    // What the file held: whole lines, 24 bytes short of a block boundary,
    // so the first bytes of the new output still fit and the rest do not.
    const auto filled = [](std::size_t size) {
      const std::string line = "  2.150000E+02  1.000000E-12  wcześniej\n";
      std::string t;
      while (t.size() + line.size() <= size) t += line;
      return t + std::string(size - t.size() - 1, '#') + "\n";
    };
    std::string report, before;
    if (disk.mounted()) {
      report = work + "/dysk/raport.txt";
      before = filled(2 * 4096 - 24);
      testkit::writefile(report, before);
      ASSERT_TRUE(disk.fill());
    } else {
      // The limit holds for every file the program writes, its log too: the
      // report file is made so large that only it reaches the limit.
      std::cout << "[ note ] no tmpfs could be mounted (" << disk.why()
                << "): the full disk is a file size limit instead\n";
      report = work + "/raport.txt";
      before = filled(128 * 4096 - 24);
      testkit::writefile(report, before);
      setup.file_size_limit = before.size() + 24;
    }
    setup.script = "menu " + std::to_string(c.command) + "\nfile \"" + report + "\"\nmsgbox OK\n";
    const testkit::ProgramRun run = testkit::runprogram(setup);
    EXPECT_FALSE(run.timedout) << run.log;
    const std::vector<std::string> shown = boxes(run.log);
    ASSERT_EQ(shown.size(), 1u) << joined(shown) << run.log;
    EXPECT_NE(shown[0].find("\"Błąd\""), std::string::npos) << "an error box: " << shown[0];
    EXPECT_NE(shown[0].find(report), std::string::npos) << "naming the file: " << shown[0];
    EXPECT_TRUE(testkit::readfile(report) == before) << "byte for byte what the file held before";
  }
}

TEST(ProgramFiles, AStartRemovesWhatAnUnfinishedParameterSaveLeft) {
  for (const Program& p : kPrograms) {
    SCOPED_TRACE(p.name);
    const std::string dir = testkit::makeworkdir(std::string("leftover_") + p.name);
    std::filesystem::copy_file(example(p.parfile), dir + "/" + p.parfile);
    const std::string leftover = dir + "/" + p.parfile + ".tmpK1ll3d";
    const std::string other = dir + "/" + p.parfile + ".tmp.notes";
    testkit::writefile(leftover, "  201  1");
    testkit::writefile(other, "notatki");
    testkit::ProgramSetup setup;
    setup.exe = testkit::programexe(p.name);
    setup.workdir = dir;
    setup.script = "idle\n";
    const testkit::ProgramRun run = testkit::runprogram(setup);
    EXPECT_FALSE(run.timedout) << run.log;
    EXPECT_FALSE(testkit::fileexists(leftover)) << "the start removed the leftover of its own file";
    EXPECT_EQ(testkit::readfile(other), "notatki") << "and nothing else";
    EXPECT_EQ(testkit::readfile(dir + "/" + p.parfile), testkit::readfile(example(p.parfile)));
  }
}

// Files saved by editors that start them with the UTF-8 byte-order mark:
// every program starts from such a parameter file and reads such a data
// file as it reads the file without the mark, to the last pixel drawn.
TEST(ProgramFiles, FilesThatStartWithAByteOrderMarkReadAsWithoutIt) {
  const std::string mark = "\xEF\xBB\xBF";
  for (const Program& p : kPrograms) {
    SCOPED_TRACE(p.name);
    std::string shots[2];
    for (int marked = 0; marked < 2; ++marked) {
      const std::string dir =
          testkit::makeworkdir(std::string("bom_") + p.name + (marked ? "_marked" : "_plain"));
      const std::string lead = marked ? mark : "";
      testkit::writefile(dir + "/" + p.parfile, lead + testkit::readfile(example(p.parfile)));
      testkit::writefile(dir + "/dane.dat", lead + testkit::readfile(example("sample.dat")));
      testkit::ProgramSetup setup;
      setup.exe = testkit::programexe(p.name);
      setup.workdir = dir;
      setup.script = "menu " + std::to_string(p.readdata) + "\nfile \"dane.dat\"\nidle\nscreenshot \"" +
                     dir + "/loaded.png\"\n";
      const testkit::ProgramRun run = testkit::runprogram(setup);
      EXPECT_FALSE(run.timedout) << run.log;
      EXPECT_EQ(run.exitcode, 0) << run.output;
      for (const std::string& b : boxes(run.log)) EXPECT_EQ(b.find("Błąd"), std::string::npos) << b;
      shots[marked] = testkit::readfile(dir + "/loaded.png");
      ASSERT_FALSE(shots[marked].empty()) << run.log;
    }
    EXPECT_TRUE(shots[0] == shots[1]) << "the files with the mark read as those without it";
  }
}

}  // namespace
}  // namespace tsd::testing
