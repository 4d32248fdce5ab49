// yyselectdir driven by the scripted user: a typed folder chosen, a folder
// reached through the list, cancel, the current directory put back or
// kept, and the three message boxes of a typed folder that does not exist.
#include <filesystem>

#include "toolkit/tests/winheadless.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wcomdlg.h"
#include "toolkit/window/wdialog.h"
#include "tools/testkit/display_log.h"

namespace tsd::testing {
namespace {

class Wselectdir : public WinHeadless {
 protected:
  void SetUp() override {
    WinHeadless::SetUp();
    startdir_ = std::filesystem::current_path();
    dir_ = wintemp("folders");
    std::filesystem::remove_all(dir_);
    for (const char* d : {"alfa", "beta", "beta/gamma"}) std::filesystem::create_directories(dir_ + "/" + d);
    std::ofstream(dir_ + "/plik.txt") << "1\n";
  }
  void TearDown() override {
    std::filesystem::current_path(startdir_);
    std::filesystem::remove_all(dir_);
    WinHeadless::TearDown();
  }
  // Runs the selection with the initial folder dir_; gives the folder argument back trimmed.
  std::string select(int mode, int flags, int& result, std::size_t length = 300) {
    std::string folder(length, ' ');
    assign(folder, dir_);
    yyselectdir(mode, result, flags, "Wybierz folder", folder);
    return std::string(trimmed(folder));
  }
  std::string log() const { return readfile(logpath_); }
  std::filesystem::path startdir_;
  std::string dir_;
};

TEST_F(Wselectdir, ATypedFolderIsChosenAndTheDirectoryPutBack) {
  start("screenshot \"" + wintemp("folder.png") + "\"\nfolder \"beta/gamma\"\n");
  int result = -1;
  EXPECT_EQ(select(kFolderMustExist, 0, result), dir_ + "/beta/gamma");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(quorba04.lastresult, 1);
  EXPECT_EQ(std::filesystem::current_path(), startdir_);
  const std::string l = log();
  EXPECT_NE(l.find("dialog shown: \"Wybierz folder\""), std::string::npos) << l;
  EXPECT_NE(l.find("folder dialog lists: folder \"" + dir_ + "\" folders: alfa, beta"), std::string::npos) << l;
}

TEST_F(Wselectdir, TheListOpensFoldersAndGoesUp) {
  // Into beta with the list, into gamma, up again with "..", then OK on the folder shown.
  start("button 1002\nkey Home\nkey Down\nkey Down\nkey Enter\n"
        "key Home\nkey Down\nkey Enter\nkey Home\nkey Enter\nbutton 1\n");
  int result = -1;
  EXPECT_EQ(select(kFolderMustExist, kFileKeepDirectory, result), dir_ + "/beta");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(dir_ + "/beta")) << "the folder is kept";
  const std::string l = log();
  EXPECT_NE(l.find("folder \"" + dir_ + "/beta/gamma\" folders: \n"), std::string::npos) << l;
}

TEST_F(Wselectdir, CancelLeavesTheFolderAlone) {
  start("folder cancel\n");
  int result = -1;
  EXPECT_EQ(select(kFolderMayCreate, 0, result), dir_);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(quorba04.lastresult, 0);
  EXPECT_EQ(infoerror(1), 0);
}

TEST_F(Wselectdir, AChosenFolderLongerThanTheArgumentIsCut) {
  start("folder \"beta/gamma\"\n");
  int result = -1;
  const std::size_t length = dir_.size() + 3;
  EXPECT_EQ(select(kFolderMustExist, 0, result, length), (dir_ + "/beta/gamma").substr(0, length));
}

TEST_F(Wselectdir, AFolderThatDoesNotExist) {
  struct Case {
    std::string name;
    int mode;
    std::string typed;
    std::string answers;   // script lines after the folder is typed
    std::string boxes;     // the boxes shown, in order, by title
    bool created;
    int result;
  };
  const Case cases[] = {
      {"refused", kFolderMustExist, "nowy", "msgbox OK\nfolder cancel\n", "Invalid Directory", false, 0},
      {"created", kFolderMayCreate, "nowy", "msgbox Yes\n", "Create Directory?", true, 1},
      {"not wanted", kFolderMayCreate, "nowy", "msgbox No\nfolder cancel\n", "Create Directory?", false, 0},
      {"cannot be made", kFolderMayCreate, "brak/nowy", "msgbox Yes\nmsgbox OK\nfolder cancel\n",
       "Create Directory?,Error", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    start("folder \"" + c.typed + "\"\n" + c.answers);
    int result = -1;
    const std::string chosen = select(c.mode, 0, result);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(std::filesystem::is_directory(dir_ + "/" + c.typed), c.created);
    EXPECT_EQ(chosen, c.result ? dir_ + "/" + c.typed : dir_);
    const std::string l = log();
    std::string titles;
    for (const testkit::LoggedBox& box : testkit::loggedboxes(l)) {
      titles += (titles.empty() ? "" : ",") + box.title;
    }
    EXPECT_EQ(titles, c.boxes);
    windowclose();
    plat::desktop_reset();
    std::remove(logpath_.c_str());
    std::filesystem::remove_all(dir_ + "/nowy");
  }
}

TEST_F(Wselectdir, TheBoxesSayWhatHappened) {
  start("folder \"nowy\"\nmsgbox OK\nfolder cancel\nfolder \"brak/x\"\nmsgbox Yes\nmsgbox OK\nfolder cancel\n");
  int result = -1;
  select(kFolderMustExist, 0, result);
  select(kFolderMayCreate, 0, result);
  const std::string l = log();
  for (const char* text : {"text \"The specified directory does not exist. Specify a valid directory.\"",
                           "text \"The specified directory does not exist. Do you wish to create it?\"",
                           "text \"An error occured creating the specified directory.\""}) {
    SCOPED_TRACE(text);
    EXPECT_NE(l.find(text), std::string::npos) << l;
  }
}

}  // namespace
}  // namespace tsd::testing
