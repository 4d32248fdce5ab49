// What every parameter file shares: the texts that name a record at
// fault, where the file is, and opening and rewriting it with a fault that
// tells a missing file from one that cannot be used.
#include "runtime/paramfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "text/cp1250.h"
#include "tools/testkit/files.h"
#include "tools/testkit/temp_folder.h"
#include "tools/testkit/write_limit.h"

namespace {

namespace fs = std::filesystem;
using namespace tsd::runtime;
using tsd::testkit::readfile;
using tsd::testkit::writefile;

using tsd::cp;

// The permission bits of a folder for the lifetime of the object.
class FolderMode {
 public:
  FolderMode(const fs::path& dir, fs::perms mode) : dir_(dir), old_(fs::status(dir).permissions()) {
    fs::permissions(dir_, mode);
  }
  ~FolderMode() { fs::permissions(dir_, old_); }
  FolderMode(const FolderMode&) = delete;
  FolderMode& operator=(const FolderMode&) = delete;

 private:
  fs::path dir_;
  fs::perms old_;
};

TEST(ParamsTexts, RecordPrefixAndProblemWithItsFile) {
  EXPECT_EQ(recordprefix(3), "rekord 3: ");
  EXPECT_EQ(recordprefix(12), "rekord 12: ");
  const ParamsResult r = paramsfault(ParamsStatus::out_of_range, cp("/dane/ł.par"), 2, recordprefix(2) + "b <= 0");
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.record, 2);
  EXPECT_EQ(paramsproblemtext(r), cp("/dane/ł.par: rekord 2: b <= 0"));
  EXPECT_EQ(paramsmissingtext(), cp("Błąd odczytu parametrów"));
}

