// Device contexts of windows on their surface: placed on the client, kept
// ones following the window as it shows, moves and changes size.
#include "platform/gdi/gdi.h"
#include "platform/tests/user_test_support.h"

namespace plat::testing {
namespace {

using Painting = UserTest;

TEST_F(Painting, ADeviceContextTakenWhileHiddenDrawsOnceShownAndFollowsResizing) {
  HWND w = top("Kept", WS_OVERLAPPEDWINDOW, 10, 10, 200, 150);
  HDC dc = GetDC(w);  // taken once and kept, as the toolkit does
  ASSERT_NE(dc, nullptr);
  ShowWindow(w, SW_SHOW);
  ValidateRect(w, nullptr);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT r = make_rect(0, 0, 10, 10);
  FillRect(dc, &r, red);
  EXPECT_EQ(w->surface->row(w->client.top)[w->client.left], 0xff0000u) << std::hex;
  MoveWindow(w, 10, 10, 300, 250, TRUE);
  RECT far = make_rect(250, 180, 260, 190);
  FillRect(dc, &far, red);
  EXPECT_EQ(w->surface->row(w->client.top + 185)[w->client.left + 255], 0xff0000u) << std::hex
      << "the kept context reaches the grown client";
  DeleteObject(red);
  ReleaseDC(w, dc);
}

TEST_F(Painting, ChildContextIsClippedToTheParentsClient) {
  HWND w = top("P", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 150);
  HWND c = child(w, 1, 150, 100, 100, 100);  // reaches past the parent's client
  drain();
  HDC dc = GetDC(c);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  RECT all = make_rect(0, 0, 100, 100);
  FillRect(dc, &all, blue);
  const Surface& s = *w->surface;
  int x0 = w->client.left + 150, y0 = w->client.top + 100;
  EXPECT_EQ(s.row(y0)[x0], 0x0000ffu) << std::hex << "inside both";
  EXPECT_NE(s.row(y0)[w->client.right], 0x0000ffu) << std::hex << "the parent's right border is untouched";
  DeleteObject(blue);
  ReleaseDC(c, dc);
}

TEST_F(Painting, CaptionColourFollowsWmNcActivate) {
  HWND w = top("Root", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300);
  HWND c = child(w, 1, 10, 10, 200, 120, WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME);
  drain();
  const Surface& s = *w->surface;
  RECT cap = caption_rect(c);
  auto caption_pixel = [&] { return s.row(cap.top + 3)[cap.left + 100]; };
  EXPECT_EQ(caption_pixel(), 0x808080u) << std::hex << "a child frame starts inactive";
  SendMessageA(c, WM_NCACTIVATE, TRUE, 0);
  EXPECT_EQ(caption_pixel(), 0x000080u) << std::hex;
  SendMessageA(c, WM_NCACTIVATE, FALSE, 0);
  EXPECT_EQ(caption_pixel(), 0x808080u) << std::hex;
  EXPECT_EQ(s.row(caption_rect(w).top + 3)[200], 0x000080u) << std::hex << "the active top-level window";
}

}  // namespace
}  // namespace plat::testing
