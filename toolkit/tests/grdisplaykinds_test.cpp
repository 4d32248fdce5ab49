// The graphics layer on each kind of display, with the colour state the
// window layer gives it: every colour number on a 2-colour display in both
// schemes, and on a true-colour display a picture saved as BMP and shown
// again unchanged, through a root window on the headless screen as the
// programs draw.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/mwing.h"
#include "tools/testkit/grscreen.h"
#include "toolkit/tests/winheadless.h"

namespace tsd::testing {
namespace {

// Colour numbers 0..255 side by side in one row, each a point in its own
// colour; the row as 0xRRGGBB values.
std::vector<std::uint32_t> everycolour(plat::HDC dc) {
  std::vector<std::uint32_t> row;
  for (int c = 0; c < 256; ++c) {
    igrcolourn(c);
    xxmwinpoint(c, 0);
    const plat::COLORREF p = plat::GetPixel(dc, c, 0);
    row.push_back(static_cast<std::uint32_t>(plat::GetRValue(p) << 16 | plat::GetGValue(p) << 8 | plat::GetBValue(p)));
  }
  return row;
}

TEST(GrDisplayKinds, EveryNonZeroColourDrawsInkOnATwoColourDisplay) {
  struct Case {
    const char* what;
    int invert;
    std::uint32_t background, ink;
  };
  const Case cases[] = {{"normal scheme", 0, 0x000000, 0xffffff}, {"inverted scheme", 1, 0xffffff, 0x000000}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    grtest::Screen s(256, 2, 16, k.invert, 1);
    EXPECT_EQ(ngColours, 2) << "the window layer's colours of a 2-colour display";
    const std::vector<std::uint32_t> row = everycolour(hdc);
    int wrong = 0;
    for (int c = 0; c < 256; ++c) {
      const std::uint32_t want = c == 0 ? k.background : k.ink;
      if (row[static_cast<std::size_t>(c)] != want && ++wrong <= 3)
        ADD_FAILURE() << "colour " << c << ": expected 0x" << std::hex << want << ", got 0x" << row[static_cast<std::size_t>(c)];
    }
    EXPECT_EQ(wrong, 0) << "colour numbers drawn in the wrong colour";
  }
}

class GrDisplayWindow : public WinHeadless {
 protected:
  void TearDown() override {
    WinHeadless::TearDown();
    unsetenv("TSD_SCREEN");
    quorba01.guard = 0;  // the next test learns its display anew
  }
  void open(const char* screen) {
    setenv("TSD_SCREEN", screen, 1);
    start("");
  }
};

TEST_F(GrDisplayWindow, RootWindowOfATwoColourDisplayDrawsEveryColourWhite) {
  open("640x480x1");
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(ngColours, 2);
  const std::vector<std::uint32_t> row = everycolour(hdc);
  int white = 0;
  for (int c = 1; c < 256; ++c) white += row[static_cast<std::size_t>(c)] == 0xffffffu ? 1 : 0;
  EXPECT_EQ(white, 255) << "non-zero colour numbers drawn white";
  EXPECT_EQ(row[0], 0x000000u) << "colour 0 is the background";
}

TEST_F(GrDisplayWindow, BmpRoundTripOnATrueColourDisplayIsExact) {
  open("800x600x32");
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_GE(ngColours, 256);
  // 20100 pixels of distinct colours that no 8-bit table holds.
  constexpr int kW = 201, kH = 100;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) plat::SetPixel(hdc, x, y, plat::RGB(x, 2 * y + 1, (x * 7 + y * 3) % 256));
  const std::string name = wintemp("truecolour.bmp");
  int status = -1, oserror = -1;
  xxmwinbitimage(0, 0, 0, kW - 1, kH - 1, 0, status, oserror, name.c_str());
  ASSERT_EQ(status, 0);
  xxmwinbitimage(20, 0, 150, 0, 150, 0, status, oserror, name.c_str());
  ASSERT_EQ(status, 0);
  int changed = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      if (plat::GetPixel(hdc, x, 150 + y) != plat::RGB(x, 2 * y + 1, (x * 7 + y * 3) % 256)) ++changed;
  EXPECT_EQ(changed, 0) << "pixels changed by the round trip";
  std::filesystem::remove(name);
}

}  // namespace
}  // namespace tsd::testing
