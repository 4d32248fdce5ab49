#include "analysis/varnel1/varnel1_results.h"

#include <array>
#include <span>
#include <string>

#include "analysis/varnel1/analysis_state.h"
#include "analysis/varnel1/varnel1_ui.h"
#include "analysis/varnel1/varnel1_output.h"
#include "analysis/varnel1/varnel1_settings.h"
#include "toolkit/window/wcomdlg.h"
#include "toolkit/window/wdialog.h"

namespace tsd {

namespace {

// A save dialog that keeps the folder the user went to (the parameter file
// stays in the start folder whatever the current one is) and appends the
// selected filter's extension when none is typed. No overwrite question:
// reports are only ever appended.
constexpr int kSaveFlags = kFileSave | kFileKeepDirectory | kFileDefaultExt;

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
  wselectfile2(texts.filter, kSaveFlags, std::span<char>(varnel1files.reportfile), texts.title);
  if (winfodialog(4) != 1) return;
  const std::string_view name = trimmedname(varnel1files.reportfile);
  const OutputStatus status =
      savereport(report, name, analysis, varnel1settings, trimmedname(varnel1files.datafile));
  if (status == OutputStatus::ok) {
    infobox(saveinfotext(report, name));
  } else {
    errorbox(outputerrortext(status, name));
  }
}

void printcommand(Report report) {
  const OutputStatus status =
      printreport(report, analysis, varnel1settings, trimmedname(varnel1files.datafile));
  if (status != OutputStatus::ok) errorbox(outputerrortext(status, ""));
}

}  // namespace tsd
