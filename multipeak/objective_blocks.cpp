#include "multipeak/objective_blocks.h"

#include <cmath>
#include <cstring>

#include "analysis/funcs.h"
#include "analysis/model_constants.h"

namespace tsd {

namespace {

constexpr int kBlock = 32;                  // points per block
constexpr int kGroup = 4;                   // vectors whose chains run side by side
// The model's constants, the same as the scalar routines use.
using model::kAsymptoticSwitch;
using model::kAsymptoticTerms;
using model::kBoltzmann;
using model::kMaxSteps;
using model::kTolerance;
constexpr double kFractionFrom = model::kSeriesSwitch;  // dem1's continued fraction from this x on
constexpr double kPaddingT = 300.0;         // T of the unused lanes of a last block
// Below this argument exp is +0 exactly (e^x is then under half the smallest
// subnormal, which every exp rounds to +0, and the library returns +0
// without computing); the call is spared.
constexpr double kExpZeroBelow = -746.0;

// W doubles in one vector register of the copy being built (2 SSE2, 4 AVX2,
// 8 AVX-512), and the lane masks its comparisons give.
template <int W>
struct Lanes {
  typedef double V __attribute__((vector_size(8 * W)));
  typedef long long M __attribute__((vector_size(8 * W)));
};

// The vector helpers below are always inlined into the copy for their
// instruction set, so no vector crosses a call: the note on the calling
// convention of vectors wider than the baseline does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"

#define TSD_INLINE __attribute__((always_inline)) inline

template <int W>
TSD_INLINE typename Lanes<W>::V load(const double* p) {
  typename Lanes<W>::V v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <int W>
TSD_INLINE void store(double* p, const typename Lanes<W>::V& v) {
  std::memcpy(p, &v, sizeof v);
}

// Lane by lane: a where the mask is set, b elsewhere (bitwise, so every bit of
// the chosen value is kept).
template <int W>
TSD_INLINE typename Lanes<W>::V select(const typename Lanes<W>::M& m, const typename Lanes<W>::V& a,
                                       const typename Lanes<W>::V& b) {
  using V = typename Lanes<W>::V;
  using M = typename Lanes<W>::M;
  return V((M(a) & m) | (M(b) & ~m));
}

// |v| lane by lane: the sign bit cleared, as fabs does.
template <int W>
TSD_INLINE typename Lanes<W>::V fabs_lanes(const typename Lanes<W>::V& v) {
  using V = typename Lanes<W>::V;
  using M = typename Lanes<W>::M;
  const M no_sign = (M{} == M{}) ^ (M{} + (1LL << 63));
  return V(M(v) & no_sign);
}

double exp_of(double v) { return v < kExpZeroBelow ? 0.0 : std::exp(v); }

// f1's asymptotic sum for the kBlock arguments x: (1/x^2) * sum_{j=0}^{24}
// (-1)^j (j+1)!/x^j, the terms formed by the same recurrence as the scalar
// code, kGroup vectors at a time so that their chains overlap.
template <int W>
TSD_INLINE void asymptotic_lanes(const double* x, double* f) {
  using V = typename Lanes<W>::V;
  const V one = V{} + 1.0;
  for (int i = 0; i < kBlock; i += kGroup * W) {
    V xv[kGroup], u[kGroup], t[kGroup], s[kGroup];
#pragma GCC unroll 8
    for (int g = 0; g < kGroup; ++g) {
      xv[g] = load<W>(x + i + g * W);
      u[g] = 1.0 / xv[g];
      t[g] = one;
      s[g] = one;
    }
    for (int n = 2; n <= kAsymptoticTerms; ++n) {
      const double dn = n;
#pragma GCC unroll 8
      for (int g = 0; g < kGroup; ++g) {
        t[g] = -(t[g] * dn) * u[g];
        s[g] = s[g] + t[g];
      }
    }
#pragma GCC unroll 8
    for (int g = 0; g < kGroup; ++g) store<W>(f + i + g * W, s[g] / (xv[g] * xv[g]));
  }
}

// e^x*E1(x) by dem1's continued fraction for kGroup*W arguments x >= 3 at
// once: every lane does the scalar code's steps in its order and keeps the
// value of the step at which it converged (or of the last step).
template <int W>
TSD_INLINE void fraction_lanes(const double* x, double* out) {
  using V = typename Lanes<W>::V;
  using M = typename Lanes<W>::M;
  const V zero = {};
  const V one = zero + 1.0;
  V xv[kGroup], a0[kGroup], a1[kGroup], b0[kGroup], b1[kGroup], q[kGroup], g[kGroup],
      gprev[kGroup], res[kGroup];
  M active[kGroup];
#pragma GCC unroll 8
  for (int k = 0; k < kGroup; ++k) {
    xv[k] = load<W>(x + k * W);
    a0[k] = one;
    a1[k] = xv[k];
    b0[k] = zero;
    b1[k] = one;
    q[k] = one;
    g[k] = zero;
    gprev[k] = zero;
    res[k] = zero;
    active[k] = zero == zero;
  }
  for (int n = 1; n <= kMaxSteps; ++n) {
    const double dn = n;
    M left = zero != zero;
#pragma GCC unroll 8
    for (int k = 0; k < kGroup; ++k) {
      a0[k] = (a1[k] + a0[k] * dn) * q[k];
      b0[k] = (b1[k] + b0[k] * dn) * q[k];
      const V nq = dn * q[k];
      a1[k] = xv[k] * a0[k] + nq * a1[k];
      b1[k] = xv[k] * b0[k] + nq * b1[k];
      const M nonzero = a1[k] != 0.0;
      const V qn = 1.0 / a1[k];
      const V gn = b1[k] * qn;
      const V d = (gn - gprev[k]) / gn;
      const M converged = nonzero & (fabs_lanes<W>(d) < kTolerance);
      q[k] = select<W>(nonzero, qn, q[k]);
      g[k] = select<W>(nonzero, gn, g[k]);
      res[k] = select<W>(active[k] & converged, g[k], res[k]);
      active[k] &= ~converged;
      gprev[k] = select<W>(nonzero, g[k], gprev[k]);
      left |= active[k];
    }
    bool any = false;
    for (int l = 0; l < W; ++l) any = any || left[l] != 0;
    if (!any) break;
  }
#pragma GCC unroll 8
  for (int k = 0; k < kGroup; ++k) store<W>(out + k * W, select<W>(active[k], g[k], res[k]));
}

// f1 for the lanes with x <= 25, where the scalar code takes 1/x - dem1(x):
// those with x >= 3 (dem1's continued fraction) kGroup*W at a time, the
// others (x below 3 or not above 0: dem1's series or its NaN) one by one.
template <int W>
TSD_INLINE void small_x_lanes(const double* x, double* f) {
  constexpr int kPack = kGroup * W;
  int lanes[kBlock];
  int n = 0;
  for (int i = 0; i < kBlock; ++i) {
    if (!(x[i] <= kAsymptoticSwitch)) continue;
    if (x[i] >= kFractionFrom)
      lanes[n++] = i;
    else
      f[i] = funcsubr2::f1(x[i]);
  }
  for (int first = 0; first < n; first += kPack) {
    alignas(64) double xs[kPack], g[kPack];
    for (int l = 0; l < kPack; ++l)
      xs[l] = x[lanes[first + l < n ? first + l : first]];  // spare lanes repeat one
    fraction_lanes<W>(xs, g);
    for (int l = 0; l < kPack && first + l < n; ++l) f[lanes[first + l]] = 1.0 / xs[l] - g[l];
  }
}

// One peak's current at every point of the block: for each point exactly the
// operations of fun1_at (x, f1(x), exp(s - x), the decay, exp(-x - ab),
// P0*e/tau0).
template <int W, int WF>
TSD_INLINE void peak_block(const PeakConstants& pk, const double* T, double* current,
                           double* e) {
  using V = typename Lanes<W>::V;
  alignas(64) double x[kBlock], f[kBlock], arg[kBlock];
  for (int i = 0; i < kBlock; i += W) store<W>(x + i, pk.Ea / (kBoltzmann * load<W>(T + i)));
  asymptotic_lanes<W>(x, f);
  small_x_lanes<WF>(x, f);
  // The two exponentials of every point: the library's scalar exp, so that
  // each value is the one the reference gets.
  for (int i = 0; i < kBlock; ++i) e[i] = exp_of(pk.s - x[i]);
  for (int i = 0; i < kBlock; i += W) {
    const V a = load<W>(e + i) * load<W>(f + i);
    const V ab = a - pk.start;
    store<W>(arg + i, -load<W>(x + i) - ab);
  }
  for (int i = 0; i < kBlock; ++i) e[i] = exp_of(arg[i]);
  for (int i = 0; i < kBlock; i += W) store<W>(current + i, pk.P0 * load<W>(e + i) / pk.tau0);
}

// W: doubles per vector of the elementwise steps and the asymptotic sum; WF:
// of the continued fraction (whose lane masks AVX-512 keeps in mask
// registers, which the vector code here cannot use: its copy takes 4).
template <int W, int WF>
TSD_INLINE void all_blocks(const PeakConstants* peaks, int m, const double* T, const double* J,
                           int count, double* r2) {
  using V = typename Lanes<W>::V;
  for (int first = 0; first < count; first += kBlock) {
    const int n = count - first < kBlock ? count - first : kBlock;
    alignas(64) double Tb[kBlock], Jb[kBlock], model[kBlock], rr[kBlock];
    for (int i = 0; i < kBlock; ++i) {
      Tb[i] = i < n ? T[first + i] : kPaddingT;
      Jb[i] = i < n ? J[first + i] : 0.0;
      model[i] = 0.0;
    }
    for (int p = 0; p < m; ++p) {
      alignas(64) double current[kBlock], e[kBlock];
      peak_block<W, WF>(peaks[p], Tb, current, e);
      for (int i = 0; i < kBlock; i += W)
        store<W>(model + i, load<W>(model + i) + load<W>(current + i));
    }
    for (int i = 0; i < kBlock; i += W) {
      const V r = load<W>(Jb + i) - load<W>(model + i);
      store<W>(rr + i, r * r);
    }
    for (int i = 0; i < n; ++i) r2[first + i] = rr[i];
  }
}

template <int W, int WF>
TSD_INLINE void all_blocks_of_peak(const PeakConstants& peak, const double* T, int count,
                                   double* c, double* e) {
  for (int first = 0; first < count; first += kBlock) {
    const int n = count - first < kBlock ? count - first : kBlock;
    alignas(64) double Tb[kBlock], current[kBlock], eb[kBlock];
    for (int i = 0; i < kBlock; ++i) Tb[i] = i < n ? T[first + i] : kPaddingT;
    peak_block<W, WF>(peak, Tb, current, eb);
    for (int i = 0; i < n; ++i) {
      c[first + i] = current[i];
      e[first + i] = eb[i];
    }
  }
}

// One copy of the kernel per instruction set; the code is the same, only the
// registers and instructions the compiler may use differ.
void on_baseline(const PeakConstants* peaks, int m, const double* T, const double* J, int count,
                 double* r2) {
  all_blocks<2, 2>(peaks, m, T, J, count, r2);
}

void peak_on_baseline(const PeakConstants& peak, const double* T, int count, double* c,
                      double* e) {
  all_blocks_of_peak<2, 2>(peak, T, count, c, e);
}

#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx2"))) void peak_on_avx2(const PeakConstants& peak, const double* T,
                                                  int count, double* c, double* e) {
  all_blocks_of_peak<4, 4>(peak, T, count, c, e);
}

__attribute__((target("avx512f"))) void peak_on_avx512(const PeakConstants& peak,
                                                       const double* T, int count, double* c,
                                                       double* e) {
  all_blocks_of_peak<8, 4>(peak, T, count, c, e);
}

__attribute__((target("avx2"))) void on_avx2(const PeakConstants* peaks, int m, const double* T,
                                             const double* J, int count, double* r2) {
  all_blocks<4, 4>(peaks, m, T, J, count, r2);
}

__attribute__((target("avx512f"))) void on_avx512(const PeakConstants* peaks, int m,
                                                  const double* T, const double* J, int count,
                                                  double* r2) {
  all_blocks<8, 4>(peaks, m, T, J, count, r2);
}
#endif

using Kernel = void (*)(const PeakConstants*, int, const double*, const double*, int, double*);

Kernel kernel_for(VectorIsa isa) {
#if defined(__x86_64__) && defined(__GNUC__)
  if (isa == VectorIsa::avx512) return on_avx512;
  if (isa == VectorIsa::avx2) return on_avx2;
#endif
  return on_baseline;
}

using PeakKernel = void (*)(const PeakConstants&, const double*, int, double*, double*);

PeakKernel peak_kernel_for(VectorIsa isa) {
#if defined(__x86_64__) && defined(__GNUC__)
  if (isa == VectorIsa::avx512) return peak_on_avx512;
  if (isa == VectorIsa::avx2) return peak_on_avx2;
#endif
  return peak_on_baseline;
}

VectorIsa best_isa() {
  if (isa_supported(VectorIsa::avx512)) return VectorIsa::avx512;
  if (isa_supported(VectorIsa::avx2)) return VectorIsa::avx2;
  return VectorIsa::baseline;
}

}  // namespace

bool isa_supported(VectorIsa isa) {
#if defined(__x86_64__) && defined(__GNUC__)
  switch (isa) {
    case VectorIsa::baseline:
      return true;
    case VectorIsa::avx2:
      return __builtin_cpu_supports("avx2");
    case VectorIsa::avx512:
      return __builtin_cpu_supports("avx512f");
  }
  return false;
#else
  return isa == VectorIsa::baseline;
#endif
}

void residual_squares_on(VectorIsa isa, const PeakConstants* peaks, int m, const double* T,
                         const double* J, int count, double* r2) {
  if (!isa_supported(isa)) isa = VectorIsa::baseline;
  kernel_for(isa)(peaks, m, T, J, count, r2);
}

void residual_squares(const PeakConstants* peaks, int m, const double* T, const double* J,
                      int count, double* r2) {
  // The processor is asked once; the copy it can run with the widest
  // vectors is used from then on.
  static const Kernel kernel = kernel_for(best_isa());
  kernel(peaks, m, T, J, count, r2);
}

void peak_currents(const PeakConstants& peak, const double* T, int count, double* c,
                   double* e) {
  static const PeakKernel kernel = peak_kernel_for(best_isa());
  kernel(peak, T, count, c, e);
}

void currents_from_exponentials(double P0, double tau0, const double* e, int count, double* c) {
  for (int i = 0; i < count; ++i) c[i] = P0 * e[i] / tau0;
}

void residuals_from_currents(const double* const* currents, int m, const double* J, int count,
                             double* r2) {
  for (int i = 0; i < count; ++i) {
    double model = 0.0;
    for (int p = 0; p < m; ++p) model += currents[p][i];
    const double r = J[i] - model;
    r2[i] = r * r;
  }
}

}  // namespace tsd
