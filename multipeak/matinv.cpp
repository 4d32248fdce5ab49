#include "multipeak/matinv.h"

#include <array>
#include <cmath>

namespace tsd {

namespace {

// Replaces a zero pivot, so that a singular matrix without a zero row still
// decomposes (the inverse then has elements of the order of 1e20).
constexpr double kTiny = 1e-20;

// 1-based element (i, j) of a column-major matrix with leading dimension np.
inline double& at(double* a, int np, int i, int j) { return a[(j - 1) * np + (i - 1)]; }
inline double at(const double* a, int np, int i, int j) { return a[(j - 1) * np + (i - 1)]; }

bool order_ok(int n, int np) { return n >= 0 && n <= kMaxOrder && n <= np; }

}  // namespace

void ludcmp(double* a, int n, int np, int* indx, double& d, int& ier) {
  d = 1.0;
  if (!order_ok(n, np)) {
    ier = kLuZeroRow;
    return;
  }
  if (n == 0) {  // nothing to decompose
    ier = kLuDone;
    return;
  }

  // Implicit row scaling; a zero row stops here, before a is touched.
  std::array<double, kMaxOrder + 1> scale{};
  for (int i = 1; i <= n; ++i) {
    double largest = 0.0;
    for (int j = 1; j <= n; ++j) {
      const double t = std::fabs(at(a, np, i, j));
      if (t > largest) largest = t;
    }
    if (largest == 0.0) {
      ier = kLuZeroRow;
      return;
    }
    scale[i] = 1.0 / largest;
  }

  for (int j = 1; j <= n; ++j) {
    for (int i = 1; i < j; ++i) {
      double sum = at(a, np, i, j);
      for (int k = 1; k < i; ++k) sum -= at(a, np, i, k) * at(a, np, k, j);
      at(a, np, i, j) = sum;
    }
    // Pivot search: ">=" lets the lowest of equal candidates win. p starts at
    // j so that a column of non-numbers still names a valid row.
    double largest = 0.0;
    int p = j;
    for (int i = j; i <= n; ++i) {
      double sum = at(a, np, i, j);
      for (int k = 1; k < j; ++k) sum -= at(a, np, i, k) * at(a, np, k, j);
      at(a, np, i, j) = sum;
      const double t = scale[i] * std::fabs(sum);
      if (t >= largest) {
        p = i;
        largest = t;
      }
    }
    if (p != j) {
      for (int k = 1; k <= n; ++k) {
        const double t = at(a, np, p, k);
        at(a, np, p, k) = at(a, np, j, k);
        at(a, np, j, k) = t;
      }
      d = -d;
      scale[p] = scale[j];
    }
    indx[j - 1] = p;
    if (j != n) {
      if (at(a, np, j, j) == 0.0) at(a, np, j, j) = kTiny;
      const double r = 1.0 / at(a, np, j, j);
      for (int i = j + 1; i <= n; ++i) at(a, np, i, j) *= r;
    }
  }
  if (at(a, np, n, n) == 0.0) at(a, np, n, n) = kTiny;
  ier = kLuDone;
}

void lubksb(const double* a, int n, int np, const int* indx, double* b) {
  if (!order_ok(n, np)) return;
  // Forward substitution; `first` marks the first non-zero element of b so
  // that leading zeros cost nothing.
  int first = 0;
  for (int i = 1; i <= n; ++i) {
    const int r = indx[i - 1];
    double sum = b[r - 1];
    b[r - 1] = b[i - 1];
    if (first != 0) {
      for (int j = first; j < i; ++j) sum -= at(a, np, i, j) * b[j - 1];
    } else if (sum != 0.0) {
      first = i;
    }
    b[i - 1] = sum;
  }
  for (int i = n; i >= 1; --i) {
    double sum = b[i - 1];
    for (int j = i + 1; j <= n; ++j) sum -= at(a, np, i, j) * b[j - 1];
    b[i - 1] = sum / at(a, np, i, i);
  }
}

void matinv(double* A, int n, int np, int& ier) {
  // Work storage of fixed size on the stack: the order never exceeds 12.
  constexpr int ld = kMaxOrder;
  std::array<double, ld * ld> Y{};
  std::array<int, kMaxOrder> indx{};
  if (!order_ok(n, np)) {
    ier = kLuZeroRow;
    return;
  }
  for (int j = 1; j <= n; ++j) {
    for (int i = 1; i <= n; ++i) at(Y.data(), ld, i, j) = 0.0;
    at(Y.data(), ld, j, j) = 1.0;
  }
  double d = 1.0;
  ludcmp(A, n, np, indx.data(), d, ier);
  if (ier == kLuZeroRow) return;  // A unchanged
  for (int j = 1; j <= n; ++j) lubksb(A, n, np, indx.data(), &at(Y.data(), ld, 1, j));
  for (int j = 1; j <= n; ++j)
    for (int i = 1; i <= n; ++i) at(A, np, i, j) = at(Y.data(), ld, i, j);
}

}  // namespace tsd
