// Straight-line fit of the Arrhenius plot and the estimate of the saturation
// polarisation P0.
//
// Arrays are the caller's vectors; index arguments are 1-based and inclusive
// (first, last), as the analysis numbers its points: element i is array[i-1].
// A range is cut to the elements the arrays hold, so no routine reads or
// writes outside them; an empty or reversed range contributes nothing.
#pragma once

#include <span>

namespace tsd {

// P(i) := (1/b)*P(i) for i = 1..N, multiplying by the reciprocal formed once.
// N <= 0 does nothing.
void divdarr(std::span<double> P, double b, int N);

// Least-squares line y = a + slope*x over the points of i1..i2 whose x lies in
// [xa - 1e-5, xb + 1e-5] (x falling with the index): n1 and n2 are the first
// and last point used; sa and sb are the standard errors of a and slope from
// the residual scatter, chi2 the sum of squared residuals. With fewer than
// two points (n2 - n1 < 1) only slope (:= 0), n1 and n2 are written. With
// exactly two points the scatter cannot be estimated: sa = sb = 0.
void fit2(std::span<const double> x, std::span<const double> y, double xa, double xb, int i1,
          int i2, double& a, double& slope, double& sa, double& sb, double& chi2, int& n1, int& n2);

// P0 by method 1 (scale of the model current Ja1 to J over j1..j2), 2 (scale
// of the model polarisation Pa1 to Pd over p1..p2) or 3 (Pd(i0)); any other
// method, or an i0 outside the array, leaves P0 as it was. Then the rms
// deviations sJ over j1..j2 and sP over p1..p2 with that P0 (0 for an empty
// range).
void findp(std::span<const double> J, std::span<const double> Ja1, std::span<const double> Pd,
           std::span<const double> Pa1, int j1, int j2, int i0, int p1, int p2, int method,
           double& P0, double& sJ, double& sP);

// Sum over i = first..last of (y(i) - P0*f(i))^2; 0 for an empty range.
double fjm(std::span<const double> y, std::span<const double> f, double P0, int first, int last);
// The same sum, under the name the polarisation deviation uses.
double fpm(std::span<const double> y, std::span<const double> f, double P0, int first, int last);

}  // namespace tsd
