// The fit request of varnel2 and the copy of the fitted values to the
// start values.
#include "multipeak/varnel2/varnel2_fit.h"

#include <string>

#include "analysis/var.h"
#include "multipeak/fitcompute.h"
#include "multipeak/varnel2/varnel2_checks.h"
#include "multipeak/varnel2/varnel2_dialogs.h"
#include "multipeak/varnel2/varnel2_graph.h"
#include "multipeak/varnel2/varnel2_menus.h"
#include "resources/varnel2/varnel2_ids.h"
#include "shell/boxes.h"
#include "toolkit/window/wdialog.h"

namespace tsd::varnel2 {

void fitrequest(State& s) {
  // Nothing is fitted, shown or changed when a start value cannot be used
  // or there is nothing to fit: the last fit's results stay.
  const CheckMessages messages = fitchecks(s, numbers.n1, numbers.n2);
  if (!messages.empty()) {
    errorboxes(messages);
    return;
  }

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
