// The x-y plot routine through the driver operations it produces: ranges
// written back, tick steps and tick positions, tick marks against grid
// lines, each kind of series, call modes, and arrays of 0, 1 and 800
// points read within their bounds.
#include "shell/winplots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grrecords.h"
#include "tools/testkit/winplot_trace.h"
#include "tools/testkit/grtrace.h"

namespace tsd {
namespace {

using grtest::calls;
using grtest::callsof;
using grtest::DriverCall;

constexpr int kW = 1001;
constexpr int kH = 501;

struct Frame {
  float x1, y1, x2, y2;  // device rectangle of the plot frame
};

// The frame rectangle as the layer computes it for the window.
Frame frame() {
  igrarea(0.24f, 0.12f, 0.96f, 0.98f);
  return {grstate.devx1, grstate.devy1, grstate.devx2, grstate.devy2};
}

// Device column of frame fraction f.
int column(const Frame& fr, float f) { return itrunc(f * (fr.x2 - fr.x1) + fr.x1); }
int row(const Frame& fr, float f) { return itrunc(f * (fr.y2 - fr.y1) + fr.y1); }

struct Plot {
  std::vector<double> x;
  std::vector<double> y;
  double xmin = 300.0, xmax = 450.0, ymin = 0.0, ymax = 100.0;
  int colour = 47;
  int kind = kPlotCircles;
  int xmode = 1, ymode = 1;
  int callmode = 1;
  int fill = 0;
  int grid = 0;
  int n = -1;  // -1: the size of x
  double marker = 0.01;

