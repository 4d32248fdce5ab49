// wselectfile2: the filter text turned into filter pairs, and the open and
// save dialogs driven by the scripted user: a file chosen and a selection
// cancelled (winfodialog item 4), the initial directory and name, the
// filter index, the default title and the directory rules.
#include <unistd.h>

#include <filesystem>

#include "toolkit/tests/winheadless.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wcomdlg.h"
#include "toolkit/window/wdialog.h"

namespace tsd::testing {
namespace {

TEST(WcomdlgFilter, TheLastCharacterIsTheSeparator) {
  using namespace std::string_literals;
  struct Case {
    std::string filter;
    std::string pairs;
  };
  const Case cases[] = {
      {"Plik danych (*.dat, *.prn, *.txt)|*.dat; *.prn; *.txt|   ",
       "Plik danych (*.dat, *.prn, *.txt)\0*.dat; *.prn; *.txt\0\0"s},
      {"Dane|x (*.dat)#*.dat#Wszystkie#*.*#", "Dane|x (*.dat)\0*.dat\0Wszystkie\0*.*\0\0"s},
      {"      ", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    EXPECT_EQ(yyfilterpairs(c.filter), c.pairs);
  }
  EXPECT_EQ(yyfilterpairs(std::string(300, 'a') + "|").size(), 256u) << "at most 255 characters are used";
}

class WcomdlgFile : public WinHeadless {
 protected:
  void SetUp() override {
    WinHeadless::SetUp();
    startdir_ = std::filesystem::current_path();
    dir_ = wintemp("files");
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    for (const char* f : {"a.dat", "b.txt", "c.xyz"}) std::ofstream(dir_ + "/" + f) << "1\n";
  }
  void TearDown() override {
    std::filesystem::current_path(startdir_);
    std::filesystem::remove_all(dir_);
    WinHeadless::TearDown();
  }
  std::string log() const { return readfile(logpath_); }
  std::filesystem::path startdir_;
  std::string dir_;
};

const char* kDataFilter = "Plik danych (*.dat, *.prn, *.txt)|*.dat; *.prn; *.txt|Wszystkie (*.*)|*.*|";

TEST_F(WcomdlgFile, AChosenFileComesBackAndTheDirectoryIsPutBack) {
  start("file \"b.txt\"\n");
  std::string name = padded(dir_ + "/a.dat", 200);
  int index = 1;
  wselectfile2(kDataFilter, 0, name, "Czytanie danych", index);
  EXPECT_EQ(winfodialog(4), 1) << log();
  EXPECT_EQ(winfodialog(2), 0);
  EXPECT_EQ(infoerror(1), 0);
  EXPECT_EQ(std::string(trimmed(name)), dir_ + "/b.txt");
  EXPECT_EQ(name.size(), 200u) << "the argument keeps its length";
  EXPECT_EQ(index, 1);
  EXPECT_EQ(std::filesystem::current_path(), startdir_) << "the current directory is restored";
  const std::string l = log();
  EXPECT_NE(l.find("window shown: \"Czytanie danych\""), std::string::npos) << l;
  EXPECT_NE(l.find("folder \"" + dir_ + "\""), std::string::npos) << "the initial directory: " << l;
  EXPECT_NE(l.find("pattern \"*.dat; *.prn; *.txt\""), std::string::npos) << l;
  EXPECT_EQ(l.find("c.xyz"), std::string::npos) << "the filter hides other files: " << l;
}

TEST_F(WcomdlgFile, ACancelledSelectionLeavesTheNameAlone) {
  start("file cancel\n");
  std::string name = padded(dir_ + "/a.dat", 120);
  const std::string before = name;
  wselectfile2(kDataFilter, 0, name, " ");
  EXPECT_EQ(winfodialog(4), 0);
  EXPECT_EQ(name, before);
  EXPECT_EQ(infoerror(1), 0) << "a cancel is no failure";
  EXPECT_NE(log().find("window shown: \"Select File\""), std::string::npos) << "a blank title: " << log();
}

TEST_F(WcomdlgFile, TheFilterIndexGoesInAndComesOut) {
  start("file \"c.xyz\"\n");
  std::string name = padded(dir_ + "/", 200);
  int index = 2;
  wselectfile2(kDataFilter, 0, name, "Wybierz", index);
  EXPECT_EQ(winfodialog(4), 1) << log();
  EXPECT_EQ(index, 2);
  EXPECT_EQ(std::string(trimmed(name)), dir_ + "/c.xyz") << "the second filter shows every file";
}

TEST_F(WcomdlgFile, KeepingTheDirectoryTheUserWentTo) {
  start("file \"a.dat\"\n");
  std::string name = padded(dir_ + "/", 200);
  wselectfile2(kDataFilter, kFileKeepDirectory, name, "Czytanie danych");
  EXPECT_EQ(winfodialog(4), 1) << log();
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(dir_));
}

TEST_F(WcomdlgFile, AnInitialNameWithoutDirectoryOpensTheCurrentOne) {
  std::filesystem::current_path(dir_);
  start("file \"b.txt\"\n");
  // The field holds the chosen path whatever the temporary folder's length.
  std::string name = padded("a.dat", dir_.size() + 100);
  wselectfile2(kDataFilter, 0, name, "Czytanie danych");
  EXPECT_EQ(winfodialog(4), 1) << log();
  EXPECT_NE(log().find("folder \"" + dir_ + "\""), std::string::npos) << log();
  EXPECT_EQ(std::string(trimmed(name)), dir_ + "/b.txt");
}

TEST_F(WcomdlgFile, AFolderThatDoesNotExistOpensTheCurrentOne) {
  std::filesystem::current_path(dir_);
  start("file \"b.txt\"\n");
  std::string name = padded(dir_ + "/brak/podfolder/a.dat", dir_.size() + 100);
  wselectfile2(kDataFilter, 0, name, "Czytanie danych");
  EXPECT_EQ(winfodialog(4), 1) << log();
  EXPECT_NE(log().find("folder \"" + dir_ + "\" pattern"), std::string::npos) << "not an empty, missing folder: " << log();
  EXPECT_EQ(std::string(trimmed(name)), dir_ + "/b.txt");
}

TEST_F(WcomdlgFile, ASaveDialogWithDefaultExtension) {
  start("file \"nowy\"\n");
  std::string name = padded(dir_ + "/", 200);
  int index = 1;
  wselectfile2("Raport (*.txt)|*.txt|", kFileSave | kFileDefaultExt, name, "Zapis", index);
  EXPECT_EQ(winfodialog(4), 1) << log();
  EXPECT_EQ(std::string(trimmed(name)), dir_ + "/nowy.txt");
}

// No name is cut: a chosen path longer than the argument leaves it as it
// was and says so, and an initial path of any length opens its folder.
TEST_F(WcomdlgFile, AChoiceLongerThanTheArgumentIsRefusedNotCut) {
  start("file \"bardzo_dluga_nazwa.dat\"\n");
  std::string name = padded(dir_ + "/a.dat", dir_.size() + 10);
  const std::string before = name;
  wselectfile2(kDataFilter, 0, name, "Czytanie danych");
  EXPECT_EQ(winfodialog(4), 0) << log();
  EXPECT_EQ(name, before);
  EXPECT_EQ(infoerror(3), kFileChoiceTooLong);
  EXPECT_EQ(infoerror(1), kErrCommonDialog);
}

TEST_F(WcomdlgFile, ALongInitialPathOpensItsFolder) {
  const std::string deep = dir_ + "/" + std::string(200, 'd') + "/" + std::string(200, 'e');
  std::filesystem::create_directories(deep);
  start("file cancel\n");
  std::string name = padded(deep + "/a.dat", deep.size() + 100);
  wselectfile2(kDataFilter, 0, name, "Czytanie danych");
  EXPECT_NE(log().find("folder \"" + deep + "\" pattern"), std::string::npos) << log();
}

}  // namespace
}  // namespace tsd::testing
