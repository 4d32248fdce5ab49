// Formatted output: single fields, whole records, several records, faults.
// The expected texts were checked against a Fortran compiler's formatted
// output; where they differ (a negative value that shows as zero), the
// engine writes no minus sign.
#include "runtime/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using tsd::runtime::format_integer;
using tsd::runtime::format_real;
using tsd::runtime::format_record;
using tsd::runtime::format_text;
using tsd::runtime::FormatItem;
using tsd::runtime::FormatStatus;

struct RealCase {
  const char* format;
  double value;
  const char* expected;
};

TEST(FormatField, RealFieldsMatchTheEditDescriptors) {
  const RealCase cases[] = {
      // Fw.d: rounding, right alignment, the zero before the point
      {"(F7.3)", 0.5, "  0.500"},
      {"(F6.4)", 0.5, "0.5000"},   // the zero fits exactly
      {"(F6.4)", -0.5, "-.5000"},  // no room for the zero
      {"(F7.3)", 12345.6, "*******"},
      {"(F7.3)", 999.9996, "*******"},  // rounding carries into an eighth character
      {"(F6.2)", 9.999, " 10.00"},
      {"(F6.2)", -9.999, "-10.00"},
      {"(F6.2)", -99.999, "******"},
      {"(F8.3)", 300.0, " 300.000"},
      {"(F10.1)", 273.15, "     273.1"},   // 273.15 is stored just below the tie
      {"(F10.2)", 2.675, "      2.67"},    // likewise 2.675
      {"(F6.2)", 0.125, "  0.12"},         // an exact tie goes to even
      {"(F6.2)", 0.375, "  0.38"},
      {"(F10.6)", 300.123456, "300.123456"},
      {"(F14.1)", 123456789012.3, "123456789012.3"},  // fills all 14 characters
      {"(F14.1)", -123456789012.25, "**************"},
      {"(F9.6)", 1.23456789, " 1.234568"},
      {"(F7.5)", 0.12345678, "0.12346"},
      {"(F7.5)", -0.5, "-.50000"},
      {"(F8.4)", 350.123456, "350.1235"},
      {"(F8.6)", 1.2345678, "1.234568"},
      {"(F8.6)", 12.0, "********"},
      {"(F8.5)", 3.0, " 3.00000"},
      {"(F11.5)", 3.33333333, "    3.33333"},
      {"(F14.5)", -12.3456789, "     -12.34568"},
      // negative zero and negative values that show as zero: no minus sign
      {"(F7.3)", -0.0, "  0.000"},
      {"(F7.3)", -0.0001, "  0.000"},
      {"(F12.5)", -0.000004, "     0.00000"},
      // 1P,Ew.d: one digit before the point, d after, two exponent digits
      {"(1P,E12.5)", 1234.5, " 1.23450E+03"},
      {"(1P,E11.2)", -0.00123, "  -1.23E-03"},
      {"(1P,E8.2)", 1.0e-12, "1.00E-12"},  // fills the field exactly
      {"(1P,E8.2)", -1.0e-12, "********"},
      {"(1P,E11.2)", 0.0, "   0.00E+00"},
      {"(1P,E11.2)", -0.0, "   0.00E+00"},
      {"(1P,E11.2)", 9.999, "   1.00E+01"},  // the mantissa carries into the exponent
      {"(1P,E14.2)", -9.995, "     -9.99E+00"},
      {"(1P,E11.4)", 5.0e-3, " 5.0000E-03"},
      {"(1P,E12.6)", 123456789.0, "1.234568E+08"},
      {"(1P,E14.6)", 1.0e-3, "  1.000000E-03"},
      {"(1P,E13.5)", 9.999995e5, "  1.00000E+06"},
      {"(1P,E14.5)", -2.25e-9, "  -2.25000E-09"},
      {"(1P,E9.2)", 0.0123, " 1.23E-02"},
      // three-digit exponents drop the letter
      {"(1P,E11.2)", 1.0e-120, "   1.00-120"},
      {"(1P,E11.2)", 1.0e200, "   1.00+200"},
      // without a scale factor: 0.ddd form; other scale factors as the
      // language has them (an F field is multiplied by 10^k)
      {"(E11.3)", 1234.5, "  0.123E+04"},
      {"(0P,E12.4)", -0.00012345, " -0.1234E-03"},
      {"(2P,E12.4)", 1234.5678, "  12.346E+02"},
      {"(-1P,E12.4)", 1234.5678, "  0.0123E+05"},
      {"(1P,F8.3)", 1.5, "  15.000"},
      {"(-1P,F8.3)", 1.5, "   0.150"},
      // non-finite values
      {"(F10.2)", std::numeric_limits<double>::infinity(), "  Infinity"},
      {"(F5.1)", -std::numeric_limits<double>::infinity(), " -Inf"},
      {"(1P,E11.2)", std::numeric_limits<double>::quiet_NaN(), "        NaN"},
      {"(F2.0)", std::numeric_limits<double>::quiet_NaN(), "**"},
  };
  for (const RealCase& c : cases) {
    SCOPED_TRACE(std::string(c.format) + " of " + std::to_string(c.value));
    std::string s;
    ASSERT_EQ(format_real(c.value, c.format, s), FormatStatus::ok);
    EXPECT_EQ(s, c.expected);
  }
}

