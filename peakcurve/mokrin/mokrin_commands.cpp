// Index: the dialog field helpers; the parameter dialog; the measured data;
// the plots; tables, saving and printing; the dispatch of menu 30001.
#include "peakcurve/mokrin/mokrin_commands.h"

#include <array>
#include <string>
#include <vector>

#include "shell/boxes.h"
#include "shell/fields.h"
#include "shell/files.h"
#include "shell/params.h"
#include "shell/report.h"
#include "peakcurve/mokrin/mokrin_data.h"
#include "peakcurve/mokrin/mokrin_dialog.h"
#include "peakcurve/mokrin/mokrin_frame.h"
#include "peakcurve/mokrin/mokrin_output.h"
#include "peakcurve/mokrin/mokrin_params.h"
#include "peakcurve/mokrin/mokrin_plot.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wcomdlg.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wwindow.h"

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

void switchgrid(MokrinState& s) {
  s.gridflag = s.gridflag == 0 ? 1 : 0;
  drawcurrent(s);
}

// ---- Tables, saving and printing ----

void showtable(MokrinState& s, int table) {
  const TableDialog d = tabledialog(table);
  const std::string text = tabletext(s, table);
  wdialogload(d.dialog);
  wdialogselect(d.dialog);
  wdialogputstring(d.field, text);
  showmodal();
  wdialogunload();
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
  const std::string text = "Program " + std::string(variantinfo(s.variant).program) +
                           ", wersja 1.01" +
                           cp("\rKrzywe prądu depolaryzacji termicznie stymulowanej"
                              "\rModel piku pierwszego rzędu"
                              "\rWersja dla systemu Linux");
  infobox(text, "O programie");
}

}  // namespace

void filldialog(MokrinState& s) {
  if (yydialogindex(kParamDialog) == 0) wdialogload(kParamDialog);
  wdialogselect(kParamDialog);
  putfields(dialogfill(s));
}

bool mokrincommand(MokrinState& s, int id) {
  switch (id) {
    case kCmdReadData: readdata(s); break;
    case kCmdRemoveData: removedata(s); break;
    case kCmdParameters: parameters(s); break;
    case kCmdPlot1: showplot(s, kPlotCurrent); break;
    case kCmdPlot2: showplot(s, kPlotPolarisation); break;
    case kCmdGrid: switchgrid(s); break;
    case kCmdShowTable1: showtable(s, kTable1); break;
    case kCmdShowTable2:
      if (needsdata(s)) showtable(s, kTable2);
      break;
    case kCmdSaveReport: savereport(s); break;
    case kCmdSaveTable1: savetable(s, kTable1); break;
    case kCmdSaveTable2:
      if (needsdata(s)) savetable(s, kTable2);
      break;
    case kCmdWriteParams: writeparamfile(s); break;
    case kCmdPrintReport: print(reportlines(s, OutputVariant::printer)); break;
    case kCmdPrintTable1: print(tablelines(s, kTable1)); break;
    case kCmdPrintTable2:
      if (needsdata(s)) print(tablelines(s, kTable2));
      break;
    case kCmdAbout: about(s); break;
    case kCmdEnd:
      windowclose();
      return false;
    default: break;
  }
  return true;
}

}  // namespace tsd::mokrin
