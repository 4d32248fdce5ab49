// An X server of a test's own (Xvfb), with a window manager on it when the
// test asks for one, for tests of the SDL display. Xvfb chooses a free
// display number itself and tells it through a pipe (-displayfd), so tests
// running side by side never share a server.
//
// Header only, so any test folder can use it without a library.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace tsd::testkit {

// The full path of an executable found on PATH; empty when there is none.
inline std::string findonpath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string p = path != nullptr ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= p.size()) {
    std::size_t colon = p.find(':', start);
    std::string dir = p.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    if (!dir.empty() && access((dir + "/" + name).c_str(), X_OK) == 0) return dir + "/" + name;
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  return "";
}

// Starts a program with its output thrown away (the process id; -1 when
// it cannot be started). `display` (":N"), when given, is its DISPLAY.
// Open descriptors are inherited (Xvfb writes its number into one).
inline pid_t startquiet(const std::vector<std::string>& argv, const std::string& display = "") {
  pid_t pid = fork();
  if (pid != 0) return pid;
  int devnull = open("/dev/null", O_RDWR);
  if (devnull >= 0) {
    dup2(devnull, 0);
    dup2(devnull, 1);
    dup2(devnull, 2);
  }
  if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execv(args[0], args.data());
  _exit(127);
}

inline void endprocess(pid_t* pid) {
  if (*pid <= 0) return;
  kill(*pid, SIGTERM);
  waitpid(*pid, nullptr, 0);
  *pid = -1;
}

class XServer {
 public:
  XServer() = default;
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;
  ~XServer() { stop(); }

  // Starts Xvfb with one screen of the given size ("WIDTHxHEIGHTxDEPTH");
  // false with the reason in `why` when it cannot.
  bool start(std::string* why, const std::string& screen = "800x600x24") {
    std::string exe = findonpath("Xvfb");
    if (exe.empty()) {
      *why = "Xvfb is not installed (package xvfb)";
      return false;
    }
    int fds[2];
    if (pipe(fds) != 0) {
      *why = "no pipe for Xvfb's display number";
      return false;
    }
    std::string fd = std::to_string(fds[1]);
    server_ = startquiet({exe, "-displayfd", fd, "-screen", "0", screen, "-nolisten", "tcp", "-noreset"});
    close(fds[1]);
    std::string number;
    struct pollfd p = {fds[0], POLLIN, 0};
    while (number.find('\n') == std::string::npos && poll(&p, 1, 10000) == 1) {
      char buf[16];
      ssize_t n = read(fds[0], buf, sizeof buf);
      if (n <= 0) break;
      number.append(buf, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    while (!number.empty() && (number.back() == '\n' || number.back() == ' ')) number.pop_back();
    if (number.empty()) {
      stop();
      *why = "Xvfb did not start";
      return false;
    }
    display_ = ":" + number;
    return true;
  }

  // Starts a window manager (openbox) on the server. The caller waits until
  // it manages the screen.
  bool startwindowmanager(std::string* why) {
    std::string exe = findonpath("openbox");
    if (exe.empty()) {
      *why = "openbox is not installed (package openbox)";
      return false;
    }
    wm_ = startquiet({exe, "--sm-disable"}, display_);
    return wm_ > 0;
  }

  void stop() {
    endprocess(&wm_);
    endprocess(&server_);
  }

  const std::string& display() const { return display_; }
  pid_t pid() const { return server_; }

 private:
  pid_t server_ = -1;
  pid_t wm_ = -1;
  std::string display_;
};

}  // namespace tsd::testkit
