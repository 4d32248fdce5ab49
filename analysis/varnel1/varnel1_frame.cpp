#include "analysis/varnel1/varnel1_frame.h"

#include <memory>

#include "analysis/varnel1/varnel1_data.h"
#include "analysis/varnel1/varnel1_dialogs.h"
#include "analysis/varnel1/varnel1_graphs.h"
#include "analysis/varnel1/varnel1_output.h"
#include "analysis/varnel1/varnel1_params.h"
#include "analysis/varnel1/varnel1_results.h"
#include "resources/varnel1/varnel1_ids.h"
#include "shell/frame.h"
#include "shell/params.h"
#include "toolkit/window/wdialog.h"

namespace tsd::varnel1 {

namespace {

// The dialogs kept loaded from start-up to the end.
constexpr int kKeptDialogs[] = {V1_DLG_RANGES, V1_DLG_METHODS, V1_DLG_OUTPUT_RANGE, V1_DLG_SERIES};

void showgraph(State& s, int graph) {
  cleargraphics();
  plotgraph(graph, s.analysis, s.settings);
  s.settings.curgraph = graph;
}

void saveparamfile(const State& s) {
  tellparamssaved(writeparams(s), paramssavedtext(), paramswritefailedtext());
}

void about() {
  aboutbox({"Program Varnel1, wersja 1.00", "Prądy depolaryzacji (TSD)", "Wersja dla systemu Linux.",
            "Obliczenia w trzech seriach"});
}

}  // namespace

bool command(State& s, int id) {
  switch (id) {
    case V1_CM_DATA: readdata(s); break;
    case V1_CM_RANGES: rangedialog(s); break;
    case V1_CM_METHODS: methoddialog(s); break;
    case V1_CM_OUTPUT_RANGE: outputdialog(s); break;
    case V1_CM_SERIES: seriesdialog(s); break;
    case V1_CM_GRAPH1: showgraph(s, 1); break;
    case V1_CM_GRAPH2: showgraph(s, 2); break;
    case V1_CM_GRAPH3: showgraph(s, 3); break;
    case V1_CM_GRID:
      switchgrid(s.settings.gridflag);
      redraw(s);
      break;
    case V1_CM_RESULTS: showresults(s); break;
    case V1_CM_TABLE1: showtable(s, 1); break;
    case V1_CM_TABLE2: showtable(s, 2); break;
    case V1_CM_TABLE3: showtable(s, 3); break;
    case V1_CM_TABLE4: showtable(s, 4); break;
    case V1_CM_SAVE_PARAMETERS: save(s, Output::parameters); break;
    case V1_CM_SAVE_RESULTS: save(s, Output::results); break;
    case V1_CM_SAVE_TABLE1: save(s, Output::table1); break;
    case V1_CM_SAVE_TABLE2: save(s, Output::table2); break;
    case V1_CM_SAVE_TABLE3: save(s, Output::table3); break;
    case V1_CM_SAVE_TABLE4: save(s, Output::table4); break;
    case V1_CM_SAVE_PARAMFILE: saveparamfile(s); break;
    case V1_CM_PRINT_PARAMETERS: print(s, Output::parameters); break;
    case V1_CM_PRINT_RESULTS: print(s, Output::results); break;
    case V1_CM_PRINT_TABLE1: print(s, Output::table1); break;
    case V1_CM_PRINT_TABLE2: print(s, Output::table2); break;
    case V1_CM_PRINT_TABLE3: print(s, Output::table3); break;
    case V1_CM_PRINT_TABLE4: print(s, Output::table4); break;
    case V1_CM_ABOUT: about(); break;
    case V1_CM_END: return false;
    default: break;  // any other id is not a command of this program
  }
  return true;
}

void run() {
  // The state is large (some hundred kilobytes of fixed-capacity arrays):
  // it lives on the heap for the whole run rather than on the stack.
  const auto state = std::make_unique<State>();
  State& s = *state;
  openprogramwindow({.title = "Program Varnel1", .y = -1, .menu = V1_MENU});
  // A missing or unusable parameter file ends the program.
  if (const ParamsResult result = readparams(s); !result.ok()) startupfailed(result);
  s.settings.curgraph = 0;
  s.settings.markersize = 0.002;
  computejmask(s.settings);
  for (int id : kKeptDialogs) wdialogload(id);
  runframe({[&s](int id) { return command(s, id); }, [&s] { redraw(s); }});
}

}  // namespace tsd::varnel1
