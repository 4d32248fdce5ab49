// SIGTERM and SIGINT while a file is written: the program ends, by that
// signal, once the file is complete; with no file open it ends at once; a
// signal the process ignores stays ignored. Each case runs in a child
// process, which the signal ends.
#include "runtime/endsignals.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "runtime/textfile.h"
#include "tools/testkit/files.h"

namespace {

using tsd::runtime::FileStatus;
using tsd::runtime::TextFile;
namespace testkit = tsd::testkit;

enum class Open { none, append, replace };

struct Case {
  const char* name;
  int sig;
  Open open;
  bool ignored;           // the process ignores the signal
  const char* want;       // the file's content afterwards
  int want_signal;        // the signal that ends the child (0: it exits)
};

// The child: opens the file as the case says, writes a line, gets the
// signal, writes a second line and ends the file; then leaves a mark and
// exits with 7.
int run_child(const Case& c, const std::string& file, const std::string& mark) {
  pid_t pid = fork();
  if (pid == 0) {
    if (c.ignored) signal(c.sig, SIG_IGN);
    TextFile f;
    if (c.open == Open::append && f.open_append(file) != FileStatus::ok) _exit(3);
    if (c.open == Open::replace && f.open_replace(file) != FileStatus::ok) _exit(3);
    if (c.open != Open::none) f.write("(A)", {"first"});
    raise(c.sig);
    if (c.open != Open::none) {
      f.write("(A)", {"second"});
      if (f.close() != FileStatus::ok) _exit(4);
    }
    TextFile m;
    if (m.open_append(mark) == FileStatus::ok) {
      m.write("(A)", {"went on"});
      m.close();
    }
    _exit(7);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return status;
}

TEST(EndSignals, EndTheProgramOnlyWhenNoFileIsHalfWritten) {
  const Case cases[] = {
      {"append, SIGTERM", SIGTERM, Open::append, false, "old\nfirst\nsecond\n", SIGTERM},
      {"append, SIGINT", SIGINT, Open::append, false, "old\nfirst\nsecond\n", SIGINT},
      {"replace, SIGTERM", SIGTERM, Open::replace, false, "first\nsecond\n", SIGTERM},
      {"no file, SIGTERM", SIGTERM, Open::none, false, "old\n", SIGTERM},
      {"append, SIGINT ignored", SIGINT, Open::append, true, "old\nfirst\nsecond\n", 0},
  };
  const std::string dir = testkit::makeworkdir("endsignals");
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = dir + "/f" + std::to_string(n) + ".txt";
    const std::string mark = dir + "/mark" + std::to_string(n++) + ".txt";
    testkit::writefile(file, "old\n");
    const int status = run_child(c, file, mark);
    EXPECT_EQ(testkit::readfile(file), c.want);
    if (c.want_signal != 0) {
      ASSERT_TRUE(WIFSIGNALED(status)) << "the child was not ended by a signal (status " << status << ")";
      EXPECT_EQ(WTERMSIG(status), c.want_signal);
      EXPECT_EQ(testkit::readfile(mark), "") << "the child went on after the file was complete";
    } else {
      ASSERT_TRUE(WIFEXITED(status)) << status;
      EXPECT_EQ(WEXITSTATUS(status), 7);
      EXPECT_EQ(testkit::readfile(mark), "went on\n");
    }
  }
}

}  // namespace
