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


// Resizing the root's client area: minimised children are laid along its
// new bottom edge from the left, maximised children cover it again.
class RootResizeChildren : public ChildFrameGeometry {
 protected:
  static int openchild(int x, int y) {
    int iwin = 0;
    yyopenchild(x, y, 120, 80, 0, 1, 1, 1, 1, iwin, 0, 0, 0, 0, "Dziecko");
    return iwin;
  }
  // Grow or shrink the root frame by dw, dh pixels, as the host would.
  static void resizeroot(int dw, int dh) {
    plat::RECT r;
    plat::GetWindowRect(frame(), &r);
    plat::MoveWindow(frame(), r.left, r.top, r.right - r.left + dw, r.bottom - r.top + dh, plat::TRUE);
  }
  static plat::RECT rootclient() {
    plat::RECT c;
    plat::GetClientRect(client(), &c);
    return c;
  }
};

TEST_F(RootResizeChildren, MinimisedChildrenLineTheNewBottomEdge) {
  start("");
  const int a = openchild(20, 30);
  const int b = openchild(150, 60);
  ASSERT_EQ(a, 1);
  ASSERT_EQ(b, 2);
  const plat::RECT normal = inroot(wsys.slots[a].wWindow);
  syscommand(wsys.slots[a].wWindow, plat::SC_MINIMIZE);
  syscommand(wsys.slots[b].wWindow, plat::SC_MINIMIZE);
  for (int step : {120, -150}) {
    SCOPED_TRACE("root grows by " + std::to_string(step));
    resizeroot(step, step);
    const plat::RECT c = rootclient();
    const plat::RECT ra = inroot(wsys.slots[a].wWindow);
    const plat::RECT rb = inroot(wsys.slots[b].wWindow);
    EXPECT_EQ(ra.bottom, c.bottom) << "first icon sits on the bottom edge";
    EXPECT_EQ(rb.bottom, c.bottom) << "second icon in the same row";
    EXPECT_EQ(ra.left, 0) << "the row starts at the left edge";
    EXPECT_GT(rb.left, ra.right - 1) << "icons do not overlap";
    EXPECT_TRUE(plat::IsIconic(wsys.slots[a].wWindow));
  }
  // Restoring a child gives back the rectangle it had before it was minimised.
  syscommand(wsys.slots[a].wWindow, plat::SC_RESTORE);
  expectrect(inroot(wsys.slots[a].wWindow), normal);
}

TEST_F(RootResizeChildren, IconsThatDoNotFitStartARowAbove) {
  start("");
  int ids[4];
  for (int i = 0; i < 4; ++i) {
    ids[i] = openchild(10 + 20 * i, 10);
    ASSERT_GT(ids[i], 0);
    syscommand(wsys.slots[ids[i]].wWindow, plat::SC_MINIMIZE);
  }
  resizeroot(-60, 0);  // 340 pixels wide: two icons a row
  const plat::RECT c = rootclient();
  ASSERT_LT(c.right, 3 * 160) << "client too wide for this case";
  const plat::RECT first = inroot(wsys.slots[ids[0]].wWindow);
  const plat::RECT third = inroot(wsys.slots[ids[2]].wWindow);
  EXPECT_EQ(first.bottom, c.bottom);
  EXPECT_LT(third.bottom, first.top + 1) << "the third icon goes to the row above";
  EXPECT_EQ(third.left, 0);
}

TEST_F(RootResizeChildren, MaximisedChildFollowsTheRootClient) {
  start("");
  const int a = openchild(20, 30);
  const int b = openchild(40, 50);
  ASSERT_EQ(b, 2);
  plat::HWND f = wsys.slots[a].wWindow;
  const plat::RECT normal = inroot(f);
  const plat::RECT other = inroot(wsys.slots[b].wWindow);
  syscommand(f, plat::SC_MAXIMIZE);
  resizeroot(100, 60);
  expectrect(inroot(f), rootclient());
  EXPECT_TRUE(plat::IsZoomed(f));
  {
    SCOPED_TRACE("a normal child keeps its place");
    expectrect(inroot(wsys.slots[b].wWindow), other);
  }
  // The normal rectangle saved at the maximise survives the re-maximise.
  syscommand(f, plat::SC_RESTORE);
  expectrect(inroot(f), normal);
}

}  // namespace
