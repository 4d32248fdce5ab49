// Memory contexts, bitmaps, BitBlt and device-independent bitmaps.
#include <gtest/gtest.h>

#include <vector>

#include "platform/tests/gdi_fixture.h"

namespace gditest {
namespace {

void Gradient(Surface& s) {
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) s.row(y)[x] = static_cast<std::uint32_t>(x * 7 << 16 | y * 11 << 8 | (x ^ y));
}

TEST(GdiBlit, OverlappingCopyWithinOneContextActsLikeMemmove) {
  struct Shift {
    int dx, dy;
  };
  for (Shift sh : {Shift{3, 2}, Shift{-3, -2}, Shift{4, -1}, Shift{-2, 5}, Shift{0, 1}}) {
    SCOPED_TRACE(testing::Message() << "shift " << sh.dx << "," << sh.dy);
    Canvas cv(24, 20);
    Gradient(cv.surface);
    const Surface before = cv.surface;
    BitBlt(cv.dc, 6 + sh.dx, 5 + sh.dy, 10, 8, cv.dc, 6, 5, SRCCOPY);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 24; ++x) {
        const int sx = x - sh.dx, sy = y - sh.dy;
        const bool moved = x >= 6 + sh.dx && x < 16 + sh.dx && y >= 5 + sh.dy && y < 13 + sh.dy;
        const std::uint32_t want = moved ? before.row(sy)[sx] : before.row(y)[x];
        ASSERT_EQ(cv.surface.row(y)[x], want) << x << "," << y;
      }
  }
}

TEST(GdiBlit, BetweenContextsWithTheFourSourceOperations) {
  struct Case {
    DWORD rop;
    std::uint32_t (*f)(std::uint32_t s, std::uint32_t d);
  };
  const Case cases[] = {{SRCCOPY, [](std::uint32_t s, std::uint32_t) { return s; }},
                        {SRCPAINT, [](std::uint32_t s, std::uint32_t d) { return s | d; }},
                        {SRCAND, [](std::uint32_t s, std::uint32_t d) { return s & d; }},
                        {SRCINVERT, [](std::uint32_t s, std::uint32_t d) { return s ^ d; }}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "rop 0x" << std::hex << c.rop);
    Canvas dst(16, 16, 0x00a5c30f);
    HDC mem = CreateCompatibleDC(dst.dc);
    HBITMAP bm = CreateCompatibleBitmap(dst.dc, 8, 8);
    HGDIOBJ old = SelectObject(mem, bm);
    Gradient(*SurfaceOfBitmap(bm));
    const Surface src = *SurfaceOfBitmap(bm);
    BitBlt(dst.dc, 4, 5, 8, 8, mem, 0, 0, c.rop);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const bool in = x >= 4 && x < 12 && y >= 5 && y < 13;
        const std::uint32_t want = in ? c.f(src.row(y - 5)[x - 4], 0x00a5c30f) : 0x00a5c30f;
        ASSERT_EQ(dst.surface.row(y)[x], want) << x << "," << y;
      }
    SelectObject(mem, old);
    DeleteObject(bm);
    DeleteDC(mem);
  }
}

TEST(GdiBlit, SourceOutsideItsSurfaceIsNotCopiedAndDestinationIsClipped) {
  Canvas dst(10, 10);
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateCompatibleBitmap(dst.dc, 4, 4);
  HGDIOBJ old = SelectObject(mem, bm);
  // A black bitmap, copied from two pixels before its left and top edges.
  BitBlt(dst.dc, 0, 0, 10, 10, mem, -2, -2, SRCCOPY);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool in = x >= 2 && x < 6 && y >= 2 && y < 6;
      EXPECT_EQ(dst.at(x, y), in ? kBlack : RGB(255, 255, 255)) << x << "," << y << dst.picture();
    }
  // Operations without a source need none.
  EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 3, 1, nullptr, 0, 0, BLACKNESS));
  EXPECT_EQ(dst.at(0, 0), kBlack);
  EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 3, 1, nullptr, 0, 0, SRCCOPY));
  SelectObject(mem, old);
  DeleteObject(bm);
  DeleteDC(mem);
}

