#include "multipeak/varnel2/winplotn.h"

#include <algorithm>

#include "shell/winplots.h"

namespace tsd::varnel2 {

namespace {

constexpr double kMaxStart = -1e100;  // start of the maximum search
constexpr double kMinStart = 1e100;   // start of the minimum search
constexpr double kLabelStep = 0.02;   // step of the curve labels along the bottom line
constexpr std::string_view kLabels = "1234 ";

bool drawn(const PlotSeriesSet& set, int s) {
  return size_t(s - 1) < set.flags.size() && set.flags[size_t(s - 1)] == 1;
}

// Value i (1-based) of series s, or nullptr when it lies outside the arrays.
const double* yvalue(const PlotSeriesSet& set, int s, int i) {
  const long long k = (long long)(i - 1) + (long long)set.stride * (s - 1);
  if (k < 0 || k >= (long long)set.y.size()) return nullptr;
  return &set.y[size_t(k)];
}

template <typename Visit>
void visit_points(const PlotSeriesSet& set, double xmin, double xmax, Visit visit) {
  for (int s = 1; s <= set.count; ++s) {
    if (!drawn(set, s)) continue;
    for (int i = set.first; i <= set.n; ++i) {
      if (i < 1 || size_t(i) > set.x.size()) continue;
      const double x = set.x[size_t(i - 1)];
      if (x < xmin || x > xmax) continue;
      if (const double* y = yvalue(set, s, i)) visit(*y);
    }
  }
}

// The points from..to (1-based) of series s as the spans winplots takes.
struct Slice {
  std::span<const double> x, y;
  int n = 0;
};
Slice slice(const PlotSeriesSet& set, int s, int from, int to) {
  Slice r;
  if (from < 1) from = 1;
  const long long start = (long long)(from - 1) + (long long)set.stride * (s - 1);
  const int count = to - from + 1;
  if (count < 1 || size_t(from - 1) >= set.x.size() || start < 0 ||
      start >= (long long)set.y.size()) {
    return r;
  }
  r.x = set.x.subspan(size_t(from - 1));
  r.y = set.y.subspan(size_t(start));
  r.n = count;
  return r;
}

int colour_of(const PlotSeriesSet& set, int s) {
  return size_t(s - 1) < set.colours.size() ? set.colours[size_t(s - 1)] : 223;
}

}  // namespace

void winplotnrange(const PlotSeriesSet& measured, const PlotSeriesSet& curves, double xmin,
                   double xmax, int ymode, double& ymin, double& ymax) {
  ymax = kMaxStart;
  auto tomax = [&](double y) { ymax = std::max(ymax, y); };
  visit_points(measured, xmin, xmax, tomax);
  visit_points(curves, xmin, xmax, tomax);
  if (ymode == 1) {
    ymin = 0.0;
  } else if (ymode == 2) {
    ymin = kMinStart;
    auto tomin = [&](double y) { ymin = std::min(ymin, y); };
    visit_points(measured, xmin, xmax, tomin);
    visit_points(curves, xmin, xmax, tomin);
  }
}

void winplotn(const PlotSeriesSet& measured, const PlotSeriesSet& curves, double& xmin,
              double& xmax, std::string_view xtitle, std::string_view ytitle, double markersize,
              std::string_view xformat, std::string_view yformat, int ymode, int grid) {
  static double ymin = 0.0, ymax = 0.0;
  winplotnrange(measured, curves, xmin, xmax, ymode, ymin, ymax);
  int callmode = 1;

  auto draw = [&](const PlotSeriesSet& set, int s, int from, int to, int fill,
                  std::string_view label, double labelpos) {
    const Slice r = slice(set, s, from, to);
    winplots(r.x, r.y, xmin, xmax, ymin, ymax, r.n, xtitle, ytitle, label, markersize, labelpos,
             xformat, yformat, colour_of(set, s), set.kind, 1, 1, callmode, fill, grid);
  };

  const PlotSeriesSet& d = measured;
  for (int s = 1; s <= d.count; ++s) {
    if (!drawn(d, s)) continue;
    if (d.first < d.f1 || d.f2 < d.first + d.n - 1) {
      draw(d, s, d.first, d.first + d.n - 1, 0, "1", 0.0);
      callmode = 0;
      draw(d, s, d.f1, d.f2, 1, "1", 0.0);
    } else {
      draw(d, s, d.f1, d.f2, 1, "1", 0.0);
      callmode = 0;
    }
  }

  const PlotSeriesSet& c = curves;
  double labelpos = 0.0;
  for (int s = 1; s <= c.count && s <= int(kLabels.size()); ++s) {
    if (!drawn(c, s)) continue;
    const std::string_view label = kLabels.substr(size_t(s - 1), 1);
    if (c.first < c.f1 || c.f2 < c.first + c.n - 1) {
      callmode = 2;
      draw(c, s, c.first, c.first + c.n - 1, 0, label, 0.008 + 0.03 * (s - 1));
      callmode = 0;
      draw(c, s, c.f1, c.f2, 1, label, 0.0);
    } else {
      labelpos = labelpos + kLabelStep;
      callmode = 2;
      draw(c, s, c.f1, c.f2, 1, label, labelpos);
    }
  }
}

}  // namespace tsd::varnel2
