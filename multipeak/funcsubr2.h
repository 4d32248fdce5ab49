// The numerical side of the multi-peak fit apart from the minimiser and the
// matrix inversion: the model current of a sum of first-order peaks, the
// objective (sum of squared residuals), the curvature matrix from which the
// fit's standard errors come, and tau0 and P0 of a peak with their
// propagated errors. The peaks are varnel2's silent model set.
//
// Parameter vectors have the layout of FitVectorRecord::a: for m = n/3 peaks,
// Jm of peaks 1..m, then their Tm, then their Ea. j in dfunca is 1-based.
// The objective reads the global records `arrays` and `numbers`.
#pragma once

#include "multipeak/objective_blocks.h"

namespace tsd {

// Sum over the m = n/3 peaks of fun2(T, Jm, Tm, Ea); 0 when n < 3, NaN when
// n > 12 (beyond the vector's capacity).
double funca(double T, const double* a, int n);

// The objective: sum over i = n1..n2 of (J(i) - funca(T(i), a, nparam))^2,
// not divided by anything. Points outside 1..800 are skipped. Allocates
// nothing. The points are evaluated in blocks (objective_blocks.h); while a
// fit runs (fitscope.h) the currents of peaks met in recent calls are
// reused. The residuals are summed in point order: the value is
// func_reference's bit for bit.
double func(const double* a);

// func outside a fit (no kept currents) with the kernel copy for isa (the
// baseline one when the processor lacks it): for tests and benchmarks.
double func_on(VectorIsa isa, const double* a);

// The same objective one point after the other: funca's sum bit for bit,
// with each peak's tau0 and P0 derived once per call instead of once per
// point. The reference the fast objective is tested against.
double func_reference(const double* a);

// Central-difference derivative of funca with respect to a(j), step
// h = a(j)*1e-5 over +-h/2; only the peak that a(j) belongs to is evaluated.
// A parameter equal to 0 has no relative step: its derivative is taken as 0
// (errcalc does the same)
// (the parameter is held fixed at 0 by its box a/Q .. a*Q anyway). NaN when
// j is outside 1..n or n outside 3..12.
double dfunca(double T, const double* a, int j, int n);

// Curvature matrix alpha(k, j) = sum over the fitted points of
// dfunca(k)*dfunca(j), times 1/s2 with s2 = (1e-100 + S)/(n2 - n1) (or
// 1e-100 + S for one point), for j, k = 1..nparam. alpha is 12 x 12 column
// after column (element (k, j) at alpha[(j-1)*12 + k-1]); only the
// nparam x nparam block is written, and nothing when nparam is outside 0..12.
// Each derivative is evaluated once per point and parameter.
void setupalpha(const double* a, double S, double* alpha);

// The same matrix with every derivative evaluated afresh for every element
// (2*nparam^2 derivatives per point). Gives the same matrix bit for bit.
void setupalpha_per_element(const double* a, double S, double* alpha);

// tau0 [s] of the peak whose maximum lies at Tm: k*Tm^2*exp(-Ea/(k*Tm))/(Ea*b).
double ftau0(double Tm, double Ea);

// P0 [C/cm2] of the peak: tau0*Jm/fun(Tm, tau0, Ea).
double fp0(double Jm, double Tm, double Ea);

// Propagated standard errors of tau0 and P0 of one peak from those of Jm, Tm
// and Ea (central differences with relative steps 1e-5, correlations
// ignored).
void errcalc(double Jm, double sJm, double Tm, double sTm, double Ea, double sEa, double& stau0,
             double& sP0);

}  // namespace tsd
