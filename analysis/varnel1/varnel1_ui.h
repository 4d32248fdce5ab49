// What every varnel1 command shares: the boxes, the modal showing of a
// dialog, the redraw of the current graph, the recomputation of the three
// series, and the file names kept for the whole run.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "analysis/varnel1/series.h"

namespace tsd {

// Room for a chosen file name, blank-padded. Names are kept whole; the
// boxes pad them to 79 characters where they show them.
inline constexpr int kFileNameLength = 1024;

struct Varnel1Files {
  std::array<char, kFileNameLength> datafile;    // the last data file chosen
  std::array<char, kFileNameLength> reportfile;  // the last report or table file chosen
  Varnel1Files() {
    datafile.fill(' ');
    reportfile.fill(' ');
  }
};
extern Varnel1Files varnel1files;

// A file name without its trailing blanks.
std::string_view trimmedname(const std::array<char, kFileNameLength>& name);

// Code page 1250 text from a UTF-8 literal.
std::string cp(std::string_view utf8);

// An error box (title "Błąd", exclamation icon) and an information box
// (title "Informacja" unless another is given, information icon), OK only.
void errorbox(std::string_view text);
void infobox(std::string_view text);
void infobox(std::string_view text, std::string_view title);

// Shows the selected dialog modal, centred, the first field focused.
void showmodal();

// Clears the window and draws the current graph (nothing when none).
void drawcurrent();

// seriescompute for series 1, 2 and 3 with the given window, each failure
// shown in its own box at once; then the current graph is drawn unless
// series 3 failed (a failed series 1 or 2 is drawn with its previous
// curves). Returns false when any series failed.
bool recomputeseries(SeriesWindow window);

}  // namespace tsd
