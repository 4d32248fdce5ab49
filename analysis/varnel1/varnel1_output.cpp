#include "analysis/varnel1/varnel1_output.h"

#include "analysis/varnel1/varnel1_reports.h"
#include "shell/boxes.h"
#include "shell/files.h"

namespace tsd::varnel1 {

namespace {

int table_number(Output output) {
  switch (output) {
    case Output::table1:
      return 1;
    case Output::table2:
      return 2;
    case Output::table3:
      return 3;
    case Output::table4:
      return 4;
    default:
      return 0;
  }
}

}  // namespace

std::vector<std::string> outputlines(const State& s, Output output, OutputVariant variant) {
  switch (output) {
    case Output::parameters:
      return parameterreport(s.analysis, s.dataname.text(), variant);
    case Output::results:
      return resultsreport(s.analysis, variant);
    default:
      return tablefile(table_number(output), s.settings.tabseries, s.analysis);
  }
}

SaveDialogText savedialogtext(Output output) {
  switch (output) {
    case Output::parameters:
      return {kReportFilter, cp("Zapis parametrów obliczeń"), cp("Parametry obliczeń zapisane w pliku ")};
    case Output::results:
      return {kReportFilter, cp("Zapis wyników obliczeń"), cp("Wyniki obliczeń zapisane w pliku ")};
    default: {
      const std::string n = std::to_string(table_number(output));
      return {kTableFilter, "Zapis tabeli " + n, "Tabela " + n + " zapisana w pliku "};
    }
  }
}

std::string saveinfotext(Output output, std::string_view filename) {
  return savedtext(savedialogtext(output).prefix, filename);
}

void save(State& s, Output output) {
  const SaveDialogText texts = savedialogtext(output);
  if (!choosereportfile(texts.filter, s.reportfile, texts.title)) return;
  const std::string_view name = s.reportfile.text();
  const OutputStatus status = appendlines(name, outputlines(s, output, OutputVariant::file));
  tellsaved(status, saveinfotext(output, name), name);
}

void print(const State& s, Output output) {
  tellprinted(printlines(outputlines(s, output, OutputVariant::printer)));
}

}  // namespace tsd::varnel1
