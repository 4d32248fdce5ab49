// The toolkit's operating-system services on the platform's kernel.
#include "toolkit/window/oswin.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/kernel/kernel.h"
#include "platform/user/dialog/dialog.h"
#include "platform/user/user.h"
#include "toolkit/window/records.h"

namespace tsd {

namespace {

using plat::DWORD;
using plat::HANDLE;

HANDLE to_handle(int h) {
  return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(h));
}

int from_handle(HANDLE h) {
  if (h == plat::INVALID_HANDLE_VALUE) return -1;
  return static_cast<int>(reinterpret_cast<std::intptr_t>(h));
}

int last_error() { return static_cast<int>(plat::GetLastError()); }

int status_of(plat::BOOL ok) { return ok ? 0 : last_error(); }

// The search that xxfind continues; xxfindclose ends it.
HANDLE search = plat::INVALID_HANDLE_VALUE;
// Timer id of xxwait on the drawing window.
constexpr plat::UINT_PTR kWaitTimer = 999;
// Whether the debug file has been started in this run.
bool debug_started = false;

void read_bytes(int handle, void* buffer, int n, int& count, int& status) {
  DWORD got = 0;
  if (plat::ReadFile(to_handle(handle), buffer, static_cast<DWORD>(n < 0 ? 0 : n), &got, nullptr)) {
    count = static_cast<int>(got);
    status = 0;
  } else {
    count = 0;
    status = last_error();
  }
}

void write_bytes(int handle, const void* buffer, int n, int& count, int& status) {
  DWORD put = 0;
  if (plat::WriteFile(to_handle(handle), buffer, static_cast<DWORD>(n < 0 ? 0 : n), &put, nullptr)) {
    count = static_cast<int>(put);
    status = 0;
  } else {
    count = 0;
    status = last_error();
  }
}

// A directory-style query with the Windows length rules: 0 is failure, a
// result not below size is the size needed.
int dir_status(DWORD result, int size) {
  if (result == 0) return last_error();
  if (result >= static_cast<DWORD>(size)) return static_cast<int>(plat::ERROR_INSUFFICIENT_BUFFER);
  return 0;
}

void debug_line(const std::string& line) {
  HANDLE h = plat::CreateFileA("debug", plat::GENERIC_WRITE, 0, nullptr,
                               debug_started ? plat::OPEN_ALWAYS : plat::CREATE_ALWAYS, 0, nullptr);
  if (h == plat::INVALID_HANDLE_VALUE) return;
  debug_started = true;
  plat::SetFilePointer(h, 0, nullptr, plat::FILE_END);
  DWORD n = 0;
  std::string out = line + "\n";
  plat::WriteFile(h, out.data(), static_cast<DWORD>(out.size()), &n, nullptr);
  plat::CloseHandle(h);
}

}  // namespace

