// A caption dragged quickly on a bare X server (no window manager: the
// program moves its own host window): the press, a few fast moves and the
// release in one go, as a hurried hand gives them. The window ends where
// the pointer took it, and is still there once the program has taken every
// input that came before a later key.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/desktop/program_on_x.h"
#include "tests/desktop/x_screen.h"

namespace tsd::desktop {
namespace {

using testkit::ProgramRun;

class CaptionDragOnX : public ::testing::TestWithParam<const Program*>, public OnX {};

// Within a pixel or two of where the pointer took it.
bool near(const Box& b, int x, int y) { return std::abs(b.x - x) <= 2 && std::abs(b.y - y) <= 2; }

TEST_P(CaptionDragOnX, AQuickDragOnABareServerLeavesTheWindowWhereThePointerWent) {
  std::string why;
  if (!startdesktop(false, &why)) GTEST_SKIP() << why;
  const Program& p = *GetParam();
  ASSERT_TRUE(start(p, workfolder(p, "bare_drag")));
  ASSERT_TRUE(focuson(p.title));
  Box before;
  ASSERT_TRUE(window(p.title, &before));

  // A point of the caption left of its boxes, then the moves, 20 pixels
  // and more each, faster than the program follows them.
  const int px = before.x + 60, py = before.y + 8;
  const int dx = -120, dy = 140, steps = 7;  // the close box stays on the screen
  std::vector<std::string> drag = {"mousemove", "--sync", std::to_string(px), std::to_string(py), "mousedown", "1"};
  for (int i = 1; i <= steps; ++i) {
    drag.insert(drag.end(), {"mousemove", std::to_string(px + dx * i / steps), std::to_string(py + dy * i / steps)});
  }
  drag.insert(drag.end(), {"mouseup", "1"});
  ASSERT_TRUE(x.xdotool(drag));

  const int wantx = before.x + dx, wanty = before.y + dy;
  Box now;
  ASSERT_TRUE(reach([&] { return window(p.title, &now) && near(now, wantx, wanty); },
                    "the window at " + std::to_string(wantx) + "," + std::to_string(wanty)))
      << "it is at " << now.x << "," << now.y;

  // The data file dialog opened from the keyboard: every move before its
  // keys was taken, and the window is still where the pointer left it.
  ASSERT_TRUE(menu(p.load));
  ASSERT_TRUE(focuson("Czytanie danych"));
  ASSERT_TRUE(window(p.title, &now));
  EXPECT_TRUE(near(now, wantx, wanty)) << "the window went on to " << now.x << "," << now.y << " after the drag";
  ASSERT_TRUE(x.keys({"Escape"}));
  ASSERT_TRUE(gone("Czytanie danych"));

  ASSERT_TRUE(focuson(p.title));
  ASSERT_TRUE(window(p.title, &now));
  ASSERT_TRUE(x.click(now.x + now.w - kCloseFromRight, now.y + kCloseFromTop));
  const ProgramRun run = end();
  EXPECT_FALSE(run.timedout);
  EXPECT_EQ(run.exitcode, 0) << run.output;
}

// The move is the window layer's, the same for every program: one is enough.
INSTANTIATE_TEST_SUITE_P(Desktop, CaptionDragOnX, ::testing::Values(&programs().front()), programname);

}  // namespace
}  // namespace tsd::desktop
