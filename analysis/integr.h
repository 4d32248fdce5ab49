// Cumulative integration of the measured current over a temperature window.
//
// For every point i of the window, result(i) is the integral of y dx from
// x(i) to the window end Tlim (direction 2, downwards) or from Tlim to x(i)
// (direction 1, upwards); divided by the heating rate it is the remaining
// polarisation. Methods: 1 least-squares smoothing by a broken line through
// every second point, then trapezoids; 2 plain trapezoids; 3 parabolas
// through three points.
//
// Arrays hold n points, x strictly ascending; indices are 1-based (element i
// is array[i-1]). At most 800 points are used (the programs' capacity), and
// never more than every array holds. Every result element of 1..n outside
// the window is 0; nothing outside 1..n is read or written. No storage is
// allocated: the work arrays live on the stack of the call.
#pragma once

#include <span>

namespace tsd {

// The method chosen by `method`, then the valid index range first..last of
// the result, which leaves out the point where the integral is zero by
// construction. A window that holds no point, an unknown method or an unknown
// direction gives a result of zeros and the empty range first = 1, last = 0;
// a window left with too few points gives first > last.
void integr(std::span<const double> x, std::span<const double> y, int n, double Tini, double Tlim,
            int direction, int method, std::span<double> result, int& first, int& last);

// The three methods; lo..hi is the window as the routine left it (after the
// parity step of methods 1 and 3, which keeps an even number of intervals).
// An empty window has lo > hi.
void intsmth(std::span<const double> x, std::span<const double> y, int n, int direction,
             double Tini, double Tlim, std::span<double> result, int& lo, int& hi);
void inttrap(std::span<const double> x, std::span<const double> y, int n, int direction,
             double Tini, double Tlim, std::span<double> result, int& lo, int& hi);
void intsimp(std::span<const double> x, std::span<const double> y, int n, int direction,
             double Tini, double Tlim, std::span<double> result, int& lo, int& hi);

// Solves the m-by-m symmetric tridiagonal system with the given diagonal,
// off-diagonal (off(k) couples unknowns k and k+1) and right side by
// elimination without pivoting; stops where a pivot is 0, leaving the
// remaining unknowns as they were. m is cut to the arrays and to 400.
void tridags(std::span<const double> diagonal, std::span<const double> off,
             std::span<const double> right, std::span<double> solution, int m);

}  // namespace tsd
