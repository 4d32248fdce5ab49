// Records that every ordinary producer of metafiles writes: extended pens,
// the world transform, sets of polylines, chords, and in classic metafiles
// pattern fills of a rectangle. Each is played and leaves its pixels.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/tests/gdi_fixture.h"
#include "platform/tests/metafile_builder.h"

namespace gditest {
namespace {

using mftest::Bytes;
using mftest::Emf;
using mftest::Wmf;

constexpr std::uint32_t kCreatePen = 38, kCreateBrush = 39, kSelect = 37, kMoveTo = 27, kLineTo = 54,
                        kRectangle = 43, kSetWorldTransform = 35, kModifyWorldTransform = 36, kChord = 46,
                        kPolyPolyline16 = 90, kExtCreatePen = 95;
constexpr int kPatBlt = 0x061D, kWmfCreateBrush = 0x02FC, kWmfSelect = 0x012D;

std::int64_t bits(float v) { return std::bit_cast<std::uint32_t>(v); }
std::int64_t pack16(int x, int y) { return (x & 0xffff) | static_cast<std::int64_t>(y & 0xffff) << 16; }

struct Look {
  int x, y;
  COLORREF colour;
};

struct Case {
  const char* what;
  std::function<Bytes()> make;
  std::vector<Look> looks;
};

TEST(GdiMetafileRecords, RecordsOfOrdinaryProducersArePlayed) {
  const COLORREF white = RGB(255, 255, 255);
  const Case cases[] = {
      {"an extended pen draws the next line",
       [] {
         Emf e;
         e.rec(kCreatePen, {1, PS_SOLID, 1, 0, kRed}).rec(kSelect, {1});
         e.rec(kMoveTo, {0, 5}).rec(kLineTo, {20, 5});
         e.rec(kExtCreatePen, {2, 0, 0, 0, 0, PS_SOLID, 1, BS_SOLID, kBlue, 0, 0}).rec(kSelect, {2});
         e.rec(kMoveTo, {0, 12}).rec(kLineTo, {20, 12});
         return e.bytes();
       },
       {{10, 5, kRed}, {10, 12, kBlue}}},
      {"an extended pen with a null brush draws nothing",
       [] {
         Emf e;
         e.rec(kExtCreatePen, {2, 0, 0, 0, 0, PS_SOLID, 1, BS_NULL, kBlue, 0, 0}).rec(kSelect, {2});
         e.rec(kMoveTo, {0, 12}).rec(kLineTo, {20, 12});
         return e.bytes();
       },
       {{10, 12, white}}},
      {"the world transform scales and moves a rectangle",
       [] {
         Emf e;
         e.rec(kCreateBrush, {1, BS_SOLID, kRed, 0}).rec(kSelect, {1}).rec(kSelect, {mftest::emfrec::kStock | NULL_PEN});
         e.rec(kSetWorldTransform, {bits(2.0f), bits(0.0f), bits(0.0f), bits(2.0f), bits(5.0f), bits(0.0f)});
         e.rec(kRectangle, {1, 1, 4, 4});
         return e.bytes();
       },
       {{10, 5, kRed}, {3, 3, white}, {15, 5, white}}},
      {"a world transform that turns a rectangle makes it a polygon",
       [] {
         Emf e;
         e.rec(kCreateBrush, {1, BS_SOLID, kRed, 0}).rec(kSelect, {1}).rec(kSelect, {mftest::emfrec::kStock | NULL_PEN});
         // A quarter turn about the origin, then 20 to the right: x' = 20 - y, y' = x.
         e.rec(kSetWorldTransform, {bits(0.0f), bits(1.0f), bits(-1.0f), bits(0.0f), bits(20.0f), bits(0.0f)});
         e.rec(kRectangle, {2, 2, 16, 6});
         return e.bytes();
       },
       {{16, 10, kRed}, {8, 10, white}, {16, 18, white}}},
      {"modifying the world transform back to identity",
       [] {
         Emf e;
         e.rec(kCreateBrush, {1, BS_SOLID, kRed, 0}).rec(kSelect, {1}).rec(kSelect, {mftest::emfrec::kStock | NULL_PEN});
         e.rec(kSetWorldTransform, {bits(1.0f), bits(0.0f), bits(0.0f), bits(1.0f), bits(10.0f), bits(0.0f)});
         e.rec(kModifyWorldTransform, {bits(1.0f), bits(0.0f), bits(0.0f), bits(1.0f), bits(0.0f), bits(0.0f), 1});
         e.rec(kRectangle, {1, 1, 5, 5});
         return e.bytes();
       },
       {{3, 3, kRed}, {13, 3, white}}},
      {"a set of 16-bit polylines",
       [] {
         Emf e;
         e.rec(kCreatePen, {1, PS_SOLID, 1, 0, kBlue}).rec(kSelect, {1});
         e.rec(kPolyPolyline16,
               {0, 0, 20, 20, 2, 4, 2, 2, pack16(2, 5), pack16(18, 5), pack16(2, 15), pack16(18, 15)});
         return e.bytes();
       },
       {{10, 5, kBlue}, {10, 15, kBlue}, {10, 10, white}}},
      {"a chord over the upper half",
       [] {
         Emf e;
         e.rec(kCreateBrush, {1, BS_SOLID, kRed, 0}).rec(kSelect, {1});
         e.rec(kChord, {0, 0, 20, 20, 20, 10, 0, 10});
         return e.bytes();
       },
       {{10, 4, kRed}, {10, 16, white}}},
      {"a chord of a quarter leaves the corner by the centre",
       [] {
         Emf e;
         e.rec(kCreateBrush, {1, BS_SOLID, kRed, 0}).rec(kSelect, {1});
         e.rec(kChord, {0, 0, 20, 20, 20, 10, 10, 0});
         return e.bytes();
       },
       {{16, 3, kRed}, {12, 8, white}, {5, 5, white}}},
      {"a classic pattern fill",
       [] {
         Wmf m;
         m.rec(kWmfCreateBrush, {BS_SOLID, Wmf::lo(kRed), Wmf::hi(kRed), 0}).rec(kWmfSelect, {0});
         // Raster operation (two words), height, width, top, left.
         m.rec(kPatBlt, {static_cast<int>(PATCOPY & 0xffff), static_cast<int>(PATCOPY >> 16), 10, 10, 2, 2});
         return m.bytes();
       },
       {{5, 5, kRed}, {11, 11, kRed}, {15, 15, white}, {1, 1, white}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Canvas cv(20, 20);
    const Bytes b = c.make();
    if (HENHMETAFILE e = SetEnhMetaFileBits(static_cast<UINT>(b.size()), b.data())) {
      const RECT r{0, 0, 100, 100};  // 100 reference pixels onto 100 device pixels
      PlayEnhMetaFile(cv.dc, e, &r);
      DeleteEnhMetaFile(e);
    } else {
      HMETAFILE m = SetMetaFileBitsEx(static_cast<UINT>(b.size()), b.data());
      ASSERT_NE(m, nullptr);
      PlayMetaFile(cv.dc, m);
      DeleteMetaFile(m);
    }
    for (const Look& l : c.looks) EXPECT_EQ(cv.at(l.x, l.y), l.colour) << l.x << ", " << l.y << cv.picture();
  }
}

}  // namespace
}  // namespace gditest
