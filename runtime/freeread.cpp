// Free-format reading: the character source (file or text), the scanner
// that splits values at separators, and the number conversions.
#include "runtime/freeread.h"

#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <cmath>
#include <string>

#include "runtime/hostfilename.h"
#include "runtime/regularfile.h"
#include "text/cp1250.h"

namespace tsd::runtime {

namespace {

constexpr int kMaxToken = 255;  // characters in one value

bool is_blank(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }
bool ends_value(int c) { return c == EOF || is_blank(c) || c == ',' || c == '/'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool parse_integer(std::string_view tok, int& v) {
  size_t i = 0;
  bool neg = false;
  if (i < tok.size() && (tok[i] == '+' || tok[i] == '-')) neg = tok[i++] == '-';
  if (i == tok.size()) return false;
  long long m = 0;
  for (; i < tok.size(); ++i) {
    if (!is_digit(tok[i])) return false;
    m = m * 10 + (tok[i] - '0');
    if (m > 2147483648LL) return false;
  }
  if (m > (neg ? 2147483648LL : 2147483647LL)) return false;
  v = static_cast<int>(neg ? -m : m);
  return true;
}

// Checks the list-directed form of a real and rewrites it into the form
// std::from_chars reads: no leading plus sign, the exponent after 'e'.
// Returns the length of the rewritten text in buf, or 0 for a bad value.
size_t normalise_real(std::string_view tok, char* buf) {
  size_t i = 0;
  size_t n = 0;
  if (i < tok.size() && (tok[i] == '+' || tok[i] == '-')) {
    if (tok[i] == '-') buf[n++] = '-';
    ++i;
  }
  int digits = 0;
  while (i < tok.size() && is_digit(tok[i])) {
    buf[n++] = tok[i++];
    ++digits;
  }
  if (i < tok.size() && tok[i] == '.') {
    buf[n++] = tok[i++];
    while (i < tok.size() && is_digit(tok[i])) {
      buf[n++] = tok[i++];
      ++digits;
    }
  }
  if (digits == 0) return 0;
  if (i == tok.size()) return n;
  const char c = tok[i];
  if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
    ++i;
  } else if (c != '+' && c != '-') {
    return 0;
  }
  buf[n++] = 'e';
  if (i < tok.size() && (tok[i] == '+' || tok[i] == '-')) buf[n++] = tok[i++];
  int exp_digits = 0;
  while (i < tok.size() && is_digit(tok[i])) {
    buf[n++] = tok[i++];
    ++exp_digits;
  }
  if (exp_digits == 0 || i != tok.size()) return 0;
  return n;
}

// Converts a checked real; false when its magnitude overflows T.
template <typename T>
bool convert_real(const char* b, size_t n, T& v) {
  T x{};
  auto r = std::from_chars(b, b + n, x);
  if (r.ec == std::errc() && r.ptr == b + n) {
    v = x;
    return std::isfinite(x);
  }
  if (r.ec != std::errc::result_out_of_range) return false;
  // Out of range: an underflow gives the nearest tiny value (or zero), an
  // overflow is refused. The wider type tells them apart.
  long double w = 0;
  r = std::from_chars(b, b + n, w);
  if (r.ec != std::errc() || r.ptr != b + n) return false;
  x = static_cast<T>(w);
  if (!std::isfinite(x)) return false;
  v = x;
  return true;
}

bool assign(const ReadTarget& t, std::string_view tok) {
  switch (t.kind) {
    case ReadTarget::Kind::integer: {
      int v = 0;
      if (!parse_integer(tok, v)) return false;
      *static_cast<int*>(t.p) = v;
      return true;
    }
    case ReadTarget::Kind::real: {
      char buf[kMaxToken + 2];
      const size_t n = normalise_real(tok, buf);
      double v = 0;
      if (n == 0 || !convert_real(buf, n, v)) return false;
      *static_cast<double*>(t.p) = v;
      return true;
    }
    case ReadTarget::Kind::single: {
      char buf[kMaxToken + 2];
      const size_t n = normalise_real(tok, buf);
      float v = 0;
      if (n == 0 || !convert_real(buf, n, v)) return false;
      *static_cast<float*>(t.p) = v;
      return true;
    }
  }
  return false;
}

}  // namespace

bool FreeReader::open(std::string_view name) {
  file_.reset();
  lead_count_ = 0;
  lead_pos_ = 0;
  in_memory_ = false;
  line_open_ = false;
  const std::string host = host_file_name(name);
  // Only a regular file: a named pipe would hold the program in the open
  // or in the first read.
  const int fd = openregularfile(host, O_RDONLY);
  if (fd < 0) return false;
  std::FILE* f = fdopen(fd, "r");
  if (f == nullptr) {
    close(fd);
    return false;
  }
  file_.reset(f);
  skip_byte_order_mark();
  return true;
}

void FreeReader::skip_byte_order_mark() {
  lead_count_ = 0;
  lead_pos_ = 0;
  const std::string_view mark = text::kUtf8ByteOrderMark;
  while (lead_count_ < static_cast<int>(mark.size())) {
    const int c = std::getc(file_.get());
    if (c == EOF) break;
    lead_[lead_count_++] = static_cast<unsigned char>(c);
    if (c != static_cast<unsigned char>(mark[lead_count_ - 1])) return;
  }
  if (lead_count_ == static_cast<int>(mark.size())) lead_count_ = 0;
}

int FreeReader::peek() {
  if (in_memory_) return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : EOF;
  if (!file_) return EOF;
  if (lead_pos_ < lead_count_) return lead_[lead_pos_];
  const int c = std::getc(file_.get());
  if (c != EOF) std::ungetc(c, file_.get());
  return c;
}

int FreeReader::get() {
  int c = EOF;
  if (in_memory_) {
    if (pos_ < text_.size()) c = static_cast<unsigned char>(text_[pos_++]);
  } else if (lead_pos_ < lead_count_) {
    c = lead_[lead_pos_++];
  } else if (file_) {
    c = std::getc(file_.get());
  }
  if (c != EOF) line_open_ = c != '\n';
  return c;
}

void FreeReader::skip_to_next_line() {
  for (;;) {
    const int c = get();
    if (c == EOF || c == '\n') return;
  }
}

ReadResult FreeReader::read(std::span<const ReadTarget> targets) {
  ReadResult res;
  if (targets.size() > static_cast<size_t>(kMaxTargets)) {
    res.status = ReadStatus::bad_value;
    return res;
  }
  if (line_open_) skip_to_next_line();
  bool comma_is_null = true;  // at the start, or right after a comma
  size_t t = 0;
  while (t < targets.size()) {
    const int c = peek();
    if (c == EOF) {
      res.status = ReadStatus::end_of_file;
      return res;
    }
    if (is_blank(c)) {
      get();
      continue;
    }
    if (c == ',') {
      get();
      if (comma_is_null) ++t;  // null value: the target keeps its value
      comma_is_null = true;
      continue;
    }
    if (c == '/') {
      get();
      return res;
    }
    char tok[kMaxToken];
    size_t n = 0;
    bool too_long = false;
    while (!ends_value(peek())) {
      const int d = get();
      if (n < sizeof tok) {
        tok[n++] = static_cast<char>(d);
      } else {
        too_long = true;
      }
    }
    if (too_long || !assign(targets[t], std::string_view(tok, n))) {
      res.status = ReadStatus::bad_value;
      return res;
    }
    res.assigned |= 1u << t;
    ++t;
    comma_is_null = false;
  }
  return res;
}

}  // namespace tsd::runtime
