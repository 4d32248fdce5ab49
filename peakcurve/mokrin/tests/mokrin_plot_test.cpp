// The plots of the curve programs through the driver operations they
// produce: titles with and without data, the y range to the larger
// maximum, and a zero model widened for that plot only.
#include "peakcurve/mokrin/mokrin_plot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tools/testkit/winplot_trace.h"
#include "analysis/var.h"
#include "peakcurve/mokrin/tests/mokrin_sample.h"
#include "tools/testkit/grtrace.h"

namespace tsd::mokrin {
namespace {

using grtest::callsof;

class MokrinPlot : public grtest::PlotTraceTest {
 protected:
  void SetUp() override {
    startplot(801, 601);
    s_ = test::examplestate(Variant::mokrin2, 96);
    s_.data.N = 2;
    s_.data.T[0] = 250.0;
    s_.data.T[1] = 260.0;
    s_.data.J[0] = 8.0e-12;  // twice the model's maximum
    s_.data.J[1] = 1.0e-12;
    s_.Pd[0] = 1.0e-10;
    datarange(s_);
  }
  // The texts drawn, in order.
  std::vector<std::string> texts() {
    std::vector<std::string> t;
    for (const grtest::TextCall& c : grtest::texts()) t.push_back(c.text);
    return t;
  }
  // A text drawn, compared without the blanks around it (titles are
  // justified before they are drawn).
  bool drawn(const std::string& text) {
    auto bare = [](const std::string& x) {
      const std::size_t a = x.find_first_not_of(' ');
      return a == std::string::npos ? std::string() : x.substr(a, x.find_last_not_of(' ') - a + 1);
    };
    for (const std::string& t : texts())
      if (bare(t) == bare(text)) return true;
    return false;
  }
  State s_;
};

TEST_F(MokrinPlot, ModelAloneThenWithData) {
  drawplot(s_, kPlotCurrent, false);
  EXPECT_TRUE(drawn("        Ja"));
  EXPECT_TRUE(drawn("      4.00E-12")) << "top label at Jamax";
  EXPECT_TRUE(callsof(kDrvEllipseSolid).empty());
  for (const grtest::DriverCall& d : callsof(kDrvLine)) EXPECT_NE(d.colour, 0);

  grtest::texts().clear();
  grtest::calls().clear();
  drawplot(s_, kPlotCurrent, true);
  EXPECT_TRUE(drawn("     Ja,Jd"));
  EXPECT_TRUE(drawn("      8.00E-12")) << "the range reaches the measured maximum";
  ASSERT_EQ(callsof(kDrvEllipseSolid).size(), 2u) << "two filled measured circles";
  EXPECT_EQ(callsof(kDrvEllipseSolid)[0].colour, 223);
}

// P0 = 0: plot 2 of the model is zero everywhere and is widened to -1..1;
// the next plot starts again at 0.
TEST_F(MokrinPlot, ZeroModelWidenedForThatPlotOnly) {
  s_.variant = Variant::mokrin1;
  s_.peak.P0 = 0.0;
  peakcurve::peakcurves(s_.peak);
  drawplot(s_, kPlotPolarisation, false);
  EXPECT_TRUE(drawn("     -1.00E+00"));
  EXPECT_TRUE(drawn("      1.00E+00"));
  grtest::texts().clear();
  s_.peak.P0 = 1.0e-9;
  peakcurve::peakcurves(s_.peak);
  drawplot(s_, kPlotPolarisation, false);
  EXPECT_TRUE(drawn("      0.00E+00"));
  EXPECT_FALSE(drawn("     -1.00E+00"));
}

}  // namespace
}  // namespace tsd::mokrin
