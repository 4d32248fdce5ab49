// What every varnel1 command shares besides the program shell's boxes
// (shell/boxes.h, included here): the redraw of the current graph, the recomputation of the three
// series, and the file names kept for the whole run.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "shell/boxes.h"
#include "analysis/varnel1/series.h"

namespace tsd {

// Room for a chosen file name, blank-padded. Names are kept whole; the
// boxes pad them to 79 characters where they show them.
inline constexpr int kFileNameLength = 1024;

struct Varnel1Files {
  std::array<char, kFileNameLength> datafile;    // the last data file chosen
  std::array<char, kFileNameLength> reportfile;  // the last report or table file chosen
  std::array<char, kFileNameLength> dataname;    // the file whose data are held
  Varnel1Files() {
    datafile.fill(' ');
    reportfile.fill(' ');
    dataname.fill(' ');
  }
};
extern Varnel1Files varnel1files;

// A file name without its trailing blanks.
std::string_view trimmedname(const std::array<char, kFileNameLength>& name);

// Clears the window and draws the current graph (nothing when none).
void drawcurrent();

// seriescompute for series 1, 2 and 3 with the given window, each failure
// shown in its own box at once; then the current graph is drawn unless
// series 3 failed (a failed series 1 or 2 is drawn with its previous
// curves). Returns false when any series failed.
bool recomputeseries(SeriesWindow window);

}  // namespace tsd
