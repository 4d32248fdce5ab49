// What varnel1 should show and write after loading a data file, computed in
// the test process from the analysis core: the parameter file of the run's
// folder and the data file read, the three series computed over their
// integration ranges as the data command does, and the texts of the results
// and tables made from that state. Texts come back in UTF-8, as the program's
// log and files hold them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/varnel1/varnel1_state.h"
#include "analysis/datafile.h"
#include "analysis/varnel1/varnel1_series.h"
#include "analysis/var.h"
#include "analysis/varnel1/varnel1_reports.h"
#include "analysis/varnel1/varnel1_params.h"
#include "analysis/varnel1/varnel1_output.h"
#include "analysis/varnel1/varnel1_state.h"
#include "text/cp1250.h"

namespace tsd::varnel1::testing {

// The analysis of the data file `datafile` with the parameter file of the
// folder `dir`, left in `s` (and `var`), with the settings read and the
// data file named. Fails the test when a file cannot be read or a series
// fails.
inline void expectedanalysis(const std::string& dir, const std::string& datafile, State& s) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  var = {};
  const ParamsResult params = readparams(s);
  std::filesystem::current_path(before);
  ASSERT_TRUE(params.ok()) << text::utf8_from_cp1250(paramsproblemtext(params));

  ASSERT_EQ(readdatafile(datafile, s.reading), DataFileStatus::ok) << datafile;
  s.dataname.set(text::cp1250_from_utf8(datafile));
  takedata(s.analysis, s.reading);
  resetranges(s.analysis);
  const AnalysisState& a = s.analysis;
  for (int series = 1; series <= AnalysisState::kSeries; ++series) {
    const SeriesOutcome outcome = seriescompute(s.analysis, series, SeriesWindow::IntegrationRange);
    ASSERT_TRUE(outcome.ok) << "series " << series << ": " << text::utf8_from_cp1250(outcome.text());
    // A series that found nothing would make every comparison trivial.
    ASSERT_GT(a.ea[series - 1], 0.0) << "series " << series;
    ASSERT_GT(a.p0[series - 1], 0.0) << "series " << series;
  }
}

inline std::string utf8(const std::string& cp1250) { return text::utf8_from_cp1250(cp1250); }

// The lines of a report as a file holds them: UTF-8, each ended by LF.
inline std::string filetext(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += utf8(line) + "\n";
  return out;
}

// An output of the state, file or printer variant.
inline std::string outputtext(const State& s, Output output, OutputVariant variant) {
  return filetext(outputlines(s, output, variant));
}

}  // namespace tsd::varnel1::testing
