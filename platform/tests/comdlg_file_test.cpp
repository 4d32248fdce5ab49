// The open and save dialogs driven by the scripted user: only files
// matching the chosen patterns are listed (case ignored), the chosen path
// comes back, cancel gives extended error 0, the prompts, the default
// extension and a buffer too small.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "platform/comdlg/comdlg.h"
#include "platform/tests/dlg_test_support.h"

namespace plat::testing {
namespace {

const char kFilter[] = "Plik danych (*.dat, *.prn, *.txt)\0*.dat; *.prn; *.txt\0Wszystkie\0*.*\0";

class FileDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    dir_ = unique_temp("files");
    mkdir(dir_.c_str(), 0755);
    mkdir((dir_ + "/sub").c_str(), 0755);
    for (const char* n : {"a.dat", "B.TXT", "c.prn", "d.doc", "e.Dat"}) {
      FILE* f = std::fopen((dir_ + "/" + n).c_str(), "w");
      if (f) std::fclose(f);
    }
    char cwd[4096];
    cwd_ = getcwd(cwd, sizeof cwd) ? cwd : "/";
  }
  void TearDown() override {
    if (chdir(cwd_.c_str()) != 0) ADD_FAILURE() << "could not go back to " << cwd_;
    for (const char* n : {"a.dat", "B.TXT", "c.prn", "d.doc", "e.Dat", "new.dat"}) std::remove((dir_ + "/" + n).c_str());
    rmdir((dir_ + "/sub").c_str());
    rmdir(dir_.c_str());
    DialogTest::TearDown();
  }
  BOOL open(const std::string& script, DWORD flags, bool save = false, const char* def_ext = nullptr) {
    use_script(script);
    std::memset(file_, 0, sizeof file_);
    std::string init = dir_ + "/";
    std::memcpy(file_, init.data(), init.size());
    OPENFILENAMEA o;
    o.hwndOwner = main_window();
    o.lpstrFilter = kFilter;
    o.nFilterIndex = 1;
    o.lpstrFile = file_;
    o.nMaxFile = sizeof file_;
    o.Flags = flags;
    o.lpstrDefExt = def_ext;
    ofn_ = o;
    return save ? GetSaveFileNameA(&ofn_) : GetOpenFileNameA(&ofn_);
  }
  std::string dir_, cwd_;
  char file_[512];
  OPENFILENAMEA ofn_;
};

TEST_F(FileDialogTest, ListsOnlyMatchingFilesAndReturnsTheChosenPath) {
  ASSERT_TRUE(open("file \"c.prn\"\n", OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR));
  EXPECT_EQ(std::string(file_), dir_ + "/c.prn");
  EXPECT_EQ(std::string(file_ + ofn_.nFileOffset), "c.prn");
  EXPECT_EQ(ofn_.nFilterIndex, 1u);
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  std::string l = log();
  EXPECT_NE(l.find("files: a.dat, B.TXT, c.prn, e.Dat\n"), std::string::npos) << "d.doc is not listed:\n" << l;
  EXPECT_NE(l.find("dialog shown: \"Select File\""), std::string::npos) << l;
}

TEST_F(FileDialogTest, Screenshot) {
  const char* d = std::getenv("TSD_SHOT_DIR");
  std::string shot = (d ? std::string(d) + "/" : ::testing::TempDir()) + "comdlg_open.png";
  std::remove(shot.c_str());
  ASSERT_TRUE(open("button 1120\nkey Down\nscreenshot \"" + shot + "\"\nkey Enter\n", OFN_NOCHANGEDIR));
  EXPECT_FALSE(readfile(shot).empty()) << shot;
}

TEST_F(FileDialogTest, CancelGivesFalseAndExtendedErrorZero) {
  EXPECT_FALSE(open("file cancel\n", 0));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_EQ(std::string(file_), dir_ + "/") << "the name is left alone";
}

TEST_F(FileDialogTest, FilterBoxAndTypedPatternChangeTheList) {
  // The second filter lists everything; a typed pattern lists its matches.
  ASSERT_TRUE(open("button 1136\nkey Down\nkey Enter\nfile \"*.DAT\"\nfile \"sub\"\nfile \"x.dat\"\n", OFN_NOCHANGEDIR));
  EXPECT_EQ(std::string(file_), dir_ + "/sub/x.dat") << "a folder name typed opens the folder";
  std::string l = log();
  EXPECT_NE(l.find("pattern \"*.*\" files: a.dat, B.TXT, c.prn, d.doc, e.Dat\n"), std::string::npos) << l;
  EXPECT_NE(l.find("pattern \"*.DAT\" files: a.dat, e.Dat\n"), std::string::npos) << l;
  EXPECT_EQ(ofn_.nFilterIndex, 2u);
}

TEST_F(FileDialogTest, CreatePromptAndFileMustExist) {
  // Open with create prompt: No keeps the dialog, Yes accepts the new name.
  ASSERT_TRUE(open("file \"new.dat\"\nmsgbox \"No\"\nfile \"new2.dat\"\nmsgbox \"Yes\"\n", OFN_CREATEPROMPT | OFN_NOCHANGEDIR));
  EXPECT_EQ(std::string(file_), dir_ + "/new2.dat");
  restart();
  // Without it, a missing file with "file must exist" is refused with a message.
  EXPECT_FALSE(open("file \"none.dat\"\nmsgbox \"OK\"\nfile cancel\n", OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR));
  EXPECT_NE(log().find("File not found."), std::string::npos);
}

TEST_F(FileDialogTest, SaveAsksBeforeOverwritingAndAddsTheFilterExtension) {
  ASSERT_TRUE(open("file \"a\"\nmsgbox \"No\"\nfile \"fresh\"\n", OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR, true, ""));
  EXPECT_EQ(std::string(file_), dir_ + "/fresh.dat") << "\"a\" became a.dat, which exists: No; then fresh.dat";
  EXPECT_NE(log().find("already exists"), std::string::npos);
}

TEST_F(FileDialogTest, MultipleSelectionGivesFolderAndNames) {
  ASSERT_TRUE(open("button 1120\nkey Home\nkey Space\nkey Down\nkey Space\nkey Enter\n",
                   OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_NOCHANGEDIR));
  // The file list takes Space to select in a multiple-selection list.
  std::string first(file_);
  EXPECT_EQ(first, dir_);
  std::string second(file_ + first.size() + 1);
  std::string third(file_ + first.size() + second.size() + 2);
  EXPECT_EQ(second, "a.dat");
  EXPECT_EQ(third, "B.TXT");
}

TEST_F(FileDialogTest, TooSmallBufferIsReportedNotCut) {
  use_script("file \"c.prn\"\n");
  char small[8] = {};
  OPENFILENAMEA o;
  o.lpstrFilter = kFilter;
  o.lpstrFile = small;
  o.nMaxFile = sizeof small;
  o.lpstrInitialDir = dir_.c_str();
  o.Flags = OFN_NOCHANGEDIR;
  EXPECT_FALSE(GetOpenFileNameA(&o));
  EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
}

}  // namespace
}  // namespace plat::testing
