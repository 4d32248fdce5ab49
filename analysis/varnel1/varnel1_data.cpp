#include "analysis/varnel1/varnel1_data.h"

#include <algorithm>
#include <span>
#include <string>

#include "analysis/varnel1/analysis_state.h"
#include "analysis/datafile.h"
#include "analysis/varnel1/series.h"
#include "analysis/var.h"
#include "analysis/varnel1/varnel1_ui.h"
#include "analysis/varnel1/varnel1_settings.h"
#include "resources/varnel1/varnel1_ids.h"
#include "shell/files.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wmenu.h"

namespace tsd::varnel1 {

namespace {

constexpr int kPopups[] = {V1_POPUP_PARAMETERS, V1_POPUP_GRAPHS, V1_POPUP_TABLES,
                            V1_POPUP_SAVE, V1_POPUP_PRINT};

}  // namespace

void enablepopups() {
  for (int id : kPopups) wmenusetstate(id, 1, 1);
}

void datacommand() {
  if (!choosedatafile(varnel1files.datafile)) return;
  loaddatafile(varnel1files.datafile.text());
}

bool loaddatafile(std::string_view name) {
  // The file is read aside: a file that fails half-way changes neither the
  // measured data nor b and T0, so graphs and tables never mix two runs.
  static MeasuredData data;
  const VarRecord before = var;
  const DataFileStatus status = readdatafile(name, data);
  if (status != DataFileStatus::ok) {
    var = before;
    datafilefailed(status, name);
    return false;
  }
  takedata(data);
  // The reports name the file whose data are held, not the last one chosen.
  varnel1files.dataname.set(name);

  Varnel1Settings& settings = varnel1settings;
  if (settings.curgraph == 0) settings.curgraph = settings.defgraph;
  resetranges();
  recomputeseries(SeriesWindow::IntegrationRange);
  enablepopups();
  return true;
}

}  // namespace tsd::varnel1
