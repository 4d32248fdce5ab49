// The computational core of the curve programs: the state of the one model
// peak and its grid, tau0 and P0 derived from the peak maximum (mokrin2), and
// the model curves Ja(T) and Pa(T) with their maxima. T0 and b come from the
// record `var`.
#pragma once

namespace tsd::peakcurve {

inline constexpr int kMaxGrid = 800;  // grid points

// Boltzmann's constant of the derivation of tau0 from Tm [eV/K]: a full
// double value, not the widened single value of the model functions.
inline constexpr double kBoltzmannDerivation = 8.6170637e-05;

struct PeakState {
  double Ea = 0.0;           // activation energy [eV]
  double Tm = 0.0;           // mokrin2: temperature of the current maximum [K]
  double Jm = 0.0;           // mokrin2: maximum current density [A/cm2]
  double tau0 = 0.0;         // [s]: input of mokrin1, derived in mokrin2
  double P0 = 0.0;           // [C/cm2]: input of mokrin1, derived in mokrin2
  double Tmin = 0.0;         // first grid temperature [K]
  double Tmax = 0.0;         // last grid temperature [K]
  int Nout = 0;              // grid points, 2..800
  double Ta[kMaxGrid] = {};  // grid [K]
  double Ja[kMaxGrid] = {};  // current density [A/cm2]
  double Pa[kMaxGrid] = {};  // polarisation [C/cm2]
  double Jamax = 0.0;
  double Pamax = 0.0;
};

// mokrin2: tau0 = k*Tm^2*exp(-Ea/(k*Tm))/(b*Ea) and P0 = tau0*Jm/fun(Tm, tau0, Ea),
// so that the model current at Tm is Jm. Refused (false, nothing changed)
// when Ea, Tm or b is 0, which would divide by zero.
bool derivetau0p0(PeakState& s);

// The grid Tmin + (i-1)*step, step = (Tmax - Tmin)/(Nout - 1), the curves
// fun1 and funp1 on it, and their largest values. Refused (false, nothing
// changed) when Nout is outside 2..800.
bool peakcurves(PeakState& s);

}  // namespace tsd::peakcurve
