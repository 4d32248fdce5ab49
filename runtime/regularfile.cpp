#include "runtime/regularfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tsd::runtime {

int openregularfile(const std::string& hostname, int flags, mode_t mode) {
  // Without O_NONBLOCK the open of a named pipe waits for its other end.
  const int fd = ::open(hostname.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode);
  if (fd < 0) return -1;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  const int fl = fcntl(fd, F_GETFL);
  if (fl < 0 || fcntl(fd, F_SETFL, fl & ~O_NONBLOCK) != 0) {
    const int e = errno;
    ::close(fd);
    errno = e;
    return -1;
  }
  return fd;
}

WholeFileStatus readregularfile(const std::string& hostname, std::string& out, std::size_t most) {
  out.clear();
  const int fd = openregularfile(hostname, O_RDONLY);
  if (fd < 0) return WholeFileStatus::cannot_open;
  char block[8192];
  while (out.size() < most) {
    const std::size_t want = std::min(sizeof block, most - out.size());
    const ssize_t n = ::read(fd, block, want);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int e = errno;
      ::close(fd);
      out.clear();
      errno = e;
      return WholeFileStatus::read_failed;
    }
    if (n == 0) break;
    out.append(block, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return WholeFileStatus::ok;
}

}  // namespace tsd::runtime
