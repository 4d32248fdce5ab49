// Index: the dialog field helpers; the parameter dialog; the measured data;
// the plots; tables, saving and printing; the dispatch of menu 30001.
#include "peakcurve/mokrin/mokrin_commands.h"

#include <array>
#include <string>
#include <vector>

#include "analysis/varnel1/varnel1_save.h"
#include "peakcurve/mokrin/mokrin_boxes.h"
#include "peakcurve/mokrin/mokrin_data.h"
#include "peakcurve/mokrin/mokrin_dialog.h"
#include "peakcurve/mokrin/mokrin_frame.h"
#include "peakcurve/mokrin/mokrin_output.h"
#include "peakcurve/mokrin/mokrin_params.h"
#include "peakcurve/mokrin/mokrin_plot.h"
#include "text/cp1250.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wcomdlg.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wwindow.h"

namespace tsd::mokrin {

namespace {

// Room for a whole field text (never cut at 14 characters) and for a whole
// path from the file dialog.
constexpr std::size_t kFieldBuffer = 256;
constexpr std::size_t kNameBuffer = 4096;

std::string cp(std::string_view utf8) { return text::cp1250_from_utf8(utf8); }

// ---- Dialog fields ----

void putfields(const std::vector<FieldText>& fields) {
  for (const FieldText& f : fields) wdialogputstring(f.id, f.text);
}

std::string getfield(int id) {
  std::array<char, kFieldBuffer> buf{};
  wdialoggetstring(id, buf);
  return std::string(trimmed(std::string_view(buf.data(), buf.size())));
}

void showmodal() { wdialogshow(1, -1, 0, kShowModal); }

// ---- File dialog ----

// Lets the user choose a file, offering `name`; the chosen name (trailing
// blanks cut) into `name`. False when the user cancelled.
bool choosefile(std::string_view filter, int flags, std::string& name, std::string_view title) {
  std::vector<char> buf(kNameBuffer, ' ');
  assign(buf, name);
  wselectfile2(filter, flags, buf, title);
  if (winfodialog(4) != 1) return false;
  name = std::string(trimmed(std::string_view(buf.data(), buf.size())));
  return true;
}

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
  // The open dialog does not offer to create a file that is not there.
  const int flags = kFileKeepDirectory | kFileDefaultExt;
  if (!choosefile("Plik danych (*.dat, *.prn, *.txt)|*.dat; *.prn; *.txt|", flags, s.datachoice,
                  "Czytanie danych")) {
    return;
  }
  const DataFileStatus status = loaddata(s, s.datachoice);
  if (status == DataFileStatus::cannot_open) {
    errorbox(outputerrortext(OutputStatus::open_failed, s.datachoice));
    return;
  }
  if (status != DataFileStatus::ok) {
    errorbox(cp("Błąd odczytu danych"));
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
  const int flags = kFileSave | kFileKeepDirectory | kFileDefaultExt;  // 41
  if (!choosefile(filter, flags, s.savefile, cp("Zapis wyników"))) return;
  const OutputStatus status = appendlines(s.savefile, lines);
  if (status != OutputStatus::ok) {
    errorbox(outputerrortext(status, s.savefile));
    return;
  }
  infobox(saved(s.savefile));
}

void savetable(MokrinState& s, int table) {
  save(s, "Plik danych (*.dat)|*.dat|Plik tekstowy (*.txt)|*.txt|", tablelines(s, table),
       tablesavedtext);
}

void savereport(MokrinState& s) {
  save(s, "Plik tekstowy (*.txt)|*.txt|Plik danych (*.dat)|*.dat|",
       reportlines(s, OutputVariant::file), reportsavedtext);
}

void print(const std::vector<std::string>& lines) {
  const OutputStatus status = printlines(lines);
  if (status != OutputStatus::ok) errorbox(outputerrortext(status, ""));
}

// ---- The parameter file and About ----

void writeparamfile(MokrinState& s) {
  const ParamsResult r = writeparams(s);
  if (!r.ok()) {
    errorbox(paramswritefailedtext(s));
    return;
  }
  infobox(paramssavedtext(s));
}

void about(const MokrinState& s) {
  const std::string text = "Program " + std::string(variantinfo(s.variant).program) +
                           ", wersja 1.01" +
                           cp("\rKrzywe prądu depolaryzacji termicznie stymulowanej"
                              "\rModel piku pierwszego rzędu"
                              "\rWersja dla systemu Linux");
  wmessagebox(kBoxOk, kIconInformation, 1, text, "O programie");
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