// What a read of two integers came to, from the text of the record.
TEST(ParamsTexts, ReadProblemTellsABadValueFromAFileEndingEarly) {
  struct Case {
    const char* what;
    const char* text;
    const char* problem;
  };
  const Case cases[] = {
      {"a value that is no integer", "1 x\n", "rekord 4: zła wartość"},
      {"a real where an integer must be", "1 2.5\n", "rekord 4: zła wartość"},
      {"the file ends after one value", "1\n", "rekord 4: za mało wartości (koniec pliku)"},
      {"an empty file", "", "rekord 4: za mało wartości (koniec pliku)"},
      {"a null value", ",5\n", "rekord 4: brak wartości"},
      {"a slash before the second value", "1 /\n", "rekord 4: brak wartości"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FreeReader reader{std::string_view(c.text)};
    int a = 0, b = 0;
    const ReadResult r = reader.read({a, b});
    ASSERT_FALSE(r.complete(2));
    EXPECT_EQ(readproblem(r, 4, cp("zła wartość")), cp(c.problem));
  }
}

TEST(ParamsFolder, FileInDirectory) {
  struct Case {
    const char* dir;
    const char* name;
    const char* path;
  };
  const Case cases[] = {
      {"", "varnel1.par", "varnel1.par"},  // the current directory
      {"/dane", "varnel1.par", "/dane/varnel1.par"},
      {"/dane/", "varnel1.par", "/dane/varnel1.par"},  // no second slash
      {"/", "m.par", "/m.par"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.dir + "\"");
    EXPECT_EQ(fileindirectory(c.dir, c.name), c.path);
  }
}

class ParamsFile : public tsd::testkit::InTempFolder {
 protected:
  std::string file(const char* name) const { return (dir() / name).string(); }
};

TEST_F(ParamsFile, CurrentDirectoryIsWhereTheProgramRuns) {
  EXPECT_EQ(currentdirectory(), fs::current_path().string());
  EXPECT_EQ(fileindirectory(currentdirectory(), "a.par"), file("a.par"));
}

TEST_F(ParamsFile, MissingIsToldFromPresent) {
  writefile(file("a.par"), "1\n");
  fs::create_directory(file("folder"));
  EXPECT_TRUE(fileismissing(file("none.par")));
  EXPECT_TRUE(fileismissing(file("none/a.par")));
  EXPECT_FALSE(fileismissing(file("a.par")));
  EXPECT_FALSE(fileismissing(file("folder"))) << "a folder of that name is there";
  EXPECT_FALSE(fileismissing(file("a.par") + "   ")) << "trailing blanks are no part of the name";
}

TEST_F(ParamsFile, PresentButUnreadableIsNotMissing) {
  if (geteuid() == 0) GTEST_SKIP() << "as root the permission bits do not stop a read";
  writefile(file("a.par"), "1\n");
  fs::permissions(file("a.par"), fs::perms::none);
  EXPECT_FALSE(fileismissing(file("a.par")));
  FreeReader reader;
  const ParamsResult r = openparamsfile(reader, file("a.par"));
  EXPECT_EQ(r.status, ParamsStatus::unreadable);
  EXPECT_EQ(r.problem, cp("nie można otworzyć pliku"));
}

TEST_F(ParamsFile, OpenTellsAMissingFileFromOneThatCannotBeOpened) {
  writefile(file("a.par"), "7 8\n");
  fs::create_directory(file("folder.par"));
  struct Case {
    const char* name;
    ParamsStatus status;
    const char* problem;
  };
  const Case cases[] = {
      {"a.par", ParamsStatus::ok, ""},
      {"none.par", ParamsStatus::missing, "brak pliku"},
      {"folder.par", ParamsStatus::unreadable, "nie można otworzyć pliku"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreeReader reader;
    const ParamsResult r = openparamsfile(reader, file(c.name));
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.file, file(c.name));
    EXPECT_EQ(r.problem, cp(c.problem));
    EXPECT_EQ(r.record, 0);
    EXPECT_EQ(reader.is_open(), c.status == ParamsStatus::ok);
  }
  FreeReader reader;
  ASSERT_TRUE(openparamsfile(reader, file("a.par")).ok());
  int a = 0, b = 0;
  EXPECT_TRUE(reader.read({a, b}).complete(2));
  EXPECT_EQ(a * 10 + b, 78) << "the reader is open on the file";
}

TEST_F(ParamsFile, ASuccessfulRewriteReplacesTheFile) {
  writefile(file("a.par"), "old\n");
  TextFile f;
  ASSERT_TRUE(beginparamsrewrite(f, file("a.par")).ok());
  EXPECT_EQ(readfile(file("a.par")), "old\n") << "nothing changes before the end";
  ASSERT_EQ(f.write("(I3)", {5}), FileStatus::ok);
  const ParamsResult r = endparamsrewrite(f, file("a.par"));
  EXPECT_TRUE(r.ok()) << r.problem;
  EXPECT_EQ(r.file, file("a.par"));
  EXPECT_EQ(readfile(file("a.par")), "  5\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir()), fs::directory_iterator()), 1)
      << "no replacement is left beside it";
}

TEST_F(ParamsFile, ARewriteThatCannotEndKeepsTheOldFile) {
  writefile(file("a.par"), "old\n");
  TextFile f;
  ASSERT_TRUE(beginparamsrewrite(f, file("a.par")).ok());
  ASSERT_EQ(f.write("(A)", {std::string(4096, 'x')}), FileStatus::ok);
  ParamsResult r;
  {
    // The lines reach the file only when it ends, past a size it may not have.
    tsd::testkit::FileSizeLimit limit(1024);
    ASSERT_TRUE(limit.ok());
    r = endparamsrewrite(f, file("a.par"));
  }
  EXPECT_EQ(r.status, ParamsStatus::write_failed);
  EXPECT_EQ(r.problem, cp("błąd zapisu pliku"));
  EXPECT_EQ(readfile(file("a.par")), "old\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir()), fs::directory_iterator()), 1)
      << "no replacement is left beside it";
}

// A folder the user may not write: the replacement cannot be made beside
// the file, or, made before the folder became read-only, cannot be put in
// its place.
TEST_F(ParamsFile, ARewriteInAReadOnlyFolderKeepsTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "as root a read-only folder can still be written";
  for (bool begun : {false, true}) {
    SCOPED_TRACE(begun ? "read-only before the end" : "read-only before the beginning");
    writefile(file("a.par"), "old\n");
    TextFile f;
    ParamsResult r;
    if (begun) {
      ASSERT_TRUE(beginparamsrewrite(f, file("a.par")).ok());
      ASSERT_EQ(f.write("(I3)", {5}), FileStatus::ok);
    }
    {
      FolderMode readonly(dir(), fs::perms::owner_read | fs::perms::owner_exec);
      r = begun ? endparamsrewrite(f, file("a.par")) : beginparamsrewrite(f, file("a.par"));
    }
    EXPECT_EQ(r.status, ParamsStatus::write_failed);
    EXPECT_EQ(r.file, file("a.par"));
    EXPECT_EQ(r.problem, cp("brak prawa zapisu pliku"));
    EXPECT_EQ(readfile(file("a.par")), "old\n");
  }
}

}  // namespace
