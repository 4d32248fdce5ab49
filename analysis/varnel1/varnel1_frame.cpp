#include "analysis/varnel1/varnel1_frame.h"

#include <string>

#include "analysis/varnel1/analysis_state.h"
#include "analysis/varnel1/varnel1_graphs.h"
#include "analysis/varnel1/varnel1_data.h"
#include "analysis/varnel1/varnel1_dialogs.h"
#include "analysis/varnel1/varnel1_results.h"
#include "shell/params.h"
#include "analysis/varnel1/varnel1_ui.h"
#include "resources/varnel1/varnel1_ids.h"
#include "analysis/varnel1/varnel1_params.h"
#include "analysis/varnel1/varnel1_settings.h"
#include "toolkit/graphics/graphics.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/winit.h"
#include "toolkit/window/wmessage.h"
#include "toolkit/window/wwindow.h"

namespace tsd {

namespace {

constexpr int kMenu = V1_MENU;
constexpr int kKeptDialogs[] = {V1_DLG_RANGES, V1_DLG_METHODS, V1_DLG_OUTPUT_RANGE, V1_DLG_SERIES};

// Menu commands.
enum Command {
  kData = V1_CM_DATA,
  kRanges = V1_CM_RANGES,
  kMethods = V1_CM_METHODS,
  kOutputRange = V1_CM_OUTPUT_RANGE,
  kSeries = V1_CM_SERIES,
  kGraph1 = V1_CM_GRAPH1,
  kGraph2 = V1_CM_GRAPH2,
  kGraph3 = V1_CM_GRAPH3,
  kGrid = V1_CM_GRID,
  kResults = V1_CM_RESULTS,
  kTable1 = V1_CM_TABLE1,
  kTable2 = V1_CM_TABLE2,
  kTable3 = V1_CM_TABLE3,
  kTable4 = V1_CM_TABLE4,
  kSaveParameters = V1_CM_SAVE_PARAMETERS,
  kSaveResults = V1_CM_SAVE_RESULTS,
  kSaveTable1 = V1_CM_SAVE_TABLE1,
  kSaveTable2 = V1_CM_SAVE_TABLE2,
  kSaveTable3 = V1_CM_SAVE_TABLE3,
  kSaveTable4 = V1_CM_SAVE_TABLE4,
  kSaveParamFile = V1_CM_SAVE_PARAMFILE,
  kPrintParameters = V1_CM_PRINT_PARAMETERS,
  kPrintResults = V1_CM_PRINT_RESULTS,
  kPrintTable1 = V1_CM_PRINT_TABLE1,
  kPrintTable2 = V1_CM_PRINT_TABLE2,
  kPrintTable3 = V1_CM_PRINT_TABLE3,
  kPrintTable4 = V1_CM_PRINT_TABLE4,
  kAbout = V1_CM_ABOUT,
  kEnd = V1_CM_END,
};

void openwindow() {
  WindowStyle style;
  style.flags = kStyleSysMenu | kStyleMinBox | kStyleMaxBox;
  style.x = 160;
  style.y = -1;
  style.width = -1;
  style.height = -1;
  style.menu = kMenu;
  setwindowtitle(style, "Program Varnel1");
  windowopen(style);
}

// A missing or unusable parameter file ends the program.
void readparameterfile() {
  const ParamsResult result = readparams(varnel1settings, analysis);
  if (!result.ok()) startupfailed(result);
}

void showgraph(int graph) {
  igrarea(0.0f, 0.0f, 1.0f, 1.0f);
  igrareaclear();
  plotgraph(graph, analysis, varnel1settings);
  varnel1settings.curgraph = graph;
}

void switchgrid() {
  int& grid = varnel1settings.gridflag;
  if (grid == 0) {
    grid = 1;
  } else if (grid == 1) {
    grid = 0;
  }
  drawcurrent();
}

void saveparamfile() {
  tellparamssaved(writeparams(varnel1settings, analysis), paramssavedtext(), paramswritefailedtext());
}

void about() {
  const std::string text = cp(
      "Program Varnel1, wersja 1.00"
      "\rPrądy depolaryzacji (TSD)"
      "\rWersja dla systemu Linux."
      "\rObliczenia w trzech seriach");
  infobox(text, "O programie");
}

// Runs one menu command; false when the program ends.
bool menucommand(int id) {
  switch (id) {
    case kData: datacommand(); break;
    case kRanges: rangedialog(); break;
    case kMethods: methoddialog(); break;
    case kOutputRange: outputdialog(); break;
    case kSeries: seriesdialog(); break;
    case kGraph1: showgraph(1); break;
    case kGraph2: showgraph(2); break;
    case kGraph3: showgraph(3); break;
    case kGrid: switchgrid(); break;
    case kResults: resultsdialog(); break;
    case kTable1: tabledialog(1); break;
    case kTable2: tabledialog(2); break;
    case kTable3: tabledialog(3); break;
    case kTable4: tabledialog(4); break;
    case kSaveParameters: savecommand(Report::parameters); break;
    case kSaveResults: savecommand(Report::results); break;
    case kSaveTable1: savecommand(Report::table1); break;
    case kSaveTable2: savecommand(Report::table2); break;
    case kSaveTable3: savecommand(Report::table3); break;
    case kSaveTable4: savecommand(Report::table4); break;
    case kSaveParamFile: saveparamfile(); break;
    case kPrintParameters: printcommand(Report::parameters); break;
    case kPrintResults: printcommand(Report::results); break;
    case kPrintTable1: printcommand(Report::table1); break;
    case kPrintTable2: printcommand(Report::table2); break;
    case kPrintTable3: printcommand(Report::table3); break;
    case kPrintTable4: printcommand(Report::table4); break;
    case kAbout: about(); break;
    case kEnd:
      windowclose();
      return false;
    default: break;  // any other id is not a command of this program
  }
  return true;
}

void messageloop() {
  for (;;) {
    int type = 0;
    WindowMessage message;
    wmessage(type, message);
    switch (type) {
      case kMenuSelect:
        if (!menucommand(message.value1)) return;
        break;
      case kExpose:
      case kResize:
        drawcurrent();
        break;
      case kCloseRequest:
        if (message.win != 0) {
          windowclosechild(message.win);
        } else {
          windowclose();
          return;
        }
        break;
      default: break;
    }
  }
}

}  // namespace

void varnel1main() {
  winitialise(" ");
  openwindow();
  readparameterfile();
  varnel1settings.curgraph = 0;
  varnel1settings.markersize = 0.002;
  computejmask(varnel1settings);
  for (int id : kKeptDialogs) wdialogload(id);
  messageloop();
}

}  // namespace tsd
