// Brushes (hatch, pattern, stipple) and raster operations on pen lines and
// brush fills.
#include <gtest/gtest.h>

#include "platform/tests/gdi_fixture.h"

namespace gditest {
namespace {

// The graphics layer's stipple: an 8 x 8 checkerboard drawn in a memory
// context compatible with the window's, colour A where x + y is even.
HBITMAP Stipple(HDC like, COLORREF a, COLORREF b) {
  HBITMAP bm = CreateCompatibleBitmap(like, 8, 8);
  HDC mem = CreateCompatibleDC(like);
  HGDIOBJ old = SelectObject(mem, bm);
  for (int y = 0; y < 8; y += 2)
    for (int x = 0; x < 8; x += 2) {
      SetPixel(mem, x, y, a);
      SetPixel(mem, x + 1, y, b);
      SetPixel(mem, x, y + 1, b);
      SetPixel(mem, x + 1, y + 1, a);
    }
  SelectObject(mem, old);
  DeleteDC(mem);
  return bm;
}

TEST(GdiBrush, StippleParityFollowsContextCoordinates) {
  Surface s;
  s.resize(40, 30, kWhite);
  // A context whose origin is at an odd surface position: parity follows
  // the context's own coordinates.
  HDC dc = CreateSurfaceDC(&s, {3, 1}, {3, 1, 40, 30});
  HBITMAP bm = Stipple(dc, kRed, kBlue);
  HBRUSH br = CreatePatternBrush(bm);
  DeleteObject(bm);  // the brush keeps its own copy
  HGDIOBJ ob = SelectObject(dc, br);
  HGDIOBJ op = SelectObject(dc, GetStockObject(NULL_PEN));
  Rectangle(dc, 5, 3, 31, 22);
  for (int y = 3; y < 21; ++y)
    for (int x = 5; x < 30; ++x) {
      const COLORREF want = (x + y) % 2 == 0 ? kRed : kBlue;
      EXPECT_EQ(GetPixel(dc, x, y), want) << x << "," << y;
    }
  EXPECT_EQ(GetPixel(dc, 30, 10), RGB(255, 255, 255));
  SelectObject(dc, ob);
  SelectObject(dc, op);
  DeleteObject(br);
  DeleteSurfaceDC(dc);
}

TEST(GdiBrush, HatchForegroundAndBackgroundByMode) {
  for (int mode : {TRANSPARENT, OPAQUE}) {
    SCOPED_TRACE(mode == OPAQUE ? "opaque" : "transparent");
    Canvas cv(16, 16, 0x0000ff00);
    SetBkMode(cv.dc, mode);
    SetBkColor(cv.dc, kBlue);
    HBRUSH h = CreateHatchBrush(HS_CROSS, kBlack);
    RECT r{0, 0, 16, 16};
    FillRect(cv.dc, &r, h);
    DeleteObject(h);
    EXPECT_EQ(cv.at(0, 3), kBlack);
    EXPECT_EQ(cv.at(8, 5), kBlack);
    EXPECT_EQ(cv.at(5, 8), kBlack);
    EXPECT_EQ(cv.at(3, 3), mode == OPAQUE ? kBlue : kGreen) << cv.picture();
  }
  EXPECT_EQ(CreateHatchBrush(6, kBlack), nullptr);
}

struct RopCase {
  int rop;
  COLORREF (*result)(COLORREF pen, COLORREF dst);
};

TEST(GdiRop, EveryBinaryRasterOperationOnLinesAndFills) {
  const COLORREF pen = RGB(0x3c, 0xa5, 0xf0);
  const COLORREF dst = RGB(0x55, 0x0f, 0xcc);
  const RopCase cases[] = {
      {R2_BLACK, [](COLORREF, COLORREF) -> COLORREF { return 0; }},
      {R2_NOTMERGEPEN, [](COLORREF p, COLORREF d) -> COLORREF { return ~(p | d) & 0xffffff; }},
      {R2_MASKNOTPEN, [](COLORREF p, COLORREF d) -> COLORREF { return ~p & d & 0xffffff; }},
      {R2_NOTCOPYPEN, [](COLORREF p, COLORREF) -> COLORREF { return ~p & 0xffffff; }},
      {R2_MASKPENNOT, [](COLORREF p, COLORREF d) -> COLORREF { return p & ~d & 0xffffff; }},
      {R2_NOT, [](COLORREF, COLORREF d) -> COLORREF { return ~d & 0xffffff; }},
      {R2_XORPEN, [](COLORREF p, COLORREF d) -> COLORREF { return p ^ d; }},
      {R2_NOTMASKPEN, [](COLORREF p, COLORREF d) -> COLORREF { return ~(p & d) & 0xffffff; }},
      {R2_MASKPEN, [](COLORREF p, COLORREF d) -> COLORREF { return p & d; }},
      {R2_NOTXORPEN, [](COLORREF p, COLORREF d) -> COLORREF { return ~(p ^ d) & 0xffffff; }},
      {R2_NOP, [](COLORREF, COLORREF d) -> COLORREF { return d; }},
      {R2_MERGENOTPEN, [](COLORREF p, COLORREF d) -> COLORREF { return (~p | d) & 0xffffff; }},
      {R2_COPYPEN, [](COLORREF p, COLORREF) -> COLORREF { return p; }},
      {R2_MERGEPENNOT, [](COLORREF p, COLORREF d) -> COLORREF { return (p | ~d) & 0xffffff; }},
      {R2_MERGEPEN, [](COLORREF p, COLORREF d) -> COLORREF { return p | d; }},
      {R2_WHITE, [](COLORREF, COLORREF) -> COLORREF { return 0xffffff; }},
  };
  const std::uint32_t dst_pixel = 0x00550fcc;  // dst as a surface pixel (0x00RRGGBB)
  for (const RopCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "ROP2 " << c.rop);
    Canvas cv(8, 8, dst_pixel);
    SetROP2(cv.dc, c.rop);
    Selected p(cv.dc, CreatePen(PS_SOLID, 1, pen));
    Selected b(cv.dc, CreateSolidBrush(pen));
    MoveToEx(cv.dc, 0, 0, nullptr);
    LineTo(cv.dc, 8, 0);
    Rectangle(cv.dc, 1, 2, 7, 8);
    const COLORREF want = c.result(pen, dst);
    EXPECT_EQ(cv.at(3, 0), want) << "line";
    EXPECT_EQ(cv.at(1, 2), want) << "rectangle border";
    EXPECT_EQ(cv.at(4, 4), want) << "rectangle fill";
    // Text and SetPixel are not combined.
    SetPixel(cv.dc, 0, 7, pen);
    EXPECT_EQ(cv.at(0, 7), pen);
  }
}

TEST(GdiRop, XorDrawnTwiceRestoresThePicture) {
  Canvas cv(64, 48);
  // Some picture to start from.
  {
    Selected b(cv.dc, CreateHatchBrush(HS_DIAGCROSS, RGB(30, 120, 200)));
    Rectangle(cv.dc, 4, 4, 60, 44);
  }
  const std::uint64_t before = Hash(cv.surface);
  SetROP2(cv.dc, R2_XORPEN);
  HBITMAP st = Stipple(cv.dc, RGB(200, 10, 10), RGB(10, 200, 10));
  for (int pass = 0; pass < 2; ++pass) {
    Selected p(cv.dc, CreatePen(PS_DASHDOT, 1, RGB(255, 128, 0)));
    Selected b(cv.dc, CreatePatternBrush(st));
    MoveToEx(cv.dc, 0, 0, nullptr);
    LineTo(cv.dc, 63, 40);
    LineTo(cv.dc, 2, 47);
    Ellipse(cv.dc, 10, 5, 40, 30);
    Pie(cv.dc, 30, 10, 60, 46, 60, 28, 45, 10);
    Arc(cv.dc, 0, 20, 30, 48, 0, 0, 30, 48);
    const POINT pts[] = {{5, 40}, {30, 2}, {55, 40}, {5, 15}, {55, 15}};
    Polygon(cv.dc, pts, 5);
    Polyline(cv.dc, pts, 5);
    Rectangle(cv.dc, 20, 20, 50, 35);
    if (pass == 0) {
      EXPECT_NE(Hash(cv.surface), before);
    }
  }
  DeleteObject(st);
  EXPECT_EQ(Hash(cv.surface), before) << cv.picture();
}

}  // namespace
}  // namespace gditest