TEST(FormatField, IntegerFields) {
  const struct {
    const char* format;
    long long value;
    const char* expected;
  } cases[] = {
      {"(I3)", 0, "  0"},   {"(I3)", -99, "-99"},  {"(I3)", -100, "***"},
      {"(I3)", 123456, "***"}, {"(I1)", 10, "*"},  {"(I4)", -999, "-999"},
      {"(I5)", 121, "  121"},  {"(I4)", std::numeric_limits<long long>::min(), "****"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.format) + " of " + std::to_string(c.value));
    std::string s;
    ASSERT_EQ(format_integer(c.value, c.format, s), FormatStatus::ok);
    EXPECT_EQ(s, c.expected);
  }
}

TEST(FormatRecord, FieldsFollowEachOtherWithoutSeparators) {
  struct Case {
    const char* format;
    std::vector<FormatItem> items;
    const char* expected;
  };
  const Case cases[] = {
      {"(I4,F10.3,1P,2E14.5)", {12, 300.125, 1.5e-12, -2.25e-9},
       "  12   300.125   1.50000E-12  -2.25000E-09"},  // 42 characters
      {"(F8.3,1P,2E13.5)", {300.0, 1.5e-12, 0.0}, " 300.000  1.50000E-12  0.00000E+00"},  // 34
      {"(A,1P,E12.5,A,E9.2,A)", {" Jm  =", 1.234567e-10, " A/cm2 +-", 0.0123, " A/cm2"},
       " Jm  = 1.23457E-10 A/cm2 +- 1.23E-02 A/cm2"},  // the scale factor holds for both E
      {"(1P,2E14.6,0P,I4)", {300.0, 400.0, 5}, "  3.000000E+02  4.000000E+02   5"},
      {"(1P,3E14.6,0P,I3)", {0.5, 350.0, 1e-11, 1}, "  5.000000E-01  3.500000E+02  1.000000E-11  1"},
      {"(1P,E14.6,0P,I3)", {1e-3, 3}, "  1.000000E-03  3"},
      {"(1P,5E14.6)", {0.05, 77.0, 1.0, 2e11, 3.5e-7},
       "  5.000000E-02  7.700000E+01  1.000000E+00  2.000000E+11  3.500000E-07"},
      {"(1P,3E14.6)", {1.0, 2.0, 3.0}, "  1.000000E+00  2.000000E+00  3.000000E+00"},
      {"(F8.3,1P,4E13.5)", {77.5, 1.0, -1.0, 1e-300, 9.999995e5},
       "  77.500  1.00000E+00 -1.00000E+00  1.00000-300  1.00000E+06"},
      {"(F8.3,1P,3E13.5)", {1.0, 1.0, 1.0, 1.0}, "   1.000  1.00000E+00  1.00000E+00  1.00000E+00"},
      {"(F8.3,1P,E13.5)", {1.0, 2.0}, "   1.000  2.00000E+00"},
      {"(F11.5,F14.5)", {3.33333333, -12.3456789}, "    3.33333     -12.34568"},
      {"(I4,2F12.5)", {800, 2.5, -0.000004}, " 800     2.50000     0.00000"},
      {"(I4,F10.3,1P,E14.5)", {1, 2.0, 3.0}, "   1     2.000   3.00000E+00"},
      {"(I4,F10.3,1P,3E14.5)", {1, 2.0, 3.0, 4.0, 5.0},
       "   1     2.000   3.00000E+00   4.00000E+00   5.00000E+00"},
      {"(I4,F10.3,1P,4E14.5)", {1, 2.0, 3.0, 4.0, 5.0, 6.0},
       "   1     2.000   3.00000E+00   4.00000E+00   5.00000E+00   6.00000E+00"},
      {"(I5,3I3)", {121, 1, 0, 1}, "  121  1  0  1"},
      {"(I5,I3)", {121, 1}, "  121  1"},
      {"(4I3)", {1, 2, 1, 2}, "  1  2  1  2"},
      {"(3I3)", {1, 3, 1}, "  1  3  1"},
      {"(2I3)", {2, 1}, "  2  1"},
      {"(A,F6.2)", {" QEa =", 0.1}, " QEa =  0.10"},
      {"(A,F7.4)", {" Del =", 0.01}, " Del = 0.0100"},
      {"(A,I2)", {" Ldiv =", 100}, " Ldiv =**"},
      {"(A,I4)", {" N =", 121}, " N = 121"},
      {"(A,F8.3,A)", {" T0 =", 300.0, " K"}, " T0 = 300.000 K"},
      {"(A,F8.5,A)", {" x =", 3.0, " 1/K"}, " x = 3.00000 1/K"},
      {"(A,F9.6,A)", {" Ea =", 1.23456789, " eV"}, " Ea = 1.234568 eV"},
      {"(A,F8.3,A,F8.3,A)", {" Tm =", 350.0, " K +-", 0.5, " K"}, " Tm = 350.000 K +-   0.500 K"},
      {"(A,F8.5,A,F8.5,A)", {" Ea =", 1.1, " +-", 0.001234, " eV"}, " Ea = 1.10000 +- 0.00123 eV"},
      {"(A,1P,E12.5,A)", {" b =", 0.05, " K/s"}, " b = 5.00000E-02 K/s"},
      {"(2A)", {" Plik = ", "dane.dat"}, " Plik = dane.dat"},
      {"(A)", {" Program"}, " Program"},
      {"(A)", {""}, ""},
      {"(A3)", {"abcdef"}, "abc"},  // Aw: leftmost w characters, or right-aligned
      {"(A8)", {"abc"}, "     abc"},
      {"( F7.3 )        ", {0.5}, "  0.500"},  // blanks are not significant
      {"(1pe12.5)", {1234.5}, " 1.23450E+03"},  // nor is case; P needs no comma
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    std::string s;
    ASSERT_EQ(format_record(c.format, c.items, s), FormatStatus::ok);
    EXPECT_EQ(s, c.expected);
  }
}

