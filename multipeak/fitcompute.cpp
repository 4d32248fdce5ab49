#include "multipeak/fitcompute.h"

#include <cmath>
#include <limits>

#include "analysis/funcs.h"
#include "multipeak/funcsubr2.h"
#include "multipeak/matinv.h"

namespace tsd {

namespace {

constexpr int kLd = kMaxParams;  // leading dimension of alpha
constexpr int kFirstFitColumn = 6;
constexpr int kFitSumColumn = 10;

int enabled_count(const int peakon[kMaxPeaks]) {
  int m = 0;
  for (int k = 0; k < kMaxPeaks; ++k)
    if (peakon[k] == 1) ++m;
  return m;
}

bool grid_ok(int Nout) { return Nout >= 0 && Nout <= CurveArray::rows; }

}  // namespace

void fitcurves(int Nout, const FitResults& res, CurveArray& curves) {
  if (!grid_ok(Nout)) return;
  const double* tout = curves.col[0];
  for (int k = 1; k <= kMaxPeaks; ++k) {
    if (res.hasvalues[k - 1] != 1) continue;
    double* c = curves.col[kFirstFitColumn - 1 + k];
    for (int i = 0; i < Nout; ++i)
      c[i] = funcsubr2::fun2(tout[i], res.Jmfit[k - 1], res.Tmfit[k - 1], res.Eafit[k - 1]);
  }
  const int m = enabled_count(res.fitpeakon);
  if (m >= 1) {
    double* c = curves.col[kFitSumColumn];
    for (int i = 0; i < Nout; ++i) c[i] = funca(tout[i], res.afit, 3 * m);
  }
}

int fitcompute(const int peakon[kMaxPeaks], int Ldiv, double Del, int Nout, CurveArray& curves,
               FitResults& res) {
  const int m = enabled_count(peakon);
  const int n = numbers.nparam;
  if (n != 3 * m || !grid_ok(Nout)) return kFitBadRequest;

  // Minimise from the start vector inside the box. On a refusal nothing of
  // an earlier fit is overwritten with values that do not belong together.
  double afit[kMaxParams];
  double S = 0.0;
  mina(func, n, Ldiv, Del, fitvector.bounds, fitvector.a, afit, S, res.minstatus);
  if (res.minstatus != kMinaDone) return kFitNotMinimised;
  // A sum of squares that is not a number gives no fit: nothing is taken.
  if (!std::isfinite(S)) return kFitNotFinite;
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(afit[i])) return kFitNotFinite;
  }
  for (int i = 0; i < n; ++i) res.afit[i] = afit[i];
  for (int k = 0; k < kMaxPeaks; ++k) res.fitpeakon[k] = peakon[k] == 1 ? 1 : 0;
  res.Smin = S;
  res.Chi = std::sqrt(S);

  // Curvature matrix and its inverse.
  setupalpha(res.afit, res.Smin, res.alpha);
  matinv(res.alpha, n, kLd, res.invstatus);
  const bool inverted = res.invstatus != kLuZeroRow;
  const double nan = std::numeric_limits<double>::quiet_NaN();

  // Per enabled peak: fitted values, tau0 and P0, and the standard errors.
  int j = 0;
  for (int k = 1; k <= kMaxPeaks; ++k) {
    if (peakon[k - 1] != 1) continue;
    ++j;
    const int e = k - 1;
    res.hasvalues[e] = 1;
    res.Jmfit[e] = res.afit[j - 1];
    res.Tmfit[e] = res.afit[m + j - 1];
    res.Eafit[e] = res.afit[2 * m + j - 1];
    res.tau0[e] = ftau0(res.Tmfit[e], res.Eafit[e]);
    res.P0[e] = fp0(res.Jmfit[e], res.Tmfit[e], res.Eafit[e]);
    if (inverted) {
      res.sJm[e] = std::sqrt(res.alpha[(j - 1) * kLd + (j - 1)]);
      res.sTm[e] = std::sqrt(res.alpha[(m + j - 1) * kLd + (m + j - 1)]);
      res.sEa[e] = std::sqrt(res.alpha[(2 * m + j - 1) * kLd + (2 * m + j - 1)]);
      errcalc(res.Jmfit[e], res.sJm[e], res.Tmfit[e], res.sTm[e], res.Eafit[e], res.sEa[e],
              res.stau0[e], res.sP0[e]);
    } else {
      // The diagonal of a matrix that was not inverted holds no variances.
      res.sJm[e] = res.sTm[e] = res.sEa[e] = res.stau0[e] = res.sP0[e] = nan;
    }
  }

  fitcurves(Nout, res, curves);
  return inverted ? kFitDone : kFitNotInverted;
}

}  // namespace tsd
