// Metafile files played into a rectangle of the drawing surface: classic
// ones with and without a placeable header, enhanced ones, and files that
// are neither.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "platform/gdi/gdi.h"
#include "platform/tests/metafile_builder.h"
#include "toolkit/graphics/mwing.h"
#include "tools/testkit/grscreen.h"

namespace tsd {
namespace {

namespace fs = std::filesystem;
using grtest::Screen;
using mftest::Bytes;

constexpr std::uint32_t kRed = 0xff0000u, kBlue = 0x0000ffu;

std::string writefile(const std::string& name, const Bytes& b) {
  const fs::path p = fs::temp_directory_path() / ("tsd_meta_" + std::to_string(::getpid()) + "_" + name);
  std::ofstream out(p, std::ios::binary);
  out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  return p.string();
}

// 100 x 100 logical units: a red square from 10 to 50 without outline.
mftest::Wmf classic() {
  mftest::Wmf m;
  m.rec(0x020B, {0, 0}).rec(0x020C, {100, 100});
  m.rec(0x02FA, {plat::PS_NULL, 0, 0, 0, 0});
  m.rec(0x02FC, {plat::BS_SOLID, 0x00ff, 0, 0});
  m.rec(0x012D, {0}).rec(0x012D, {1});
  m.rec(0x041B, {50, 50, 10, 10});
  return m;
}

TEST(GrMetafile, ClassicFilesWithAndWithoutPlaceableHeader) {
  for (const bool placeable : {false, true}) {
    SCOPED_TRACE(placeable ? "placeable" : "plain");
    Screen s(200, 200);
    s.fill(0xffffff);
    const std::string name = writefile("c.wmf", classic().bytes(placeable));
    int status = -1;
    // 100 x 100 pixels from (10, 10): one pixel a unit.
    xxmwinplaymetafile(10, 10, 109, 109, status, name.c_str());
    fs::remove(name);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(s.at(20, 20), kRed);
    EXPECT_EQ(s.at(58, 58), kRed);
    EXPECT_EQ(s.at(19, 20), 0xffffffu);
    EXPECT_EQ(s.at(59, 40), 0xffffffu);
    // The mapping of the drawing context is as before.
    plat::POINT org{-1, -1};
    plat::SIZE ext{-1, -1};
    EXPECT_EQ(plat::GetMapMode(hdc), plat::MM_TEXT);
    plat::GetViewportOrgEx(hdc, &org);
    plat::GetViewportExtEx(hdc, &ext);
    EXPECT_EQ(org.x, 0);
    EXPECT_EQ(org.y, 0);
    EXPECT_EQ(ext.cx, 1);
    EXPECT_EQ(ext.cy, 1);
  }
}

TEST(GrMetafile, EnhancedFileFillsTheRectangle) {
  Screen s(200, 200);
  s.fill(0xffffff);
  mftest::Emf e;
  e.rec(39, {1, plat::BS_SOLID, 0xff0000, 0}).rec(37, {1}).rec(37, {0x80000000LL | plat::NULL_PEN});
  e.rec(43, {0, 0, 50, 100});
  const std::string name = writefile("e.emf", e.bytes());
  int status = -1;
  // The 100-pixel frame onto 50 pixels from (100, 20).
  xxmwinplaymetafile(100, 20, 149, 69, status, name.c_str());
  fs::remove(name);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(s.at(100, 20), kBlue);
  EXPECT_EQ(s.at(123, 67), kBlue);
  EXPECT_EQ(s.at(99, 20), 0xffffffu);
  EXPECT_EQ(s.at(126, 40), 0xffffffu);
  EXPECT_EQ(s.at(110, 70), 0xffffffu);
}

TEST(GrMetafile, MissingAndForeignFiles) {
  Screen s(50, 50);
  s.fill(0xffffff);
  const std::string text = writefile("t.txt", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'});
  const std::string placeonly = writefile("p.wmf", Bytes(22, 0xD7));
  const std::string empty = writefile("z.wmf", {});
  struct Case {
    const char* what;
    std::string name;
    int status;
  };
  const Case cases[] = {
      {"missing", text + ".missing", 1},
      {"blank name", "  ", 1},
      {"text", text, 2},
      {"only a placeable header", placeonly, 2},
      {"empty", empty, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int status = -1;
    xxmwinplaymetafile(0, 0, 49, 49, status, c.name.c_str());
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(s.count(0xffffff), 50 * 50);
  }
  fs::remove(text);
  fs::remove(placeonly);
  fs::remove(empty);
}

}  // namespace
}  // namespace tsd
