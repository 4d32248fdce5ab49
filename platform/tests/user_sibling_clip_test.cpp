// Windows that overlap clip each other: a window behind never draws over
// one in front of it, whatever it paints or however it is repainted; what
// a window in front stops covering is painted again by those behind it.
#include "platform/gdi/gdi.h"
#include "platform/tests/dlg_test_support.h"
#include "platform/user/controls/controls.h"

namespace plat::testing {
namespace {

// A child window that fills its client with the colour kept in its user data.
LRESULT CALLBACK_solid(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(h, GWLP_USERDATA)));
    RECT all;
    GetClientRect(h, &all);
    FillRect(dc, &all, b);
    DeleteObject(b);
    EndPaint(h, &ps);
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

constexpr COLORREF kBack = RGB(0, 0, 255);
constexpr COLORREF kFront = RGB(255, 0, 0);
constexpr COLORREF kParent = RGB(0, 255, 0);

class SiblingClip : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    WNDCLASSA wc;
    wc.lpfnWndProc = CALLBACK_solid;
    wc.hbrBackground = SysColorAsBrush(COLOR_WINDOW);
    wc.lpszClassName = "Solid";
    ASSERT_NE(RegisterClassA(&wc), 0);
    parent_ = top("Siblings", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 400, 300);
    // Made first, so behind the one made after it.
    back_ = solid(10, 10, 200, 150, kBack);
    front_ = solid(100, 80, 200, 150, kFront);
    drain();
  }
  HWND solid(int x, int y, int w, int h, COLORREF colour, DWORD extra = 0) {
    HWND c = CreateWindowExA(0, "Solid", "", WS_CHILD | WS_VISIBLE | extra, x, y, w, h, parent_, nullptr, nullptr,
                             nullptr);
    SetWindowLongPtrA(c, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
    InvalidateRect(c, nullptr, TRUE);
    return c;
  }
  // Colour on the parent's surface at a point of the parent's client area.
  COLORREF at(int x, int y) const {
    const Surface& s = *parent_->surface;
    const std::uint32_t p = s.row(parent_->client.top + y)[parent_->client.left + x];  // 0x00RRGGBB
    return RGB((p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff);
  }
  static void fill(HWND w, COLORREF colour) {
    HDC dc = GetDC(w);
    HBRUSH b = CreateSolidBrush(colour);
    RECT all = make_rect(0, 0, 1000, 1000);
    FillRect(dc, &all, b);
    DeleteObject(b);
    ReleaseDC(w, dc);
  }
  HWND parent_ = nullptr;
  HWND back_ = nullptr;
  HWND front_ = nullptr;
};

const POINT kOverlap{150, 120};   // in both windows
const POINT kBackOnly{30, 30};    // in the back window alone
const POINT kFrontOnly{280, 200}; // in the front window alone
const POINT kParentOnly{380, 20}; // in neither

TEST_F(SiblingClip, TheWindowBehindNeverDrawsOverTheOneInFront) {
  ASSERT_EQ(at(kOverlap.x, kOverlap.y), kFront);
  ASSERT_EQ(at(kBackOnly.x, kBackOnly.y), kBack);
  const struct {
    const char* what;
    void (*act)(HWND back);
  } cases[] = {
      {"repainted", [](HWND b) {
         InvalidateRect(b, nullptr, TRUE);
         UpdateWindow(b);
       }},
      {"drawing through its own context", [](HWND b) { fill(b, RGB(0, 0, 128)); }},
      {"a pixel set", [](HWND b) {
         HDC dc = GetDC(b);
         SetPixel(dc, 140, 110, RGB(1, 2, 3));  // the overlap probe, in the back window's client
         ReleaseDC(b, dc);
       }},
      {"a copied block", [](HWND b) {
         HDC dc = GetDC(b);
         BitBlt(dc, 0, 0, 200, 150, nullptr, 0, 0, BLACKNESS);
         ReleaseDC(b, dc);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.act(back_);
    drain();
    EXPECT_EQ(at(kOverlap.x, kOverlap.y), kFront) << "the window in front is unharmed";
    EXPECT_NE(at(kBackOnly.x, kBackOnly.y), kFront);
  }
}

TEST_F(SiblingClip, AParentThatClipsItsChildrenDrawsAroundThem) {
  fill(parent_, kParent);
  EXPECT_EQ(at(kParentOnly.x, kParentOnly.y), kParent);
  EXPECT_EQ(at(kOverlap.x, kOverlap.y), kFront);
  EXPECT_EQ(at(kBackOnly.x, kBackOnly.y), kBack);
}

TEST_F(SiblingClip, WhatTheFrontWindowStopsCoveringIsPaintedAgain) {
  const struct {
    const char* what;
    void (*act)(HWND front);
    COLORREF overlap;
  } cases[] = {
      {"moved away", [](HWND f) { MoveWindow(f, 220, 160, 150, 100, TRUE); }, kBack},
      {"hidden", [](HWND f) { ShowWindow(f, SW_HIDE); }, kBack},
      {"sent behind", [](HWND f) {
         SetWindowPos(f, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
       }, kBack},
      {"destroyed", [](HWND f) { DestroyWindow(f); }, kBack},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // Both are back where they started, the front one painted last.
    SetWindowPos(front_, HWND_TOP, 100, 80, 200, 150, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    drain();
    ASSERT_EQ(at(kOverlap.x, kOverlap.y), kFront);
    c.act(front_);
    drain();
    EXPECT_EQ(at(kOverlap.x, kOverlap.y), c.overlap);
    if (!IsWindow(front_)) front_ = solid(100, 80, 200, 150, kFront);
  }
  // Raised again, it shows whole.
  BringWindowToTop(front_);
  drain();
  EXPECT_EQ(at(kOverlap.x, kOverlap.y), kFront);
}

TEST_F(SiblingClip, AGroupBoxInFrontHidesNothingOfTheControlsItGroups) {
  // A group box made after the back window lies in front of it, as the
  // first control of a dialog template does.
  HWND group = CreateWindowExA(0, "BUTTON", "Grupa", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 5, 5, 250, 200, parent_,
                               nullptr, nullptr, nullptr);
  ASSERT_NE(group, nullptr);
  drain();
  fill(back_, RGB(0, 0, 128));
  EXPECT_EQ(at(kBackOnly.x, kBackOnly.y), RGB(0, 0, 128)) << "the control behind the group box still draws";
}

TEST_F(SiblingClip, AControlInFrontOfAnotherInADialogKeepsItsPixels) {
  // The first control of a template lies in front: a label over the
  // middle of an edit field.
  DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
  t.cx = 200;
  t.cy = 80;
  t.caption = "Nakladanie";
  t.font_face = "MS Sans Serif";
  t.font_size = 8;
  t.controls = {item("STATIC", "Etykieta", 11, SS_LEFT, 60, 10, 50, 14),
                item("EDIT", "", 12, WS_BORDER | ES_AUTOHSCROLL, 10, 10, 120, 14)};
  HWND dlg = CreateDialogIndirectParamA(nullptr, &t, nullptr, nullptr, 0);
  ASSERT_NE(dlg, nullptr);
  drain();
  HWND label = GetDlgItem(dlg, 11);
  RECT lr;
  GetWindowRect(label, &lr);
  MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&lr), 2);
  HDC dc = GetDC(dlg);
  // A point of the label over the edit, right of the label's text.
  const POINT probe{lr.right - 4, lr.top + 3};
  const COLORREF label_pixel = GetPixel(dc, probe.x, probe.y);
  EXPECT_EQ(label_pixel, GetSysColor(COLOR_BTNFACE)) << "the label's face, not the edit field painted after it";
  SetDlgItemTextA(dlg, 12, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
  InvalidateRect(GetDlgItem(dlg, 12), nullptr, TRUE);
  UpdateWindow(GetDlgItem(dlg, 12));
  drain();
  EXPECT_EQ(GetPixel(dc, probe.x, probe.y), label_pixel) << "the edit field behind repainted under the label";
  ReleaseDC(dlg, dc);
  DestroyWindow(dlg);
}

}  // namespace
}  // namespace plat::testing
