// Colour numbers: the tables built by rule, the mapping to device colours,
// igrcolourn and igrlinetype.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grcolours.h"
#include "toolkit/graphics/grrecords.h"
#include "tools/testkit/grtrace.h"
#include "toolkit/window/errstore.h"

namespace tsd {
namespace {

using grtest::calls;
using grtest::ops;

std::uint32_t rgb256(int i) {
  int r = 0, g = 0, b = 0;
  xxpalg(i, r, g, b);
  return static_cast<std::uint32_t>(r << 16 | g << 8 | b);
}
std::uint32_t rgb16(int i) {
  int r = 0, g = 0, b = 0;
  xxpalg16(i, r, g, b);
  return static_cast<std::uint32_t>(r << 16 | g << 8 | b);
}
std::uint32_t rgb128(int i) {
  int r = 0, g = 0, b = 0;
  xxpalg32(i, r, g, b);
  return static_cast<std::uint32_t>(r << 16 | g << 8 | b);
}

void buildtables(int ncolours, int invert) {
  grdevice.ncolours = ncolours;
  grdevice.invert = invert;
  xxpali();
}

class GrColoursTest : public grtest::GrTraceTest {
 protected:
  void TearDown() override {
    grdevice.invert = 0;
    grdevice.ncolours = 256;
    xxpali();
    GrTraceTest::TearDown();
  }
};

TEST_F(GrColoursTest, The256TableByRuleInBothSchemes) {
  struct Case {
    int colour;
    std::uint32_t normal, inverted;
  };
  const Case cases[] = {
      {0, 0x000000, 0xffffff},   {1, 0x040404, 0xfbfbfb},   {15, 0x3c3c3c, 0xc3c3c3},
      {16, 0xc30000, 0xc30000},  {31, 0xff0000, 0xff0000},  {32, 0x830000, 0x830000},
      {47, 0xbf0000, 0xbf0000},  {48, 0xc3c300, 0xc3c300},  {64, 0x838300, 0x838300},
      {80, 0x00c300, 0x00c300},  {96, 0x008300, 0x008300},  {112, 0x00c3c3, 0x00c3c3},
      {128, 0x008383, 0x008383}, {144, 0x0000c3, 0x0000c3}, {175, 0x0000bf, 0x0000bf},
      {176, 0xc300c3, 0xc300c3}, {207, 0xbf00bf, 0xbf00bf}, {208, 0xc3c3c3, 0x3c3c3c},
      {223, 0xffffff, 0x000000}, {224, 0x838383, 0x7c7c7c}, {239, 0xbfbfbf, 0x404040},
      {240, 0x404040, 0xbfbfbf}, {255, 0x7c7c7c, 0x838383},
  };
  for (int invert : {0, 1}) {
    buildtables(256, invert);
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message() << "colour " << c.colour << " inverted " << invert);
      EXPECT_EQ(rgb256(c.colour), invert ? c.inverted : c.normal);
    }
  }
  buildtables(256, 0);
  std::vector<std::uint32_t> normal;
  for (int i = 16; i < 208; ++i) normal.push_back(rgb256(i));
  buildtables(256, 1);
  for (int i = 16; i < 208; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(rgb256(i), normal[static_cast<std::size_t>(i - 16)]) << "bands 1..12 do not invert";
  }
}

TEST_F(GrColoursTest, The16EntryTable) {
  const std::uint32_t normal[16] = {0x000000, 0x0000bf, 0x00bf00, 0x00bfbf, 0xbf0000, 0xbf00bf,
                                    0xbfbf00, 0xbfbfbf, 0x404040, 0x0000ff, 0x00ff00, 0x00ffff,
                                    0xff0000, 0xff00ff, 0xffff00, 0xffffff};
  buildtables(16, 0);
  for (int j = 0; j < 16; ++j) {
    SCOPED_TRACE(j);
    EXPECT_EQ(rgb16(j), normal[j]);
  }
  buildtables(16, 1);
  EXPECT_EQ(rgb16(0), 0xffffffu);
  EXPECT_EQ(rgb16(7), 0x404040u);
  EXPECT_EQ(rgb16(8), 0xbfbfbfu);
  EXPECT_EQ(rgb16(15), 0x000000u);
  EXPECT_EQ(rgb16(4), 0xbf0000u);
}

