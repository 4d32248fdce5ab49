#include "multipeak/varnel2/varnel2_graph.h"

#include <span>

#include "analysis/var.h"
#include "multipeak/varnel2/winplotn.h"
#include "shell/frame.h"

namespace tsd::varnel2 {

namespace {

void plotgraph(const State& s) {
  static constexpr int kMeasuredColour[1] = {kDataColour};
  static constexpr int kMeasuredFlags[1] = {1};
  const int base = s.fitted == 1 ? 6 : 1;
  PlotSeriesSet measured;
  measured.x = arrays.T;
  measured.y = arrays.J;
  measured.f1 = numbers.n1;
  measured.f2 = numbers.n2;
  measured.first = 1;
  measured.n = s.Nin;
  measured.colours = kMeasuredColour;
  measured.kind = 1;
  measured.stride = 0;
  measured.count = 1;
  measured.flags = kMeasuredFlags;
  PlotSeriesSet curves;
  curves.x = s.curves.col[0];
  // The five curves lie one after the other in the curve array.
  curves.y = std::span<const double>(&s.curves.col[base][0], size_t(5 * CurveArray::rows));
  curves.f1 = 1;
  curves.f2 = s.Nout;
  curves.first = 1;
  curves.n = s.Nout;
  curves.colours = kPeakColours;
  curves.kind = 2;
  curves.stride = CurveArray::rows;
  curves.count = 5;
  curves.flags = s.plotflags;
  // The plot routine writes back the range it used: the display range
  // itself stays as the user set it.
  double xmin = s.tdmin, xmax = s.tdmax;
  winplotn(measured, curves, xmin, xmax, "      T   ", "     Jd,Ja", s.markersize, "(F10.1)",
           "(1P,E11.2)", 1, s.gridflag);
}

}  // namespace

void redraw(const State& s) {
  if (s.loaded != 1) return;
  cleargraphics();
  plotgraph(s);
}

}  // namespace tsd::varnel2
