// The open and save dialogs driven by the scripted user: only files
// matching the chosen patterns are listed (case ignored), the chosen path
// comes back, cancel gives extended error 0, the prompts, the default
// extension and a buffer too small.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <filesystem>

#include "platform/comdlg/comdlg.h"
#include "platform/gdi/surface_png.h"
#include "platform/tests/dlg_test_support.h"
#include "text/cp1250.h"
#include "tools/testkit/picture_output.h"
#include "tools/testkit/surface_pixels.h"

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
    return open_at(script, dir_ + "/", flags, save, def_ext);
  }
  // A dialog whose initial name is `initial` (code page 1250).
  BOOL open_at(const std::string& script, const std::string& initial, DWORD flags, bool save = false,
               const char* def_ext = nullptr) {
    use_script(script);
    std::memset(file_, 0, sizeof file_);
    std::memcpy(file_, initial.data(), std::min(initial.size(), sizeof file_ - 1));
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

// The first file chosen with the keyboard in the list: the picture shows
// the dialog's caption and, below it, that one row in the highlight with
// its name in it; Enter opens it.
TEST_F(FileDialogTest, Screenshot) {
  std::string shot = tsd::testkit::shotoutput("dialog_shots", "comdlg_open.png");
  std::remove(shot.c_str());
  ASSERT_TRUE(open("button 1120\nkey Down\nscreenshot \"" + shot + "\"\nkey Enter\n", OFN_NOCHANGEDIR));
  EXPECT_EQ(std::string(file_), dir_ + "/a.dat");
  Surface s;
  ASSERT_TRUE(ReadSurfacePng(shot, &s)) << shot;
  const std::uint32_t hot = tsd::testkit::syscolour(COLOR_HIGHLIGHT);
  const RECT caption = tsd::testkit::topband(s, tsd::testkit::syscolour(COLOR_ACTIVECAPTION), 200);
  ASSERT_GT(caption.bottom, caption.top) << "the dialog's caption";
  const RECT row = tsd::testkit::boundsof(s, hot, RECT{caption.left, caption.bottom, caption.right, s.height});
  EXPECT_GE(row.bottom - row.top, 10) << tsd::testkit::describe(row);
  EXPECT_LE(row.bottom - row.top, 20) << "one row: " << tsd::testkit::describe(row);
  EXPECT_GT(row.right - row.left, 100) << "across the list";
  EXPECT_LT(row.right, (caption.left + caption.right) / 2) << "the file list, left of the folders";
  EXPECT_GT(tsd::testkit::countother(s, hot, row), 10) << "the file's name in the row";
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
  ASSERT_TRUE(open("button 1120\nkey Home\nkey Shift+Down\nkey Enter\n",
                   OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_NOCHANGEDIR));
  // The file list is an extended-selection list: Shift+Down extends.
  std::string first(file_);
  EXPECT_EQ(first, dir_);
  std::string second(file_ + first.size() + 1);
  std::string third(file_ + first.size() + second.size() + 2);
  EXPECT_EQ(second, "a.dat");
  EXPECT_EQ(third, "B.TXT");
  // Two selected, then the caret's one taken away again: the one left
  // selected is the name, not the entry under the caret.
  restart();
  ASSERT_TRUE(open("button 1120\nkey Home\nkey Shift+Down\nkey Ctrl+Space\nkey Enter\n",
                   OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_NOCHANGEDIR));
  EXPECT_EQ(std::string(file_), dir_ + "/a.dat");
}

// Names as the programs hold them (code page 1250) from UTF-8 literals.
using tsd::cp;

class PolishNamesTest : public FileDialogTest {
 protected:
  void SetUp() override {
    FileDialogTest::SetUp();
    polish_ = dir_ + "/łódź";  // UTF-8 on the disk
    std::filesystem::create_directories(polish_ + "/Środa");
    for (const char* n : {"żółć.dat", "sample.dat", "日本.dat"}) std::ofstream(polish_ + "/" + n) << "2\n";
  }
  void TearDown() override {
    std::filesystem::remove_all(polish_);
    FileDialogTest::TearDown();
  }
  std::string polish_;
};

TEST_F(PolishNamesTest, AFolderAndAFileWithPolishLettersAreListedAndOpened) {
  const struct {
    const char* how;
    const char* script;
  } ways[] = {
      {"typed", "file \"żółć.dat\"\n"},
      {"picked from the list", "button 1120\nkey End\nkey Enter\n"},
  };
  for (const auto& w : ways) {
    SCOPED_TRACE(w.how);
    restart();
    ASSERT_TRUE(open_at(w.script, cp(polish_ + "/"), OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR)) << log();
    EXPECT_EQ(std::string(file_), cp(polish_ + "/żółć.dat")) << "the code page's bytes, converted once";
    EXPECT_TRUE(std::filesystem::exists(text::utf8_from_cp1250(file_))) << "the host's name of the choice exists";
    const std::string l = log();
    EXPECT_NE(l.find("folder \"" + polish_ + "\" pattern \"*.dat; *.prn; *.txt\" files: sample.dat, \xef\xbf\xbd\xef\xbf\xbd.dat, żółć.dat\n"),
              std::string::npos)
        << l;
  }
  // A Polish folder typed opens it, ".." goes back, then the file typed;
  // the chosen file's folder becomes the current one.
  restart();
  ASSERT_TRUE(open_at("file \"Środa\"\nfile \"..\"\nfile \"sample.dat\"\n", cp(polish_ + "/"), 0))
      << log();
  EXPECT_EQ(std::string(file_), cp(polish_ + "/sample.dat"));
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  EXPECT_EQ(std::string(cwd), polish_) << "the chosen file's folder is made current";
  EXPECT_NE(log().find("folder \"" + polish_ + "/Środa\""), std::string::npos) << log();
}

TEST_F(PolishNamesTest, ANameWithCharactersTheCodePageLacksIsRefusedInWords) {
  // Typed: "mañana" (n with tilde) is no pattern and no name; nothing is saved.
  EXPECT_FALSE(open_at("file \"mañana.dat\"\nmsgbox \"OK\"\nfile cancel\n", cp(polish_ + "/"), OFN_OVERWRITEPROMPT, true));
  std::string l = log();
  EXPECT_NE(l.find("message box shown"), std::string::npos) << l;
  EXPECT_NE(l.find("cannot be used"), std::string::npos) << l;
  EXPECT_EQ(l.find("pattern \"ma"), std::string::npos) << "not taken as a filter pattern: " << l;
  // From the disk: "日本.dat" is listed with stand-ins (sorting between
  // the letters and the Polish ones), and picking it is refused in the
  // same words rather than opening nothing.
  restart();
  EXPECT_FALSE(open_at("button 1120\nkey Home\nkey Down\nkey Enter\nmsgbox \"OK\"\nfile cancel\n", cp(polish_ + "/"),
                   OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR));
  l = log();
  EXPECT_NE(l.find("files: sample.dat, \xef\xbf\xbd\xef\xbf\xbd.dat, żółć.dat\n"), std::string::npos) << l;
  EXPECT_NE(l.find("cannot be used"), std::string::npos) << l;
  EXPECT_EQ(l.find("File not found"), std::string::npos) << l;
}

TEST_F(PolishNamesTest, TheFolderDialogListsAndChoosesPolishFolders) {
  use_script("field 1001 \"Środa\"\nbutton 1\n");
  char chosen[512] = {};
  const std::string start = cp(polish_);
  FOLDERDIALOGA fd;
  fd.hwndOwner = main_window();
  fd.lpstrInitialDir = start.c_str();
  fd.lpstrFolder = chosen;
  fd.nMaxFolder = sizeof chosen;
  fd.Flags = FDF_NOCHANGEDIR;
  ASSERT_TRUE(SelectFolderA(&fd)) << log();
  EXPECT_EQ(std::string(chosen), cp(polish_ + "/Środa"));
  EXPECT_NE(log().find("folder dialog lists: folder \"" + polish_ + "\" folders: Środa\n"), std::string::npos) << log();
  // A typed folder name the code page cannot hold is refused in words.
  restart();
  use_script("field 1001 \"mañana\"\nbutton 1\nmsgbox \"OK\"\nbutton 2\n");
  fd.hwndOwner = main_window();
  EXPECT_FALSE(SelectFolderA(&fd));
  EXPECT_NE(log().find("cannot be used"), std::string::npos) << log();
}

TEST_F(FileDialogTest, AFolderThatDoesNotExistOpensTheCurrentOne) {
  ASSERT_EQ(chdir(dir_.c_str()), 0);
  const struct {
    const char* what;
    std::string initial_dir, initial_name;
  } cases[] = {
      {"initial directory", dir_ + "/brak/nic", "a.dat"},
      {"the initial name's folder", "", dir_ + "/brak/a.dat"},
      {"both", dir_ + "/brak", "/nie/ma/a.dat"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    restart();
    use_script("file \"c.prn\"\n");
    std::memset(file_, 0, sizeof file_);
    std::memcpy(file_, c.initial_name.data(), c.initial_name.size());
    OPENFILENAMEA o;
    o.hwndOwner = main_window();
    o.lpstrFilter = kFilter;
    o.lpstrFile = file_;
    o.nMaxFile = sizeof file_;
    o.lpstrInitialDir = c.initial_dir.empty() ? nullptr : c.initial_dir.c_str();
    o.Flags = OFN_NOCHANGEDIR;
    ASSERT_TRUE(GetOpenFileNameA(&o)) << log();
    EXPECT_EQ(std::string(file_), dir_ + "/c.prn");
    EXPECT_NE(log().find("folder \"" + dir_ + "\" pattern \"*.dat; *.prn; *.txt\" files: a.dat, B.TXT, c.prn, e.Dat\n"),
              std::string::npos)
        << log();
  }
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
