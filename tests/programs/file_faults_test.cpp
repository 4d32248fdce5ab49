// Every program run against the files a lab machine has besides plain
// ones: named pipes named like data, report and printer files, a shared
// parameter file reached through a link, a read-only parameter file, a
// program killed in the middle of a table's write, a full disk under a new
// file, a print queue that does not answer, paths longer than the host
// takes, and a close request while a menu is left open. In each the old
// file is kept, the user is told, and the program goes on.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "resources/mokrin/mokrin_ids.h"
#include "resources/varnel1/varnel1_ids.h"
#include "resources/varnel2/varnel2_ids.h"
#include "tools/testkit/display_log.h"
#include "tools/testkit/program_run.h"
#include "tools/testkit/small_disk.h"
#include "tools/testkit/syscall_stop.h"

namespace tsd::testing {
namespace {

namespace fs = std::filesystem;

struct Program {
  const char* name;
  const char* parfile;
  int readdata;           // reads a measured data file through the open dialog
  const char* afterdata;  // script lines that make table 1 saveable once data are read
  int savetable;          // saves table 1 through the save dialog
  int printtable;         // prints table 1
  int saveparams;         // rewrites the parameter file
};

const Program kPrograms[] = {
    {"varnel1", "VARNEL1.PAR", V1_CM_DATA, "", V1_CM_SAVE_TABLE1, V1_CM_PRINT_TABLE1, V1_CM_SAVE_PARAMFILE},
    {"varnel2", "VARNEL2.PAR", V2_CM_DATA, "menu V2_CM_FIT\n", V2_CM_SAVE_TABLE1, V2_CM_PRINT_TABLE1,
     V2_CM_SAVE_PARAMFILE},
    {"mokrin1", "MOKRIN1.PAR", MK_CM_READ_DATA, "", MK_CM_SAVE_TABLE1, MK_CM_PRINT_TABLE1, MK_CM_SAVE_PARAMFILE},
    {"mokrin2", "MOKRIN2.PAR", MK_CM_READ_DATA, "", MK_CM_SAVE_TABLE1, MK_CM_PRINT_TABLE1, MK_CM_SAVE_PARAMFILE},
};

const Program& program(const std::string& name) {
  return *std::find_if(std::begin(kPrograms), std::end(kPrograms), [&](const Program& p) { return p.name == name; });
}

std::string menu(int id) { return "menu " + std::to_string(id) + "\n"; }
std::string file(const std::string& path) { return "file \"" + path + "\"\n"; }

// Reads the data file `data` and makes table 1 saveable.
std::string readdata(const Program& p, const std::string& data) { return menu(p.readdata) + file(data) + p.afterdata; }

// A working folder with the program's parameter file and sample.dat.
std::string folderfor(const Program& p, const std::string& test) {
  return testkit::examplefolder(test + "_" + p.name, {p.parfile, "sample.dat"});
}

testkit::ProgramSetup setupfor(const Program& p, const std::string& dir, const std::string& script) {
  testkit::ProgramSetup setup;
  setup.exe = testkit::programexe(p.name);
  setup.workdir = dir;
  setup.script = script;
  setup.timeout_seconds = 90;
  return setup;
}

std::string boxlist(const std::vector<testkit::LoggedBox>& boxes) {
  std::string s;
  for (const testkit::LoggedBox& b : boxes) s += "  " + b.title + ": " + b.text + "\n";
  return s;
}

// The files the first file dialog of the run listed.
std::string firstlisting(const std::string& log) {
  const std::size_t at = log.find("file dialog lists: ");
  return at == std::string::npos ? "" : log.substr(at, log.find('\n', at) - at);
}

bool sameinode(const std::string& a, const struct stat& before) {
  struct stat now {};
  return stat(a.c_str(), &now) == 0 && now.st_ino == before.st_ino && now.st_dev == before.st_dev;
}

// A named pipe (an acquisition tool's output) under the name of a data
// file, a table file and the printer's file: not listed, refused at once
// with the box of a file that cannot be opened, the pipe left alone, and
// the next choice of a plain file works.
TEST(FileFaults, ANamedPipeIsNeitherListedNorOpened) {
  for (const Program& p : kPrograms) {
    SCOPED_TRACE(p.name);
    const std::string dir = folderfor(p, "fifo");
    for (const char* pipe : {"pomiar.dat", "tabela.dat", "drukarka.prn"})
      ASSERT_EQ(mkfifo((dir + "/" + pipe).c_str(), 0644), 0);
    const std::string script = menu(p.readdata) + file("pomiar.dat") + "msgbox OK\n" + readdata(p, "sample.dat") +
                               menu(p.savetable) + file("tabela.dat") + "msgbox OK\n" + menu(p.printtable) +
                               "msgbox OK\n" + menu(p.savetable) + file("zwykla.dat") + "msgbox OK\n";
    testkit::ProgramSetup setup = setupfor(p, dir, script);
    setup.env = {{"TSD_PRN_FILE", dir + "/drukarka.prn"}};
    const testkit::ProgramRun run = testkit::runprogram(setup);
    ASSERT_FALSE(run.timedout) << "a pipe held the program:\n" << run.log;
    EXPECT_EQ(run.exitcode, 0) << run.log;
    const std::string listed = firstlisting(run.log);
    EXPECT_NE(listed.find("sample.dat"), std::string::npos) << listed;
    EXPECT_EQ(listed.find("pomiar.dat"), std::string::npos) << "a pipe is no file to list: " << listed;
    const std::vector<testkit::LoggedBox> boxes = testkit::loggedboxes(run.log);
    ASSERT_EQ(boxes.size(), 4u) << boxlist(boxes) << run.log;
    EXPECT_EQ(boxes[0].title, "Błąd");
    EXPECT_EQ(boxes[0].text, "Nie można otworzyć pliku " + dir + "/pomiar.dat");
    EXPECT_EQ(boxes[1].title, "Błąd");
    EXPECT_EQ(boxes[1].text, "Nie można otworzyć pliku " + dir + "/tabela.dat");
    EXPECT_EQ(boxes[2].title, "Błąd");
    EXPECT_EQ(boxes[2].text, "Drukarka niedostępna");
    EXPECT_EQ(boxes[3].title, "Informacja") << "the program goes on";
    EXPECT_NE(boxes[3].text.find(dir + "/zwykla.dat"), std::string::npos) << boxes[3].text;
    EXPECT_FALSE(testkit::readfile(dir + "/zwykla.dat").empty());
    for (const char* pipe : {"pomiar.dat", "tabela.dat", "drukarka.prn"})
      EXPECT_EQ(fs::status(dir + "/" + pipe).type(), fs::file_type::fifo) << pipe;
  }
}

// A shared parameter file reached through a link: the save rewrites the
// shared file in its own folder and the link stays, pointing where it did.
TEST(FileFaults, AParameterFileThroughALinkIsRewrittenWhereItLies) {
  for (const Program& p : kPrograms) {
    SCOPED_TRACE(p.name);
    // What the save writes, from a run on a plain file.
    const std::string plain = folderfor(p, "link_plain");
    const std::string script = readdata(p, "sample.dat") + menu(p.saveparams) + "msgbox OK\n";
    ASSERT_FALSE(testkit::runprogram(setupfor(p, plain, script)).timedout);
    const std::string written = testkit::readfile(plain + "/" + p.parfile);
    ASSERT_FALSE(written.empty());

    const std::string top = testkit::makeworkdir(std::string("link_") + p.name);
    const std::string shared = top + "/wspolne";
    const std::string dir = top + "/praca";
    fs::create_directories(shared);
    fs::create_directories(dir);
    // The shared file holds a blank line more than a save writes.
    const std::string before = testkit::readfile(testkit::examplefile(p.parfile)) + "\n";
    testkit::writefile(shared + "/" + p.parfile, before);
    const std::string link = std::string("../wspolne/") + p.parfile;
    fs::create_symlink(link, dir + "/" + p.parfile);
    fs::copy_file(plain + "/sample.dat", dir + "/sample.dat");
    const testkit::ProgramRun run = testkit::runprogram(setupfor(p, dir, script));
    ASSERT_FALSE(run.timedout) << run.log;
    const std::vector<testkit::LoggedBox> boxes = testkit::loggedboxes(run.log);
    ASSERT_EQ(boxes.size(), 1u) << boxlist(boxes);
    EXPECT_EQ(boxes[0].title, "Informacja");
    EXPECT_TRUE(fs::is_symlink(dir + "/" + p.parfile)) << "the link stays a link";
    EXPECT_EQ(fs::read_symlink(dir + "/" + p.parfile).string(), link);
    EXPECT_EQ(testkit::readfile(shared + "/" + p.parfile), written) << "the shared file has the saved values";
    EXPECT_EQ(std::distance(fs::directory_iterator(shared), fs::directory_iterator()), 1) << "nothing left beside it";
  }
}

// A parameter file the user may not write (mode 0444, a user who is not
// root) is not replaced: the save fails with the usual box saying why, the
// file keeps its bytes, its mode and its place, and the program goes on.
TEST(FileFaults, AReadOnlyParameterFileIsNotReplaced) {
  for (const Program& p : kPrograms) {
    SCOPED_TRACE(p.name);
    const std::string dir = folderfor(p, "readonly");
    const std::string par = dir + "/" + p.parfile;
    const std::string before = testkit::readfile(par);
    ASSERT_EQ(chmod(par.c_str(), 0444), 0);
    struct stat st {};
    ASSERT_EQ(stat(par.c_str(), &st), 0);
    testkit::ProgramSetup setup = setupfor(p, dir, readdata(p, "sample.dat") + menu(p.saveparams) + "msgbox OK\n" +
                                                       menu(p.savetable) + file("tabela.dat") + "msgbox OK\n");
    setup.plain_user = true;
    const testkit::ProgramRun run = testkit::runprogram(setup);
    ASSERT_NE(run.exitcode, 124) << "the run could not be made without root's file rights";
    ASSERT_FALSE(run.timedout) << run.log;
    const std::vector<testkit::LoggedBox> boxes = testkit::loggedboxes(run.log);
    ASSERT_EQ(boxes.size(), 2u) << boxlist(boxes) << run.log;
    EXPECT_EQ(boxes[0].title, "Błąd");
    EXPECT_NE(boxes[0].text.find(par + ": brak prawa zapisu pliku"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(boxes[1].title, "Informacja") << "the program goes on";
    EXPECT_EQ(testkit::readfile(par), before);
    EXPECT_TRUE(sameinode(par, st)) << "the file was not replaced";
    struct stat now {};
    ASSERT_EQ(stat(par.c_str(), &now), 0);
    EXPECT_EQ(now.st_mode & 07777, 0444u);
    for (const auto& e : fs::directory_iterator(dir))
      EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
  }
}

// varnel2's table 1 (some 8 kB) appended to a file that holds a table
// already, the program killed at each write into that file in turn, just
// before it and just after it: the file holds the old table, or the old
// one and the whole new one, never a piece.
TEST(FileFaults, AProgramKilledInATableWriteLeavesTheOldOrTheWholeNewText) {
  const Program& p = program("varnel2");
  const std::string script = readdata(p, "sample.dat") + menu(p.savetable) + file("tabela.dat") + "msgbox OK\n";
  const std::string whole_dir = folderfor(p, "kill_whole");
  const std::string old = "  T [K]    Jd [A/cm2]\n 215.000  1.000E-12\n";
  testkit::writefile(whole_dir + "/tabela.dat", old);
  ASSERT_EQ(testkit::runprogram(setupfor(p, whole_dir, script)).exitcode, 0);
  const std::string whole = testkit::readfile(whole_dir + "/tabela.dat");
  ASSERT_GT(whole.size(), old.size() + 4096) << "a table longer than a stdio buffer";

  int kills = 0;
  bool ended = false;
  for (int n = 1; n <= 10 && !ended; ++n) {
    for (bool after : {false, true}) {
      SCOPED_TRACE("write " + std::to_string(n) + (after ? ", after it" : ", before it"));
      const std::string dir = folderfor(p, "kill");
      const std::string table = fs::canonical(dir).string() + "/tabela.dat";
      testkit::writefile(table, old);
      testkit::ProgramSetup setup = setupfor(p, dir, script);
      setup.traced = true;
      const pid_t pid = testkit::startprogram(setup);
      ASSERT_GT(pid, 0);
      int status = 0;
      const testkit::WriteStop stop = testkit::killatwrite(pid, table, n, after, status);
      ASSERT_NE(stop, testkit::WriteStop::failed) << "the program could not be traced";
      if (stop == testkit::WriteStop::ended) {
        ended = true;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        EXPECT_EQ(testkit::readfile(table), whole);
        break;
      }
      testkit::waitprogram(setup, pid);
      ++kills;
      const std::string left = testkit::readfile(table);
      EXPECT_TRUE(left == old || left == whole)
          << "a kill left " << left.size() << " bytes: the old " << old.size() << " or all " << whole.size();
    }
  }
  EXPECT_TRUE(ended);
  EXPECT_GE(kills, 2) << "killed before and after the write";
}

// A table saved to a new file on a full disk: the error box, and no file
// left behind. Where no small file system can be mounted, a file size
// limit that the log stays under stands for the full disk.
TEST(FileFaults, AFailedSaveToANewFileLeavesNoFile) {
  const Program& p = program("mokrin1");
  const std::string dir = folderfor(p, "newfile");
  testkit::SmallDisk disk(dir + "/dysk", 64 * 1024);
  testkit::ProgramSetup setup = setupfor(p, dir, "");
  std::string table = dir + "/dysk/nowa.dat";
  if (disk.mounted()) {
    ASSERT_TRUE(disk.fill());
  } else {
    std::cout << "[ note ] no tmpfs could be mounted (" << disk.why()
              << "): the full disk is a file size limit instead\n";
    table = dir + "/nowa.dat";
    setup.file_size_limit = 3000;
  }
  setup.script = menu(p.savetable) + file(table) + "msgbox OK\n" + menu(p.savetable) + file(dir + "/dobra.dat") +
                 "msgbox OK\n";
  const testkit::ProgramRun run = testkit::runprogram(setup);
  ASSERT_FALSE(run.timedout) << run.log;
  const std::vector<testkit::LoggedBox> boxes = testkit::loggedboxes(run.log);
  ASSERT_GE(boxes.size(), 1u) << run.log;
  EXPECT_EQ(boxes[0].title, "Błąd");
  EXPECT_EQ(boxes[0].text, "Błąd zapisu w pliku " + table);
  EXPECT_FALSE(fs::exists(table)) << "the file the save made is gone";
  if (disk.mounted()) {
    ASSERT_EQ(boxes.size(), 2u) << boxlist(boxes);
    EXPECT_EQ(boxes[1].title, "Informacja") << "the program goes on";
  }
}

// Printing without TSD_PRN_FILE hands the job to `lp`; one that does not
// answer is given up after the bound with "Błąd wydruku", and stopped.
TEST(FileFaults, APrintQueueThatDoesNotAnswerIsGivenUp) {
  const Program& p = program("mokrin2");
  const std::string dir = folderfor(p, "lp");
  fs::create_directories(dir + "/bin");
  testkit::writefile(dir + "/bin/lp", "#!/bin/sh\necho $$ > '" + dir + "/lp.pid'\nexec sleep 600\n");
  ASSERT_EQ(chmod((dir + "/bin/lp").c_str(), 0755), 0);
  testkit::ProgramSetup setup = setupfor(p, dir, menu(p.printtable) + "msgbox OK\n" + menu(p.savetable) +
                                                     file("tabela.dat") + "msgbox OK\n");
  const char* path = std::getenv("PATH");
  setup.env = {{"PATH", dir + "/bin:" + (path != nullptr ? path : "/usr/bin:/bin")}};
  setup.timeout_seconds = 60;
  const testkit::ProgramRun run = testkit::runprogram(setup);
  ASSERT_FALSE(run.timedout) << "the print queue held the program";
  const std::vector<testkit::LoggedBox> boxes = testkit::loggedboxes(run.log);
  ASSERT_EQ(boxes.size(), 2u) << boxlist(boxes) << run.log;
  EXPECT_EQ(boxes[0].title, "Błąd");
  EXPECT_EQ(boxes[0].text, "Błąd wydruku");
  EXPECT_EQ(boxes[1].title, "Informacja") << "the program goes on";
  const std::string pid = testkit::readfile(dir + "/lp.pid");
  ASSERT_FALSE(pid.empty()) << "lp was started";
  EXPECT_NE(kill(std::stoi(pid), 0), 0) << "and stopped";
}

// A folder below `top` whose name is made of `parts` parts of `length`
// characters (the last one "ł", two bytes on the disk), made on the disk.
std::string deepfolder(const std::string& top, int parts, std::size_t length) {
  std::string dir = top;
  for (int i = 0; i < parts; ++i) dir += "/" + std::string(length - 1, static_cast<char>('a' + i)) + "ł";
  fs::create_directories(dir);
  return dir;
}

// The characters of a name (UTF-8) in the programs' code page.
std::size_t letters(const std::string& utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// Paths far longer than the old name fields (1,024 and 260 characters):
// the data are read from a folder deep down and the table saved there, by
// the whole name, and the next save dialog opens there again. A path the
// host cannot take is refused with a box and nothing is cut or written: a
// part longer than the host allows, a path longer than the name field, and
// one whose letters fit the field but whose bytes on the disk are more
// than the host opens.
TEST(FileFaults, LongPathsAreHeldWholeAndTooLongOnesRefused) {
  for (const Program& p : kPrograms) {
    SCOPED_TRACE(p.name);
    const std::string dir = folderfor(p, "longpath");
    const std::string deep = deepfolder(dir, 11, 150);
    ASSERT_GT(letters(deep), 1600u);
    fs::copy_file(dir + "/sample.dat", deep + "/dane.dat");
    const std::string deeper = deepfolder(dir, 19, 200);
    ASSERT_LT(deeper.size(), 3950u);
    const std::string toolongpart = dir + "/" + std::string(300, 'x') + ".dat";
    const std::string toolongfield = deeper + "/" + std::string(250, 'y') + ".dat";
    ASSERT_GT(letters(toolongfield), 4095u);
    std::string polish;
    for (int i = 0; i < 125; ++i) polish += "ł";  // a part of 254 bytes
    const std::string toolongbytes = deeper + "/" + polish + ".dat";
    ASSERT_LE(letters(toolongbytes), 4095u);
    ASSERT_GT(toolongbytes.size(), 4095u);
    std::string script = readdata(p, deep + "/dane.dat") + menu(p.savetable) + file(deep + "/tabela.dat") +
                         "msgbox OK\n" + readdata(p, dir + "/sample.dat");
    for (const std::string& refused : {toolongpart, toolongfield, toolongbytes})
      script += menu(p.savetable) + file(refused) + "msgbox OK\n";
    script += menu(p.savetable) + "file cancel\n";
    const testkit::ProgramRun run = testkit::runprogram(setupfor(p, dir, script));
    ASSERT_FALSE(run.timedout) << run.log;
    const std::vector<testkit::LoggedBox> boxes = testkit::loggedboxes(run.log);
    ASSERT_EQ(boxes.size(), 4u) << boxlist(boxes);
    EXPECT_EQ(boxes[0].title, "Informacja");
    EXPECT_NE(boxes[0].text.find(deep + "/tabela.dat"), std::string::npos) << "the whole name: " << boxes[0].text;
    EXPECT_FALSE(testkit::readfile(deep + "/tabela.dat").empty());
    for (std::size_t i = 1; i < 4; ++i) {
      EXPECT_EQ(boxes[i].title, "Błąd");
      EXPECT_EQ(boxes[i].text, "Za długa nazwa pliku");
    }
    // The save dialogs after the first save and the second data dialog
    // open in the deep folder, although the current one is `dir` again.
    EXPECT_EQ(testkit::count(run.log, "file dialog lists: folder \"" + deep + "\""), 6);
    // Nothing but the test's files, the table and the run's script, log and output.
    std::size_t files = 0;
    for (const auto& e : fs::recursive_directory_iterator(dir))
      if (e.is_regular_file()) ++files;
    EXPECT_EQ(files, 7u);
  }
}

// A greyed item chosen leaves its menu open; the close request that ends a
// scripted run closes the menu and then the program, as without a menu.
TEST(FileFaults, ACloseRequestWithAMenuLeftOpenEndsTheProgram) {
  const Program& p = program("varnel1");
  const std::string dir = folderfor(p, "menuclose");
  const testkit::ProgramRun run = testkit::runprogram(setupfor(p, dir, menu(V1_CM_SAVE_TABLE1)));
  EXPECT_FALSE(run.timedout);
  EXPECT_EQ(run.exitcode, 0) << run.log;
  EXPECT_EQ(run.log.find("did not end"), std::string::npos) << run.log;
  EXPECT_EQ(run.log.find("menu command:"), std::string::npos) << "the greyed item gave no command";
}

}  // namespace
}  // namespace tsd::testing
