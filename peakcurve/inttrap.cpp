#include "peakcurve/inttrap.h"

#include <algorithm>

namespace tsd::peakcurve {

void inttrap(std::span<const double> x, std::span<const double> y, int n, int direction,
             double xlim, std::span<double> result) {
  n = std::min({n, int(x.size()), int(y.size()), int(result.size())});
  if (n < 1) return;
  if (direction == kIntegrateDown) {
    int beyond = 0;
    for (int i = 0; i < n; ++i) {
      if (x[i] > xlim) {
        result[i] = 0.0;
        ++beyond;
      }
    }
    const int k = n - beyond;  // 1-based index of the start point
    if (k < 1) return;         // every point beyond the limit: all zero already
    result[k - 1] = 0.0;
    for (int i = k - 1; i >= 1; --i)
      result[i - 1] = result[i] + 0.5 * (y[i - 1] + y[i]) * (x[i] - x[i - 1]);
    return;
  }
  if (direction == kIntegrateUp) {
    int beyond = 0;
    for (int i = 0; i < n; ++i) {
      if (x[i] < xlim) {
        result[i] = 0.0;
        ++beyond;
      }
    }
    const int k = 1 + beyond;
    if (k > n) return;
    result[k - 1] = 0.0;
    for (int i = k + 1; i <= n; ++i)
      result[i - 1] = result[i - 2] + 0.5 * (y[i - 1] + y[i - 2]) * (x[i - 1] - x[i - 2]);
    return;
  }
  for (int i = 0; i < n; ++i) result[i] = 0.0;
}

}  // namespace tsd::peakcurve
