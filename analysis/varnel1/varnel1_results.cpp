#include "analysis/varnel1/varnel1_results.h"

#include <array>
#include <span>
#include <string>

#include "analysis/varnel1/analysis_state.h"
#include "analysis/varnel1/varnel1_ui.h"
#include "analysis/varnel1/varnel1_output.h"
#include "analysis/varnel1/varnel1_settings.h"
#include "shell/files.h"

namespace tsd::varnel1 {

void resultsdialog() {
  const std::array<ResultField, 18> fields = resultsfields(analysis);
  std::array<FieldText, 18> texts;
  for (std::size_t i = 0; i < fields.size(); ++i) texts[i] = {fields[i].id, fields[i].text};
  showfilled(kResultsDialog, texts);
}

void tabledialog(int table) {
  const TableInfo* info = tableinfo(table);
  if (info == nullptr) return;
  const int s = varnel1settings.tabseries;
  std::string text;
  tablebuf(table, s, analysis, text);
  const std::string label = tablelabel(s);
  const FieldText texts[] = {{info->labelfield, label}, {info->textfield, text}};
  showfilled(info->dialog, texts);
}

void savecommand(Report report) {
  const SaveDialogText texts = savedialogtext(report);
  if (!choosereportfile(texts.filter, varnel1files.reportfile, texts.title)) return;
  const std::string_view name = varnel1files.reportfile.text();
  const OutputStatus status =
      savereport(report, name, analysis, varnel1settings, varnel1files.dataname.text());
  tellsaved(status, saveinfotext(report, name), name);
}

void printcommand(Report report) {
  tellprinted(printreport(report, analysis, varnel1settings, varnel1files.dataname.text()));
}

}  // namespace tsd::varnel1
