// A caption dragged quickly on a bare X server (no window manager: the
// program moves its own host window): the press, a few fast moves and the
// release in one go, as a hurried hand gives them, three times (once in a
// single jump). The window ends where the pointer took it, is still there
// once the program has taken every input that came before a later key, and
// the program knows it is there (the close box takes a click where it is
// shown).
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

  // Drags one after another, each from a point of the caption left of its
  // boxes (a new one each time: the pointer is where the last drag left
  // it), faster than the program follows them: in moves of 20 pixels and
  // more, and in one jump that takes the pointer out of the window before
  // the window follows (the close box stays on the screen).
  struct Drag {
    int grab, dx, dy, steps;
  };
  const Drag drags[] = {{60, -120, 140, 7}, {90, 30, -150, 1}, {120, 60, 50, 7}};
  for (const Drag& d : drags) {
    Box before;
    ASSERT_TRUE(window(p.title, &before));
    const int px = before.x + d.grab, py = before.y + 8;
    std::vector<std::string> drag = {"mousemove", "--sync", std::to_string(px), std::to_string(py), "mousedown", "1"};
    for (int i = 1; i <= d.steps; ++i) {
      drag.insert(drag.end(), {"mousemove", std::to_string(px + d.dx * i / d.steps), std::to_string(py + d.dy * i / d.steps)});
    }
    drag.insert(drag.end(), {"mouseup", "1"});
    ASSERT_TRUE(x.xdotool(drag));

    const int wantx = before.x + d.dx, wanty = before.y + d.dy;
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
  }

  // The program's idea of the place is the host's: a click on the close
  // box as it is on the screen ends the program.
  Box now;
  ASSERT_TRUE(window(p.title, &now));
  ASSERT_TRUE(x.click(now.x + now.w - kCloseFromRight, now.y + kCloseFromTop));
  const ProgramRun run = end(static_cast<int>(kPatience));
  EXPECT_FALSE(run.timedout) << "the click on the close box did not end the program";
  EXPECT_EQ(run.exitcode, 0) << run.output;
}

// The move is the window layer's, the same for every program: one is enough.
INSTANTIATE_TEST_SUITE_P(Desktop, CaptionDragOnX, ::testing::Values(&programs().front()), programname);

}  // namespace
}  // namespace tsd::desktop
