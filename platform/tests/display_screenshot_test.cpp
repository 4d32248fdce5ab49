// A screenshot of the headless screen: a framed window with its caption
// and title drawn by the window manager, composed on the desktop, written
// as PNG by the scripted user and read back.
#include <cstdio>
#include <cstring>

#include "platform/gdi/dc.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/surface_png.h"
#include "platform/tests/user_test_support.h"
#include "text/cp1250.h"

namespace plat::testing {
namespace {

LRESULT painter(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    HBRUSH b = CreateSolidBrush(RGB(255, 255, 192));
    RECT r = make_rect(10, 10, 110, 60);
    FillRect(dc, &r, b);
    DeleteObject(b);
    SetBkMode(dc, TRANSPARENT);
    std::string t = text::cp1250_from_utf8("Prąd depolaryzacji");
    TextOutA(dc, 20, 70, t.c_str(), static_cast<int>(t.size()));
    EndPaint(h, &ps);
    return 0;
  }
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(h, m, w, l);
}

using Screenshot = UserTest;

TEST_F(Screenshot, ComposedScreenShowsTheFramedWindowAndItsCaption) {
  std::string png = unique_temp("screen.png");
  use_script("screenshot \"" + png + "\"\n");
  WNDCLASSA wc;
  wc.lpfnWndProc = painter;
  wc.hbrBackground = SysColorAsBrush(COLOR_WINDOW);
  wc.lpszClassName = "Painter";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND w = CreateWindowExA(0, "Painter", "Wykres TSD", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 400, 300, nullptr,
                           nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  Surface s;
  ASSERT_TRUE(ReadSurfacePng(png, &s)) << png;
  ASSERT_EQ(s.width, 1024);
  ASSERT_EQ(s.height, 768);
  EXPECT_EQ(s.row(10)[10], 0x008080u) << std::hex << "desktop colour outside the window";
  // Caption: frame 4, so rows 84..102 on the screen, active colour.
  EXPECT_EQ(s.row(90)[300], 0x000080u) << std::hex << "active caption colour";
  int title_pixels = 0;
  for (int y = 84; y < 102; ++y)
    for (int x = 130; x < 260; ++x) title_pixels += s.row(y)[x] == 0xffffffu;
  EXPECT_GT(title_pixels, 40) << "white title text in the caption";
  EXPECT_EQ(s.row(80 + 23 + 20)[100 + 4 + 20], 0xffffc0u) << std::hex << "the client painted by the program";
  EXPECT_EQ(s.row(80 + 200)[100 + 4 + 300], 0xffffffu) << std::hex << "the background erased white";
  std::printf("screenshot: %s\n", png.c_str());
}

TEST_F(Screenshot, SixteenColourScreenWithAnActiveAndAnInactiveWindow) {
  setenv("TSD_SCREEN", "640x480x4", 1);
  std::string png = unique_temp("screen16.png");
  use_script("screenshot \"" + png + "\"\n");
  unsetenv("TSD_SCREEN");
  EXPECT_EQ(DisplayColourDepth(), 4) << "the drawing layer knows the depth";
  WNDCLASSA wc;
  wc.lpfnWndProc = painter;
  wc.hbrBackground = SysColorAsBrush(COLOR_WINDOW);
  wc.lpszClassName = "Painter16";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND a = CreateWindowExA(0, "Painter16", "Okno A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 200, nullptr,
                           nullptr, nullptr, nullptr);
  HWND b = CreateWindowExA(0, "Painter16", "Okno B", WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 200, 150, 300, 200,
                           nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  Surface s;
  ASSERT_TRUE(ReadSurfacePng(png, &s)) << png;
  ASSERT_EQ(s.width, 640);
  ASSERT_EQ(s.height, 480);
  EXPECT_EQ(s.row(30)[150], 0x808080u) << std::hex << "inactive caption of A";
  EXPECT_EQ(s.row(160)[400], 0x000080u) << std::hex << "active caption of B, in front";
  std::printf("screenshot: %s\n", png.c_str());
}

// A program that keeps a device context of a child window and draws through
// it between messages (as the toolkit's graphics do): what it drew is shown
// as soon as the program waits again, without a repaint.
LRESULT child_drawer(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(h, m, w, l);
}

TEST_F(Screenshot, DrawingThroughAHeldChildDcIsShownWhenTheProgramWaits) {
  std::string png = unique_temp("held_dc.png");
  use_script("screenshot \"" + png + "\"\nclose\n");
  WNDCLASSA wc;
  wc.lpfnWndProc = child_drawer;
  wc.hbrBackground = SysColorAsBrush(COLOR_WINDOW);
  wc.lpszClassName = "HeldDcFrame";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND frame = CreateWindowExA(0, "HeldDcFrame", "Okno", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 400,
                               300, nullptr, nullptr, nullptr, nullptr);
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "HeldDcChild";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND child = CreateWindowExA(0, "HeldDcChild", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, frame,
                               nullptr, nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  HDC dc = GetDC(child);
  MSG m;
  // Everything waiting is handled and the window shown as painted; then the
  // program draws.
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  RECT r = make_rect(10, 10, 60, 40);
  FillRect(dc, &r, blue);
  DeleteObject(blue);
  while (GetMessageA(&m, nullptr, 0, 0)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  Surface s;
  ASSERT_TRUE(ReadSurfacePng(png, &s)) << png;
  EXPECT_EQ(s.row(80 + 23 + 20)[100 + 4 + 20], 0x0000ffu)
      << std::hex << "drawn through the child's DC after the last paint";
}

}  // namespace
}  // namespace plat::testing
