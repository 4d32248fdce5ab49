// Number <-> dialog-field text: realtostring and stringtoreal.
#include "analysis/conversions.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

using tsd::realtostring;
using tsd::stringtoreal;

TEST(RealToString, SinglePrecisionValueInAFourteenCharacterText) {
  const struct {
    double value;
    const char* format;
    const char* expected;  // all 14 characters
  } cases[] = {
      {300.123456, "(F10.6)", "300.123444    "},  // the single-precision value is written
      {123456789012.0, "(F14.1)", "123456790528.0"},  // fills the whole text
      {0.0, "(1P,E11.2)", "   0.00E+00   "},
      {0.5, "(F7.3)", "  0.500       "},
      {0.5, "(F6.4)", "0.5000        "},
      {12345.6, "(F7.3)", "*******       "},
      {1.0e-12, "(1P,E8.2)", "1.00E-12      "},
      {-1.0e-12, "(1P,E8.2)", "********      "},
      {0.0123, "(1P,E12.5)", " 1.23000E-02  "},  // 0.0123f is 0.012299999...
      {-0.0001, "(F7.3)", "  0.000       "},    // no minus sign on a zero
      {1.0e39, "(1P,E11.2)", "***********   "},  // beyond single precision
      {-1.0e39, "(F10.1)", "**********    "},
      {1.0e-50, "(1P,E11.2)", "   0.00E+00   "},  // below it: zero
      {300.0, "(F8.3)        ", " 300.000      "},  // a blank-padded format field
      {5.0e-3, "(1P,E11.4)", " 5.0000E-03   "},
      {1.25, "(1P,E14.2)", "      1.25E+00"},
      {std::numeric_limits<double>::quiet_NaN(), "(1P,E11.2)", "        NaN   "},
      // not one real descriptor, or wider than the text: all asterisks
      {1.0, "(I3)", "**************"},
      {1.0, "(F20.5)", "**************"},
      {1.0, "F7.3", "**************"},
      {1.0, "(F7.3,F7.3)", "**************"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.format) + " of " + std::to_string(c.value));
    std::string text = "old text that is longer";
    realtostring(c.value, text, c.format);
    EXPECT_EQ(text, c.expected);
  }
}

TEST(StringToReal, ReadsTheWholeFieldText) {
  const struct {
    const char* text;
    int status;  // 0, or the sign of the non-zero status
    double expected;
  } cases[] = {
      {"  2.5", 0, 2.5},
      {"1.5 2.5", 0, 1.5},  // only the first value counts
      {"3e+2", 0, 300.0},
      {"300", 0, 300.0},
      {"-1.5E-12", 0, static_cast<double>(-1.5e-12f)},
      {"300.123456", 0, static_cast<double>(300.123456f)},  // read as a single-precision number
      {"          123456", 0, 123456.0},  // 16 characters: all of them are read
      {"1.0,junk", 0, 1.0},
      {"abc", 1, 0},
      {"1.2.3", 1, 0},
      {"12a", 1, 0},
      {"1e39", 1, 0},  // beyond single precision
      {"Infinity", 1, 0},
      {"NaN", 1, 0},
      {"", -1, 0},
      {"              ", -1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\"");
    double value = -77.0;
    int status = 99;
    stringtoreal(c.text, value, status);
    EXPECT_EQ(status < 0 ? -1 : (status > 0 ? 1 : 0), c.status) << "status " << status;
    if (c.status == 0) {
      EXPECT_EQ(value, c.expected);
    } else {
      EXPECT_EQ(value, -77.0) << "a failed read leaves the value alone";
    }
  }
}

TEST(StringToReal, NullValueGivesThePreviousNumber) {
  double value = 0.0;
  int status = 1;
  stringtoreal("  4.75", value, status);
  ASSERT_EQ(status, 0);
  for (const char* text : {",", " , 9", "/", " / 9"}) {
    SCOPED_TRACE(text);
    value = -1.0;
    status = 1;
    stringtoreal(text, value, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(value, 4.75);
  }
  stringtoreal("abc", value, status);  // a failure does not change the kept number
  stringtoreal(",", value, status);
  EXPECT_EQ(value, 4.75);
}

TEST(StringToReal, RoundTripThroughTheDialogFormats) {
  // A value written with a dialog format reads back as the written number.
  const struct {
    double value;
    const char* format;
  } cases[] = {{300.125, "(F8.3)"}, {0.05, "(1P,E11.4)"}, {1.23456e-12, "(1P,E12.5)"},
               {0.123456, "(F8.6)"}, {-77.5, "(F10.2)"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    std::string text;
    realtostring(c.value, text, c.format);
    double back = 0;
    int status = 1;
    stringtoreal(text, back, status);
    ASSERT_EQ(status, 0) << text;
    std::string again;
    realtostring(back, again, c.format);
    EXPECT_EQ(again, text);
  }
}

}  // namespace
