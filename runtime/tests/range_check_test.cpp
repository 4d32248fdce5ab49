// The range checks of a parameter file's integers: the first value outside
// its range is the fault, named by its record, with the range it must lie in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/paramfile.h"
#include "text/cp1250.h"

namespace {

using tsd::runtime::firstoutofrange;
using tsd::runtime::ParamsStatus;
using tsd::runtime::RangeCheck;

TEST(ParamsRangeCheck, TheFirstValueOutsideItsRangeIsTheFaultOfItsRecord) {
  const std::vector<RangeCheck> checks = {
      {1, "Nout", 2, 2, 400},  // at the lower end: kept
      {1, "siatka", 99, -9, 99},
      {3, "Nwyj", 0, 1, 400},  // the first fault
      {4, "seria", 7, 1, 3},   // a later fault is not reported
  };
  const auto r = firstoutofrange("P.PAR", checks);
  EXPECT_EQ(r.status, ParamsStatus::out_of_range);
  EXPECT_EQ(r.record, 3);
  EXPECT_EQ(r.file, "P.PAR");
  EXPECT_EQ(r.problem, tsd::cp("rekord 3: Nwyj = 0 poza zakresem 1..400"));
}

TEST(ParamsRangeCheck, ValuesWithinTheirRangesGiveAnOkResult) {
  const std::vector<RangeCheck> checks = {{1, "a", -9, -9, 99}, {2, "b", 400, 2, 400}};
  const auto r = firstoutofrange("P.PAR", checks);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.record, 0);
  EXPECT_TRUE(r.problem.empty());
  EXPECT_TRUE(firstoutofrange("P.PAR", {}).ok());
}

}  // namespace
