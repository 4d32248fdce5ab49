// Code page 1250 <-> UTF-8.
#include "text/cp1250.h"

#include <array>

namespace text {
namespace {

// Unicode code point of each byte 0x80..0xff of code page 1250; 0 marks the
// five bytes the code page leaves undefined.
constexpr std::array<char16_t, 128> kHigh = {
    0x20ac, 0x0000, 0x201a, 0x0000, 0x201e, 0x2026, 0x2020, 0x2021,  // 80
    0x0000, 0x2030, 0x0160, 0x2039, 0x015a, 0x0164, 0x017d, 0x0179,  // 88
    0x0000, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014,  // 90
    0x0000, 0x2122, 0x0161, 0x203a, 0x015b, 0x0165, 0x017e, 0x017a,  // 98
    0x00a0, 0x02c7, 0x02d8, 0x0141, 0x00a4, 0x0104, 0x00a6, 0x00a7,  // a0
    0x00a8, 0x00a9, 0x015e, 0x00ab, 0x00ac, 0x00ad, 0x00ae, 0x017b,  // a8
    0x00b0, 0x00b1, 0x02db, 0x0142, 0x00b4, 0x00b5, 0x00b6, 0x00b7,  // b0
    0x00b8, 0x0105, 0x015f, 0x00bb, 0x013d, 0x02dd, 0x013e, 0x017c,  // b8
    0x0154, 0x00c1, 0x00c2, 0x0102, 0x00c4, 0x0139, 0x0106, 0x00c7,  // c0
    0x010c, 0x00c9, 0x0118, 0x00cb, 0x011a, 0x00cd, 0x00ce, 0x010e,  // c8
    0x0110, 0x0143, 0x0147, 0x00d3, 0x00d4, 0x0150, 0x00d6, 0x00d7,  // d0
    0x0158, 0x016e, 0x00da, 0x0170, 0x00dc, 0x00dd, 0x0162, 0x00df,  // d8
    0x0155, 0x00e1, 0x00e2, 0x0103, 0x00e4, 0x013a, 0x0107, 0x00e7,  // e0
    0x010d, 0x00e9, 0x0119, 0x00eb, 0x011b, 0x00ed, 0x00ee, 0x010f,  // e8
    0x0111, 0x0144, 0x0148, 0x00f3, 0x00f4, 0x0151, 0x00f6, 0x00f7,  // f0
    0x0159, 0x016f, 0x00fa, 0x0171, 0x00fc, 0x00fd, 0x0163, 0x02d9,  // f8
};

void put_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xc0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3f));
  } else {
    out += static_cast<char>(0xe0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (c & 0x3f));
  }
}

}  // namespace

char32_t cp1250_to_unicode(unsigned char b) {
  if (b < 0x80) return b;
  char16_t u = kHigh[b - 0x80];
  return u == 0 ? char32_t{0xfffd} : char32_t{u};
}

int unicode_to_cp1250(char32_t c) {
  if (c < 0x80) return static_cast<int>(c);
  for (int i = 0; i < 128; ++i) {
    if (kHigh[static_cast<std::size_t>(i)] != 0 && kHigh[static_cast<std::size_t>(i)] == c) return 0x80 + i;
  }
  return -1;
}

std::string utf8_from_cp1250(std::string_view cp) {
  std::string out;
  out.reserve(cp.size() + cp.size() / 4);
  for (char ch : cp) put_utf8(out, cp1250_to_unicode(static_cast<unsigned char>(ch)));
  return out;
}

std::string cp1250_from_utf8(std::string_view u8, char missing) {
  std::string out;
  out.reserve(u8.size());
  std::size_t i = 0;
  while (i < u8.size()) {
    unsigned char b = static_cast<unsigned char>(u8[i]);
    char32_t c = 0;
    std::size_t len = 1;
    if (b < 0x80) {
      c = b;
    } else if ((b & 0xe0) == 0xc0) {
      c = b & 0x1f;
      len = 2;
    } else if ((b & 0xf0) == 0xe0) {
      c = b & 0x0f;
      len = 3;
    } else if ((b & 0xf8) == 0xf0) {
      c = b & 0x07;
      len = 4;
    } else {
      out += missing;
      ++i;
      continue;
    }
    if (i + len > u8.size()) {
      out += missing;
      break;
    }
    bool ok = true;
    for (std::size_t k = 1; k < len; ++k) {
      unsigned char cb = static_cast<unsigned char>(u8[i + k]);
      if ((cb & 0xc0) != 0x80) {
        ok = false;
        break;
      }
      c = (c << 6) | (cb & 0x3f);
    }
    if (!ok) {
      out += missing;
      ++i;
      continue;
    }
    int m = unicode_to_cp1250(c);
    out += m < 0 ? missing : static_cast<char>(m);
    i += len;
  }
  return out;
}

}  // namespace text
