// varnel2 computes every curve it shows, tabulates or saves on the grid
// whose temperatures stand beside it: a new output grid after a fit moves
// the fitted and the start-value curves onto it alike, and the fit itself
// stays as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "multipeak/varnel2/tests/varnel2_run.h"

namespace tsd::varnel2 {
namespace {

using namespace test;

constexpr char kFit[] = "menu V2_CM_FIT\n";
constexpr char kGrid101[] = "menu V2_CM_DISPLAY_RANGE\nfield 1052 \"101\"\nbutton 1\n";
// Dialog 104 accepted unchanged: the graph goes back to the start values.
constexpr char kFitRangeAgain[] = "menu V2_CM_FIT_RANGE\nbutton 1\n";

struct Outcome {
  std::string tables;      // tables 2 and 3 saved into one file
  std::string screenshot;  // the graph after the last command
};

Outcome runwith(const std::string& name, const std::string& commands) {
  const std::string dir = workdir();
  const std::string shot = dir + "/" + name + ".png";
  const auto r = runin("varnel2", dir, std::string(kLoad) + commands + "screenshot \"" + shot + "\"\n" +
                              "menu V2_CM_SAVE_TABLE2\nfile \"t.txt\"\nmsgbox OK\n"
                              "menu V2_CM_SAVE_TABLE3\nfile \"t.txt\"\nmsgbox OK\n");
  EXPECT_EQ(r.exitcode, 0) << describe(r);
  EXPECT_TRUE(boxtexts(r.log, "Błąd").empty()) << describe(r);
  return {testkit::readfile(dir + "/t.txt"), testkit::readfile(shot)};
}

TEST(Varnel2GridCurves, ANewGridAfterTheFitMovesEveryCurveOntoIt) {
  // The grid of 101 points set before the fit: every curve is computed on it.
  const Outcome before = runwith("before", std::string(kGrid101) + kFit + kFitRangeAgain);
  ASSERT_FALSE(before.screenshot.empty());
  // The grid of 101 points steps by 0.95 K up to 310 K.
  EXPECT_NE(before.tables.find("\n 309.050 "), std::string::npos) << before.tables;

  // Set after the fit while the start values are shown: the fitted curves
  // of the tables follow the grid.
  const Outcome startshown = runwith("startshown", std::string(kFit) + kFitRangeAgain + kGrid101);
  EXPECT_EQ(startshown.tables, before.tables);
  EXPECT_TRUE(startshown.screenshot == before.screenshot) << "start-value curves on the new grid";

  // Set after the fit while the fitted curves are shown: the start-value
  // curves, shown again next, follow the grid.
  const Outcome fitshown = runwith("fitshown", std::string(kFit) + kGrid101 + kFitRangeAgain);
  EXPECT_EQ(fitshown.tables, before.tables);
  EXPECT_TRUE(fitshown.screenshot == before.screenshot) << "start-value curves on the new grid";
}

// A new data file after a fit brings a new grid; the tables keep the last
// fit, computed on that grid.
TEST(Varnel2GridCurves, ANewDataFileMovesTheKeptFitOntoItsGrid) {
  const std::string dir = workdir();
  // The sample's points from 240 K on: a grid of 201 points from 240 K to
  // 310 K once it is loaded.
  const std::string sample = testkit::readfile(dir + "/sample.dat");
  std::string cut = "281 0.0500 200.00 0.7850\n";
  size_t p = sample.find('\n') + 1;
  for (int i = 0; i < 381; ++i) {
    const size_t q = sample.find('\n', p);
    if (i >= 100) cut += sample.substr(p, q - p + 1);
    p = q + 1;
  }
  testkit::writefile(dir + "/cut.dat", cut);
  const auto loaded = runin("varnel2", dir, std::string(kLoad) + kFit + "menu V2_CM_DATA\nfile \"cut.dat\"\n" +
                                   "menu V2_CM_SAVE_TABLE2\nfile \"loaded.txt\"\nmsgbox OK\n");
  ASSERT_EQ(loaded.exitcode, 0) << describe(loaded);
  // The same fit of the sample on the same grid set by dialog 105.
  const auto typed = runin("varnel2", dir, std::string(kLoad) + kFit +
                                  "menu V2_CM_DISPLAY_RANGE\nfield 1005 \"240\"\nfield 1007 \"310\"\nbutton 1\n" +
                                  "menu V2_CM_SAVE_TABLE2\nfile \"typed.txt\"\nmsgbox OK\n");
  ASSERT_EQ(typed.exitcode, 0) << describe(typed);
  const std::string t = testkit::readfile(dir + "/loaded.txt");
  EXPECT_NE(t.find("\n 240.000 "), std::string::npos) << t;
  EXPECT_EQ(t, testkit::readfile(dir + "/typed.txt"));
}

// After a peak is switched off the saved table 2, the sum of the start-value
// peaks, belongs to the peaks switched on and to the grid beside it, also
// after a new data file: with one peak on it is that peak's curve, which
// the saved table 3 holds on the same grid.
TEST(Varnel2GridCurves, TheSavedStartSumFollowsThePeaksAndTheGridOfANewDataFile) {
  const std::string dir = workdir();
  const std::string sample = testkit::readfile(dir + "/sample.dat");
  std::string cut = "281 0.0500 200.00 0.7850\n";
  size_t p = sample.find('\n') + 1;
  for (int i = 0; i < 381; ++i) {
    const size_t q = sample.find('\n', p);
    if (i >= 100) cut += sample.substr(p, q - p + 1);
    p = q + 1;
  }
  testkit::writefile(dir + "/cut.dat", cut);
  const struct {
    const char* name;
    const char* load;  // what comes after peak 2 is switched off
  } cases[] = {{"same data", ""}, {"a new data file", "menu V2_CM_DATA\nfile \"cut.dat\"\n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(dir + "/t2.txt");
    std::filesystem::remove(dir + "/t3.txt");
    const auto r = runin("varnel2", dir, std::string(kLoad) + kFit + "menu V2_CM_PEAKS\nbutton 1016\nbutton 1\n" + c.load +
                                "menu V2_CM_SAVE_TABLE2\nfile \"t2.txt\"\nmsgbox OK\n"
                                "menu V2_CM_SAVE_TABLE3\nfile \"t3.txt\"\nmsgbox OK\n");
    ASSERT_EQ(r.exitcode, 0) << describe(r);
    EXPECT_TRUE(boxtexts(r.log, "Błąd").empty()) << describe(r);
    const std::string t2 = testkit::readfile(dir + "/t2.txt");
    const std::string t3 = testkit::readfile(dir + "/t3.txt");
    const std::string head2 = "\n  T [K]    Ja [A/cm2]\n";
    const std::string head3 = "\n  T [K]   Ja1 [A/cm2]\n";
    ASSERT_EQ(t2.substr(0, head2.size()), head2) << t2;
    ASSERT_EQ(t3.substr(0, head3.size()), head3) << t3;
    EXPECT_EQ(t2.substr(head2.size()), t3.substr(head3.size()))
        << "table 2 is the sum of the one peak switched on";
    if (*c.load != 0) {
      EXPECT_NE(t2.find("\n 240.000 "), std::string::npos) << t2;
    }
  }
}

}  // namespace
}  // namespace tsd::varnel2
