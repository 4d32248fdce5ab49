// The graph front end of varnel1.
#include "analysis/varnel1/winplotm.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "shell/winplots.h"

namespace tsd::varnel1 {
namespace {

// Kept between calls, as the plot of a program is redrawn with them.
double graphymin = 0.0;
double graphymax = 0.0;
int callmode = 1;
double labelposition = 0.0;

// Series counts of a block, cut to its per-series arrays.
int seriescount(const PlotBlock& k) {
  std::size_t m = static_cast<std::size_t>(std::max(k.m, 0));
  for (std::span<const int> s : {k.a, k.b, k.p, k.c, k.colour, k.show}) m = std::min(m, s.size());
  return static_cast<int>(m);
}

// Points first .. last (1-based, inclusive) of series s (1-based) as spans
// of abscissae and ordinates, cut to what the arrays hold.
struct Run {
  std::span<const double> x;
  std::span<const double> y;
  int n = 0;
};

Run run(const PlotBlock& k, int s, long long first, long long last) {
  Run r;
  const long long column = static_cast<long long>(k.leading) * (s - 1);
  if (column < 0) return r;
  first = std::max(first, 1LL);
  last = std::min({last, static_cast<long long>(k.x.size()),
                   static_cast<long long>(k.y.size()) - column});
  if (last < first) return r;
  r.n = static_cast<int>(last - first + 1);
  r.x = k.x.subspan(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(r.n));
  r.y = k.y.subspan(static_cast<std::size_t>(column + first - 1), static_cast<std::size_t>(r.n));
  return r;
}

long long lastof(const PlotBlock& k, int s) {
  return static_cast<long long>(k.p[s - 1]) + k.c[s - 1] - 1;
}

// Larger ymax and smaller ymin over the visible points of the shown series.
// An ordinate that is not finite (log tau where the current is 0) is not
// drawn, so it takes no part in the range.
void yrange(const PlotBlock& k, double xmin, double xmax, int yminmode) {
  const int m = seriescount(k);
  for (int s = 1; s <= m; ++s) {
    if (k.show[s - 1] != 1) continue;
    const Run r = run(k, s, k.p[s - 1], lastof(k, s));
    for (int i = 0; i < r.n; ++i) {
      if (!(xmin <= r.x[i] && r.x[i] <= xmax) || !std::isfinite(r.y[i])) continue;
      graphymax = std::max(graphymax, r.y[i]);
      if (yminmode == 2) graphymin = std::min(graphymin, r.y[i]);
    }
  }
}

}  // namespace

void winplotm(const PlotBlock& measured, const PlotBlock& model, double& xmin, double& xmax,
              std::string_view xtitle, std::string_view ytitle, double markersize,
              std::string_view xformat, std::string_view yformat, int yminmode, int grid) {
  graphymax = -1.0E+100;
  if (yminmode == 1) graphymin = 0.0;
  if (yminmode == 2) graphymin = 1.0E+100;
  yrange(measured, xmin, xmax, yminmode);
  yrange(model, xmin, xmax, yminmode);

  // One winplots call for the points first .. last of series s of block k.
  auto draw = [&](const PlotBlock& k, int s, long long first, long long last, int mode,
                  std::string_view label, int fill) {
    const Run r = run(k, s, first, last);
    winplots(r.x, r.y, xmin, xmax, graphymin, graphymax, r.n, xtitle, ytitle, label, markersize,
             labelposition, xformat, yformat, k.colour[s - 1], k.kind, 1, 1, mode, fill, grid);
  };
  // Whether the plotted range of series s lies within its highlighted range.
  auto inside = [](const PlotBlock& k, int s) {
    return k.p[s - 1] >= k.a[s - 1] && lastof(k, s) <= k.b[s - 1];
  };

  callmode = 1;
  const int m1 = seriescount(measured);
  for (int s = 1; s <= m1; ++s) {
    if (measured.show[s - 1] != 1) continue;
    if (inside(measured, s)) {
      draw(measured, s, measured.a[s - 1], measured.b[s - 1], callmode, "", 1);
    } else {
      draw(measured, s, measured.p[s - 1], lastof(measured, s), callmode, "", 0);
      draw(measured, s, measured.a[s - 1], measured.b[s - 1], 0, "", 1);
    }
    callmode = 0;
  }

  labelposition = 0.0;
  const std::array<char, 9> digits = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  const int m2 = std::min(seriescount(model), static_cast<int>(digits.size()));
  for (int s = 1; s <= m2; ++s) {
    if (model.show[s - 1] != 1) continue;
    const std::string_view label(&digits[static_cast<std::size_t>(s - 1)], 1);
    if (inside(model, s)) {
      labelposition += 0.02;
      draw(model, s, model.a[s - 1], model.b[s - 1], 2, label, 1);
    } else {
      labelposition = 0.008 + 0.03 * (s - 1);
      draw(model, s, model.p[s - 1], lastof(model, s), 2, label, 0);
      draw(model, s, model.a[s - 1], model.b[s - 1], 0, label, 1);
    }
  }
}

}  // namespace tsd::varnel1