TEST_F(GrColoursTest, The128EntryTableTakesTheLastColourOfInnerBlocks) {
  buildtables(64, 0);
  // step 4: entry 0 = colour 0, entry 1 = colour 4 (below 16), entry 4 =
  // colour 16 + 3, entry 60 = colour 240 (at or above 240).
  EXPECT_EQ(rgb128(0), rgb256(0));
  EXPECT_EQ(rgb128(1), rgb256(4));
  EXPECT_EQ(rgb128(4), rgb256(19));
  EXPECT_EQ(rgb128(59), rgb256(239));
  EXPECT_EQ(rgb128(60), rgb256(240));
  EXPECT_EQ(rgb128(63), rgb256(252));
  buildtables(32, 0);
  EXPECT_EQ(rgb128(2), rgb256(23));
  EXPECT_EQ(rgb128(31), rgb256(248));
}

TEST_F(GrColoursTest, DeviceColourOfColourNumbers) {
  struct Case {
    int n, colour, index;
  };
  const Case cases[] = {
      {256, 0, 0},  {256, 200, 200}, {256, 255, 255}, {2, 0, 0},     {2, 1, 1},
      {2, 223, 1},  {2, 255, 1},     {8, 0, 0},       {8, 31, 4},    {8, 223, 7},
      {8, 100, 2},  {16, 223, 15},   {16, 31, 12},    {16, 47, 4},   {16, 15, 0},
      {16, 240, 8}, {16, 239, 7},    {16, 0, 0},      {16, 175, 1},  {64, 200, 50},
      {32, 255, 31}, {128, 1, 0},    {128, 3, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.n << " colours, colour " << c.colour);
    grdevice.ncolours = c.n;
    EXPECT_EQ(xxcnum(c.colour), c.index);
  }
}

TEST_F(GrColoursTest, ColnReordersTheEightBaseColours) {
  const int t0[16] = {0, 4, 6, 2, 3, 1, 5, 7, 8, 12, 14, 10, 11, 9, 13, 15};
  for (int i = 0; i < 16; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(xxcoln(i, 0), t0[i]);
  }
  EXPECT_EQ(xxcoln(1, 1), 5);
  EXPECT_EQ(xxcoln(-1, 0), -1);
  EXPECT_EQ(xxcoln(16, 0), -1);
}

TEST_F(GrColoursTest, ColourNumberOutsideTheRangeIsRefused) {
  grtest::startlayer(100, 100, 16);
  igrcolourn(31);
  calls().clear();
  igrcolourn(256);
  EXPECT_EQ(infoerror(1), 42);
  igrcolourn(-1);
  EXPECT_EQ(infoerror(1), 42);
  EXPECT_TRUE(calls().empty());
  EXPECT_EQ(grstate.colour, 31);
  EXPECT_EQ(grstate.prevcolour, 223);
  EXPECT_EQ(grstate.devcolour, 12);
  EXPECT_EQ(grstate.prevdevcolour, 15);
  igrcolourn(47);
  EXPECT_EQ(ops(), std::vector<int>{kDrvColour});
  EXPECT_EQ(grstate.prevcolour, 31);
  EXPECT_EQ(grstate.devcolour, 4);
}

TEST_F(GrColoursTest, LineTypeAbsentOrOutOfRangeIsSolid) {
  grtest::startlayer(100, 100);
  const int three = 3, seven = 7;
  igrlinetype(&three);
  EXPECT_EQ(grstate.linetype, 3);
  igrlinetype();
  EXPECT_EQ(grstate.linetype, 0);
  igrlinetype(&three);
  igrlinetype(&seven);
  EXPECT_EQ(grstate.linetype, 0);
  EXPECT_EQ(ops(), (std::vector<int>{kDrvLineType, kDrvLineType, kDrvLineType, kDrvLineType}));
  EXPECT_EQ(infoerror(1), 0);
}

TEST_F(GrColoursTest, StoringAColourReachesAllThreeTables) {
  buildtables(64, 0);
  xxpals(47, 1, 2, 3);
  EXPECT_EQ(rgb256(47), 0x010203u);
  EXPECT_EQ(rgb16(4), 0x010203u) << "47 is entry 4 of the 16 table";
  EXPECT_EQ(rgb128(11), 0x010203u) << "47 * 64 / 256";
  xxpals(300, 9, 9, 9);  // outside the table: nothing written
  EXPECT_EQ(rgb256(255), 0x7c7c7cu);
  EXPECT_EQ(rgb256(-1), 0u);
}

}  // namespace
}  // namespace tsd
