// The fast objective (blocks of points, every instruction-set copy of the
// kernel, with and without the kept peak currents of a fit) against the
// reference objective:
// the same value bit for bit, on random parameter vectors and on every call
// of a whole four-peak fit.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "multipeak/fitcompute.h"
#include "multipeak/fitscope.h"
#include "multipeak/funcsubr2.h"
#include "multipeak/mina.h"
#include "multipeak/objective_blocks.h"
#include "multipeak/tests/fit_fixture.h"

namespace tsd {
namespace {

const VectorIsa kIsas[] = {VectorIsa::baseline, VectorIsa::avx2, VectorIsa::avx512};

std::uint64_t bits(double v) { return std::bit_cast<std::uint64_t>(v); }

// Empty when every fast form of the objective gives the reference's bits at
// a; otherwise which form differed and how.
std::string fast_forms_differ(const double* a) {
  const double want = func_reference(a);
  std::string why;
  auto check = [&](const char* form, double got) {
    if (bits(got) != bits(want))
      why += std::string(form) + " gives " + std::to_string(got) + " (" +
             std::to_string(bits(got)) + "), reference " + std::to_string(want) + " (" +
             std::to_string(bits(want)) + "); ";
  };
  check("func", func(a));
  for (VectorIsa isa : kIsas)
    if (isa_supported(isa)) check(isa == VectorIsa::baseline ? "baseline" : isa == VectorIsa::avx2 ? "avx2" : "avx512", func_on(isa, a));
  return why;
}

const std::vector<fittest::Peak> kTruth = {
    {2e-12, 260, 0.8}, {5e-12, 300, 1.0}, {3e-12, 315, 1.1}, {1e-12, 370, 1.3}};
const std::vector<fittest::Peak> kStart = {
    {2.2e-12, 275, 0.75}, {4.6e-12, 285, 1.08}, {3.3e-12, 331, 1.02}, {0.92e-12, 350, 1.4}};

// A random vector of m peaks: mostly values a fit meets (both branches of
// f1, x below and above 25), now and then values at or beyond the model's
// edge (Ea or Tm not above 0, huge Ea) that give infinities or NaN.
void random_vector(std::mt19937_64& rng, int m, double* a) {
  std::uniform_real_distribution<double> logJ(-14.0, -10.0), Tm(210.0, 420.0), Ea(0.05, 2.5),
      u(0.0, 1.0);
  for (int p = 0; p < m; ++p) {
    a[p] = std::pow(10.0, logJ(rng));
    a[m + p] = Tm(rng);
    a[2 * m + p] = Ea(rng);
    const double edge = u(rng);
    if (edge < 0.01) a[2 * m + p] = 0.0;
    else if (edge < 0.02) a[2 * m + p] = -0.5;
    else if (edge < 0.03) a[m + p] = 0.0;
    else if (edge < 0.04) a[2 * m + p] = 40.0;
    else if (edge < 0.05) a[p] = 0.0;
  }
}

class ObjectiveIdentity : public ::testing::Test {
 protected:
  void SetUp() override {
    fittest::load_curve(kTruth, 800, 0.25);
    // Noise on the measured curve, so that no residual is exactly 0.
    std::mt19937_64 rng(7);
    std::normal_distribution<double> noise(0.0, 2e-14);
    for (int i = 0; i < 800; ++i) arrays.J[i] += noise(rng);
  }
};

// 10,000 vectors over 1 to 4 peaks, on fit ranges of every kind: the whole
// curve, ranges that are not a multiple of the block or chunk length, fewer
// points than one block, one point, an empty range and ranges reaching
// beyond the curve's capacity.
TEST_F(ObjectiveIdentity, RandomVectorsGiveTheReferenceBits) {
  struct Range {
    int n1, n2;
  };
  const Range ranges[] = {{1, 800}, {1, 800}, {1, 800}, {37, 611}, {5, 9},   {400, 400},
                          {300, 299}, {-5, 70}, {700, 900}, {2, 799}, {1, 65}, {1, 64}};
  std::mt19937_64 rng(20261210);
  FitScope scope;
  int differing = 0;
  std::string first;
  for (int k = 0; k < 10000; ++k) {
    const int m = 1 + k % 4;
    const Range r = ranges[(k / 4) % std::size(ranges)];
    numbers.nparam = 3 * m;
    numbers.n1 = r.n1;
    numbers.n2 = r.n2;
    double a[kMaxParams] = {};
    random_vector(rng, m, a);
    const std::string why = fast_forms_differ(a);
    if (!why.empty() && differing++ == 0)
      first = "vector " + std::to_string(k) + ", " + std::to_string(m) + " peaks: " + why;
  }
  EXPECT_EQ(differing, 0) << first;
}

// Inside a fit's scope func keeps the currents of recent peak constants:
// trials that change one parameter and come back, parameters that change
// only P0 or only the decay, a peak met again after its entry was replaced,
// and a fit range changed between calls must all still give the
// reference's bits.
TEST_F(ObjectiveIdentity, KeptPeakCurrentsGiveTheReferenceBits) {
  fittest::load_start(kStart);
  FitScope scope;
  std::mt19937_64 rng(5);
  std::uniform_int_distribution<int> param(0, 11), step(-3, 3);
  double a[kMaxParams];
  for (int i = 0; i < kMaxParams; ++i) a[i] = fitvector.a[i];
  for (int k = 0; k < 3000; ++k) {
    if (k == 1000) numbers.n1 = 17;   // another range of points
    if (k == 2000) numbers.n2 = 700;
    double trial[kMaxParams];
    for (int i = 0; i < kMaxParams; ++i) trial[i] = a[i];
    const int i = param(rng);
    trial[i] = a[i] * (1.0 + 0.01 * step(rng));
    ASSERT_EQ(bits(func(trial)), bits(func_reference(trial))) << "call " << k;
    ASSERT_EQ(bits(func(a)), bits(func_reference(a))) << "base after call " << k;
    if (k % 7 == 0) a[i] = trial[i];  // now and then the trial becomes the base
  }
}

// Every call the minimiser makes in a whole four-peak fit: the search is led
// by the reference values, and at each of its points func (with the kept
// peak currents, as a fit calls it) must give the same bits, so the fast
// search makes exactly the same calls. Then the fit itself ends where the reference
// search ended.
long g_calls = 0;
long g_differing = 0;
std::string g_first;

double checked_reference(const double* x) {
  ++g_calls;
  const double want = func_reference(x);
  const double got = func(x);  // as the fit calls it: widest kernel, kept currents
  if (bits(got) != bits(want) && g_differing++ == 0)
    g_first = "call " + std::to_string(g_calls) + ": func gives " + std::to_string(got) +
              ", reference " + std::to_string(want);
  return want;
}

TEST_F(ObjectiveIdentity, EveryCallOfAFourPeakFitGivesTheReferenceBits) {
  fittest::load_start(kStart);
  const int Ldiv = 3;
  const double Del = 0.1;
  double afit[kMaxParams];
  double S = 0.0;
  int ier = 0;
  g_calls = g_differing = 0;
  {
    FitScope scope;
    mina(checked_reference, numbers.nparam, Ldiv, Del, fitvector.bounds, fitvector.a, afit, S,
         ier);
  }
  ASSERT_EQ(ier, kMinaDone);
  EXPECT_GT(g_calls, 1000);
  EXPECT_EQ(g_differing, 0) << g_first;

  const int on[kMaxPeaks] = {1, 1, 1, 1};
  CurveArray curves;
  FitResults res;
  fitcompute(on, Ldiv, Del, 0, curves, res);
  EXPECT_EQ(bits(res.Smin), bits(S));
  for (int i = 0; i < numbers.nparam; ++i) EXPECT_EQ(bits(res.afit[i]), bits(afit[i])) << i;
}

}  // namespace
}  // namespace tsd
