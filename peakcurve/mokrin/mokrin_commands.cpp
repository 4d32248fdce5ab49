// Index: the dialog field helpers; the parameter dialog; the measured data;
// the plots; tables, saving and printing; the parameter file and About; the
// command table of menu 30001.
#include "peakcurve/mokrin/mokrin_commands.h"

#include <array>
#include <string>
#include <vector>

#include "shell/boxes.h"
#include "shell/checks.h"
#include "shell/fields.h"
#include "shell/files.h"
#include "shell/frame.h"
#include "shell/params.h"
#include "shell/report.h"
#include "peakcurve/mokrin/mokrin_data.h"
#include "peakcurve/mokrin/mokrin_dialog.h"
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

void putfields(const std::vector<FilledField>& fields) {
  for (const FilledField& f : fields) wdialogputstring(f.field, f.text);
}

std::string getfield(int id) { return std::string(trimmed(fieldtext(id))); }

bool needsdata(const State& s) {
  if (s.dataflag == 1) return true;
  errorbox(cp("Nie wczytano danych"));
  return false;
}

// ---- The parameter dialog ----

void parametersdialog(State& s) {
  filldialog(s);
  showmodal();
  const CheckMessages errors = dialogread(s, getfield);
  errorboxes(errors);
  if (errors.empty()) dialogcommit(s);
  redraw(s);
}

// ---- Measured data ----

void readdata(State& s) {
  if (!choosedatafile(s.datachoice)) return;
  const DataFileStatus status = loaddata(s, s.datachoice.text());
  if (status != DataFileStatus::ok) {
    datafilefailed(status, s.datachoice.text());
    return;
  }
  wdialogselect(MK_DLG_PARAMETERS);
  putfields(dialogfillbt0(s));
  redraw(s);
}

void removedata(State& s) {
  s.dataflag = 0;
  redraw(s);
}

// ---- Plots ----

void showplot(State& s, int plot) {
  s.currentplot = plot;
  redraw(s);
}

// ---- Tables, saving and printing ----

void showtable(const State& s, int table) {
  const TableDialog d = tabledialog(table);
  const std::string text = tabletext(s, table);
  const tsd::FieldText fields[] = {{d.field, text}};
  showfilled(d.dialog, fields);
}

// Appends the output to a file the user chooses.
void save(State& s, Output output) {
  const bool report = output == Output::report;
  if (!choosereportfile(report ? kReportFilter : kTableFilter, s.savefile, cp("Zapis wyników"))) {
    return;
  }
  const std::string_view name = s.savefile.text();
  tellsaved(appendlines(name, outputlines(s, output, OutputVariant::file)),
            report ? reportsavedtext(name) : tablesavedtext(name), name);
}

void print(const State& s, Output output) {
  tellprinted(printlines(outputlines(s, output, OutputVariant::printer)));
}

// ---- The parameter file and About ----

void writeparamfile(const State& s) {
  tellparamssaved(writeparams(s), paramssavedtext(s), paramswritefailedtext(s));
}

void about(const State& s) {
  const std::string version = "Program " + std::string(variantinfo(s.variant).program) +
                              ", wersja 1.01";
  aboutbox({version, "Krzywe prądu depolaryzacji termicznie stymulowanej",
            "Model piku pierwszego rzędu", "Wersja dla systemu Linux"});
}

}  // namespace

void filldialog(State& s) {
  if (yydialogindex(MK_DLG_PARAMETERS) == 0) wdialogload(MK_DLG_PARAMETERS);
  wdialogselect(MK_DLG_PARAMETERS);
  putfields(dialogfill(s));
}

bool command(State& s, int id) {
  switch (id) {
    case MK_CM_READ_DATA: readdata(s); break;
    case MK_CM_REMOVE_DATA: removedata(s); break;
    case MK_CM_PARAMETERS: parametersdialog(s); break;
    case MK_CM_PLOT1: showplot(s, kPlotCurrent); break;
    case MK_CM_PLOT2: showplot(s, kPlotPolarisation); break;
    case MK_CM_GRID:
      switchgrid(s.gridflag);
      redraw(s);
      break;
    case MK_CM_TABLE1: showtable(s, kTable1); break;
    case MK_CM_TABLE2:
      if (needsdata(s)) showtable(s, kTable2);
      break;
    case MK_CM_SAVE_REPORT: save(s, Output::report); break;
    case MK_CM_SAVE_TABLE1: save(s, Output::table1); break;
    case MK_CM_SAVE_TABLE2:
      if (needsdata(s)) save(s, Output::table2);
      break;
    case MK_CM_SAVE_PARAMFILE: writeparamfile(s); break;
    case MK_CM_PRINT_REPORT: print(s, Output::report); break;
    case MK_CM_PRINT_TABLE1: print(s, Output::table1); break;
    case MK_CM_PRINT_TABLE2:
      if (needsdata(s)) print(s, Output::table2);
      break;
    case MK_CM_ABOUT: about(s); break;
    case MK_CM_END: return false;
    default: break;
  }
  return true;
}

}  // namespace tsd::mokrin
