#include "multipeak/funcsubr2.h"

#include <cmath>
#include <limits>

#include "analysis/funcs.h"
#include "analysis/model_constants.h"
#include "analysis/var.h"
#include "multipeak/fitscope.h"
#include "multipeak/objective_blocks.h"
#include "multipeak/records.h"

namespace tsd {

namespace {

// ---- constants ----
constexpr double kRelStep = 1e-5;                     // relative derivative step
constexpr double kHalf = 0.5;                         // half-step factor
constexpr double kVarianceFloor = 1e-100;             // keeps s2 positive when S = 0
constexpr int kLd = kMaxParams;                       // leading dimension of alpha

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// ---- helpers ----

// The fitted index range clipped to the capacity of the measured curve.
int first_point() { return numbers.n1 < 1 ? 1 : numbers.n1; }
int last_point() {
  return numbers.n2 > ArraysRecord::capacity ? ArraysRecord::capacity : numbers.n2;
}

// Central difference over a step h; a step of 0 (the parameter is 0) has no
// difference quotient, and the derivative is taken as 0.
double central(double up, double down, double h) { return h == 0.0 ? 0.0 : (up - down) / h; }

double variance(double S) {
  const int n1 = numbers.n1;
  const int n2 = numbers.n2;
  return n2 > n1 ? (kVarianceFloor + S) / (n2 - n1) : kVarianceFloor + S;
}

}  // namespace

// ---- model, objective and derivatives ----

double funca(double T, const double* a, int n) {
  if (n > kMaxParams) return kNaN;
  const int m = n / 3;
  double sum = 0.0;
  for (int p = 1; p <= m; ++p) {
    const double Jm = a[p - 1];
    const double Tm = a[m + p - 1];
    const double Ea = a[2 * m + p - 1];
    sum += funcsubr2::fun2(T, Jm, Tm, Ea);
  }
  return sum;
}

namespace {

// Each peak's terms that do not depend on T, derived as func_reference
// derives them; m = nparam/3 peaks of a.
void peak_constants(const double* a, int m, PeakConstants* peaks) {
  for (int p = 1; p <= m; ++p) {
    PeakConstants& pk = peaks[p - 1];
    const double Jm = a[p - 1];
    const double Tm = a[m + p - 1];
    pk.Ea = a[2 * m + p - 1];
    pk.tau0 = ftau0(Tm, pk.Ea);
    pk.P0 = Jm * pk.tau0 / funcsubr2::fun(Tm, pk.tau0, pk.Ea);
    const funcsubr2::PeakTerms terms = funcsubr2::peakterms(pk.tau0, pk.Ea);
    pk.s = terms.s;
    pk.start = terms.start;
  }
}

// The objective with the points' work done by `residuals` (called once
// with all points of the fitted range) and the sum taken in point order, as
// the reference takes it.
template <typename Residuals>
double blocked_objective(const double* a, Residuals residuals) {
  const int nparam = numbers.nparam;
  if (nparam < 3 || nparam > kMaxParams) return func_reference(a);
  const int m = nparam / 3;
  PeakConstants peaks[kMaxPeaks];
  peak_constants(a, m, peaks);
  const int first = first_point();
  const int count = last_point() - first + 1;
  if (count <= 0) return 0.0;
  double r2[ArraysRecord::capacity];
  residuals(peaks, m, arrays.T + (first - 1), arrays.J + (first - 1), count, r2);
  double sum = 0.0;
  for (int i = 0; i < count; ++i) sum += r2[i];
  // Every number is the reference's bit for bit; a NaN (a model value at
  // Ea or Tm not above 0) is too, but its sign and payload depend on the
  // order in which the compiler happened to put two NaN operands, so that
  // rare value is taken from the reference itself.
  if (std::isnan(sum)) return func_reference(a);
  return sum;
}

}  // namespace

double func(const double* a) {
  return blocked_objective(a, [](const PeakConstants* peaks, int m, const double* T,
                                 const double* J, int count, double* r2) {
    if (FitScope* fit = running_fit())
      fit->cache.residual_squares(peaks, m, T, J, count, r2);
    else
      residual_squares(peaks, m, T, J, count, r2);
  });
}

double func_on(VectorIsa isa, const double* a) {
  return blocked_objective(a, [isa](const PeakConstants* peaks, int m, const double* T,
                                    const double* J, int count, double* r2) {
    residual_squares_on(isa, peaks, m, T, J, count, r2);
  });
}

double func_reference(const double* a) {
  const int nparam = numbers.nparam;
  const int m = nparam / 3;
  if (nparam < 3 || nparam > kMaxParams) {
    double sum = 0.0;
    for (int i = first_point(); i <= last_point(); ++i) {
      const double r = arrays.J[i - 1] - funca(arrays.T[i - 1], a, nparam);
      sum += r * r;
    }
    return sum;
  }
  // Each peak's tau0 and P0, and the terms of fun1 that do not depend on T,
  // depend on its parameters only: derived once here exactly as fun2 derives
  // them, so that every point gives fun2's value bit for bit at a fraction
  // of the cost.
  double tau0[kMaxPeaks], P0[kMaxPeaks], Ea[kMaxPeaks];
  funcsubr2::PeakTerms terms[kMaxPeaks];
  for (int p = 1; p <= m; ++p) {
    const double Jm = a[p - 1];
    const double Tm = a[m + p - 1];
    Ea[p - 1] = a[2 * m + p - 1];
    tau0[p - 1] = ftau0(Tm, Ea[p - 1]);
    P0[p - 1] = Jm * tau0[p - 1] / funcsubr2::fun(Tm, tau0[p - 1], Ea[p - 1]);
    terms[p - 1] = funcsubr2::peakterms(tau0[p - 1], Ea[p - 1]);
  }
  double sum = 0.0;
  for (int i = first_point(); i <= last_point(); ++i) {
    const double T = arrays.T[i - 1];
    double model = 0.0;
    for (int p = 0; p < m; ++p) model += funcsubr2::fun1_at(T, P0[p], tau0[p], Ea[p], terms[p]);
    const double r = arrays.J[i - 1] - model;
    sum += r * r;
  }
  return sum;
}

double dfunca(double T, const double* a, int j, int n) {
  if (n < 3 || n > kMaxParams) return kNaN;
  const int m = n / 3;
  if (j < 1 || j > 3 * m) return kNaN;
  // The peak that a(j) belongs to, and which of its three parameters it is.
  const int kind = (j - 1) / m;  // 0 Jm, 1 Tm, 2 Ea
  const int p = j - kind * m;
  double par[3] = {a[p - 1], a[m + p - 1], a[2 * m + p - 1]};
  const double h = a[j - 1] * kRelStep;
  if (h == 0.0) return 0.0;  // no relative step for a parameter of 0
  const double centre = par[kind];
  par[kind] = centre + kHalf * h;
  const double up = funcsubr2::fun2(T, par[0], par[1], par[2]);
  par[kind] = centre - kHalf * h;
  const double down = funcsubr2::fun2(T, par[0], par[1], par[2]);
  return central(up, down, h);
}

// ---- curvature matrix ----

void setupalpha(const double* a, double S, double* alpha) {
  const int n = numbers.nparam;
  if (n < 0 || n > kMaxParams) return;
  const double r = 1.0 / variance(S);
  double sums[kMaxParams * kMaxParams] = {};
  double d[kMaxParams];
  for (int i = first_point(); i <= last_point(); ++i) {
    const double T = arrays.T[i - 1];
    for (int k = 1; k <= n; ++k) d[k - 1] = dfunca(T, a, k, n);
    for (int j = 1; j <= n; ++j)
      for (int k = 1; k <= n; ++k) sums[(j - 1) * kLd + (k - 1)] += d[k - 1] * d[j - 1];
  }
  for (int j = 1; j <= n; ++j)
    for (int k = 1; k <= n; ++k) alpha[(j - 1) * kLd + (k - 1)] = sums[(j - 1) * kLd + (k - 1)] * r;
}

void setupalpha_per_element(const double* a, double S, double* alpha) {
  const int n = numbers.nparam;
  if (n < 0 || n > kMaxParams) return;
  const double r = 1.0 / variance(S);
  for (int j = 1; j <= n; ++j) {
    for (int k = 1; k <= n; ++k) {
      double sum = 0.0;
      for (int i = first_point(); i <= last_point(); ++i) {
        const double T = arrays.T[i - 1];
        sum += dfunca(T, a, k, n) * dfunca(T, a, j, n);
      }
      alpha[(j - 1) * kLd + (k - 1)] = sum * r;
    }
  }
}

// ---- tau0, P0 and their errors ----

double ftau0(double Tm, double Ea) {
  const double kT = model::kBoltzmann * Tm;
  return kT * Tm * std::exp(-Ea / kT) / (Ea * var.b);
}

double fp0(double Jm, double Tm, double Ea) {
  const double tau0 = ftau0(Tm, Ea);
  return tau0 * Jm / funcsubr2::fun(Tm, tau0, Ea);
}

void errcalc(double Jm, double sJm, double Tm, double sTm, double Ea, double sEa, double& stau0,
             double& sP0) {
  const double hT = kRelStep * Tm;
  const double hE = kRelStep * Ea;
  const double hJ = kRelStep * Jm;

  const double dtau_dT = central(ftau0(Tm + kHalf * hT, Ea), ftau0(Tm - kHalf * hT, Ea), hT);
  const double dtau_dE = central(ftau0(Tm, Ea + kHalf * hE), ftau0(Tm, Ea - kHalf * hE), hE);
  stau0 = std::sqrt((dtau_dT * sTm) * (dtau_dT * sTm) + (dtau_dE * sEa) * (dtau_dE * sEa));

  const double dP_dJ = central(fp0(Jm + kHalf * hJ, Tm, Ea), fp0(Jm - kHalf * hJ, Tm, Ea), hJ);
  const double dP_dT = central(fp0(Jm, Tm + kHalf * hT, Ea), fp0(Jm, Tm - kHalf * hT, Ea), hT);
  const double dP_dE = central(fp0(Jm, Tm, Ea + kHalf * hE), fp0(Jm, Tm, Ea - kHalf * hE), hE);
  sP0 = std::sqrt((dP_dJ * sJm) * (dP_dJ * sJm) + (dP_dT * sTm) * (dP_dT * sTm) +
                  (dP_dE * sEa) * (dP_dE * sEa));
}

}  // namespace tsd
