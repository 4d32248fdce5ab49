// gensample: the sample measured data file of the examples.
//
// A thermally stimulated depolarization run synthesised from the model: two
// overlapping first-order peaks, each given by its peak current density Jm,
// peak temperature Tm and activation energy Ea (fun2 of analysis/funcs.h,
// with T0 and b of the run), summed, multiplied by the electrode area, with
// a little measurement noise: a relative noise of 1 % and a small positive
// background current (the electrometer's offset) with its own 20 % jitter.
// Both noises are Gaussian, cut at three standard deviations, from a
// Mersenne twister with a fixed seed, so the file is the same on every run
// and machine; the current stays positive at every point.
//
// Usage: gensample [file]   (standard output without a file)
// The file is the layout every program reads: N, b, T0, S on the first line,
// then one line T [K], I [A] per point.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>

#include "analysis/funcs.h"
#include "analysis/var.h"

namespace {

// The run.
constexpr double kT0 = 200.0;      // start of heating [K]
constexpr double kB = 0.05;        // heating rate [K/s] (3 K/min)
constexpr double kArea = 0.785;    // electrode area [cm2] (10 mm diameter)
constexpr double kTfirst = 215.0;  // first recorded point [K]
constexpr double kStep = 0.25;     // temperature step [K]
constexpr int kPoints = 381;       // up to 310 K

// The two peaks.
struct Peak {
  double Jm;  // peak current density [A/cm2]
  double Tm;  // peak temperature [K]
  double Ea;  // activation energy [eV]
};
constexpr Peak kPeaks[2] = {
    {4.0e-12, 265.0, 0.70},
    {2.5e-12, 292.0, 0.95},
};

// The noise.
constexpr double kRelativeNoise = 0.01;  // standard deviation, relative to the current
constexpr double kBackground = 2.0e-16;  // background current [A]
constexpr double kBackgroundJitter = 0.2;  // its standard deviation, relative
constexpr std::uint32_t kSeed = 19780214;

// A standard normal number cut at +-3, by Box and Muller from the twister's
// 32-bit outputs (their sequence is fixed by the standard; the library's
// distributions are not).
double gauss(std::mt19937& g) {
  while (true) {
    const double u1 = (static_cast<double>(g()) + 0.5) / 4294967296.0;
    const double u2 = (static_cast<double>(g()) + 0.5) / 4294967296.0;
    const double z = std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
    if (std::fabs(z) <= 3.0) return z;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::FILE* out = stdout;
  if (argc > 1) {
    out = std::fopen(argv[1], "w");
    if (out == nullptr) {
      std::perror(argv[1]);
      return 1;
    }
  }
  tsd::var.T0 = kT0;
  tsd::var.b = kB;
  std::mt19937 g(kSeed);
  std::fprintf(out, "%d %.4f %.2f %.4f\n", kPoints, kB, kT0, kArea);
  for (int i = 0; i < kPoints; ++i) {
    const double T = kTfirst + i * kStep;
    double J = 0.0;
    for (const Peak& p : kPeaks) J += tsd::fun2(T, p.Jm, p.Tm, p.Ea);
    const double signal = J * kArea * (1.0 + kRelativeNoise * gauss(g));
    const double background = kBackground * (1.0 + kBackgroundJitter * gauss(g));
    std::fprintf(out, "%8.3f %13.5E\n", T, signal + background);
  }
  if (out != stdout && std::fclose(out) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
