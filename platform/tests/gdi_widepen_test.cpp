// Wide pens: a pen w pixels wide covers the w x w squares centred on the
// pixels a one-pixel pen draws, each covered pixel painted exactly once
// (an XOR pen leaves no pixel toggled twice), also where the squares of
// centres outside the surface reach into it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/tests/gdi_fixture.h"

namespace gditest {
namespace {

using Shape = std::function<void(HDC)>;
using Pixels = std::vector<char>;  // w x h, row by row: 1 where covered

// The union of the pen squares of `width` over the pixels the shape's
// one-pixel pen draws, inside a w x h surface. The one-pixel pen draws on a
// surface grown by the width on every side, so centres outside still count.
Pixels covered(int w, int h, int width, const Shape& shape) {
  const int g = width;
  Surface big;
  big.resize(w + 2 * g, h + 2 * g, kWhite);
  HDC dc = CreateSurfaceDC(&big, {g, g}, {0, 0, w + 2 * g, h + 2 * g});
  HGDIOBJ pen = CreatePen(PS_SOLID, 1, kBlack);
  HGDIOBJ oldpen = SelectObject(dc, pen);
  HGDIOBJ oldbrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  shape(dc);
  SelectObject(dc, oldbrush);
  SelectObject(dc, oldpen);
  DeleteObject(pen);
  DeleteSurfaceDC(dc);
  const int before = (width - 1) / 2;
  Pixels out(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
  for (int sy = 0; sy < big.height; ++sy)
    for (int sx = 0; sx < big.width; ++sx) {
      if (big.row(sy)[sx] == kWhite) continue;
      const int x0 = sx - g - before, y0 = sy - g - before;
      for (int y = std::max(y0, 0); y < std::min(y0 + width, h); ++y)
        for (int x = std::max(x0, 0); x < std::min(x0 + width, w); ++x) out[static_cast<std::size_t>(y * w + x)] = 1;
    }
  return out;
}

TEST(GdiWidePen, CoversTheSquaresOfItsCentresAndPaintsEachPixelOnce) {
  struct Case {
    const char* what;
    Shape shape;
  };
  const POINT zigzag[] = {{2, 3}, {30, 5}, {4, 20}, {33, 28}, {1, 38}};
  const POINT star[] = {{20, -5}, {26, 30}, {-6, 10}, {46, 10}, {14, 30}};
  const Case cases[] = {
      {"line", [](HDC dc) { MoveToEx(dc, 3, 4, nullptr); LineTo(dc, 30, 25); }},
      {"line leaving the surface", [](HDC dc) { MoveToEx(dc, -20, 10, nullptr); LineTo(dc, 60, 12); }},
      {"polyline turning back", [&](HDC dc) { Polyline(dc, zigzag, 5); }},
      {"rectangle", [](HDC dc) { Rectangle(dc, 5, 6, 30, 25); }},
      {"ellipse", [](HDC dc) { Ellipse(dc, 4, 3, 33, 30); }},
      {"ellipse larger than the surface", [](HDC dc) { Ellipse(dc, -30, -20, 70, 60); }},
      {"self-crossing polygon", [&](HDC dc) { Polygon(dc, star, 5); }},
      {"pie", [](HDC dc) { Pie(dc, 2, 2, 36, 36, 36, 19, 19, 0); }},
  };
  for (const int width : {2, 3, 8, 1000}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.what << ", width " << width);
      const Pixels want = covered(40, 40, width, c.shape);
      // On black, an XOR pen of red leaves red where it painted once.
      Canvas cv(40, 40, 0x000000);
      Selected pen(cv.dc, CreatePen(PS_SOLID, width, kRed));
      SelectObject(cv.dc, GetStockObject(NULL_BRUSH));
      SetROP2(cv.dc, R2_XORPEN);
      c.shape(cv.dc);
      int wrong = 0;
      for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
          const COLORREF expected = want[static_cast<std::size_t>(y * 40 + x)] != 0 ? kRed : kBlack;
          if (cv.at(x, y) != expected && ++wrong <= 3)
            ADD_FAILURE() << "pixel " << x << "," << y << ": expected " << std::hex << expected << ", got " << cv.at(x, y);
        }
      EXPECT_EQ(wrong, 0);
    }
  }
}

}  // namespace
}  // namespace gditest
