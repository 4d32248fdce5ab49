// A root window built the way the toolkit builds it: a frame that clips
// its children, a client window covering the frame's client area, the
// client validated right after showing and its device context kept. The
// scripted user resizes and exposes it; the client gets the sizes and the
// paints, the frame paints nothing under its client.
#include "platform/tests/user_test_support.h"

namespace plat::testing {
namespace {

struct Root {
  static inline HWND client = nullptr;
  static inline std::vector<RECT> frame_paints;
  static inline std::vector<RECT> client_paints;
  static inline std::vector<std::pair<int, int>> client_sizes;
  static LRESULT frame(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_SIZE && client) MoveWindow(client, 0, 0, LOWORD(l), HIWORD(l), TRUE);
    if (m == WM_CLOSE) {
      DestroyWindow(h);
      return 0;
    }
    if (m == WM_DESTROY) PostQuitMessage(0);
    if (m == WM_PAINT) {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      frame_paints.push_back(ps.rcPaint);
      EndPaint(h, &ps);
      return 0;
    }
    return DefWindowProcA(h, m, w, l);
  }
  static LRESULT client_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_SIZE) client_sizes.emplace_back(LOWORD(l), HIWORD(l));
    if (m == WM_PAINT) {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      client_paints.push_back(ps.rcPaint);
      EndPaint(h, &ps);
      return 0;
    }
    return DefWindowProcA(h, m, w, l);
  }
};

using RootWindow = UserTest;

TEST_F(RootWindow, ResizeAndExposeReachTheClientAndTheFrameSkipsItsCoveredArea) {
  use_script("resize 600 400\nrepaint\n");
  WNDCLASSA f;
  f.lpfnWndProc = Root::frame;
  f.hbrBackground = SysColorAsBrush(COLOR_WINDOW);
  f.lpszClassName = "FrameLike";
  ASSERT_NE(RegisterClassA(&f), 0);
  WNDCLASSA c;
  c.style = CS_HREDRAW | CS_VREDRAW;
  c.lpfnWndProc = Root::client_proc;
  c.hbrBackground = SysColorAsBrush(COLOR_WINDOW);
  c.lpszClassName = "ClientLike";
  ASSERT_NE(RegisterClassA(&c), 0);

  // 80 % of a 1024 x 768 screen, centred: 819 x 614 at (103, 77).
  DWORD style = WS_CAPTION | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;
  RECT r = make_rect(0, 0, 819, 614);
  AdjustWindowRect(&r, style, FALSE);
  HWND frame = CreateWindowExA(0, "FrameLike", "Root", style, 103 + r.left, 77 + r.top, r.right - r.left,
                               r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(frame, nullptr);
  Root::client = CreateWindowExA(0, "ClientLike", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                                 819, 614, frame, nullptr, nullptr, nullptr);
  ASSERT_NE(Root::client, nullptr);
  ShowWindow(frame, SW_SHOWNORMAL);
  ValidateRect(Root::client, nullptr);
  HDC kept = GetDC(Root::client);
  ASSERT_NE(kept, nullptr);
  SetFocus(Root::client);
  Root::client_sizes.clear();

  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  ASSERT_FALSE(Root::client_sizes.empty());
  // The outer size 600 x 400 leaves a client of 592 x 373.
  EXPECT_EQ(Root::client_sizes.back().first, 592);
  EXPECT_EQ(Root::client_sizes.back().second, 373);
  ASSERT_GE(Root::client_paints.size(), 2u) << "one paint for the resize, one for the repaint";
  for (const RECT& p : Root::client_paints) {
    EXPECT_EQ(p.right, 592);
    EXPECT_EQ(p.bottom, 373);
  }
  for (const RECT& p : Root::frame_paints) EXPECT_TRUE(IsRectEmpty(&p)) << "the client covers the frame's area";
  Root::client = nullptr;
}

}  // namespace
}  // namespace plat::testing
