#include "analysis/varnel1/varnel1_save.h"

#include "shell/boxes.h"
#include "shell/files.h"

namespace tsd::varnel1 {

namespace {

int table_number(Report r) {
  switch (r) {
    case Report::table1:
      return 1;
    case Report::table2:
      return 2;
    case Report::table3:
      return 3;
    case Report::table4:
      return 4;
    default:
      return 0;
  }
}

}  // namespace

std::vector<std::string> reportlines(Report report, OutputVariant variant,
                                     const AnalysisState& state, const Varnel1Settings& settings,
                                     std::string_view datafile) {
  switch (report) {
    case Report::parameters:
      return parameterreport(state, datafile, variant);
    case Report::results:
      return resultsreport(state, variant);
    default:
      return tablefile(table_number(report), settings.tabseries, state);
  }
}

SaveDialogText savedialogtext(Report report) {
  switch (report) {
    case Report::parameters:
      return {kReportFilter, cp("Zapis parametrów obliczeń"), cp("Parametry obliczeń zapisane w pliku ")};
    case Report::results:
      return {kReportFilter, cp("Zapis wyników obliczeń"), cp("Wyniki obliczeń zapisane w pliku ")};
    default: {
      const std::string n = std::to_string(table_number(report));
      return {kTableFilter, "Zapis tabeli " + n, "Tabela " + n + " zapisana w pliku "};
    }
  }
}

std::string saveinfotext(Report report, std::string_view filename) {
  return savedtext(savedialogtext(report).prefix, filename);
}

OutputStatus savereport(Report report, std::string_view filename, const AnalysisState& state,
                        const Varnel1Settings& settings, std::string_view datafile) {
  return appendlines(filename, reportlines(report, OutputVariant::file, state, settings, datafile));
}

OutputStatus printreport(Report report, const AnalysisState& state, const Varnel1Settings& settings,
                         std::string_view datafile) {
  return printlines(reportlines(report, OutputVariant::printer, state, settings, datafile));
}

}  // namespace tsd::varnel1
