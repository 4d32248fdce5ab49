// String routines on fixed-length blank-padded texts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "toolkit/window/errstore.h"
#include "toolkit/window/strings.h"

namespace {

using namespace tsd;

TEST(Strings, StringToIntegerCases) {
  struct Case {
    std::string text;
    int value;
    int error;
  };
  const Case cases[] = {
      {"  -42 17     ", -42, 0},  // only the first word counts
      {"+7", 7, 0},
      {"2147483647", 2147483647, 0},
      {"2147483648", 0, kErrIntegerRange},   // addition check
      {"3000000000", 0, kErrIntegerRange},   // digit rule
      {"12345678901", 0, kErrIntegerRange},  // more than ten digits
      {"-2147483648", 0, kErrIntegerRange},  // cannot be read
      {"12a", 0, kErrNotDigit},
      {"1.5", 0, kErrNotDigit},
      {"-", 0, kErrNotDigit},                // a sign alone is no number
      {"        ", 0, kErrBlankText},
      {"", 0, kErrBlankText},
      {std::string("12\0\0  ", 6), 12, 0},   // NUL ends the word like a blank
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("text '" + c.text + "'");
    errstate = ErrState{};
    int v = 99;
    istringtointeger(c.text, v);
    EXPECT_EQ(v, c.value);
    EXPECT_EQ(infoerror(1), c.error);
  }
}

TEST(Strings, IntegerToStringCases) {
  struct Case {
    int value;
    std::size_t length;
    const char* format;
    std::string want;
    int error;
  };
  const Case cases[] = {
      {5, 3, "(I3)", "  5", 0},
      {-42, 4, "(I4)", " -42", 0},
      {7, 6, "(I1)", "7     ", 0},         // the field, then blanks
      {123456, 14, "(I3)", "**********    ", kErrFormat},
      {123456, 4, "(I3)", "****", kErrFormat},  // cut to the text
      {-10, 2, "(I2)", "**", kErrFormat},
      {5, 2, "(I3)", "**", kErrFormat},        // field wider than the text
      {5, 4, "(F3.1)", "****", kErrFormat},    // not an I descriptor
      {5, 4, "I3", "****", kErrFormat},
      {5, 4, "(I0)", "****", kErrFormat},
      {12, 5, "(i4)   ", "  12 ", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + " with " + c.format);
    errstate = ErrState{};
    std::string text = blank_text(c.length);
    integertostring(c.value, text, c.format);
    EXPECT_EQ(text, c.want);
    EXPECT_EQ(text.size(), c.length);
    EXPECT_EQ(infoerror(1), c.error);
  }
}

TEST(Strings, LengthsAndLocations) {
  struct Case {
    std::string text;
    int actual, locate, first, last;
  };
  const Case cases[] = {
      {"  ab cd  ", 7, 3, 3, 4},
      {std::string("xy\0\0", 4), 2, 1, 1, 2},  // NULs after the last letter are ignored
      {"     ", 0, 0, 0, 0},
      {"", 0, 0, 0, 0},
      {"word", 4, 1, 1, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("text '" + c.text + "'");
    EXPECT_EQ(iactuallength(c.text), c.actual);
    EXPECT_EQ(ilocatechar(c.text), c.locate);
    int f = -1, l = -1;
    ilocatestring(c.text, f, l);
    EXPECT_EQ(f, c.first);
    EXPECT_EQ(l, c.last);
  }
}

TEST(Strings, JustifyCases) {
  struct Case {
    const char* text;
    const char* mode;
    const char* want;
  };
  const Case cases[] = {
      {"   abc    ", "L", "abc       "},
      {"   abc    ", "l", "abc       "},
      {"   abc    ", "R", "       abc"},
      {"  abcde   ", "r", "     abcde"},  // overlapping move stays intact
      {"abc       ", "C", "   abc    "},  // (10 - 3) / 2 + 1 = 4
      {"       abc", "x", "   abc    "},
      {"ab        ", "", "    ab    "},
      {"          ", "L", "          "},
      {"abcdefghij", "R", "abcdefghij"},
      {" a b ", "L", "a b  "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("'") + c.text + "' mode '" + c.mode + "'");
    std::string t = c.text;
    ijustifystring(t, c.mode);
    EXPECT_EQ(t, c.want);
  }
}

TEST(Strings, CaseFoldingTouchesOnlyAsciiLetters) {
  std::string t = "Ab\xb9\xa5Z1";  // ą and Ą in code page 1250 stay as they are
  iuppercase(t);
  EXPECT_EQ(t, "AB\xb9\xa5Z1");
  ilowercase(t);
  EXPECT_EQ(t, "ab\xb9\xa5z1");
}

TEST(Strings, OptionLetters) {
  EXPECT_TRUE(xxopt("abc", 'B')) << "lower case of the letter";
  EXPECT_TRUE(xxopt("aBc", 'B'));
  EXPECT_FALSE(xxopt("ABC", 'b')) << "only the case passed or lower case";
  EXPECT_FALSE(xxopt("   ", 'L'));
}

TEST(Strings, EnvironmentVariable) {
  ::setenv("TSD_STRINGS_VAR", "/opt/chars", 1);
  ::setenv("TSD_STRINGS_EMPTY", "", 1);
  ::unsetenv("TSD_STRINGS_NONE");
  struct Case {
    const char* name;
    std::size_t length;
    std::string want;
  };
  const Case cases[] = {
      {"  TSD_STRINGS_VAR  other", 12, "/opt/chars  "},
      {"TSD_STRINGS_VAR", 10, "/opt/chars"},   // exactly fits
      {"TSD_STRINGS_VAR", 9, "         "},     // longer than the value: blank
      {"TSD_STRINGS_EMPTY", 4, "    "},
      {"TSD_STRINGS_NONE", 4, "    "},
      {"    ", 4, "    "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " into " + std::to_string(c.length));
    std::string v(c.length, 'x');
    iosvariable(c.name, v);
    EXPECT_EQ(v, c.want);
  }
  ::unsetenv("TSD_STRINGS_VAR");
  ::unsetenv("TSD_STRINGS_EMPTY");
}

TEST(Strings, SplitPathCases) {
  struct Case {
    const char* path;
    const char* dir;
    const char* name;
  };
  const Case cases[] = {
      {"/home/ania/dane/pomiar.dat", "/home/ania/dane", "pomiar.dat"},
      {"  dane/pomiar.dat", "dane", "pomiar.dat"},  // left-justified first
      {"pomiar.dat", "", "pomiar.dat"},
      {"/home/ania/", "/home/ania", ""},             // trailing separator dropped
      {"dane/", "dane/", ""},                        // a single separator stays
      {"/", "/", ""},
      {"/pomiar.dat", "/", "pomiar.dat"},            // the root stays the directory
      {"/home/ania/..", "/home/ania/..", ""},
      {"..", "..", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("path '") + c.path + "'");
    std::string path = padded(c.path, 40);
    std::string name = std::string(20, 'x');
    yysplitp(path, name);
    EXPECT_EQ(path, padded(c.dir, 40));
    EXPECT_EQ(name, padded(c.name, 20));
  }
}

TEST(Strings, RepresentationHelpers) {
  char field[6] = {'a', 'b', ' ', ' ', '\0', ' '};
  EXPECT_EQ(text_of(field).size(), 6u) << "the whole declared length";
  EXPECT_EQ(trimmed(text_of(field)), "ab");
  assign(field, "longer text");
  EXPECT_EQ(std::string(field, 6), "longer");
  assign(field, "x");
  EXPECT_EQ(std::string(field, 6), "x     ");
  EXPECT_EQ(padded("abc", 2), "ab");
}

}  // namespace
