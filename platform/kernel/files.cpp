// File services: open, read, write, seek, close, and whole-file operations.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/kernel/handles.h"

namespace plat {

using kernel::KernelObject;

namespace {

// Whether the directory part of a host path exists: a missing file in a
// missing directory is "path not found", as on Windows.
bool parent_exists(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return true;
  std::string dir = slash == 0 ? "/" : path.substr(0, slash);
  struct stat st{};
  return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, void* security, DWORD disposition,
                   DWORD flags, HANDLE template_file) {
  std::string path;
  if (!kernel::host_path(name, path)) return INVALID_HANDLE_VALUE;
  int o = 0;
  bool rd = (access & GENERIC_READ) != 0;
  bool wr = (access & GENERIC_WRITE) != 0;
  if (rd && wr) o = O_RDWR;
  else if (wr) o = O_WRONLY;
  else o = O_RDONLY;
  switch (disposition) {
    case CREATE_NEW: o |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: o |= O_CREAT | O_TRUNC; break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: o |= O_CREAT; break;
    case TRUNCATE_EXISTING: o |= O_TRUNC; break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return INVALID_HANDLE_VALUE;
  }
  if ((o & O_TRUNC) && !wr) {
    // Truncation needs write access on the host; the handle stays read-only.
    int t = ::open(path.c_str(), O_WRONLY | (o & (O_CREAT | O_TRUNC)) | O_CLOEXEC, 0666);
    if (t < 0) { kernel::fail_errno(errno); return INVALID_HANDLE_VALUE; }
    ::close(t);
    o &= ~(O_CREAT | O_TRUNC);
  }
  int fd = ::open(path.c_str(), o | O_CLOEXEC, 0666);
  if (fd < 0) {
    int err = errno;
    if (err == EEXIST) SetLastError(ERROR_FILE_EXISTS);
    else if (err == ENOENT && ((o & O_CREAT) || !parent_exists(path))) SetLastError(ERROR_PATH_NOT_FOUND);
    else kernel::fail_errno(err);
    return INVALID_HANDLE_VALUE;
  }
  struct stat st{};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  auto obj = std::make_unique<KernelObject>();
  obj->kind = KernelObject::Kind::file;
  obj->fd = fd;
  return kernel::add_object(std::move(obj));
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD to_read, DWORD* read, void* overlapped) {
  if (read) *read = 0;
  KernelObject* obj = kernel::find_object(file, KernelObject::Kind::file);
  if (!obj) return FALSE;
  if (overlapped != nullptr || (buffer == nullptr && to_read > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto* p = static_cast<char*>(buffer);
  DWORD done = 0;
  while (done < to_read) {
    ssize_t n = ::read(obj->fd, p + done, to_read - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      kernel::fail_errno(errno == EBADF ? EACCES : errno);
      if (read) *read = done;
      return FALSE;
    }
    if (n == 0) break;
    done += static_cast<DWORD>(n);
  }
  if (read) *read = done;
  return TRUE;
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD to_write, DWORD* written, void* overlapped) {
  if (written) *written = 0;
  KernelObject* obj = kernel::find_object(file, KernelObject::Kind::file);
  if (!obj) return FALSE;
  if (overlapped != nullptr || (buffer == nullptr && to_write > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const auto* p = static_cast<const char*>(buffer);
  DWORD done = 0;
  while (done < to_write) {
    ssize_t n = ::write(obj->fd, p + done, to_write - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      kernel::fail_errno(errno == EBADF ? EACCES : errno);
      if (written) *written = done;
      return FALSE;
    }
    done += static_cast<DWORD>(n);
  }
  if (written) *written = done;
  return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, LONG* high, DWORD method) {
  KernelObject* obj = kernel::find_object(file, KernelObject::Kind::file);
  if (!obj) return INVALID_SET_FILE_POINTER;
  int whence = method == FILE_BEGIN ? SEEK_SET : method == FILE_CURRENT ? SEEK_CUR
             : method == FILE_END ? SEEK_END : -1;
  if (whence < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  // Without `high` the distance is a signed 32-bit value; with it, the two
  // form one signed 64-bit distance.
  long long d = high ? (static_cast<long long>(*high) << 32) | static_cast<DWORD>(distance)
                     : static_cast<long long>(distance);
  off_t pos = ::lseek(obj->fd, static_cast<off_t>(d), whence);
  if (pos < 0) {
    kernel::fail_errno(errno);  // a position before the start gives EINVAL
    return INVALID_SET_FILE_POINTER;
  }
  auto upos = static_cast<unsigned long long>(pos);
  if (high) *high = static_cast<LONG>(upos >> 32);
  else if (upos > 0xfffffffeull) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  // A valid position of 0xffffffff is told from failure by a cleared error.
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(upos & 0xffffffffu);
}

BOOL DeleteFileA(LPCSTR name) {
  std::string path;
  if (!kernel::host_path(name, path)) return FALSE;
  struct stat st{};
  if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (::unlink(path.c_str()) != 0) {
    kernel::fail_errno(errno);
    return FALSE;
  }
  return TRUE;
}

BOOL MoveFileA(LPCSTR from, LPCSTR to) {
  std::string a, b;
  if (!kernel::host_path(from, a) || !kernel::host_path(to, b)) return FALSE;
  struct stat st{};
  if (::lstat(a.c_str(), &st) != 0) {
    kernel::fail_errno(errno);
    return FALSE;
  }
  if (::lstat(b.c_str(), &st) == 0) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return FALSE;
  }
  if (::rename(a.c_str(), b.c_str()) != 0) {
    kernel::fail_errno(errno);
    return FALSE;
  }
  return TRUE;
}

BOOL ReplaceFileA(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD /*flags*/, void* /*exclude*/,
                  void* /*reserved*/) {
  std::string a, b;
  if (!kernel::host_path(replaced, a) || !kernel::host_path(replacement, b)) return FALSE;
  if (backup != nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  struct stat st{};
  if (::stat(a.c_str(), &st) != 0) {
    kernel::fail_errno(errno);
    return FALSE;
  }
  if (S_ISDIR(st.st_mode)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  // A link is followed to the file it names, which is the one replaced.
  std::string target = a;
  if (char* real = ::realpath(a.c_str(), nullptr)) {
    target = real;
    std::free(real);
  }
  if (::chmod(b.c_str(), st.st_mode & 07777) != 0) {
    kernel::fail_errno(errno);
    return FALSE;
  }
  if (::rename(b.c_str(), target.c_str()) != 0) {
    kernel::fail_errno(errno);
    return FALSE;
  }
  return TRUE;
}

BOOL CopyFileA(LPCSTR from, LPCSTR to, BOOL fail_if_exists) {
  std::string a, b;
  if (!kernel::host_path(from, a) || !kernel::host_path(to, b)) return FALSE;
  int in = ::open(a.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    kernel::fail_errno(errno);
    return FALSE;
  }
  struct stat st{};
  if (::fstat(in, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(in);
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  int o = O_WRONLY | O_CREAT | O_CLOEXEC | (fail_if_exists ? O_EXCL : O_TRUNC);
  int out = ::open(b.c_str(), o, 0666);
  if (out < 0) {
    if (errno == EEXIST) SetLastError(ERROR_FILE_EXISTS);
    else kernel::fail_errno(errno);
    ::close(in);
    return FALSE;
  }
  char buf[65536];
  bool ok = true;
  int err = 0;
  for (;;) {
    ssize_t n = ::read(in, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      err = errno;
      break;
    }
    if (n == 0) break;
    ssize_t off = 0;
    while (off < n) {
      ssize_t w = ::write(out, buf + off, static_cast<std::size_t>(n - off));
      if (w < 0) {
        if (errno == EINTR) continue;
        ok = false;
        err = errno;
        break;
      }
      off += w;
    }
    if (!ok) break;
  }
  ::close(in);
  if (::close(out) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    kernel::fail_errno(err);
    return FALSE;
  }
  return TRUE;
}

BOOL CreateDirectoryA(LPCSTR name, void* security) {
  std::string path;
  if (!kernel::host_path(name, path)) return FALSE;
  if (::mkdir(path.c_str(), 0777) != 0) {
    if (errno == ENOENT) SetLastError(ERROR_PATH_NOT_FOUND);
    else kernel::fail_errno(errno);
    return FALSE;
  }
  return TRUE;
}

BOOL RemoveDirectoryA(LPCSTR name) {
  std::string path;
  if (!kernel::host_path(name, path)) return FALSE;
  if (::rmdir(path.c_str()) != 0) {
    if (errno == ENOTDIR) SetLastError(ERROR_DIRECTORY);
    else if (errno == EEXIST) SetLastError(ERROR_DIR_NOT_EMPTY);
    else kernel::fail_errno(errno);
    return FALSE;
  }
  return TRUE;
}

BOOL GetDiskFreeSpaceA(LPCSTR root, DWORD* sectors_per_cluster, DWORD* bytes_per_sector,
                       DWORD* free_clusters, DWORD* total_clusters) {
  std::string path = ".";
  if (root != nullptr && root[0] != '\0' && !kernel::host_path(root, path)) return FALSE;
  struct statvfs vfs{};
  if (::statvfs(path.c_str(), &vfs) != 0) {
    kernel::fail_errno(errno);
    return FALSE;
  }
  // One sector of 512 bytes where the block size allows it; a cluster is a
  // file-system block.
  unsigned long long block = vfs.f_frsize ? vfs.f_frsize : vfs.f_bsize;
  DWORD sector = block >= 512 && block % 512 == 0 ? 512 : static_cast<DWORD>(block);
  auto cap = [](unsigned long long v) {
    return static_cast<DWORD>(v > 0xffffffffull ? 0xffffffffull : v);
  };
  if (sectors_per_cluster) *sectors_per_cluster = cap(block / sector);
  if (bytes_per_sector) *bytes_per_sector = sector;
  if (free_clusters) *free_clusters = cap(vfs.f_bavail);
  if (total_clusters) *total_clusters = cap(vfs.f_blocks);
  return TRUE;
}

BOOL FlushFileBuffers(HANDLE file) {
  KernelObject* obj = kernel::find_object(file, KernelObject::Kind::file);
  if (!obj) return FALSE;
  if (::fsync(obj->fd) != 0) {
    kernel::fail_errno(errno);
    return FALSE;
  }
  return TRUE;
}

BOOL CloseHandle(HANDLE object) {
  using Kind = KernelObject::Kind;
  KernelObject* obj = kernel::find_object(object, Kind::file);
  if (!obj) obj = kernel::find_object(object, Kind::process);
  if (!obj) obj = kernel::find_object(object, Kind::search);
  if (!obj) return FALSE;  // ERROR_INVALID_HANDLE is set
  if (obj->kind == Kind::file && obj->fd >= 0) ::close(obj->fd);
  if (obj->kind == Kind::process && !obj->reaped) {
    // A process that has already ended is collected now; one still running
    // is left to itself.
    int st = 0;
    ::waitpid(obj->pid, &st, WNOHANG);
  }
  kernel::remove_object(object);
  return TRUE;
}

}  // namespace plat
