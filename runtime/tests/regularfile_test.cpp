// Whole-file reads of regular files only: the whole file or its first
// bytes, and anything but a regular file refused at once.
#include "runtime/regularfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "tools/testkit/files.h"
#include "tools/testkit/temp_folder.h"

namespace {

using tsd::runtime::readregularfile;
using tsd::runtime::WholeFileStatus;

class WholeFile : public tsd::testkit::InTempFolder {};

TEST_F(WholeFile, ReadsTheWholeFileOrItsFirstBytes) {
  const std::string big(20000, 'b');
  tsd::testkit::writefile("big", big + "end");
  tsd::testkit::writefile("empty", "");
  std::string out = "old";
  EXPECT_EQ(readregularfile("big", out, 1u << 20), WholeFileStatus::ok);
  EXPECT_EQ(out, big + "end");
  EXPECT_EQ(readregularfile("big", out, 20001), WholeFileStatus::ok);
  EXPECT_EQ(out, big + "e");
  EXPECT_EQ(readregularfile("empty", out, 10), WholeFileStatus::ok);
  EXPECT_EQ(out, "");
}

// A named pipe nobody writes to would hold the read for ever.
TEST_F(WholeFile, AnythingButARegularFileCannotBeOpened) {
  ASSERT_EQ(mkfifo("pipe", 0644), 0);
  std::filesystem::create_directory("folder");
  struct Case {
    const char* name;
    int error;
  };
  for (const Case& c : {Case{"pipe", EINVAL}, Case{"folder", EINVAL}, Case{"/dev/zero", EINVAL}, Case{"none", ENOENT}}) {
    SCOPED_TRACE(c.name);
    std::string out = "old";
    errno = 0;
    EXPECT_EQ(readregularfile(c.name, out, 100), WholeFileStatus::cannot_open);
    EXPECT_EQ(errno, c.error);
    EXPECT_EQ(out, "");
  }
}

}  // namespace
