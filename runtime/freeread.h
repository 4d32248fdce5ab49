// Free-format (list-directed) reading of numbers from a text file or a text.
//
// Rules, as the programs' data and parameter files are read:
// - Values are separated by blanks, tabs, commas or line ends; a comma with
//   blanks around it is one separator. A carriage return counts as a blank,
//   so files with CR LF line ends read the same.
// - Each read() starts at the beginning of a new line (the first read at the
//   first line), takes values from as many lines as it needs, and leaves the
//   rest of the last line it used unread: the next read starts on the line
//   after it. Empty lines are skipped while values are still missing.
// - An integer target takes an optional sign and digits only (no decimal
//   point) that fit in 32 bits. A real target takes an optional sign, digits
//   with or without a decimal point, and an optional exponent: a letter E or
//   D (either case) with an optional sign and digits, or a sign and digits
//   alone (1.5-12 is 1.5E-12). So 300, 300.0, 3.0E2, 3e+2 and 3.0D2 all read
//   as 300. A single-precision target rounds the text to the nearest float.
// - A value that is not such a number, that is too long (more than 255
//   characters) or whose magnitude overflows its target (also Infinity or
//   NaN written out) is a bad value: the read stops there.
// - Null values: a comma at the start of a read or right after another
//   comma gives no value to its target, which keeps what it held; a slash
//   ends the read, leaving the remaining targets as they are. `assigned`
//   tells which targets received a value.
// - Targets before a bad value or the end of the file keep what they got.
// - A file that starts with the UTF-8 byte-order mark is read from the byte
//   after it (text::kUtf8ByteOrderMark); every data and parameter file is
//   read through open(), so none of them sees the mark.
//
//   FreeReader r;
//   if (!r.open(name)) { /* cannot be opened */ }
//   int n; double b;
//   ReadResult res = r.read({n, b});
//   if (!res.complete(2)) { /* bad value, end of file or a null value */ }
#pragma once

#include <cstdio>
#include <initializer_list>
#include <memory>
#include <span>
#include <string_view>

namespace tsd::runtime {

enum class ReadStatus {
  ok,           // every target received a value, a null value, or a slash ended the read
  bad_value,    // a value that is not a number of its target's kind
  end_of_file,  // the file (or text) ended while values were still missing
};

// Where one read value goes.
struct ReadTarget {
  enum class Kind { integer, real, single };
  Kind kind;
  void* p;
  ReadTarget(int& v) : kind(Kind::integer), p(&v) {}
  ReadTarget(double& v) : kind(Kind::real), p(&v) {}
  ReadTarget(float& v) : kind(Kind::single), p(&v) {}
};

struct ReadResult {
  ReadStatus status = ReadStatus::ok;
  unsigned assigned = 0;  // bit i set: target i received a value
  // True when the read succeeded and targets 0..n-1 all received a value.
  bool complete(int n) const {
    const unsigned all = n >= 32 ? ~0u : ((1u << n) - 1u);
    return status == ReadStatus::ok && (assigned & all) == all;
  }
};

class FreeReader {
 public:
  // Most targets one read() takes (the bits of ReadResult::assigned).
  static constexpr int kMaxTargets = 32;

  FreeReader() = default;
  // Reads from a text held by the caller (it must outlive the reader); line
  // ends inside it separate lines, its end is the end of the file.
  explicit FreeReader(std::string_view text) : text_(text), in_memory_(true) {}

  // Opens a file for reading. The name is as the programs hold it: code page
  // 1250, trailing blanks ignored. False when it cannot be opened or is
  // not a regular file (a folder, a named pipe, a device). A leading
  // byte-order mark is skipped.
  bool open(std::string_view name);
  bool is_open() const { return in_memory_ || file_ != nullptr; }

  // One read statement. More than kMaxTargets targets give bad_value.
  ReadResult read(std::span<const ReadTarget> targets);
  ReadResult read(std::initializer_list<ReadTarget> targets) {
    return read(std::span<const ReadTarget>(targets.begin(), targets.size()));
  }

 private:
  int peek();  // next byte without taking it, or EOF
  int get();   // takes the next byte, or EOF
  void skip_to_next_line();
  void skip_byte_order_mark();

  struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, FileCloser> file_;
  std::string_view text_;
  size_t pos_ = 0;
  bool in_memory_ = false;
  bool line_open_ = false;  // part of the current line was taken, its end not yet
  // The first bytes of a file, taken to look for the byte-order mark and
  // given out again when they are not it.
  unsigned char lead_[3] = {};
  int lead_count_ = 0;
  int lead_pos_ = 0;
};

}  // namespace tsd::runtime
