// The order in which the window manager sends and queues messages:
// creation, showing, activation and focus, painting only when the queue is
// empty, a resize before the expose it causes, maximising.
#include "platform/tests/user_test_support.h"

namespace plat::testing {
namespace {

using MessageOrder = UserTest;

TEST_F(MessageOrder, CreationOfAHiddenWindow) {
  HWND w = top("A", WS_OVERLAPPEDWINDOW);
  ASSERT_NE(w, nullptr);
  const std::vector<Expect> want = {
      {0, WM_NCCREATE}, {0, WM_CREATE}, {0, WM_SIZE, true, SIZE_RESTORED}, {0, WM_MOVE}};
  expect_sequence(want, {w});
  EXPECT_FALSE(IsWindowVisible(w));
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(MessageOrder, ShowingActivatesThenPaintsWhenTheQueueIsEmpty) {
  HWND w = top("A");
  seen().clear();
  ShowWindow(w, SW_SHOW);
  const std::vector<Expect> shown = {
      {0, WM_SHOWWINDOW, true, TRUE}, {0, WM_NCACTIVATE, true, TRUE}, {0, WM_ACTIVATE, true, WA_ACTIVE},
      {0, WM_SETFOCUS}};
  expect_sequence(shown, {w});
  EXPECT_EQ(GetActiveWindow(), w);
  EXPECT_EQ(GetFocus(), w);

  // Two posted messages come before the paint, whatever the order of calls.
  seen().clear();
  PostMessageA(w, WM_USER + 1, 0, 0);
  PostMessageA(w, WM_USER + 2, 0, 0);
  drain();
  const std::vector<Expect> later = {
      {0, WM_USER + 1}, {0, WM_USER + 2}, {0, WM_NCPAINT}, {0, WM_PAINT}, {0, WM_ERASEBKGND}};
  expect_sequence(later, {w});
  RECT u;
  EXPECT_FALSE(GetUpdateRect(w, &u, FALSE)) << "the default paint handling validates the window";
}

TEST_F(MessageOrder, ValidatingAfterShowLeavesNoPaint) {
  HWND w = top("A");
  ShowWindow(w, SW_SHOW);
  ValidateRect(w, nullptr);
  seen().clear();
  drain();
  // The frame is still drawn; the client gets no WM_PAINT.
  const std::vector<Expect> want = {{0, WM_NCPAINT}};
  expect_sequence(want, {w});
}

TEST_F(MessageOrder, PaintOnlyWhenNothingElseWaits) {
  HWND w = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  drain();
  seen().clear();
  InvalidateRect(w, nullptr, FALSE);
  PostMessageA(w, WM_USER, 0, 0);
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(describe(m.message), describe(WM_USER)) << "looking leaves it there";
  ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
  EXPECT_EQ(describe(m.message), describe(WM_USER));
  ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
  EXPECT_EQ(describe(m.message), describe(WM_PAINT));
  // A WM_PAINT that is not answered comes again: it is not a queued message.
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(describe(m.message), describe(WM_PAINT));
  PAINTSTRUCT ps;
  BeginPaint(w, &ps);
  EXPECT_EQ(ps.rcPaint.right, 300 - 8) << "update rectangle is the whole client";
  EndPaint(w, &ps);
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) << "message " << describe(m.message);
}

TEST_F(MessageOrder, UpdateRectanglesGrowAndBeginPaintReportsThem) {
  HWND w = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  drain();
  RECT a = make_rect(10, 10, 20, 20), b = make_rect(50, 5, 60, 15);
  InvalidateRect(w, &a, TRUE);
  InvalidateRect(w, &b, TRUE);
  RECT u;
  ASSERT_TRUE(GetUpdateRect(w, &u, FALSE));
  EXPECT_EQ(u.left, 10);
  EXPECT_EQ(u.top, 5);
  EXPECT_EQ(u.right, 60);
  EXPECT_EQ(u.bottom, 20);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w, &ps);
  EXPECT_NE(dc, nullptr);
  EXPECT_TRUE(ps.fErase == FALSE) << "the default erase handled the background";
  EXPECT_TRUE(EqualRect(&ps.rcPaint, &u));
  EndPaint(w, &ps);
  EXPECT_FALSE(GetUpdateRect(w, &u, FALSE));
}

TEST_F(MessageOrder, HostResizeComesBeforeTheExposeItCauses) {
  HWND w = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  drain();
  seen().clear();
  InputEvent r;
  r.kind = InputKind::host_resize;
  r.window = w;
  r.rect = make_rect(0, 0, 400, 300);
  host(r);
  InputEvent x;
  x.kind = InputKind::host_expose;
  x.window = w;
  host(x);
  drain();
  const std::vector<Expect> want = {
      {0, WM_SIZE, true, SIZE_RESTORED}, {0, WM_NCPAINT}, {0, WM_PAINT}, {0, WM_ERASEBKGND}};
  expect_sequence(want, {w});
  RECT c;
  GetClientRect(w, &c);
  EXPECT_EQ(c.right, 400 - 8);
  EXPECT_EQ(c.bottom, 300 - 8 - 19);
  LPARAM l = recorded()[0].lparam;
  EXPECT_EQ(LOWORD(l), 392);
  EXPECT_EQ(HIWORD(l), 273);
}

TEST_F(MessageOrder, MaximiseSendsSizeWithTheMaximisedClient) {
  HWND w = top("A");
  seen().clear();
  ShowWindow(w, SW_SHOWMAXIMIZED);
  EXPECT_TRUE(IsZoomed(w));
  const std::vector<Expect> want = {
      {0, WM_SHOWWINDOW}, {0, WM_SIZE, true, SIZE_MAXIMIZED}, {0, WM_MOVE},
      {0, WM_NCACTIVATE}, {0, WM_ACTIVATE}, {0, WM_SETFOCUS}};
  expect_sequence(want, {w});
  RECT c;
  GetClientRect(w, &c);
  EXPECT_EQ(c.right, 1024 - 8);
  EXPECT_EQ(c.bottom, 768 - 8 - 19);

  seen().clear();
  ShowWindow(w, SW_RESTORE);
  EXPECT_FALSE(IsZoomed(w));
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.right, 400);
  ASSERT_FALSE(recorded().empty());
  EXPECT_EQ(describe(recorded()[0].message), "WM_SIZE");
  EXPECT_EQ(recorded()[0].wparam, SIZE_RESTORED);
}

