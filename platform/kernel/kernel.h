// Kernel services: files, environment, directories, version, time, processes.
//
// Our own implementation, on the host's POSIX services, of the kernel
// functions the toolkit calls, under their usual names. Every text passed in
// or out is code page 1250 and NUL-terminated; file names, directory names
// and environment texts are converted to and from UTF-8 at the host boundary
// only. A failing function records a Windows-style error code that
// GetLastError returns (the table below); success does not clear it, except
// where a function's description says so.
//
// Resources embedded in the program (FindResourceA and friends) are in
// platform/kernel/resources.h.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "platform/user/user_constants.h"

namespace plat {

using HANDLE = void*;
using LPCSTR = const char*;
using LPSTR = char*;

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

// Error codes reported by GetLastError.
inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
inline constexpr DWORD ERROR_TOO_MANY_OPEN_FILES = 4;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr DWORD ERROR_NOT_SAME_DEVICE = 17;
inline constexpr DWORD ERROR_NO_MORE_FILES = 18;
inline constexpr DWORD ERROR_WRITE_FAULT = 29;
inline constexpr DWORD ERROR_READ_FAULT = 30;
inline constexpr DWORD ERROR_GEN_FAILURE = 31;
inline constexpr DWORD ERROR_FILE_EXISTS = 80;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_DISK_FULL = 112;
inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr DWORD ERROR_INVALID_NAME = 123;
inline constexpr DWORD ERROR_DIR_NOT_EMPTY = 145;
inline constexpr DWORD ERROR_ALREADY_EXISTS = 183;
inline constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;
inline constexpr DWORD ERROR_ENVVAR_NOT_FOUND = 203;
inline constexpr DWORD ERROR_DIRECTORY = 267;
inline constexpr DWORD ERROR_RESOURCE_DATA_NOT_FOUND = 1812;
inline constexpr DWORD ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;
inline constexpr DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;

DWORD GetLastError();
void SetLastError(DWORD code);

// ---- Files -----------------------------------------------------------------

inline constexpr DWORD GENERIC_READ = 0x80000000u;
inline constexpr DWORD GENERIC_WRITE = 0x40000000u;
inline constexpr DWORD FILE_SHARE_READ = 0x1;
inline constexpr DWORD FILE_SHARE_WRITE = 0x2;
inline constexpr DWORD CREATE_NEW = 1;         // fails when the file exists
inline constexpr DWORD CREATE_ALWAYS = 2;      // creates or truncates
inline constexpr DWORD OPEN_EXISTING = 3;      // fails when the file is missing
inline constexpr DWORD OPEN_ALWAYS = 4;        // opens or creates
inline constexpr DWORD TRUNCATE_EXISTING = 5;  // opens and truncates, must exist
inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
inline constexpr DWORD FILE_BEGIN = 0;
inline constexpr DWORD FILE_CURRENT = 1;
inline constexpr DWORD FILE_END = 2;
inline constexpr DWORD INVALID_SET_FILE_POINTER = 0xffffffffu;

// Sharing, security attributes, flags and template are accepted and ignored
// (the host has no mandatory sharing modes). A directory cannot be opened.
HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, void* security, DWORD disposition,
                   DWORD flags, HANDLE template_file);
// Reading at the end of the file succeeds with 0 bytes read. `overlapped`
// must be null.
BOOL ReadFile(HANDLE file, void* buffer, DWORD to_read, DWORD* read, void* overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD to_write, DWORD* written, void* overlapped);
// Positions beyond 4 GiB are reported through `high` when it is given.
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* high, DWORD method);
BOOL CloseHandle(HANDLE object);
// Writes what the file holds through to the disk (fsync).
BOOL FlushFileBuffers(HANDLE file);

BOOL DeleteFileA(LPCSTR name);
// Renames or moves; fails when the target exists (as on Windows).
BOOL MoveFileA(LPCSTR from, LPCSTR to);
BOOL CopyFileA(LPCSTR from, LPCSTR to, BOOL fail_if_exists);
// Puts the file `replacement` in the place of the existing file `replaced`
// in one step (a rename): `replaced` is either the old file or the new one,
// never a mixture. The new file gets the old one's permissions; when
// `replaced` is a symbolic link, the file it points to is replaced and the
// link stays. Fails with ERROR_FILE_NOT_FOUND when `replaced` does not
// exist, and with ERROR_NOT_SAME_DEVICE when the two are on different file
// systems. A backup name is not supported (must be null); flags, exclude
// and reserved are ignored.
BOOL ReplaceFileA(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD flags, void* exclude,
                  void* reserved);
BOOL CreateDirectoryA(LPCSTR name, void* security);
BOOL RemoveDirectoryA(LPCSTR name);
// Free space of the file system holding `root` (the current directory when
// null), expressed as clusters of sectors; the counts are capped at 32 bits.
BOOL GetDiskFreeSpaceA(LPCSTR root, DWORD* sectors_per_cluster, DWORD* bytes_per_sector,
                       DWORD* free_clusters, DWORD* total_clusters);

