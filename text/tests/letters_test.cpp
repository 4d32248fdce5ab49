#include "text/letters.h"

#include <gtest/gtest.h>

#include <cctype>

#include "text/cp1250.h"

namespace {

TEST(Letters, PlainLettersOfEveryPolishLetterKeepTheColumns) {
  const std::string cp = text::cp1250_from_utf8(" Błąd: ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ = 1.5 K");
  const std::string plain = text::plainletters(cp);
  EXPECT_EQ(plain, " Blad: acelnoszz ACELNOSZZ = 1.5 K");
  EXPECT_EQ(plain.size(), cp.size());
}

TEST(Letters, PlainLettersLeaveNoByteOutsideAscii) {
  struct Case {
    const char* utf8;
    const char* plain;
  };
  const Case cases[] = {
      {"Łódź/żółć.dat", "Lodz/zolc.dat"},
      {"Müller Čapek Šťastný", "Muller Capek Stastny"},  // other letters of the code page
      {"°C § „x”", "?C ? ?x?"},                           // signs that are no letters
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text::plainletters(text::cp1250_from_utf8(c.utf8)), c.plain) << c.utf8;
  }
  std::string every;
  for (int b = 1; b < 256; ++b) every += static_cast<char>(b);
  for (char c : text::plainletters(every)) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
}

TEST(Letters, AsciiCaseLeavesOtherBytesAlone) {
  const std::string cp = text::cp1250_from_utf8("abc XYZ ąę 09_");
  EXPECT_EQ(text::asciiupper(cp), text::cp1250_from_utf8("ABC XYZ ąę 09_"));
  EXPECT_EQ(text::asciilower('Q'), 'q');
  EXPECT_EQ(text::asciilower('\xa5'), '\xa5');  // Ą stays
  EXPECT_EQ(text::asciilower(cp), text::cp1250_from_utf8("abc xyz ąę 09_"));
  // Byte for byte what the C library's case routines give for ASCII in the
  // "C" locale, and every code page byte above it unchanged.
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const char c = static_cast<char>(b);
    EXPECT_EQ(text::asciiupper(c), b < 128 ? static_cast<char>(std::toupper(b)) : c);
    EXPECT_EQ(text::asciilower(c), b < 128 ? static_cast<char>(std::tolower(b)) : c);
  }
}

TEST(Letters, TrimmedAndStripped) {
  EXPECT_EQ(text::trimmed("  a b  \0 "), "  a b");
  EXPECT_EQ(text::trimmed(std::string_view("ab\0\0", 4)), "ab");
  EXPECT_EQ(text::trimmed("   "), "");
  EXPECT_EQ(text::stripped("  a b  "), "a b");
  EXPECT_EQ(text::stripped("    "), "");
  EXPECT_EQ(text::stripped(""), "");
}

}  // namespace
