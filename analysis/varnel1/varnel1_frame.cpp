#include "analysis/varnel1/varnel1_frame.h"

#include "analysis/varnel1/analysis_state.h"
#include "analysis/varnel1/varnel1_data.h"
#include "analysis/varnel1/varnel1_dialogs.h"
#include "analysis/varnel1/varnel1_graphs.h"
#include "analysis/varnel1/varnel1_params.h"
#include "analysis/varnel1/varnel1_results.h"
#include "analysis/varnel1/varnel1_settings.h"
#include "analysis/varnel1/varnel1_ui.h"
#include "resources/varnel1/varnel1_ids.h"
#include "shell/frame.h"
#include "shell/params.h"
#include "toolkit/window/wdialog.h"

namespace tsd::varnel1 {

namespace {

// The dialogs kept loaded from start-up to the end.
constexpr int kKeptDialogs[] = {V1_DLG_RANGES, V1_DLG_METHODS, V1_DLG_OUTPUT_RANGE, V1_DLG_SERIES};

void showgraph(int graph) {
  cleargraphics();
  plotgraph(graph, analysis, varnel1settings);
  varnel1settings.curgraph = graph;
}

void saveparamfile() {
  tellparamssaved(writeparams(varnel1settings, analysis), paramssavedtext(), paramswritefailedtext());
}

void about() {
  aboutbox({"Program Varnel1, wersja 1.00", "Prądy depolaryzacji (TSD)", "Wersja dla systemu Linux.",
            "Obliczenia w trzech seriach"});
}

// Runs one menu command; false when the program ends.
bool menucommand(int id) {
  switch (id) {
    case V1_CM_DATA: datacommand(); break;
    case V1_CM_RANGES: rangedialog(); break;
    case V1_CM_METHODS: methoddialog(); break;
    case V1_CM_OUTPUT_RANGE: outputdialog(); break;
    case V1_CM_SERIES: seriesdialog(); break;
    case V1_CM_GRAPH1: showgraph(1); break;
    case V1_CM_GRAPH2: showgraph(2); break;
    case V1_CM_GRAPH3: showgraph(3); break;
    case V1_CM_GRID:
      switchgrid(varnel1settings.gridflag);
      drawcurrent();
      break;
    case V1_CM_RESULTS: resultsdialog(); break;
    case V1_CM_TABLE1: tabledialog(1); break;
    case V1_CM_TABLE2: tabledialog(2); break;
    case V1_CM_TABLE3: tabledialog(3); break;
    case V1_CM_TABLE4: tabledialog(4); break;
    case V1_CM_SAVE_PARAMETERS: savecommand(Report::parameters); break;
    case V1_CM_SAVE_RESULTS: savecommand(Report::results); break;
    case V1_CM_SAVE_TABLE1: savecommand(Report::table1); break;
    case V1_CM_SAVE_TABLE2: savecommand(Report::table2); break;
    case V1_CM_SAVE_TABLE3: savecommand(Report::table3); break;
    case V1_CM_SAVE_TABLE4: savecommand(Report::table4); break;
    case V1_CM_SAVE_PARAMFILE: saveparamfile(); break;
    case V1_CM_PRINT_PARAMETERS: printcommand(Report::parameters); break;
    case V1_CM_PRINT_RESULTS: printcommand(Report::results); break;
    case V1_CM_PRINT_TABLE1: printcommand(Report::table1); break;
    case V1_CM_PRINT_TABLE2: printcommand(Report::table2); break;
    case V1_CM_PRINT_TABLE3: printcommand(Report::table3); break;
    case V1_CM_PRINT_TABLE4: printcommand(Report::table4); break;
    case V1_CM_ABOUT: about(); break;
    case V1_CM_END: return false;
    default: break;  // any other id is not a command of this program
  }
  return true;
}

}  // namespace

void run() {
  openprogramwindow({.title = "Program Varnel1", .y = -1, .menu = V1_MENU});
  // A missing or unusable parameter file ends the program.
  if (const ParamsResult result = readparams(varnel1settings, analysis); !result.ok()) {
    startupfailed(result);
  }
  varnel1settings.curgraph = 0;
  varnel1settings.markersize = 0.002;
  computejmask(varnel1settings);
  for (int id : kKeptDialogs) wdialogload(id);
  runframe({[](int id) { return menucommand(id); }, [] { drawcurrent(); }});
}

}  // namespace tsd::varnel1
