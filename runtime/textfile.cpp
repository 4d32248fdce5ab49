// Text output files: append, atomic replace, and the printer device.
#include "runtime/textfile.h"

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <vector>

#include "runtime/hostfilename.h"
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

bool is_temp_of(std::string_view entry, std::string_view base) {
  if (entry.size() != base.size() + kTempSuffix.size() + kTempLetters) return false;
  if (entry.substr(0, base.size()) != base || entry.substr(base.size(), kTempSuffix.size()) != kTempSuffix) return false;
  for (char c : entry.substr(base.size() + kTempSuffix.size()))
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  return true;
}

// Creates a temporary file from a template ending in XXXXXX; the template
// is replaced by the name made.
std::FILE* make_temp(std::string& name, mode_t mode) {
  std::vector<char> buf(name.begin(), name.end());
  buf.push_back('\0');
  const int fd = mkstemp(buf.data());
  if (fd < 0) return nullptr;
  name.assign(buf.data());
  if (fchmod(fd, mode) != 0) { /* keep the private mode mkstemp gave */ }
  std::FILE* f = fdopen(fd, "w");
  if (f == nullptr) {
    ::close(fd);
    unlink(name.c_str());
  }
  return f;
}

// The length of an open file; -1 when it cannot be told.
off_t size_of(std::FILE* f) {
  struct stat st {};
  return fstat(fileno(f), &st) == 0 && S_ISREG(st.st_mode) ? st.st_size : -1;
}

// Sends a file to the print queue; true when `lp` accepted it.
bool send_to_lp(const std::string& lp, const std::string& file) {
  posix_spawn_file_actions_t fa;
  if (posix_spawn_file_actions_init(&fa) != 0) return false;
  posix_spawn_file_actions_addopen(&fa, 0, file.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
  char arg0[] = "lp";
  char* argv[] = {arg0, nullptr};
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, lp.c_str(), &fa, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&fa);
  if (rc != 0) return false;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int removereplaceleftovers(std::string_view name) {
  const std::string target = host_file_name(name);
  if (target.empty()) return 0;
  const std::size_t slash = target.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
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

// An append that failed takes nothing away and leaves nothing behind: the
// file is cut back to the length it had when it was opened. The stream is
// closed first (it may still hold bytes it would write at the end), through
// a second descriptor the file is then cut.
bool TextFile::close_appended() {
  const bool appended = (mode_ == Mode::append || mode_ == Mode::printer_file) && old_size_ >= 0;
  if (appended && !failed_ && (std::fflush(file_) != 0 || std::ferror(file_))) failed_ = true;
  const bool restore = appended && failed_;
  const int keep = restore ? dup(fileno(file_)) : -1;
  bool ok = std::fclose(file_) == 0;
  file_ = nullptr;
  if (restore && (keep < 0 || ftruncate(keep, old_size_) != 0)) ok = false;
  if (keep >= 0) ::close(keep);
  return ok;
}

void TextFile::discard() {
  if (file_ != nullptr) close_appended();
  file_ = nullptr;
  if ((mode_ == Mode::replace || mode_ == Mode::printer_queue) && !temp_.empty()) {
    unlink(temp_.c_str());
  }
  mode_ = Mode::none;
  temp_.clear();
  target_.clear();
  failed_ = false;
  old_size_ = -1;
  held_.reset();  // a signal that came meanwhile ends the program now
}

FileStatus TextFile::open_append(std::string_view name) {
  discard();
  file_ = std::fopen(host_file_name(name).c_str(), "a");
  if (file_ == nullptr) return FileStatus::open_failed;
  mode_ = Mode::append;
  old_size_ = size_of(file_);
  held_.emplace();
  return FileStatus::ok;
}

FileStatus TextFile::open_replace(std::string_view name) {
  discard();
  target_ = host_file_name(name);
  if (target_.empty()) return FileStatus::open_failed;
  // The new file gets the old one's permissions, or the usual ones.
  mode_t mode = 0;
  struct stat st {};
  if (stat(target_.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return FileStatus::open_failed;
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  temp_ = target_ + std::string(kTempSuffix) + std::string(kTempLetters, 'X');
  file_ = make_temp(temp_, mode);
  if (file_ == nullptr) {
    temp_.clear();
    target_.clear();
    return FileStatus::open_failed;
  }
  mode_ = Mode::replace;
  held_.emplace();
  return FileStatus::ok;
}

FileStatus TextFile::open_printer() {
  discard();
  const char* redirect = std::getenv("TSD_PRN_FILE");
  if (redirect != nullptr && redirect[0] != '\0') {
    file_ = std::fopen(redirect, "a");
    if (file_ == nullptr) return FileStatus::printer_unavailable;
    mode_ = Mode::printer_file;
    old_size_ = size_of(file_);
    held_.emplace();
    return FileStatus::ok;
  }
  if (find_in_path("lp").empty()) return FileStatus::printer_unavailable;
  const char* tmpdir = std::getenv("TMPDIR");
  temp_ = std::string(tmpdir != nullptr && tmpdir[0] != '\0' ? tmpdir : "/tmp") + "/tsd-print-XXXXXX";
  file_ = make_temp(temp_, 0600);
  if (file_ == nullptr) {
    temp_.clear();
    return FileStatus::printer_unavailable;
  }
  mode_ = Mode::printer_queue;
  held_.emplace();
  return FileStatus::ok;
}

FileStatus TextFile::write(std::string_view format, std::span<const FormatItem> items) {
  if (file_ == nullptr) return FileStatus::not_open;
  if (failed_) return FileStatus::write_failed;
  if (format_text(format, items, buf_) != FormatStatus::ok) return FileStatus::bad_format;
  const std::string bytes = text::utf8_from_cp1250(buf_);
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    failed_ = true;
    return FileStatus::write_failed;
  }
  return FileStatus::ok;
}

FileStatus TextFile::close() {
  if (file_ == nullptr) return FileStatus::not_open;
  bool ok = !failed_ && std::fflush(file_) == 0 && !std::ferror(file_);
  if (ok && mode_ == Mode::replace) ok = fsync(fileno(file_)) == 0;
  if (!ok) failed_ = true;
  ok = close_appended() && ok;
  FileStatus st = ok ? FileStatus::ok : FileStatus::write_failed;
  if (ok && mode_ == Mode::replace) {
    if (std::rename(temp_.c_str(), target_.c_str()) == 0) {
      temp_.clear();  // nothing left to remove
    } else {
      st = FileStatus::write_failed;
    }
  } else if (ok && mode_ == Mode::printer_queue) {
    const std::string lp = find_in_path("lp");
    if (lp.empty() || !send_to_lp(lp, temp_)) st = FileStatus::printer_unavailable;
  }
  discard();
  return st;
}

}  // namespace tsd::runtime