TEST(FormatRecord, RecordLengthIsTheSumOfTheFieldWidths) {
  std::string s;
  ASSERT_EQ(format_record("(I4,F10.3,1P,2E14.5)", {123456, 1e9, 1e300, -1e300}, s), FormatStatus::ok);
  EXPECT_EQ(s, "****" "**********" "   1.00000+300" "  -1.00000+300");
  EXPECT_EQ(s.size(), 42u);
  ASSERT_EQ(format_record("(F8.3,1P,2E13.5)", {-1234.5678, 1.0, 2.0}, s), FormatStatus::ok);
  EXPECT_EQ(s.size(), 34u) << s;
}

TEST(FormatText, SlashEndsTheRecord) {
  const struct {
    const char* format;
    const char* expected;
  } cases[] = {
      {"(/,A)", "\n Seria nr 1\n"},
      {"(A,/)", " Seria nr 1\n\n"},
      {"(/,A,/)", "\n Seria nr 1\n\n"},
      {"(/A/)", "\n Seria nr 1\n\n"},
      {"(2/,A)", "\n\n Seria nr 1\n"},
      {"(A)", " Seria nr 1\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    std::string s;
    ASSERT_EQ(format_text(c.format, {" Seria nr 1"}, s), FormatStatus::ok);
    EXPECT_EQ(s, c.expected);
  }
  std::string s;
  EXPECT_EQ(format_record("(/,A)", {"x"}, s), FormatStatus::several_records);
}

TEST(FormatErrors, BadFormatsAndMismatchedItemsAreReported) {
  const char* bad[] = {"",      "F7.3",     "(F7.3",   "(F7)",      "(I3.2)", "(X)",
                       "(3)",   "(A,,I3)",  "(A,)",    "(,A)",      "(F7.3))", "(0I3)",
                       "(P,E12.5)", "((A))", "('x')",  "(F7.3)x",   "(I0)",   "(E12.5.3)"};
  for (const char* f : bad) {
    SCOPED_TRACE(f);
    std::string s;
    EXPECT_EQ(format_real(1.0, f, s), FormatStatus::bad_format);
  }
  std::string s;
  EXPECT_EQ(format_record("(I3)", {1.0}, s), FormatStatus::wrong_item_type);
  EXPECT_EQ(format_record("(F7.3)", {1}, s), FormatStatus::wrong_item_type);
  EXPECT_EQ(format_record("(A)", {1}, s), FormatStatus::wrong_item_type);
  EXPECT_EQ(format_record("(I3,I3)", {1}, s), FormatStatus::item_count);
  EXPECT_EQ(format_record("(I3)", {1, 2}, s), FormatStatus::item_count);
  EXPECT_EQ(format_record("()", {}, s), FormatStatus::ok);
  EXPECT_EQ(s, "");
}

}  // namespace
