// The fit request of varnel2 and the copy of the fitted values to the
// start values.
#include "multipeak/varnel2/varnel2_fit.h"

#include <string>

#include "multipeak/fitcompute.h"
#include "multipeak/varnel2/varnel2_dialogs.h"
#include "multipeak/varnel2/varnel2_graph.h"
#include "multipeak/varnel2/varnel2_menus.h"
#include "resources/varnel2/varnel2_ids.h"
#include "shell/boxes.h"
#include "toolkit/window/wdialog.h"

namespace tsd::varnel2 {

namespace {

// The start values of the enabled peaks that the model cannot be computed
// with (it divides by Tm, tau0 by Ea), one box each in peak order; true
// when all are usable. A peak switched on that took part in no fit holds
// 0, 0, 0 after "Przepisanie parametrów", and the parameter file may hold
// any start value: such a fit would give no numbers. A Jm not above 0
// gives a box around 0 that holds the peak at 0 (or none at all): the peak
// would take no part in the fit, and its zero rows of the curvature matrix
// would leave every standard error undefined, the other peaks' too.
bool startvaluesusable(const State& s) {
  bool usable = true;
  for (int k = 1; k <= kMaxPeaks; ++k) {
    if (s.peakon[k - 1] != 1) continue;
    const struct {
      const char* name;
      double value;
    } values[3] = {{"Ea", s.Ea[k - 1]}, {"Tm", s.Tm[k - 1]}, {"Jm", s.Jm[k - 1]}};
    for (const auto& v : values) {
      if (v.value > 0.0) continue;
      errorbox("Pik nr " + std::to_string(k) + "\r\n" + cp("Wartość ") + v.name + " <= 0");
      usable = false;
    }
  }
  return usable;
}

// A fit range that holds a measured point, else its box: a sum of squares
// over no point is 0 for every parameter set, and the fit would report its
// start values as fitted ones.
bool fitrangeholdspoints() {
  if (numbers.n1 <= numbers.n2) return true;
  errorbox(cp("Brak punktów pomiarowych w zakresie aproksymacji"));
  return false;
}

}  // namespace

void fitrequest(State& s) {
  // Nothing is fitted, shown or changed when a start value cannot be used
  // or there is nothing to fit: the last fit's results stay.
  const bool usable = startvaluesusable(s);
  if (!fitrangeholdspoints() || !usable) return;

  // "Obliczenia" stays up, not served, while the minimiser runs.
  wdialogload(V2_DLG_FITTING);
  wdialogselect(V2_DLG_FITTING);
  wdialogshow(-1, -1, 0, kShowModeless);
  const int outcome = fitcompute(s.peakon, s.Ldiv, s.Del, s.Nout, s.curves, s.fit);
  wdialogunload();

  enablefitmenus(s);
  s.fitted = 1;
  redraw(s);

  // The minimiser refuses a box whose lower bound lies above its upper one
  // (a start value that is not positive), and a sum of squares that is not a
  // number fits nothing; then the results are still those of the last fit.
  if (outcome == kFitNotMinimised) {
    errorbox(cp("Minimalizacja nie została wykonana: dolna granica parametru leży powyżej "
                "górnej (wartości startowe muszą być dodatnie)"));
  } else if (outcome == kFitNotFinite) {
    errorbox(cp("Wyniki obliczeń nie są liczbami skończonymi"));
  } else if (outcome == kFitNotInverted) {
    errorbox(cp("Macierz krzywizny jest osobliwa: błędy standardowe są nieokreślone"));
  }
}

void copyfitted(State& s) {
  for (int k = 0; k < kMaxPeaks; ++k) {
    if (s.peakon[k] != 1) continue;
    s.Ea[k] = s.fit.Eafit[k];
    s.Tm[k] = s.fit.Tmfit[k];
    s.Jm[k] = s.fit.Jmfit[k];
  }
  wdialogselect(V2_DLG_PEAKS);
  for (int k = 1; k <= kMaxPeaks; ++k) {
    if (s.peakon[k - 1] == 1) {
      setpeakcheck(k, 1);
      putpeakfields(s, k);
    } else {
      setpeakcheck(k, 0);
    }
  }
  buildvector(s);
  startcurves(s);
  s.fitted = 0;
  redraw(s);
}

}  // namespace tsd::varnel2
