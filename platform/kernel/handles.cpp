// Handle table, error translation and name conversion of the kernel services.
#include "platform/kernel/handles.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "text/cp1250.h"

namespace plat::kernel {

namespace {

// Handles are small multiples of 4 so that they survive a round trip
// through a 32-bit integer, as the toolkit stores them.
std::vector<std::unique_ptr<KernelObject>>& table() {
  static std::vector<std::unique_ptr<KernelObject>> objects;
  return objects;
}

std::size_t slot_of(HANDLE handle) {
  auto v = reinterpret_cast<std::uintptr_t>(handle);
  if (v == 0 || v % 4 != 0) return SIZE_MAX;
  return v / 4 - 1;
}

}  // namespace

HANDLE add_object(std::unique_ptr<KernelObject> object) {
  auto& t = table();
  std::size_t slot = 0;
  while (slot < t.size() && t[slot]) ++slot;
  if (slot == t.size()) t.emplace_back();
  t[slot] = std::move(object);
  return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>((slot + 1) * 4));
}

KernelObject* find_object(HANDLE handle, KernelObject::Kind kind) {
  auto& t = table();
  std::size_t slot = slot_of(handle);
  if (slot >= t.size() || !t[slot] || t[slot]->kind != kind) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return t[slot].get();
}

bool remove_object(HANDLE handle) {
  auto& t = table();
  std::size_t slot = slot_of(handle);
  if (slot >= t.size() || !t[slot]) return false;
  t[slot].reset();
  return true;
}

DWORD error_from_errno(int err) {
  switch (err) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EBUSY:
    case ETXTBSY: return ERROR_ACCESS_DENIED;
    case EBADF: return ERROR_INVALID_HANDLE;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case EIO: return ERROR_GEN_FAILURE;
    default: return ERROR_GEN_FAILURE;
  }
}

void fail_errno(int err) { SetLastError(error_from_errno(err)); }

bool host_path(LPCSTR name, std::string& out) {
  if (name == nullptr || name[0] == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  out = text::utf8_from_cp1250(name);
  return true;
}

DWORD copy_out(const std::string& text, char* buffer, DWORD size) {
  auto n = static_cast<DWORD>(text.size());
  if (buffer == nullptr || size <= n) return n + 1;
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return n;
}

}  // namespace plat::kernel

namespace plat {

namespace {
DWORD last_error = ERROR_SUCCESS;
}

DWORD GetLastError() { return last_error; }
void SetLastError(DWORD code) { last_error = code; }

}  // namespace plat