TEST_F(MessageOrder, MinimiseAndRestore) {
  HWND a = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND b = top("B", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  EXPECT_EQ(GetActiveWindow(), b);
  seen().clear();
  ShowWindow(b, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(b));
  EXPECT_EQ(GetActiveWindow(), a) << "minimising passes activation on";
  RECT c;
  GetClientRect(b, &c);
  EXPECT_TRUE(IsRectEmpty(&c));
  std::vector<Seen> got = recorded();
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(describe(got[0].message), "WM_KILLFOCUS");
  bool sized = false;
  for (const Seen& s : got) sized = sized || (s.hwnd == b && s.message == WM_SIZE && s.wparam == SIZE_MINIMIZED);
  EXPECT_TRUE(sized) << format(got, {a, b});
  ShowWindow(b, SW_RESTORE);
  EXPECT_FALSE(IsIconic(b));
  GetClientRect(b, &c);
  EXPECT_EQ(c.right, 292);
  EXPECT_EQ(GetActiveWindow(), b);
}

TEST_F(MessageOrder, ActivationAndFocusMoveInOrder) {
  HWND a = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND ac = child(a, 1, 0, 0, 50, 50);
  SetFocus(ac);
  HWND b = top("B", WS_OVERLAPPEDWINDOW);
  HWND bc = child(b, 2, 0, 0, 50, 50);
  ShowWindow(b, SW_SHOWNA);
  seen().clear();
  SetFocus(bc);
  const std::vector<Expect> want = {
      {0, WM_NCACTIVATE, true, FALSE}, {0, WM_ACTIVATE, true, WA_INACTIVE}, {1, WM_KILLFOCUS},
      {2, WM_NCACTIVATE, true, TRUE},  {2, WM_ACTIVATE, true, WA_ACTIVE},   {2, WM_SETFOCUS},
      {2, WM_KILLFOCUS},               {3, WM_SETFOCUS},
  };
  expect_sequence(want, {a, ac, b, bc});
  EXPECT_EQ(GetFocus(), bc);
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDFIRST), b) << "the active window is raised";
}

TEST_F(MessageOrder, DestroySendsDestroyParentFirstAndMovesActivation) {
  HWND a = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND b = top("B", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND bc = child(b, 1, 0, 0, 10, 10);
  seen().clear();
  DestroyWindow(b);
  EXPECT_FALSE(IsWindow(b));
  EXPECT_FALSE(IsWindow(bc));
  EXPECT_EQ(GetActiveWindow(), a);
  std::vector<Seen> got = recorded();
  std::vector<UINT> destroys;
  for (const Seen& s : got)
    if (s.message == WM_DESTROY || s.message == WM_NCDESTROY) destroys.push_back(s.message);
  const std::vector<UINT> want = {WM_DESTROY, WM_DESTROY, WM_NCDESTROY, WM_NCDESTROY};
  EXPECT_EQ(destroys, want) << format(got, {a, b, bc});
}

TEST_F(MessageOrder, KeyDownIsFollowedByItsCharacterBeforeTheKeyUp) {
  HWND w = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  drain();
  seen().clear();
  for (auto [kind, vk, mods] : {std::tuple{InputKind::key_down, VK_SHIFT, kModShift},
                                std::tuple{InputKind::key_down, UINT('A'), kModShift},
                                std::tuple{InputKind::key_up, UINT('A'), kModShift},
                                std::tuple{InputKind::key_up, VK_SHIFT, 0u}}) {
    InputEvent e;
    e.kind = kind;
    e.vk = vk;
    e.mods = mods;
    host(e);
  }
  drain();
  const std::vector<Expect> want = {
      {0, WM_KEYDOWN, true, VK_SHIFT}, {0, WM_KEYDOWN, true, 'A'}, {0, WM_CHAR, true, 'A'},
      {0, WM_KEYUP, true, 'A'},        {0, WM_KEYUP, true, VK_SHIFT}};
  expect_sequence(want, {w});
}

}  // namespace
}  // namespace plat::testing
