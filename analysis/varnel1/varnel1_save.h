// varnel1's "Zapis" and "Wydruk" commands without their windows: the lines
// of each report or table, written through the program shell to a chosen
// file or to the printer, and the texts of the file dialog and of the box
// that follows a save. Every text is code page 1250.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/report.h"
#include "analysis/varnel1/analysis_state.h"
#include "analysis/varnel1/varnel1_output.h"
#include "analysis/varnel1/varnel1_settings.h"

namespace tsd::varnel1 {

enum class Report { parameters, results, table1, table2, table3, table4 };

// The lines of a report: the parameter report (datafile: the data file
// name), the results report, or table 1..4 of settings.tabseries.
std::vector<std::string> reportlines(Report report, OutputVariant variant,
                                     const AnalysisState& state, const Varnel1Settings& settings,
                                     std::string_view datafile);

// What the file dialog of a "Zapis" command shows, and the prefix of the
// information box after the save.
struct SaveDialogText {
  std::string_view filter;  // kReportFilter or kTableFilter
  std::string title;        // "Zapis parametrów obliczeń", ..., "Zapis tabeli 4"
  std::string prefix;       // "Parametry obliczeń zapisane w pliku ", ..., "Tabela 4 zapisana w pliku "
};
SaveDialogText savedialogtext(Report report);

// The information box after a save: savedtext with the report's prefix.
std::string saveinfotext(Report report, std::string_view filename);

// The "Zapis" command after the file dialog, and the "Wydruk" command:
// reportlines of the file or the printer variant, written.
OutputStatus savereport(Report report, std::string_view filename, const AnalysisState& state,
                        const Varnel1Settings& settings, std::string_view datafile);
OutputStatus printreport(Report report, const AnalysisState& state,
                         const Varnel1Settings& settings, std::string_view datafile);

}  // namespace tsd::varnel1
