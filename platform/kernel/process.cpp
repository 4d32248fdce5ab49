// Starting programs through the host shell, and waiting for them.
#include <fcntl.h>
#include <sys/stat.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <chrono>
#include <thread>

#include "platform/kernel/handles.h"
#include "text/cp1250.h"

namespace plat {

using kernel::KernelObject;

namespace {

// The program a command line names: its first word (a word in double
// quotes may hold blanks).
std::string program_of(const std::string& cmd) {
  std::size_t i = cmd.find_first_not_of(" \t");
  if (i == std::string::npos) return std::string();
  if (cmd[i] == '"') {
    const std::size_t end = cmd.find('"', i + 1);
    return cmd.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
  }
  const std::size_t end = cmd.find_first_of(" \t", i);
  return cmd.substr(i, end == std::string::npos ? std::string::npos : end - i);
}

// Whether the program of the command line can be started, so that a
// missing program is never reported as started: a first word with a slash
// must be an executable file; any other is asked of the shell that runs
// the command (a program along PATH, or one of the shell's own commands).
bool startable(const std::string& cmd) {
  const std::string program = program_of(cmd);
  if (program.empty()) return false;
  if (program.find('/') != std::string::npos) {
    struct stat st{};
    return ::stat(program.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(program.c_str(), X_OK) == 0;
  }
  pid_t pid = ::fork();
  if (pid < 0) return false;
  if (pid == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) {
      ::dup2(null, 1);
      ::dup2(null, 2);
    }
    ::execl("/bin/sh", "sh", "-c", "command -v -- \"$1\"", "sh", program.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int st = 0;
  while (::waitpid(pid, &st, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(st) && WEXITSTATUS(st) == 0;
}

// Forks "/bin/sh -c command"; -1 with the last error set on failure (a
// program that cannot be found gives ERROR_FILE_NOT_FOUND).
pid_t spawn(LPCSTR command_line) {
  if (command_line == nullptr || command_line[0] == '\0') {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return -1;
  }
  std::string cmd = text::utf8_from_cp1250(command_line);
  if (!startable(cmd)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return -1;
  }
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
  if (!startable(cmd)) return ERROR_FILE_NOT_FOUND;
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
