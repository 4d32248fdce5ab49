// The toolkit's string routines on fixed-length blank-padded texts.
#include "toolkit/window/strings.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "toolkit/window/errstore.h"
#include "toolkit/window/oswin.h"
#include "text/letters.h"

namespace tsd {

namespace {

// Work text of integertostring: at most this many characters.
constexpr std::size_t kWorkLength = 100;
// What a number that does not fit becomes.
constexpr std::string_view kStars = "**********";

bool blank(char c) { return c == ' ' || c == '\0'; }

// Width w of a format text "(Iw)", blanks around allowed; 0 when invalid.
int i_width(std::string_view f) {
  std::size_t a = 0, b = f.size();
  while (a < b && blank(f[a])) ++a;
  while (b > a && blank(f[b - 1])) --b;
  f = f.substr(a, b - a);
  if (f.size() < 4 || f.front() != '(' || f.back() != ')') return 0;
  f = f.substr(1, f.size() - 2);
  if (f[0] != 'I' && f[0] != 'i') return 0;
  int w = 0;
  for (std::size_t i = 1; i < f.size(); ++i) {
    if (f[i] < '0' || f[i] > '9') return 0;
    w = w * 10 + (f[i] - '0');
    if (w > 1000) return 0;
  }
  return w;
}

}  // namespace

std::string padded(std::string_view s, std::size_t length) {
  std::string out(length, ' ');
  std::memcpy(out.data(), s.data(), std::min(length, s.size()));
  return out;
}

void assign(std::span<char> dst, std::string_view src) {
  std::size_t n = std::min(dst.size(), src.size());
  std::memcpy(dst.data(), src.data(), n);
  std::fill(dst.begin() + static_cast<std::ptrdiff_t>(n), dst.end(), ' ');
}

std::string_view trimmed(std::string_view s) { return text::trimmed(s); }

int iactuallength(std::string_view text) {
  for (std::size_t i = text.size(); i > 0; --i)
    if (!blank(text[i - 1])) return static_cast<int>(i);
  return 0;
}

int ilocatechar(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!blank(text[i])) return static_cast<int>(i + 1);
  return 0;
}

void ilocatestring(std::string_view text, int& first, int& last) {
  first = ilocatechar(text);
  last = 0;
  if (first == 0) return;
  std::size_t i = static_cast<std::size_t>(first);  // 0-based index after the first character
  while (i < text.size() && !blank(text[i])) ++i;
  last = static_cast<int>(i);
}

void istringtointeger(std::string_view text, int& value) {
  value = 0;
  int first = 0, last = 0;
  ilocatestring(text, first, last);
  if (first == 0) {
    xxerror(kErrBlankText);
    return;
  }
  std::string_view word = text.substr(static_cast<std::size_t>(first - 1),
                                      static_cast<std::size_t>(last - first + 1));
  bool negative = false;
  if (word[0] == '-' || word[0] == '+') {
    negative = word[0] == '-';
    word.remove_prefix(1);
  }
  // A sign alone is no number: refused like any other non-digit.
  if (word.empty()) {
    xxerror(kErrNotDigit);
    return;
  }
  for (char c : word) {
    if (c < '0' || c > '9') {
      xxerror(kErrNotDigit);
      return;
    }
  }
  if (word.size() > 10 || (word.size() == 10 && word[0] > '2')) {
    xxerror(kErrIntegerRange);
    return;
  }
  long long v = 0;
  for (char c : word) {
    v = v * 10 + (c - '0');
    if (v > 2147483647LL) {
      xxerror(kErrIntegerRange);
      return;
    }
  }
  value = static_cast<int>(negative ? -v : v);
}

