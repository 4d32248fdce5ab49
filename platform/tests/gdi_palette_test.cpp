// Colour depth of the display, nearest colours and palettes.
#include <gtest/gtest.h>

#include <vector>

#include "platform/tests/gdi_fixture.h"

namespace gditest {
namespace {

// Sets a display depth for one test and puts true colour back after.
struct DisplayDepth {
  explicit DisplayDepth(int bits) { SetDisplayColourDepth(bits); }
  ~DisplayDepth() { SetDisplayColourDepth(32); }
  DisplayDepth(const DisplayDepth&) = delete;
  DisplayDepth& operator=(const DisplayDepth&) = delete;
};

HPALETTE MakePalette(const std::vector<COLORREF>& colours) {
  std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) + colours.size() * sizeof(PALETTEENTRY));
  auto* lp = reinterpret_cast<LOGPALETTE*>(storage.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = static_cast<WORD>(colours.size());
  for (std::size_t i = 0; i < colours.size(); ++i)
    lp->palPalEntry[i] = {static_cast<BYTE>(GetRValue(colours[i])), static_cast<BYTE>(GetGValue(colours[i])),
                          static_cast<BYTE>(GetBValue(colours[i])), 0};
  return CreatePalette(lp);
}

TEST(GdiPalette, DeviceCapsFollowTheDisplayDepth) {
  Canvas cv(2, 2);
  EXPECT_EQ(GetDeviceCaps(cv.dc, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(cv.dc, RASTERCAPS) & RC_PALETTE, 0);
  EXPECT_EQ(GetDeviceCaps(cv.dc, PLANES), 1);
  EXPECT_EQ(GetDeviceCaps(cv.dc, LOGPIXELSY), 96);
  SetDisplaySize(800, 600);
  EXPECT_EQ(GetDeviceCaps(cv.dc, HORZRES), 800);
  SetDisplaySize(1024, 768);
  DisplayDepth d(8);
  EXPECT_EQ(GetDeviceCaps(cv.dc, BITSPIXEL), 8);
  EXPECT_NE(GetDeviceCaps(cv.dc, RASTERCAPS) & RC_PALETTE, 0);
  EXPECT_EQ(GetDeviceCaps(cv.dc, SIZEPALETTE), 256);
  EXPECT_EQ(GetDeviceCaps(cv.dc, NUMCOLORS), 20);
}

TEST(GdiPalette, NearestColourOnTwoSixteenAndTrueColourDisplays) {
  Canvas cv(2, 2);
  EXPECT_EQ(GetNearestColor(cv.dc, RGB(12, 200, 99)), RGB(12, 200, 99));
  {
    DisplayDepth d(1);
    EXPECT_EQ(GetNearestColor(cv.dc, RGB(200, 190, 180)), RGB(255, 255, 255));
    EXPECT_EQ(GetNearestColor(cv.dc, RGB(20, 90, 10)), RGB(0, 0, 0));
    // Drawing is reduced the same way.
    SetPixel(cv.dc, 0, 0, RGB(30, 30, 30));
    EXPECT_EQ(cv.at(0, 0), kBlack);
  }
  {
    DisplayDepth d(4);
    EXPECT_EQ(GetNearestColor(cv.dc, RGB(180, 0, 0)), RGB(128, 0, 0));
    EXPECT_EQ(GetNearestColor(cv.dc, RGB(191, 191, 191)), RGB(192, 192, 192));
    EXPECT_EQ(GetNearestColor(cv.dc, RGB(240, 10, 250)), RGB(255, 0, 255));
  }
}

TEST(GdiPalette, PaletteIndexColoursOnA256ColourDisplay) {
  DisplayDepth d(8);
  Canvas cv(8, 8);
  std::vector<COLORREF> colours;
  for (int i = 0; i < 36; ++i) colours.push_back(RGB(i * 7, 255 - i * 5, (i * 37) % 256));
  HPALETTE pal = MakePalette(colours);
  ASSERT_NE(pal, nullptr);
  HPALETTE old = SelectPalette(cv.dc, pal, FALSE);
  EXPECT_NE(old, nullptr);
  EXPECT_EQ(RealizePalette(cv.dc), 36u);
  // A pen of a palette index draws that entry's colour.
  {
    Selected pen(cv.dc, CreatePen(PS_SOLID, 1, PALETTEINDEX(17)));
    MoveToEx(cv.dc, 0, 0, nullptr);
    LineTo(cv.dc, 4, 0);
  }
  EXPECT_EQ(cv.at(2, 0), colours[17]);
  // An RGB colour becomes the nearest colour the display has: the reserved
  // ones or the realised entries.
  EXPECT_EQ(GetNearestColor(cv.dc, RGB(1, 254, 2)), colours[0]);
  EXPECT_EQ(GetNearestColor(cv.dc, RGB(250, 250, 250)), RGB(255, 255, 255));
  // A changed entry is used from then on.
  UnrealizeObject(pal);
  const PALETTEENTRY e{10, 20, 30, 0};
  EXPECT_EQ(SetPaletteEntries(pal, 17, 1, &e), 1u);
  SelectPalette(cv.dc, pal, FALSE);
  RealizePalette(cv.dc);
  SetPixel(cv.dc, 5, 5, PALETTEINDEX(17));
  EXPECT_EQ(cv.at(5, 5), RGB(10, 20, 30));
  EXPECT_EQ(GetNearestColor(cv.dc, PALETTEINDEX(17)), RGB(10, 20, 30));
  // Out of range indices take entry 0; entries past the end are not set.
  EXPECT_EQ(GetNearestColor(cv.dc, PALETTEINDEX(300)), colours[0]);
  EXPECT_EQ(SetPaletteEntries(pal, 40, 1, &e), 0u);
  EXPECT_EQ(GetNearestPaletteIndex(pal, colours[9]), 9u);
  SelectPalette(cv.dc, old, FALSE);
  EXPECT_TRUE(DeleteObject(pal));
}

TEST(GdiPalette, StippleInPaletteColoursThroughAMemoryContext) {
  DisplayDepth d(8);
  Canvas cv(16, 16);
  HPALETTE pal = MakePalette({RGB(200, 0, 0), RGB(0, 0, 200)});
  SelectPalette(cv.dc, pal, FALSE);
  RealizePalette(cv.dc);
  HBITMAP bm = CreateCompatibleBitmap(cv.dc, 8, 8);
  HDC mem = CreateCompatibleDC(cv.dc);
  HGDIOBJ old = SelectObject(mem, bm);
  HPALETTE oldp = SelectPalette(mem, pal, FALSE);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) SetPixel(mem, x, y, PALETTEINDEX((x + y) % 2));
  SelectPalette(mem, oldp, FALSE);
  SelectObject(mem, old);
  DeleteDC(mem);
  HBRUSH br = CreatePatternBrush(bm);
  RECT r{0, 0, 16, 16};
  FillRect(cv.dc, &r, br);
  EXPECT_EQ(cv.at(3, 5), RGB(200, 0, 0));
  EXPECT_EQ(cv.at(3, 4), RGB(0, 0, 200));
  DeleteObject(br);
  DeleteObject(bm);
  SelectPalette(cv.dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
  DeleteObject(pal);
}

}  // namespace
}  // namespace gditest
