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

#include "analysis/varnel1/analysis_state.h"
#include "analysis/datafile.h"
#include "analysis/varnel1/series.h"
#include "analysis/var.h"
#include "analysis/varnel1/varnel1_output.h"
#include "analysis/varnel1/varnel1_params.h"
#include "analysis/varnel1/varnel1_save.h"
#include "analysis/varnel1/varnel1_settings.h"
#include "text/cp1250.h"

namespace tsd::varnel1::testing {

// The analysis of the data file `datafile` with the parameter file of the
// folder `dir`, left in the global state `analysis` (and `var`); the
// settings read come back in `settings`. Fails the test when a file cannot
// be read or a series fails.
inline void expectedanalysis(const std::string& dir, const std::string& datafile,
                             Varnel1Settings& settings) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  analysis = AnalysisState();
  var = {};
  const ParamsResult params = readparams(settings, analysis);
  std::filesystem::current_path(before);
  ASSERT_TRUE(params.ok()) << text::utf8_from_cp1250(paramsproblemtext(params));

  static MeasuredData data;
  ASSERT_EQ(readdatafile(datafile, data), DataFileStatus::ok) << datafile;
  takedata(data);
  resetranges();
  const AnalysisState& a = analysis;
  for (int s = 1; s <= AnalysisState::kSeries; ++s) {
    const SeriesOutcome outcome = seriescompute(s, SeriesWindow::IntegrationRange);
    ASSERT_TRUE(outcome.ok) << "series " << s << ": " << text::utf8_from_cp1250(outcome.text());
    // A series that found nothing would make every comparison trivial.
    ASSERT_GT(a.ea[s - 1], 0.0) << "series " << s;
    ASSERT_GT(a.p0[s - 1], 0.0) << "series " << s;
  }
}

inline std::string utf8(const std::string& cp1250) { return text::utf8_from_cp1250(cp1250); }

// The lines of a report as a file holds them: UTF-8, each ended by LF.
inline std::string filetext(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += utf8(line) + "\n";
  return out;
}

// A report of the current global state, file or printer variant.
inline std::string reporttext(Report report, OutputVariant variant, const Varnel1Settings& settings,
                              const std::string& datafile) {
  return filetext(reportlines(report, variant, analysis, settings, text::cp1250_from_utf8(datafile)));
}

}  // namespace tsd::varnel1::testing