void integertostring(int value, std::span<char> text, std::string_view format) {
  std::size_t work_length = std::min(text.size(), kWorkLength);
  int w = i_width(format);
  bool failed = w == 0 || static_cast<std::size_t>(w) > work_length;
  std::string work;
  if (!failed) {
    std::string digits = std::to_string(value);
    std::string field = digits.size() > static_cast<std::size_t>(w)
                            ? std::string(static_cast<std::size_t>(w), '*')
                            : std::string(static_cast<std::size_t>(w) - digits.size(), ' ') + digits;
    work = padded(field, work_length);
    // An asterisk the format did not ask for means the number did not fit.
    if (work.find('*') != std::string::npos && format.find('*') == std::string_view::npos) failed = true;
  }
  if (failed) {
    assign(text, kStars);
    xxerror(kErrFormat);
    return;
  }
  assign(text, work);
}

void ijustifystring(std::span<char> text, std::string_view mode) {
  std::string_view view(text.data(), text.size());
  int f = ilocatechar(view);
  int l = iactuallength(view);
  auto length = static_cast<int>(text.size());
  if (f == 0) return;
  int n = l - f + 1;
  if (n == length) return;
  int start;  // new first position
  if (mode.find_first_of("Ll") != std::string_view::npos) start = 1;
  else if (mode.find_first_of("Rr") != std::string_view::npos) start = length - n + 1;
  else start = (length - n) / 2 + 1;
  if (start == f) return;
  // The old and new places may overlap: move as memmove does.
  std::vector<char> part(text.begin() + (f - 1), text.begin() + l);
  for (int i = f; i <= l; ++i) text[static_cast<std::size_t>(i - 1)] = ' ';
  std::copy(part.begin(), part.end(), text.begin() + (start - 1));
}

void ilowercase(std::span<char> text) {
  for (char& c : text) c = text::asciilower(c);
}

void iuppercase(std::span<char> text) {
  for (char& c : text) c = text::asciiupper(c);
}

void iosvariable(std::string_view name, std::span<char> value) {
  std::fill(value.begin(), value.end(), ' ');
  int first = 0, last = 0;
  ilocatestring(name, first, last);
  if (first == 0) return;
  std::string key(name.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1)));
  std::vector<char> buffer(value.size() + 1, '\0');
  int length = 0;
  xxgenv(length, key.c_str(), buffer.data(), static_cast<int>(buffer.size()));
  // Taken only when it is not empty and fits.
  if (length > 0 && static_cast<std::size_t>(length) < value.size() + 1)
    assign(value, std::string_view(buffer.data(), static_cast<std::size_t>(length)));
}

bool xxopt(std::string_view text, char letter) {
  const char lower = text::asciilower(letter);
  return text.find(letter) != std::string_view::npos || text.find(lower) != std::string_view::npos;
}

void yysplitp(std::span<char> path, std::span<char> name) {
  constexpr char sep = '/';
  ijustifystring(path, "L");
  std::string_view p(path.data(), path.size());
  int n = iactuallength(p);
  if (n >= 2 && p[static_cast<std::size_t>(n - 2)] == '.' && p[static_cast<std::size_t>(n - 1)] == '.') {
    assign(name, "");
    return;
  }
  int at = 0;  // position of the last separator
  for (int i = n; i >= 1; --i) {
    if (p[static_cast<std::size_t>(i - 1)] == sep) {
      at = i;
      break;
    }
  }
  if (at == 0) {
    assign(name, p.substr(0, static_cast<std::size_t>(n)));
    assign(path, "");
    return;
  }
  if (at < n) {
    assign(name, p.substr(static_cast<std::size_t>(at), static_cast<std::size_t>(n - at)));
    // The separator goes with the file name, except the root's own, which
    // is the directory.
    int keep = at == 1 ? 1 : at - 1;
    std::fill(path.begin() + keep, path.end(), ' ');
    return;
  }
  // The path ends with a separator: all directory.
  assign(name, "");
  bool earlier = false;
  for (int i = 1; i < n; ++i) earlier = earlier || p[static_cast<std::size_t>(i - 1)] == sep;
  if (earlier) path[static_cast<std::size_t>(n - 1)] = ' ';
}

}  // namespace tsd
