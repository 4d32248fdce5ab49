// Model of one first-order thermally stimulated depolarization peak.
//
// For a sample heated linearly from T0 at the rate b (both read from the
// record `var`) and a relaxation time tau(T) = tau0 * exp(Ea / (k*T)):
//   J(T) = (P0/tau0) * exp(-Ea/(k*T) - I(T)/(b*tau0)),
//   P(T) = P0 * exp(-I(T)/(b*tau0)),
// with I(T) the integral from T0 to T of exp(-Ea/(k*T')) dT', expressed
// through the exponential integral E1 (never integrated numerically).
//
// Units: T, T0, Tm [K]; Ea [eV]; tau0 [s]; P0 [C/cm2]; J, Jm [A/cm2]; b [K/s].
//
// Two sets of the same routines:
//  - tsd::fun ... tsd::dexp10: the full module of varnel1, mokrin1 and
//    mokrin2. dem1 writes " Non-positive argument in DEM1" and the series
//    and continued fraction write " ITMAX too small in DEM1" as a line on
//    standard output, then carry on.
//  - tsd::funcsubr2::fun ... decfm: varnel2's set (fun2, fun1, fun, f1, dem1,
//    deserm, decfm), computed by the same code, writing nothing.
//
// None of the routines validates its arguments: T, T0, tau0, b and Ea must be
// positive for a defined result. dem1 of a non-positive argument returns a
// quiet NaN (after its diagnostic line), so every model value built on it is
// NaN as well.
#pragma once

namespace tsd {

// Normalised current j(T) = J(T)*tau0/P0.
double fun(double T, double tau0, double Ea);
// Current density J(T) = P0*fun(T, tau0, Ea)/tau0.
double fun1(double T, double P0, double tau0, double Ea);
// J(T) of the peak whose maximum Jm lies at Tm (tau0 and P0 derived).
double fun2(double T, double Jm, double Tm, double Ea);
// Normalised polarisation p(T) = P(T)/P0.
double funp(double T, double tau0, double Ea);
// Polarisation P(T) = P0*funp(T, tau0, Ea).
double funp1(double T, double P0, double tau0, double Ea);
// P(T) of the peak whose maximum Jm lies at Tm.
double funp2(double T, double Jm, double Tm, double Ea);
// 1/x - e^x*E1(x); a 25-term asymptotic sum above x = 25.
double f1(double x);
// e^x*E1(x): power series below x = 3, continued fraction from x = 3.
double dem1(double x);
// r := -e^x*E1(x) by the power series (accurate to about eight digits).
void deserm(double& r, double x);
// r := -e^x*E1(x) by the continued fraction.
void decfm(double& r, double x);
// exp(2.3025851249694824*x): 10^x to the accuracy of a single-precision ln 10.
double dexp10(double x);

// varnel2's copy of the model routines: same constants and steps, no
// diagnostics on standard output.
namespace funcsubr2 {
double fun(double T, double tau0, double Ea);
double fun1(double T, double P0, double tau0, double Ea);
double fun2(double T, double Jm, double Tm, double Ea);
double f1(double x);
double dem1(double x);
void deserm(double& r, double x);
void decfm(double& r, double x);

// The terms of fun1 that depend on the peak alone, not on T: the logarithm s
// and the start-temperature term exp(s - x0)·f1(x0). A fit evaluates each
// peak at every measured point; preparing these once per peak halves the
// work, and fun1_at gives fun1's value bit for bit.
struct PeakTerms {
  double s = 0.0;
  double start = 0.0;
};
PeakTerms peakterms(double tau0, double Ea);
double fun1_at(double T, double P0, double tau0, double Ea, const PeakTerms& terms);
}  // namespace funcsubr2

}  // namespace tsd
