// Text files the programs write: reports and tables appended to a file,
// parameter files replaced as a whole, and the printer device "PRN".
//
// Every write goes through a format text (runtime/format.h); its records
// become lines ending in LF. The programs' texts are code page 1250; the
// bytes written to the host are UTF-8. File names are given as the programs
// hold them (code page 1250, trailing blanks ignored). Only regular files
// are opened (runtime/regularfile.h): a named pipe or a device named like a
// file is refused as one that cannot be opened, and no open can block.
//
// The writes are collected; close() hands the whole text to the file in one
// write, so that a program ended at any moment leaves the file as it was or
// with the whole new text, never with a piece of it.
//
// - open_append: the file is opened for appending, or created when missing.
//   When the write or the close fails, the file is cut back to what it held
//   before: a failed append leaves it byte for byte as it was, and a file
//   the append created is removed again. A TextFile destroyed without
//   close() has written nothing (and removes a file it created).
// - open_replace: the lines go to a temporary file beside the file they
//   replace; close() flushes it to disk and renames it over that file, so
//   the file is either the old one or the complete new one. A name that is
//   a symbolic link replaces the file the link points to, in that file's
//   folder, and the link stays. A file the user may not write is not
//   replaced: the open fails as a write of it would. A TextFile destroyed
//   without close() (or after a failed write) leaves the old file untouched.
// - open_printer: the printer device (where the programs open "PRN" as a
//   file, call this; a file name "PRN" is not treated specially). When the environment variable
//   TSD_PRN_FILE names a file, the lines are appended to that file (tests use
//   this). Otherwise they are collected and close() hands them as one job to
//   the system print queue with `lp`; without `lp` on the PATH the open fails
//   with printer_unavailable. A job is sent only by close(). `lp` only hands
//   the job to the local spooler, which answers within a second or so when it
//   works: close() waits for it kLpWaitSeconds at most, then stops it and
//   reports printer_unavailable, so a queue that does not answer cannot hold
//   the program.
//
// No routine here ends the program: every failure comes back as a status the
// caller can show in an error box, and error() tells the host's reason.
// After a failed write, further writes do nothing and close() reports the
// failure.
//
//   TextFile f;
//   if (f.open_append(name) != FileStatus::ok) { /* error box */ }
//   f.write("(A,F8.3,A)", {" Tmin =", tmin, " K"});
//   if (f.close() != FileStatus::ok) { /* error box */ }
#pragma once

#include <sys/types.h>

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

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

// How long close() waits for `lp` to take a print job.
inline constexpr int kLpWaitSeconds = 10;

class TextFile {
 public:
  TextFile() = default;
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  FileStatus open_append(std::string_view name);
  FileStatus open_replace(std::string_view name);
  FileStatus open_printer();
  bool is_open() const { return fd_ >= 0; }
  // The host's error number (errno) of the last failure of the file, 0
  // when none or when it was no error of the host (a bad format).
  int error() const { return error_; }

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
  FileStatus openappended(const std::string& host);
  bool writepending();
  bool closeappended();
  bool closereplaced();
  void discard();
  void fail(int error);

  Mode mode_ = Mode::none;
  int fd_ = -1;
  std::string target_;    // append: the file opened; replace: the file put in its place
  std::string temp_;      // replace and printer queue: the temporary file
  bool created_ = false;  // append: the open created the file
  bool failed_ = false;
  int error_ = 0;
  off_t start_ = -1;      // append: where the new text begins, once written
  std::string pending_;   // the text of the writes so far (UTF-8), written by close()
  std::string buf_;       // formatting work text
};

}  // namespace tsd::runtime
