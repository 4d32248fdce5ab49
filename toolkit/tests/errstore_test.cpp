// The error store: recording, reading and clearing.
#include <gtest/gtest.h>

#include "toolkit/window/errstore.h"

namespace {

using namespace tsd;

TEST(ErrStore, InfoerrorReturnsAWordAndClearsIt) {
  errstate = ErrState{};
  xxerror(kErrNotDigit);
  xxerror(kErrFormat);  // a later error overwrites an earlier one
  errstate.os_status = 5;
  errstate.extra = 12290;
  EXPECT_EQ(infoerror(1), 18);
  EXPECT_EQ(infoerror(1), 0) << "read twice: cleared";
  EXPECT_EQ(infoerror(2), 5);
  EXPECT_EQ(infoerror(2), 0);
  EXPECT_EQ(infoerror(7), 12290) << "any other item: the extra code";
  EXPECT_EQ(infoerror(3), 0);
}

TEST(ErrStore, DebugLevelOnlyZeroToFour) {
  errstate = ErrState{};
  const struct {
    int set;
    int want;
  } cases[] = {{3, 3}, {5, 3}, {-1, 3}, {0, 0}, {4, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE("idebuglevel(" + std::to_string(c.set) + ")");
    idebuglevel(c.set);
    EXPECT_EQ(errstate.debug_level, c.want);
  }
}

}  // namespace
