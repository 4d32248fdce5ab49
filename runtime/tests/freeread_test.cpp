// Free-format reading: value forms, separators, the line rule of each read,
// null values, and the status of every read.
#include "runtime/freeread.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

using tsd::runtime::FreeReader;
using tsd::runtime::ReadResult;
using tsd::runtime::ReadStatus;

const char* name_of(ReadStatus s) {
  switch (s) {
    case ReadStatus::ok: return "ok";
    case ReadStatus::bad_value: return "bad_value";
    case ReadStatus::end_of_file: return "end_of_file";
  }
  return "?";
}

TEST(FreeReadValues, RealForms) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      {"300", 300.0},       {"300.0", 300.0},    {"3.0E2", 300.0},    {"3e+2", 300.0},
      {"3.0D2", 300.0},     {"3.0d+2", 300.0},   {"300.", 300.0},     {".5", 0.5},
      {"+2.5", 2.5},        {"-2.5", -2.5},      {"1.5E-12", 1.5e-12}, {"1.5-12", 1.5e-12},
      {"1.5+3", 1500.0},    {"  \t 7", 7.0},     {"1e-400", 0.0},     {"4.9e-324", 4.9e-324},
      {"0.1", 0.1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    FreeReader r{std::string_view(c.text)};
    double v = -1;
    ReadResult res = r.read({v});
    EXPECT_STREQ(name_of(res.status), "ok");
    EXPECT_TRUE(res.complete(1));
    EXPECT_EQ(v, c.expected);
  }
}

TEST(FreeReadValues, BadValuesAreRefused) {
  const char* cases[] = {"abc", "1.2.3", "1.5E", "1.5E+", "E5", ".", "-", "+", "12a", "1e999",
                         "inf", "Infinity", "nan", "NaN", "0x10", "1;2", "1.5Q3",
                         // a value longer than 255 characters
                         "1234567890123456789012345678901234567890123456789012345678901234567890"
                         "1234567890123456789012345678901234567890123456789012345678901234567890"
                         "1234567890123456789012345678901234567890123456789012345678901234567890"
                         "1234567890123456789012345678901234567890123456789012345678901234567890"};
  for (const char* c : cases) {
    SCOPED_TRACE(c);
    FreeReader r{std::string_view(c)};
    double v = 42.0;
    EXPECT_STREQ(name_of(r.read({v}).status), "bad_value");
    EXPECT_EQ(v, 42.0) << "a refused value is not stored";
  }
}

TEST(FreeReadValues, IntegersHaveNoPointAndFitIn32Bits) {
  const struct {
    const char* text;
    ReadStatus status;
    int expected;
  } cases[] = {
      {"800", ReadStatus::ok, 800},
      {"-5", ReadStatus::ok, -5},
      {"+7", ReadStatus::ok, 7},
      {"2147483647", ReadStatus::ok, 2147483647},
      {"-2147483648", ReadStatus::ok, -2147483647 - 1},
      {"2147483648", ReadStatus::bad_value, 0},
      {"99999999999999999999", ReadStatus::bad_value, 0},
      {"800.0", ReadStatus::bad_value, 0},
      {"8e2", ReadStatus::bad_value, 0},
      {"", ReadStatus::end_of_file, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    FreeReader r{std::string_view(c.text)};
    int v = 0;
    EXPECT_STREQ(name_of(r.read({v}).status), name_of(c.status));
    EXPECT_EQ(v, c.expected);
  }
}

TEST(FreeReadValues, SinglePrecisionRoundsTheTextOnce) {
  FreeReader r{std::string_view("300.123456 1e39 1e-50")};
  float f = 0;
  ASSERT_EQ(r.read({f}).status, ReadStatus::ok);
  EXPECT_EQ(f, 300.123456f);
  FreeReader big{std::string_view("1e39")};
  EXPECT_EQ(big.read({f}).status, ReadStatus::bad_value) << "overflows a float";
  FreeReader tiny{std::string_view("1e-50")};
  ASSERT_EQ(tiny.read({f}).status, ReadStatus::ok);
  EXPECT_EQ(f, 0.0f);
}

TEST(FreeReadRecords, EachReadStartsOnANewLineAndTakesAsManyLinesAsItNeeds) {
  // header over two lines, a third value on a point line, blank lines,
  // commas, CR LF line ends
  const std::string text =
      "3 0.1\r\n"
      "  250.0,2.0\r\n"
      "\r\n"
      "300 1e-12 999\r\n"
      "310,\n"
      "2e-12\n"
      "320 , 3e-12 / ignored\n";
  FreeReader r{std::string_view(text)};
  int n = 0;
  double b = 0, t0 = 0, s = 0;
  ASSERT_TRUE(r.read({n, b, t0, s}).complete(4));
  EXPECT_EQ(n, 3);
  EXPECT_EQ(b, 0.1);
  EXPECT_EQ(t0, 250.0);
  EXPECT_EQ(s, 2.0);
  const double want_t[] = {300, 310, 320};
  const double want_i[] = {1e-12, 2e-12, 3e-12};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE("point " + std::to_string(i + 1));
    double t = 0, cur = 0;
    ASSERT_TRUE(r.read({t, cur}).complete(2));
    EXPECT_EQ(t, want_t[i]);
    EXPECT_EQ(cur, want_i[i]);
  }
  double t = 0;
  EXPECT_STREQ(name_of(r.read({t}).status), "end_of_file");
}

