// BMP colour-table sizes, the writer and the checking reader, on files made
// in the test.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "toolkit/graphics/bmpfile.h"

namespace tsd {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(BmpColours, TableSizeByHeader) {
  struct Case {
    int bits;
    std::uint32_t used;
    int colours;
  };
  const Case cases[] = {{1, 0, 2}, {4, 0, 16}, {8, 0, 256}, {8, 20, 20}, {24, 0, 0}, {32, 0, 0}, {24, 16, 16}};
  for (const Case& c : cases) {
    plat::BITMAPINFOHEADER h;
    h.biBitCount = static_cast<plat::WORD>(c.bits);
    h.biClrUsed = c.used;
    EXPECT_EQ(xxdibnumcolours(h), c.colours) << c.bits << " bits, " << c.used << " used";
    EXPECT_EQ(xxpalettesize(h), 4 * c.colours) << c.bits << " bits, " << c.used << " used";
  }
}

BmpImage sample(int w, int h, int bits) {
  BmpImage im;
  im.header.biWidth = w;
  im.header.biHeight = h;
  im.header.biBitCount = static_cast<plat::WORD>(bits);
  if (bits <= 8)
    for (int i = 0; i < (1 << bits); ++i)
      im.colours.push_back(plat::RGBQUAD{static_cast<plat::BYTE>(i), static_cast<plat::BYTE>(255 - i),
                                         static_cast<plat::BYTE>(i * 3), 0});
  const std::size_t size = dibrowbytes(w, bits) * static_cast<std::size_t>(h < 0 ? -h : h);
  for (std::size_t i = 0; i < size; ++i) im.bits.push_back(static_cast<std::uint8_t>(i * 37 + 11));
  return im;
}

TEST(BmpFile, RoundTripAtEveryDepth) {
  for (const int bits : {1, 4, 8, 24, 32}) {
    for (const int h : {3, -3}) {
      SCOPED_TRACE(testing::Message() << bits << " bits, height " << h);
      const BmpImage in = sample(5, h, bits);
      const Bytes file = encode_bmp(in);
      ASSERT_FALSE(file.empty());
      EXPECT_EQ(file[0], 'B');
      EXPECT_EQ(file[1], 'M');
      EXPECT_EQ(file[2] | file[3] << 8 | file[4] << 16, static_cast<int>(file.size())) << "file size field";
      BmpImage out;
      ASSERT_EQ(decode_bmp(file, out), 0);
      EXPECT_EQ(out.header.biWidth, 5);
      EXPECT_EQ(out.header.biHeight, h);
      EXPECT_EQ(out.header.biBitCount, bits);
      EXPECT_EQ(out.bits, in.bits);
      ASSERT_EQ(out.colours.size(), in.colours.size());
      for (std::size_t i = 0; i < in.colours.size(); ++i) {
        EXPECT_EQ(out.colours[i].rgbRed, in.colours[i].rgbRed) << "entry " << i;
        EXPECT_EQ(out.colours[i].rgbBlue, in.colours[i].rgbBlue) << "entry " << i;
      }
    }
  }
}

// Field writers on a file made by encode_bmp.
void set32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}
void set16(Bytes& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

TEST(BmpFile, ImageSizeZeroOffsetZeroAndLongerHeadersAreRead) {
  const Bytes good = encode_bmp(sample(6, 4, 8));
  struct Case {
    const char* what;
    std::function<Bytes()> make;
  };
  const Case cases[] = {
      {"image size 0", [&] { Bytes b = good; set32(b, 34, 0); return b; }},
      {"image size larger than the rows", [&] { Bytes b = good; set32(b, 34, 1u << 30); return b; }},
      {"offset 0: bits after the table", [&] { Bytes b = good; set32(b, 10, 0); return b; }},
      {"a 108-byte header", [&] {
         Bytes b(good.begin(), good.begin() + 54);
         b.insert(b.end(), 68, 0);
         b.insert(b.end(), good.begin() + 54, good.end());
         set32(b, 14, 108);
         set32(b, 10, static_cast<std::uint32_t>(14 + 108 + 1024));
         return b;
       }},
  };
  BmpImage ref;
  ASSERT_EQ(decode_bmp(good, ref), 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BmpImage im;
    ASSERT_EQ(decode_bmp(c.make(), im), 0);
    EXPECT_EQ(im.bits, ref.bits);
    EXPECT_EQ(im.colours.size(), 256u);
    EXPECT_EQ(im.header.biSizeImage, ref.bits.size());
  }
}

TEST(BmpFile, MalformedFilesAreRefusedAndLeaveTheImageAlone) {
  const Bytes good = encode_bmp(sample(6, 4, 8));
  const Bytes good24 = encode_bmp(sample(6, 4, 24));
  struct Case {
    const char* what;
    std::function<Bytes()> make;
  };
  const Case cases[] = {
      {"empty", [] { return Bytes{}; }},
      {"headers cut short", [&] { return Bytes(good.begin(), good.begin() + 53); }},
      {"signature", [&] { Bytes b = good; b[1] = 'A'; return b; }},
      {"12-byte header", [&] { Bytes b = good; set32(b, 14, 12); return b; }},
      {"header longer than the file", [&] { Bytes b = good; set32(b, 14, 1u << 31); return b; }},
      {"two planes", [&] { Bytes b = good; set16(b, 26, 2); return b; }},
      {"16 bits per pixel", [&] { Bytes b = good; set16(b, 28, 16); return b; }},
      {"0 bits per pixel", [&] { Bytes b = good; set16(b, 28, 0); return b; }},
      {"run-length compressed", [&] { Bytes b = good; set32(b, 30, 1); return b; }},
      {"width 0", [&] { Bytes b = good; set32(b, 18, 0); return b; }},
      {"negative width", [&] { Bytes b = good; set32(b, 18, 0xfffffffau); return b; }},
      {"height 0", [&] { Bytes b = good; set32(b, 22, 0); return b; }},
      {"most negative height", [&] { Bytes b = good; set32(b, 22, 0x80000000u); return b; }},
      {"absurd size", [&] { Bytes b = good; set32(b, 18, 100000); set32(b, 22, 100000); return b; }},
      {"more colours than 8 bits have", [&] { Bytes b = good; set32(b, 46, 257); return b; }},
      {"true colour with a huge table", [&] { Bytes b = good24; set32(b, 46, 1u << 20); return b; }},
      {"table cut short", [&] { return Bytes(good.begin(), good.begin() + 54 + 1000); }},
      {"rows cut short", [&] { return Bytes(good.begin(), good.end() - 1); }},
      {"true-colour rows cut short", [&] { return Bytes(good24.begin(), good24.end() - 1); }},
      {"offset past the end", [&] { Bytes b = good; set32(b, 10, 1u << 30); return b; }},
      {"offset inside the table", [&] { Bytes b = good; set32(b, 10, 60); return b; }},
  };
  BmpImage keep;
  ASSERT_EQ(decode_bmp(good, keep), 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BmpImage im = keep;
    EXPECT_EQ(decode_bmp(c.make(), im), 2);
    EXPECT_EQ(im.header.biWidth, 6);
    EXPECT_EQ(im.bits, keep.bits);
  }
}

TEST(BmpFile, WriterRefusesIncompletePictures) {
  BmpImage im = sample(6, 4, 24);
  im.bits.pop_back();
  EXPECT_TRUE(encode_bmp(im).empty());
  im = sample(6, 4, 4);
  im.colours.resize(17);
  EXPECT_TRUE(encode_bmp(im).empty());
  im = sample(6, 4, 16 > 8 ? 24 : 8);
  im.header.biBitCount = 16;
  EXPECT_TRUE(encode_bmp(im).empty());
}

}  // namespace
}  // namespace tsd
