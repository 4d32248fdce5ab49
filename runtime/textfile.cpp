// Text output files: append, atomic replace, and the printer device.
#include "runtime/textfile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "runtime/hostfilename.h"
#include "runtime/regularfile.h"
#include "text/cp1250.h"

extern char** environ;

namespace tsd::runtime {

namespace {

// The full name of an executable found on the PATH, or "" when none.
std::string find_in_path(const char* prog) {
  const char* path = std::getenv("PATH");
  std::string_view rest = path != nullptr ? path : "/usr/bin:/bin";
  while (true) {
    const size_t colon = rest.find(':');
    std::string dir(rest.substr(0, colon));
    if (dir.empty()) dir = ".";
    const std::string full = dir + "/" + prog;
    struct stat st {};
    if (stat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(full.c_str(), X_OK) == 0) {
      return full;
    }
    if (colon == std::string_view::npos) return "";
    rest.remove_prefix(colon + 1);
  }
}

// The temporary file of a replacement: the target's name and this, then
// the six characters mkstemp puts for the X's.
constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::size_t kTempLetters = 6;
// Symbolic links followed to the file a replacement replaces, at most (as
// the host follows them).
constexpr int kMaxLinks = 40;
// How often the wait for `lp` looks whether it has ended.
constexpr long kLpPollNanoseconds = 10'000'000;

bool is_temp_of(std::string_view entry, std::string_view base) {
  if (entry.size() != base.size() + kTempSuffix.size() + kTempLetters) return false;
  if (entry.substr(0, base.size()) != base || entry.substr(base.size(), kTempSuffix.size()) != kTempSuffix) return false;
  for (char c : entry.substr(base.size() + kTempSuffix.size()))
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  return true;
}

std::string folder_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The file a replacement of `path` replaces: a symbolic link is followed
// (a relative link from its own folder) to the file it points to, which
// need not exist yet. Empty when the links go round.
std::string replaced_file(std::string path) {
  for (int hops = 0; hops < kMaxLinks; ++hops) {
    std::vector<char> link(PATH_MAX + 1);
    const ssize_t n = readlink(path.c_str(), link.data(), link.size());
    if (n < 0) return path;  // not a link (or none there): the file itself
    if (static_cast<std::size_t>(n) >= link.size()) return "";
    std::string to(link.data(), static_cast<std::size_t>(n));
    path = to.front() == '/' || path.find('/') == std::string::npos ? to : folder_of(path) + "/" + to;
  }
  errno = ELOOP;
  return "";
}

// Creates a temporary file from a template ending in XXXXXX; the template
// is replaced by the name made. The file gets `mode`, and the owner and
// group of `like` when given (as far as the user may give them).
int make_temp(std::string& name, mode_t mode, const struct stat* like) {
  std::vector<char> buf(name.begin(), name.end());
  buf.push_back('\0');
  const int fd = mkostemp(buf.data(), O_CLOEXEC);
  if (fd < 0) return -1;
  name.assign(buf.data());
  if (like != nullptr && fchown(fd, like->st_uid, like->st_gid) != 0 && fchown(fd, static_cast<uid_t>(-1), like->st_gid) != 0) {
    // keep the user's own: only root gives a file away
  }
  if (fchmod(fd, mode) != 0) { /* keep the private mode mkstemp gave */ }
  return fd;
}

// Writes all of `bytes`: one write, unless the host takes fewer (a disk
// that fills, a signal). `done` counts what reached the file.
bool write_all(int fd, std::string_view bytes, std::size_t& done, int& error) {
  done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : EIO;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Makes a rename in `folder` last, as far as the host lets us.
void sync_folder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  if (fsync(fd) != 0) { /* the file itself is on disk; the name will follow */ }
  ::close(fd);
}

double now_seconds() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Sends a file to the print queue; true when `lp` accepted it within
// kLpWaitSeconds. An `lp` that takes longer is stopped, with anything it
// started (its own process group).
bool send_to_lp(const std::string& lp, const std::string& file) {
  posix_spawn_file_actions_t fa;
  if (posix_spawn_file_actions_init(&fa) != 0) return false;
  posix_spawn_file_actions_addopen(&fa, 0, file.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attr;
  if (posix_spawnattr_init(&attr) != 0) {
    posix_spawn_file_actions_destroy(&fa);
    return false;
  }
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attr, 0);
  char arg0[] = "lp";
  char* argv[] = {arg0, nullptr};
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, lp.c_str(), &fa, &attr, argv, environ);
  posix_spawnattr_destroy(&attr);
  posix_spawn_file_actions_destroy(&fa);
  if (rc != 0) return false;
  const double deadline = now_seconds() + kLpWaitSeconds;
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) return false;
    if (now_seconds() >= deadline) {
      kill(-pid, SIGKILL);
      while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
      return false;
    }
    const timespec pause{0, kLpPollNanoseconds};
    nanosleep(&pause, nullptr);
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int removereplaceleftovers(std::string_view name) {
  const std::string named = host_file_name(name);
  if (named.empty()) return 0;
  // The leftovers lie beside the file replaced, where a link points.
  const std::string target = replaced_file(named);
  if (target.empty()) return 0;
  const std::size_t slash = target.rfind('/');
  const std::string dir = folder_of(target);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  DIR* d = opendir(dir.c_str());
  if (d == nullptr) return 0;
  int removed = 0;
  while (const dirent* e = readdir(d)) {
    if (!is_temp_of(e->d_name, base)) continue;
    const std::string path = dir + "/" + e->d_name;
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && unlink(path.c_str()) == 0) ++removed;
  }
  closedir(d);
  return removed;
}

