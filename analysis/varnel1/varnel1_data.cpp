#include "analysis/varnel1/varnel1_data.h"

#include "analysis/var.h"
#include "analysis/varnel1/varnel1_recompute.h"
#include "analysis/varnel1/varnel1_series.h"
#include "resources/varnel1/varnel1_ids.h"
#include "shell/files.h"
#include "shell/frame.h"

namespace tsd::varnel1 {

namespace {

constexpr int kPopups[] = {V1_POPUP_PARAMETERS, V1_POPUP_GRAPHS, V1_POPUP_TABLES,
                           V1_POPUP_SAVE, V1_POPUP_PRINT};

}  // namespace

void enablepopups() {
  setmenustate(kPopups, 1);
}

void readdata(State& s) {
  if (!choosedatafile(s.datafile)) return;
  const std::string_view name = s.datafile.text();
  if (const DataFileStatus status = loaddata(s, name); status != DataFileStatus::ok) {
    datafilefailed(status, name);
  }
}

DataFileStatus loaddata(State& s, std::string_view name) {
  // The file is read aside: a file that fails half-way changes neither the
  // measured data nor b and T0, so graphs and tables never mix two runs.
  const DataFileStatus status = readnewdatafile(name, s.reading);
  if (status != DataFileStatus::ok) return status;
  takedata(s.analysis, s.reading);
  // The reports name the file whose data are held, not the last one chosen.
  s.dataname.set(name);

  Settings& settings = s.settings;
  if (settings.curgraph == 0) settings.curgraph = settings.defgraph;
  resetranges(s.analysis);
  recomputeseries(s, SeriesWindow::IntegrationRange);
  enablepopups();
  return DataFileStatus::ok;
}

}  // namespace tsd::varnel1
