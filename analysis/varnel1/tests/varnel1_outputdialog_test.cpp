// varnel1's output-range dialog (105) and series dialog (106) run as a user
// runs them on the sample data (T0 200 K, 215 K to 310 K, 201 output
// points from the example parameter file).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/varnel1/tests/varnel1_dialogs_run.h"
#include "analysis/varnel1/tests/varnel1_run.h"
#include "toolkit/graphics/grcolours.h"
#include "resources/varnel1/varnel1_ids.h"

namespace tsd::varnel1::testing {
namespace {

const char kOutputTitle[] = "Zakres obliczeń";

TEST(Varnel1OutputDialog, RefusedInputShowsItsBoxesAndKeepsTheRange) {
  struct Case {
    const char* name;
    const char* actions;
    std::vector<std::string> boxes;
    const char* modes;  // VARNEL1.PAR record 8 afterwards
  };
  const Case cases[] = {
      {"Nout 801", "field 1052 \"801\"\n", {"Wartość Nwyj > od 800"}, "  1  1"},
      {"blank Nout", "field 1052 \"\"\n", {"Błąd odczytu wartości Nwyj", "Wartość Nwyj < od 2"}, "  1  1"},
      {"Tmin equal to T0", "field 1005 \"200\"\n", {"Wartość Tmin <= od wartości T0"}, "  1  1"},
      {"Tmin equal to Tmax", "field 1005 \"310\"\n", {"Wartość Tmin >= od wartości Tmax"}, "  1  1"},
      {"letters as 1000/Tmin", "button 1002\nfield 1006 \"a1\"\n", {"Błąd odczytu wartości 1000/Tmin"}, "  2  1"},
      {"1000/Tmax of zero", "button 1004\nfield 1008 \"0\"\n", {"Błąd odczytu wartości 1000/Tmax"}, "  1  2"},
      {"blank Tmax and Nout 1", "field 1007 \"\"\nfield 1052 \"1\"\n",
       {"Błąd odczytu wartości Tmax", "Wartość Nwyj < od 2"}, "  1  1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DialogRun r = rundialog(varnel1folder(), V1_CM_OUTPUT_RANGE, kOutputTitle, std::string(c.actions) + "button 1\n",
                                  c.boxes.size());
    expectboxes(r, c.boxes);
    expectfields(r.again, {{1005, "215.000"}, {1006, "4.65116"}, {1007, "310.000"}, {1008, "3.22581"}, {1052, "201"}});
    EXPECT_EQ(record(r.params, 8), c.modes) << r.params;
    EXPECT_EQ(record(r.params, 1), "  201  1  0  1") << r.params;
  }
}

TEST(Varnel1OutputDialog, AcceptedRangeAndCountAreShownAgainAndSaved) {
  // Tmin as 1000/Tmin = 4.5, Tmax 300 K, the largest point count.
  const DialogRun r = rundialog(varnel1folder(), V1_CM_OUTPUT_RANGE, kOutputTitle,
                                "button 1002\nfield 1006 \"4.5\"\nfield 1007 \"300\"\nfield 1052 \"800\"\nbutton 1\n", 0);
  expectboxes(r, {});
  expectfields(r.again, {{1005, "222.222"}, {1006, "4.50000"}, {1007, "300.000"}, {1008, "3.33333"}, {1052, "800"}});
  EXPECT_EQ(record(r.params, 1), "  800  1  0  1") << r.params;
  EXPECT_EQ(record(r.params, 8), "  2  1") << r.params;
}

std::uint32_t colourof(int number) {
  int r = 0, g = 0, b = 0;
  xxpalrule(256, number, 0, r, g, b);
  return (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) | static_cast<std::uint32_t>(b);
}

TEST(Varnel1SeriesDialog, AllSeriesHiddenLeaveGraphOneWithoutCurves) {
  const std::string dir = varnel1folder();
  const std::string shown = dir + "/graph1_shown.png";
  const std::string hidden = dir + "/graph1_hidden.png";
  // All three check boxes cleared, tables for series 3.
  const std::string script = loadsample(dir) + "screenshot \"" + shown + "\"\n" +
                             "menu V1_CM_SERIES\nbutton 1044\nbutton 1071\nbutton 1046\nbutton 1050\nbutton 1\n" +
                             "screenshot \"" + hidden + "\"\nmenu V1_CM_SERIES\nkey Escape\n" +
                             "menu V1_CM_SAVE_PARAMFILE\nmsgbox OK\nmenu V1_CM_END\n";
  testkit::ProgramRun run = runin("varnel1", dir, script);
  EXPECT_EQ(run.exitcode, 0) << run.log;
  const std::string params = testkit::readfile(dir + "/VARNEL1.PAR");
  EXPECT_EQ(record(params, 1), "  201  1  0  3") << params;
  EXPECT_EQ(record(params, 5), "  3  3  0") << params;
  EXPECT_EQ(record(params, 6), "  2  1  0") << params;
  EXPECT_EQ(record(params, 7), "  1  2  0") << params;

  const Picture before = readpicture(shown);
  const Picture after = readpicture(hidden);
  ASSERT_FALSE(before.pixels.empty()) << shown;
  ASSERT_EQ(after.width, before.width) << hidden;
  ASSERT_EQ(after.height, before.height) << hidden;
  // The plot area: where the model curves were, in the series colours.
  const std::uint32_t seriescolours[] = {colourof(47), colourof(175), colourof(111)};
  int left = before.width, right = -1, top = before.height, bottom = -1;
  for (int y = 0; y < before.height; ++y) {
    for (int x = 0; x < before.width; ++x) {
      const std::uint32_t p = before.at(x, y);
      if (p != seriescolours[0] && p != seriescolours[1] && p != seriescolours[2]) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  ASSERT_GT(right - left, 100) << "the model curves were drawn before";
  ASSERT_GT(bottom - top, 100) << "the model curves were drawn before";
  // There the measured circles were drawn before; nothing at all is drawn
  // there now: no series is shown, so graph 1 is the cleared window.
  const std::uint32_t measured = colourof(223);
  const std::uint32_t background = colourof(0);
  int circles = 0;
  int drawn = 0;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      if (before.at(x, y) == measured) ++circles;
      if (after.at(x, y) != background) ++drawn;
    }
  }
  EXPECT_GT(circles, 500) << "the measured curve was drawn before";
  EXPECT_EQ(drawn, 0) << "pixels drawn with every series hidden";
}

}  // namespace
}  // namespace tsd::varnel1::testing
