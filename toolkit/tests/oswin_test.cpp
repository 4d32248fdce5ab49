// The operating-system services: status words, open modes, buffers.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/kernel/kernel.h"
#include "toolkit/window/oswin.h"
#include "tools/testkit/files.h"

namespace {

using namespace tsd;

class OsServices : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("tsd_oswin_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string path(const char* name) const { return (dir_ / name).string(); }
  static std::string contents(const std::string& p) { return testkit::readfile(p); }
  std::filesystem::path dir_;
};

TEST_F(OsServices, OpenModesReadWriteSeek) {
  std::string p = path("f.chr");
  std::ofstream(p) << "old contents";
  int h = 0, st = 0, count = 0;

  xxopen(p.c_str(), 1, h, st);  // create: truncates, opens for writing
  ASSERT_EQ(st, 0);
  ASSERT_NE(h, -1);
  xxwritc(h, "abcdef", 6, count, st);
  EXPECT_EQ(count, 6);
  EXPECT_EQ(st, 0);
  char c[4];
  xxreadc(h, c, 4, count, st);
  EXPECT_EQ(count, 0) << "write-only";
  EXPECT_EQ(st, static_cast<int>(plat::ERROR_ACCESS_DENIED));
  xxclos(h);
  EXPECT_EQ(contents(p), "abcdef");

  xxopen(p.c_str(), 0, h, st);  // read
  ASSERT_EQ(st, 0);
  std::uint8_t b[8] = {};
  xxread(h, b, 8, count, st);
  EXPECT_EQ(count, 6);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(std::memcmp(b, "abcdef", 6), 0);
  int off = 2;
  xxseek(h, off, 0, st);
  EXPECT_EQ(off, 2);
  xxread(h, b, 2, count, st);
  EXPECT_EQ(std::memcmp(b, "cd", 2), 0);
  off = -100;
  xxseek(h, off, 1, st);
  EXPECT_EQ(off, -1);
  EXPECT_NE(st, 0);
  xxclos(h);

  xxopen(p.c_str(), 2, h, st);  // read and write
  ASSERT_EQ(st, 0);
  off = 0;
  xxseek(h, off, 2, st);
  EXPECT_EQ(off, 6);
  xxwritc(h, "g", 1, count, st);
  xxclos(h);
  EXPECT_EQ(contents(p), "abcdefg");

  xxopen(path("missing").c_str(), 0, h, st);
  EXPECT_EQ(h, -1);
  EXPECT_EQ(st, static_cast<int>(plat::ERROR_FILE_NOT_FOUND));
  xxopen(path("missing").c_str(), 2, h, st);
  EXPECT_EQ(h, -1) << "read-write opens existing files only";
  xxopen(path("no/dir").c_str(), 1, h, st);
  EXPECT_EQ(h, -1);
  EXPECT_EQ(st, static_cast<int>(plat::ERROR_PATH_NOT_FOUND));
  xxread(12345, b, 1, count, st);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(st, static_cast<int>(plat::ERROR_INVALID_HANDLE));
}

TEST_F(OsServices, EnvironmentAndDirectories) {
  ::setenv("TSD_OSWIN_VAR", "abcdef", 1);
  char buf[16];
  int len = 0;
  xxgenv(len, "TSD_OSWIN_VAR", buf, sizeof buf);
  EXPECT_EQ(len, 6);
  EXPECT_STREQ(buf, "abcdef");
  xxgenv(len, "TSD_OSWIN_VAR", buf, 4);
  EXPECT_EQ(len, 7) << "the size needed";
  ::unsetenv("TSD_OSWIN_VAR");
  xxgenv(len, "TSD_OSWIN_VAR", buf, sizeof buf);
  EXPECT_EQ(len, 0);

  int st = -1;
  xxsysdir(buf, st, sizeof buf);
  EXPECT_EQ(st, 0);
  EXPECT_STREQ(buf, "/usr/lib");
  xxsysdir(buf, st, 4);
  EXPECT_NE(st, 0) << "too small a buffer is a failure, not garbage";

  char old[4096];
  xxdirn(old, st, sizeof old);
  ASSERT_EQ(st, 0);
  xxdirc(dir_.string().c_str(), st);
  ASSERT_EQ(st, 0);
  char now[4096];
  xxdirn(now, st, sizeof now);
  EXPECT_EQ(std::string(now), std::filesystem::canonical(dir_).string());
  xxdirc(path("none").c_str(), st);
  EXPECT_EQ(st, static_cast<int>(plat::ERROR_FILE_NOT_FOUND));

  // Debug output: created empty at the first line of the run, then appended.
  std::ofstream("debug") << "stale\n";
  xxdebug("first");
  xxdebugi("n", 42);
  EXPECT_EQ(contents("debug"), "first\nn = 42\n");

  xxdirm("sub", st);
  EXPECT_EQ(st, 0);
  xxdirm("sub", st);
  EXPECT_EQ(st, static_cast<int>(plat::ERROR_ALREADY_EXISTS));
  xxcopyf("debug", "sub/copy", st);
  EXPECT_EQ(st, 0);
  xxcopyf("debug", "sub/copy", st);
  EXPECT_EQ(st, 0) << "overwrites";
  xxrenf("sub/copy", "moved", st);
  EXPECT_EQ(st, 0);
  xxdelf("moved", st);
  EXPECT_EQ(st, 0);
  xxdelf("moved", st);
  EXPECT_EQ(st, static_cast<int>(plat::ERROR_FILE_NOT_FOUND));
  xxdird("sub", st);
  EXPECT_EQ(st, 0);
  xxdirc(old, st);
  ASSERT_EQ(st, 0);
}

TEST_F(OsServices, FindFiles) {
  std::ofstream(path("a.chr")) << "12345";
  std::ofstream(path("b.CHR")) << "1";
  std::ofstream(path("c.txt")) << "";
  std::string pat = path("*.chr");
  char name[64];
  std::strcpy(name, pat.c_str());
  int attr = 0, dt = 0, size = 0, st = -1;
  xxfind(0, name, sizeof name, attr, dt, size, st);
  ASSERT_EQ(st, 0);
  std::string names = name;
  int total = size;
  EXPECT_NE(dt, 0);
  xxfind(1, name, sizeof name, attr, dt, size, st);
  ASSERT_EQ(st, 0);
  names += std::string(" ") + name;
  total += size;
  xxfind(1, name, sizeof name, attr, dt, size, st);
  EXPECT_EQ(st, 1) << "end of the search";
  EXPECT_TRUE(names == "a.chr b.CHR" || names == "b.CHR a.chr") << names;
  EXPECT_EQ(total, 6);
  xxfindclose();

  std::string none = path("*.none");
  std::strcpy(name, none.c_str());
  xxfind(0, name, sizeof name, attr, dt, size, st);
  EXPECT_EQ(st, static_cast<int>(plat::ERROR_FILE_NOT_FOUND));
  xxfindclose();
}

TEST_F(OsServices, VersionTimeProcess) {
  int major = 0, minor = -1, kind = 0;
  xxmwinver(major, minor);
  EXPECT_GT(major, 0);
  EXPECT_GE(minor, 0);
  xxmwinvariant(kind);
  EXPECT_EQ(kind, 4);

  int y = 0, mo = 0, d = 0, h = -1, mi = -1, s = -1, ms = -1;
  xxdate(y, mo, d);
  EXPECT_GE(y, 2024);
  EXPECT_TRUE(mo >= 1 && mo <= 12 && d >= 1 && d <= 31);
  xxtime(h, mi, s, ms);
  EXPECT_TRUE(h >= 0 && h < 24 && mi >= 0 && mi < 60 && s >= 0 && s < 61 && ms >= 0 && ms < 1000);
  int t = -1;
  xxmwincurrtime(t);
  EXPECT_GE(t, 0);
  int bytes = -1;
  xxdspace(bytes);
  EXPECT_GT(bytes, 0) << "saturated, never wrapped negative";

  int st = -2;
  std::string marker = path("ran");
  xxcmnd(("touch " + marker).c_str(), 1, 1, 10, st);
  EXPECT_EQ(st, 0);
  EXPECT_TRUE(std::filesystem::exists(marker));
  xxcmnd("sleep 0.5", 1, 1, 0, st);
  EXPECT_EQ(st, -1) << "timeout";
  xxcmnd("true", 0, 0, 0, st);
  EXPECT_EQ(st, 0);
  xxexec("true", st);
  EXPECT_GT(st, 31);

  char exe[4096];
  xxgetexe(exe, sizeof exe);
  EXPECT_NE(std::string(exe).find("toolkit_tests"), std::string::npos) << exe;
  char small[4] = {'x', 'x', 'x', 'x'};
  xxgetexe(small, sizeof small);
  EXPECT_EQ(std::strlen(small), 3u) << "cut to the buffer";
  char* argv[] = {const_cast<char*>("prog"), const_cast<char*>("a b"), const_cast<char*>("c")};
  plat::RecordCommandLine(3, argv);
  char cl[8];
  xxgetcl(cl, sizeof cl);
  EXPECT_STREQ(cl, "prog \"a") << "bounded by the buffer";
}

TEST_F(OsServices, CommandsWhoseProgramCannotStartReportFailure) {
  const struct {
    const char* what;
    std::string command;
    int wait;
  } cases[] = {
      {"unknown name, waited for", "tsd-no-such-program-here --help", 1},
      {"unknown name, not waited for", "tsd-no-such-program-here", 0},
      {"missing path", path("absent/prog") + " a b", 1},
      {"a file that is no program", path("plain.txt"), 0},
      {"blank command", "   ", 1},
  };
  std::ofstream(path("plain.txt")) << "text";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    int st = 0;
    xxcmnd(c.command.c_str(), 1, c.wait, 10, st);
    EXPECT_EQ(st, static_cast<int>(plat::ERROR_FILE_NOT_FOUND));
  }
  // A quoted program path is one word; the shell still runs the rest.
  int st = -2;
  const std::string marker = path("quoted ran");
  xxcmnd(("\"/usr/bin/env\" touch '" + marker + "'").c_str(), 1, 1, 10, st);
  EXPECT_EQ(st, 0);
  EXPECT_TRUE(std::filesystem::exists(marker));
}

