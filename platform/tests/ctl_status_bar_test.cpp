// The status bar: it sits along the bottom of its parent and follows the
// parent's size, holds parts with texts, and looks like one (screenshot).
#include <cstdlib>

#include "platform/comctl/comctl.h"
#include "platform/gdi/surface_png.h"
#include "platform/tests/dlg_test_support.h"
#include "tools/testkit/picture_output.h"
#include "tools/testkit/surface_pixels.h"

namespace plat::testing {
namespace {

HWND g_bar = nullptr;

LRESULT frame_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_SIZE && g_bar) SendMessageA(g_bar, WM_SIZE, w, l);
  return DefWindowProcA(h, m, w, l);
}

class StatusBarTest : public DialogTest {};

TEST_F(StatusBarTest, PartsTextsAndPlacement) {
  std::string shot = tsd::testkit::shotoutput("control_shots", "ctl_status_bar.png");
  std::remove(shot.c_str());
  use_script("screenshot \"" + shot + "\"\nresize 500 300 in \"Status\"\n");
  WNDCLASSA wc;
  wc.lpfnWndProc = frame_proc;
  wc.hbrBackground = SysColorAsBrush(COLOR_WINDOW);
  wc.lpszClassName = "StatusFrame";
  RegisterClassA(&wc);
  HWND frame = CreateWindowExA(0, "StatusFrame", "Status", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400, 250, nullptr,
                               nullptr, nullptr, nullptr);
  g_bar = CreateWindowExA(0, "msctls_statusbar32", "Ready", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, frame,
                          reinterpret_cast<HMENU>(999), nullptr, nullptr);
  ASSERT_NE(g_bar, nullptr) << "the class exists without InitCommonControls";
  int edges[3] = {120, 260, -1};
  EXPECT_TRUE(SendMessageA(g_bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges)));
  SendMessageA(g_bar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("T = 300.5 K"));
  SendMessageA(g_bar, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>("I = 1.25 pA"));
  char buf[64] = {};
  LRESULT r = SendMessageA(g_bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(buf));
  EXPECT_STREQ(buf, "Ready") << "the window text is part 0";
  EXPECT_EQ(LOWORD(r), 5);
  EXPECT_EQ(SendMessageA(g_bar, SB_GETPARTS, 0, 0), 3);
  int too_many[1] = {0};
  EXPECT_FALSE(SendMessageA(g_bar, SB_SETPARTS, kMaxStatusParts + 1, reinterpret_cast<LPARAM>(too_many)));

  RECT fc, bc;
  GetClientRect(frame, &fc);
  GetWindowRect(g_bar, &bc);
  POINT o{0, 0};
  ClientToScreen(frame, &o);
  EXPECT_EQ(bc.bottom - o.y, fc.bottom) << "along the bottom";
  EXPECT_EQ(bc.right - bc.left, fc.right) << "as wide as the client";
  const RECT shown = bc;  // where the screenshot has it

  MSG m;
  for (int i = 0; i < 60 && GetMessageA(&m, nullptr, 0, 0); ++i) {
    DispatchMessageA(&m);
    RECT now;
    GetClientRect(frame, &now);
    if (now.right != fc.right) break;
  }
  GetClientRect(frame, &fc);
  GetWindowRect(g_bar, &bc);
  EXPECT_EQ(bc.right - bc.left, fc.right) << "follows the parent's new size";
  // Each part shows its text inside its own edges (parts end at 120, 260
  // and the bar's end); the size grip's ridges fill the bar's corner.
  Surface s;
  ASSERT_TRUE(ReadSurfacePng(shot, &s)) << shot;
  const std::uint32_t face = tsd::testkit::syscolour(COLOR_BTNFACE);
  const int ends[] = {shown.left + 120, shown.left + 260, shown.right - 16};
  int from = shown.left;
  for (int part = 0; part < 3; ++part) {
    SCOPED_TRACE("part " + std::to_string(part));
    const RECT inner{from + 3, shown.top + 4, ends[part] - 3, shown.bottom - 3};
    EXPECT_GT(tsd::testkit::countother(s, face, inner), 20) << tsd::testkit::describe(inner);
    from = ends[part];
  }
  EXPECT_EQ(tsd::testkit::countother(s, face, RECT{shown.left + 60, shown.top + 4, shown.left + 117, shown.bottom - 3}), 0)
      << "\"Ready\" ends well before its part's edge";
  EXPECT_GT(tsd::testkit::countother(s, face, RECT{shown.right - 13, shown.bottom - 13, shown.right, shown.bottom}), 10)
      << "the size grip";
  DestroyWindow(frame);
  g_bar = nullptr;
}

TEST_F(StatusBarTest, ProgressBarRangePositionAndStep) {
  use_script("");
  HWND frame = top("Progress", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND pb = CreateWindowExA(0, "msctls_progress32", "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 18, frame, nullptr, nullptr,
                            nullptr);
  ASSERT_NE(pb, nullptr);
  SendMessageA(pb, PBM_SETRANGE32, 0, 50);
  EXPECT_EQ(SendMessageA(pb, PBM_SETPOS, 60, 0), 0) << "the previous position";
  EXPECT_EQ(SendMessageA(pb, PBM_GETPOS, 0, 0), 50) << "cut to the range";
  SendMessageA(pb, PBM_SETPOS, 40, 0);
  SendMessageA(pb, PBM_SETSTEP, 15, 0);
  SendMessageA(pb, PBM_STEPIT, 0, 0);
  EXPECT_EQ(SendMessageA(pb, PBM_GETPOS, 0, 0), 5) << "past the end it wraps to the start";
  EXPECT_EQ(SendMessageA(pb, PBM_GETRANGE, 0, 0), 50);
  drain();
  DestroyWindow(frame);
}

}  // namespace
}  // namespace plat::testing
