// Dialogs and boxes on the host are owned by their main window: under a
// window manager (openbox) a click on the disabled main window, its
// maximising, minimising and restoring leave the open dialog or box in
// front of it with the keyboard; a program started without its parameter
// file shows its box in front and with the keyboard, bare and managed; and
// on a bare server, which cannot iconify, the minimise box leaves the
// program usable.
#include <gtest/gtest.h>

#include <string>

#include "tests/desktop/program_on_x.h"
#include "tests/desktop/x_screen.h"

namespace tsd::desktop {
namespace {

using testkit::ProgramRun;

// The centres of the maximise and minimise boxes, from the frame's top
// right corner.
constexpr int kMaximiseFromRight = 31, kMinimiseFromRight = 47;

class OwnedOnX : public ::testing::TestWithParam<const Program*>, public OnX {
 protected:
  // The program started with its files and sample.dat loaded (its menus
  // are open then), its main window with the keyboard; without its
  // parameter file only started.
  void open(bool windowmanager, bool withpar = true) {
    std::string why;
    if (!startdesktop(windowmanager, &why)) GTEST_SKIP() << why;
    const Program& p = *GetParam();
    ASSERT_TRUE(start(p, workfolder(p, std::string(windowmanager ? "openbox" : "bare") + "_owned", withpar)));
    if (!withpar) return;
    ASSERT_TRUE(focuson(p.title));
    ASSERT_TRUE(loadsample(p));
  }
  // A point of the main window that `over` does not cover.
  static void besides(const Box& main, const Box& over, int* px, int* py) {
    *px = main.x + 12;
    *py = main.y + main.h - 12;
    if (over.contains(*px, *py)) *px = main.x + main.w - 12;
  }
  // `title` is in front of the main window with the keyboard.
  bool infront(const std::string& title) {
    return reach(
        [&] {
          return ready(title) && x.above(window(title), window(GetParam()->title));
        },
        "\"" + title + "\" in front of its owner with the keyboard");
  }
  // A click on the main window beside the window titled `over`, once the
  // window manager has handled it.
  bool clickowner(const std::string& over) {
    Box main, o;
    if (!window(GetParam()->title, &main) || !window(over, &o)) return false;
    int px = 0, py = 0;
    besides(main, o, &px, &py);
    return x.click(px, py) && x.wmsync();
  }
};

TEST_P(OwnedOnX, TheDialogAndTheBoxStayInFrontOfTheirOwnerUnderAWindowManager) {
  open(true);
  if (IsSkipped()) return;
  const Program& p = *GetParam();

  // The main window maximised through its maximise box.
  Box main;
  ASSERT_TRUE(window(p.title, &main));
  ASSERT_TRUE(x.click(main.x + main.w - kMaximiseFromRight, main.y + kCloseFromTop));
  ASSERT_TRUE(reach([&] { return window(p.title, &main) && main.w >= 1024; }, "the main window maximised"));
  ASSERT_TRUE(focuson(p.title));

  // A click on the main window while its settings dialog is open.
  ASSERT_TRUE(menu(p.settings));
  ASSERT_TRUE(focuson(p.settingstitle));
  ASSERT_TRUE(clickowner(p.settingstitle));
  ASSERT_TRUE(infront(p.settingstitle));

  keepscreen("dialog_over_maximised_owner_after_click");

  // The main window minimised and brought back: the dialog comes with it
  // and takes the keys again.
  const unsigned long mainwindow = window(p.title);
  ASSERT_TRUE(x.minimise(mainwindow));
  ASSERT_TRUE(reach([&] { return window(p.title) == 0; }, "the main window minimised"));
  ASSERT_TRUE(x.activate(mainwindow));
  ASSERT_TRUE(infront(p.settingstitle));
  ASSERT_TRUE(x.keys({"Escape"}));
  ASSERT_TRUE(gone(p.settingstitle));
  ASSERT_TRUE(focuson(p.title));

  // The "O programie" box over the maximised main window, clicked.
  ASSERT_TRUE(x.keys({xkey(p.about)}));
  ASSERT_TRUE(focuson("O programie"));
  ASSERT_TRUE(clickowner("O programie"));
  ASSERT_TRUE(infront("O programie"));
  keepscreen("box_over_maximised_owner_after_click");
  ASSERT_TRUE(x.keys({"Return"}));
  ASSERT_TRUE(gone("O programie"));
  ASSERT_TRUE(focuson(p.title));

  ASSERT_TRUE(window(p.title, &main));
  ASSERT_TRUE(x.click(main.x + main.w - kCloseFromRight, main.y + kCloseFromTop));
  const ProgramRun run = end();
  EXPECT_FALSE(run.timedout);
  EXPECT_EQ(run.exitcode, 0) << run.output;
}

// Started without its parameter file, the program says so in a box that
// is in front, with the keyboard; Enter ends the program.
void startupbox(OwnedOnX& t, const Program& p, bool windowmanager) {
  if (!t.reach([&] { return t.ready("Błąd"); }, "the box \"Błąd\" with the keyboard")) return;
  if (unsigned long main = t.window(p.title)) {
    EXPECT_TRUE(t.x.above(t.window("Błąd"), main)) << "the box is behind the main window";
  }
  t.keepscreen(windowmanager ? "startup_box_openbox" : "startup_box_bare");
  ASSERT_TRUE(t.x.keys({"Return"}));
  const ProgramRun run = t.end(30);
  EXPECT_FALSE(run.timedout) << "Enter in the box did not end the program";
}

TEST_P(OwnedOnX, StartedWithoutItsParameterFileShowsTheBoxInFrontUnderAWindowManager) {
  open(true, false);
  if (IsSkipped()) return;
  startupbox(*this, *GetParam(), true);
}

TEST_P(OwnedOnX, StartedWithoutItsParameterFileShowsTheBoxInFrontOnABareServer) {
  open(false, false);
  if (IsSkipped()) return;
  startupbox(*this, *GetParam(), false);
}

TEST_P(OwnedOnX, TheMinimiseBoxOnABareServerLeavesTheProgramUsable) {
  open(false);
  if (IsSkipped()) return;
  const Program& p = *GetParam();
  Box main;
  ASSERT_TRUE(window(p.title, &main));
  ASSERT_TRUE(x.click(main.x + main.w - kMinimiseFromRight, main.y + kCloseFromTop));
  // Nothing can iconify it: it stays, and takes the keys.
  ASSERT_TRUE(focuson(p.title));
  ASSERT_TRUE(menu(p.settings));
  ASSERT_TRUE(focuson(p.settingstitle));
  Box dialog;
  ASSERT_TRUE(window(p.settingstitle, &dialog));
  // A dialog's own minimise box (mokrin's "Parametry" dialog has one).
  if (p.name.rfind("mokrin", 0) == 0) {
    ASSERT_TRUE(x.click(dialog.x + dialog.w - kMinimiseFromRight, dialog.y + kCloseFromTop));
    ASSERT_TRUE(focuson(p.settingstitle));
  }
  ASSERT_TRUE(x.keys({"Escape"}));
  ASSERT_TRUE(gone(p.settingstitle));
  ASSERT_TRUE(focuson(p.title));
}

INSTANTIATE_TEST_SUITE_P(Desktop, OwnedOnX, ::testing::ValuesIn(allprograms()), programname);

}  // namespace
}  // namespace tsd::desktop
