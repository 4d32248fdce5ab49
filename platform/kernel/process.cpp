// Starting programs through the host shell, and waiting for them.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/kernel/handles.h"
#include "text/cp1250.h"

namespace plat {

using kernel::KernelObject;

namespace {

// Forks "/bin/sh -c command"; -1 with the last error set on failure. A
// command the shell cannot find is reported by the shell's exit status 127.
pid_t spawn(LPCSTR command_line) {
  if (command_line == nullptr || command_line[0] == '\0') {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return -1;
  }
  std::string cmd = text::utf8_from_cp1250(command_line);
  pid_t pid = ::fork();
  if (pid < 0) {
    kernel::fail_errno(errno);
    return -1;
  }
  if (pid == 0) {
    ::execl("/bin/sh", "sh", "-c", cmd.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return pid;
}

}  // namespace

UINT WinExec(LPCSTR command_line, UINT show) {
  if (command_line == nullptr || command_line[0] == '\0') return ERROR_FILE_NOT_FOUND;
  std::string cmd = text::utf8_from_cp1250(command_line);
  // Nobody waits for the program: an intermediate child starts it and ends
  // at once, so the program is adopted by the host and leaves no zombie.
  pid_t pid = ::fork();
  if (pid < 0) return ERROR_NOT_ENOUGH_MEMORY;
  if (pid == 0) {
    if (::fork() == 0) {
      ::execl("/bin/sh", "sh", "-c", cmd.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::_exit(0);
  }
  int st = 0;
  while (::waitpid(pid, &st, 0) < 0 && errno == EINTR) {
  }
  return 33;
}

HANDLE StartProcess(LPCSTR command_line) {
  pid_t pid = spawn(command_line);
  if (pid < 0) return INVALID_HANDLE_VALUE;
  auto obj = std::make_unique<KernelObject>();
  obj->kind = KernelObject::Kind::process;
  obj->pid = pid;
  return kernel::add_object(std::move(obj));
}

DWORD WaitForSingleObject(HANDLE process, DWORD milliseconds) {
  KernelObject* obj = kernel::find_object(process, KernelObject::Kind::process);
  if (!obj) return WAIT_FAILED;
  if (obj->reaped) return WAIT_OBJECT_0;
  auto start = std::chrono::steady_clock::now();
  for (;;) {
    int st = 0;
    pid_t r = ::waitpid(obj->pid, &st, WNOHANG);
    if (r == obj->pid) {
      obj->reaped = true;
      return WAIT_OBJECT_0;
    }
    if (r < 0 && errno != EINTR) {
      kernel::fail_errno(errno);
      return WAIT_FAILED;
    }
    if (milliseconds != INFINITE) {
      auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start).count();
      if (waited >= static_cast<long long>(milliseconds)) return WAIT_TIMEOUT;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace plat
