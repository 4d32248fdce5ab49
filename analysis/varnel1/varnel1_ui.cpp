#include "analysis/varnel1/varnel1_ui.h"

#include "analysis/varnel1/analysis_state.h"
#include "analysis/varnel1/varnel1_graphs.h"
#include "analysis/varnel1/varnel1_settings.h"
#include "toolkit/graphics/graphics.h"

namespace tsd::varnel1 {

Varnel1Files varnel1files;

void drawcurrent() {
  igrarea(0.0f, 0.0f, 1.0f, 1.0f);
  igrareaclear();
  plotgraph(varnel1settings.curgraph, analysis, varnel1settings);
}

bool recomputeseries(SeriesWindow window) {
  bool allok = true;
  bool lastok = true;
  for (int s = 1; s <= AnalysisState::kSeries; ++s) {
    const SeriesOutcome outcome = seriescompute(s, window);
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
  if (lastok || window == SeriesWindow::IntegrationRange) drawcurrent();
  return allok;
}

}  // namespace tsd::varnel1
