// Running one of the programs as its user would, for end-to-end tests: the
// executable from the build tree, started in a working directory of its own,
// on the headless display, driven by a scripted user; what it logged, wrote
// and returned comes back to the test.
//
// Header only, so any test folder can use it without a library.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tools/testkit/files.h"
#include "tools/testkit/plain_user.h"
#include "tools/testkit/write_limit.h"

namespace tsd::testkit {

// The executable of a program ("varnel1", "varnel2", "mokrin1", "mokrin2"),
// from the list the build writes (programs.txt at the build tree's top);
// empty when the program is not in it.
inline std::string programexe(const std::string& program) {
  std::istringstream list(readfile(buildtree() + "/programs.txt"));
  std::string name, path;
  while (list >> name >> path) {
    if (name == program) return path;
  }
  return "";
}

// A file of examples/ in the source tree.
inline std::string examplefile(const std::string& name) {
  return std::string(TSD_SOURCE_DIR) + "/examples/" + name;
}

// A fresh working folder (makeworkdir(name)) holding copies of the named
// files of examples/.
inline std::string examplefolder(const std::string& name, const std::vector<std::string>& examples) {
  const std::string dir = makeworkdir(name);
  for (const std::string& file : examples) writefile(dir + "/" + file, readfile(examplefile(file)));
  return dir;
}

struct ProgramSetup {
  std::string exe;      // path of the executable
  std::string workdir;  // current directory of the run
  std::string script;   // the scripted user's actions; empty: no script
  // Further environment (name, value); a value of nullptr-like "" unsets.
  std::vector<std::pair<std::string, std::string>> env;
  int timeout_seconds = 120;
  // Files the program writes may grow to this many bytes, no further (a
  // full disk, where none can be mounted); 0: no limit.
  unsigned long file_size_limit = 0;
  // Run as a user who is not root would: where the test runs as root, the
  // program starts without the rights that let root write any file
  // whatever its permissions (plain_user.h).
  bool plain_user = false;
  // Started traced, stopped at its start for the test to lead it
  // (syscall_stop.h); the test must then lead it to its end or kill it.
  bool traced = false;
};

struct ProgramRun {
  int exitcode = -1;   // the exit status; 128 + signal when killed
  bool timedout = false;
  std::string log;     // the display's log: windows, dialogs, message boxes
  std::string output;  // standard output and standard error together
};

// The script with the symbolic resource ids of the programs' id headers
// (resources/*/*_ids.h: "menu V1_CM_DATA") replaced by their numbers, so
// that a test names a menu command as the program's code does.
inline std::string resolveids(const std::string& script) {
  static const std::vector<std::pair<std::string, std::string>> ids = [] {
    std::vector<std::pair<std::string, std::string>> found;
    for (const char* header : {"varnel1/varnel1_ids.h", "varnel2/varnel2_ids.h", "mokrin/mokrin_ids.h"}) {
      std::istringstream in(readfile(std::string(TSD_SOURCE_DIR) + "/resources/" + header));
      std::string define, name, value;
      for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        if (words >> define >> name >> value && define == "#define" &&
            value.find_first_not_of("0123456789") == std::string::npos) {
          found.emplace_back(name, value);
        }
      }
    }
    return found;
  }();
  auto isnamechar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
  std::string out;
  for (std::size_t at = 0; at < script.size();) {
    if (isnamechar(script[at]) && (at == 0 || !isnamechar(script[at - 1]))) {
      std::size_t end = at;
      while (end < script.size() && isnamechar(script[end])) ++end;
      const std::string word = script.substr(at, end - at);
      std::string replaced = word;
      for (const auto& [name, value] : ids) {
        if (name == word) replaced = value;
      }
      out += replaced;
      at = end;
    } else {
      out += script[at++];
    }
  }
  return out;
}

// Starts the program without waiting for it (the process id; -1 when it
// cannot be started); waitprogram() then waits for it. The run's script,
// log and output files are kept in the working directory (script.txt,
// display.log, output.txt) for a look after a failure.
inline pid_t startprogram(const ProgramSetup& setup) {
  const std::string scriptpath = setup.workdir + "/script.txt";
  const std::string logpath = setup.workdir + "/display.log";
  const std::string outpath = setup.workdir + "/output.txt";
  if (!setup.script.empty()) writefile(scriptpath, resolveids(setup.script));
  std::filesystem::remove(logpath);
  // Paths relative to the test's folder are resolved before the run moves
  // into its own.
  std::string exe = std::filesystem::absolute(setup.exe).string();
  const std::string fonts = std::filesystem::absolute(fontfolder()).string();
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(setup.workdir.c_str()) != 0) _exit(126);
    int fd = open(outpath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
      dup2(fd, 1);
      dup2(fd, 2);
      close(fd);
    }
    setenv("TSD_DISPLAY", "headless", 1);
    setenv("TSD_LOG", logpath.c_str(), 1);
    setenv("QRBCHDIR", fonts.c_str(), 1);
    unsetenv("TSD_SCREEN");
    unsetenv("QUORINIT");
    unsetenv("QUORDEBUG");
    unsetenv("TSD_PRN_FILE");
    if (!setup.script.empty()) {
      setenv("TSD_SCRIPT", scriptpath.c_str(), 1);
    } else {
      unsetenv("TSD_SCRIPT");
    }
    for (const auto& [name, value] : setup.env) {
      if (value.empty()) {
        unsetenv(name.c_str());
      } else {
        setenv(name.c_str(), value.c_str(), 1);
      }
    }
    if (!limitfilesize(setup.file_size_limit)) _exit(125);
    if (setup.plain_user && !dropfilerights()) _exit(124);
    if (setup.traced && ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(123);
    char* argv[] = {exe.data(), nullptr};
    execv(exe.c_str(), argv);
    _exit(127);
  }
  return pid;
}

// Waits for a started program until it ends or its time is up (then it is
// killed), and collects what it returned, logged and printed.
inline ProgramRun waitprogram(const ProgramSetup& setup, pid_t pid) {
  ProgramRun run;
  if (pid < 0) return run;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(setup.timeout_seconds);
  int status = 0;
  for (;;) {
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      run.timedout = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (WIFEXITED(status)) {
    run.exitcode = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    run.exitcode = 128 + WTERMSIG(status);
  }
  run.log = readfile(setup.workdir + "/display.log");
  run.output = readfile(setup.workdir + "/output.txt");
  return run;
}

// Starts the program and waits for it.
inline ProgramRun runprogram(const ProgramSetup& setup) { return waitprogram(setup, startprogram(setup)); }

}  // namespace tsd::testkit
