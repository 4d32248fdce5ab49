// Text on a surface: stroke and hardware text leave their pixels inside
// their cells and the area, and a page of every generated font, sizes,
// justifications and the Polish letters is written as a PNG to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "text/cp1250.h"
#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grcolours.h"
#include "toolkit/graphics/grfont.h"
#include "toolkit/graphics/grmapping.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/graphics/grtext.h"
#include "tools/testkit/grscreen.h"
#include "tools/testkit/grtrace.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/records.h"
#include "toolkit/window/strings.h"

namespace tsd {
namespace {

class GrTextPageTest : public ::testing::Test {
 protected:
  void SetUp() override { grtest::loadstrokefonts(); }
};

// Pixels that are not the background inside and outside a device box.
void inkcount(const grtest::Screen& s, int x1, int y1, int x2, int y2, int& in, int& out) {
  in = 0;
  out = 0;
  for (int y = 0; y < s.surface.height; ++y)
    for (int x = 0; x < s.surface.width; ++x) {
      if (s.dev(x, y) == 0x000000u) continue;
      if (x >= x1 && x <= x2 && y >= y1 && y <= y2)
        ++in;
      else
        ++out;
    }
}

TEST_F(GrTextPageTest, TextStaysInsideItsCellsAndTheArea) {
  grtest::Screen s(300, 200);
  grtest::pixelunits(s);
  igrareaclear();
  igrcolourn(255);
  // Cells of 4 x 8 at factors 1: 300 / 75 and 200 / 25; "ABC" centred at
  // (150, 100) covers x 144..156 and y 96..104.
  for (const char* font : {"swiss.chr", "romanbld.chr", "H"}) {
    SCOPED_TRACE(font);
    igrareaclear();
    igrcharset(font);
    igrcharsize(2.0f, 2.0f);  // cells 8 x 16: x 138..162, y 92..108
    igrcharout(150.0f, 100.0f, "ABC");
    int in = 0, out = 0;
    inkcount(s, 137, 91, 163, 109, in, out);
    EXPECT_GT(in, 30);
    EXPECT_EQ(out, 0);
  }
  // Stroke text is clipped by the area.
  igrarea(0.0f, 0.0f, 0.5f, 1.0f);
  igrunits(0.0f, 0.0f, 1.0f, 1.0f);
  igrareaclear();
  igrarea(0.0f, 0.0f, 1.0f, 1.0f);
  igrareaclear();
  igrarea(0.0f, 0.0f, 0.5f, 1.0f);
  grtest::pixelunits(s);
  igrarea(0.0f, 0.0f, 0.5f, 1.0f);
  igrcharset("swiss.chr");
  igrcharsize(4.0f, 4.0f);
  float ux = 0.0f, uy = 0.0f;
  xxi2e(150.0f, 100.0f, ux, uy);
  igrcharout(ux, uy, "WWWW");
  int in = 0, out = 0;
  inkcount(s, 0, 0, grstate.pixx2, 199, in, out);
  EXPECT_GT(in, 30);
  EXPECT_EQ(out, 0);
}

// Every glyph that shows ink at a large size keeps at least one pixel at
// the small sizes text is drawn at (down to cells under 3 x 6 pixels, a
// small window's y labels) and wherever it falls between pixels, in every
// font: a dot narrower than a pixel is still drawn.
TEST_F(GrTextPageTest, EveryGlyphKeepsAPixelAtSmallSizes) {
  grtest::Screen s(300, 200);
  grtest::pixelunits(s);
  igrcharjustify("C");
  s.fill(0x000000);
  // Ink of one character around (150, 100), cleared again afterwards.
  auto ink = [&](int code, float factor, float offset) {
    igrcharsize(factor, factor);
    igrcharout(150.0f + offset, 100.0f + offset, std::string(1, static_cast<char>(code)));
    int n = 0;
    for (int y = 60; y < 140; ++y)
      for (int x = 110; x < 190; ++x) {
        n += s.at(x, y) != 0x000000u ? 1 : 0;
        s.surface.row(y)[x] = 0x000000u;
      }
    return n;
  };
  for (const char* font : {"swiss.chr", "swissbld.chr", "roman.chr", "romanbld.chr", "fixed.chr", "fixedbld.chr",
                           "standard.chr"}) {
    SCOPED_TRACE(font);
    igrcharset(font);
    igrcolourn(223);
    int lost = 0;
    for (int code = 33; code <= 255; ++code) {
      if (code >= 127 && code <= 160) continue;
      if (ink(code, 4.0f, 0.0f) == 0) continue;  // a blank glyph
      for (const float factor : {0.7f, 1.0f, 1.6f})
        for (const float offset : {0.0f, 0.25f, 0.5f, 0.75f})
          if (ink(code, factor, offset) == 0 && ++lost <= 5)
            ADD_FAILURE() << "code " << code << " at factor " << factor << ", offset " << offset
                          << " leaves no pixel";
    }
    EXPECT_EQ(lost, 0);
  }
  igrcharsize(1.0f, 1.0f);
}

TEST_F(GrTextPageTest, TextPageOfEveryFont) {
  grtest::Screen s(1000, 760);
  grtest::pixelunits(s);
  igrareaclear();
  const std::string polish = text::cp1250_from_utf8("Zażółć gęślą jaźń ŚŹŻĆŃÓŁĄĘ śźżćńółąę");
  const char* fonts[] = {"swiss.chr", "swissbld.chr", "roman.chr", "romanbld.chr",
                         "fixed.chr", "fixedbld.chr", "standard.chr"};
  float y = 730.0f;
  igrcharjustify("L");
  for (const char* f : fonts) {
    igrcharset(f);
    igrcolourn(255);
    igrcharsize(0.9f, 0.8f);
    igrcharout(10.0f, y, std::string(f) + ": " + polish);
    y -= 30.0f;
    EXPECT_EQ(infoerror(1), 0) << f;
  }
  // Hardware text beside stroke text.
  igrcolourn(223);
  igrcharset("H");
  igrcharsize(0.9f, 0.8f);
  igrcharout(10.0f, y, "H (hardware): " + polish);
  y -= 40.0f;
  // Sizes.
  igrcharset("roman.chr");
  igrcolourn(255);
  float x = 10.0f;
  for (float f : {0.5f, 1.0f, 1.5f, 2.0f}) {
    igrcharsize(f, f);
    igrcharout(x, y, "Aa" + text::cp1250_from_utf8("Śś"));
    x += 60.0f * f + 40.0f;
  }
  igrcharset("H");
  igrcolourn(223);
  for (float f : {1.0f, 2.0f}) {
    igrcharsize(f, f);
    igrcharout(x, y, "Aa" + text::cp1250_from_utf8("Śś"));
    x += 60.0f * f + 40.0f;
  }
  y -= 70.0f;
  // Justifications about a vertical line at x = 500.
  igrcolourn(31);
  igrmoveto(500.0f, y + 20.0f);
  igrlineto(500.0f, y - 130.0f);
  igrcharsize(1.0f, 1.0f);
  struct Justified {
    int colour;
    char how;
    float y;
  };
  std::vector<Justified> justified;
  for (const char* font : {"swiss.chr", "H"}) {
    igrcharset(font);
    const int colour = font[0] == 'H' ? 223 : 255;
    igrcolourn(colour);
    for (const char* j : {"L", "C", "R"}) {
      igrcharjustify(j);
      igrcharout(500.0f, y, std::string(j) + text::cp1250_from_utf8(": łódź"));
      justified.push_back({colour, j[0], y});
      y -= 25.0f;
    }
  }
  // The letters composed from a base letter and an accent, large, beside
  // the letters of the second block whose accents they borrow.
  igrcharjustify("L");
  igrcharset("roman.chr");
  igrcharsize(2.5f, 2.5f);
  igrcolourn(255);
  igrcharout(10.0f, 150.0f, text::cp1250_from_utf8("śźŚŹ šžŠŽŤ óÓčČ"));
  // A line cut by the page's lower edge.
  igrcharset("fixedbld.chr");
  igrcharsize(3.0f, 3.0f);
  igrcolourn(127);
  igrcharout(10.0f, 10.0f, text::cp1250_from_utf8("Źdźbło ŚĆ"));
  const std::string path = s.save("grtextpage.png");
  // Left-justified text starts at the line x = 500, right-justified text
  // ends there, centred text lies on both sides of it.
  for (const Justified& j : justified) {
    SCOPED_TRACE(testing::Message() << "colour " << j.colour << ", justification " << j.how << ", " << path);
    int r = 0, g = 0, b = 0;
    xxpalg(j.colour, r, g, b);
    const auto ink = static_cast<std::uint32_t>(r << 16 | g << 8 | b);
    int left = 0, right = 0;
    for (int yy = static_cast<int>(j.y) - 8; yy <= static_cast<int>(j.y) + 8; ++yy)
      for (int px = 300; px < 700; ++px)
        if (s.dev(px, yy) == ink && (px < 499 || px > 501)) ++(px < 500 ? left : right);
    EXPECT_EQ(left > 0, j.how != 'L') << left << " pixels left of the line";
    EXPECT_EQ(right > 0, j.how != 'R') << right << " pixels right of the line";
  }
}

}  // namespace
}  // namespace tsd
