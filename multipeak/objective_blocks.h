// The per-point work of the fit's objective, done over blocks of points.
//
// For every point the same IEEE operations are done on the same operands in
// the same order as funcsubr2::fun1_at and the reference objective do, so
// every value is the same bit for bit. What changes is only the order in
// which independent points are visited: a block of points goes through each
// step together, so the long serial chains of f1's asymptotic sum and of
// dem1's continued fraction run for several points at once in the lanes of
// the vector registers, and the library exponentials of different points
// overlap in the processor (an exponential whose argument is so negative
// that its value is +0 is not called). Where the processor has wider vector
// units (AVX2, AVX-512), a copy of the kernel built for them is chosen by one
// check at run time; the arithmetic is the same on every copy (no
// contraction into fused multiply-adds, no reassociation).
#pragma once

namespace tsd {

// The values of one peak that do not depend on T, derived once per
// objective call: Ea, the logarithm s and start term of
// funcsubr2::peakterms, P0 and tau0.
struct PeakConstants {
  double Ea = 0.0;
  double s = 0.0;
  double start = 0.0;
  double P0 = 0.0;
  double tau0 = 0.0;
};

// For i in [0, count): r2[i] = (J[i] - model(T[i]))^2, where model is the sum
// over the m peaks (in peak order, from 0.0) of
// funcsubr2::fun1_at(T[i], P0, tau0, Ea, {s, start}).
// Uses the widest instruction set the processor has (asked once).
void residual_squares(const PeakConstants* peaks, int m, const double* T, const double* J,
                      int count, double* r2);

// One peak alone: c[i] = funcsubr2::fun1_at(T[i], P0, tau0, Ea, {s, start})
// for i in [0, count), with the widest instruction set. e[i] gets the
// exponential exp(-x - ab) of that value, which depends on Ea, s and start
// only: c[i] = P0*e[i]/tau0.
void peak_currents(const PeakConstants& peak, const double* T, int count, double* c,
                   double* e);

// c[i] = P0*e[i]/tau0: the currents of a peak that differs from the one e
// was computed for in P0 and tau0 only.
void currents_from_exponentials(double P0, double tau0, const double* e, int count, double* c);

// r2[i] = (J[i] - model)^2 with model the sum of currents[p][i] over the m
// peaks in peak order from 0.0: what residual_squares gives from the
// currents of peak_currents.
void residuals_from_currents(const double* const* currents, int m, const double* J, int count,
                             double* r2);

// The instruction sets the kernel has a copy for.
enum class VectorIsa { baseline, avx2, avx512 };  // baseline: any x86-64 (SSE2)

bool isa_supported(VectorIsa isa);

// residual_squares with the copy for isa (the baseline one when the
// processor lacks isa): for the tests and benchmarks of every path.
void residual_squares_on(VectorIsa isa, const PeakConstants* peaks, int m, const double* T,
                         const double* J, int count, double* r2);

}  // namespace tsd
