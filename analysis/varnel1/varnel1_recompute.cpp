#include "analysis/varnel1/varnel1_recompute.h"

#include "analysis/varnel1/varnel1_graphs.h"
#include "shell/boxes.h"

namespace tsd::varnel1 {

bool recomputeseries(State& st, SeriesWindow window) {
  bool allok = true;
  bool lastok = true;
  for (int s = 1; s <= AnalysisState::kSeries; ++s) {
    const SeriesOutcome outcome = seriescompute(st.analysis, s, window);
    lastok = outcome.ok;
    if (!outcome.ok) {
      allok = false;
      errorbox(outcome.text());
    }
  }
  // The last series decides: a failed series 1 or 2 keeps its previous
  // curves on the graph, a failed series 3 keeps the old drawing; but a new
  // data file is always drawn, so that the window never keeps a drawing of
  // data the program no longer holds.
  if (lastok || window == SeriesWindow::IntegrationRange) redraw(st);
  return allok;
}

}  // namespace tsd::varnel1
