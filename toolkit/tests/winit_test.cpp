// winitialise: start values of the records, the configuration file and the
// environment variables QUORINIT, QRBCHDIR and QUORDEBUG.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/display/display.h"
#include "toolkit/graphics/grrecords.h"
#include "text/cp1250.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/oswin.h"
#include "toolkit/window/records.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/winit.h"
#include "toolkit/window/wmessage.h"
#include "tools/testkit/temp_folder.h"

namespace tsd {
namespace {

template <std::size_t N>
std::string field(const char (&f)[N]) {
  return std::string(trimmed(text_of(f)));
}

// Each case runs in a fresh folder of its own as the current directory.
class WinInit : public testkit::InTempFolder {
 protected:
  void SetUp() override {
    InTempFolder::SetUp();
    unsetenv("QUORINIT");
    unsetenv("QRBCHDIR");
    unsetenv("QUORDEBUG");
    // A fresh start of the toolkit for each case.
    quorba01 = Quorba01{};
    tkfiles = TkFiles{};
    tkdevices = TkDevices{};
    tkunits = TkUnits{};
    errstate = ErrState{};
    std::string error;
    ASSERT_TRUE(plat::display_open("headless", &error)) << error;
  }
  void TearDown() override {
    unsetenv("QUORINIT");
    unsetenv("QRBCHDIR");
    unsetenv("QUORDEBUG");
    InTempFolder::TearDown();
  }
  void write(const std::string& name, const std::string& text) { std::ofstream(dir() / name) << text; }
};

TEST_F(WinInit, DefaultsWithoutFileOrEnvironment) {
  winitialise("        ");
  EXPECT_EQ(quorba01.guard, -9999);
  EXPECT_EQ(quorba01.open, 0);
  EXPECT_EQ(quorba01.screenwidth, 1024);
  EXPECT_EQ(quorba01.screenheight, 768);
  EXPECT_EQ(quorba01.colours, 1 << 24) << "a true-colour display, bits capped at 24";
  EXPECT_EQ(grdevice.requested, 256) << "device colours of a display with more than 256 colours";
  EXPECT_FLOAT_EQ(grstate.aspect, 1.32f);
  EXPECT_EQ(quorba04.currentdialog, 0);
  EXPECT_EQ(quorba05.separator, '/');
  EXPECT_EQ(field(tkfiles.plotfile), "plandrox.plt");
  EXPECT_EQ(field(tkfiles.charset), "standard.chr");
  EXPECT_EQ(field(tkfiles.chardir), "");
  EXPECT_EQ(field(tkfiles.sysdir), "/usr/lib/");
  EXPECT_EQ(tkfiles.plotfile[159], ' ') << "fields are blank-padded";
  EXPECT_EQ(tkdevices.device, 454);
  EXPECT_EQ(tkdevices.printer, 0);
  EXPECT_EQ(tkdevices.plotter, 0);
  EXPECT_EQ(tkdevices.one, 1);
  EXPECT_EQ(tkunits.general, 40);
  EXPECT_EQ(tkunits.plotout, 41);
  EXPECT_EQ(tkunits.plotin, 42);
  EXPECT_EQ(errstate.code, 0);
  EXPECT_EQ(errstate.debug_level, 0);
  int flag = -1;
  yyinfomessage(5, flag);
  EXPECT_EQ(flag, 0);
  yyinfomessage(13, flag);
  EXPECT_EQ(flag, 1);
}

TEST_F(WinInit, QuorbaIniInTheCurrentDirectory) {
  write("quorba.ini",
        "; toolkit settings\n"
        "charset = roman.chr  old\n"
        "PLNAME=wykres.plt\n"
        "CHARDIR=/usr/share/tsd\n"
        "PRINTER=3\n"
        "PLOTTER=x7\n"
        "=nothing\n"
        "DEBUG=\n"
        "DEBUG=7\n"
        "LFNGEN=50\n"
        "PL=1\n");
  winitialise("        ");
  EXPECT_EQ(field(tkfiles.charset), "roman.chr");
  EXPECT_EQ(field(tkfiles.plotfile), "wykres.plt");
  EXPECT_EQ(field(tkfiles.chardir), "/usr/share/tsd/") << "the separator is appended";
  EXPECT_EQ(tkdevices.printer, 3);
  EXPECT_EQ(tkdevices.plotter, 0) << "not an integer: unchanged";
  EXPECT_EQ(errstate.debug_level, 0) << "DEBUG 7 is refused";
  EXPECT_EQ(tkunits.general, 40) << "a unit is taken only when it equals the two others";
  EXPECT_EQ(errstate.code, 0) << "reading the file leaves no error code behind";
}

TEST_F(WinInit, NamedFileBeforeQuorinitBeforeQuorbaIni) {
  write("quorba.ini", "PLNAME=ini.plt\n");
  write("other.ini", "PLNAME=other.plt\n");
  write("named.ini", "PLNAME=named.plt\nCHARDIR=/fonts/\n");
  setenv("QUORINIT", (dir() / "other.ini").c_str(), 1);
  winitialise("named.ini    ");
  EXPECT_EQ(field(tkfiles.plotfile), "named.plt");
  EXPECT_EQ(field(tkfiles.chardir), "/fonts/") << "a directory ending with the separator stays";
}

TEST_F(WinInit, QuorinitWhenTheNamedFileIsMissing) {
  write("quorba.ini", "PLNAME=ini.plt\n");
  write("other.ini", "PLNAME=other.plt\n");
  setenv("QUORINIT", (dir() / "other.ini").c_str(), 1);
  winitialise("missing.ini");
  EXPECT_EQ(field(tkfiles.plotfile), "other.plt");
}

// A named pipe (nobody writes to it) or a folder under the file's name is
// no configuration file: the start goes on at once as without the file.
TEST_F(WinInit, APipeOrAFolderInPlaceOfTheFileIsAMissingFile) {
  ASSERT_EQ(mkfifo((dir() / "quorba.ini").c_str(), 0644), 0);
  ASSERT_EQ(mkfifo((dir() / "named.ini").c_str(), 0644), 0);
  std::filesystem::create_directory(dir() / "folder.ini");
  for (const char* name : {"quorba.ini", "named.ini", "folder.ini"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(yyconfigfileexists(name));
    EXPECT_FALSE(yyapplyconfigfile(name));
  }
  write("other.ini", "PLNAME=other.plt\n");
  setenv("QUORINIT", (dir() / "other.ini").c_str(), 1);
  winitialise("named.ini");
  EXPECT_EQ(field(tkfiles.plotfile), "other.plt") << "the next file is taken, as for a missing one";
  quorba01 = Quorba01{};
  setenv("QUORINIT", "folder.ini", 1);
  winitialise("    ");
  EXPECT_EQ(field(tkfiles.plotfile), "plandrox.plt") << "no file: the start values";
  EXPECT_EQ(errstate.code, 0);
  EXPECT_EQ(std::filesystem::status(dir() / "quorba.ini").type(), std::filesystem::file_type::fifo);
}

TEST_F(WinInit, EnvironmentDirectoryAndDebugLevel) {
  setenv("QRBCHDIR", "/opt/chr", 1);
  setenv("QUORDEBUG", "3", 1);
  winitialise(" ");
  EXPECT_EQ(field(tkfiles.chardir), "/opt/chr/");
  EXPECT_EQ(errstate.debug_level, 3);
}

TEST_F(WinInit, DebugLevelIsTheFirstCharacterOfQuordebug) {
  const struct {
    const char* value;
    int level;
  } cases[] = {{"34", 3}, {"2x", 2}, {"7", 0}, {" 3", 0}, {"", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("QUORDEBUG=\"") + c.value + "\"");
    quorba01 = Quorba01{};
    errstate = ErrState{};
    setenv("QUORDEBUG", c.value, 1);
    winitialise(" ");
    EXPECT_EQ(errstate.debug_level, c.level);
  }
}

TEST_F(WinInit, LongEnvironmentNamesAreUsedWhole) {
  // A configuration file and a character-set directory deep in folders.
  std::filesystem::path deep = dir();
  while (deep.string().size() < 200) deep /= "katalog_z_dluga_nazwa";
  std::filesystem::create_directories(deep);
  std::ofstream(deep / "quorba.ini") << "PLNAME=deep.plt\n";
  const std::string ini = (deep / "quorba.ini").string();
  ASSERT_GT(ini.size(), 160u);
  setenv("QUORINIT", ini.c_str(), 1);
  setenv("QRBCHDIR", deep.c_str(), 1);
  winitialise(" ");
  EXPECT_EQ(field(tkfiles.plotfile), "deep.plt") << "the configuration file was read";
  EXPECT_EQ(field(tkfiles.chardir), deep.string() + "/") << "the whole directory and its separator";
  EXPECT_EQ(infoerror(1), 0);
}

TEST_F(WinInit, ADirectoryLongerThanAnyHostPathIsRefused) {
  const std::string huge = "/" + std::string(sizeof tkfiles.chardir + 10, 'k');
  setenv("QRBCHDIR", huge.c_str(), 1);
  winitialise(" ");
  EXPECT_EQ(field(tkfiles.chardir), "") << "never cut to a name of another directory";
  EXPECT_EQ(infoerror(1), kErrFileOpen);
}

TEST_F(WinInit, SecondCallReadsNothing) {
  winitialise(" ");
  write("quorba.ini", "PLNAME=late.plt\n");
  setenv("QUORDEBUG", "2", 1);
  winitialise(" ");
  EXPECT_EQ(field(tkfiles.plotfile), "plandrox.plt");
  EXPECT_EQ(errstate.debug_level, 0);
}

TEST_F(WinInit, LongCharacterDirectoryIsNeverWrittenPastItsField) {
  const std::string longdir = "/" + std::string(150, 'd');
  write("quorba.ini", "CHARDIR=" + longdir + "\n");
  winitialise(" ");
  EXPECT_EQ(std::string(tkfiles.chardir, 140), longdir.substr(0, 140));
  EXPECT_EQ(field(tkfiles.chardir), longdir + "/") << "the whole directory, never cut, and its separator";
}

// Names with Polish letters in the file (UTF-8, as every file on disk) are
// held in the code page, like the same folder given through QRBCHDIR, so
// the file layer finds them.
TEST_F(WinInit, PolishNamesInTheFileAreFoundLikeThoseOfTheEnvironment) {
  const std::filesystem::path fonts = dir() / "czcionki_żółć";
  std::filesystem::create_directories(fonts);
  std::ofstream(fonts / "łódź.chr") << "font";
  write("quorba.ini", "CHARDIR=" + fonts.string() + "\nCHARSET=łódź.chr\nPLNAME=wykres_ąę.plt\n");
  winitialise(" ");
  const struct {
    const char* key;
    std::string got;
    std::string want;
  } cases[] = {
      {"CHARDIR", field(tkfiles.chardir), cp(fonts.string() + "/")},
      {"CHARSET", field(tkfiles.charset), cp("łódź.chr")},
      {"PLNAME", field(tkfiles.plotfile), cp("wykres_ąę.plt")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(c.got, c.want) << "the value in the code page";
  }
  // The font file opens through the file layer the font loader reads with.
  const std::string font = field(tkfiles.chardir) + field(tkfiles.charset);
  int handle = -1, status = -1;
  xxopen(font.c_str(), 0, handle, status);
  EXPECT_EQ(status, 0) << "the font in the folder named by the file";
  if (handle != -1) xxclos(handle);
  // The same folder through the environment gives the same field.
  const std::string fromfile = field(tkfiles.chardir);
  quorba01 = Quorba01{};
  std::filesystem::remove(dir() / "quorba.ini");
  setenv("QRBCHDIR", fonts.c_str(), 1);
  winitialise(" ");
  EXPECT_EQ(field(tkfiles.chardir), fromfile);
}

}  // namespace
}  // namespace tsd

namespace tsd {
namespace {

struct ApplyCase {
  const char* what;
  const char* line;
  int printer;
  int plotter;
  int debug;
  const char* charset;
};

TEST(WinConfigApply, TableOfSettings) {
  const ApplyCase cases[] = {
      {"printer", "PRINTER=3", 3, 0, 0, "standard.chr"},
      {"printer not an integer", "PRINTER=three", 0, 0, 0, "standard.chr"},
      {"printer with sign", "printer = -2", -2, 0, 0, "standard.chr"},
      {"plotter", "PLOTTER=12 x", 0, 12, 0, "standard.chr"},
      {"key compared on 8 characters", "PRINTERS=5", 0, 0, 0, "standard.chr"},
      {"key of 2 characters ignored", "PR=5", 0, 0, 0, "standard.chr"},
      {"unknown key", "COLOURS=5", 0, 0, 0, "standard.chr"},
      {"debug 4", "DEBUG=4", 0, 0, 4, "standard.chr"},
      {"debug 7 ignored", "DEBUG=7", 0, 0, 0, "standard.chr"},
      {"debug -1 ignored", "DEBUG=-1", 0, 0, 0, "standard.chr"},
      {"charset with tab", "CHARSET\t=\tgothic.chr", 0, 0, 0, "gothic.chr"},
      {"number as a file name", "CHARSET=12", 0, 0, 0, "12"},
      {"empty value", "CHARSET=", 0, 0, 0, "standard.chr"},
  };
  for (const ApplyCase& c : cases) {
    SCOPED_TRACE(c.what);
    tkdevices = TkDevices{};
    errstate = ErrState{};
    assign(tkfiles.charset, "standard.chr");
    yyapplyconfigline(c.line);
    EXPECT_EQ(tkdevices.printer, c.printer);
    EXPECT_EQ(tkdevices.plotter, c.plotter);
    EXPECT_EQ(errstate.debug_level, c.debug);
    EXPECT_EQ(std::string(trimmed(text_of(tkfiles.charset))), c.charset);
    EXPECT_EQ(errstate.code, 0) << "no error code left behind";
  }
}

}  // namespace
}  // namespace tsd
