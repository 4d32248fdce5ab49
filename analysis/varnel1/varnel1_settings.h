// The settings of varnel1's frame beside the analysis state: the input modes
// of the range dialogs, which series are drawn and tabulated, the graph shown,
// the grid switch and the fixed drawing constants. One static record for the
// whole run, filled from VARNEL1.PAR at start-up (analysis/varnel1/varnel1_params.h).
//
// Per-series arrays are 0-based: series s is element s-1.
#pragma once

#include <array>
#include <string>

namespace tsd::varnel1 {

struct Varnel1Settings {
  static constexpr int kSeries = 3;
  using SeriesInts = std::array<int, kSeries>;

  // Input modes of the range dialog: 1 value in K, 2 value as 1000/T.
  SeriesInts tminmode{};
  SeriesInts tmaxmode{};
  SeriesInts tinimode{};
  SeriesInts tlimmode{};
  // Input modes of the output-range dialog.
  int calctminmode = 0;
  int calctmaxmode = 0;

  SeriesInts plotseries{};  // 1 = series shown on the graphs
  SeriesInts jmask{};       // graph 1 draws the measured current through this series
  int tabseries = 1;        // series of the tables and table files, 1..3
  int curgraph = 0;         // graph shown: 0 none, 1, 2 or 3
  int defgraph = 0;         // graph to show after the first data load
  int gridflag = 0;         // 0 no grid, 1 grid on the graphs

  double markersize = 0.002;  // marker size given to the plot routine
  std::array<int, kSeries> seriescolour{47, 175, 111};
  int measuredcolour = 223;  // the measured curve on graph 1

  // The directory the parameter file was read from (code page 1250, no
  // trailing "/"); the file is rewritten there whatever the current
  // directory is by then. Empty: the current directory.
  std::string startdir;
};

extern Varnel1Settings varnel1settings;

// jmask from plotseries: the measured current is the same for every series,
// so graph 1 draws it once, through the highest-numbered series shown;
// (0,0,0) when none is shown.
void computejmask(Varnel1Settings& settings);

}  // namespace tsd::varnel1
