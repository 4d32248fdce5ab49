// Kernel objects behind HANDLE values, and helpers shared by the kernel
// service files: host error translation and file-name conversion.
// Internal to platform/kernel.
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/kernel/kernel.h"

namespace plat::kernel {

struct FoundFile {
  std::string name;  // code page 1250
  WIN32_FIND_DATAA data;
};

struct KernelObject {
  enum class Kind { file, search, process };
  Kind kind = Kind::file;
  int fd = -1;                      // file
  std::vector<FoundFile> found;     // search: the matches, in directory order
  std::size_t next = 0;             // search: next match to return
  pid_t pid = -1;                   // process
  bool reaped = false;              // process: exit status collected
  int exit_status = -1;             // process: its exit code once reaped (-1: ended by a signal)
};

// Registers an object and returns its handle (never null, never
// INVALID_HANDLE_VALUE).
HANDLE add_object(std::unique_ptr<KernelObject> object);
// The object of a handle of the given kind, or null (ERROR_INVALID_HANDLE set).
KernelObject* find_object(HANDLE handle, KernelObject::Kind kind);
// Drops the object; false for an unknown handle.
bool remove_object(HANDLE handle);

// Windows error code for a host errno value.
DWORD error_from_errno(int err);
// Records the translated errno as the last error.
void fail_errno(int err);

// Host (UTF-8) path of a code-page name; false (ERROR_INVALID_PARAMETER)
// for a null or empty name.
bool host_path(LPCSTR name, std::string& out);

// Copies text plus NUL into buffer of size bytes when it fits and returns
// its length; otherwise leaves the buffer and returns the size needed.
DWORD copy_out(const std::string& text, char* buffer, DWORD size);

}  // namespace plat::kernel
