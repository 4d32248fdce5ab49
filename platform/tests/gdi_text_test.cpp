// Fonts, metrics, extents and TextOutA.
#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/font.h"
#include "platform/tests/gdi_fixture.h"
#include "text/cp1250.h"

namespace gditest {
namespace {

HFONT Font(int height, const char* face, int weight = FW_NORMAL, bool italic = false, int escapement = 0,
           int width = 0) {
  return CreateFontA(height, width, escapement, 0, weight, italic ? 1 : 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, face);
}

RECT Ink(const Canvas& cv) {
  RECT r{1 << 20, 1 << 20, -1, -1};
  for (int y = 0; y < cv.surface.height; ++y)
    for (int x = 0; x < cv.surface.width; ++x)
      if (!cv.white(x, y)) {
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
  return r;
}

TEST(GdiFont, FacesMapToTheMetricCompatibleFreeFonts) {
  struct Case {
    const char* face;
    const char* file;
  };
  const Case cases[] = {{"Courier New", "LiberationMono"},   {"Arial", "LiberationSans"},
                        {"Times New Roman", "LiberationSerif"}, {"System", "LiberationSans"},
                        {"MS Shell Dlg", "LiberationSans"},   {"Symbol", "DejaVuSans"},
                        {"Wingdings", "DejaVuSans"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.face);
    HFONT f = Font(-12, c.face);
    const FontFace& face = FaceOf(f);
    EXPECT_NE(face.file.find(c.file), std::string::npos) << face.file;
    DeleteObject(f);
  }
  HFONT bold = Font(-12, "Arial", FW_BOLD, true);
  EXPECT_NE(FaceOf(bold).file.find("LiberationSans-BoldItalic"), std::string::npos) << FaceOf(bold).file;
  DeleteObject(bold);
}

TEST(GdiFont, MetricsForCharacterAndCellHeights) {
  Canvas cv(4, 4);
  for (int h : {8, 11, 13, 16, 24, 40}) {
    SCOPED_TRACE(testing::Message() << "height " << h);
    TEXTMETRICA tm;
    {
      Selected f(cv.dc, Font(-h, "Arial"));
      ASSERT_TRUE(GetTextMetricsA(cv.dc, &tm));
      EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
      // A negative height is the character height: the cell less its
      // internal leading.
      EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, h);
      EXPECT_GT(tm.tmAveCharWidth, 0);
      EXPECT_LT(tm.tmAveCharWidth, tm.tmHeight);
    }
    {
      Selected f(cv.dc, Font(h, "Times New Roman"));
      GetTextMetricsA(cv.dc, &tm);
      EXPECT_EQ(tm.tmHeight, h) << "a positive height is the cell";
    }
  }
  // A requested average width is met.
  TEXTMETRICA tm;
  Selected f(cv.dc, Font(-20, "Courier New", FW_NORMAL, false, 0, 7));
  GetTextMetricsA(cv.dc, &tm);
  EXPECT_NEAR(tm.tmAveCharWidth, 7, 1);
  EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "a fixed-pitch face";
  // The system font is the default of every context.
  Canvas fresh(4, 4);
  GetTextMetricsA(fresh.dc, &tm);
  EXPECT_EQ(tm.tmHeight, 16);
  EXPECT_EQ(tm.tmWeight, FW_BOLD);
}

TEST(GdiText, ExtentsAddUpAndMonospaceIsEven) {
  Canvas cv(4, 4);
  Selected f(cv.dc, Font(-14, "Courier New"));
  SIZE a, b, ab;
  GetTextExtentPoint32A(cv.dc, "iiii", 4, &a);
  GetTextExtentPoint32A(cv.dc, "WWWW", 4, &b);
  EXPECT_EQ(a.cx, b.cx);
  EXPECT_GT(a.cx, 0);
  GetTextExtentPoint32A(cv.dc, "iiiiWWWW", 8, &ab);
  EXPECT_EQ(ab.cx, a.cx + b.cx);
  TEXTMETRICA tm;
  GetTextMetricsA(cv.dc, &tm);
  EXPECT_EQ(ab.cy, tm.tmHeight);
  SIZE none;
  EXPECT_TRUE(GetTextExtentPoint32A(cv.dc, "x", 0, &none));
  EXPECT_EQ(none.cx, 0);
  EXPECT_FALSE(GetTextExtentPoint32A(cv.dc, "x", -1, &none));
}

TEST(GdiText, GlyphPixelsLandInsideTheExtentFromTheTopLeft) {
  const std::string polish = text::cp1250_from_utf8("Błąd Żółw");
  for (const char* face : {"Arial", "Times New Roman", "Courier New"}) {
    SCOPED_TRACE(face);
    Canvas cv(200, 60);
    SetBkMode(cv.dc, TRANSPARENT);
    SetTextColor(cv.dc, kBlack);
    Selected f(cv.dc, Font(-20, face));
    SIZE sz;
    GetTextExtentPoint32A(cv.dc, polish.data(), static_cast<int>(polish.size()), &sz);
    TextOutA(cv.dc, 10, 15, polish.data(), static_cast<int>(polish.size()));
    const RECT ink = Ink(cv);
    EXPECT_GE(ink.left, 10);
    EXPECT_GE(ink.top, 15);
    EXPECT_LE(ink.right, 10 + sz.cx + 1);
    // Anti-aliased edges of an ogonek may reach one row below the cell.
    EXPECT_LE(ink.bottom, 15 + sz.cy + 1);
    EXPECT_GT(ink.right - ink.left, sz.cx * 3 / 4);
    // The accents above the capitals reach above the ascent of plain letters.
    EXPECT_LT(ink.top, 15 + 6);
  }
}

TEST(GdiText, OpaqueBackgroundFillsTheCellsAndRopIsIgnored) {
  Canvas cv(100, 40);
  SetBkMode(cv.dc, OPAQUE);
  SetBkColor(cv.dc, kBlue);
  SetTextColor(cv.dc, kRed);
  SetROP2(cv.dc, R2_XORPEN);
  Selected f(cv.dc, Font(-16, "Arial"));
  SIZE sz;
  GetTextExtentPoint32A(cv.dc, "Hello", 5, &sz);
  TextOutA(cv.dc, 5, 5, "Hello", 5);
  const RECT ink = Ink(cv);
  EXPECT_EQ(ink.left, 5);
  EXPECT_EQ(ink.top, 5);
  EXPECT_EQ(ink.right, 5 + sz.cx);
  EXPECT_EQ(ink.bottom, 5 + sz.cy);
  EXPECT_EQ(cv.at(5, 5), kBlue);
  bool red = false;
  for (int y = 5; y < 5 + sz.cy; ++y)
    for (int x = 5; x < 5 + sz.cx; ++x) red = red || cv.at(x, y) == kRed;
  EXPECT_TRUE(red) << "glyphs drawn in the text colour";
}

TEST(GdiText, AlignmentBaselineAndCurrentPosition) {
  Canvas cv(120, 60);
  SetBkMode(cv.dc, TRANSPARENT);
  Selected f(cv.dc, Font(-20, "Arial"));
  TEXTMETRICA tm;
  GetTextMetricsA(cv.dc, &tm);
  SetTextAlign(cv.dc, TA_BASELINE | TA_UPDATECP);
  MoveToEx(cv.dc, 4, 40, nullptr);
  TextOutA(cv.dc, 0, 0, "HH", 2);
  const RECT ink = Ink(cv);
  EXPECT_EQ(ink.bottom, 40) << "H sits on the baseline";
  EXPECT_GE(ink.top, 40 - tm.tmAscent);
  SIZE sz;
  GetTextExtentPoint32A(cv.dc, "HH", 2, &sz);
  POINT p;
  MoveToEx(cv.dc, 0, 0, &p);
  EXPECT_EQ(p.x, 4 + sz.cx);
  EXPECT_EQ(p.y, 40);
}

TEST(GdiText, RotatedTextRunsUpwardsAndDownwards) {
  struct Case {
    int escapement;
    bool up;
  };
  for (Case c : {Case{900, true}, Case{2700, false}}) {
    SCOPED_TRACE(testing::Message() << "escapement " << c.escapement);
    Canvas cv(60, 200);
    SetBkMode(cv.dc, TRANSPARENT);
    Selected f(cv.dc, Font(-16, "Arial", FW_NORMAL, false, c.escapement));
    SIZE sz;
    GetTextExtentPoint32A(cv.dc, "Rotated", 7, &sz);
    TextOutA(cv.dc, 30, 100, "Rotated", 7);
    const RECT ink = Ink(cv);
    ASSERT_LT(ink.left, ink.right) << "something drawn";
    if (c.up) {
      // The text runs up from (30, 100); its top is to the left.
      EXPECT_LE(ink.bottom, 101);
      EXPECT_GE(ink.top, 100 - sz.cx - 1);
      EXPECT_GT(ink.bottom - ink.top, sz.cx * 3 / 4);
      EXPECT_GE(ink.left, 30 - 1);
      EXPECT_LE(ink.right, 30 + sz.cy + 1);
    } else {
      EXPECT_GE(ink.top, 99);
      EXPECT_LE(ink.bottom, 100 + sz.cx + 1);
      EXPECT_LE(ink.right, 31);
      EXPECT_GE(ink.left, 30 - sz.cy - 1);
    }
  }
}

TEST(GdiText, ClippedToTheRegionAndBadArgumentsRefused) {
  Canvas cv(80, 30);
  SetBkMode(cv.dc, TRANSPARENT);
  Selected f(cv.dc, Font(-20, "Arial"));
  HRGN r = CreateRectRgn(0, 0, 20, 30);
  SelectClipRgn(cv.dc, r);
  DeleteObject(r);
  TextOutA(cv.dc, 2, 2, "WWWWWW", 6);
  EXPECT_LE(Ink(cv).right, 20);
  EXPECT_FALSE(TextOutA(cv.dc, 0, 0, nullptr, 3));
  EXPECT_FALSE(TextOutA(cv.dc, 0, 0, "x", -2));
  EXPECT_TRUE(TextOutA(cv.dc, 0, 0, "", 0));
}

}  // namespace
}  // namespace gditest
