// Cumulative integration of the current (see integr.h).
//
// Sections: constants and the shared window, parity and trapezoid steps; the
// tridiagonal solver; the three methods; the entry routine.
#include "analysis/integr.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace tsd {

namespace {

// ---- Constants and shared steps ---------------------------------------------

// Points used at most: the programs' point capacity.
constexpr int kMaxPoints = 800;
// Nodes of the smoothing at most: every second point of 800.
constexpr int kMaxNodes = kMaxPoints / 2;
// A point this close outside a window limit (same unit as x) still belongs
// to the window.
constexpr double kWindowTolerance = 0.01;

constexpr int kUpwards = 1;
constexpr int kDownwards = 2;

// Points that all arrays hold, at most the capacity.
int usable_points(std::span<const double> x, std::span<const double> y, std::span<double> result,
                  int n) {
  std::size_t size = std::min({x.size(), y.size(), result.size()});
  size = std::min(size, static_cast<std::size_t>(kMaxPoints));
  return std::clamp(n, 0, static_cast<int>(size));
}

// Window lo..hi of the points inside [L - 0.01, U + 0.01], L and U chosen by
// the direction so that Tlim is the end where the integral is zero. The
// counts run over all points, so for ascending x this is exactly the set of
// points inside. Every result is cleared first.
void find_window(std::span<const double> x, int n, int direction, double Tini, double Tlim,
                 std::span<double> result, int& lo, int& hi) {
  for (int i = 1; i <= n; ++i) result[i - 1] = 0.0;
  if (direction != kUpwards && direction != kDownwards) {
    lo = 1;
    hi = 0;
    return;
  }
  const double lower = direction == kDownwards ? Tini : Tlim;
  const double upper = direction == kDownwards ? Tlim : Tini;
  int below = 0;
  int above = 0;
  for (int i = 1; i <= n; ++i) {
    if (x[i - 1] < lower - kWindowTolerance) ++below;
    if (x[i - 1] > upper + kWindowTolerance) ++above;
  }
  lo = 1 + below;
  hi = n - above;
}

// Drops the point at the far end from Tlim when the window holds an odd
// number of intervals; its result stays 0.
void make_even(int direction, std::span<double> result, int& lo, int& hi) {
  if (lo > hi || (hi - lo) % 2 == 0) return;
  if (direction == kDownwards) {
    result[lo - 1] = 0.0;
    lo = lo + 1;
  } else {
    result[hi - 1] = 0.0;
    hi = hi - 1;
  }
}

// Trapezoid sums of v over lo..hi, zero at hi (downwards) or lo (upwards).
void trapezoids(std::span<const double> x, const double* v, int direction, std::span<double> result,
                int lo, int hi) {
  if (lo > hi) return;
  if (direction == kDownwards) {
    result[hi - 1] = 0.0;
    for (int i = hi - 1; i >= lo; --i) {
      result[i - 1] = result[i] + 0.5 * (v[i - 1] + v[i]) * (x[i] - x[i - 1]);
    }
  } else {
    result[lo - 1] = 0.0;
    for (int i = lo + 1; i <= hi; ++i) {
      result[i - 1] = result[i - 2] + 0.5 * (v[i - 1] + v[i - 2]) * (x[i - 1] - x[i - 2]);
    }
  }
}

}  // namespace

// ---- Tridiagonal solver --------------------------------------------------------

void tridags(std::span<const double> diagonal, std::span<const double> off,
             std::span<const double> right, std::span<double> solution, int m) {
  std::size_t size = std::min({diagonal.size(), right.size(), solution.size()});
  size = std::min(size, off.size() + 1);
  size = std::min(size, static_cast<std::size_t>(kMaxNodes));
  m = std::min(m, static_cast<int>(size));
  if (m < 1) return;
  std::array<double, kMaxNodes> g{};  // elimination factors, g(k) at g[k-1]
  double bet = diagonal[0];
  if (bet == 0.0) return;
  solution[0] = right[0] / bet;
  for (int k = 2; k <= m; ++k) {
    g[k - 1] = off[k - 2] / bet;
    bet = diagonal[k - 1] - g[k - 1] * off[k - 2];
    if (bet == 0.0) return;
    solution[k - 1] = (right[k - 1] - off[k - 2] * solution[k - 2]) / bet;
  }
  for (int k = m - 1; k >= 1; --k) {
    solution[k - 1] = solution[k - 1] - g[k] * solution[k];
  }
}

// ---- The three methods ----------------------------------------------------------

void inttrap(std::span<const double> x, std::span<const double> y, int n, int direction,
             double Tini, double Tlim, std::span<double> result, int& lo, int& hi) {
  n = usable_points(x, y, result, n);
  find_window(x, n, direction, Tini, Tlim, result, lo, hi);
  if (direction != kUpwards && direction != kDownwards) return;
  trapezoids(x, y.data(), direction, result, lo, hi);
}

