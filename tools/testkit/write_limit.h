// A write failure made by the system itself, for tests of what a program
// does on a full disk where no small file system can be mounted: a file
// size limit (RLIMIT_FSIZE) makes every write past it fail with EFBIG, as
// a full disk makes it fail with ENOSPC. The signal such a write raises is
// ignored, so the write just fails.
//
// Header only, so any test folder can use it without a library.
#pragma once

#include <signal.h>
#include <sys/resource.h>

namespace tsd::testkit {

// Limits the files this process writes to `bytes` (0: no limit is set).
// For a child about to start a program, the limit stays with the program.
inline bool limitfilesize(rlim_t bytes) {
  if (bytes == 0) return true;
  signal(SIGXFSZ, SIG_IGN);
  rlimit r{};
  if (getrlimit(RLIMIT_FSIZE, &r) != 0) return false;
  r.rlim_cur = bytes;
  return setrlimit(RLIMIT_FSIZE, &r) == 0;
}

// The limit for the lifetime of the object, in this process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    old_handler_ = signal(SIGXFSZ, SIG_IGN);
    ok_ = limitfilesize(bytes);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, old_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool ok() const { return ok_; }

 private:
  rlimit saved_{};
  sighandler_t old_handler_ = SIG_DFL;
  bool ok_ = false;
};

}  // namespace tsd::testkit
