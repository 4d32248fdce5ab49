// The constants of the first-order peak model and of the exponential
// integral it is built on, in one place for the scalar routines (funcs) and
// the fit's block kernel (multipeak/objective_blocks), which must give the
// same values bit for bit. Single-precision literals are widened to double,
// as the model's values have always been computed with them.
#pragma once

namespace tsd::model {

// Boltzmann's constant [eV/K], a single-precision literal widened to double.
inline constexpr double kBoltzmann = 8.617063576821238e-05;
// Its double reciprocal [K/eV]; the logarithm s multiplies by it.
inline constexpr double kInvBoltzmann = 11604.881304228367;
// ln 10, widened from single precision.
inline constexpr double kLn10 = 2.3025851249694824;
// Euler's constant, widened from single precision; it limits the series
// branch of dem1 to about eight significant digits.
inline constexpr double kEuler = 0.5772156715393066;
// Relative tolerance of the series and the continued fraction.
inline constexpr double kTolerance = 1e-14;
// dem1 uses the series below this argument, the continued fraction from it.
inline constexpr double kSeriesSwitch = 3.0;
// f1 uses the asymptotic sum above this argument.
inline constexpr double kAsymptoticSwitch = 25.0;
// Iteration limits of the series (terms) and the continued fraction (steps).
inline constexpr int kMaxTerms = 1000;
inline constexpr int kMaxSteps = 1000;
// Terms of the asymptotic sum of f1 (powers 0 to 24).
inline constexpr int kAsymptoticTerms = 25;

}  // namespace tsd::model
