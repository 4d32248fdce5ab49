// Child frames inside the root: maximise keeps the normal rectangle and
// restore puts it back; minimise gives the root the active caption.
#include <gtest/gtest.h>

#include "platform/user/desktop.h"
#include "platform/user/user.h"
#include "toolkit/tests/winheadless.h"
#include "toolkit/window/wmiscel.h"

namespace {

using namespace tsd;

class ChildFrameGeometry : public tsd::testing::WinHeadless {
 protected:
  // The frame's outer rectangle in root-client pixels.
  static plat::RECT inroot(plat::HWND frame) {
    plat::RECT r;
    plat::GetWindowRect(frame, &r);
    plat::MapWindowPoints(nullptr, client(), reinterpret_cast<plat::POINT*>(&r), 2);
    return r;
  }
  static void expectrect(const plat::RECT& got, const plat::RECT& want) {
    EXPECT_EQ(got.left, want.left) << "left";
    EXPECT_EQ(got.top, want.top) << "top";
    EXPECT_EQ(got.right, want.right) << "right";
    EXPECT_EQ(got.bottom, want.bottom) << "bottom";
  }
  static void syscommand(plat::HWND frame, plat::WPARAM command) {
    plat::SendMessageA(frame, plat::WM_SYSCOMMAND, command, 0);
  }
};

TEST_F(ChildFrameGeometry, MaximiseSavesAndRestorePutsBackTheNormalRectangle) {
  start("");
  int iwin = 0;
  yyopenchild(20, 30, 200, 100, 0, 1, 1, 1, 1, iwin, 0, 0, 0, 0, "Dziecko");
  ASSERT_EQ(iwin, 1);
  plat::HWND f = wsys.slots[1].wWindow;
  const plat::RECT normal = inroot(f);
  EXPECT_EQ(wsys.slots[1].wChildRect[0], -999) << "nothing saved before a maximise";
  syscommand(f, plat::SC_MAXIMIZE);
  ASSERT_TRUE(plat::IsZoomed(f));
  const int* saved = wsys.slots[1].wChildRect;
  expectrect(plat::RECT{saved[0], saved[1], saved[2], saved[3]}, normal);
  plat::RECT rootclient;
  plat::GetClientRect(client(), &rootclient);
  expectrect(inroot(f), rootclient);
  syscommand(f, plat::SC_RESTORE);
  EXPECT_FALSE(plat::IsZoomed(f));
  expectrect(inroot(f), normal);
  EXPECT_EQ(wsys.slots[1].wChildRect[0], -999) << "the saved rectangle is used up";
  // The child's client follows its frame.
  plat::RECT c;
  plat::GetClientRect(wsys.slots[1].hClient, &c);
  EXPECT_EQ(c.right, 200);
  EXPECT_EQ(c.bottom, 100);
}

TEST_F(ChildFrameGeometry, RestoreAfterMaximiseThroughMinimiseKeepsTheSavedRectangle) {
  start("");
  int iwin = 0;
  yyopenchild(50, 40, 120, 90, 0, 1, 1, 1, 1, iwin, 0, 0, 0, 0, "Dziecko");
  ASSERT_EQ(iwin, 1);
  plat::HWND f = wsys.slots[1].wWindow;
  const plat::RECT normal = inroot(f);
  syscommand(f, plat::SC_MAXIMIZE);
  syscommand(f, plat::SC_MINIMIZE);
  ASSERT_TRUE(plat::IsIconic(f));
  EXPECT_EQ(wsys.slots[1].wChildRect[0], normal.left) << "minimising a maximised child keeps its rectangle";
  syscommand(f, plat::SC_RESTORE);  // back to maximised
  EXPECT_TRUE(plat::IsZoomed(f));
  syscommand(f, plat::SC_RESTORE);
  expectrect(inroot(f), normal);
}

TEST_F(ChildFrameGeometry, MinimiseMakesTheRootCaptionActive) {
  start("");
  int iwin = 0;
  yyopenchild(20, 30, 200, 100, 0, 1, 1, 1, 1, iwin, 0, 0, 0, 0, "Dziecko");
  ASSERT_EQ(iwin, 1);
  plat::HWND f = wsys.slots[1].wWindow;
  yytitlecolour(f);
  ASSERT_FALSE(frame()->caption_active) << "the child's caption was drawn active";
  syscommand(f, plat::SC_MINIMIZE);
  EXPECT_TRUE(plat::IsIconic(f));
  EXPECT_TRUE(frame()->caption_active) << "the root's caption after the child is minimised";
}

TEST_F(ChildFrameGeometry, PopupChildSavesNothing) {
  start("");
  int iwin = 0;
  yyopenchild(60, 60, 150, 80, 0, 1, 1, 1, 0, iwin, 0, 0, 1, 0, "Okienko");
  ASSERT_EQ(iwin, 1);
  plat::HWND f = wsys.slots[1].wWindow;
  syscommand(f, plat::SC_MAXIMIZE);
  EXPECT_TRUE(plat::IsZoomed(f));
  EXPECT_EQ(wsys.slots[1].wChildRect[0], -999) << "only children inside the root keep a rectangle";
  syscommand(f, plat::SC_RESTORE);
  EXPECT_FALSE(plat::IsZoomed(f));
}

}  // namespace
