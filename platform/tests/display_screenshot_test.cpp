// A screenshot of the headless screen: a framed window with its caption
// and title drawn by the window manager, composed on the desktop, written
// as PNG by the scripted user and read back.
#include <png.h>

#include <cstdio>
#include <cstring>

#include "platform/gdi/dc.h"
#include "platform/gdi/gdi.h"
#include "platform/tests/user_test_support.h"
#include "text/cp1250.h"

namespace plat::testing {
namespace {

// Read a PNG as 0x00RRGGBB pixels.
bool read_png(const std::string& path, Surface* out) {
  png_image img;
  std::memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&img, path.c_str())) return false;
  img.format = PNG_FORMAT_BGRA;
  out->resize(static_cast<int>(img.width), static_cast<int>(img.height));
  if (!png_image_finish_read(&img, nullptr, out->pixels.data(), 0, nullptr)) return false;
  for (auto& p : out->pixels) p &= 0x00ffffff;
  return true;
}

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
  ASSERT_TRUE(read_png(png, &s)) << png;
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
  ASSERT_TRUE(read_png(png, &s)) << png;
  ASSERT_EQ(s.width, 640);
  ASSERT_EQ(s.height, 480);
  EXPECT_EQ(s.row(30)[150], 0x808080u) << std::hex << "inactive caption of A";
  EXPECT_EQ(s.row(160)[400], 0x000080u) << std::hex << "active caption of B, in front";
  std::printf("screenshot: %s\n", png.c_str());
}

// Drawing through a device context that a child window keeps (as the
// toolkit keeps its client's) reaches the host at the next wait, with no
// paint message in between.
struct KeptDc {
  static inline HDC dc = nullptr;
  static LRESULT client(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_KEYDOWN && dc) {
      HBRUSH b = CreateSolidBrush(RGB(255, 255, 192));
      RECT r = make_rect(10, 10, 110, 60);
      FillRect(dc, &r, b);
      DeleteObject(b);
      return 0;
    }
    return DefWindowProcA(h, m, w, l);
  }
  static LRESULT frame(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(h, m, w, l);
  }
};

TEST_F(Screenshot, DrawingOnAKeptChildDcIsShownAtTheNextWait) {
  std::string before = unique_temp("kept_before.png");
  std::string after = unique_temp("kept_after.png");
  use_script("screenshot \"" + before + "\"\nkey Space\nscreenshot \"" + after + "\"\n");
  WNDCLASSA wc;
  wc.lpfnWndProc = KeptDc::frame;
  wc.hbrBackground = SysColorAsBrush(COLOR_WINDOW);
  wc.lpszClassName = "KeptFrame";
  ASSERT_NE(RegisterClassA(&wc), 0);
  wc.lpfnWndProc = KeptDc::client;
  wc.lpszClassName = "KeptClient";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND w = CreateWindowExA(0, "KeptFrame", "Wykres", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 100, 80,
                           400, 300, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  HWND c = CreateWindowExA(0, "KeptClient", "", WS_CHILD | WS_VISIBLE, 0, 0, 392, 273, w, nullptr, nullptr,
                           nullptr);
  ASSERT_NE(c, nullptr);
  KeptDc::dc = GetDC(c);
  SetFocus(c);
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  ReleaseDC(c, KeptDc::dc);
  KeptDc::dc = nullptr;
  Surface s0, s1;
  ASSERT_TRUE(read_png(before, &s0)) << before;
  ASSERT_TRUE(read_png(after, &s1)) << after;
  const int y = 80 + 23 + 20, x = 100 + 4 + 20;
  EXPECT_EQ(s0.row(y)[x], 0xffffffu) << std::hex << "nothing drawn before the key";
  EXPECT_EQ(s1.row(y)[x], 0xffffc0u) << std::hex << "the fill drawn on the kept DC";
}

}  // namespace
}  // namespace plat::testing
