// Model functions of a first-order peak (see funcs.h).
//
// Sections: constants; the shared implementation, which takes a switch for
// the diagnostic lines; the full module; varnel2's silent set.
#include "analysis/funcs.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "analysis/model_constants.h"
#include "analysis/var.h"

namespace tsd {

namespace {

// ---- Constants --------------------------------------------------------------

// The model's constants (analysis/model_constants.h).
using model::kAsymptoticSwitch;
using model::kAsymptoticTerms;
using model::kBoltzmann;
using model::kEuler;
using model::kInvBoltzmann;
using model::kLn10;
using model::kMaxSteps;
using model::kMaxTerms;
using model::kSeriesSwitch;
using model::kTolerance;

constexpr const char* kNonPositiveLine = " Non-positive argument in DEM1\n";
constexpr const char* kItmaxLine = " ITMAX too small in DEM1\n";

void diagnostic(bool diagnostics, const char* line) {
  if (diagnostics) std::fputs(line, stdout);
}

// ---- Shared implementation ----------------------------------------------------

void deserm_impl(double& r, double x, bool diagnostics) {
  // -e^x*E1(x) = e^x*(gamma + ln x + sum_{k>=1} (-1)^k x^k/(k*k!)).
  double sum = std::log(x) + kEuler - x;
  double t = -x;  // the term k = 1
  bool converged = false;
  for (int k = 2; k <= kMaxTerms; ++k) {
    t = -((k - 1) * t * x) / (k * k);
    sum = sum + t;
    if (std::fabs(t) < std::fabs(sum) * kTolerance) {
      converged = true;
      break;
    }
  }
  if (!converged) diagnostic(diagnostics, kItmaxLine);
  r = std::exp(x) * sum;
}

void decfm_impl(double& r, double x, bool diagnostics) {
  // e^x*E1(x) = 1/(x + 1/(1 + 1/(x + 2/(1 + 2/(x + ...))))) by forward
  // recurrences, renormalised by q at every step.
  double a0 = 1.0;
  double a1 = x;
  double b0 = 0.0;
  double b1 = 1.0;
  double q = 1.0;
  double g = 0.0;
  double gprev = 0.0;
  bool converged = false;
  for (int n = 1; n <= kMaxSteps; ++n) {
    a0 = (a1 + a0 * n) * q;
    b0 = (b1 + b0 * n) * q;
    const double nq = n * q;
    a1 = x * a0 + nq * a1;
    b1 = x * b0 + nq * b1;
    if (a1 != 0.0) {
      q = 1.0 / a1;
      g = b1 * q;
      if (std::fabs((g - gprev) / g) < kTolerance) {
        converged = true;
        break;
      }
      gprev = g;
    }
  }
  if (!converged) diagnostic(diagnostics, kItmaxLine);
  r = -g;
}

double dem1_impl(double x, bool diagnostics) {
  if (x <= 0.0) {
    // e^x*E1(x) is not defined here; the model values built on it become NaN
    // instead of whatever the logarithm of a non-positive number would give.
    diagnostic(diagnostics, kNonPositiveLine);
    return std::numeric_limits<double>::quiet_NaN();
  }
  double r = 0.0;
  if (x < kSeriesSwitch) {
    deserm_impl(r, x, diagnostics);
  } else {
    decfm_impl(r, x, diagnostics);
  }
  return -r;
}

double f1_impl(double x, bool diagnostics) {
  if (x <= kAsymptoticSwitch) return 1.0 / x - dem1_impl(x, diagnostics);
  // (1/x^2) * sum_{j=0}^{24} (-1)^j (j+1)!/x^j
  const double u = 1.0 / x;
  double t = 1.0;
  double s = 1.0;
  for (int n = 2; n <= kAsymptoticTerms; ++n) {
    t = -(t * n) * u;
    s = s + t;
  }
  return s / (x * x);
}

// A - B of the model: I(T)/(b*tau0), with A and B each formed as one
// exponential of s - x times f1, never as a product of a large and a small
// factor. Returns x through the argument for fun's exponent.
double decay_impl(double T, double tau0, double Ea, double& x, bool diagnostics) {
  x = Ea / (kBoltzmann * T);
  const double s = std::log(Ea * kInvBoltzmann / (tau0 * var.b));
  const double x0 = Ea / (kBoltzmann * var.T0);
  const double a = std::exp(s - x) * f1_impl(x, diagnostics);
  const double b = std::exp(s - x0) * f1_impl(x0, diagnostics);
  return a - b;
}

// decay_impl with the peak's own terms prepared beforehand (same operations
// on the same values, so the same result).
double decay_at(double T, double Ea, double s, double start, double& x) {
  x = Ea / (kBoltzmann * T);
  const double a = std::exp(s - x) * f1_impl(x, false);
  return a - start;
}

double fun_impl(double T, double tau0, double Ea, bool diagnostics) {
  double x = 0.0;
  const double ab = decay_impl(T, tau0, Ea, x, diagnostics);
  return std::exp(-x - ab);
}

double funp_impl(double T, double tau0, double Ea, bool diagnostics) {
  double x = 0.0;
  const double ab = decay_impl(T, tau0, Ea, x, diagnostics);
  return std::exp(-ab);
}

double fun1_impl(double T, double P0, double tau0, double Ea, bool diagnostics) {
  return P0 * fun_impl(T, tau0, Ea, diagnostics) / tau0;
}

double funp1_impl(double T, double P0, double tau0, double Ea, bool diagnostics) {
  return funp_impl(T, tau0, Ea, diagnostics) * P0;
}

// tau0 and P0 of the peak with maximum Jm at Tm (dJ/dT = 0 at Tm).
void peak_from_maximum(double Jm, double Tm, double Ea, double& tau0, double& P0,
                       bool diagnostics) {
  tau0 = (kBoltzmann * Tm) * Tm * std::exp(-Ea / (kBoltzmann * Tm)) / (Ea * var.b);
  P0 = Jm * tau0 / fun_impl(Tm, tau0, Ea, diagnostics);
}

double fun2_impl(double T, double Jm, double Tm, double Ea, bool diagnostics) {
  double tau0 = 0.0;
  double P0 = 0.0;
  peak_from_maximum(Jm, Tm, Ea, tau0, P0, diagnostics);
  return fun1_impl(T, P0, tau0, Ea, diagnostics);
}

double funp2_impl(double T, double Jm, double Tm, double Ea, bool diagnostics) {
  double tau0 = 0.0;
  double P0 = 0.0;
  peak_from_maximum(Jm, Tm, Ea, tau0, P0, diagnostics);
  return funp1_impl(T, P0, tau0, Ea, diagnostics);
}

constexpr bool kWrite = true;
constexpr bool kSilent = false;

}  // namespace

// ---- The full module (with diagnostics) -------------------------------------

double fun(double T, double tau0, double Ea) { return fun_impl(T, tau0, Ea, kWrite); }
double fun1(double T, double P0, double tau0, double Ea) {
  return fun1_impl(T, P0, tau0, Ea, kWrite);
}
double fun2(double T, double Jm, double Tm, double Ea) { return fun2_impl(T, Jm, Tm, Ea, kWrite); }
double funp(double T, double tau0, double Ea) { return funp_impl(T, tau0, Ea, kWrite); }
double funp1(double T, double P0, double tau0, double Ea) {
  return funp1_impl(T, P0, tau0, Ea, kWrite);
}
double funp2(double T, double Jm, double Tm, double Ea) {
  return funp2_impl(T, Jm, Tm, Ea, kWrite);
}
double f1(double x) { return f1_impl(x, kWrite); }
double dem1(double x) { return dem1_impl(x, kWrite); }
void deserm(double& r, double x) { deserm_impl(r, x, kWrite); }
void decfm(double& r, double x) { decfm_impl(r, x, kWrite); }
double dexp10(double x) { return std::exp(kLn10 * x); }

// ---- varnel2's set (silent) --------------------------------------------------

namespace funcsubr2 {
double fun(double T, double tau0, double Ea) { return fun_impl(T, tau0, Ea, kSilent); }
double fun1(double T, double P0, double tau0, double Ea) {
  return fun1_impl(T, P0, tau0, Ea, kSilent);
}
double fun2(double T, double Jm, double Tm, double Ea) { return fun2_impl(T, Jm, Tm, Ea, kSilent); }
double f1(double x) { return f1_impl(x, kSilent); }
double dem1(double x) { return dem1_impl(x, kSilent); }
void deserm(double& r, double x) { deserm_impl(r, x, kSilent); }
void decfm(double& r, double x) { decfm_impl(r, x, kSilent); }

PeakTerms peakterms(double tau0, double Ea) {
  PeakTerms t;
  t.s = std::log(Ea * kInvBoltzmann / (tau0 * var.b));
  const double x0 = Ea / (kBoltzmann * var.T0);
  t.start = std::exp(t.s - x0) * f1_impl(x0, kSilent);
  return t;
}

double fun1_at(double T, double P0, double tau0, double Ea, const PeakTerms& terms) {
  double x = 0.0;
  const double ab = decay_at(T, Ea, terms.s, terms.start, x);
  return P0 * std::exp(-x - ab) / tau0;
}
}  // namespace funcsubr2

}  // namespace tsd
