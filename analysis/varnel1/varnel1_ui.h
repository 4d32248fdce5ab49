// What every varnel1 command shares besides the program shell's boxes
// (shell/boxes.h, included here): the redraw of the current graph, the recomputation of the three
// series, and the file names kept for the whole run.
#pragma once

#include <string>
#include <string_view>

#include "shell/boxes.h"
#include "analysis/varnel1/series.h"
#include "runtime/filename.h"

namespace tsd::varnel1 {

// The file names kept for the whole run, each as long as the host allows
// (runtime/filename.h); the boxes pad them to 79 characters where they
// show them.
struct Varnel1Files {
  runtime::FileName datafile;    // the last data file chosen
  runtime::FileName reportfile;  // the last report or table file chosen
  runtime::FileName dataname;    // the file whose data are held
};
extern Varnel1Files varnel1files;

// Clears the window and draws the current graph (nothing when none).
void drawcurrent();

// seriescompute for series 1, 2 and 3 with the given window, each failure
// shown in its own box at once; then the current graph is drawn unless
// series 3 failed (a failed series 1 or 2 is drawn with its previous
// curves), and always after a new data file (the integration-range
// window). Returns false when any series failed.
bool recomputeseries(SeriesWindow window);

}  // namespace tsd::varnel1
