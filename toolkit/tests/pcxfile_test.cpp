// PCX runs, the writer and the checking reader, on files made in the test.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/graphics/pcxfile.h"

namespace tsd {
namespace {

using Bytes = std::vector<std::uint8_t>;

PcxImage sample(int w, int h) {
  PcxImage im;
  im.width = w;
  im.height = h;
  im.pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      // Long runs, single bytes above 0xC0 and single bytes below it.
      im.pixels[static_cast<std::size_t>(y * w + x)] =
          static_cast<std::uint8_t>(x < w / 2 ? y : (x % 3 == 0 ? 0xC0 + x % 64 : x * 7 + y));
  for (std::size_t i = 0; i < kPcxPaletteSize; ++i) im.palette[i] = static_cast<std::uint8_t>(i * 5);
  return im;
}

TEST(PcxRuns, PutAndGetTable) {
  struct Case {
    int value, count;
    Bytes bytes;  // expected encoding; empty = refused
  };
  const Case cases[] = {
      {0x00, 1, {0x00}},         {0xBF, 1, {0xBF}},       {0xC0, 1, {0xC1, 0xC0}},
      {0xFF, 1, {0xC1, 0xFF}},   {0x05, 2, {0xC2, 0x05}}, {0x41, 63, {0xFF, 0x41}},
      {0x41, 0, {}},             {0x41, 64, {}},          {0x41, -1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "value " << c.value << " count " << c.count);
    Bytes out;
    const int status = xxencput(c.value, c.count, out);
    if (c.bytes.empty()) {
      EXPECT_EQ(status, 2);
      EXPECT_TRUE(out.empty());
      continue;
    }
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out, c.bytes);
    PcxReader in{out, 0};
    int value = -1, count = -1;
    EXPECT_EQ(xxencget(value, count, in), 0);
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(count, c.count);
    EXPECT_EQ(in.pos, out.size());
  }
}

TEST(PcxRuns, ShortReadIsAnError) {
  const Bytes empty, lone{0xC5};
  for (const Bytes* b : {&empty, &lone}) {
    PcxReader in{*b, 0};
    int value = 0, count = 0;
    EXPECT_EQ(xxencget(value, count, in), 2) << "bytes " << b->size();
  }
}

TEST(PcxFile, HeaderOfAWrittenFile) {
  const Bytes f = encode_pcx(sample(5, 3));
  ASSERT_GE(f.size(), kPcxHeaderSize + 1 + kPcxPaletteSize);
  auto u16 = [&](std::size_t at) { return f[at] | f[at + 1] << 8; };
  EXPECT_EQ(f[0], 10);
  EXPECT_EQ(f[1], 5);
  EXPECT_EQ(f[2], 1);
  EXPECT_EQ(f[3], 8);
  EXPECT_EQ(u16(8), 4) << "xmax is width - 1";
  EXPECT_EQ(u16(10), 2);
  EXPECT_EQ(u16(12), 75);
  EXPECT_EQ(u16(14), 75);
  EXPECT_EQ(f[65], 1);
  EXPECT_EQ(u16(66), 8) << "5 pixels: 6 even, 8 bytes";
  EXPECT_EQ(u16(68), 1);
  EXPECT_EQ(f[f.size() - kPcxPaletteSize - 1], kPcxPaletteMark);
}

TEST(PcxFile, BytesPerLineRounding) {
  const int cases[][2] = {{1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 8}, {7, 8}, {8, 8}, {9, 12}, {640, 640}};
  for (const auto& c : cases) EXPECT_EQ(pcxbytesperline(c[0]), c[1]) << "width " << c[0];
}

TEST(PcxFile, RoundTripKeepsEveryPixelAndThePalette) {
  for (const int w : {1, 2, 5, 64, 130}) {
    SCOPED_TRACE(testing::Message() << "width " << w);
    const PcxImage in = sample(w, 7);
    PcxImage out;
    ASSERT_EQ(decode_pcx(encode_pcx(in), out), 0);
    EXPECT_EQ(out.width, w);
    EXPECT_EQ(out.height, 7);
    EXPECT_EQ(out.pixels, in.pixels);
    EXPECT_EQ(out.palette, in.palette);
  }
}

// A valid file of w x h given as raw runs, for the malformed cases.
Bytes rawfile(int w, int h, int bpl, const Bytes& runs) {
  Bytes f(kPcxHeaderSize, 0);
  f[0] = 10;
  f[1] = 5;
  f[2] = 1;
  f[3] = 8;
  f[8] = static_cast<std::uint8_t>((w - 1) & 0xff);
  f[9] = static_cast<std::uint8_t>((w - 1) >> 8);
  f[10] = static_cast<std::uint8_t>((h - 1) & 0xff);
  f[11] = static_cast<std::uint8_t>((h - 1) >> 8);
  f[65] = 1;
  f[66] = static_cast<std::uint8_t>(bpl & 0xff);
  f[67] = static_cast<std::uint8_t>(bpl >> 8);
  Bytes tail = runs;
  tail.push_back(kPcxPaletteMark);
  tail.resize(tail.size() + kPcxPaletteSize, 0x11);
  Bytes out;
  out.reserve(f.size() + tail.size());
  for (const std::uint8_t b : f) out.push_back(b);
  for (const std::uint8_t b : tail) out.push_back(b);
  return out;
}

TEST(PcxFile, MalformedFilesAreRefusedAndLeaveTheImageAlone) {
  const Bytes good = rawfile(4, 2, 4, {0xC8, 0x07});  // 8 bytes of 7
  struct Case {
    const char* what;
    std::function<Bytes()> make;
  };
  const Case cases[] = {
      {"empty", [] { return Bytes{}; }},
      {"header cut short", [&] { return Bytes(good.begin(), good.begin() + 100); }},
      {"no room for the palette", [&] { return Bytes(good.begin(), good.begin() + 128 + 700); }},
      {"manufacturer", [&] { Bytes b = good; b[0] = 11; return b; }},
      {"4 bits per pixel", [&] { Bytes b = good; b[3] = 4; return b; }},
      {"three planes", [&] { Bytes b = good; b[65] = 3; return b; }},
      {"not run-length encoded", [&] { Bytes b = good; b[2] = 0; return b; }},
      {"xmax below xmin", [&] { Bytes b = good; b[4] = 9; return b; }},
      {"ymax below ymin", [&] { Bytes b = good; b[6] = 9; return b; }},
      {"bytes per line below the width", [&] { return rawfile(4, 2, 3, {0xC6, 0x07}); }},
      {"runs end early", [&] { return rawfile(4, 2, 4, {0xC7, 0x07}); }},
      {"run past the last row", [&] { return rawfile(4, 2, 4, {0xC9, 0x07}); }},
      {"run of length 0", [&] { return rawfile(4, 2, 4, {0xC0, 0x07, 0xC8, 0x07}); }},
      {"count byte without its value",
       [&] { Bytes b(good.begin(), good.begin() + 129); b.insert(b.end(), kPcxPaletteSize, 0); return b; }},
      // 65536 x 65536 claimed by a file of a few bytes: refused before any
      // memory is taken for it.
      {"absurd size", [&] { Bytes b = good; b[8] = b[9] = b[10] = b[11] = 0xff; b[66] = b[67] = 0xff; return b; }},
      {"too large for its runs", [] { return rawfile(4000, 4000, 4000, {0xFF, 0x00}); }},
  };
  PcxImage keep;
  ASSERT_EQ(decode_pcx(good, keep), 0);
  ASSERT_EQ(keep.pixels, Bytes(8, 7));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PcxImage im = keep;
    EXPECT_EQ(decode_pcx(c.make(), im), 2);
    EXPECT_EQ(im.width, 4);
    EXPECT_EQ(im.pixels, keep.pixels);
  }
}

TEST(PcxFile, RunsMayCrossRowsAndPaddingIsDropped) {
  // 3 pixels in rows of 4 bytes: one run of 8 covers both rows with their
  // padding.
  PcxImage im;
  ASSERT_EQ(decode_pcx(rawfile(3, 2, 4, {0xC8, 0x2A}), im), 0);
  EXPECT_EQ(im.pixels, Bytes(6, 0x2A));
  EXPECT_EQ(im.palette[0], 0x11);
}

TEST(PcxFile, WriterRefusesPicturesOutsideTheLimits) {
  PcxImage im = sample(4, 4);
  im.width = 0;
  EXPECT_TRUE(encode_pcx(im).empty());
  im = sample(4, 4);
  im.pixels.pop_back();
  EXPECT_TRUE(encode_pcx(im).empty());
}

}  // namespace
}  // namespace tsd