TextFile::~TextFile() { discard(); }

void TextFile::fail(int error) {
  if (!failed_) error_ = error;
  failed_ = true;
}

// The pending text at the end of the file, in one write. When not all of
// it can be written, what was is cut off again, unless another program
// appended after it meanwhile (then cutting would take its text too).
bool TextFile::writepending() {
  if (failed_) return false;
  std::size_t done = 0;
  int error = 0;
  const bool ok = write_all(fd_, pending_, done, error);
  if (done > 0) start_ = lseek(fd_, 0, SEEK_CUR) - static_cast<off_t>(done);
  if (!ok) {
    fail(error);
    struct stat st {};
    if (start_ >= 0 && fstat(fd_, &st) == 0 && st.st_size == start_ + static_cast<off_t>(done) &&
        ftruncate(fd_, start_) != 0) {
      // the host refused the cut as well; the failure is reported either way
    }
  }
  return ok;
}

// Closes an appended file; a failure takes back what this append wrote
// and removes the file when this append created it.
bool TextFile::closeappended() {
  bool ok = writepending();
  if (ok && fsync(fd_) != 0) {
    fail(errno);
    ok = false;
    if (start_ >= 0 && ftruncate(fd_, start_) != 0) { /* reported as failed anyway */ }
  }
  struct stat mine {};
  const bool known = fstat(fd_, &mine) == 0;
  if (::close(fd_) != 0 && ok) {
    fail(errno);
    ok = false;
  }
  fd_ = -1;
  struct stat there {};
  if (!ok && created_ && known && lstat(target_.c_str(), &there) == 0 && there.st_dev == mine.st_dev &&
      there.st_ino == mine.st_ino && there.st_size == 0) {
    unlink(target_.c_str());
  }
  return ok;
}

// Writes, flushes and closes the temporary file and puts it in the
// replaced file's place.
bool TextFile::closereplaced() {
  std::size_t done = 0;
  int error = 0;
  bool ok = !failed_ && write_all(fd_, pending_, done, error);
  if (!ok && !failed_) fail(error);
  if (ok && fsync(fd_) != 0) {
    fail(errno);
    ok = false;
  }
  if (::close(fd_) != 0 && ok) {
    fail(errno);
    ok = false;
  }
  fd_ = -1;
  if (ok && std::rename(temp_.c_str(), target_.c_str()) != 0) {
    fail(errno);
    ok = false;
  }
  if (ok) {
    temp_.clear();  // nothing left to remove
    sync_folder(folder_of(target_));
  }
  return ok;
}

void TextFile::discard() {
  if (fd_ >= 0) {
    if (mode_ == Mode::append || mode_ == Mode::printer_file) {
      // Nothing was written; only a file this append created goes again.
      fail(0);
      pending_.clear();
      closeappended();
    } else {
      ::close(fd_);
    }
  }
  fd_ = -1;
  if ((mode_ == Mode::replace || mode_ == Mode::printer_queue) && !temp_.empty()) {
    unlink(temp_.c_str());
  }
  mode_ = Mode::none;
  temp_.clear();
  target_.clear();
  created_ = false;
  failed_ = false;
  start_ = -1;
  pending_.clear();
}

