// Bounded pattern-search minimiser: exploratory moves along each coordinate
// with a step proportional to the width of that coordinate's box, pattern
// moves along the last successful displacement, and refinement of the step
// by 0.1 a fixed number of times. No derivatives, no tolerance on the value.
#pragma once

namespace tsd {

inline constexpr int kMaxParams = 12;  // largest number of parameters

// The box: lower bounds, then upper bounds (the layout of a 12 x 2 array
// stored column after column). Only the first n rows are used.
struct Bounds {
  double lower[kMaxParams] = {};
  double upper[kMaxParams] = {};
};

// The objective: reads the first n elements of x and must not change them.
// It must not call mina.
using Objective = double (*)(const double* x);

// Status values of mina.
inline constexpr int kMinaDone = 1;
inline constexpr int kMinaTooMany = 2;  // n > 12
inline constexpr int kMinaBadBox = 3;   // a lower bound above its upper bound (or not a number)

// Minimises func over the box from the start point a (n entries, moved into
// the box first). Del is the initial relative step (<= 0 means 0.1), Ldiv
// the number of refinements by 0.1. afit (n entries) and S are written only
// when ier = kMinaDone.
//
// Objective values that are not numbers count as worse than every number: a
// trial giving one is never accepted, and a start point giving one is left
// for the first trial that gives a number. S then holds the value at afit as
// the objective returned it.
void mina(Objective func, int n, int Ldiv, double Del, const Bounds& bounds, const double* a,
          double* afit, double& S, int& ier);

}  // namespace tsd
