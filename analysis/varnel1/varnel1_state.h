// The state of varnel1 for the whole run: the analysis state (measured
// data, output grid, the limits and methods of the three series, their
// results, model curves and the index ranges the plot routine draws), the
// frame's settings (input modes, series shown and tabulated, graph, grid),
// and the file names the user chose. One State is made when the program
// starts and passed by reference to every command and dialog; the analysis
// core (varnel1_series.h) works on its AnalysisState alone.
//
// Arrays are stored 0-based; the analysis numbers points and series from 1,
// so point i of series s is pd[s-1][i-1]. A per-series array of points is
// laid out series after series, 800 values each (the column length the plot
// routine is given).
#pragma once

#include <array>
#include <string>

#include "analysis/datafile.h"
#include "runtime/filename.h"

namespace tsd::varnel1 {

// What the per-series computation reads and leaves: no window, no file.
struct AnalysisState {
  static constexpr int kPoints = 800;  // measured points and output points
  static constexpr int kSeries = 3;

  using Points = std::array<double, kPoints>;
  using SeriesPoints = std::array<Points, kSeries>;
  using SeriesReals = std::array<double, kSeries>;
  using SeriesInts = std::array<int, kSeries>;

  // Measured data.
  int nwej = 0;       // number of measured points N
  double area = 0.0;  // sample area S [cm2]
  Points tdat{};      // T [K]
  Points jdat{};      // current density J [A/cm2]
  Points xdat{};      // 1000/T [1/K]

  // Output grid.
  int nwyj = 0;           // number of grid points (from the parameter file)
  Points tout{};          // T [K]
  Points xout{};          // 1000/T
  double calctmin = 0.0;  // ends of the grid [K]
  double calctmax = 0.0;
  double xlo3 = 0.0;  // x limits of graph 3
  double xhi3 = 0.0;

  // Per series at the measured points.
  SeriesPoints pd{};     // depolarisation polarisation Pd [C/cm2]
  SeriesPoints ltaud{};  // log10 taud
  SeriesPoints ja1{};    // model J for P0 = 1
  SeriesPoints pa1{};    // model P for P0 = 1
  // Per series on the output grid.
  SeriesPoints ja{};     // model J [A/cm2]
  SeriesPoints pa{};     // model P [C/cm2]
  SeriesPoints ltaua{};  // log10 taua

  // Per-series limits [K] and methods (1..3).
  SeriesReals tmin{};  // line-fit window
  SeriesReals tmax{};
  SeriesReals tini{};  // integration limits
  SeriesReals tlim{};
  SeriesInts intmethod{};
  SeriesInts p0method{};

  // Per-series results.
  SeriesReals ea{};  // activation energy [eV]
  SeriesReals dea{};
  SeriesReals tau0{};  // pre-exponential factor [s]
  SeriesReals dtau0{};
  SeriesReals p0{};  // saturation polarisation [C/cm2]
  SeriesReals sj{};  // rms deviation of the current
  SeriesReals sp{};  // rms deviation of the polarisation (error of P0)
  // 1 once a computation of the series succeeded: its results, and the
  // model curves on the grid built from them, exist. A series without
  // results has no curves and no rows of model values.
  SeriesInts hasresults{};

  // Index ranges per series for the plot routine.
  SeriesInts fitfirst{};  // fit range, graphs 1 and 2
  SeriesInts fitlast{};
  SeriesInts fit3first{};  // copy of the fit range, graph 3
  SeriesInts fit3last{};
  SeriesInts datfirst{};  // measured points: first index and count
  SeriesInts datcount{};
  SeriesInts outfirst{};  // output grid: first and last index
  SeriesInts outlast{};
  SeriesInts out2first{};  // output grid, the second pair
  SeriesInts out2last{};
  SeriesInts intfirst{};  // integration range: first index and count, graph 3
  SeriesInts intcount{};
};

// The settings of the frame beside the analysis state: the input modes of
// the range dialogs, which series are drawn and tabulated, the graph shown,
// the grid switch and the fixed drawing constants, filled from VARNEL1.PAR
// at start-up (varnel1_params.h). Per-series arrays are 0-based: series s
// is element s-1.
struct Settings {
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

// Everything the program holds for the run.
struct State {
  AnalysisState analysis;
  Settings settings;
  // The file names kept for the whole run, each as long as the host allows
  // (runtime/filename.h); the boxes pad them to 79 characters where they
  // show them.
  runtime::FileName datafile;    // the last data file chosen
  runtime::FileName reportfile;  // the last report or table file chosen
  runtime::FileName dataname;    // the file whose data are held
  // A data file being read: a file that fails half-way is read here, so it
  // changes none of the measured data held.
  MeasuredData reading;
};

// jmask from plotseries: the measured current is the same for every series,
// so graph 1 draws it once, through the highest-numbered series shown;
// (0,0,0) when none is shown.
void computejmask(Settings& settings);

}  // namespace tsd::varnel1