FileStatus TextFile::openappended(const std::string& host) {
  target_ = host;
  fd_ = openregularfile(host, O_WRONLY | O_APPEND);
  // A missing file is created, and known as created so that a failed
  // append can take it away again.
  for (int tries = 0; fd_ < 0 && errno == ENOENT && tries < 3; ++tries) {
    fd_ = openregularfile(host, O_WRONLY | O_APPEND | O_CREAT | O_EXCL, 0666);
    if (fd_ >= 0) {
      created_ = true;
    } else if (errno == EEXIST) {
      fd_ = openregularfile(host, O_WRONLY | O_APPEND);  // made by someone else meanwhile
    }
  }
  if (fd_ < 0) {
    error_ = errno;
    target_.clear();
    return FileStatus::open_failed;
  }
  return FileStatus::ok;
}

FileStatus TextFile::open_append(std::string_view name) {
  discard();
  error_ = 0;
  const FileStatus st = openappended(host_file_name(name));
  if (st == FileStatus::ok) mode_ = Mode::append;
  return st;
}

FileStatus TextFile::open_replace(std::string_view name) {
  discard();
  error_ = 0;
  const std::string named = host_file_name(name);
  target_ = named.empty() ? named : replaced_file(named);
  if (target_.empty()) {
    error_ = named.empty() ? ENOENT : errno;
    return FileStatus::open_failed;
  }
  // The new file gets the old one's permissions, owner and group, or the
  // usual ones. An existing file must be a regular file the user may write.
  mode_t mode = 0;
  struct stat st {};
  const bool exists = stat(target_.c_str(), &st) == 0;
  if (exists) {
    const int probe = openregularfile(target_, O_WRONLY);
    if (probe < 0) {
      error_ = errno;
      target_.clear();
      return FileStatus::open_failed;
    }
    ::close(probe);
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  temp_ = target_ + std::string(kTempSuffix) + std::string(kTempLetters, 'X');
  fd_ = make_temp(temp_, mode, exists ? &st : nullptr);
  if (fd_ < 0) {
    error_ = errno;
    temp_.clear();
    target_.clear();
    return FileStatus::open_failed;
  }
  mode_ = Mode::replace;
  return FileStatus::ok;
}

FileStatus TextFile::open_printer() {
  discard();
  error_ = 0;
  const char* redirect = std::getenv("TSD_PRN_FILE");
  if (redirect != nullptr && redirect[0] != '\0') {
    if (openappended(redirect) != FileStatus::ok) return FileStatus::printer_unavailable;
    mode_ = Mode::printer_file;
    return FileStatus::ok;
  }
  if (find_in_path("lp").empty()) return FileStatus::printer_unavailable;
  const char* tmpdir = std::getenv("TMPDIR");
  temp_ = std::string(tmpdir != nullptr && tmpdir[0] != '\0' ? tmpdir : "/tmp") + "/tsd-print-XXXXXX";
  fd_ = make_temp(temp_, 0600, nullptr);
  if (fd_ < 0) {
    error_ = errno;
    temp_.clear();
    return FileStatus::printer_unavailable;
  }
  mode_ = Mode::printer_queue;
  return FileStatus::ok;
}

FileStatus TextFile::write(std::string_view format, std::span<const FormatItem> items) {
  if (fd_ < 0) return FileStatus::not_open;
  if (failed_) return FileStatus::write_failed;
  if (format_text(format, items, buf_) != FormatStatus::ok) return FileStatus::bad_format;
  pending_ += text::utf8_from_cp1250(buf_);
  return FileStatus::ok;
}

FileStatus TextFile::close() {
  if (fd_ < 0) return FileStatus::not_open;
  FileStatus st = FileStatus::ok;
  switch (mode_) {
    case Mode::append:
    case Mode::printer_file:
      if (!closeappended()) st = FileStatus::write_failed;
      break;
    case Mode::replace:
      if (!closereplaced()) st = FileStatus::write_failed;
      break;
    case Mode::printer_queue: {
      std::size_t done = 0;
      int error = 0;
      bool ok = write_all(fd_, pending_, done, error);
      ok = ::close(fd_) == 0 && ok;
      fd_ = -1;
      if (!ok) {
        fail(error);
        st = FileStatus::write_failed;
      } else {
        const std::string lp = find_in_path("lp");
        if (lp.empty() || !send_to_lp(lp, temp_)) st = FileStatus::printer_unavailable;
      }
      break;
    }
    case Mode::none:
      st = FileStatus::not_open;
      break;
  }
  const int error = error_;
  discard();
  error_ = error;
  return st;
}

}  // namespace tsd::runtime