void intsimp(std::span<const double> x, std::span<const double> y, int n, int direction,
             double Tini, double Tlim, std::span<double> result, int& lo, int& hi) {
  n = usable_points(x, y, result, n);
  find_window(x, n, direction, Tini, Tlim, result, lo, hi);
  if (direction != kUpwards && direction != kDownwards) return;
  make_even(direction, result, lo, hi);
  if (lo > hi) return;

  // Integrals over the two halves of the parabola through the points
  // centre-1, centre, centre+1, as y1 + s*t + c*t^2 with t = x - x(centre).
  auto halves = [&](int centre, double& left, double& right) {
    const double x0 = x[centre - 2], x1 = x[centre - 1], x2 = x[centre];
    const double y0 = y[centre - 2], y1 = y[centre - 1], y2 = y[centre];
    const double h1 = x1 - x0;
    const double h2 = x2 - x1;
    const double hh = h1 + h2;
    const double s = (h1 * (y2 - y1) / h2 + h2 * (y1 - y0) / h1) / hh;
    const double c = ((y2 - y1) / h2 - (y1 - y0) / h1) / hh;
    left = h1 * (y1 - s * h1 / 2.0 + c * (h1 * h1) / 3.0);
    right = h2 * (y1 + s * h2 / 2.0 + c * (h2 * h2) / 3.0);
  };

  double al = 0.0;
  double ar = 0.0;
  if (direction == kDownwards) {
    result[hi - 1] = 0.0;
    for (int i = hi - 1; i >= lo + 1; i -= 2) {
      halves(i, al, ar);
      result[i - 1] = result[i] + ar;
      result[i - 2] = result[i - 1] + al;
    }
  } else {
    result[lo - 1] = 0.0;
    for (int i = lo + 1; i <= hi - 1; i += 2) {
      halves(i, al, ar);
      result[i - 1] = result[i - 2] + al;
      result[i] = result[i - 1] + ar;
    }
  }
}

void intsmth(std::span<const double> x, std::span<const double> y, int n, int direction,
             double Tini, double Tlim, std::span<double> result, int& lo, int& hi) {
  n = usable_points(x, y, result, n);
  find_window(x, n, direction, Tini, Tlim, result, lo, hi);
  if (direction != kUpwards && direction != kDownwards) return;
  make_even(direction, result, lo, hi);
  if (lo > hi || hi - lo < 2) return;  // no system with fewer than three points

  // Work storage of the normal equations: node k (1-based) at data index
  // j(k) = lo + 2(k-1); value index k at [k-1].
  std::array<double, kMaxNodes> diagonal{};
  std::array<double, kMaxNodes> off{};
  std::array<double, kMaxNodes> right{};
  std::array<double, kMaxNodes> u{};
  std::array<double, kMaxPoints> smooth{};  // smoothed curve, data index i at [i-1]

  auto X = [&](int i) { return x[i - 1]; };
  auto Y = [&](int i) { return y[i - 1]; };
  const int m = (hi - lo) / 2;  // double intervals; m + 1 nodes
  const int nodes = m + 1;

  // First node.
  const double d = (X(lo + 2) - X(lo + 1)) / (X(lo + 2) - X(lo));
  diagonal[0] = 1.0 + d * d;
  right[0] = Y(lo) + d * Y(lo + 1);
  // Interior nodes.
  for (int k = 2; k <= m; ++k) {
    const int j = lo + 2 * (k - 1);
    const double a = (X(j - 1) - X(j - 2)) / (X(j) - X(j - 2));
    const double c = (X(j + 2) - X(j + 1)) / (X(j + 2) - X(j));
    diagonal[k - 1] = 1.0 + a * a + c * c;
    right[k - 1] = a * Y(j - 1) + Y(j) + c * Y(j + 1);
  }
  // Last node.
  const double e = (X(hi - 1) - X(hi - 2)) / (X(hi) - X(hi - 2));
  diagonal[nodes - 1] = 1.0 + e * e;
  right[nodes - 1] = Y(hi) + e * Y(hi - 1);
  // Couplings of neighbouring nodes through their middle point.
  for (int k = 1; k <= m; ++k) {
    const int j = lo + 2 * (k - 1);
    const double w = X(j + 2) - X(j);
    off[k - 1] = (X(j + 2) - X(j + 1)) * (X(j + 1) - X(j)) / (w * w);
  }

  tridags(diagonal, off, right, u, nodes);

  // Node values at the nodes; the plain mean of the two neighbours at each
  // middle point, whatever the spacing.
  for (int k = 1; k <= nodes; ++k) {
    const int j = lo + 2 * (k - 1);
    smooth[j - 1] = u[k - 1];
    if (k <= m) smooth[j] = (u[k - 1] + u[k]) / 2.0;
  }
  trapezoids(x, smooth.data(), direction, result, lo, hi);
}

// ---- Entry routine --------------------------------------------------------------

void integr(std::span<const double> x, std::span<const double> y, int n, double Tini, double Tlim,
            int direction, int method, std::span<double> result, int& first, int& last) {
  int lo = 1;
  int hi = 0;
  switch (method) {
    case 1:
      intsmth(x, y, n, direction, Tini, Tlim, result, lo, hi);
      break;
    case 2:
      inttrap(x, y, n, direction, Tini, Tlim, result, lo, hi);
      break;
    case 3:
      intsimp(x, y, n, direction, Tini, Tlim, result, lo, hi);
      break;
    default: {
      // An unknown method integrates nothing.
      const int used = usable_points(x, y, result, n);
      for (int i = 1; i <= used; ++i) result[i - 1] = 0.0;
      break;
    }
  }
  if (lo > hi || (direction != kUpwards && direction != kDownwards)) {
    first = 1;
    last = 0;
    return;
  }
  if (direction == kUpwards) {
    first = lo + 1;
    last = hi;
  } else {
    first = lo;
    last = hi - 1;
  }
}

}  // namespace tsd
