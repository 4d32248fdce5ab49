// Cumulative trapezoid integration from one limit, as the curve programs use
// it to turn a measured current density into the remaining polarisation. It
// is not the windowed trapezoid routine of the analysis program: one limit,
// no tolerance, no index range as a result.
#pragma once

#include <span>

namespace tsd::peakcurve {

inline constexpr int kIntegrateUp = 1;    // integral from xlim upwards
inline constexpr int kIntegrateDown = 2;  // integral from xlim downwards

// x (ascending) and y: n values each; result: n values, written. n is cut to
// what every span holds; indices in the description are 1-based.
// Direction 2: points with x > xlim get 0, the last point not beyond xlim
// gets 0, and the integral grows downwards from there. Direction 1 is the
// mirror image. When every point lies beyond xlim, or the direction is
// neither 1 nor 2, the result is 0 everywhere. n < 1 writes nothing.
void inttrap(std::span<const double> x, std::span<const double> y, int n, int direction,
             double xlim, std::span<double> result);

}  // namespace tsd::peakcurve
