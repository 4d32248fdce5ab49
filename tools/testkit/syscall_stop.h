// A program stopped in a write, for tests of what a kill at that moment
// leaves behind: the program, started traced (ProgramSetup::traced), runs
// until it is about to make (or has just made) its n-th write into one
// file, and is killed there, as a crash or kill -9 would end it. A file
// changes only through such calls, so stopping at each of them in turn
// shows every state a kill can leave the file in.
//
// Header only, so any test folder can use it without a library.
#pragma once

#include <signal.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <string>

namespace tsd::testkit {

enum class WriteStop {
  killed,  // killed at the write; waitprogram() then collects the run
  ended,   // the program ended before it; `status` is its wait status
  failed,  // the program could not be traced
};

// True when `nr` is a system call that writes to a descriptor.
inline bool iswritecall(long nr) {
  return nr == SYS_write || nr == SYS_writev || nr == SYS_pwrite64 || nr == SYS_pwritev || nr == SYS_pwritev2;
}

// The file a descriptor of a process is open on.
inline std::string descriptorfile(pid_t pid, long fd) {
  char link[PATH_MAX + 1];
  const std::string proc = "/proc/" + std::to_string(pid) + "/fd/" + std::to_string(fd);
  const ssize_t n = readlink(proc.c_str(), link, PATH_MAX);
  return n < 0 ? std::string() : std::string(link, static_cast<std::size_t>(n));
}

// Runs the traced program `pid` up to its n-th write (n from 1) into
// `path` (as /proc shows it: absolute, links resolved) and kills it there:
// before the write when `after` is false, else once it has returned.
inline WriteStop killatwrite(pid_t pid, const std::string& path, int n, bool after, int& status) {
  status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFSTOPPED(status)) return WriteStop::failed;  // at its exec
  if (ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL) != 0) {
    kill(pid, SIGKILL);
    return WriteStop::failed;
  }
  int seen = 0;
  bool inwrite = false;
  int signal = 0;
  for (;;) {
    if (ptrace(PTRACE_SYSCALL, pid, nullptr, signal) != 0) return WriteStop::failed;
    signal = 0;
    if (waitpid(pid, &status, 0) != pid) return WriteStop::failed;
    if (WIFEXITED(status) || WIFSIGNALED(status)) return WriteStop::ended;
    if (!WIFSTOPPED(status)) continue;
    if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
      signal = WSTOPSIG(status);  // a signal of its own: passed on
      continue;
    }
    __ptrace_syscall_info info{};
    if (ptrace(PTRACE_GET_SYSCALL_INFO, pid, sizeof info, &info) <= 0) return WriteStop::failed;
    if (info.op == PTRACE_SYSCALL_INFO_ENTRY) {
      inwrite = iswritecall(static_cast<long>(info.entry.nr)) &&
                descriptorfile(pid, static_cast<long>(info.entry.args[0])) == path;
      if (inwrite) ++seen;
      if (inwrite && seen == n && !after) break;
    } else if (info.op == PTRACE_SYSCALL_INFO_EXIT) {
      if (inwrite && seen == n && after) break;
      inwrite = false;
    }
  }
  kill(pid, SIGKILL);
  return WriteStop::killed;
}

}  // namespace tsd::testkit