TEST(FreeReadRecords, ValuesLeftOnALineAreNotReadByTheNextRead) {
  FreeReader r{std::string_view("1 2 3\n4 5 6\n")};
  int a = 0, b = 0;
  ASSERT_TRUE(r.read({a}).complete(1));
  ASSERT_TRUE(r.read({b}).complete(1));
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 4);
  EXPECT_EQ(r.read({a}).status, ReadStatus::end_of_file);
}

TEST(FreeReadRecords, NullValuesAndSlashLeaveTargetsAsTheyWere) {
  const struct {
    const char* text;
    double a, b, c;
    unsigned assigned;
  } cases[] = {
      {"1,,3", 1, -1, 3, 0b101},
      {",2,3", -1, 2, 3, 0b110},
      {"1 , 2 , 3", 1, 2, 3, 0b111},
      {"1,\n,3", 1, -1, 3, 0b101},
      {"1 / 2 3", 1, -1, -1, 0b001},
      {"/", -1, -1, -1, 0},
      {",,,", -1, -1, -1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    FreeReader r{std::string_view(c.text)};
    double a = -1, b = -1, cc = -1;
    ReadResult res = r.read({a, b, cc});
    EXPECT_STREQ(name_of(res.status), "ok");
    EXPECT_EQ(res.assigned, c.assigned);
    EXPECT_FALSE(res.complete(3) && c.assigned != 0b111);
    EXPECT_EQ(a, c.a);
    EXPECT_EQ(b, c.b);
    EXPECT_EQ(cc, c.c);
  }
}

TEST(FreeReadRecords, ValuesBeforeAFaultStay) {
  FreeReader r{std::string_view("5 2.5 x 7\n9")};
  int n = 0;
  double b = 0, c = 0;
  ReadResult res = r.read({n, b, c});
  EXPECT_STREQ(name_of(res.status), "bad_value");
  EXPECT_EQ(res.assigned, 0b011u);
  EXPECT_EQ(n, 5);
  EXPECT_EQ(b, 2.5);
  // the next read begins on the next line
  ASSERT_TRUE(r.read({n}).complete(1));
  EXPECT_EQ(n, 9);

  FreeReader e{std::string_view("5 2.5")};
  res = e.read({n, b, c});
  EXPECT_STREQ(name_of(res.status), "end_of_file");
  EXPECT_EQ(res.assigned, 0b011u);
}

TEST(FreeReadFiles, ReadsAFileAndTellsAMissingOne) {
  const std::string dir = ::testing::TempDir();
  const std::string path = dir + "freeread_fixture.txt";
  std::FILE* f = std::fopen(path.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fputs("  121  1  0  1\n  1  1  1  1\n", f);  // last line without a line end is fine too
  std::fputs("2 3", f);
  std::fclose(f);
  FreeReader r;
  ASSERT_TRUE(r.open(path + "     "));  // trailing blanks of a name field do not count
  int a = 0, b = 0, c = 0, d = 0;
  ASSERT_TRUE(r.read({a, b, c, d}).complete(4));
  EXPECT_EQ(a, 121);
  ASSERT_TRUE(r.read({a, b, c, d}).complete(4));
  ASSERT_TRUE(r.read({a, b}).complete(2));
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 3);
  EXPECT_EQ(r.read({a}).status, ReadStatus::end_of_file);
  std::remove(path.c_str());

  FreeReader missing;
  EXPECT_FALSE(missing.open(dir + "no_such_file_here.txt"));
  EXPECT_FALSE(missing.open(dir));  // a directory is not a file
  EXPECT_EQ(missing.read({a}).status, ReadStatus::end_of_file);
}

}  // namespace

namespace {

// A file that starts with the UTF-8 byte-order mark, as editors on other
// systems save it, reads as the same file without it; bytes that only
// begin like the mark are the file's own and are read as such.
TEST(FreeReadFiles, ALeadingByteOrderMarkIsSkipped) {
  struct Case {
    const char* name;
    std::string content;
    ReadStatus status;  // of the first read of two integers
    int first;          // its first value when it is read
  };
  const Case cases[] = {
      {"mark and a record", "\xEF\xBB\xBF" "12 3\n", ReadStatus::ok, 12},
      {"mark and CR LF records", "\xEF\xBB\xBF" "  7  8\r\n9 10\r\n", ReadStatus::ok, 7},
      {"no mark", "12 3\n", ReadStatus::ok, 12},
      {"a short file", "5", ReadStatus::end_of_file, 5},
      {"the mark alone", "\xEF\xBB\xBF", ReadStatus::end_of_file, 0},
      {"the mark cut short", "\xEF\xBB" "12 3\n", ReadStatus::bad_value, 0},
      {"the mark twice", "\xEF\xBB\xBF\xEF\xBB\xBF" "12 3\n", ReadStatus::bad_value, 0},
  };
  const std::string path = ::testing::TempDir() + "freeread_bom.txt";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(c.content.data(), 1, c.content.size(), f);
    std::fclose(f);
    FreeReader r;
    ASSERT_TRUE(r.open(path));
    int a = 0, b = 0;
    const ReadResult res = r.read({a, b});
    EXPECT_EQ(name_of(res.status), name_of(c.status));
    EXPECT_EQ(a, c.first);
  }
  // The mark only counts at the start of the file: on a later line it is a
  // bad value like any other bytes.
  {
    FreeReader r;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("12 3\n\xEF\xBB\xBF" "4 5\n", f);
    std::fclose(f);
    ASSERT_TRUE(r.open(path));
    int a = 0, b = 0;
    ASSERT_TRUE(r.read({a, b}).complete(2));
    EXPECT_EQ(name_of(r.read({a, b}).status), name_of(ReadStatus::bad_value));
  }
  std::remove(path.c_str());
}

}  // namespace
