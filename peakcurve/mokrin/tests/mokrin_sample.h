// Helpers of the curve programs' tests. examplestate: the state the
// programs start with from the example parameter files (the first peak of
// examples/sample.dat, b = 0.05 K/s, T0 = 200 K) on a grid of nout points
// from 215 K to 310 K, its curves computed.
#pragma once

#include <string>
#include <vector>

#include "analysis/var.h"
#include "text/cp1250.h"
#include "peakcurve/mokrin/mokrin_state.h"

namespace tsd::mokrin::test {

inline State examplestate(Variant v, int nout) {
  State s;
  s.variant = v;
  var = VarRecord{200.0, 0.05};
  s.peak.Ea = 0.7;
  s.peak.Tm = 265.0;
  s.peak.Jm = 4.0e-12;
  s.peak.tau0 = 8.409011e-12;
  s.peak.P0 = 1.771137e-09;
  s.peak.Tmin = 215.0;
  s.peak.Tmax = 310.0;
  s.peak.Nout = nout;
  if (v == Variant::mokrin2) peakcurve::derivetau0p0(s.peak);
  peakcurve::peakcurves(s.peak);
  return s;
}

// Code page 1250 texts as UTF-8, for readable expectations.
inline std::vector<std::string> utf8(const std::vector<std::string>& v) {
  std::vector<std::string> r;
  for (const std::string& s : v) r.push_back(text::utf8_from_cp1250(s));
  return r;
}

}  // namespace tsd::mokrin::test