  void draw() {
    winplots(x, y, xmin, xmax, ymin, ymax, n < 0 ? static_cast<int>(x.size()) : n, "      T   ",
             "     Jd,Ja", "1", marker, 0.02, "(F10.1)", "(1P,E11.2)", colour, kind, xmode, ymode,
             callmode, fill, grid);
  }
};

class WinplotsTrace : public grtest::PlotTraceTest {
 protected:
  void SetUp() override { startplot(kW, kH); }
};

// Lines (operation 2) in colour c.
std::vector<DriverCall> linesin(int c) {
  std::vector<DriverCall> r;
  for (const DriverCall& d : callsof(kDrvLine))
    if (d.colour == c) r.push_back(d);
  return r;
}

TEST(WinplotsStep, StepsFromTheSpan) {
  struct Case {
    double span, major;
  };
  const Case cases[] = {{500, 100}, {30, 5}, {15, 2}, {0.05, 0.01}, {150, 20},
                        {1, 0.2},   {100, 20}, {2.5, 0.5}, {9, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "span " << c.span);
    EXPECT_NEAR(winplotstep(c.span), c.major, c.major * 1e-12);
  }
}

TEST_F(WinplotsTrace, RangesWrittenBack) {
  struct Case {
    const char* what;
    double xmin, xmax, ymin, ymax;
    int xmode, ymode;
    double exmin, exmax, eymin, eymax;
  };
  // Data x 2..7, y -3..9.
  const Case cases[] = {
      {"both empty at 0", 0, 0, 0, 0, 1, 1, -1, 1, -1, 1},
      {"empty at 5", 5, 5, 5, 5, 1, 1, 0, 5, 0, 5},
      {"empty at -5", -5, -5, -5, -5, 1, 1, -5, 0, -5, 0},
      {"reversed, positive max", 8, 3, 8, 3, 1, 1, 0, 3, 0, 3},
      {"reversed, negative", -1, -4, -1, -4, 1, 1, -1, 0, -1, 0},
      {"caller's values kept", 1, 10, -5, 12, 1, 1, 1, 10, -5, 12},
      {"mode 2: minimum from data", 0, 10, -10, 10, 2, 2, 2, 10, -3, 10},
      {"mode 3: maximum from data", 0, 10, -10, 10, 3, 3, 0, 7, -10, 9},
      {"mode 4: both from data", 0, 10, -10, 10, 4, 4, 2, 7, -3, 9},
      {"mode 3 below the minimum widens", 8, 10, 20, 30, 3, 3, 0, 7, 0, 9},
      {"other modes keep the values", 0, 10, -10, 10, 0, 5, 0, 10, -10, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Plot p;
    p.x = {2, 5, 7, 3};
    p.y = {1, -3, 9, 4};
    p.xmin = c.xmin;
    p.xmax = c.xmax;
    p.ymin = c.ymin;
    p.ymax = c.ymax;
    p.xmode = c.xmode;
    p.ymode = c.ymode;
    p.draw();
    EXPECT_EQ(p.xmin, c.exmin);
    EXPECT_EQ(p.xmax, c.exmax);
    EXPECT_EQ(p.ymin, c.eymin);
    EXPECT_EQ(p.ymax, c.eymax);
  }
}

// Frame 300 .. 450 by 0 .. 100, tick marks: x major step 20 at 320 .. 440,
// minor step 4 at 304 .. 448; y major 20 at 20 .. 100, minor 4 at 4 .. 100.
TEST_F(WinplotsTrace, FrameAndTickMarks) {
  Plot p;
  p.draw();
  const Frame fr = frame();
  const int bottom = itrunc(fr.y1);
  const int left = itrunc(fr.x1);
  std::vector<int> minorx, majorx, minory, majory;
  int frameedges = 0;
  for (const DriverCall& d : linesin(223)) {
    const GrDrvParams& q = d.params;
    const int len = q.iy2 - q.iy1;
    if (q.ix1 == q.ix2 && q.iy1 == bottom && len > 0 && len < 20) {
      (len < row(fr, 0.015f) - bottom ? minorx : majorx).push_back(q.ix1);
    } else if (q.iy1 == q.iy2 && q.ix1 == left && q.ix2 > q.ix1 && q.ix2 - q.ix1 < 30) {
      (q.ix2 - q.ix1 < column(fr, 0.015f) - left ? minory : majory).push_back(q.iy1);
    } else if (q.ix1 == q.ix2 || q.iy1 == q.iy2) {
      ++frameedges;
    }
  }
  std::vector<int> want;
  for (int k = 16; k <= 22; ++k) want.push_back(column(fr, static_cast<float>((k * 20.0 - 300) / 150)));
  EXPECT_EQ(majorx, want) << "major x marks at 320 .. 440";
  want.clear();
  for (int k = 76; k <= 112; ++k) want.push_back(column(fr, static_cast<float>((k * 4.0 - 300) / 150)));
  EXPECT_EQ(minorx, want) << "minor x marks at 304 .. 448";
  EXPECT_EQ(majory.size(), 5u);
  EXPECT_EQ(minory.size(), 25u);
  // Four frame edges, then the upper and right halves of every mark.
  EXPECT_EQ(frameedges, 4 + 7 + 37 + 5 + 25);
  EXPECT_TRUE(linesin(255).empty()) << "no minor grid lines with tick marks";
}

TEST_F(WinplotsTrace, GridLinesInTwoColours) {
  Plot p;
  p.grid = 1;
  p.draw();
  const Frame fr = frame();
  const std::vector<DriverCall> minor = linesin(255);
  ASSERT_EQ(minor.size(), 37u + 25u) << "one line at every minor tick";
  for (const DriverCall& d : minor) {
    const bool full = (d.params.ix1 == d.params.ix2 && d.params.iy2 - d.params.iy1 == itrunc(fr.y2) - itrunc(fr.y1)) ||
                      (d.params.iy1 == d.params.iy2 && d.params.ix2 - d.params.ix1 == itrunc(fr.x2) - itrunc(fr.x1));
    EXPECT_TRUE(full) << "line " << d.params.ix1 << "," << d.params.iy1 << " - " << d.params.ix2 << "," << d.params.iy2;
  }
  // Frame, then major lines after every minor line.
  EXPECT_EQ(linesin(223).size(), 4u + 7u + 5u);
  std::vector<int> order;  // colours of the lines, runs merged
  for (const DriverCall& d : callsof(kDrvLine))
    if (order.empty() || order.back() != d.colour) order.push_back(d.colour);
  EXPECT_EQ(order, (std::vector<int>{223, 255, 223})) << "frame, minor lines, then major lines over them";

  calls().clear();
  p.grid = 2;
  p.draw();
  EXPECT_EQ(linesin(223).size(), 4u) << "grid 2: the frame only";
  EXPECT_TRUE(linesin(255).empty());
}

// A range below zero gets its ticks as one above zero does: -2.3 .. 5 has
// major ticks at -2 .. 5 (step 1) and minor ones at -2.2 .. 5 (step 0.2).
TEST_F(WinplotsTrace, TicksOfARangeBelowZero) {
  Plot p;
  p.ymin = -2.3;
  p.ymax = 5.0;
  p.grid = 1;
  p.draw();
  const Frame fr = frame();
  std::vector<int> major, minor;
  for (const DriverCall& d : callsof(kDrvLine)) {
    if (d.params.iy1 != d.params.iy2 || d.params.iy1 == itrunc(fr.y1)) continue;
    (d.colour == 223 ? major : minor).push_back(d.params.iy1);
  }
  std::vector<int> want = {row(fr, static_cast<float>(2.3 / 7.3))};  // the zero line
  for (int k = -2; k <= 5; ++k) want.push_back(row(fr, static_cast<float>((k + 2.3) / 7.3)));
  want.push_back(itrunc(fr.y2));  // the upper frame edge
  std::sort(major.begin(), major.end());
  std::sort(want.begin(), want.end());
  EXPECT_EQ(major, want) << "major lines at -2 .. 5, the zero line and the upper edge";
  EXPECT_EQ(minor.size(), 37u) << "minor lines at -2.2 .. 5";
}

TEST_F(WinplotsTrace, ZeroLinesOnlyInCallModeOne) {
  Plot p;
  p.xmin = -50;
  p.xmax = 100;
  p.ymin = -20;
  p.ymax = 80;
  p.grid = 2;
  p.draw();
  const Frame fr = frame();
  int vertical = 0, horizontal = 0;
  for (const DriverCall& d : linesin(223)) {
    if (d.params.ix1 == d.params.ix2 && d.params.ix1 == column(fr, 50.0f / 150.0f)) ++vertical;
    if (d.params.iy1 == d.params.iy2 && d.params.iy1 == row(fr, 0.2f)) ++horizontal;
  }
  EXPECT_EQ(vertical, 1);
  EXPECT_EQ(horizontal, 1);
  calls().clear();
  p.callmode = 0;
  p.draw();
  EXPECT_TRUE(callsof(kDrvLine).empty()) << "mode 0 with circles and no points draws no line";
}

// Device x of a window fraction (the whole window is the text area).
float windowx(float f) { return f * (static_cast<float>(kW) - 0.01f); }
float windowy(float f) { return f * (static_cast<float>(kH) - 0.01f); }

// Titles and tick labels of the 300 .. 450 by 0 .. 100 frame: x labels at
// 300 (on the frame edge), 320 .. 440 and none at 460; y labels at 0 .. 100.
TEST_F(WinplotsTrace, TitlesAndTickLabels) {
  Plot p;
  p.draw();
  const std::vector<grtest::TextCall>& t = grtest::texts();
  ASSERT_EQ(t.size(), 2u + 8u + 6u);
  for (const grtest::TextCall& c : t) EXPECT_EQ(c.colour, 223) << c.text;

  EXPECT_EQ(t[0].text, "    T     ") << "x title centred within its 10 characters";
  EXPECT_NEAR(t[0].centre(), windowx(0.62f), 0.01f);
  EXPECT_NEAR(t[0].y, windowy(0.03f), 0.01f);
  EXPECT_EQ(t[1].text, "Jd,Ja     ") << "y title left-justified";
  EXPECT_NEAR(t[1].x, windowx(0.008f), 0.01f);
  EXPECT_NEAR(t[1].y, windowy(0.55f), 0.01f);
  EXPECT_NEAR(t[0].cw, 1.4f * t[2].cw, 0.01f) << "titles at width factor 1.4, labels at 1.0";

  for (int i = 0; i < 8; ++i) {
    const grtest::TextCall& c = t[2 + i];
    const double v = 300.0 + 20.0 * i;
    SCOPED_TRACE(v);
    char want[15];
    std::snprintf(want, sizeof want, "%.1f", v);
    const std::string digits = want;
    const std::string field = std::string((14 - digits.size()) / 2, ' ') + digits;
    // The label text is 14 characters; cells past the window's edge (blanks
    // of the last label) are not drawn.
    EXPECT_EQ(c.text, (field + std::string(14 - field.size(), ' ')).substr(0, c.text.size()));
    EXPECT_GE(c.text.size(), field.size());
    EXPECT_NEAR(c.x + 7.0f * c.cw, windowx(0.25f + 0.72f * static_cast<float>((v - 300.0) / 150.0)), 0.01f);
    EXPECT_NEAR(c.y, windowy(0.09f), 0.01f);
  }
  const char* ylabels[] = {"0.00E+00", "2.00E+01", "4.00E+01", "6.00E+01", "8.00E+01", "1.00E+02"};
  for (int i = 0; i < 6; ++i) {
    const grtest::TextCall& c = t[10 + i];
    SCOPED_TRACE(ylabels[i]);
    EXPECT_EQ(c.text, std::string(6, ' ') + ylabels[i]) << "right-justified within 14";
    EXPECT_NEAR(c.right(), windowx(0.236f), 0.01f);
    EXPECT_NEAR(c.y, windowy(0.12f + 0.86f * (0.2f * static_cast<float>(i))), 0.01f);
  }
  EXPECT_FLOAT_EQ(grstate.areax1, 0.0f) << "mode 1 leaves the whole window as the area";
}

TEST_F(WinplotsTrace, CurveLabelInCallModeTwo) {
  Plot p;
  p.callmode = 2;
  p.colour = 175;
  p.draw();
  ASSERT_EQ(grtest::texts().size(), 1u);
  const grtest::TextCall& c = grtest::texts()[0];
  EXPECT_EQ(c.text, "1");
  EXPECT_EQ(c.colour, 175);
  EXPECT_NEAR(c.x, windowx(0.02f), 0.01f) << "left-justified at the label position";
  EXPECT_NEAR(c.y, windowy(0.03f), 0.01f);
  EXPECT_FLOAT_EQ(grstate.areax1, 0.0f);

  grtest::texts().clear();
  p.callmode = 0;
  p.draw();
  EXPECT_TRUE(grtest::texts().empty()) << "mode 0 draws no text";
}

// A range wholly below zero labels no tick beyond its upper end.
TEST_F(WinplotsTrace, LabelsOfARangeBelowZero) {
  Plot p;
  p.ymin = -2.5;
  p.ymax = -0.3;  // step 0.5: labels at -2.5 (edge) .. -0.5
  p.draw();
  std::vector<std::string> y;
  for (std::size_t i = 10; i < grtest::texts().size(); ++i) y.push_back(grtest::texts()[i].text);
  const std::vector<std::string> want = {"     -2.50E+00", "     -2.00E+00", "     -1.50E+00",
                                         "     -1.00E+00", "     -5.00E-01"};
  EXPECT_EQ(y, want);
}

TEST_F(WinplotsTrace, SeriesKinds) {
  struct Case {
    const char* what;
    int kind, fill;
    int circles, filledcircles, lines, polygons;
  };
  // Three points inside the frame; call mode 0, so only the series is drawn.
  const Case cases[] = {
      {"open markers", kPlotCircles, 0, 3, 0, 0, 0},
      {"filled markers", kPlotCircles, 1, 0, 3, 0, 0},
      {"line", kPlotLine, 0, 0, 0, 2, 0},
      {"markers and line", kPlotCirclesLine, 0, 3, 0, 2, 0},
      {"solid bars", kPlotBars, 1, 0, 0, 0, 3},
      {"outlined bars", kPlotBars, 0, 0, 0, 12, 0},
      {"other kinds draw nothing", 5, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    calls().clear();
    Plot p;
    p.x = {320, 360, 400};
    p.y = {10, 50, 90};
    p.kind = c.kind;
    p.fill = c.fill;
    p.callmode = 0;
    p.draw();
    EXPECT_EQ(callsof(kDrvEllipseOutline).size(), static_cast<std::size_t>(c.circles));
    EXPECT_EQ(callsof(kDrvEllipseSolid).size(), static_cast<std::size_t>(c.filledcircles));
    EXPECT_EQ(callsof(kDrvLine).size(), static_cast<std::size_t>(c.lines));
    EXPECT_EQ(callsof(kDrvPolygonSolid).size(), static_cast<std::size_t>(c.polygons));
    for (const DriverCall& d : calls())
      if (d.op == kDrvLine || d.op == kDrvEllipseOutline || d.op == kDrvEllipseSolid || d.op == kDrvPolygonSolid) {
        EXPECT_EQ(d.colour, 47) << "operation " << d.op << " in the series colour";
      }
    EXPECT_FLOAT_EQ(grstate.areax1, 0.24f) << "mode 0 leaves the frame as the area";
  }
}

TEST_F(WinplotsTrace, MarkerAndLinePositions) {
  Plot p;
  p.x = {300, 375, 450};
  p.y = {0, 50, 100};
  p.kind = kPlotCirclesLine;
  p.callmode = 0;
  p.draw();
  const Frame fr = frame();
  const std::vector<DriverCall> circles = callsof(kDrvEllipseOutline);
  ASSERT_EQ(circles.size(), 3u);
  const float f[] = {0.0f, 0.5f, 1.0f};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(circles[i].params.ix1, column(fr, f[i]));
    EXPECT_EQ(circles[i].params.iy1, row(fr, f[i]));
    EXPECT_EQ(circles[i].params.ix2, itrunc(0.01f * (fr.x2 - fr.x1))) << "radius in x frame units";
  }
  const std::vector<DriverCall> lines = callsof(kDrvLine);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].params.ix1, column(fr, 0.0f));
  EXPECT_EQ(lines[0].params.iy2, row(fr, 0.5f));
  EXPECT_EQ(lines[1].params.ix2, column(fr, 1.0f));
  EXPECT_EQ(lines[1].params.iy2, row(fr, 1.0f));
}

TEST_F(WinplotsTrace, BarsFromTheirBase) {
  struct Case {
    const char* what;
    double ymin, ymax;
    int callmode;
    float base;  // frame fraction of the bar's base
  };
  const Case cases[] = {
      {"positive range: lower edge", 0, 100, 0, 0.0f},
      {"negative range: upper edge", -100, 0, 0, 1.0f},
      {"zero line drawn by this call", -25, 75, 1, 0.25f},
      {"range across zero, later call: lower edge", -25, 75, 0, 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    calls().clear();
    Plot p;
    p.x = {375};
    p.y = {c.ymax > 0 ? 50.0 : -50.0};
    p.ymin = c.ymin;
    p.ymax = c.ymax;
    p.kind = kPlotBars;
    p.fill = 1;
    p.grid = 2;
    p.callmode = c.callmode;
    p.draw();
    const Frame fr = frame();
    const std::vector<DriverCall> bars = callsof(kDrvPolygonSolid);
    ASSERT_EQ(bars.size(), 1u);
    const DriverCall& b = bars[0];
    const float top = static_cast<float>((p.y[0] - c.ymin) / (c.ymax - c.ymin));
    const int lo = row(fr, std::min(c.base, top)), hi = row(fr, std::max(c.base, top));
    EXPECT_NEAR(b.params.iy2, lo, 1) << "lower end of the bar";
    EXPECT_NEAR(b.params.iy3, hi, 1) << "upper end of the bar";
    const float halfwidth = 0.005f * (fr.x2 - fr.x1);
    EXPECT_NEAR(b.params.ix2, column(fr, 0.5f) - halfwidth, 1);
    EXPECT_NEAR(b.params.ix3, column(fr, 0.5f) + halfwidth, 1);
  }
}

// Points far outside the frame or not finite: the far one is cut by the
// clipping, the one that is not finite is left out and breaks the line.
TEST_F(WinplotsTrace, FarAndNonFinitePoints) {
  Plot p;
  p.x = {320, 1e300, 360, 400, 440};
  p.y = {50, -1e300, 60, std::nan(""), 70};
  p.kind = kPlotCirclesLine;
  p.callmode = 0;
  p.draw();
  EXPECT_EQ(callsof(kDrvEllipseOutline).size(), 3u) << "circles at 320, 360 and 440 only";
  const Frame fr = frame();
  for (const DriverCall& d : callsof(kDrvLine)) {
    EXPECT_GE(d.params.ix1, itrunc(fr.x1));
    EXPECT_LE(d.params.ix2, itrunc(fr.x2) + 1);
  }
  EXPECT_LE(callsof(kDrvLine).size(), 2u) << "segments to and from the far point, none through the gap";
}

TEST_F(WinplotsTrace, FillPatternByArgument) {
  Plot p;
  p.x = {375};
  p.y = {50};
  p.callmode = 0;
  struct Case {
    int fill, before, after;
  };
  const Case cases[] = {{0, 4, 0}, {1, 0, 4}, {2, 3, 3}, {-1, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "fill " << c.fill);
    grfill.pattern = c.before;
    p.fill = c.fill;
    p.draw();
    EXPECT_EQ(grfill.pattern, c.after);
  }
}

// Arrays of exactly n points inside guard values: only the range
// variables are written, and n beyond the arrays reads no further.
TEST_F(WinplotsTrace, ReadsOnlyItsArrays) {
  for (int n : {0, 1, 800}) {
    SCOPED_TRACE(testing::Message() << "n " << n);
    constexpr double kGuard = 1.0e30;
    std::vector<double> xs(n + 2, kGuard), ys(n + 2, kGuard);
    for (int i = 1; i <= n; ++i) {
      xs[i] = 300.0 + 0.1875 * (i - 1);
      ys[i] = 50.0 + 40.0 * std::sin(i * 0.01);
    }
    const std::span<const double> x(xs.data() + 1, n), y(ys.data() + 1, n);
    for (int kind : {kPlotCirclesLine, kPlotBars}) {
      calls().clear();
      double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
      winplots(x, y, xmin, xmax, ymin, ymax, n + 5, "T", "J", "1", 0.002, 0.02, "(F10.1)",
               "(1P,E11.2)", 47, kind, 4, 4, 1, 1, 0);
      EXPECT_EQ(xs.front(), kGuard);
      EXPECT_EQ(xs.back(), kGuard);
      EXPECT_EQ(ys.front(), kGuard);
      EXPECT_EQ(ys.back(), kGuard);
      if (n == 0) {
        EXPECT_EQ(xmin, -1.0);
        EXPECT_EQ(xmax, 1.0);
      } else if (n == 1) {
        EXPECT_EQ(xmin, 0.0) << "one point: the empty range widened to 0 .. x";
        EXPECT_EQ(xmax, x[0]);
      } else {
        EXPECT_EQ(xmin, x[0]);
        EXPECT_EQ(xmax, x[n - 1]);
        EXPECT_LE(xmax, kGuard / 2) << "guard values are not taken as data";
      }
      const std::size_t shapes = callsof(kind == kPlotBars ? kDrvPolygonSolid : kDrvEllipseSolid).size();
      EXPECT_EQ(shapes, static_cast<std::size_t>(n));
    }
  }
}

}  // namespace
}  // namespace tsd
