// Metafile playback of clip regions (rectangles intersected and excluded,
// region objects, regions of enhanced metafiles, paths), paths filled and
// stroked, rounded rectangles and Bezier curves, in both formats. Each case
// paints the picture red through its clip and names pixels that must and
// must not be red.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/tests/gdi_fixture.h"
#include "platform/tests/metafile_builder.h"

namespace gditest {
namespace {

using mftest::Bytes;
using mftest::Emf;
using mftest::Wmf;
namespace wr = mftest::wmfrec;
namespace er = mftest::emfrec;

struct Expect {
  std::vector<POINT> red, white;
};

void check(const Canvas& cv, const Expect& e) {
  for (const POINT& p : e.red) EXPECT_EQ(cv.at(p.x, p.y), kRed) << "at " << p.x << "," << p.y << cv.picture();
  for (const POINT& p : e.white) EXPECT_TRUE(cv.white(p.x, p.y)) << "at " << p.x << "," << p.y << cv.picture();
}

// A classic metafile of 40 x 40 units played 1:1 on a 40 x 40 canvas: a
// red brush and the null pen selected, then `body`, then a red rectangle
// over everything.
void playwmf(const std::function<void(Wmf&)>& body, const Expect& e) {
  Wmf m;
  m.rec(wr::kCreateBrush, {BS_SOLID, Wmf::lo(kRed), Wmf::hi(kRed), 0});  // slot 0
  m.rec(wr::kCreatePen, {PS_NULL, 0, 0, 0, 0});                        // slot 1
  m.rec(wr::kSelectObject, {0}).rec(wr::kSelectObject, {1});
  body(m);
  m.rec(wr::kRectangle, {41, 41, -1, -1});
  Canvas cv(40, 40);
  const Bytes b = m.bytes();
  HMETAFILE h = SetMetaFileBitsEx(static_cast<UINT>(b.size()), b.data());
  ASSERT_NE(h, nullptr);
  ASSERT_TRUE(PlayMetaFile(cv.dc, h));
  DeleteMetaFile(h);
  check(cv, e);
  // The context keeps no clip of the metafile's.
  RECT box{};
  GetClipBox(cv.dc, &box);
  EXPECT_EQ(box.right - box.left, 40);
  EXPECT_EQ(box.bottom - box.top, 40);
}

TEST(GdiMetafileClip, ClassicClipRecordsAndRoundedRectangles) {
  struct Case {
    const char* what;
    std::function<void(Wmf&)> body;
    Expect expect;
  };
  const Case cases[] = {
      {"intersect", [](Wmf& m) { m.rec(wr::kIntersectClipRect, {30, 30, 10, 10}); },
       {{{10, 10}, {29, 29}, {20, 20}}, {{9, 20}, {30, 20}, {20, 9}, {20, 30}, {0, 0}}}},
      {"exclude", [](Wmf& m) { m.rec(wr::kExcludeClipRect, {30, 30, 10, 10}); },
       {{{9, 20}, {30, 20}, {0, 0}, {39, 39}}, {{10, 10}, {29, 29}, {20, 20}}}},
      {"intersect then offset", [](Wmf& m) { m.rec(wr::kIntersectClipRect, {10, 10, 0, 0}).rec(wr::kOffsetClipRgn, {20, 5}); },
       {{{5, 20}, {14, 29}}, {{0, 0}, {4, 20}, {15, 20}, {5, 30}}}},
      {"region of two rectangles", [](Wmf& m) { m.region({{0, 0, 5, 5}, {30, 30, 40, 40}}).rec(wr::kSelectClipRegion, {2}); },
       {{{0, 0}, {4, 4}, {30, 30}, {39, 39}}, {{5, 5}, {20, 20}, {29, 29}}}},
      {"saved and restored", [](Wmf& m) { m.rec(wr::kSaveDC, {}).rec(wr::kIntersectClipRect, {2, 2, 0, 0}).rec(wr::kRestoreDC, {0xffff}); },
       {{{0, 0}, {20, 20}, {39, 39}}, {}}},
      {"rounded rectangle (then an empty clip)", [](Wmf& m) {
         m.rec(wr::kRoundRect, {20, 20, 38, 38, 2, 2});
         m.rec(wr::kIntersectClipRect, {0, 0, 0, 0});
       },
       {{{20, 20}, {20, 3}, {3, 20}, {36, 20}}, {{3, 3}, {36, 3}, {3, 36}, {36, 36}, {20, 39}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    playwmf(c.body, c.expect);
  }
}

// An enhanced metafile of 100 x 100 reference pixels played on a 100 x 100
// canvas: a red brush and the null pen selected, then `body`.
void playemf(const std::function<void(Emf&)>& body, const Expect& e) {
  Emf m;
  m.rec(er::kCreateBrush, {1, BS_SOLID, kRed, 0});
  m.rec(er::kSelectObject, {1}).rec(er::kSelectObject, {er::kStock | NULL_PEN});
  body(m);
  Canvas cv(100, 100);
  const Bytes b = m.bytes();
  HENHMETAFILE h = SetEnhMetaFileBits(static_cast<UINT>(b.size()), b.data());
  ASSERT_NE(h, nullptr);
  const RECT r{0, 0, 100, 100};
  ASSERT_TRUE(PlayEnhMetaFile(cv.dc, h, &r));
  DeleteEnhMetaFile(h);
  check(cv, e);
}

// A triangle (10,10) (90,10) (10,90) as a path.
void triangle(Emf& m) {
  m.rec(er::kBeginPath, {}).rec(er::kMoveTo, {10, 10}).rec(er::kLineTo, {90, 10}).rec(er::kLineTo, {10, 90});
  m.rec(er::kCloseFigure, {}).rec(er::kEndPath, {});
}

TEST(GdiMetafileClip, EnhancedClipRegionsPathsAndCurves) {
  struct Case {
    const char* what;
    std::function<void(Emf&)> body;
    Expect expect;
  };
  const Expect inside_triangle{{{12, 12}, {50, 20}, {20, 50}}, {{60, 60}, {85, 85}, {5, 5}}};
  const Case cases[] = {
      {"filled path", [](Emf& m) { triangle(m); m.rec(er::kFillPath, {0, 0, 99, 99}); }, inside_triangle},
      {"path as the clip region", [](Emf& m) {
         triangle(m);
         m.rec(er::kSelectClipPath, {5});
         m.rec(er::kRectangle, {0, 0, 101, 101});
       }, inside_triangle},
      {"path drawn before the end is not drawn", [](Emf& m) {
         m.rec(er::kBeginPath, {}).rec(er::kRectangle, {0, 0, 101, 101}).rec(er::kAbortPath, {});
       }, {{}, {{50, 50}, {0, 0}}}},
      {"stroked path", [](Emf& m) {
         m.rec(er::kCreatePen, {2, PS_SOLID, 1, 0, kRed}).rec(er::kSelectObject, {2});
         triangle(m);
         m.rec(er::kStrokePath, {0, 0, 99, 99});
       }, {{{50, 10}, {10, 50}, {50, 50}}, {{30, 30}, {60, 60}}}},
      {"region of two rectangles", [](Emf& m) {
         m.region(5, {{0, 0, 20, 20}, {60, 60, 100, 100}});
         m.rec(er::kRectangle, {0, 0, 101, 101});
       }, {{{0, 0}, {19, 19}, {60, 60}, {99, 99}}, {{20, 20}, {50, 50}, {59, 59}}}},
      {"region reset by copying none", [](Emf& m) {
         m.rec(er::kIntersectClipRect, {0, 0, 10, 10});
         m.raw(er::kExtSelectClipRgn, {0, 0, 0, 0, 5, 0, 0, 0});
         m.rec(er::kRectangle, {0, 0, 101, 101});
       }, {{{50, 50}, {99, 99}}, {}}},
      {"exclude and intersect", [](Emf& m) {
         m.rec(er::kIntersectClipRect, {10, 10, 90, 90}).rec(er::kExcludeClipRect, {40, 40, 60, 60});
         m.rec(er::kRectangle, {0, 0, 101, 101});
       }, {{{10, 10}, {39, 50}, {89, 89}}, {{9, 50}, {50, 50}, {90, 50}}}},
      {"rounded rectangle", [](Emf& m) { m.rec(er::kRoundRect, {10, 10, 90, 90, 40, 40}); },
       {{{50, 50}, {50, 11}, {11, 50}}, {{12, 12}, {87, 12}, {12, 87}, {87, 87}}}},
      {"Bezier curve through its ends", [](Emf& m) {
         m.rec(er::kCreatePen, {2, PS_SOLID, 1, 0, kRed}).rec(er::kSelectObject, {2});
         m.rec(er::kPolyBezier16, {0, 0, 99, 99, 4, 10 | 50 << 16, 10 | 10 << 16, 90 | 10 << 16, 90 | 50 << 16});
       }, {{{10, 50}, {50, 20}}, {{50, 10}, {50, 50}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    playemf(c.body, c.expect);
  }
}

}  // namespace
}  // namespace gditest
