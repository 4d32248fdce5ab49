#include "peakcurve/mokrin/mokrin_dialog.h"

#include <algorithm>
#include <utility>

#include "analysis/conversions.h"
#include "analysis/var.h"
#include "shell/fields.h"
#include "text/cp1250.h"
#include "toolkit/window/strings.h"

namespace tsd::mokrin {

namespace {

// Nout's field, four characters.
std::string noutfield(int nout) { return integerfield(nout, "(I4)", 4); }

struct RealRead {
  int id;
  double* target;
  const char* name;  // in the read error message
};

}  // namespace

std::vector<FilledField> dialogfill(const State& s) {
  const peakcurve::PeakState& p = s.peak;
  std::vector<FilledField> f = dialogfillbt0(s);
  f.push_back({1011, realfield(p.Ea, "(F9.6)", 9)});
  if (variantinfo(s.variant).derived) {
    f.push_back({1017, realfield(p.Tm, "(F8.3)", 8)});
    f.push_back({1016, realfield(p.Jm, "(1P,E11.4)", 11)});
  }
  f.push_back({1012, realfield(p.tau0, "(1P,E11.4)", 11)});
  f.push_back({1013, realfield(p.P0, "(1P,E11.4)", 11)});
  f.push_back({1048, realfield(p.Tmin, "(F8.3)", 8)});
  f.push_back({1014, realfield(p.Tmax, "(F8.3)", 8)});
  f.push_back({1049, noutfield(p.Nout)});
  return f;
}

std::vector<FilledField> dialogfillbt0(const State& s) {
  return {{1002, realfield(var.b, "(1P,E11.4)", 11)}, {1010, realfield(var.T0, "(F8.3)", 8)}};
}

CheckMessages dialogread(State& s, const std::function<std::string(int)>& getfield) {
  PendingInput& n = s.pending;
  std::vector<RealRead> reals = {{1002, &n.b, "b"}, {1010, &n.T0, "T0"}, {1011, &n.Ea, "Ea"}};
  if (variantinfo(s.variant).derived) {
    reals.push_back({1017, &n.Tm, "Tm"});
    reals.push_back({1016, &n.Jm, "Jm"});
  } else {
    reals.push_back({1012, &n.tau0, "tau0"});
    reals.push_back({1013, &n.P0, "P0"});
  }
  reals.push_back({1048, &n.Tmin, "Tmin"});
  reals.push_back({1014, &n.Tmax, "Tmax"});

  CheckMessages errors;
  std::vector<const double*> unread;  // fields that failed to read
  for (const RealRead& r : reals) {
    int status = 0;
    stringtoreal(getfield(r.id), *r.target, status);
    if (status != 0) {
      errors.push_back(readfailedtext(r.name));
      unread.push_back(r.target);
    }
  }
  istringtointeger(getfield(1049), n.Nout);
  if (n.Nout == 0) errors.push_back(readfailedtext("Nout"));

  // The output range: Tmin >= Tmax as every program checks it, but a Tmin
  // equal to T0 is taken, so the lower limit is a check of this program's.
  if (n.Tmin >= n.Tmax) errors.push_back(comparedtext("Tmin", ">=", "Tmax"));
  if (n.Tmin < var.T0) errors.push_back(comparedtext("Tmin", "<", "T0"));
  checkpointcount("Nout", n.Nout, peakcurve::kMaxGrid, errors);
  // Values for which the model has no finite curve: its relaxation time
  // tau0*exp(Ea/kT) and the heating rate b must be above 0, and mokrin2
  // derives tau0 from Ea, Tm and b, which must be above 0 too. A field that
  // failed to read has had its box already.
  const bool derived = variantinfo(s.variant).derived;
  const std::pair<const char*, const double*> positives[] = {
      {"b", &n.b}, {"Ea", &n.Ea}, {derived ? "Tm" : "tau0", derived ? &n.Tm : &n.tau0}};
  for (const auto& [name, value] : positives) {
    if (std::find(unread.begin(), unread.end(), value) != unread.end()) continue;
    if (!(*value > 0.0)) errors.push_back(cp("Wartość ") + name + " <= 0");
  }
  return errors;
}

bool dialogcommit(State& s) {
  const PendingInput& n = s.pending;
  peakcurve::PeakState p = s.peak;
  const VarRecord before = var;
  var.b = n.b;
  var.T0 = n.T0;
  p.Ea = n.Ea;
  bool ok = true;
  if (variantinfo(s.variant).derived) {
    p.Tm = n.Tm;
    p.Jm = n.Jm;
    ok = peakcurve::derivetau0p0(p);
  } else {
    p.tau0 = n.tau0;
    p.P0 = n.P0;
  }
  p.Tmin = n.Tmin;
  p.Tmax = n.Tmax;
  p.Nout = n.Nout;
  if (ok) ok = peakcurve::peakcurves(p);
  if (!ok) {
    var = before;
    return false;
  }
  s.peak = p;
  datarange(s);
  return true;
}

}  // namespace tsd::mokrin
