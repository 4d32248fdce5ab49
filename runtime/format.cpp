// Formatted output: the format-text parser, the edit descriptors' field
// writers and the record driver. See format.h for the rules.
//
// Sections: limits; parsing the format text; field writers (A, I, F, E);
// the driver; public routines.
#include "runtime/format.h"
#include "text/letters.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tsd::runtime {

namespace {

// ---- limits -------------------------------------------------------------
constexpr int kMaxDescriptors = 64;   // descriptors in one format text
constexpr int kMaxFormatChars = 256;  // format text without its blanks
constexpr int kMaxWidth = 255;        // field width w and decimals d
constexpr int kMaxRepeat = 999;       // repeat count n
constexpr int kMaxScale = 9;          // |k| of a kP scale factor

// ---- parsing the format text ---------------------------------------------
struct Descriptor {
  char code = 0;  // 'A', 'I', 'F', 'E', 'P' or '/'
  int repeat = 1;
  int w = 0;
  int d = 0;
  int k = 0;  // scale factor of 'P'
  bool has_w = false;
};

struct ParsedFormat {
  std::array<Descriptor, kMaxDescriptors> desc;
  int count = 0;
};

using text::asciiupper;
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Reads an unsigned number at s[pos]; -1 when there is no digit or it is
// larger than `limit`.
int read_number(const char* s, int& pos, int limit) {
  if (!is_digit(s[pos])) return -1;
  long v = 0;
  while (is_digit(s[pos])) {
    v = v * 10 + (s[pos] - '0');
    if (v > limit) return -1;
    ++pos;
  }
  return static_cast<int>(v);
}

bool parse_format(std::string_view text, ParsedFormat& f) {
  // Blanks are not significant anywhere in a format text.
  char s[kMaxFormatChars + 1];
  int n = 0;
  for (char c : text) {
    if (c == ' ' || c == '\t') continue;
    if (n == kMaxFormatChars) return false;
    s[n++] = asciiupper(c);
  }
  s[n] = '\0';
  int pos = 0;
  if (s[pos++] != '(') return false;
  if (s[pos] == ')') return s[pos + 1] == '\0';  // "()": one empty record
  bool need_item = true;  // a descriptor must come next (start, after a comma)
  for (;;) {
    if (s[pos] == ')') {
      if (need_item) return false;
      return s[pos + 1] == '\0';
    }
    if (s[pos] == ',') {
      if (need_item) return false;
      need_item = true;
      ++pos;
      continue;
    }
    if (f.count == kMaxDescriptors) return false;
    Descriptor dsc;
    int sign = 1;
    bool has_sign = false;
    if (s[pos] == '+' || s[pos] == '-') {
      has_sign = true;
      sign = s[pos] == '-' ? -1 : 1;
      ++pos;
    }
    const bool has_number = is_digit(s[pos]);
    const int number = has_number ? read_number(s, pos, kMaxRepeat) : 0;
    if (has_number && number < 0) return false;
    const char code = s[pos++];
    dsc.code = code;
    switch (code) {
      case 'P':
        if (!has_number || number > kMaxScale) return false;
        dsc.k = sign * number;
        f.desc[f.count++] = dsc;
        // A descriptor may follow a scale factor without a comma (1PE12.5).
        need_item = s[pos] != ',' && s[pos] != ')' && s[pos] != '/';
        continue;
      case '/':
        if (has_sign || (has_number && number == 0)) return false;
        dsc.repeat = has_number ? number : 1;
        f.desc[f.count++] = dsc;
        need_item = false;  // a slash separates by itself: (/A) and (A/) are fine
        continue;
      case 'A':
      case 'I':
      case 'F':
      case 'E':
        break;
      default:
        return false;
    }
    if (has_sign || (has_number && number == 0)) return false;
    dsc.repeat = has_number ? number : 1;
    if (is_digit(s[pos])) {
      dsc.w = read_number(s, pos, kMaxWidth);
      if (dsc.w <= 0) return false;
      dsc.has_w = true;
    } else if (code != 'A') {
      return false;  // I, F and E need a width
    }
    if (code == 'F' || code == 'E') {
      if (s[pos++] != '.') return false;
      dsc.d = read_number(s, pos, kMaxWidth);
      if (dsc.d < 0) return false;
    } else if (code == 'I' && s[pos] == '.') {
      return false;  // Iw.m is not used by the system
    }
    f.desc[f.count++] = dsc;
    need_item = false;
    if (s[pos] != ',' && s[pos] != ')' && s[pos] != '/') return false;
  }
}

// ---- field writers ---------------------------------------------------------
void stars(int w, std::string& out) { out.append(static_cast<size_t>(w), '*'); }

// Right-aligns `text` in w characters, or asterisks when it is longer.
void put_field(std::string_view text, int w, std::string& out) {
  if (static_cast<int>(text.size()) > w) {
    stars(w, out);
    return;
  }
  out.append(static_cast<size_t>(w) - text.size(), ' ');
  out.append(text);
}

void write_a(std::string_view t, const Descriptor& dsc, std::string& out) {
  if (!dsc.has_w) {
    out.append(t);
  } else if (static_cast<size_t>(dsc.w) <= t.size()) {
    out.append(t.substr(0, static_cast<size_t>(dsc.w)));
  } else {
    put_field(t, dsc.w, out);
  }
}

void write_i(long long v, int w, std::string& out) {
  char buf[32];
  unsigned long long m = v < 0 ? 0ull - static_cast<unsigned long long>(v)
                               : static_cast<unsigned long long>(v);
  int n = std::snprintf(buf, sizeof buf, "%s%llu", v < 0 ? "-" : "", m);
  put_field(std::string_view(buf, static_cast<size_t>(n)), w, out);
}

// Inf, Infinity and NaN, as wide as the field allows.
void write_non_finite(double x, int w, std::string& out) {
  if (std::isnan(x)) {
    put_field("NaN", w, out);
    return;
  }
  const bool neg = x < 0;
  const int s = neg ? 1 : 0;
  if (w >= 8 + s) {
    put_field(neg ? "-Infinity" : "Infinity", w, out);
  } else {
    put_field(neg ? "-Inf" : "Inf", w, out);
  }
}

bool all_zero(std::string_view digits) {
  for (char c : digits) {
    if (c != '0') return false;
  }
  return true;
}

// Fw.d with scale factor k (the value times 10^k).
void write_f(double x, int w, int d, int k, std::string& out) {
  if (!std::isfinite(x)) {
    write_non_finite(x, w, out);
    return;
  }
  const int prec = d + k;  // decimals of x that make d decimals of x*10^k
  if (prec < 0 || std::fabs(x) >= 1e300) {
    stars(w, out);
    return;
  }
  // The C library rounds the exact binary value to nearest, ties to even.
  char buf[700];
  const int n = std::snprintf(buf, sizeof buf, "%.*f", prec, std::fabs(x));
  if (n <= 0 || n >= static_cast<int>(sizeof buf)) {
    stars(w, out);
    return;
  }
  // Digits without the point, and where the point goes after scaling.
  char digits[700];
  int nd = 0;
  int point = -1;
  for (int i = 0; i < n; ++i) {
    if (buf[i] == '.') {
      point = nd;
    } else {
      digits[nd++] = buf[i];
    }
  }
  if (point < 0) point = nd;
  point += k;
  std::string_view all(digits, static_cast<size_t>(nd));
  std::string_view ip = point > 0 ? all.substr(0, static_cast<size_t>(point)) : std::string_view();
  std::string_view fp = point > 0 ? all.substr(static_cast<size_t>(point)) : all;
  const int lead_zeros = point < 0 ? -point : 0;  // between the point and fp
  while (ip.size() > 1 && ip[0] == '0') ip.remove_prefix(1);
  if (ip == "0") ip = std::string_view();
  const bool neg = std::signbit(x) && !all_zero(all);
  // sign + integer digits + point + d decimals
  const int body = static_cast<int>(ip.size()) + 1 + d;
  int len = (neg ? 1 : 0) + body;
  const bool zero_before_point = ip.empty() && (d == 0 || len + 1 <= w);
  if (zero_before_point) ++len;
  if (len > w) {
    stars(w, out);
    return;
  }
  out.append(static_cast<size_t>(w - len), ' ');
  if (neg) out += '-';
  if (zero_before_point) out += '0';
  out.append(ip);
  out += '.';
  out.append(static_cast<size_t>(lead_zeros), '0');
  out.append(fp);
}

// Ew.d with scale factor k: k > 0 puts k digits before the point and d-k+1
// after it; k <= 0 writes 0. followed by -k zeros and d+k digits.
void write_e(double x, int w, int d, int k, std::string& out) {
  if (!std::isfinite(x)) {
    write_non_finite(x, w, out);
    return;
  }
  if ((k <= 0 && k <= -d) || (k > 0 && k >= d + 2)) {
    stars(w, out);  // the scale factor leaves no significant digit
    return;
  }
  const int sig = k > 0 ? d + 1 : d + k;
  char digits[kMaxWidth + 8];
  int expo = 0;
  if (x == 0.0) {
    std::memset(digits, '0', static_cast<size_t>(sig));
  } else {
    char buf[kMaxWidth + 32];
    std::snprintf(buf, sizeof buf, "%.*e", sig - 1, std::fabs(x));
    int nd = 0;
    const char* p = buf;
    for (; *p != 'e'; ++p) {
      if (*p != '.') digits[nd++] = *p;
    }
    expo = std::atoi(p + 1) + 1 - k;
  }
  std::string_view mant(digits, static_cast<size_t>(sig));
  char etext[8];
  const int aexp = expo < 0 ? -expo : expo;
  if (aexp <= 99) {
    std::snprintf(etext, sizeof etext, "E%c%02d", expo < 0 ? '-' : '+', aexp);
  } else if (aexp <= 999) {
    std::snprintf(etext, sizeof etext, "%c%03d", expo < 0 ? '-' : '+', aexp);
  } else {
    stars(w, out);
    return;
  }
  const bool neg = std::signbit(x) && x != 0.0;
  // sign + mantissa digits + point (+ zeros for k < 0) + exponent
  int len = (neg ? 1 : 0) + sig + 1 + (k < 0 ? -k : 0) + 4;
  const bool zero_before_point = k <= 0 && len + 1 <= w;
  if (zero_before_point) ++len;
  if (len > w) {
    stars(w, out);
    return;
  }
  out.append(static_cast<size_t>(w - len), ' ');
  if (neg) out += '-';
  if (k > 0) {
    out.append(mant.substr(0, static_cast<size_t>(k)));
    out += '.';
    out.append(mant.substr(static_cast<size_t>(k)));
  } else {
    if (zero_before_point) out += '0';
    out += '.';
    out.append(static_cast<size_t>(-k), '0');
    out.append(mant);
  }
  out.append(etext);
}

// ---- the driver --------------------------------------------------------------
FormatStatus run(std::string_view format, std::span<const FormatItem> items, bool one_record,
                 std::string& out) {
  out.clear();
  ParsedFormat f;
  if (!parse_format(format, f)) return FormatStatus::bad_format;
  size_t next = 0;
  int scale = 0;
  for (int i = 0; i < f.count; ++i) {
    const Descriptor& dsc = f.desc[i];
    if (dsc.code == 'P') {
      scale = dsc.k;
      continue;
    }
    for (int r = 0; r < dsc.repeat; ++r) {
      if (dsc.code == '/') {
        if (one_record) return FormatStatus::several_records;
        out += '\n';
        continue;
      }
      if (next == items.size()) return FormatStatus::item_count;
      const FormatItem& it = items[next++];
      switch (dsc.code) {
        case 'A':
          if (it.kind != FormatItem::Kind::text) return FormatStatus::wrong_item_type;
          write_a(it.t, dsc, out);
          break;
        case 'I':
          if (it.kind != FormatItem::Kind::integer) return FormatStatus::wrong_item_type;
          write_i(it.i, dsc.w, out);
          break;
        case 'F':
          if (it.kind != FormatItem::Kind::real) return FormatStatus::wrong_item_type;
          write_f(it.r, dsc.w, dsc.d, scale, out);
          break;
        default:  // 'E'
          if (it.kind != FormatItem::Kind::real) return FormatStatus::wrong_item_type;
          write_e(it.r, dsc.w, dsc.d, scale, out);
          break;
      }
    }
  }
  if (next != items.size()) return FormatStatus::item_count;
  if (!one_record) out += '\n';
  return FormatStatus::ok;
}

}  // namespace

// ---- public routines ----------------------------------------------------------
FormatStatus format_text(std::string_view format, std::span<const FormatItem> items,
                         std::string& out) {
  return run(format, items, false, out);
}

FormatStatus format_text(std::string_view format, std::initializer_list<FormatItem> items,
                         std::string& out) {
  return run(format, std::span<const FormatItem>(items.begin(), items.size()), false, out);
}

FormatStatus format_record(std::string_view format, std::span<const FormatItem> items,
                           std::string& out) {
  return run(format, items, true, out);
}

FormatStatus format_record(std::string_view format, std::initializer_list<FormatItem> items,
                           std::string& out) {
  return run(format, std::span<const FormatItem>(items.begin(), items.size()), true, out);
}

FormatStatus format_real(double value, std::string_view format, std::string& out) {
  return format_record(format, {value}, out);
}

FormatStatus format_integer(long long value, std::string_view format, std::string& out) {
  return format_record(format, {value}, out);
}

}  // namespace tsd::runtime