// Command lines the shell runs are started, whatever the shell's words
// around the program: assignments before it, quotes, a ~ path, a PATH
// given on the line. A program the shell cannot run is reported, in both
// modes.
TEST_F(OsServices, CommandsAreJudgedByWhatTheShellRuns) {
  std::filesystem::create_directories(dir_ / "bin");
  const std::string prog = path("bin/tsd-own-prog");
  std::ofstream(prog) << "#!/bin/sh\ntouch \"$1\"\n";
  std::filesystem::permissions(prog, std::filesystem::perms::owner_all);
  const char* oldhome = std::getenv("HOME");
  const std::string home = oldhome ? oldhome : "";
  setenv("HOME", dir_.c_str(), 1);
  struct Case {
    const char* what;
    std::string command;
    int status;
    std::string marker;  // made by the command when it was waited for
  };
  const int missing = static_cast<int>(plat::ERROR_FILE_NOT_FOUND);
  const Case cases[] = {
      {"assignment before the program", "FOO=1 touch " + path("a"), 0, path("a")},
      {"quoted program path", "'/usr/bin/touch' " + path("b"), 0, path("b")},
      {"double-quoted program path", "\"/usr/bin/touch\" " + path("c"), 0, path("c")},
      {"~ path", "~/bin/tsd-own-prog " + path("d"), 0, path("d")},
      {"PATH given on the line", "PATH=" + path("bin") + ":/usr/bin:/bin tsd-own-prog " + path("e"), 0, path("e")},
      {"a backslash in the program word", "/usr/bin/to\\uch " + path("f"), 0, path("f")},
      {"assignment before a missing program", "FOO=1 tsd-no-such-program-here", missing, ""},
      {"quoted missing path", "'" + path("absent") + "' x", missing, ""},
      {"~ path of a missing program", "~/bin/tsd-absent", missing, ""},
  };
  for (int wait : {1, 0}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (wait ? ", waited for" : ", not waited for"));
      if (!c.marker.empty()) std::filesystem::remove(c.marker);
      int st = -2;
      xxcmnd(c.command.c_str(), 1, wait, 10, st);
      EXPECT_EQ(st, c.status) << c.command;
      if (wait && !c.marker.empty()) {
        EXPECT_TRUE(std::filesystem::exists(c.marker)) << "the program ran";
      }
    }
  }
  if (oldhome) setenv("HOME", home.c_str(), 1);
  else unsetenv("HOME");
}

}  // namespace
