// Straight-line fit and P0 estimate (see fit.h).
#include "analysis/fit.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace tsd {

namespace {

// Half-width added to the x window of the line fit, in units of x.
constexpr double kWindowTolerance = 1e-5;

// Last 1-based index that all arrays hold.
int common_size(std::size_t a, std::size_t b) { return static_cast<int>(std::min(a, b)); }

double squared_deviation(std::span<const double> y, std::span<const double> f, double P0, int first,
                         int last) {
  first = std::max(first, 1);
  last = std::min(last, common_size(y.size(), f.size()));
  double sum = 0.0;
  for (int i = first; i <= last; ++i) {
    const double d = y[i - 1] - P0 * f[i - 1];
    sum = sum + d * d;
  }
  return sum;
}

// Root-mean-square deviation over first..last; 0 for an empty range.
double rms(double sum, int first, int last) {
  const int count = last - first + 1;
  if (count < 1) return 0.0;
  return std::sqrt(sum / count);
}

}  // namespace

void divdarr(std::span<double> P, double b, int N) {
  const double r = 1.0 / b;
  const int n = std::min(N, static_cast<int>(P.size()));
  for (int i = 1; i <= n; ++i) P[i - 1] = r * P[i - 1];
}

void fit2(std::span<const double> x, std::span<const double> y, double xa, double xb, int i1,
          int i2, double& a, double& slope, double& sa, double& sb, double& chi2, int& n1,
          int& n2) {
  slope = 0.0;
  i1 = std::max(i1, 1);
  i2 = std::min(i2, common_size(x.size(), y.size()));

  // Count, not search: for x falling with the index these are the first and
  // the last point inside the window.
  int above = 0;
  int below = 0;
  for (int i = i1; i <= i2; ++i) {
    if (x[i - 1] > xb + kWindowTolerance) ++above;
    if (x[i - 1] < xa - kWindowTolerance) ++below;
  }
  n1 = i1 + above;
  n2 = i2 - below;
  const int m = n2 - n1 + 1;
  if (m < 2) return;

  double sx = 0.0;
  double sy = 0.0;
  for (int i = n1; i <= n2; ++i) {
    sx = sx + x[i - 1];
    sy = sy + y[i - 1];
  }
  const double xm = sx / m;
  double stt = 0.0;
  double sxy = 0.0;
  for (int i = n1; i <= n2; ++i) {
    const double t = x[i - 1] - xm;
    stt = stt + t * t;
    sxy = sxy + t * y[i - 1];
  }
  slope = sxy / stt;
  a = (sy - sx * slope) / m;

  chi2 = 0.0;
  for (int i = n1; i <= n2; ++i) {
    const double r = y[i - 1] - a - slope * x[i - 1];
    chi2 = chi2 + r * r;
  }

  if (m == 2) {
    // A line through two points leaves no scatter to estimate an error from.
    sa = 0.0;
    sb = 0.0;
    return;
  }
  const double s = std::sqrt(chi2 / (m - 2));
  sa = s * std::sqrt((1.0 + sx * sx / (m * stt)) / m);
  sb = s * std::sqrt(1.0 / stt);
}

void findp(std::span<const double> J, std::span<const double> Ja1, std::span<const double> Pd,
           std::span<const double> Pa1, int j1, int j2, int i0, int p1, int p2, int method,
           double& P0, double& sJ, double& sP) {
  // Ranges cut to the arrays, so the sums and their point counts agree.
  j1 = std::max(j1, 1);
  j2 = std::min(j2, common_size(J.size(), Ja1.size()));
  p1 = std::max(p1, 1);
  p2 = std::min(p2, common_size(Pd.size(), Pa1.size()));
  if (method == 1) {
    // Least-squares scale of the model current to the measured current.
    double sjf = 0.0;
    double sff = 0.0;
    for (int i = j1; i <= j2; ++i) {
      sjf = sjf + J[i - 1] * Ja1[i - 1];
      sff = sff + Ja1[i - 1] * Ja1[i - 1];
    }
    P0 = sjf / sff;
  } else if (method == 2) {
    // Least-squares scale of the model polarisation to Pd.
    double spf = 0.0;
    double sff = 0.0;
    for (int i = p1; i <= p2; ++i) {
      spf = spf + Pd[i - 1] * Pa1[i - 1];
      sff = sff + Pa1[i - 1] * Pa1[i - 1];
    }
    P0 = spf / sff;
  } else if (method == 3) {
    // The polarisation at the start of the integrated range.
    if (i0 >= 1 && i0 <= static_cast<int>(Pd.size())) P0 = Pd[i0 - 1];
  }
  sJ = rms(fjm(J, Ja1, P0, j1, j2), j1, j2);
  sP = rms(fpm(Pd, Pa1, P0, p1, p2), p1, p2);
}

double fjm(std::span<const double> y, std::span<const double> f, double P0, int first, int last) {
  return squared_deviation(y, f, P0, first, last);
}

double fpm(std::span<const double> y, std::span<const double> f, double P0, int first, int last) {
  return squared_deviation(y, f, P0, first, last);
}

}  // namespace tsd