// ---- File search -----------------------------------------------------------

struct FILETIME {
  DWORD dwLowDateTime = 0;   // 100-ns intervals since 1601-01-01, UTC
  DWORD dwHighDateTime = 0;
};

inline constexpr int MAX_PATH = 260;

struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes = 0;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh = 0;
  DWORD nFileSizeLow = 0;
  DWORD dwReserved0 = 0;
  DWORD dwReserved1 = 0;
  char cFileName[MAX_PATH] = {};
  char cAlternateFileName[14] = {};
};

// The pattern is a directory part (up to the last "/") and a name pattern
// with "*" and "?", matched case-insensitively. Names too long for
// cFileName are skipped.
HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* found);
BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* found);
BOOL FindClose(HANDLE search);

BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local);
// MS-DOS packed date (bits 15-9 year-1980, 8-5 month, 4-0 day) and time
// (15-11 hours, 10-5 minutes, 4-0 seconds/2). Years outside 1980..2107 fail.
BOOL FileTimeToDosDateTime(const FILETIME* time, WORD* date, WORD* dos_time);

// ---- Environment and directories -------------------------------------------

// Returns the value's length without its NUL when it fits in `size` bytes;
// the size needed (with the NUL) when the buffer is too small; 0 with
// ERROR_ENVVAR_NOT_FOUND when the variable is unset.
DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size);
// The system directory of this platform is "/usr/lib", the host's directory
// of system libraries. Length rules as GetCurrentDirectoryA.
UINT GetSystemDirectoryA(LPSTR buffer, UINT size);
// Returns the length without the NUL when it fits, else the size needed
// with the NUL (the buffer is then left unchanged); 0 on failure.
DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer);
BOOL SetCurrentDirectoryA(LPCSTR name);

// ---- Version, time, process ------------------------------------------------

inline constexpr DWORD VER_PLATFORM_WIN32s = 0;
inline constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
  DWORD dwMajorVersion = 0;
  DWORD dwMinorVersion = 0;
  DWORD dwBuildNumber = 0;
  DWORD dwPlatformId = 0;
  char szCSDVersion[128] = {};
};

// This platform reports itself as the NT family, with the host kernel's
// release numbers (major.minor.build) as its version.
BOOL GetVersionExA(OSVERSIONINFOA* info);
// Low byte major, next byte minor, bit 31 clear for the NT family.
DWORD GetVersion();

struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;
  WORD wDayOfWeek = 0;
  WORD wDay = 0;
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
};

void GetLocalTime(SYSTEMTIME* time);
void GetSystemTime(SYSTEMTIME* time);
// Milliseconds since an arbitrary start, on the display backend's clock
// (deterministic in the headless backend); defined with the message queue.
DWORD GetTickCount();
void Sleep(DWORD milliseconds);

// A loaded module. The program itself is the only one; its resources are
// those embedded by the build (platform/kernel/resources.h).
struct Module {
  int id = 0;
};

// The program itself is the only module: a null name or the program file's
// own name (with or without directory and ".exe") gives it, any other null
// with ERROR_FILE_NOT_FOUND.
HMODULE GetModuleHandleA(LPCSTR name);
// Full name of the program file; length rules of the Windows function: the
// name is cut to size - 1 characters when the buffer is short.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);
// The command line: the program's arguments joined by blanks, arguments
// holding blanks in double quotes. Set once by RecordCommandLine.
LPCSTR GetCommandLineA();
void RecordCommandLine(int argc, char** argv);

[[noreturn]] void ExitProcess(UINT code);

// ---- Processes ---------------------------------------------------------------

// SW_HIDE, SW_SHOWNORMAL: the window services' show modes (user_constants.h).
inline constexpr DWORD INFINITE = 0xffffffffu;
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 258;
inline constexpr DWORD WAIT_FAILED = 0xffffffffu;

// Starts the command line through the host shell without waiting. Returns a
// value above 31 when it started, else ERROR_FILE_NOT_FOUND (2: the program
// the shell would run first, read by the shell's rules for words, does not
// exist) or another code below 32. The show mode has no meaning without a
// console window.
UINT WinExec(LPCSTR command_line, UINT show);
// Starts the command line through the host shell; the handle waits with
// WaitForSingleObject and is released with CloseHandle. A program that
// cannot be found (as for WinExec) gives INVALID_HANDLE_VALUE and
// ERROR_FILE_NOT_FOUND; one that only the shell can find out about is
// reported by GetProcessStartError once the command has ended.
HANDLE StartProcess(LPCSTR command_line);
DWORD WaitForSingleObject(HANDLE process, DWORD milliseconds);
// After a started command has ended: what the shell reported when it could
// not start the command's program (ERROR_FILE_NOT_FOUND: not found,
// ERROR_ACCESS_DENIED: not executable), else ERROR_SUCCESS.
DWORD GetProcessStartError(HANDLE process);

}  // namespace plat
