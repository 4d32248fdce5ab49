// The analysis state of varnel1: measured data, output grid, the limits and
// methods of the three series, their results, model curves and the index
// ranges the plot routine draws. One static record for the whole run, shared
// by the per-series computation and the program frame.
//
// Arrays are stored 0-based; the analysis numbers points and series from 1,
// so point i of series s is pd[s-1][i-1]. A per-series array of points is
// laid out series after series, 800 values each (the column length the plot
// routine is given).
#pragma once

#include <array>

namespace tsd::varnel1 {

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

extern AnalysisState analysis;

}  // namespace tsd::varnel1