TEST(GdiBitmap, MemoryContextDrawsIntoItsBitmapAndObjectsLiveAsExpected) {
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateCompatibleBitmap(mem, 5, 3);
  BITMAP info;
  ASSERT_EQ(GetObjectA(bm, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth, 5);
  EXPECT_EQ(info.bmHeight, 3);
  EXPECT_EQ(info.bmBitsPixel, 32);
  HGDIOBJ old = SelectObject(mem, bm);
  ASSERT_NE(old, nullptr);
  SetPixel(mem, 4, 2, kRed);
  EXPECT_EQ(SurfaceOfBitmap(bm)->row(2)[4], 0x00ff0000u);
  EXPECT_EQ(GetPixel(mem, 5, 2), CLR_INVALID);
  // A selected object cannot be deleted; a bitmap goes into one context only.
  EXPECT_FALSE(DeleteObject(bm));
  HDC other = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(other, bm), nullptr);
  SelectObject(mem, old);
  EXPECT_TRUE(DeleteObject(bm));
  EXPECT_FALSE(DeleteObject(bm)) << "a deleted handle is refused";
  EXPECT_EQ(SelectObject(mem, bm), nullptr);
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));
  EXPECT_NE(GetObjectType(GetStockObject(BLACK_PEN)), 0u) << "stock objects stay";
  EXPECT_EQ(GetObjectType(mem), OBJ_MEMDC);
  DeleteDC(other);
  DeleteDC(mem);
  // Bitmaps cannot be selected into a window's context.
  Canvas cv(4, 4);
  HBITMAP b2 = CreateCompatibleBitmap(cv.dc, 2, 2);
  EXPECT_EQ(SelectObject(cv.dc, b2), nullptr);
  DeleteObject(b2);
  EXPECT_EQ(CreateCompatibleBitmap(cv.dc, 100000, 100000), nullptr);
}

TEST(GdiBitmap, CreateBitmapOneBitAndThirtyTwoBits) {
  const unsigned char mono[] = {0xA0, 0x00, 0x50, 0x00};  // rows of 16 bits: 1 = white
  HBITMAP m = CreateBitmap(4, 2, 1, 1, mono);
  ASSERT_NE(m, nullptr);
  const Surface& s = *SurfaceOfBitmap(m);
  EXPECT_EQ(s.row(0)[0], kWhite);
  EXPECT_EQ(s.row(0)[1], 0u);
  EXPECT_EQ(s.row(1)[1], kWhite);
  DeleteObject(m);
  const unsigned char bgrx[] = {0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0};
  HBITMAP c = CreateBitmap(2, 1, 1, 32, bgrx);
  EXPECT_EQ(SurfaceOfBitmap(c)->row(0)[1], 0x00605040u);
  DeleteObject(c);
  EXPECT_EQ(CreateBitmap(2, 1, 1, 7, nullptr), nullptr);
}

