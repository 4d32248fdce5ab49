// varnel2's frame: start-up, the command table, reading a measured data
// file, the parameter file rewrite and the About box.
#include "multipeak/varnel2/varnel2_frame.h"

#include <string>

#include "multipeak/varnel2/varnel2_dialogs.h"
#include "multipeak/varnel2/varnel2_fit.h"
#include "multipeak/varnel2/varnel2_graph.h"
#include "multipeak/varnel2/varnel2_menus.h"
#include "multipeak/varnel2/varnel2_params.h"
#include "multipeak/varnel2/varnel2_results.h"
#include "multipeak/varnel2/varnel2_save.h"
#include "resources/varnel2/varnel2_ids.h"
#include "shell/files.h"
#include "shell/frame.h"
#include "shell/params.h"
#include "toolkit/window/wdialog.h"

namespace tsd::varnel2 {

namespace {

void readdata(State& s) {
  if (!choosedatafile(s.datafile)) return;
  const std::string name(s.datafile.text());
  if (const DataFileStatus status = loaddata(s, name); status != DataFileStatus::ok) {
    datafilefailed(status, name);
    return;
  }
  redraw(s);
  enabledatamenus();
}

void saveparams(const State& s) {
  tellparamssaved(writeparams(s), paramssavedtext(), paramswritefailedtext());
}

void about() {
  aboutbox({"Program Varnel2, wersja 1.10",
            "Aproksymacja krzywej prądu depolaryzacji termicznie stymulowanej",
            "sumą do czterech pików pierwszego rzędu",
            "(Ea, Tm, Jm każdego piku; tau0 i P0 z błędami standardowymi)"});
}

}  // namespace

bool command(State& s, int id) {
  switch (id) {
    case V2_CM_DATA: readdata(s); break;
    case V2_CM_PEAKS: peaksdialog(s); break;
    case V2_CM_COPY_FITTED: copyfitted(s); break;
    case V2_CM_FIT_RANGE: fitrangedialog(s); break;
    case V2_CM_FIT_SETTINGS: fitsettingsdialog(s); break;
    case V2_CM_FIT: fitrequest(s); break;
    case V2_CM_DISPLAY_RANGE: displayrangedialog(s); break;
    case V2_CM_GRID:
      switchgrid(s.gridflag);
      redraw(s);
      break;
    case V2_CM_RESULTS: showresults(s); break;
    case V2_CM_TABLE1: showtable(s, 1); break;
    case V2_CM_TABLE2: showtable(s, 2); break;
    case V2_CM_TABLE3: showtable(s, 3); break;
    case V2_CM_SAVE_PARAMETERS: save(s, Output::paramreport); break;
    case V2_CM_SAVE_RESULTS: save(s, Output::resultreport); break;
    case V2_CM_SAVE_TABLE1: save(s, Output::table1); break;
    case V2_CM_SAVE_TABLE2: save(s, Output::table2); break;
    case V2_CM_SAVE_TABLE3: save(s, Output::table3); break;
    case V2_CM_SAVE_PARAMFILE: saveparams(s); break;
    case V2_CM_PRINT_PARAMETERS: print(s, Output::paramreport); break;
    case V2_CM_PRINT_RESULTS: print(s, Output::resultreport); break;
    case V2_CM_PRINT_TABLE1: print(s, Output::table1); break;
    case V2_CM_PRINT_TABLE2: print(s, Output::table2); break;
    case V2_CM_PRINT_TABLE3: print(s, Output::table3); break;
    case V2_CM_ABOUT: about(); break;
    case V2_CM_END: return false;
    default: break;
  }
  return true;
}

void run() {
  // The one state of the run, handed to every command.
  State s;
  openprogramwindow({"Program Varnel2", -1, V2_MENU, true});

  const ParamsResult params = readparams(s);
  if (!params.ok()) startupfailed(params);
  buildvector(s);
  s.loaded = 0;
  s.markersize = 0.002;
  wdialogload(V2_DLG_PEAKS);
  wdialogload(V2_DLG_FIT_SETTINGS);
  wdialogload(V2_DLG_FIT_RANGE);
  wdialogload(V2_DLG_DISPLAY_RANGE);
  settable2menus(s);

  runframe({[&](int id) { return command(s, id); }, [&] { redraw(s); }});
}

}  // namespace tsd::varnel2
