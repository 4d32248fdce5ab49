// The libraries of varnel1, varnel2 and the curve programs linked whole into
// this one binary (see CMakeLists.txt): the link itself is the test, since
// a routine or global record defined by two programs stops it. The test
// then checks that each program's main routine is its own.
#include <gtest/gtest.h>

#include "analysis/varnel1/varnel1_frame.h"
#include "multipeak/varnel2/varnel2_frame.h"
#include "peakcurve/mokrin/mokrin_frame.h"

namespace {

TEST(ProgramsLink, AllProgramsLinkIntoOneBinaryWithTheirOwnMainRoutines) {
  void (*const varnel1)() = tsd::varnel1::run;
  void (*const varnel2)() = tsd::varnel2::run;
  void (*const mokrin)(tsd::mokrin::Variant) = tsd::mokrin::run;
  EXPECT_NE(varnel1, nullptr);
  EXPECT_NE(varnel2, nullptr);
  EXPECT_NE(mokrin, nullptr);
  EXPECT_NE(reinterpret_cast<const void*>(varnel1), reinterpret_cast<const void*>(varnel2));
}

}  // namespace
