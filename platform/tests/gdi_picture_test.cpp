// One picture with every primitive, brush, raster operation and some text,
// written as PNG for a person to look at; its geometry is held by a golden
// hash.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/tests/gdi_fixture.h"
#include "text/cp1250.h"

namespace gditest {
namespace {

HBITMAP Checker(HDC like, COLORREF a, COLORREF b) {
  HBITMAP bm = CreateCompatibleBitmap(like, 8, 8);
  HDC mem = CreateCompatibleDC(like);
  HGDIOBJ old = SelectObject(mem, bm);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) SetPixel(mem, x, y, (x + y) % 2 == 0 ? a : b);
  SelectObject(mem, old);
  DeleteDC(mem);
  return bm;
}

// Nearest-neighbour enlargement, to look at single pixels.
Surface Zoom(const Surface& s, int k) {
  Surface z;
  z.resize(s.width * k, s.height * k);
  for (int y = 0; y < z.height; ++y)
    for (int x = 0; x < z.width; ++x) z.row(y)[x] = s.row(y / k)[x / k];
  return z;
}

// Everything but text: the same pixels on every machine.
void DrawGeometry(HDC dc) {
  // Pen styles.
  const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
  for (int i = 0; i < 5; ++i) {
    Selected pen(dc, CreatePen(styles[i], 1, RGB(0, 0, 0)));
    MoveToEx(dc, 10, 10 + i * 6, nullptr);
    LineTo(dc, 150, 10 + i * 6);
  }
  // A fan of lines in every octant.
  for (int i = 0; i < 16; ++i) {
    Selected pen(dc, CreatePen(PS_SOLID, 1, RGB(i * 16, 0, 255 - i * 16)));
    const double a = i * M_PI / 8;
    MoveToEx(dc, 200, 25, nullptr);
    LineTo(dc, 200 + static_cast<int>(std::lround(22 * std::cos(a))), 25 + static_cast<int>(std::lround(22 * std::sin(a))));
  }
  // Brushes: solid, each hatch, the stipple.
  HBITMAP st = Checker(dc, RGB(200, 30, 30), RGB(250, 220, 60));
  for (int i = 0; i < 8; ++i) {
    HBRUSH b = i == 0 ? CreateSolidBrush(RGB(40, 160, 60)) : i == 7 ? CreatePatternBrush(st) : CreateHatchBrush(i - 1, RGB(0, 0, 160));
    Selected sel(dc, b);
    Rectangle(dc, 10 + i * 36, 50, 10 + i * 36 + 32, 80);
  }
  // Ellipses, pies and an arc.
  {
    Selected b(dc, CreateSolidBrush(RGB(255, 200, 0)));
    Ellipse(dc, 10, 90, 60, 130);
    Pie(dc, 70, 90, 120, 140, 120, 115, 95, 90);
    Selected pen(dc, CreatePen(PS_DASH, 1, RGB(0, 100, 0)));
    Arc(dc, 130, 90, 180, 140, 130, 115, 180, 115);
  }
  {
    Selected b(dc, CreatePatternBrush(st));
    Selected p(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, 190, 90, 242, 142);
  }
  // Even-odd star.
  {
    Selected b(dc, CreateSolidBrush(RGB(120, 0, 160)));
    POINT pts[5];
    for (int i = 0; i < 5; ++i) {
      const double a = -M_PI / 2 + i * 4 * M_PI / 5;
      pts[i] = {static_cast<LONG>(std::lround(280 + 28 * std::cos(a))), static_cast<LONG>(std::lround(118 + 28 * std::sin(a)))};
    }
    Polygon(dc, pts, 5);
  }
  // Raster operations: bars under four modes over a striped background.
  for (int i = 0; i < 6; ++i) {
    Selected b(dc, CreateSolidBrush(i % 2 ? RGB(0, 0, 0) : RGB(0, 200, 255)));
    Selected p(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, 10, 150 + i * 8, 320, 158 + i * 8);
  }
  const int rops[] = {R2_COPYPEN, R2_MERGEPEN, R2_MASKPEN, R2_XORPEN};
  for (int i = 0; i < 4; ++i) {
    SetROP2(dc, rops[i]);
    Selected b(dc, CreateSolidBrush(RGB(255, 64, 0)));
    Selected p(dc, CreatePen(PS_SOLID, 1, RGB(255, 255, 0)));
    Ellipse(dc, 20 + i * 75, 145, 80 + i * 75, 205);
  }
  SetROP2(dc, R2_COPYPEN);
  // Clip region and a blit of part of the picture.
  HRGN r = CreateRectRgn(250, 10, 320, 45);
  SelectClipRgn(dc, r);
  DeleteObject(r);
  BitBlt(dc, 240, 5, 100, 50, dc, 10, 50, SRCCOPY);
  SelectClipRgn(dc, nullptr);
  DeleteObject(st);
}

TEST(GdiPicture, EveryPrimitiveBrushAndRop) {
  Canvas cv(330, 260);
  DrawGeometry(cv.dc);
  ExpectGolden(cv.surface, 0x7ee3cc722f3a685bull, "gdi_geometry");
  // Text on top, for the eye.
  SetBkMode(cv.dc, TRANSPARENT);
  const std::string s = text::cp1250_from_utf8("Zażółć gęślą jaźń — Błąd");
  const char* faces[] = {"Arial", "Times New Roman", "Courier New"};
  for (int i = 0; i < 3; ++i) {
    Selected f(cv.dc, CreateFontA(-14, 0, 0, 0, i == 1 ? FW_BOLD : FW_NORMAL, i == 2, 0, 0, 0, 0, 0, 0, 0, faces[i]));
    SetTextColor(cv.dc, RGB(0, 0, 120 * i));
    TextOutA(cv.dc, 10, 212 + i * 15, s.data(), static_cast<int>(s.size()));
  }
  {
    Selected f(cv.dc, CreateFontA(-12, 0, 900, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
    SetBkMode(cv.dc, OPAQUE);
    SetBkColor(cv.dc, RGB(255, 255, 180));
    TextOutA(cv.dc, 300, 255, "Vertical", 8);
  }
  {
    Selected f(cv.dc, CreateFontA(-12, 0, 300, 0, FW_NORMAL, 0, 1, 0, 0, 0, 0, 0, 0, "Arial"));
    SetBkMode(cv.dc, TRANSPARENT);
    SetTextColor(cv.dc, RGB(160, 0, 0));
    TextOutA(cv.dc, 215, 255, "30 degrees", 10);
  }
  EXPECT_TRUE(WriteSurfacePng(cv.surface, OutputPath("gdi_all_primitives")));
  EXPECT_TRUE(WriteSurfacePng(Zoom(cv.surface, 3), OutputPath("gdi_all_primitives_x3")));
}

}  // namespace
}  // namespace gditest
