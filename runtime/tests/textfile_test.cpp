// Text output files: append, atomic replace, the printer device, and the
// code-page conversion of what is written.
#include "runtime/textfile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "runtime/freeread.h"
#include "text/cp1250.h"
#include "tools/testkit/files.h"
#include "tools/testkit/write_limit.h"

namespace {

namespace fs = std::filesystem;
using tsd::runtime::FileStatus;
using tsd::runtime::TextFile;

void spit(const fs::path& p, const std::string& s) {
  std::ofstream out(p, std::ios::binary);
  out << s;
}

// A fresh directory per test, removed afterwards; the environment
// variables a test changes are put back.
class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("textfile_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    save("TSD_PRN_FILE");
    save("PATH");
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value.second) {
        setenv(name.c_str(), value.first.c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
    fs::remove_all(dir_);
  }
  void save(const char* name) {
    const char* v = std::getenv(name);
    saved_.push_back({name, {v != nullptr ? v : "", v != nullptr}});
  }
  fs::path dir_;
  std::vector<std::pair<std::string, std::pair<std::string, bool>>> saved_;
};

TEST_F(TextFileTest, AppendCreatesAMissingFileAndAddsToAnExistingOne) {
  const fs::path p = dir_ / "raport.txt";
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE("save " + std::to_string(round + 1));
    TextFile f;
    ASSERT_EQ(f.open_append(p.string() + "   "), FileStatus::ok);
    EXPECT_EQ(f.write("(/,A)", {" Seria nr 1"}), FileStatus::ok);
    EXPECT_EQ(f.write("(F8.3,1P,2E13.5)", {300.0, 1.5e-12, 0.0}), FileStatus::ok);
    EXPECT_EQ(f.close(), FileStatus::ok);
  }
  const std::string one = "\n Seria nr 1\n 300.000  1.50000E-12  0.00000E+00\n";
  EXPECT_EQ(tsd::testkit::readfile(p), one + one);
}

TEST_F(TextFileTest, PolishLettersAreWrittenAsUtf8) {
  const fs::path p = dir_ / "utf8.txt";
  TextFile f;
  ASSERT_EQ(f.open_append(p.string()), FileStatus::ok);
  const std::string cp = text::cp1250_from_utf8(" Szybkość ogrzewania b    =");
  ASSERT_EQ(f.write("(A,1P,E12.5,A)", {cp, 0.05, " K/s"}), FileStatus::ok);
  ASSERT_EQ(f.close(), FileStatus::ok);
  EXPECT_EQ(tsd::testkit::readfile(p), " Szybkość ogrzewania b    = 5.00000E-02 K/s\n");
}

