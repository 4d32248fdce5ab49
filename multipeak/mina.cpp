#include "multipeak/mina.h"

#include <cmath>

namespace tsd {

namespace {

constexpr double kDefaultStep = 0.1;  // used when Del <= 0
constexpr double kRefine = 0.1;       // step factor of one refinement
constexpr int kDoublingPeriod = 10;   // every 10th consecutive pattern move doubles

// Strict comparison of objective values; a number is better than a
// non-number, a non-number is never better than anything.
bool better(double trial, double best) {
  if (std::isnan(trial)) return false;
  if (std::isnan(best)) return true;
  return trial < best;
}

// Working vectors of the search: the base point, the trial point and the box
// widths. Kept between calls only as storage; every call starts afresh.
double X[kMaxParams];
double Y[kMaxParams];
double R[kMaxParams];

}  // namespace

void mina(Objective func, int n, int Ldiv, double Del, const Bounds& bounds, const double* a,
          double* afit, double& S, int& ier) {
  ier = kMinaDone;
  if (n > kMaxParams) {
    ier = kMinaTooMany;
    return;
  }
  if (n < 0) n = 0;
  const double* lo = bounds.lower;
  const double* hi = bounds.upper;

  // Start point moved into the box; the box itself checked row by row.
  for (int i = 0; i < n; ++i) {
    X[i] = a[i] >= lo[i] ? a[i] : lo[i];
    if (X[i] > hi[i]) X[i] = hi[i];
    if (hi[i] < lo[i] || std::isnan(lo[i]) || std::isnan(hi[i])) {
      ier = kMinaBadBox;
      return;
    }
    R[i] = hi[i] - lo[i];
  }

  double h = Del > 0.0 ? Del : kDefaultStep;
  int refinements = 0;
  double Fbase = func(X);

  for (;;) {
    // Restart from the base point.
    for (int i = 0; i < n; ++i) Y[i] = X[i];
    double F = Fbase;
    int pattern = 1;

    // Exploration sweeps, refined until one improves or refinements run out.
    bool improved = false;
    for (;;) {
      for (int i = 0; i < n; ++i) {
        if (X[i] < hi[i]) {
          const double up = X[i] + h * R[i];
          Y[i] = up < hi[i] ? up : hi[i];
          const double f = func(Y);
          if (better(f, F)) {
            F = f;
            continue;
          }
        }
        if (X[i] > lo[i]) {
          const double down = X[i] - h * R[i];
          Y[i] = down > lo[i] ? down : lo[i];
          const double f = func(Y);
          if (better(f, F)) {
            F = f;
            continue;
          }
        }
        Y[i] = X[i];
      }
      if (better(F, Fbase)) {
        improved = true;
        break;
      }
      if (refinements >= Ldiv) break;
      h *= kRefine;
      ++refinements;
      // A step that has underflowed to 0 can move nothing any more: further
      // refinements would only repeat the same trials (bounds a huge Ldiv).
      if (h == 0.0) break;
    }
    if (!improved) break;

    // Pattern moves from the explored point, repeated while they improve.
    for (;;) {
      Fbase = F;
      const double factor = pattern % kDoublingPeriod == 0 ? 2.0 : 1.0;
      bool moved = false;
      for (int i = 0; i < n; ++i) {
        const double d = (Y[i] - X[i]) * factor;
        X[i] = Y[i];
        if (d > 0.0) {
          const double t = X[i] + d;
          Y[i] = t < hi[i] ? t : hi[i];
          if (Y[i] > X[i]) moved = true;
        } else if (d < 0.0) {
          const double t = X[i] + d;
          Y[i] = t > lo[i] ? t : lo[i];
          if (Y[i] < X[i]) moved = true;
        } else {
          Y[i] = X[i];
        }
      }
      if (!moved) break;
      const double f = func(Y);
      if (!better(f, Fbase)) break;
      F = f;
      ++pattern;
    }
  }

  S = Fbase;
  for (int i = 0; i < n; ++i) afit[i] = X[i];
}

}  // namespace tsd
