// Bitmaps from .bmp bytes (bitmap resources): a good file gives its pixels,
// and every file that is cut short or of a kind not read gives no bitmap.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/user/load_bitmap.h"

namespace plat::testing {
namespace {

void put32(std::vector<BYTE>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<BYTE>(v >> (8 * i));
}
void put16(std::vector<BYTE>& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<BYTE>(v);
  b[at + 1] = static_cast<BYTE>(v >> 8);
}

// A 2 x 2 bitmap of 24 bits, bottom-up: red, green / blue, white.
std::vector<BYTE> good_bmp() {
  std::vector<BYTE> b(54 + 16, 0);
  b[0] = 'B';
  b[1] = 'M';
  put32(b, 2, static_cast<std::uint32_t>(b.size()));
  put32(b, 10, 54);
  put32(b, 14, 40);
  put32(b, 18, 2);
  put32(b, 22, 2);
  put16(b, 26, 1);
  put16(b, 28, 24);
  const BYTE rows[16] = {255, 0, 0, 255, 255, 255, 0, 0,   // bottom row: blue, white
                         0, 0, 255, 0, 255, 0, 0, 0};      // top row: red, green
  std::copy(rows, rows + 16, b.begin() + 54);
  return b;
}

TEST(BitmapFromBmp, AGoodFileGivesItsPixels) {
  const std::vector<BYTE> file = good_bmp();
  HBITMAP bm = bitmap_from_bmp(file);
  ASSERT_NE(bm, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bm);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 255, 255));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bm);
}

TEST(BitmapFromBmp, BrokenFilesGiveNoBitmap) {
  struct Case {
    const char* what;
    void (*spoil)(std::vector<BYTE>&);
  };
  const Case cases[] = {
      {"not BM", [](std::vector<BYTE>& b) { b[1] = 'X'; }},
      {"cut in the header", [](std::vector<BYTE>& b) { b.resize(40); }},
      {"cut in the pixels", [](std::vector<BYTE>& b) { b.resize(b.size() - 1); }},
      {"no width", [](std::vector<BYTE>& b) { put32(b, 18, 0); }},
      {"a huge height", [](std::vector<BYTE>& b) { put32(b, 22, 0x7fffffff); }},
      {"the most negative height", [](std::vector<BYTE>& b) { put32(b, 22, 0x80000000u); }},
      {"compressed", [](std::vector<BYTE>& b) { put32(b, 30, 1); }},
      {"16 bits", [](std::vector<BYTE>& b) { put16(b, 28, 16); }},
      {"pixels past the end", [](std::vector<BYTE>& b) { put32(b, 10, 60); }},
      {"pixels inside the header", [](std::vector<BYTE>& b) { put32(b, 10, 20); }},
      {"header size past the end", [](std::vector<BYTE>& b) { put32(b, 14, 4000); }},
      {"8 bits without room for the colours", [](std::vector<BYTE>& b) { put16(b, 28, 8); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<BYTE> file = good_bmp();
    c.spoil(file);
    EXPECT_EQ(bitmap_from_bmp(file), nullptr);
  }
  EXPECT_EQ(bitmap_from_bmp({}), nullptr);
}

}  // namespace
}  // namespace plat::testing
