// The dialog checks every program shares: the boxes each failed check calls
// for, in order, with the exact texts the user sees.
#include "shell/checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/frame.h"
#include "text/cp1250.h"

namespace tsd {
namespace {

std::vector<std::string> u8(const CheckMessages& m) {
  std::vector<std::string> out;
  for (const std::string& s : m) out.push_back(text::utf8_from_cp1250(s));
  return out;
}

TEST(ShellChecks, OutputRangeAndPointCountGiveOneBoxPerFailedCheckInOrder) {
  struct Case {
    double tmin, tmax, t0;
    int count;
    std::vector<std::string> boxes;
  };
  const Case cases[] = {
      {250, 300, 200, 100, {}},
      {300, 300, 200, 2, {"Wartość Tmin >= od wartości Tmax"}},
      {200, 300, 200, 800, {"Wartość Tmin <= od wartości T0"}},
      {350, 300, 400, 1,
       {"Wartość Tmin >= od wartości Tmax", "Wartość Tmin <= od wartości T0", "Wartość Nout < od 2"}},
      {250, 300, 200, 801, {"Wartość Nout > od 800"}},
  };
  for (const Case& c : cases) {
    CheckMessages m;
    checkoutputrange(c.tmin, c.tmax, c.t0, m);
    checkpointcount("Nout", c.count, 800, m);
    EXPECT_EQ(u8(m), c.boxes) << c.tmin << " " << c.tmax << " " << c.count;
  }
  EXPECT_EQ(text::utf8_from_cp1250(readfailedtext("1000/Tmin")), "Błąd odczytu wartości 1000/Tmin");
}

TEST(ShellFrame, TheGridSwitchTurnsOnlyZeroAndOne) {
  for (const auto& [before, after] : {std::pair{0, 1}, {1, 0}, {2, 2}, {-1, -1}}) {
    int flag = before;
    switchgrid(flag);
    EXPECT_EQ(flag, after) << before;
  }
}

}  // namespace
}  // namespace tsd
