// Running one of the programs as its user would, for end-to-end tests: the
// executable from the build tree, started in a working directory of its own,
// on the headless display, driven by a scripted user; what it logged, wrote
// and returned comes back to the test.
//
// Header only, so any test folder can use it without a library.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace tsd::testkit {

// The build tree's top (tests run with TSD_BINARY_DIR set; one folder below
// the top otherwise).
inline std::string buildtree() {
  const char* b = std::getenv("TSD_BINARY_DIR");
  return b != nullptr && *b ? std::string(b) : std::string("..");
}

// The stroke-font folder the build writes.
inline std::string fontfolder() { return buildtree() + "/fonts"; }

inline std::string readfile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void writefile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

inline bool fileexists(const std::string& path) { return std::filesystem::exists(path); }

// A fresh, empty folder for one run; `name` should name the test.
inline std::string makeworkdir(const std::string& name) {
  const char* tmp = std::getenv("TMPDIR");
  std::string base = tmp != nullptr && *tmp ? tmp : "/tmp";
  std::string dir = base + "/tsdrun_" + name + "_" + std::to_string(getpid());
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

struct ProgramSetup {
  std::string exe;      // path of the executable
  std::string workdir;  // current directory of the run
  std::string script;   // the scripted user's actions; empty: no script
  // Further environment (name, value); a value of nullptr-like "" unsets.
  std::vector<std::pair<std::string, std::string>> env;
  int timeout_seconds = 120;
};

struct ProgramRun {
  int exitcode = -1;   // the exit status; 128 + signal when killed
  bool timedout = false;
  std::string log;     // the display's log: windows, dialogs, message boxes
  std::string output;  // standard output and standard error together
};

// Starts the program without waiting for it (the process id; -1 when it
// cannot be started); waitprogram() then waits for it. The run's script,
// log and output files are kept in the working directory (script.txt,
// display.log, output.txt) for a look after a failure.
inline pid_t startprogram(const ProgramSetup& setup) {
  const std::string scriptpath = setup.workdir + "/script.txt";
  const std::string logpath = setup.workdir + "/display.log";
  const std::string outpath = setup.workdir + "/output.txt";
  if (!setup.script.empty()) writefile(scriptpath, setup.script);
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
