#include "analysis/varnel1/varnel1_results.h"

#include <array>
#include <span>
#include <string>

#include "analysis/varnel1/analysis_state.h"
#include "analysis/varnel1/varnel1_ui.h"
#include "analysis/varnel1/varnel1_output.h"
#include "analysis/varnel1/varnel1_settings.h"
#include "shell/files.h"
#include "toolkit/window/wdialog.h"

namespace tsd {

namespace {

// The table text buffer, kept for the whole run.
std::string& tabletext() {
  static std::string text;
  return text;
}

}  // namespace

void resultsdialog() {
  const std::array<ResultField, 18> fields = resultsfields(analysis);
  wdialogload(kResultsDialog);
  wdialogselect(kResultsDialog);
  for (const ResultField& field : fields) wdialogputstring(field.id, field.text);
  showmodal();
  wdialogunload();
}

void tabledialog(int table) {
  const TableInfo* info = tableinfo(table);
  if (info == nullptr) return;
  const int s = varnel1settings.tabseries;
  std::string& text = tabletext();
  tablebuf(table, s, analysis, text);
  wdialogload(info->dialog);
  wdialogselect(info->dialog);
  wdialogputstring(info->labelfield, tablelabel(s));
  wdialogputstring(info->textfield, text);
  showmodal();
  wdialogunload();
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

}  // namespace tsd