void xxopen(const char* name, int mode, int& handle, int& status) {
  HANDLE h = plat::INVALID_HANDLE_VALUE;
  if (mode == 0) {
    h = plat::CreateFileA(name, plat::GENERIC_READ, plat::FILE_SHARE_READ, nullptr,
                          plat::OPEN_EXISTING, plat::FILE_ATTRIBUTE_NORMAL, nullptr);
  } else if (mode == 1) {
    h = plat::CreateFileA(name, plat::GENERIC_WRITE, 0, nullptr, plat::CREATE_ALWAYS,
                          plat::FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != plat::INVALID_HANDLE_VALUE) {
      plat::CloseHandle(h);
      h = plat::CreateFileA(name, plat::GENERIC_WRITE, 0, nullptr, plat::OPEN_EXISTING,
                            plat::FILE_ATTRIBUTE_NORMAL, nullptr);
    }
  } else {
    h = plat::CreateFileA(name, plat::GENERIC_READ | plat::GENERIC_WRITE, 0, nullptr,
                          plat::OPEN_EXISTING, plat::FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  handle = from_handle(h);
  status = handle == -1 ? last_error() : 0;
}

void xxclos(int handle) { plat::CloseHandle(to_handle(handle)); }

void xxread(int handle, std::uint8_t* buffer, int n, int& count, int& status) {
  read_bytes(handle, buffer, n, count, status);
}

void xxreadc(int handle, char* buffer, int n, int& count, int& status) {
  read_bytes(handle, buffer, n, count, status);
}

void xxgenv(int& length, const char* name, char* value, int size) {
  length = static_cast<int>(plat::GetEnvironmentVariableA(name, value, static_cast<DWORD>(size < 0 ? 0 : size)));
}

void xxsysdir(char* buffer, int& status, int size) {
  status = dir_status(plat::GetSystemDirectoryA(buffer, static_cast<plat::UINT>(size < 0 ? 0 : size)), size);
}

void xxdirn(char* buffer, int& status, int size) {
  status = dir_status(plat::GetCurrentDirectoryA(static_cast<DWORD>(size < 0 ? 0 : size), buffer), size);
}

void xxdirc(const char* directory, int& status) { status = status_of(plat::SetCurrentDirectoryA(directory)); }

void xxmwinmessagebox(const char* title, const char* text) {
  plat::MessageBoxA(Window, text ? text : "", title ? title : "", plat::MB_OK | plat::MB_ICONERROR);
}

void xxmwinver(int& major, int& minor) {
  plat::OSVERSIONINFOA v;
  plat::GetVersionExA(&v);
  major = static_cast<int>(v.dwMajorVersion);
  minor = static_cast<int>(v.dwMinorVersion);
}

void xxmwinvariant(int& kind) {
  plat::OSVERSIONINFOA v;
  plat::GetVersionExA(&v);
  kind = v.dwPlatformId == plat::VER_PLATFORM_WIN32s ? 2
       : v.dwPlatformId == plat::VER_PLATFORM_WIN32_WINDOWS ? 3 : 4;
}

void xxexec(const char* command, int& status) {
  status = static_cast<int>(plat::WinExec(command, plat::SW_SHOWNORMAL));
}

void xxwrit(int handle, const std::uint8_t* buffer, int n, int& count, int& status) {
  write_bytes(handle, buffer, n, count, status);
}

void xxwritc(int handle, const char* buffer, int n, int& count, int& status) {
  write_bytes(handle, buffer, n, count, status);
}

void xxseek(int handle, int& offset, int origin, int& status) {
  plat::SetLastError(plat::ERROR_SUCCESS);
  DWORD pos = plat::SetFilePointer(to_handle(handle), offset, nullptr, static_cast<DWORD>(origin));
  if (pos == plat::INVALID_SET_FILE_POINTER && plat::GetLastError() != plat::ERROR_SUCCESS) {
    offset = -1;
    status = last_error();
    return;
  }
  offset = static_cast<int>(pos);
  status = 0;
}

void xxdate(int& year, int& month, int& day) {
  plat::SYSTEMTIME t;
  plat::GetLocalTime(&t);
  year = t.wYear;
  month = t.wMonth;
  day = t.wDay;
}

void xxtime(int& hour, int& minute, int& second, int& hundredths) {
  plat::SYSTEMTIME t;
  plat::GetLocalTime(&t);
  hour = t.wHour;
  minute = t.wMinute;
  second = t.wSecond;
  hundredths = t.wMilliseconds;
}

void xxmwincurrtime(int& time) { time = static_cast<int>(plat::GetTickCount() / 10); }

void xxdspace(int& bytes) {
  DWORD spc = 0, bps = 0, free_clusters = 0, total = 0;
  if (!plat::GetDiskFreeSpaceA(nullptr, &spc, &bps, &free_clusters, &total)) {
    bytes = 0;
    return;
  }
  // The product of the three counts exceeds 32 bits on any disk of today:
  // saturate instead of wrapping into a wrong or negative figure.
  unsigned long long b = static_cast<unsigned long long>(spc) * bps * free_clusters;
  bytes = b > static_cast<unsigned long long>(INT_MAX) ? INT_MAX : static_cast<int>(b);
}

void xxexit(int code) { plat::ExitProcess(static_cast<plat::UINT>(code)); }

void xxdird(const char* directory, int& status) { status = status_of(plat::RemoveDirectoryA(directory)); }
void xxdirm(const char* directory, int& status) { status = status_of(plat::CreateDirectoryA(directory, nullptr)); }
void xxdelf(const char* name, int& status) { status = status_of(plat::DeleteFileA(name)); }
void xxrenf(const char* old_name, const char* new_name, int& status) {
  status = status_of(plat::MoveFileA(old_name, new_name));
}
void xxcopyf(const char* from, const char* to, int& status) {
  status = status_of(plat::CopyFileA(from, to, plat::FALSE));
}

void xxcmnd(const char* command, int hidden, int wait, int timeout, int& status) {
  if (wait == 0) {
    plat::UINT r = plat::WinExec(command, hidden == 0 ? plat::SW_SHOWNORMAL : plat::SW_HIDE);
    status = r > 31 ? 0 : static_cast<int>(r);
    return;
  }
  HANDLE p = plat::StartProcess(command);
  if (p == plat::INVALID_HANDLE_VALUE) {
    status = last_error();
    return;
  }
  DWORD limit = timeout < 0 ? plat::INFINITE : static_cast<DWORD>(timeout) * 1000u;
  DWORD r = plat::WaitForSingleObject(p, limit);
  // A command that ended may still be one whose program the shell could
  // not start: that is its report.
  status = r == plat::WAIT_OBJECT_0   ? static_cast<int>(plat::GetProcessStartError(p))
           : r == plat::WAIT_TIMEOUT ? -1
                                     : last_error();
  plat::CloseHandle(p);
}

void xxfind(int mode, char* name, int name_size, int& attributes, int& datetime, int& size,
            int& status) {
  plat::WIN32_FIND_DATAA d;
  if (mode == 0) {
    xxfindclose();
    search = plat::FindFirstFileA(name, &d);
    if (search == plat::INVALID_HANDLE_VALUE) {
      status = last_error();
      return;
    }
  } else if (!plat::FindNextFileA(search, &d)) {
    status = plat::GetLastError() == plat::ERROR_NO_MORE_FILES ? 1 : last_error();
    return;
  }
  if (name != nullptr && name_size > 0) {
    std::size_t n = std::strlen(d.cFileName);
    if (n > static_cast<std::size_t>(name_size - 1)) n = static_cast<std::size_t>(name_size - 1);
    std::memcpy(name, d.cFileName, n);
    name[n] = '\0';
  }
  attributes = static_cast<int>(d.dwFileAttributes);
  plat::FILETIME local;
  plat::WORD date = 0, time = 0;
  datetime = 0;
  if (plat::FileTimeToLocalFileTime(&d.ftLastWriteTime, &local) &&
      plat::FileTimeToDosDateTime(&local, &date, &time))
    datetime = static_cast<int>((static_cast<std::uint32_t>(date) << 16) | time);
  size = static_cast<int>(d.nFileSizeLow);
  status = 0;
}

void xxfindclose() {
  if (search != plat::INVALID_HANDLE_VALUE) plat::FindClose(search);
  search = plat::INVALID_HANDLE_VALUE;
}

void xxgetcl(char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return;
  std::snprintf(buffer, static_cast<std::size_t>(size), "%s", plat::GetCommandLineA());
}

void xxgetexe(char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return;
  if (plat::GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size)) == 0) buffer[0] = '\0';
}

void xxwait(int hundredths) {
  plat::HWND target = Window;
  if (hundredths < 1 || !target) return;
  // 21474836 hundredths is the longest wait a 32-bit millisecond count holds.
  const plat::UINT ms = static_cast<plat::UINT>(hundredths > 21474836 ? 21474836 : hundredths) * 10u;
  if (!plat::SetTimer(target, kWaitTimer, ms, nullptr)) return;
  plat::MSG msg;
  for (;;) {
    const plat::BOOL got = plat::GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      // A quit request belongs to the program's own loop: leave it queued.
      plat::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) break;
    if (msg.message == plat::WM_TIMER && msg.hwnd == target && msg.wParam == kWaitTimer) break;
    plat::TranslateMessage(&msg);
    plat::DispatchMessageA(&msg);
    // A drawing window closed meanwhile takes its timer with it.
    if (!plat::IsWindow(target)) return;
  }
  plat::KillTimer(target, kWaitTimer);
}

void xxdebug(const char* text) { debug_line(text ? text : ""); }

void xxdebugi(const char* text, int value) {
  debug_line(std::string(text ? text : "") + " = " + std::to_string(value));
}

}  // namespace tsd