TEST_F(TextFileTest, ReplaceIsAllOrNothing) {
  const fs::path p = dir_ / "VARNEL1.PAR";
  spit(p, "old contents\n");
  chmod(p.c_str(), 0640);
  {
    TextFile f;
    ASSERT_EQ(f.open_replace(p.string()), FileStatus::ok);
    ASSERT_EQ(f.write("(I5,3I3)", {121, 1, 0, 1}), FileStatus::ok);
    // not closed: the old file stays as it was, no temporary is left behind
  }
  EXPECT_EQ(tsd::testkit::readfile(p), "old contents\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

  TextFile f;
  ASSERT_EQ(f.open_replace(p.string()), FileStatus::ok);
  ASSERT_EQ(f.write("(I5,3I3)", {121, 1, 0, 1}), FileStatus::ok);
  ASSERT_EQ(f.write("(4I3)", {1, 1, 1, 1}), FileStatus::ok);
  EXPECT_EQ(tsd::testkit::readfile(p), "old contents\n") << "nothing changes before close";
  ASSERT_EQ(f.close(), FileStatus::ok);
  EXPECT_EQ(tsd::testkit::readfile(p), "  121  1  0  1\n  1  1  1  1\n");
  struct stat st {};
  ASSERT_EQ(stat(p.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u) << "the replacement keeps the file's permissions";
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(TextFileTest, ReplaceCreatesAMissingFile) {
  const fs::path p = dir_ / "MOKRIN1.PAR";
  TextFile f;
  ASSERT_EQ(f.open_replace(p.string()), FileStatus::ok);
  ASSERT_EQ(f.write("(1P,2E14.6,0P,I4)", {300.0, 400.0, 121}), FileStatus::ok);
  ASSERT_EQ(f.close(), FileStatus::ok);
  EXPECT_EQ(tsd::testkit::readfile(p), "  3.000000E+02  4.000000E+02 121\n");
}

TEST_F(TextFileTest, FailuresComeBackAsStatus) {
  TextFile f;
  EXPECT_EQ(f.open_append((dir_ / "no_dir" / "x.txt").string()), FileStatus::open_failed);
  EXPECT_EQ(f.open_replace((dir_ / "no_dir" / "x.par").string()), FileStatus::open_failed);
  EXPECT_EQ(f.open_replace(dir_.string()), FileStatus::open_failed);  // a directory
  EXPECT_EQ(f.write("(A)", {"x"}), FileStatus::not_open);
  EXPECT_EQ(f.close(), FileStatus::not_open);

  const fs::path p = dir_ / "t.txt";
  ASSERT_EQ(f.open_append(p.string()), FileStatus::ok);
  EXPECT_EQ(f.write("(I3)", {1.5}), FileStatus::bad_format);
  EXPECT_EQ(f.write("(A)", {"kept"}), FileStatus::ok);
  EXPECT_EQ(f.close(), FileStatus::ok);
  EXPECT_EQ(tsd::testkit::readfile(p), "kept\n") << "a refused write writes nothing";

  // A full disk is reported: AFailedAppendLeavesTheFileAsItWas. The
  // device that stands for one is no regular file, and refused as such.
  EXPECT_EQ(f.open_append("/dev/full"), FileStatus::open_failed);
}

TEST_F(TextFileTest, AFailedAppendLeavesTheFileAsItWas) {
  // The disk fills in the middle of a report: the file may grow only a
  // little beyond what it holds. Small reports fail at the close (the
  // stream's buffer), long ones in a write; either way nothing is left.
  const std::string held = "Raport 1\n  T = 300.000 K\n";
  const struct {
    const char* what;
    std::size_t lines;
  } cases[] = {{"one buffered write", 3}, {"many writes", 4000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path p = dir_ / "raport.txt";
    spit(p, held);
    FileStatus closed = FileStatus::ok;
    bool failed_write = false;
    {
      tsd::testkit::FileSizeLimit limit(held.size() + 20);
      ASSERT_TRUE(limit.ok());
      TextFile f;
      ASSERT_EQ(f.open_append(p.string()), FileStatus::ok);
      for (std::size_t i = 0; i < c.lines; ++i)
        failed_write = f.write("(A,F12.5)", {" E =", 1.234567 * static_cast<double>(i)}) != FileStatus::ok || failed_write;
      closed = f.close();
    }
    EXPECT_EQ(closed, FileStatus::write_failed);
    EXPECT_FALSE(failed_write) << "the text reaches the file in one write, at the close";
    EXPECT_EQ(tsd::testkit::readfile(p), held) << "byte for byte what the file held";
  }
  // A file given up without close has been given nothing.
  const fs::path p = dir_ / "porzucony.txt";
  spit(p, held);
  {
    tsd::testkit::FileSizeLimit limit(held.size() + 20);
    TextFile f;
    ASSERT_EQ(f.open_append(p.string()), FileStatus::ok);
    for (int i = 0; i < 4000; ++i) f.write("(A)", {"0123456789"});
  }
  EXPECT_EQ(tsd::testkit::readfile(p), held);
}

TEST_F(TextFileTest, LeftoversOfAnUnfinishedReplacementAreRemovedAndNothingElse) {
  spit(dir_ / "VARNEL1.PAR", "  201  1  0  1\n");
  const char* gone[] = {"VARNEL1.PAR.tmpAb12Cd", "VARNEL1.PAR.tmp000000"};
  const char* kept[] = {"VARNEL1.PAR.tmpAb12C", "VARNEL1.PAR.tmpAb12Cde", "VARNEL1.PAR.tmpAb12Cd.bak",
                        "VARNEL2.PAR.tmpAb12Cd", "VARNEL1.PAR.tmpAb_2Cd", "XVARNEL1.PAR.tmpAb12Cd"};
  for (const char* n : gone) spit(dir_ / n, "  201");
  for (const char* n : kept) spit(dir_ / n, "kept");
  fs::create_directory(dir_ / "VARNEL1.PAR.tmpFolder");
  fs::create_symlink(dir_ / "VARNEL1.PAR", dir_ / "VARNEL1.PAR.tmpLinkXY");
  EXPECT_EQ(tsd::runtime::removereplaceleftovers((dir_ / "VARNEL1.PAR").string()), 2);
  for (const char* n : gone) EXPECT_FALSE(fs::exists(dir_ / n)) << n;
  for (const char* n : kept) EXPECT_EQ(tsd::testkit::readfile(dir_ / n), "kept") << n;
  EXPECT_TRUE(fs::is_directory(dir_ / "VARNEL1.PAR.tmpFolder"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "VARNEL1.PAR.tmpLinkXY")) << "only regular files go";
  EXPECT_EQ(tsd::testkit::readfile(dir_ / "VARNEL1.PAR"), "  201  1  0  1\n");
  // A name relative to the current directory, and one with Polish letters.
  fs::create_directories(dir_ / "łódź");
  spit(dir_ / "łódź" / "MOKRIN1.PAR.tmpQwErTy", "x");
  EXPECT_EQ(tsd::runtime::removereplaceleftovers(text::cp1250_from_utf8((dir_ / "łódź" / "MOKRIN1.PAR").string())), 1);
  EXPECT_FALSE(fs::exists(dir_ / "łódź" / "MOKRIN1.PAR.tmpQwErTy"));
}

TEST_F(TextFileTest, PrinterRedirectedToAFile) {
  const fs::path p = dir_ / "prn.txt";
  setenv("TSD_PRN_FILE", p.c_str(), 1);
  for (int job = 0; job < 2; ++job) {
    TextFile f;
    ASSERT_EQ(f.open_printer(), FileStatus::ok);
    ASSERT_EQ(f.write("(/,A,/)", {" Program Varnel1"}), FileStatus::ok);
    ASSERT_EQ(f.close(), FileStatus::ok);
  }
  EXPECT_EQ(tsd::testkit::readfile(p), "\n Program Varnel1\n\n\n Program Varnel1\n\n");
}

TEST_F(TextFileTest, PrinterJobGoesToLp) {
  // A stand-in `lp` that stores its standard input.
  const fs::path bin = dir_ / "bin";
  fs::create_directories(bin);
  const fs::path out = dir_ / "spooled.txt";
  spit(bin / "lp", "#!/bin/sh\ncat > '" + out.string() + "'\n");
  chmod((bin / "lp").c_str(), 0755);
  unsetenv("TSD_PRN_FILE");
  setenv("PATH", (bin.string() + ":/usr/bin:/bin").c_str(), 1);
  TextFile f;
  ASSERT_EQ(f.open_printer(), FileStatus::ok);
  ASSERT_EQ(f.write("(A)", {" Wyniki obliczen:"}), FileStatus::ok);
  EXPECT_FALSE(fs::exists(out)) << "the job is sent on close";
  ASSERT_EQ(f.close(), FileStatus::ok);
  EXPECT_EQ(tsd::testkit::readfile(out), " Wyniki obliczen:\n");

  // an `lp` that refuses the job
  spit(bin / "lp", "#!/bin/sh\nexit 1\n");
  ASSERT_EQ(f.open_printer(), FileStatus::ok);
  ASSERT_EQ(f.write("(A)", {"x"}), FileStatus::ok);
  EXPECT_EQ(f.close(), FileStatus::printer_unavailable);
}

TEST_F(TextFileTest, NoPrinterIsAFailureNotAnAbort) {
  unsetenv("TSD_PRN_FILE");
  setenv("PATH", dir_.c_str(), 1);  // no lp here
  TextFile f;
  EXPECT_EQ(f.open_printer(), FileStatus::printer_unavailable);
  EXPECT_FALSE(f.is_open());
  setenv("TSD_PRN_FILE", (dir_ / "no_dir" / "prn.txt").c_str(), 1);
  EXPECT_EQ(f.open_printer(), FileStatus::printer_unavailable);
}

// Anything but a regular file under a file's name is refused at once, as a
// file that cannot be opened: a named pipe nobody writes to (the open or
// the first read would wait for ever), a device, a folder.
TEST_F(TextFileTest, OnlyRegularFilesAreOpenedAndNoOpenWaits) {
  const fs::path fifo = dir_ / "pomiar.dat";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  // A reader of the pipe, so that an open for writing would succeed.
  const pid_t reader = fork();
  if (reader == 0) {
    std::ifstream in(fifo);
    pause();
    _exit(0);
  }
  ASSERT_GT(reader, 0);
  const char* names[] = {fifo.c_str(), "/dev/null", "/dev/zero"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    TextFile f;
    EXPECT_EQ(f.open_append(name), FileStatus::open_failed);
    EXPECT_EQ(f.open_replace(name), FileStatus::open_failed);
    setenv("TSD_PRN_FILE", name, 1);
    EXPECT_EQ(f.open_printer(), FileStatus::printer_unavailable);
    tsd::runtime::FreeReader r;
    EXPECT_FALSE(r.open(name)) << "read";
  }
  tsd::runtime::FreeReader r;
  EXPECT_FALSE(r.open(dir_.string())) << "a folder";
  kill(reader, SIGKILL);
  waitpid(reader, nullptr, 0);
  EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo) << "the pipe is left as it was";
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1) << "nothing else made";
}

// A parameter file reached through a link (a shared one): the file the
// link points to is replaced in its own folder, the link stays a link.
TEST_F(TextFileTest, ReplacingThroughALinkReplacesTheFileItPointsTo) {
  fs::create_directories(dir_ / "wspolny");
  fs::create_directories(dir_ / "praca");
  spit(dir_ / "wspolny" / "VARNEL1.PAR", "old\n");
  const struct {
    const char* how;
    fs::path link;
    fs::path to;
  } cases[] = {
      {"relative", dir_ / "praca" / "VARNEL1.PAR", "../wspolny/VARNEL1.PAR"},
      {"absolute, through a second link", dir_ / "praca" / "V1.PAR", dir_ / "praca" / "VARNEL1.PAR"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    fs::create_symlink(c.to, c.link);
    TextFile f;
    ASSERT_EQ(f.open_replace(c.link.string()), FileStatus::ok);
    ASSERT_EQ(f.write("(A)", {c.how}), FileStatus::ok);
    ASSERT_EQ(f.close(), FileStatus::ok);
    EXPECT_TRUE(fs::is_symlink(c.link));
    EXPECT_EQ(fs::read_symlink(c.link), c.to);
    EXPECT_EQ(tsd::testkit::readfile(dir_ / "wspolny" / "VARNEL1.PAR"), std::string(c.how) + "\n");
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "praca"), fs::directory_iterator()), 2);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "wspolny"), fs::directory_iterator()), 1);
  // A link to a file not made yet makes it where the link points.
  fs::create_symlink("nowy.par", dir_ / "praca" / "MOKRIN1.PAR");
  TextFile f;
  ASSERT_EQ(f.open_replace((dir_ / "praca" / "MOKRIN1.PAR").string()), FileStatus::ok);
  ASSERT_EQ(f.write("(A)", {"x"}), FileStatus::ok);
  ASSERT_EQ(f.close(), FileStatus::ok);
  EXPECT_EQ(tsd::testkit::readfile(dir_ / "praca" / "nowy.par"), "x\n");
  EXPECT_TRUE(fs::is_symlink(dir_ / "praca" / "MOKRIN1.PAR"));
  // Links that go round are refused.
  fs::create_symlink("B.PAR", dir_ / "praca" / "A.PAR");
  fs::create_symlink("A.PAR", dir_ / "praca" / "B.PAR");
  EXPECT_EQ(f.open_replace((dir_ / "praca" / "A.PAR").string()), FileStatus::open_failed);
}

