#include "text/cp1250.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1250, PolishLettersRoundTrip) {
  const std::string u8 = "Błąd odczytu: ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ";
  const std::string cp = text::cp1250_from_utf8(u8);
  EXPECT_EQ(cp.size(), 33u);  // one byte a character
  EXPECT_EQ(static_cast<unsigned char>(cp[1]), 0xb3);  // ł
  EXPECT_EQ(static_cast<unsigned char>(cp[2]), 0xb9);  // ą
  EXPECT_EQ(text::utf8_from_cp1250(cp), u8);
}

TEST(Cp1250, UnmappableAndMalformedBecomeQuestionMarks) {
  EXPECT_EQ(text::cp1250_from_utf8("a\xe2\x82"), "a?");   // cut sequence
  EXPECT_EQ(text::cp1250_from_utf8("\xff" "b"), "?b");     // stray byte
  EXPECT_EQ(text::cp1250_from_utf8("日"), "?");           // outside the code page
  EXPECT_EQ(text::unicode_to_cp1250(U'€'), 0x80);
  EXPECT_EQ(text::cp1250_to_unicode(0x81), U'\xfffd');     // undefined byte
}

TEST(Cp1250, TheStandInForAMissingCharacterIsNeverAnOrdinaryOne) {
  // Asked for, the stand-in marks what the code page lacks, so "?" stays a "?".
  EXPECT_EQ(text::cp1250_from_utf8("ma\xc3\xb1" "ana?.dat", text::kNoCp1250), "ma\x98" "ana?.dat");  // n with tilde
  EXPECT_EQ(text::cp1250_from_utf8("\xff" "\xef\xbf\xbd", text::kNoCp1250), "\x98\x98") << "stray byte, U+FFFD";
  EXPECT_EQ(text::unicode_to_cp1250(text::cp1250_to_unicode(0x98)), -1) << "no character converts to it";
  for (int c = 0x20; c < 0x2000; ++c) {
    const int b = text::unicode_to_cp1250(static_cast<char32_t>(c));
    ASSERT_NE(b, 0x98) << c;
  }
}

}  // namespace
