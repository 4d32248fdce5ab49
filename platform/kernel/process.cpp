// Starting programs through the host shell, and waiting for them.
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <chrono>
#include <thread>

#include "platform/kernel/handles.h"
#include "text/cp1250.h"

namespace plat {

using kernel::KernelObject;

namespace {

// What the shell runs first for a command line, read by the shell's own
// rules for words: assignments before the program are skipped (a PATH
// among them is the one the program is looked up with), quotes and
// backslashes are removed, a leading ~ is the home folder. `known` is
// false when only the shell can tell: the line holds an expansion, a
// substitution, a pattern, a redirection, a grouping or a reserved word
// before its program.
struct FirstCommand {
  bool known = true;
  std::string program;  // empty: the line only assigns (or is empty)
  bool haspath = false;
  std::string path;
};

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Characters that make the shell do more with a word than remove quotes.
bool is_special(char c) { return std::strchr("$`()<>;&|*?[\n{}#!", c) != nullptr; }

bool is_name(const std::string& s) {
  if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_')) return false;
  for (char c : s)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
  return true;
}

// One word from `at`: its text with the quotes removed, and the length of
// its unquoted start (an assignment's name must be unquoted). False when
// the word needs the shell.
bool next_word(const std::string& cmd, std::size_t& at, std::string& word, std::size_t& plain, bool& tilde) {
  word.clear();
  plain = std::string::npos;
  tilde = false;
  bool quoted = false;
  while (at < cmd.size() && !is_blank(cmd[at])) {
    const char c = cmd[at];
    if (c == '\'') {
      const std::size_t end = cmd.find('\'', at + 1);
      if (end == std::string::npos) return false;
      if (!quoted) plain = word.size();
      quoted = true;
      word += cmd.substr(at + 1, end - at - 1);
      at = end + 1;
    } else if (c == '"') {
      if (!quoted) plain = word.size();
      quoted = true;
      for (++at;; ++at) {
        if (at >= cmd.size()) return false;
        const char d = cmd[at];
        if (d == '"') break;
        if (d == '$' || d == '`') return false;
        if (d == '\\' && at + 1 < cmd.size() && std::strchr("$`\"\\", cmd[at + 1])) ++at;
        word += cmd[at];
      }
      ++at;
    } else if (c == '\\') {
      if (at + 1 >= cmd.size() || cmd[at + 1] == '\n') return false;
      if (!quoted) plain = word.size();
      quoted = true;
      word += cmd[at + 1];
      at += 2;
    } else if (c == '~' && word.empty() && !quoted) {
      tilde = true;
      word += c;
      ++at;
    } else if (is_special(c)) {
      return false;
    } else {
      word += c;
      ++at;
    }
  }
  if (plain == std::string::npos) plain = word.size();
  return true;
}

// A word that begins with an unquoted ~: ~ and ~/... are in the home
// folder, ~name/... in that user's.
bool expand_tilde(std::string& word) {
  const std::size_t slash = word.find('/');
  const std::string user = word.substr(1, slash == std::string::npos ? std::string::npos : slash - 1);
  std::string home;
  if (user.empty()) {
    const char* h = std::getenv("HOME");
    if (!h) return false;
    home = h;
  } else {
    const struct passwd* pw = ::getpwnam(user.c_str());
    if (!pw || !pw->pw_dir) return false;
    home = pw->pw_dir;
  }
  word = home + (slash == std::string::npos ? std::string() : word.substr(slash));
  return true;
}

bool is_reserved(const std::string& w) {
  static const char* const words[] = {"if", "then", "else", "elif", "fi", "do", "done", "case", "esac",
                                      "while", "until", "for", "in", "!", "{", "}", "[[", "]]", "function"};
  for (const char* r : words)
    if (w == r) return true;
  return false;
}

FirstCommand first_command(const std::string& cmd) {
  FirstCommand f;
  std::size_t at = 0;
  for (;;) {
    while (at < cmd.size() && is_blank(cmd[at])) ++at;
    if (at >= cmd.size()) return f;
    std::string word;
    std::size_t plain = 0;
    bool tilde = false;
    const std::size_t start = at;
    if (!next_word(cmd, at, word, plain, tilde)) {
      f.known = false;
      return f;
    }
    const std::size_t eq = word.find('=');
    if (eq != std::string::npos && eq < plain && is_name(word.substr(0, eq))) {
      if (word.compare(0, eq, "PATH") == 0) {
        f.haspath = true;
        f.path = word.substr(eq + 1);
      }
      continue;
    }
    if (tilde && !expand_tilde(word)) {
      f.known = false;
      return f;
    }
    // A reserved word only counts unquoted.
    if (plain == word.size() && is_reserved(cmd.substr(start, at - start))) {
      f.known = false;
      return f;
    }
    f.program = word;
    return f;
  }
}

// Whether the shell can start the program of the command line, so that a
// missing program is never reported as started: a program named with a
// slash must be an executable file; any other is asked of the shell (a
// program along the PATH of the line, or one of the shell's own
// commands). A line whose program only the shell can know is left to it.
bool startable(const std::string& cmd) {
  if (cmd.find_first_not_of(" \t") == std::string::npos) return false;
  const FirstCommand f = first_command(cmd);
  if (!f.known || f.program.empty()) return true;
  const std::string& program = f.program;
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
    if (f.haspath) ::setenv("PATH", f.path.c_str(), 1);
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
      obj->exit_status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
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

DWORD GetProcessStartError(HANDLE process) {
  KernelObject* obj = kernel::find_object(process, KernelObject::Kind::process);
  if (!obj || !obj->reaped) return ERROR_SUCCESS;
  // The shell's own codes for a command it could not start.
  if (obj->exit_status == 127) return ERROR_FILE_NOT_FOUND;
  if (obj->exit_status == 126) return ERROR_ACCESS_DENIED;
  return ERROR_SUCCESS;
}

}  // namespace plat