// A failed save takes away what it made: a new report file on a full disk
// is removed again, one that existed is cut back (above); a file that
// existed empty stays.
TEST_F(TextFileTest, AFailedSaveRemovesTheFileItCreated) {
  const fs::path made = dir_ / "nowy.txt";
  const fs::path empty = dir_ / "pusty.txt";
  spit(empty, "");
  for (const fs::path& p : {made, empty}) {
    tsd::testkit::FileSizeLimit limit(16);
    ASSERT_TRUE(limit.ok());
    TextFile f;
    ASSERT_EQ(f.open_append(p.string()), FileStatus::ok);
    f.write("(A)", {std::string(100, 'x')});
    EXPECT_EQ(f.close(), FileStatus::write_failed);
    EXPECT_EQ(f.error(), EFBIG);
  }
  EXPECT_FALSE(fs::exists(made));
  EXPECT_TRUE(fs::exists(empty));
  {
    TextFile f;
    ASSERT_EQ(f.open_append(made.string()), FileStatus::ok);
    // given up without close
  }
  EXPECT_FALSE(fs::exists(made));
}

// A print queue that does not answer holds the program no longer than the
// bound; the stopped `lp` is gone.
TEST_F(TextFileTest, APrintQueueThatDoesNotAnswerIsGivenUp) {
  const fs::path bin = dir_ / "bin";
  fs::create_directories(bin);
  const fs::path pidfile = dir_ / "lp.pid";
  spit(bin / "lp", "#!/bin/sh\necho $$ > '" + pidfile.string() + "'\nexec sleep 600\n");
  chmod((bin / "lp").c_str(), 0755);
  unsetenv("TSD_PRN_FILE");
  setenv("PATH", (bin.string() + ":/usr/bin:/bin").c_str(), 1);
  TextFile f;
  ASSERT_EQ(f.open_printer(), FileStatus::ok);
  ASSERT_EQ(f.write("(A)", {" Tabela 1"}), FileStatus::ok);
  EXPECT_EQ(f.close(), FileStatus::printer_unavailable);
  std::string pid = tsd::testkit::readfile(pidfile);
  ASSERT_FALSE(pid.empty());
  EXPECT_NE(kill(std::stoi(pid), 0), 0) << "lp was stopped";
}

}  // namespace
