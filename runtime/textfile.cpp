// Text output files: append, atomic replace, and the printer device.
#include "runtime/textfile.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

TextFile::~TextFile() { discard(); }

void TextFile::discard() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if ((mode_ == Mode::replace || mode_ == Mode::printer_queue) && !temp_.empty()) {
    unlink(temp_.c_str());
  }
  mode_ = Mode::none;
  temp_.clear();
  target_.clear();
  failed_ = false;
}

FileStatus TextFile::open_append(std::string_view name) {
  discard();
  file_ = std::fopen(host_file_name(name).c_str(), "a");
  if (file_ == nullptr) return FileStatus::open_failed;
  mode_ = Mode::append;
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
  temp_ = target_ + ".tmpXXXXXX";
  file_ = make_temp(temp_, mode);
  if (file_ == nullptr) {
    temp_.clear();
    target_.clear();
    return FileStatus::open_failed;
  }
  mode_ = Mode::replace;
  return FileStatus::ok;
}

FileStatus TextFile::open_printer() {
  discard();
  const char* redirect = std::getenv("TSD_PRN_FILE");
  if (redirect != nullptr && redirect[0] != '\0') {
    file_ = std::fopen(redirect, "a");
    if (file_ == nullptr) return FileStatus::printer_unavailable;
    mode_ = Mode::printer_file;
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
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
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
