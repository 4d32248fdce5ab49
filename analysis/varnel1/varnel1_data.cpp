#include "analysis/varnel1/varnel1_data.h"

#include <span>
#include <string>

#include "analysis/varnel1/analysis_state.h"
#include "analysis/datafile.h"
#include "analysis/varnel1/series.h"
#include "analysis/var.h"
#include "analysis/varnel1/varnel1_ui.h"
#include "analysis/varnel1/varnel1_settings.h"
#include "resources/varnel1/varnel1_ids.h"
#include "toolkit/window/wcomdlg.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wmenu.h"

namespace tsd {

namespace {

constexpr int kPopups[] = {V1_POPUP_PARAMETERS, V1_POPUP_GRAPHS, V1_POPUP_TABLES,
                            V1_POPUP_SAVE, V1_POPUP_PRINT};
// Keep the folder the user went to, append the filter's extension when none
// is typed. No offer to create a missing file: a data file must exist.
constexpr int kOpenFlags = kFileKeepDirectory | kFileDefaultExt;

}  // namespace

void enablepopups() {
  for (int id : kPopups) wmenusetstate(id, 1, 1);
}

void datacommand() {
  wselectfile2("Plik danych (*.dat, *.prn, *.txt)|*.dat; *.prn; *.txt|", kOpenFlags,
               std::span<char>(varnel1files.datafile), "Czytanie danych");
  if (winfodialog(4) != 1) return;
  loaddatafile(trimmedname(varnel1files.datafile));
}

bool loaddatafile(std::string_view name) {
  // The file is read aside: a file that fails half-way changes neither the
  // measured data nor b and T0, so graphs and tables never mix two runs.
  static MeasuredData data;
  const VarRecord before = var;
  const DataFileStatus status = readdatafile(name, data);
  if (status != DataFileStatus::ok) {
    var = before;
    if (status == DataFileStatus::cannot_open) {
      errorbox(cp("Nie można otworzyć pliku ") + std::string(name));
    } else {
      errorbox(cp("Błąd odczytu danych"));
    }
    return false;
  }
  takedata(data);

  Varnel1Settings& settings = varnel1settings;
  if (settings.curgraph == 0) settings.curgraph = settings.defgraph;
  resetranges();
  recomputeseries(SeriesWindow::IntegrationRange);
  enablepopups();
  return true;
}

}  // namespace tsd
