// The per-series computation of varnel1 on the analysis state: output grid,
// integration, Arrhenius fit, P0 estimate and model curves. No window: each
// routine works on the AnalysisState it is given and on the record `var`.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "analysis/datafile.h"
#include "analysis/varnel1/varnel1_state.h"

namespace tsd::varnel1 {

// Where the line-fit window of a series comes from.
enum class SeriesWindow {
  IntegrationRange,  // the valid range of the integration (a new data file)
  FitLimits,         // tmin and tmax of the series (the range dialogs)
};

// Outcome of one series: success, or failure with the message text for the
// error box, in code page 1250.
struct SeriesOutcome {
  bool ok = true;
  int length = 0;
  std::array<char, 64> message{};
  std::string_view text() const { return {message.data(), static_cast<std::size_t>(length)}; }
};

// tout and xout from calctmin, calctmax and nwyj (at most 800 points; one
// point is calctmin itself; none for nwyj < 1).
void gridcompute(AnalysisState& a);

// The measured points of a file that was read become the analysis state's
// (nwej, area, tdat, jdat); b and T0 are in `var` already.
void takedata(AnalysisState& a, const MeasuredData& data);

// After a new measured data set (nwej points in tdat, rising): xdat =
// 1000/T, the output range and grid over the measured range with the
// current nwyj, the x limits of graph 3, every series' fit window and
// integration limits reset to the measured range, no fit range to
// highlight, and the model curves of the series' kept results on the new
// grid with the new b and T0 (modelrefresh).
void resetranges(AnalysisState& a);

// Series s (1..3): integrates the current between tini(s) and tlim(s) down
// from tlim(s), forms Pd and log10 taud at every measured point, fits the
// line over the window, and on success sets the results, the model curves and
// the plot ranges of the series. A window with fewer than two points fails
// with "Seria nr <s>\r\nLiczba punktów aproksymacji < 2", and results that
// are not all finite numbers (Ea, tau0, P0 and their errors) with
// "Seria nr <s>\r\nWyniki obliczeń nie są liczbami skończonymi"; pd and
// ltaud are new then, and with them the ranges of the measured points and
// of the valid integration; the results, the model curves and the fit range
// are kept. A series number outside 1..3 changes nothing and fails with an
// empty message.
SeriesOutcome seriescompute(AnalysisState& a, int s, SeriesWindow window);

// Model curves of every series on the current grid from the stored Ea, tau0
// and P0, without a new fit. A series without results (none of its
// computations succeeded) gets no curves: an empty output range, and no
// model value computed.
void modelrefresh(AnalysisState& a);

}  // namespace tsd::varnel1
