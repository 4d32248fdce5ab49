// Environment, directories, version, time, module and process identity.
#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>

#include "platform/kernel/handles.h"
#include "text/cp1250.h"
#include "text/letters.h"

namespace plat {

namespace {

constexpr const char* kSystemDirectory = "/usr/lib";

std::string& command_line() {
  static std::string line;
  return line;
}

std::string program_file() {
  char buf[PATH_MAX + 1];
  ssize_t n = ::readlink("/proc/self/exe", buf, PATH_MAX);
  if (n <= 0) return {};
  return text::cp1250_from_utf8(std::string(buf, static_cast<std::size_t>(n)));
}

std::string lower(std::string s) {
  for (char& c : s) c = text::asciilower(c);
  return s;
}

}  // namespace

DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
  if (name == nullptr || name[0] == '\0') {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return 0;
  }
  const char* v = std::getenv(text::utf8_from_cp1250(name).c_str());
  if (v == nullptr) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return 0;
  }
  return kernel::copy_out(text::cp1250_from_utf8(v), buffer, size);
}

UINT GetSystemDirectoryA(LPSTR buffer, UINT size) {
  return kernel::copy_out(kSystemDirectory, buffer, size);
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
  std::string dir;
  std::size_t cap = 256;
  for (;;) {
    std::string buf(cap, '\0');
    if (::getcwd(buf.data(), cap) != nullptr) {
      dir = buf.c_str();
      break;
    }
    if (errno != ERANGE || cap > (1u << 20)) {
      kernel::fail_errno(errno);
      return 0;
    }
    cap *= 2;
  }
  return kernel::copy_out(text::cp1250_from_utf8(dir), buffer, size);
}

BOOL SetCurrentDirectoryA(LPCSTR name) {
  std::string path;
  if (!kernel::host_path(name, path)) return FALSE;
  if (::chdir(path.c_str()) != 0) {
    if (errno == ENOTDIR) SetLastError(ERROR_DIRECTORY);
    else kernel::fail_errno(errno);
    return FALSE;
  }
  return TRUE;
}

BOOL GetVersionExA(OSVERSIONINFOA* info) {
  if (info == nullptr || info->dwOSVersionInfoSize < sizeof(OSVERSIONINFOA)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  unsigned major = 0, minor = 0, build = 0;
  struct utsname u{};
  if (::uname(&u) == 0) std::sscanf(u.release, "%u.%u.%u", &major, &minor, &build);
  info->dwMajorVersion = major;
  info->dwMinorVersion = minor;
  info->dwBuildNumber = build;
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  info->szCSDVersion[0] = '\0';
  return TRUE;
}

DWORD GetVersion() {
  OSVERSIONINFOA info;
  GetVersionExA(&info);
  return (info.dwMajorVersion & 0xff) | ((info.dwMinorVersion & 0xff) << 8) |
         ((info.dwBuildNumber & 0x7fff) << 16);
}

namespace {
void fill_time(SYSTEMTIME* out, bool local) {
  if (out == nullptr) return;
  auto now = std::chrono::system_clock::now();
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  std::time_t secs = static_cast<std::time_t>(ms / 1000);
  struct tm t{};
  if (local) ::localtime_r(&secs, &t);
  else ::gmtime_r(&secs, &t);
  out->wYear = static_cast<WORD>(t.tm_year + 1900);
  out->wMonth = static_cast<WORD>(t.tm_mon + 1);
  out->wDayOfWeek = static_cast<WORD>(t.tm_wday);
  out->wDay = static_cast<WORD>(t.tm_mday);
  out->wHour = static_cast<WORD>(t.tm_hour);
  out->wMinute = static_cast<WORD>(t.tm_min);
  out->wSecond = static_cast<WORD>(t.tm_sec);
  out->wMilliseconds = static_cast<WORD>(ms % 1000);
}
}  // namespace

void GetLocalTime(SYSTEMTIME* time) { fill_time(time, true); }
void GetSystemTime(SYSTEMTIME* time) { fill_time(time, false); }

// GetTickCount is the window services' (platform/user/queue.cpp): it follows
// the display's clock, which the headless display moves only when the program waits.

void Sleep(DWORD milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

HMODULE GetModuleHandleA(LPCSTR name) {
  static Module program;
  if (name == nullptr) return &program;
  std::string want = lower(name);
  std::string self = lower(program_file());
  auto base = [](const std::string& s) {
    auto p = s.rfind('/');
    return p == std::string::npos ? s : s.substr(p + 1);
  };
  std::string b = base(self);
  if (want == self || want == b || want == b + ".exe") return &program;
  SetLastError(ERROR_FILE_NOT_FOUND);
  return nullptr;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  if (module != nullptr && module != GetModuleHandleA(nullptr)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  std::string self = program_file();
  if (self.empty()) {
    SetLastError(ERROR_GEN_FAILURE);
    return 0;
  }
  if (buffer == nullptr || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (self.size() >= size) {
    std::memcpy(buffer, self.data(), size - 1);
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(buffer, self.c_str(), self.size() + 1);
  return static_cast<DWORD>(self.size());
}

void RecordCommandLine(int argc, char** argv) {
  std::string line;
  for (int i = 0; i < argc; ++i) {
    std::string a = text::cp1250_from_utf8(argv[i] ? argv[i] : "");
    if (i > 0) line += ' ';
    if (a.empty() || a.find_first_of(" \t") != std::string::npos) line += '"' + a + '"';
    else line += a;
  }
  command_line() = line;
}

LPCSTR GetCommandLineA() { return command_line().c_str(); }

void ExitProcess(UINT code) {
  std::fflush(nullptr);
  std::exit(static_cast<int>(code));
}

}  // namespace plat
