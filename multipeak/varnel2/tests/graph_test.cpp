// varnel2's graph on the headless screen: what a command draws is on the
// screen as soon as the command ends, also for a command chosen from a
// popup that shows no dialog (the grid switch), and toggling twice gives
// the first picture back.
#include <gtest/gtest.h>

#include "multipeak/varnel2/tests/varnel2_run.h"

namespace tsd::varnel2 {
namespace {

using namespace test;

TEST(Varnel2Graph, GridSwitchIsShownAtOnceAndTogglesBack) {
  const std::string dir = workdir();
  const auto r = runin("varnel2", dir, std::string(kLoad) +
                              "screenshot \"a.png\"\n"
                              "menu V2_CM_GRID\nscreenshot \"b.png\"\n"
                              "menu V2_CM_FIT_SETTINGS\nbutton 1\nscreenshot \"c.png\"\n"
                              "menu V2_CM_GRID\nscreenshot \"d.png\"\n");
  ASSERT_EQ(r.exitcode, 0) << describe(r);
  const std::string a = testkit::readfile(dir + "/a.png");
  const std::string b = testkit::readfile(dir + "/b.png");
  const std::string c = testkit::readfile(dir + "/c.png");
  const std::string d = testkit::readfile(dir + "/d.png");
  ASSERT_FALSE(a.empty());
  EXPECT_NE(a, b) << "the grid switch changed nothing on the screen";
  EXPECT_EQ(b, c) << "the screen after the grid switch differs from a redraw of the same graph";
  EXPECT_EQ(a, d) << "switching the grid twice did not restore the graph";
}

TEST(Varnel2Graph, FitReplacesTheStartValueCurves) {
  const std::string dir = workdir();
  const auto r = runin("varnel2", dir, std::string(kLoad) +
                              "screenshot \"before.png\"\nmenu V2_CM_FIT\nscreenshot \"after.png\"\n"
                              "menu V2_CM_COPY_FITTED\nscreenshot \"copied.png\"\n");
  ASSERT_EQ(r.exitcode, 0) << describe(r);
  const std::string before = testkit::readfile(dir + "/before.png");
  const std::string after = testkit::readfile(dir + "/after.png");
  EXPECT_NE(before, after);
  // The start values copied from the fit draw the fitted curves again (the
  // menu bar is the same: every popup stays enabled).
  EXPECT_EQ(after, testkit::readfile(dir + "/copied.png"));
}

// The window layer erases a damaged part to white; the graph is drawn again
// on its own background, the same picture as before.
TEST(Varnel2Graph, ExposeAndResizeDrawTheWholeGraphAgain) {
  const std::string dir = workdir();
  const auto r = runin("varnel2", dir, std::string(kLoad) +
                              "screenshot \"a.png\"\nrepaint\nscreenshot \"b.png\"\n"
                              "resize 700 500\nscreenshot \"c.png\"\n"
                              "menu V2_CM_FIT_SETTINGS\nbutton 1\nscreenshot \"d.png\"\n");
  ASSERT_EQ(r.exitcode, 0) << describe(r);
  EXPECT_EQ(testkit::readfile(dir + "/a.png"), testkit::readfile(dir + "/b.png"))
      << "a repaint changed the graph";
  EXPECT_EQ(testkit::readfile(dir + "/c.png"), testkit::readfile(dir + "/d.png"))
      << "the graph after a resize differs from a redraw at the new size";
}

}  // namespace
}  // namespace tsd::varnel2
