// One test picture with every primitive, fill pattern and colour band of
// the graphics layer, written as PNG into the build tree for a person to
// look at, and checked at a few pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/graphics/grmapping.h"
#include "toolkit/graphics/grshapes.h"
#include "tools/testkit/grscreen.h"

namespace tsd {
namespace {

using grtest::Screen;

void square(float x, float y, float d) {
  const float px[] = {x, x + d, x + d, x};
  const float py[] = {y, y, y + d, y + d};
  igrpolygoncomplex(px, py, 4);
}

TEST(GrPicture, EveryPrimitivePatternAndColourBand) {
  Screen s(640, 480);
  igrareaclear();

  // Top: the 256 colours as 16 bands of 16 solid squares.
  igrarea(0.02f, 0.55f, 0.48f, 0.98f);
  igrunits(0.0f, 0.0f, 16.0f, 16.0f);
  igrfillpattern(4);
  for (int c = 0; c < 256; ++c) {
    igrcolourn(c);
    square(static_cast<float>(c % 16), static_cast<float>(15 - c / 16), 0.9f);
  }

  // Top right: line types 0..6 and a fan of clipped lines in a framed area.
  igrarea(0.52f, 0.55f, 0.98f, 0.98f);
  igrunits(0.0f, 0.0f, 10.0f, 10.0f);
  igrcolourn(223);
  igrmoveto(0, 0);
  igrlineto(10, 0);
  igrlineto(10, 10);
  igrlineto(0, 10);
  igrlineto(0, 0);
  for (int t = 0; t <= 6; ++t) {
    igrlinetype(&t);
    igrcolourn(16 + 16 * t + 15);
    igrmoveto(0.5f, 9.0f - static_cast<float>(t));
    igrlineto(5.0f, 9.0f - static_cast<float>(t));
  }
  igrlinetype();
  igrcolourn(95);
  for (int k = 0; k < 12; ++k) {
    const float a = static_cast<float>(k) * 0.5236f;
    igrmoveto(7.5f, 5.0f);
    igrlineto(7.5f + 6.0f * std::cos(a), 5.0f + 6.0f * std::sin(a));
  }

  // Bottom: patterns 0..4 as polygons (upper row) and circles (lower row),
  // plus a polyline that leaves and re-enters the area.
  igrarea(0.02f, 0.02f, 0.98f, 0.5f);
  igrunits(0.0f, 0.0f, 20.0f, 10.0f);
  const int colours[5] = {223, 31, 95, 159, 63};
  for (int p = 0; p <= 4; ++p) {
    igrcolourn(223);
    igrcolourn(colours[p]);
    igrfillpattern(p);
    const float x0 = 0.5f + 4.0f * static_cast<float>(p);
    const float px[] = {x0, x0 + 3.0f, x0 + 2.5f, x0 + 0.5f};
    const float py[] = {5.5f, 5.5f, 9.5f, 8.5f};
    igrpolygoncomplex(px, py, 4);
    igrcircle(x0 + 1.5f, 2.8f, 1.4f);
  }
  // An angle-4 hatch and a circle cut by the area's edge.
  const int four = 4, dense = 4;
  igrcolourn(175);
  igrfillpattern(1, &dense, &four);
  igrcircle(19.5f, 0.5f, 1.2f);
  igrcolourn(47);
  const float wx[] = {1, 6, 11, 16, 21, 19, 14, 9};
  const float wy[] = {4.6f, 4.2f, 4.8f, 4.3f, 4.7f, 11.0f, 4.4f, 4.6f};
  xxplygon(nullptr, nullptr, 0, 0);  // an empty list draws nothing
  igrmoveto(wx[0], wy[0]);
  for (int i = 1; i < 8; ++i) igrlineto(wx[i], wy[i]);

  const std::string path = s.save("grpicture.png");
  SCOPED_TRACE(path);
  // Band corners: colour 0 in the top-left square, 255 in the bottom-right.
  EXPECT_EQ(s.count(0xff0000) > 0, true) << "colour 31";
  EXPECT_GT(s.count(0x00ffff), 0) << "colour 127";
  EXPECT_GT(s.count(0x0000bf), 0) << "colour 175 hatch";
  // Solid circle (pattern 4) in colour 63 is filled at its centre.
  float cx = 0, cy = 0;
  xxe2i(16.5f + 1.5f, 2.8f, cx, cy);
  EXPECT_EQ(s.dev(static_cast<int>(cx), static_cast<int>(cy)), 0xffff00u);
}

}  // namespace
}  // namespace tsd
