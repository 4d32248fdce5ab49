// Text files the programs write: reports and tables appended to a file,
// parameter files replaced as a whole, and the printer device "PRN".
//
// Every write goes through a format text (runtime/format.h); its records
// become lines ending in LF. The programs' texts are code page 1250; the
// bytes written to the host are UTF-8. File names are given as the programs
// hold them (code page 1250, trailing blanks ignored).
//
// - open_append: the file is opened for appending, or created when missing.
//   When a write or the close fails, the file is cut back to what it held
//   before: a failed append leaves it byte for byte as it was.
// - open_replace: the lines go to a temporary file beside the named one;
//   close() flushes it to disk and renames it over the named file, so the
//   file is either the old one or the complete new one. A TextFile destroyed
//   without close() (or after a failed write) leaves the old file untouched.
// - open_printer: the printer device (where the programs open "PRN" as a
//   file, call this; a file name "PRN" is not treated specially). When the environment variable
//   TSD_PRN_FILE names a file, the lines are appended to that file (tests use
//   this). Otherwise they are collected and close() hands them as one job to
//   the system print queue with `lp`; without `lp` on the PATH the open fails
//   with printer_unavailable. A job is sent only by close().
//
// While a file is open, SIGTERM and SIGINT wait until it is ended
// (runtime/endsignals.h): a program ended by them leaves it complete.
//
// No routine here ends the program: every failure comes back as a status the
// caller can show in an error box. After a failed write, further writes do
// nothing and close() reports the failure.
//
//   TextFile f;
//   if (f.open_append(name) != FileStatus::ok) { /* error box */ }
//   f.write("(A,F8.3,A)", {" Tmin =", tmin, " K"});
//   if (f.close() != FileStatus::ok) { /* error box */ }
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "runtime/endsignals.h"
#include "runtime/format.h"

namespace tsd::runtime {

enum class FileStatus {
  ok,
  open_failed,          // the file cannot be opened or created
  write_failed,         // writing, flushing or renaming failed
  printer_unavailable,  // no TSD_PRN_FILE and no `lp`, or `lp` refused the job
  bad_format,           // the format text or the items did not match (nothing written)
  not_open,
};

// Removes what replacements of `name` (code page 1250) left behind when the
// program was ended before the rename: regular files beside it named like
// its temporary files (`name` + ".tmp" + six letters or digits), nothing
// else. Called where a program starts, for its own parameter file. Gives
// how many were removed.
int removereplaceleftovers(std::string_view name);

class TextFile {
 public:
  TextFile() = default;
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  FileStatus open_append(std::string_view name);
  FileStatus open_replace(std::string_view name);
  FileStatus open_printer();
  bool is_open() const { return file_ != nullptr; }

  // Writes the records of one formatted write.
  FileStatus write(std::string_view format, std::span<const FormatItem> items);
  FileStatus write(std::string_view format, std::initializer_list<FormatItem> items) {
    return write(format, std::span<const FormatItem>(items.begin(), items.size()));
  }

  // Ends the file: closes an appended file, renames a replacement over its
  // target, sends a printer job. Reports the first failure of the file.
  FileStatus close();

 private:
  enum class Mode { none, append, replace, printer_file, printer_queue };
  void discard();
  bool close_appended();

  Mode mode_ = Mode::none;
  std::FILE* file_ = nullptr;
  std::string target_;  // replace: the named file; printer queue: unused
  std::string temp_;    // replace and printer queue: the temporary file
  bool failed_ = false;
  off_t old_size_ = -1;  // append: the file's length when opened
  std::string buf_;     // formatting work text
  // While the file is open, SIGTERM and SIGINT wait for its end.
  std::optional<EndSignalsHeld> held_;
};

}  // namespace tsd::runtime
