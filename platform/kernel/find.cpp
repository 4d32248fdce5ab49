// File search and file-time conversion.
#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "platform/kernel/handles.h"
#include "text/cp1250.h"
#include "text/letters.h"

namespace plat {

using kernel::KernelObject;

namespace {

// 100-ns intervals between 1601-01-01 and 1970-01-01.
constexpr unsigned long long kEpochDelta = 116444736000000000ull;

FILETIME filetime_from(const struct timespec& ts) {
  unsigned long long v = kEpochDelta + static_cast<unsigned long long>(ts.tv_sec) * 10000000ull +
                         static_cast<unsigned long long>(ts.tv_nsec) / 100;
  return FILETIME{static_cast<DWORD>(v & 0xffffffffu), static_cast<DWORD>(v >> 32)};
}

unsigned long long filetime_value(const FILETIME& t) {
  return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

unsigned char fold(unsigned char c) { return static_cast<unsigned char>(text::asciilower(static_cast<char>(c))); }

// "*" any run, "?" one character; case-insensitive for ASCII letters.
bool matches(const char* pat, const char* name) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name) {
    if (*pat == '*') {
      star = pat++;
      resume = name;
    } else if (*pat == '?' || (*pat && fold(*pat) == fold(*name))) {
      ++pat;
      ++name;
    } else if (star) {
      pat = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pat == '*') ++pat;
  return *pat == '\0';
}

void fill(WIN32_FIND_DATAA& d, const std::string& name, const struct stat& st) {
  d = WIN32_FIND_DATAA{};
  d.dwFileAttributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : 0;
  if ((st.st_mode & S_IWUSR) == 0) d.dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
  if (!name.empty() && name[0] == '.' && name != "." && name != "..")
    d.dwFileAttributes |= FILE_ATTRIBUTE_HIDDEN;
  if (d.dwFileAttributes == 0) d.dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
  d.ftCreationTime = filetime_from(st.st_ctim);
  d.ftLastAccessTime = filetime_from(st.st_atim);
  d.ftLastWriteTime = filetime_from(st.st_mtim);
  auto size = static_cast<unsigned long long>(st.st_size);
  d.nFileSizeHigh = static_cast<DWORD>(size >> 32);
  d.nFileSizeLow = static_cast<DWORD>(size & 0xffffffffu);
  std::memcpy(d.cFileName, name.data(), name.size());
}

}  // namespace

HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* found) {
  if (pattern == nullptr || pattern[0] == '\0' || found == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::string pat(pattern);
  std::string dir = ".";
  std::string prefix;
  auto slash = pat.rfind('/');
  if (slash != std::string::npos) {
    dir = slash == 0 ? "/" : pat.substr(0, slash);
    prefix = pat.substr(0, slash + 1);
    pat = pat.substr(slash + 1);
  }
  std::string host_dir = text::utf8_from_cp1250(dir);
  DIR* d = ::opendir(host_dir.c_str());
  if (d == nullptr) {
    SetLastError(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                                     : kernel::error_from_errno(errno));
    return INVALID_HANDLE_VALUE;
  }
  auto obj = std::make_unique<KernelObject>();
  obj->kind = KernelObject::Kind::search;
  while (struct dirent* e = ::readdir(d)) {
    std::string name = text::cp1250_from_utf8(e->d_name);
    if (name.size() >= static_cast<std::size_t>(MAX_PATH)) continue;
    if (!matches(pat.c_str(), name.c_str())) continue;
    struct stat st{};
    std::string full = host_dir + "/" + e->d_name;
    if (::stat(full.c_str(), &st) != 0) continue;
    kernel::FoundFile f;
    f.name = name;
    fill(f.data, name, st);
    obj->found.push_back(f);
  }
  ::closedir(d);
  if (obj->found.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  *found = obj->found[0].data;
  obj->next = 1;
  return kernel::add_object(std::move(obj));
}

BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* found) {
  KernelObject* obj = kernel::find_object(search, KernelObject::Kind::search);
  if (!obj) return FALSE;
  if (obj->next >= obj->found.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  if (found) *found = obj->found[obj->next].data;
  ++obj->next;
  return TRUE;
}

BOOL FindClose(HANDLE search) {
  if (!kernel::find_object(search, KernelObject::Kind::search)) return FALSE;
  kernel::remove_object(search);
  return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local) {
  if (utc == nullptr || local == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  unsigned long long v = filetime_value(*utc);
  auto secs = static_cast<std::time_t>((v - (v >= kEpochDelta ? kEpochDelta : v)) / 10000000ull);
  struct tm lt{};
  ::localtime_r(&secs, &lt);
  long long shift = static_cast<long long>(lt.tm_gmtoff) * 10000000ll;
  auto r = static_cast<unsigned long long>(static_cast<long long>(v) + shift);
  *local = FILETIME{static_cast<DWORD>(r & 0xffffffffu), static_cast<DWORD>(r >> 32)};
  return TRUE;
}

BOOL FileTimeToDosDateTime(const FILETIME* time, WORD* date, WORD* dos_time) {
  if (time == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  unsigned long long v = filetime_value(*time);
  if (v < kEpochDelta) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto secs = static_cast<std::time_t>((v - kEpochDelta) / 10000000ull);
  struct tm t{};
  ::gmtime_r(&secs, &t);  // the file time is already in the wanted zone
  int year = t.tm_year + 1900;
  if (year < 1980 || year > 2107) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (date) *date = static_cast<WORD>(((year - 1980) << 9) | ((t.tm_mon + 1) << 5) | t.tm_mday);
  if (dos_time) *dos_time = static_cast<WORD>((t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec / 2));
  return TRUE;
}

}  // namespace plat
