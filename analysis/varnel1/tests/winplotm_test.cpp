// The graph front end: the y range over the visible points, open and
// filled markers, the model lines, the three graphs of varnel1 from a
// computed analysis state, and pictures of them on a surface.
#include "analysis/varnel1/winplotm.h"

#include <gtest/gtest.h>


#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "analysis/varnel1/varnel1_state.h"
#include "analysis/varnel1/varnel1_series.h"
#include "analysis/varnel1/tests/synthetic_curve.h"
#include "analysis/varnel1/tests/winplot_graphs.h"
#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grrecords.h"
#include "tools/testkit/grscreen.h"
#include "tools/testkit/winplot_trace.h"
#include "tools/testkit/grtrace.h"

namespace tsd::varnel1 {
namespace {

using grtest::callsof;
using grtest::DriverCall;

constexpr int kW = 1001;
constexpr int kH = 501;

struct Frame {
  float x1, y1, x2, y2;
};

Frame frame() {
  igrarea(0.24f, 0.12f, 0.96f, 0.98f);
  return {grstate.devx1, grstate.devy1, grstate.devx2, grstate.devy2};
}
int row(const Frame& fr, float f) { return itrunc(f * (fr.y2 - fr.y1) + fr.y1); }

std::vector<DriverCall> in(const std::vector<DriverCall>& cs, int colour) {
  std::vector<DriverCall> r;
  for (const DriverCall& d : cs)
    if (d.colour == colour) r.push_back(d);
  return r;
}

class WinplotmTrace : public grtest::PlotTraceTest {
 protected:
  void SetUp() override { startplot(kW, kH); }
};

// One measured series of five points (x 1..5), highlighted 2..4.
struct Small {
  std::vector<double> x = {1, 2, 3, 4, 5};
  std::vector<double> y = {10, 20, 5, 40, 1000};
  std::array<int, 1> a = {2}, b = {4}, p = {1}, c = {5}, colour = {47}, show = {1};
  PlotBlock block() const {
    PlotBlock k;
    k.x = x;
    k.y = y;
    k.a = a;
    k.b = b;
    k.p = p;
    k.c = c;
    k.colour = colour;
    k.kind = 1;
    k.m = 1;
    k.show = show;
    return k;
  }
};

// The y range: only points with xmin <= x <= xmax count, bounds included;
// the highest visible point lies on the upper frame edge, the lowest on the
// lower one with ymin mode 2.
TEST_F(WinplotmTrace, YRangeOverVisiblePoints) {
  Small s;
  double xmin = 1.0, xmax = 4.0;  // x = 5 (y = 1000) lies outside
  winplotm(s.block(), PlotBlock{}, xmin, xmax, "x", "y", 0.01, "(F10.1)", "(F10.1)", 2, 2);
  const Frame fr = frame();
  const std::vector<DriverCall> open = callsof(kDrvEllipseOutline), filled = callsof(kDrvEllipseSolid);
  // Plotted range 1..5 not within 2..4: open markers over it (the one at
  // x = 5 lies right of the frame and is cut), then filled ones over 2..4.
  ASSERT_EQ(open.size(), 4u);
  ASSERT_EQ(filled.size(), 3u);
  EXPECT_EQ(open[3].params.iy1, row(fr, 1.0f)) << "y = 40 at the top";
  EXPECT_EQ(open[2].params.iy1, row(fr, 0.0f)) << "y = 5 at the bottom";

  grtest::calls().clear();
  winplotm(s.block(), PlotBlock{}, xmin, xmax, "x", "y", 0.01, "(F10.1)", "(F10.1)", 1, 2);
  EXPECT_EQ(callsof(kDrvEllipseOutline)[2].params.iy1, row(fr, 5.0f / 40.0f)) << "ymin mode 1: from 0";
  EXPECT_EQ(xmin, 1.0);
  EXPECT_EQ(xmax, 4.0);
}

TEST_F(WinplotmTrace, HighlightCoveringThePlottedRange) {
  Small s;
  s.a = {1};
  s.b = {5};
  double xmin = 0.0, xmax = 6.0;
  winplotm(s.block(), PlotBlock{}, xmin, xmax, "x", "y", 0.01, "(F10.1)", "(F10.1)", 1, 2);
  EXPECT_EQ(callsof(kDrvEllipseOutline).size(), 0u);
  EXPECT_EQ(callsof(kDrvEllipseSolid).size(), 5u) << "one call, filled markers";
}

TEST_F(WinplotmTrace, NothingShownDrawsNothing) {
  Small s;
  s.show = {0};
  double xmin = 0.0, xmax = 6.0;
  winplotm(s.block(), PlotBlock{}, xmin, xmax, "x", "y", 0.01, "(F10.1)", "(F10.1)", 1, 0);
  EXPECT_TRUE(grtest::calls().empty());
}

// Index ranges beyond the arrays are cut to them.
TEST_F(WinplotmTrace, BadIndicesStayInTheArrays) {
  Small s;
  s.p = {-3};
  s.c = {100};
  s.a = {0};
  s.b = {7};
  double xmin = 0.0, xmax = 6.0;
  PlotBlock k = s.block();
  k.m = 3;  // more series than the per-series arrays hold
  winplotm(k, PlotBlock{}, xmin, xmax, "x", "y", 0.01, "(F10.1)", "(F10.1)", 1, 0);
  EXPECT_EQ(callsof(kDrvEllipseOutline).size(), 5u) << "open markers over what the arrays hold";
  EXPECT_EQ(callsof(kDrvEllipseSolid).size(), 5u) << "filled markers over the same";
}

class WinplotmGraphs : public WinplotmTrace {
 protected:
  void SetUp() override {
    WinplotmTrace::SetUp();
    ASSERT_TRUE(testing::computedstate(analysis));
  }
  // The analysis state is large: it lives on the heap.
  std::unique_ptr<AnalysisState> state_ = std::make_unique<AnalysisState>();
  AnalysisState& analysis = *state_;
};

TEST_F(WinplotmGraphs, GraphOneAllSeries) {
  testing::drawgraph(analysis, 1, {1, 1, 1}, 0);
  const AnalysisState& a = analysis;
  const std::size_t fit = static_cast<std::size_t>(a.fitlast[0] - a.fitfirst[0] + 1);
  EXPECT_EQ(in(callsof(kDrvEllipseOutline), 223).size(), static_cast<std::size_t>(a.nwej))
      << "measured J once, open circles over all points";
  EXPECT_EQ(in(callsof(kDrvEllipseSolid), 223).size(), fit) << "filled circles over the fit range";
  for (int c : testing::kSeriesColours) {
    SCOPED_TRACE(::testing::Message() << "colour " << c);
    EXPECT_EQ(in(callsof(kDrvLine), c).size(), static_cast<std::size_t>(a.nwyj - 1)) << "one model line";
    EXPECT_TRUE(in(callsof(kDrvEllipseOutline), c).empty());
  }
}

// Curve labels "1", "2", "3" of the model lines at 0.02, 0.04 and 0.06 of
// the window, in the series colours, after the titles and tick labels.
TEST_F(WinplotmGraphs, GraphOneLabels) {
  testing::drawgraph(analysis, 1, {1, 1, 1}, 0);
  const std::vector<grtest::TextCall>& t = grtest::texts();
  ASSERT_GE(t.size(), 5u);
  EXPECT_EQ(t[0].text, "    T     ");
  EXPECT_EQ(t[1].text, "Jd,Ja     ");
  const std::size_t labels = t.size() - 3;
  const char* text[] = {"1", "2", "3"};
  const float at[] = {0.02f, 0.04f, 0.06f};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(text[i]);
    const grtest::TextCall& c = t[labels + i];
    EXPECT_EQ(c.text, text[i]);
    EXPECT_EQ(c.colour, testing::kSeriesColours[i]);
    EXPECT_NEAR(c.x, at[i] * (static_cast<float>(kW) - 0.01f), 0.01f);
  }
}

// Model ranges that differ from their highlighted ranges (not so in
// varnel1): the label of series s at 0.008 + 0.03 (s - 1), whichever series
// are shown, and the highlighted points drawn again.
TEST_F(WinplotmTrace, LabelsOfModelRangesBeyondTheHighlight) {
  Small s;
  const std::vector<double> y2 = {1, 2, 3, 4, 5, 2, 3, 4, 5, 6, 3, 4, 5, 6, 7};
  const std::array<int, 3> a = {2, 2, 2}, b = {4, 4, 4}, p = {1, 1, 1}, c = {5, 5, 5};
  const std::array<int, 3> colour = {47, 175, 111}, show = {0, 1, 1};
  PlotBlock model;
  model.x = s.x;
  model.y = y2;
  model.a = a;
  model.b = b;
  model.p = p;
  model.c = c;
  model.colour = colour;
  model.kind = 2;
  model.leading = 5;
  model.m = 3;
  model.show = show;
  double xmin = 1.0, xmax = 5.0;
  winplotm(s.block(), model, xmin, xmax, "x", "y", 0.01, "(F10.1)", "(F10.1)", 1, 0);
  std::vector<grtest::TextCall> labels;
  for (const grtest::TextCall& t : grtest::texts())
    if (t.colour != 223) labels.push_back(t);
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(labels[0].text, "2");
  EXPECT_NEAR(labels[0].x, 0.038f * (static_cast<float>(kW) - 0.01f), 0.01f);
  EXPECT_EQ(labels[1].text, "3");
  EXPECT_NEAR(labels[1].x, 0.068f * (static_cast<float>(kW) - 0.01f), 0.01f);
  EXPECT_EQ(in(callsof(kDrvLine), 175).size(), 4u + 2u) << "the whole line, then the highlighted part";
}

TEST_F(WinplotmGraphs, GraphTwoChosenSeries) {
  testing::drawgraph(analysis, 2, {1, 0, 1}, 1);
  EXPECT_EQ(in(callsof(kDrvEllipseOutline), 47).size(), static_cast<std::size_t>(analysis.nwej));
  EXPECT_TRUE(in(callsof(kDrvEllipseOutline), 175).empty()) << "series 2 not chosen";
  EXPECT_EQ(in(callsof(kDrvEllipseOutline), 111).size(), static_cast<std::size_t>(analysis.nwej));
  EXPECT_TRUE(in(callsof(kDrvLine), 175).empty());
  EXPECT_FALSE(in(callsof(kDrvLine), 255).empty()) << "grid lines";
}

// Log tau runs below zero at the hot end: ymin mode 2 takes it, and the
// horizontal zero line is drawn. Points whose log tau is not finite are
// not drawn.
TEST_F(WinplotmGraphs, GraphThreeNegativeLogTau) {
  ASSERT_TRUE(testing::computedstate(analysis, 5e-13));
  testing::drawgraph(analysis, 3, {1, 1, 1}, 0);
  const AnalysisState& a = analysis;
  double lo = 1e100;
  std::size_t finite = 0;
  for (int i = a.intfirst[0]; i < a.intfirst[0] + a.intcount[0]; ++i) {
    if (!std::isfinite(a.ltaud[0][i - 1])) continue;
    ++finite;
    if (a.xdat[i - 1] >= a.xlo3 && a.xdat[i - 1] <= a.xhi3) lo = std::min(lo, a.ltaud[0][i - 1]);
  }
  for (int i = 1; i <= a.nwyj; ++i) lo = std::min(lo, a.ltaua[0][i - 1]);
  ASSERT_LT(lo, 0.0) << "the synthetic peak reaches log tau below 0";
  const Frame fr = frame();
  bool zero = false;
  for (const DriverCall& d : in(callsof(kDrvLine), 223))
    zero = zero || (d.params.iy1 == d.params.iy2 && d.params.ix2 - d.params.ix1 == itrunc(fr.x2) - itrunc(fr.x1) &&
                    d.params.iy1 > row(fr, 0.0f) && d.params.iy1 < row(fr, 1.0f));
  EXPECT_TRUE(zero) << "horizontal zero line inside the frame";
  EXPECT_EQ(in(callsof(kDrvEllipseOutline), 47).size(), finite);
}

// Pictures of the three graphs, grid off and on, for a person to look at.
TEST(WinplotmPictures, GraphsOnASurface) {
  const auto state = std::make_unique<AnalysisState>();
  AnalysisState& analysis = *state;
  ASSERT_TRUE(testing::computedstate(analysis));
  for (int graph = 1; graph <= 3; ++graph) {
    for (int grid = 0; grid <= 1; ++grid) {
      SCOPED_TRACE(::testing::Message() << "graph " << graph << " grid " << grid);
      grtest::Screen screen(800, 600);
      igrarea(0.0f, 0.0f, 1.0f, 1.0f);
      igrareaclear();
      testing::drawgraph(analysis, graph, {1, 1, 1}, grid);
      const std::string name =
          "winplot_graph" + std::to_string(graph) + (grid == 1 ? "_grid" : "") + ".png";
      screen.save(name);
      EXPECT_GT(screen.count(0xffffff), 1000) << "frame and markers in white";
      EXPECT_GT(screen.count(0xbf0000) + screen.count(0xc30000) + screen.count(0xff0000) +
                    screen.count(0xbf00ff) + screen.count(0x000000), 0);
    }
  }
}

}  // namespace
}  // namespace tsd::varnel1
