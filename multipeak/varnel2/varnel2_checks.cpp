#include "multipeak/varnel2/varnel2_checks.h"

#include <string>
#include <string_view>

#include "text/cp1250.h"

namespace tsd::varnel2 {

namespace {

// The first line of a box about peak k.
std::string peakline(int k) { return "Pik nr " + std::to_string(k) + "\r\n"; }

void checkread(const RealField& f, std::string_view name, std::string_view prefix,
               CheckMessages& m) {
  if (!f.read) m.push_back(std::string(prefix) + readfailedtext(name));
}

void checkread(const IntegerField& f, std::string_view name, CheckMessages& m) {
  if (!f.read) m.push_back(readfailedtext(name));
}

}  // namespace

CheckMessages peakschecks(const PeaksInput& in) {
  CheckMessages m;
  for (int k = 1; k <= kMaxPeaks; ++k) {
    if (in.peakon[k - 1] != 1) continue;
    const std::string peak = peakline(k);
    checkread(in.Ea[k - 1], "Ea", peak, m);
    checkread(in.Tm[k - 1], "Tm", peak, m);
    checkread(in.Jm[k - 1], "Jm", peak, m);
  }
  return m;
}

CheckMessages fitrangechecks(const FitRangeInput& in, double t0) {
  CheckMessages m;
  checkread(in.tmin, "Tmin", "", m);
  checkread(in.tmax, "Tmax", "", m);
  checkoutputrange(in.tmin.value, in.tmax.value, t0, m);
  return m;
}

CheckMessages displayrangechecks(const DisplayRangeInput& in, double t0) {
  CheckMessages m;
  checkread(in.tmin, "Tmin", "", m);
  checkread(in.tmax, "Tmax", "", m);
  checkread(in.nout, "Nout", m);
  checkoutputrange(in.tmin.value, in.tmax.value, t0, m);
  checkpointcount("Nout", in.nout.value, kMaxOutputGrid, m);
  return m;
}

CheckMessages fitsettingschecks(const FitSettingsInput& in) {
  CheckMessages m;
  checkread(in.QEa, "QEa", "", m);
  checkread(in.QTm, "QTm", "", m);
  checkread(in.QJm, "QJm", "", m);
  checkread(in.Del, "Del", "", m);
  checkread(in.Ldiv, "Ldiv", m);
  const struct {
    bool bad;
    const char* text;
  } checks[5] = {{in.QEa.value <= 1.0, "Wartość QEa <= 1.0"},
                 {in.QTm.value <= 1.0, "Wartość QTm <= 1.0"},
                 {in.QJm.value <= 1.0, "Wartość QJm <= 1.0"},
                 {in.Del.value >= 1.0, "Wartość Del >= 1.0"},
                 {in.Ldiv.value < 1, "Wartość Ldiv < 1"}};
  for (const auto& c : checks) {
    if (c.bad) m.push_back(cp(c.text));
  }
  return m;
}

// A peak switched on that took part in no fit holds 0, 0, 0 after
// "Przepisanie parametrów", and the parameter file may hold any start value:
// the model divides by Tm and tau0 by Ea, so such a fit would give no
// numbers. A Jm not above 0 gives a box around 0 that holds the peak at 0 (or
// none at all): the peak would take no part in the fit, and its zero rows of
// the curvature matrix would leave every standard error undefined, the other
// peaks' too. A fit range that holds no measured point would make the sum of
// squares 0 for every parameter set, and the fit would report its start
// values as fitted ones.
CheckMessages fitchecks(const State& s, int n1, int n2) {
  CheckMessages m;
  for (int k = 1; k <= kMaxPeaks; ++k) {
    if (s.peakon[k - 1] != 1) continue;
    const struct {
      const char* name;
      double value;
    } values[3] = {{"Ea", s.Ea[k - 1]}, {"Tm", s.Tm[k - 1]}, {"Jm", s.Jm[k - 1]}};
    for (const auto& v : values) {
      if (v.value > 0.0) continue;
      m.push_back(peakline(k) + cp("Wartość ") + v.name + " <= 0");
    }
  }
  if (n1 > n2) m.push_back(cp("Brak punktów pomiarowych w zakresie aproksymacji"));
  return m;
}

}  // namespace tsd::varnel2
