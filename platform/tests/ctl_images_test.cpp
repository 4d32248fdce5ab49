// Images on buttons and statics: bitmaps and icons from the resources,
// the top-left colour of a bitmap given the button face, icons drawn
// through their mask.
#include "platform/tests/user_test_support.h"
#include "platform/user/controls/controls.h"
#include "platform/gdi/gdi.h"
#include "platform/kernel/resources.h"

namespace plat::testing {
namespace {

constexpr unsigned kFramedBitmap = 301;  // 8 x 6: magenta frame, blue inside, red at (2, 2)
constexpr unsigned kPlusIcon = 302;      // 16 x 16: green plus, the rest masked

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 200, 0);

class ControlImages : public UserTest {
 protected:
  HWND control(const char* cls, DWORD style, int w, int h) {
    parent_ = top("Obrazki");
    ShowWindow(parent_, SW_SHOW);
    HWND c = CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 10, 10, w, h, parent_,
                             reinterpret_cast<HMENU>(static_cast<std::intptr_t>(7)), nullptr, nullptr);
    return c;
  }
  // The control's pixel at client (x, y) after it has painted.
  static COLORREF pixel(HWND c, int x, int y) {
    HDC dc = GetDC(c);
    COLORREF p = GetPixel(dc, x, y);
    ReleaseDC(c, dc);
    return p;
  }
  HWND parent_ = nullptr;
};

std::string hex(COLORREF c) {
  char b[16];
  std::snprintf(b, sizeof b, "%06X", static_cast<unsigned>(c));
  return b;
}

TEST_F(ControlImages, ButtonBitmapShowsTheFaceWhereTheTopLeftColourWas) {
  HWND b = control("BUTTON", BS_PUSHBUTTON | BS_BITMAP, 40, 30);
  ASSERT_NE(b, nullptr);
  HANDLE img = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kFramedBitmap), IMAGE_BITMAP, 0, 0,
                          LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS);
  ASSERT_NE(img, nullptr);
  SendMessageA(b, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(img));
  drain();
  // Centred: the 8 x 6 image starts at ((40 - 8) / 2, (30 - 6) / 2) = (16, 12).
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  struct Case {
    int x, y;
    COLORREF want;
    const char* what;
  } cases[] = {
      {16, 12, face, "top-left corner of the frame"},
      {23, 17, face, "bottom-right corner of the frame"},
      {17, 13, kBlue, "inside"},
      {18, 14, kRed, "the red pixel"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(hex(pixel(b, c.x, c.y)), hex(c.want));
  }
}

TEST_F(ControlImages, StaticBitmapKeepsItsColoursWithoutTheTransparentFlag) {
  HWND s = control("STATIC", SS_BITMAP, 20, 20);
  HBITMAP img = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kFramedBitmap));
  ASSERT_NE(img, nullptr);
  SendMessageA(s, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(img));
  drain();
  EXPECT_EQ(hex(pixel(s, 0, 0)), hex(kMagenta)) << "drawn at the top-left";
  EXPECT_EQ(hex(pixel(s, 2, 2)), hex(kRed));
  EXPECT_EQ(hex(pixel(s, 8, 0)), hex(GetSysColor(COLOR_BTNFACE))) << "right of the image";
}

TEST_F(ControlImages, IconsAreDrawnThroughTheirMask) {
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kPlusIcon));
  ASSERT_NE(icon, nullptr);
  int w = 0, h = 0;
  ASSERT_TRUE(GetIconSize(icon, &w, &h));
  EXPECT_EQ(w, 16);
  EXPECT_EQ(h, 16);
  HWND s = control("STATIC", SS_ICON, 32, 32);
  SendMessageA(s, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  HWND b = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_ICON, 60, 10, 36, 36, parent_, nullptr,
                           nullptr, nullptr);
  SendMessageA(b, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  drain();
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(hex(pixel(s, 7, 7)), hex(kGreen)) << "the plus";
  EXPECT_EQ(hex(pixel(s, 7, 0)), hex(kGreen)) << "the plus's top arm";
  EXPECT_EQ(hex(pixel(s, 0, 0)), hex(face)) << "a masked corner shows the background";
  // On the button the icon is centred: (36 - 16) / 2 = 10.
  EXPECT_EQ(hex(pixel(b, 10 + 7, 10 + 7)), hex(kGreen));
  EXPECT_EQ(hex(pixel(b, 10 + 1, 10 + 1)), hex(face));
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(GetIconSize(icon, &w, &h)) << "a destroyed icon is forgotten";
}

TEST_F(ControlImages, MissingOrForeignImagesGiveNothing) {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  EXPECT_EQ(LoadBitmapA(inst, MAKEINTRESOURCEA(9999)), nullptr) << "no such bitmap";
  EXPECT_EQ(LoadBitmapA(inst, MAKEINTRESOURCEA(kPlusIcon)), nullptr) << "an icon is no bitmap";
  EXPECT_EQ(LoadIconA(inst, MAKEINTRESOURCEA(kFramedBitmap)), nullptr) << "no icon of that id";
  EXPECT_NE(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(32512)), nullptr) << "system icons still load";
}

}  // namespace
}  // namespace plat::testing
