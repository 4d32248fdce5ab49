// Window units against pixels.
#include <gtest/gtest.h>

#include "toolkit/window/winunits.h"

namespace tsd {
namespace {

struct UnitCase {
  const char* what;
  int size;
  int in;
  int out;
};

TEST(WinUnitConversion, UnitsToPixels) {
  const UnitCase cases[] = {
      {"9999 on 500 is one beyond the last column", 500, 9999, 500},
      {"5000 on 500", 500, 5000, 250},
      {"0", 500, 0, 0},
      {"1 unit is less than a pixel", 500, 1, 0},
      {"20 units on 500", 500, 20, 1},
      {"9999 on 1024", 1024, 9999, 1024},
      {"9999 on 819", 819, 9999, 819},
      {"negative units truncate toward zero", 500, -30, -1},
      {"beyond 9999", 500, 19998, 1000},
      {"client of 1 pixel", 1, 9999, 1},
      {"client of 0 pixels", 0, 5000, 0},
  };
  for (const UnitCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(unitstopixels(c.size, c.in), c.out) << "size " << c.size << " units " << c.in;
  }
}

TEST(WinUnitConversion, PixelsToUnits) {
  const UnitCase cases[] = {
      {"last pixel of 500 is 9999", 500, 499, 9999},
      {"first pixel", 500, 0, 0},
      {"middle of 500", 500, 250, 5009},
      {"pixel 1 of 500", 500, 1, 20},
      {"last pixel of 1024", 1024, 1023, 9999},
      {"last pixel of 614", 614, 613, 9999},
      {"left of the client truncates toward zero", 500, -1, -20},
      {"client of 2 pixels", 2, 1, 9999},
      {"client narrower than 2 pixels", 1, 0, 0},
      {"client of 0 pixels", 0, 7, 0},
  };
  for (const UnitCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(unitsfrompixels(c.size, c.in), c.out) << "size " << c.size << " pixel " << c.in;
  }
}

TEST(WinUnitConversion, RoundTripIsNotExact) {
  // size against size - 1: 5000 units is pixel 250 of 500,
  // which reads back as 5009 units.
  EXPECT_EQ(unitsfrompixels(500, unitstopixels(500, 5000)), 5009);
}

}  // namespace
}  // namespace tsd
