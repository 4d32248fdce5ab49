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
      {"run-length code that runs past its bytes", [&] {
         Bytes b = good;
         set32(b, 30, 1);
         b.resize(1078 + 2);
         b[1078] = 5;  // five pixels of index 1, then no end
         b[1079] = 1;
         return b;
       }},
      {"4-bit run-length compression", [&] { Bytes b = good; set32(b, 30, 2); return b; }},
      {"channel masks on 8 bits", [&] { Bytes b = good; set32(b, 30, 3); return b; }},
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

// A file of the headers, the masks after a 40-byte header (when given),
// a colour table and the coded rows.
Bytes bmpof(std::uint32_t infosize, int w, int h, int bits, std::uint32_t compression,
            const std::vector<std::uint32_t>& masks, int colours, const Bytes& rows) {
  Bytes b(14 + infosize, 0);
  b[0] = 'B';
  b[1] = 'M';
  set32(b, 14, infosize);
  set32(b, 18, static_cast<std::uint32_t>(w));
  set32(b, 22, static_cast<std::uint32_t>(h));
  set16(b, 26, 1);
  set16(b, 28, static_cast<std::uint16_t>(bits));
  set32(b, 30, compression);
  set32(b, 46, static_cast<std::uint32_t>(colours));
  for (std::size_t i = 0; i < masks.size(); ++i) {
    if (infosize >= 52) {
      set32(b, 54 + 4 * i, masks[i]);
    } else {
      for (int k = 0; k < 4; ++k) b.push_back(static_cast<std::uint8_t>(masks[i] >> (8 * k)));
    }
  }
  for (int i = 0; i < colours; ++i)
    for (std::uint8_t v : {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(2 * i), static_cast<std::uint8_t>(3 * i),
                           std::uint8_t{0}})
      b.push_back(v);
  set32(b, 10, static_cast<std::uint32_t>(b.size()));
  b.insert(b.end(), rows.begin(), rows.end());
  set32(b, 2, static_cast<std::uint32_t>(b.size()));
  return b;
}

// What common image tools write: run-length coded 8-bit rows, and 16- or
// 32-bit pixels with channel masks (in or after the header). They are read
// as plain rows: indices for the coded picture, 32-bit pixels (blue,
// green, red, 0) for the others.
TEST(BmpFile, RunLengthCodedAndMaskedPicturesAreReadAsPlainRows) {
  constexpr std::uint32_t kRle8 = 1, kMasks = 3;
  struct Case {
    const char* what;
    Bytes file;
    int bits;     // of the rows handed back
    Bytes rows;
    int colours;
  };
  const Case cases[] = {
      {"run-length code: runs, literal indices, a move, the end",
       bmpof(40, 4, 3, 8, kRle8, {}, 16,
             {2, 7, 2, 9, 0, 0,             // row 0: 7 7 9 9
              0, 3, 1, 2, 3, 0, 1, 4, 0, 0,  // row 1: three as they are (padded), then a 4
              0, 2, 2, 0, 2, 5, 0, 1}),      // row 2: two to the right, 5 5, end of picture
       8, {7, 7, 9, 9, 1, 2, 3, 4, 0, 0, 5, 5}, 16},
      {"16 bits, 5-6-5 masks after a 40-byte header",
       bmpof(40, 2, 1, 16, kMasks, {0xf800, 0x07e0, 0x001f}, 0, {0x00, 0xf8, 0xe0, 0x07}), 32,
       {0, 0, 255, 0, 0, 255, 0, 0}, 0},
      {"32 bits with alpha, masks in a 108-byte header",
       bmpof(108, 2, 1, 32, kMasks, {0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000}, 0,
             {0x33, 0x22, 0x11, 0x80, 0xff, 0x00, 0x00, 0xff}),
       32, {0x33, 0x22, 0x11, 0, 0xff, 0, 0, 0}, 0},
      {"16 bits without masks: five bits a colour",
       bmpof(40, 2, 1, 16, 0, {}, 0, {0x00, 0x7c, 0x1f, 0x00}), 32, {0, 0, 255, 0, 255, 0, 0, 0}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BmpImage im;
    ASSERT_EQ(decode_bmp(c.file, im), 0);
    EXPECT_EQ(im.header.biCompression, plat::BI_RGB);
    EXPECT_EQ(im.header.biBitCount, c.bits);
    EXPECT_EQ(im.bits, c.rows);
    EXPECT_EQ(im.header.biSizeImage, c.rows.size());
    EXPECT_EQ(im.colours.size(), static_cast<std::size_t>(c.colours));
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