TEST(GdiDib, StretchDibits8BitBottomUpScaledAndTopDown) {
  // A 2 x 2 8-bit image, rows padded to 4 bytes, stored bottom-up.
  std::vector<std::uint8_t> storage(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  auto* bi = reinterpret_cast<BITMAPINFO*>(storage.data());
  bi->bmiHeader = BITMAPINFOHEADER{};
  bi->bmiHeader.biWidth = 2;
  bi->bmiHeader.biHeight = 2;
  bi->bmiHeader.biBitCount = 8;
  bi->bmiHeader.biClrUsed = 4;
  bi->bmiColors[0] = {0, 0, 255, 0};    // red
  bi->bmiColors[1] = {0, 255, 0, 0};    // green
  bi->bmiColors[2] = {255, 0, 0, 0};    // blue
  bi->bmiColors[3] = {0, 0, 0, 0};      // black
  const std::uint8_t bits[] = {0, 1, 0, 0, 2, 3, 0, 0};  // bottom row first
  Canvas cv(8, 8);
  EXPECT_EQ(StretchDIBits(cv.dc, 2, 2, 4, 4, 0, 0, 2, 2, bits, bi, DIB_RGB_COLORS, SRCCOPY), 2);
  // Top row of the picture is the last stored row: blue, black.
  EXPECT_EQ(cv.at(2, 2), kBlue) << cv.picture();
  EXPECT_EQ(cv.at(5, 3), kBlack) << cv.picture();
  EXPECT_EQ(cv.at(3, 5), kRed) << cv.picture();
  EXPECT_EQ(cv.at(4, 4), kGreen) << cv.picture();
  EXPECT_TRUE(cv.white(6, 6));
  bi->bmiHeader.biHeight = -2;  // top-down
  StretchDIBits(cv.dc, 0, 0, 2, 2, 0, 0, 2, 2, bits, bi, DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(cv.at(0, 0), kRed);
  EXPECT_EQ(cv.at(1, 1), kBlack);
}

TEST(GdiDib, GetDibitsReadsBackThirtyTwoAndEightBits) {
  Canvas cv(4, 4);
  HBITMAP bm = CreateCompatibleBitmap(cv.dc, 3, 2);
  Surface& s = *SurfaceOfBitmap(bm);
  s.row(0)[0] = 0x00ff0000;
  s.row(1)[2] = 0x000000ff;
  std::vector<std::uint8_t> storage(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  auto* bi = reinterpret_cast<BITMAPINFO*>(storage.data());
  bi->bmiHeader = BITMAPINFOHEADER{};
  ASSERT_EQ(GetDIBits(cv.dc, bm, 0, 2, nullptr, bi, DIB_RGB_COLORS), 2);
  EXPECT_EQ(bi->bmiHeader.biWidth, 3);
  EXPECT_EQ(bi->bmiHeader.biBitCount, 32);
  std::vector<std::uint8_t> bits(bi->bmiHeader.biSizeImage);
  ASSERT_EQ(GetDIBits(cv.dc, bm, 0, 2, bits.data(), bi, DIB_RGB_COLORS), 2);
  // Bottom-up: the first row stored is the bitmap's bottom row.
  EXPECT_EQ(bits[2 * 4 + 0], 0xff);  // blue of (2, 1)
  EXPECT_EQ(bits[12 + 2], 0xff);     // red of (0, 0)
  // Round trip through StretchDIBits.
  Canvas back(3, 2);
  StretchDIBits(back.dc, 0, 0, 3, 2, 0, 0, 3, 2, bits.data(), bi, DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(back.surface.pixels, s.pixels);
  // 8 bits: the context's palette is the colour table.
  bi->bmiHeader.biBitCount = 8;
  std::vector<std::uint8_t> b8(8);
  ASSERT_EQ(GetDIBits(cv.dc, bm, 0, 2, b8.data(), bi, DIB_RGB_COLORS), 2);
  const RGBQUAD& q = bi->bmiColors[b8[4]];  // (0, 0) is in the second stored row
  EXPECT_EQ(q.rgbRed, 255);
  EXPECT_EQ(q.rgbGreen, 0);
  DeleteObject(bm);
}

}  // namespace
}  // namespace gditest

namespace gditest {
namespace {

TEST(GdiObjects, DeletingAContextReleasesWhatItHadSelected) {
  Surface s;
  s.resize(4, 4);
  HDC dc = CreateSurfaceDC(&s, {0, 0}, {0, 0, 4, 4});
  HPEN pen = CreatePen(PS_SOLID, 1, kRed);
  HBRUSH brush = CreateSolidBrush(kRed);
  HFONT font = CreateFontA(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectObject(dc, font), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  EXPECT_FALSE(DeleteObject(pen));
  DeleteSurfaceDC(dc);
  EXPECT_EQ(GetObjectType(dc), 0u);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_TRUE(DeleteObject(font));
  // Calls on a deleted context are refused, not followed.
  EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), nullptr);
  EXPECT_FALSE(LineTo(dc, 1, 1));
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
}

}  // namespace
}  // namespace gditest
