// Index: the dialog field helpers; the parameter dialog; the measured data;
// the plots; tables, saving and printing; the dispatch of menu 30001.
#include "peakcurve/mokrin/mokrin_commands.h"

#include <array>
#include <string>
#include <vector>

#include "shell/boxes.h"
#include "shell/fields.h"
#include "shell/files.h"
#include "shell/frame.h"
#include "shell/params.h"
#include "shell/report.h"
#include "peakcurve/mokrin/mokrin_data.h"
#include "peakcurve/mokrin/mokrin_dialog.h"
#include "peakcurve/mokrin/mokrin_frame.h"
#include "peakcurve/mokrin/mokrin_output.h"
#include "peakcurve/mokrin/mokrin_params.h"
#include "peakcurve/mokrin/mokrin_plot.h"
#include "resources/mokrin/mokrin_ids.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wcomdlg.h"
#include "toolkit/window/wdialog.h"

namespace tsd::mokrin {

namespace {

// ---- Dialog fields ----

void putfields(const std::vector<FieldText>& fields) {
  for (const FieldText& f : fields) wdialogputstring(f.id, f.text);
}

std::string getfield(int id) { return std::string(trimmed(fieldtext(id))); }

bool needsdata(const MokrinState& s) {
  if (s.dataflag == 1) return true;
  errorbox(cp("Nie wczytano danych"));
  return false;
}

// ---- The parameter dialog ----

void parameters(MokrinState& s) {
  filldialog(s);
  showmodal();
  const std::vector<std::string> errors = dialogread(s, getfield);
  for (const std::string& e : errors) errorbox(e);
  if (errors.empty()) dialogcommit(s);
  drawcurrent(s);
}

// ---- Measured data ----

void readdata(MokrinState& s) {
  if (!choosedatafile(s.datachoice)) return;
  const DataFileStatus status = loaddata(s, s.datachoice.text());
  if (status != DataFileStatus::ok) {
    datafilefailed(status, s.datachoice.text());
    return;
  }
  wdialogselect(kParamDialog);
  putfields(dialogfillbt0(s));
  drawcurrent(s);
}

void removedata(MokrinState& s) {
  s.dataflag = 0;
  drawcurrent(s);
}

// ---- Plots ----

void showplot(MokrinState& s, int plot) {
  s.currentplot = plot;
  drawcurrent(s);
}

// ---- Tables, saving and printing ----

void showtable(MokrinState& s, int table) {
  const TableDialog d = tabledialog(table);
  const std::string text = tabletext(s, table);
  const tsd::FieldText fields[] = {{d.field, text}};
  showfilled(d.dialog, fields);
}

// Appends the lines to a file the user chooses; `saved` gives the text of
// the information box for the file name.
void save(MokrinState& s, std::string_view filter, const std::vector<std::string>& lines,
          std::string (*saved)(std::string_view)) {
  if (!choosereportfile(filter, s.savefile, cp("Zapis wyników"))) return;
  const std::string_view name = s.savefile.text();
  tellsaved(appendlines(name, lines), saved(name), name);
}

void savetable(MokrinState& s, int table) {
  save(s, kTableFilter, tablelines(s, table),
       tablesavedtext);
}

void savereport(MokrinState& s) {
  save(s, kReportFilter,
       reportlines(s, OutputVariant::file), reportsavedtext);
}

void print(const std::vector<std::string>& lines) {
  tellprinted(printlines(lines));
}

// ---- The parameter file and About ----

void writeparamfile(MokrinState& s) {
  tellparamssaved(writeparams(s), paramssavedtext(s), paramswritefailedtext(s));
}

void about(const MokrinState& s) {
  const std::string version = "Program " + std::string(variantinfo(s.variant).program) +
                              ", wersja 1.01";
  aboutbox({version, "Krzywe prądu depolaryzacji termicznie stymulowanej",
            "Model piku pierwszego rzędu", "Wersja dla systemu Linux"});
}

}  // namespace

void filldialog(MokrinState& s) {
  if (yydialogindex(kParamDialog) == 0) wdialogload(kParamDialog);
  wdialogselect(kParamDialog);
  putfields(dialogfill(s));
}

bool mokrincommand(MokrinState& s, int id) {
  switch (id) {
    case MK_CM_READ_DATA: readdata(s); break;
    case MK_CM_REMOVE_DATA: removedata(s); break;
    case MK_CM_PARAMETERS: parameters(s); break;
    case MK_CM_PLOT1: showplot(s, kPlotCurrent); break;
    case MK_CM_PLOT2: showplot(s, kPlotPolarisation); break;
    case MK_CM_GRID:
      switchgrid(s.gridflag);
      drawcurrent(s);
      break;
    case MK_CM_TABLE1: showtable(s, kTable1); break;
    case MK_CM_TABLE2:
      if (needsdata(s)) showtable(s, kTable2);
      break;
    case MK_CM_SAVE_REPORT: savereport(s); break;
    case MK_CM_SAVE_TABLE1: savetable(s, kTable1); break;
    case MK_CM_SAVE_TABLE2:
      if (needsdata(s)) savetable(s, kTable2);
      break;
    case MK_CM_SAVE_PARAMFILE: writeparamfile(s); break;
    case MK_CM_PRINT_REPORT: print(reportlines(s, OutputVariant::printer)); break;
    case MK_CM_PRINT_TABLE1: print(tablelines(s, kTable1)); break;
    case MK_CM_PRINT_TABLE2:
      if (needsdata(s)) print(tablelines(s, kTable2));
      break;
    case MK_CM_ABOUT: about(s); break;
    case MK_CM_END: return false;
    default: break;
  }
  return true;
}

}  // namespace tsd::mokrin
