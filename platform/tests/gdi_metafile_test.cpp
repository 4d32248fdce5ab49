// Mapping modes and metafile playback: classic metafiles through the
// context's mapping, enhanced metafiles with their frame mapped onto a
// rectangle, object tables, saved states, and malformed files refused.
#include <gtest/gtest.h>

#include <functional>

#include "platform/tests/gdi_fixture.h"
#include "platform/tests/metafile_builder.h"

namespace gditest {
namespace {

using mftest::Bytes;
using mftest::Emf;
using mftest::Wmf;

// Classic record numbers.
constexpr int kSaveDC = 0x001E, kCreatePalette = 0x00F7, kRestoreDC = 0x0127, kSelectObject = 0x012D,
              kDeleteObject = 0x01F0, kSetWindowOrg = 0x020B, kSetWindowExt = 0x020C, kLineTo = 0x0213,
              kMoveTo = 0x0214, kCreatePen = 0x02FA, kCreateBrush = 0x02FC, kPolygon = 0x0324,
              kRectangle = 0x041B, kSetPixel = 0x041F, kTextOut = 0x0521;
// Enhanced record numbers.
constexpr std::uint32_t kEmfSelect = 37, kEmfCreatePen = 38, kEmfCreateBrush = 39, kEmfRectangle = 43,
                        kEmfPolyline16 = 87, kEmfSetWindowExt = 9, kEmfSetMapMode = 17, kEmfTextW = 84;
constexpr std::int64_t kStock = 0x80000000;

TEST(GdiMapping, LogicalToDeviceByMode) {
  struct Case {
    const char* what;
    std::function<void(HDC)> set;
    POINT in, out;
  };
  const Case cases[] = {
      {"text mode", [](HDC) {}, {7, 9}, {7, 9}},
      {"text mode with origins", [](HDC dc) { SetWindowOrgEx(dc, 5, 5, nullptr); SetViewportOrgEx(dc, 100, 50, nullptr); },
       {7, 9}, {102, 54}},
      {"anisotropic", [](HDC dc) {
         SetMapMode(dc, MM_ANISOTROPIC);
         SetWindowExtEx(dc, 100, 50, nullptr);
         SetViewportExtEx(dc, 200, -200, nullptr);
         SetViewportOrgEx(dc, 10, 300, nullptr);
       }, {25, 25}, {60, 200}},
      {"isotropic takes the smaller scale", [](HDC dc) {
         SetMapMode(dc, MM_ISOTROPIC);
         SetWindowExtEx(dc, 100, 100, nullptr);
         SetViewportExtEx(dc, 300, 200, nullptr);
       }, {50, 50}, {100, 100}},
      {"tenths of a millimetre at 96 dpi, y up", [](HDC dc) { SetMapMode(dc, MM_LOMETRIC); }, {254, 254}, {96, -96}},
      {"zero extents are refused", [](HDC dc) {
         SetMapMode(dc, MM_ANISOTROPIC);
         EXPECT_FALSE(SetWindowExtEx(dc, 0, 10, nullptr));
         EXPECT_FALSE(SetViewportExtEx(dc, 10, 0, nullptr));
       }, {3, 4}, {3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Canvas cv(4, 4);
    c.set(cv.dc);
    POINT p = c.in;
    ASSERT_TRUE(LPtoDP(cv.dc, &p, 1));
    EXPECT_EQ(p.x, c.out.x);
    EXPECT_EQ(p.y, c.out.y);
  }
}

// A picture of 100 x 100 logical units: a red rectangle without outline,
// a green triangle outlined in blue, a blue line near the bottom.
Wmf picture() {
  Wmf m;
  m.rec(kSetWindowOrg, {0, 0}).rec(kSetWindowExt, {100, 100});
  m.rec(kCreatePen, {PS_NULL, 0, 0, 0, 0});                                    // slot 0
  m.rec(kCreateBrush, {BS_SOLID, Wmf::lo(kRed), Wmf::hi(kRed), 0});           // slot 1
  m.rec(kSelectObject, {0}).rec(kSelectObject, {1});
  m.rec(kRectangle, {50, 50, 10, 10});
  m.rec(kCreatePen, {PS_SOLID, 1, 0, Wmf::lo(kBlue), Wmf::hi(kBlue)});        // slot 2
  m.rec(kCreateBrush, {BS_SOLID, Wmf::lo(kGreen), Wmf::hi(kGreen), 0});       // slot 3
  m.rec(kSelectObject, {2}).rec(kSelectObject, {3});
  m.rec(kPolygon, {3, 60, 10, 90, 10, 75, 40});
  m.rec(kMoveTo, {90, 0}).rec(kLineTo, {90, 100});
  return m;
}

TEST(GdiWmf, RecordsAreDrawnThroughTheMappingAndTheContextIsPutBack) {
  Canvas cv(200, 200);
  SetMapMode(cv.dc, MM_ANISOTROPIC);
  SetViewportExtEx(cv.dc, 200, 200, nullptr);
  const HGDIOBJ pen = GetCurrentObject(cv.dc, OBJ_PEN), brush = GetCurrentObject(cv.dc, OBJ_BRUSH);
  SetTextColor(cv.dc, RGB(1, 2, 3));
  const Bytes b = picture().bytes();
  HMETAFILE m = SetMetaFileBitsEx(static_cast<UINT>(b.size()), b.data());
  ASSERT_NE(m, nullptr);
  ASSERT_TRUE(PlayMetaFile(cv.dc, m));
  DeleteMetaFile(m);
  // Logical 10..50 is device 20..100; the null pen leaves out column and row 99.
  EXPECT_EQ(cv.at(20, 20), kRed);
  EXPECT_EQ(cv.at(98, 98), kRed);
  EXPECT_TRUE(cv.white(19, 60));
  EXPECT_TRUE(cv.white(99, 60));
  EXPECT_EQ(cv.at(150, 40), kGreen);
  EXPECT_EQ(cv.at(150, 20), kBlue) << "outline of the triangle";
  EXPECT_EQ(cv.at(50, 180), kBlue);
  EXPECT_TRUE(cv.white(50, 179));
  EXPECT_EQ(GetCurrentObject(cv.dc, OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(cv.dc, OBJ_BRUSH), brush);
  EXPECT_EQ(GetTextColor(cv.dc), RGB(1, 2, 3));
  EXPECT_EQ(GetMapMode(cv.dc), MM_ANISOTROPIC) << "the caller's mapping is the caller's";
}

TEST(GdiWmf, ObjectsTakeTheLowestFreeSlotAndSavedStatesComeBack) {
  struct Case {
    const char* what;
    std::function<void(Wmf&)> records;
    COLORREF want;
  };
  const Case cases[] = {
      // A palette takes slot 0 though it draws nothing; the brush is slot 1.
      {"a slot for every object", [](Wmf& m) {
         m.rec(kCreatePalette, {0x300, 0});
         m.rec(kCreateBrush, {BS_SOLID, Wmf::lo(kRed), Wmf::hi(kRed), 0});
         m.rec(kSelectObject, {1});
       }, kRed},
      {"a deleted slot is taken again", [](Wmf& m) {
         m.rec(kCreateBrush, {BS_SOLID, Wmf::lo(kRed), Wmf::hi(kRed), 0});
         m.rec(kCreateBrush, {BS_SOLID, Wmf::lo(kGreen), Wmf::hi(kGreen), 0});
         m.rec(kDeleteObject, {0});
         m.rec(kCreateBrush, {BS_SOLID, Wmf::lo(kBlue), Wmf::hi(kBlue), 0});
         m.rec(kSelectObject, {0});
       }, kBlue},
      {"restore one state back", [](Wmf& m) {
         m.rec(kCreateBrush, {BS_SOLID, Wmf::lo(kRed), Wmf::hi(kRed), 0});
         m.rec(kCreateBrush, {BS_SOLID, Wmf::lo(kGreen), Wmf::hi(kGreen), 0});
         m.rec(kSelectObject, {0}).rec(kSaveDC, {}).rec(kSelectObject, {1}).rec(kRestoreDC, {0xffff});
       }, kRed},
      {"restoring more states than were saved does nothing", [](Wmf& m) {
         m.rec(kCreateBrush, {BS_SOLID, Wmf::lo(kGreen), Wmf::hi(kGreen), 0});
         m.rec(kSelectObject, {0}).rec(kRestoreDC, {0xfffe});
       }, kGreen},
      {"selecting an empty or unknown slot keeps the brush", [](Wmf& m) {
         m.rec(kCreateBrush, {BS_SOLID, Wmf::lo(kGreen), Wmf::hi(kGreen), 0});
         m.rec(kSelectObject, {0}).rec(kSelectObject, {5}).rec(kSelectObject, {40000});
       }, kGreen},
      {"deleting the selected brush keeps drawing with it", [](Wmf& m) {
         m.rec(kCreateBrush, {BS_SOLID, Wmf::lo(kBlue), Wmf::hi(kBlue), 0});
         m.rec(kSelectObject, {0}).rec(kDeleteObject, {0});
       }, kBlue},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Canvas cv(20, 20);
    Wmf m;
    c.records(m);
    m.rec(kRectangle, {15, 15, 2, 2});
    const Bytes b = m.bytes();
    HMETAFILE h = SetMetaFileBitsEx(static_cast<UINT>(b.size()), b.data());
    ASSERT_NE(h, nullptr);
    PlayMetaFile(cv.dc, h);
    DeleteMetaFile(h);
    EXPECT_EQ(cv.at(8, 8), c.want) << cv.picture();
  }
}

TEST(GdiWmf, PixelsAndText) {
  Canvas cv(60, 30);
  Wmf m;
  m.rec(kSetPixel, {Wmf::lo(kRed), Wmf::hi(kRed), 3, 4});
  // "Ab" at (10, 5): count, the characters, y, x.
  m.rec(kTextOut, {2, 'A' | 'b' << 8, 5, 10});
  const Bytes b = m.bytes();
  HMETAFILE h = SetMetaFileBitsEx(static_cast<UINT>(b.size()), b.data());
  ASSERT_NE(h, nullptr);
  PlayMetaFile(cv.dc, h);
  DeleteMetaFile(h);
  EXPECT_EQ(cv.at(4, 3), kRed);
  int ink = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) ink += !cv.white(x, y) && !(x == 4 && y == 3);
  EXPECT_GT(ink, 10) << cv.picture();
  for (int y = 0; y < 30; ++y) EXPECT_TRUE(cv.white(9, y)) << "text starts at x 10, row " << y;
}

TEST(GdiWmf, MalformedBytesAreRefused) {
  const Bytes good = picture().bytes();
  struct Case {
    const char* what;
    std::function<Bytes()> make;
  };
  const Case cases[] = {
      {"empty", [] { return Bytes{}; }},
      {"header cut short", [&] { return Bytes(good.begin(), good.begin() + 17); }},
      {"type 3", [&] { Bytes b = good; b[0] = 3; return b; }},
      {"header of 10 words", [&] { Bytes b = good; b[2] = 10; return b; }},
      {"version 0x200", [&] { Bytes b = good; b[5] = 2; return b; }},
      {"record of 0 words", [&] { Bytes b = good; b[18] = b[19] = b[20] = b[21] = 0; return b; }},
      {"record of 2 words", [&] { Bytes b = good; b[18] = 2; return b; }},
      {"record past the end", [&] { Bytes b = good; b[21] = 0x40; return b; }},
      {"cut inside a record", [&] { return Bytes(good.begin(), good.begin() + 25); }},
      {"a placeable header is not part of the bytes", [] { return picture().bytes(true); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes b = c.make();
    EXPECT_EQ(SetMetaFileBitsEx(static_cast<UINT>(b.size()), b.data()), nullptr);
  }
  // Records shorter than their kind reads draw nothing sensible but are
  // played without reading past them.
  Wmf m;
  m.rec(kRectangle, {5}).rec(kPolygon, {1000, 1, 2}).rec(kTextOut, {500}).rec(kCreatePen, {});
  const Bytes b = m.bytes();
  HMETAFILE h = SetMetaFileBitsEx(static_cast<UINT>(b.size()), b.data());
  ASSERT_NE(h, nullptr);
  Canvas cv(10, 10);
  EXPECT_TRUE(PlayMetaFile(cv.dc, h));
  DeleteMetaFile(h);
}

// Red rectangle at reference pixels 10..50 with the stock null pen, and a
// blue polyline along row 90.
Emf emfpicture() {
  Emf e;
  e.rec(kEmfCreateBrush, {1, BS_SOLID, kRed, 0});
  e.rec(kEmfSelect, {1}).rec(kEmfSelect, {kStock | NULL_PEN});
  e.rec(kEmfRectangle, {10, 10, 50, 50});
  e.rec(kEmfCreatePen, {2, PS_SOLID, 1, 0, kBlue});
  e.rec(kEmfSelect, {2});
  e.rec(kEmfPolyline16, {0, 0, 99, 99, 2, 0 | 90 << 16, 99 | 90 << 16});
  return e;
}

TEST(GdiEmf, TheFrameIsMappedOntoTheRectangle) {
  Canvas cv(240, 240);
  const HGDIOBJ pen = GetCurrentObject(cv.dc, OBJ_PEN);
  const Bytes b = emfpicture().bytes();
  HENHMETAFILE m = SetEnhMetaFileBits(static_cast<UINT>(b.size()), b.data());
  ASSERT_NE(m, nullptr);
  // 100 reference pixels onto 200: twice as large, from (20, 20).
  const RECT r{20, 20, 220, 220};
  ASSERT_TRUE(PlayEnhMetaFile(cv.dc, m, &r));
  DeleteEnhMetaFile(m);
  EXPECT_EQ(cv.at(40, 40), kRed);
  EXPECT_EQ(cv.at(118, 118), kRed);
  EXPECT_TRUE(cv.white(39, 60));
  EXPECT_TRUE(cv.white(119, 60));
  EXPECT_EQ(cv.at(100, 200), kBlue);
  EXPECT_EQ(GetCurrentObject(cv.dc, OBJ_PEN), pen);
}

TEST(GdiEmf, OwnMappingRecordsAndWideText) {
  Canvas cv(120, 60);
  Emf e;
  // Logical units of half a reference pixel.
  e.rec(kEmfSetMapMode, {MM_ANISOTROPIC}).rec(kEmfSetWindowExt, {200, 200}).rec(11, {100, 100});
  e.rec(kEmfCreateBrush, {1, BS_SOLID, kGreen, 0}).rec(kEmfSelect, {1}).rec(kEmfSelect, {kStock | NULL_PEN});
  e.rec(kEmfRectangle, {20, 20, 60, 60});
  // "Ok" at (100, 20), 16-bit characters after the fixed part.
  Bytes t;
  for (int v : {0, 0, 0, 0, 1, 0, 0}) mftest::put32(t, v);
  mftest::put32(t, 100);
  mftest::put32(t, 20);
  mftest::put32(t, 2);
  mftest::put32(t, 76);
  for (int v : {0, 0, 0, 0, 0, 0}) mftest::put32(t, v);
  mftest::put16(t, 'O');
  mftest::put16(t, 'k');
  e.raw(kEmfTextW, t);
  const Bytes b = e.bytes();
  HENHMETAFILE m = SetEnhMetaFileBits(static_cast<UINT>(b.size()), b.data());
  ASSERT_NE(m, nullptr);
  const RECT r{0, 0, 100, 100};
  PlayEnhMetaFile(cv.dc, m, &r);
  DeleteEnhMetaFile(m);
  EXPECT_EQ(cv.at(15, 15), kGreen);
  EXPECT_TRUE(cv.white(31, 15)) << cv.picture();
  int ink = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 45; x < 120; ++x) ink += !cv.white(x, y);
  EXPECT_GT(ink, 10) << cv.picture();
}

// Two squares, 2..8 and 12..18, as one record of each polygon kind.
TEST(GdiMetafilePolygons, EveryPolygonRecordFillsBothSquares) {
  const std::int64_t sq[2][8] = {{2, 2, 8, 2, 8, 8, 2, 8}, {12, 12, 18, 12, 18, 18, 12, 18}};
  auto pack16 = [&](int k, int i) { return sq[k][2 * i] | sq[k][2 * i + 1] << 16; };
  struct Case {
    const char* what;
    std::function<Bytes()> make;
  };
  const Case cases[] = {
      {"classic polypolygon", [&] {
         Wmf m;
         m.rec(kCreateBrush, {BS_SOLID, Wmf::lo(kRed), Wmf::hi(kRed), 0}).rec(kSelectObject, {0});
         std::vector<int> w = {2, 4, 4};
         for (int k = 0; k < 2; ++k)
           for (int i = 0; i < 8; ++i) w.push_back(static_cast<int>(sq[k][i]));
         m.rec(0x0538, {w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8], w[9], w[10], w[11], w[12], w[13],
                        w[14], w[15], w[16], w[17], w[18]});
         return m.bytes();
       }},
      {"enhanced polypolygon, 16-bit points", [&] {
         Emf e;
         e.rec(kEmfCreateBrush, {1, BS_SOLID, kRed, 0}).rec(kEmfSelect, {1});
         e.rec(91, {0, 0, 20, 20, 2, 8, 4, 4, pack16(0, 0), pack16(0, 1), pack16(0, 2), pack16(0, 3), pack16(1, 0),
                    pack16(1, 1), pack16(1, 2), pack16(1, 3)});
         return e.bytes();
       }},
      {"enhanced polypolygon, 32-bit points", [&] {
         Emf e;
         e.rec(kEmfCreateBrush, {1, BS_SOLID, kRed, 0}).rec(kEmfSelect, {1});
         e.rec(8, {0, 0, 20, 20, 2, 8, 4, 4, sq[0][0], sq[0][1], sq[0][2], sq[0][3], sq[0][4], sq[0][5], sq[0][6],
                   sq[0][7], sq[1][0], sq[1][1], sq[1][2], sq[1][3], sq[1][4], sq[1][5], sq[1][6], sq[1][7]});
         return e.bytes();
       }},
      {"enhanced polygons, 32 and 16 bits", [&] {
         Emf e;
         e.rec(kEmfCreateBrush, {1, BS_SOLID, kRed, 0}).rec(kEmfSelect, {1});
         e.rec(3, {0, 0, 20, 20, 4, sq[0][0], sq[0][1], sq[0][2], sq[0][3], sq[0][4], sq[0][5], sq[0][6], sq[0][7]});
         e.rec(86, {0, 0, 20, 20, 4, pack16(1, 0), pack16(1, 1), pack16(1, 2), pack16(1, 3)});
         return e.bytes();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Canvas cv(20, 20);
    const Bytes b = c.make();
    if (HENHMETAFILE e = SetEnhMetaFileBits(static_cast<UINT>(b.size()), b.data())) {
      // The frame is 100 reference pixels: onto 100 device pixels, 1:1.
      const RECT r{0, 0, 100, 100};
      PlayEnhMetaFile(cv.dc, e, &r);
      DeleteEnhMetaFile(e);
    } else {
      HMETAFILE m = SetMetaFileBitsEx(static_cast<UINT>(b.size()), b.data());
      ASSERT_NE(m, nullptr);
      PlayMetaFile(cv.dc, m);
      DeleteMetaFile(m);
    }
    EXPECT_EQ(cv.at(5, 5), kRed) << cv.picture();
    EXPECT_EQ(cv.at(15, 15), kRed) << cv.picture();
    EXPECT_TRUE(cv.white(10, 10));
    EXPECT_TRUE(cv.white(5, 15));
  }
}

TEST(GdiEmf, MalformedBytesAreRefused) {
  const Bytes good = emfpicture().bytes();
  auto set32 = [](Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  struct Case {
    const char* what;
    std::function<Bytes()> make;
  };
  const Case cases[] = {
      {"empty", [] { return Bytes{}; }},
      {"header cut short", [&] { return Bytes(good.begin(), good.begin() + 87); }},
      {"first record not a header", [&] { Bytes b = good; set32(b, 0, 2); return b; }},
      {"signature", [&] { Bytes b = good; b[40] = 'X'; return b; }},
      {"header shorter than its fields", [&] { Bytes b = good; set32(b, 4, 40); return b; }},
      {"header longer than the bytes", [&] { Bytes b = good; set32(b, 4, 1u << 20); return b; }},
      {"record size not a multiple of 4", [&] { Bytes b = good; set32(b, 92, 22); return b; }},
      {"record size below 8", [&] { Bytes b = good; set32(b, 92, 4); return b; }},
      {"record past the end", [&] { Bytes b = good; set32(b, 92, 1u << 20); return b; }},
      {"classic bytes", [] { return picture().bytes(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes b = c.make();
    EXPECT_EQ(SetEnhMetaFileBits(static_cast<UINT>(b.size()), b.data()), nullptr);
  }
  // Point and text counts larger than their records are skipped.
  Emf e;
  e.rec(kEmfPolyline16, {0, 0, 9, 9, 100000, 0}).rec(kEmfTextW, {0, 0, 0, 0, 0, 0, 0, 5, 5, 1000, 8});
  e.rec(91, {}).rec(91, {0, 0, 9, 9, 0x7fffffff, 3}).rec(8, {0, 0, 9, 9, 2, 6, 3, 3});
  const Bytes b = e.bytes();
  HENHMETAFILE m = SetEnhMetaFileBits(static_cast<UINT>(b.size()), b.data());
  ASSERT_NE(m, nullptr);
  Canvas cv(10, 10);
  const RECT r{0, 0, 10, 10};
  EXPECT_TRUE(PlayEnhMetaFile(cv.dc, m, &r));
  DeleteEnhMetaFile(m);
}

}  // namespace
}  // namespace gditest
