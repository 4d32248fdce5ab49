#include "text/letters.h"

namespace text {

namespace {

// The plain letter of each byte 0x80..0xFF of the code page; '?' for the
// bytes that are not letters with a diacritic.
constexpr std::string_view kPlain =
    "??????????S?STZZ"  // 0x80
    "??????????s?stzz"  // 0x90
    "???L?A????S????Z"  // 0xA0
    "???l?????as?L?lz"  // 0xB0
    "RAAAALCCCEEEEIID"  // 0xC0
    "DNNOOOO?RUUUUYTs"  // 0xD0
    "raaaalccceeeeiid"  // 0xE0
    "dnnoooo?ruuuuyt?";  // 0xF0
static_assert(kPlain.size() == 128);

}  // namespace

std::string asciiupper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = asciiupper(c);
  return out;
}

std::string asciilower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = asciilower(c);
  return out;
}

std::string plainletters(std::string_view cp) {
  std::string out(cp);
  for (char& c : out) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x80) c = kPlain[b - 0x80];
  }
  return out;
}

std::string_view trimmed(std::string_view s) {
  std::size_t n = s.size();
  while (n > 0 && (s[n - 1] == ' ' || s[n - 1] == '\0')) --n;
  return s.substr(0, n);
}

std::string_view stripped(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace text
