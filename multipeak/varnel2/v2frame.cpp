// varnel2's frame: start-up, the message loop, the menu table, reading a
// measured data file, the grid switch, the parameter file rewrite, the
// About box, and the drawing of the graph.
#include <string>

#include "shell/files.h"
#include "shell/params.h"
#include "analysis/var.h"
#include "multipeak/varnel2/v2commands.h"
#include "multipeak/varnel2/winplotn.h"
#include "multipeak/varnel2/varnel2_params.h"
#include "toolkit/graphics/graphics.h"
#include "toolkit/window/wcomdlg.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/winit.h"
#include "toolkit/window/wmenu.h"
#include "toolkit/window/wmessage.h"
#include "toolkit/window/wwindow.h"

namespace tsd {

namespace {

constexpr int kWindowFlags = kStyleSysMenu | kStyleMinBox | kStyleMaxBox;

void setstate(int id, int state) { wmenusetstate(id, 1, state); }

void readdata(Varnel2State& s) {
  if (!choosedatafile(s.datafile)) return;
  const std::string name(s.datafile.text());
  switch (loaddata(s, name)) {
    case DataLoad::cannot_open:
      datafilefailed(DataFileStatus::cannot_open, name);
      return;
    case DataLoad::read_failed:
      datafilefailed(DataFileStatus::read_failed, name);
      return;
    case DataLoad::ok:
      break;
  }
  replot(s);
  setstate(v2menu::kParamsPopup, 1);
  setstate(v2menu::kFit, 1);
  setstate(v2menu::kGraphPopup, 1);
}

void togglegrid(Varnel2State& s) {
  if (s.gridflag == 0) {
    s.gridflag = 1;
  } else if (s.gridflag == 1) {
    s.gridflag = 0;
  }
  replot(s);
}

void saveparams(const Varnel2State& s) {
  tellparamssaved(writevarnel2params(s), v2paramssavedtext(), v2paramswritefailedtext());
}

void about() {
  const std::string text =
      cp("Program Varnel2, wersja 1.10") + "\r" +
      cp("Aproksymacja krzywej prądu depolaryzacji termicznie stymulowanej") + "\r" +
      cp("sumą do czterech pików pierwszego rzędu") + "\r" +
      cp("(Ea, Tm, Jm każdego piku; tau0 i P0 z błędami standardowymi)");
  infobox(text, "O programie");
}

// One menu command; false when the program is to end.
bool command(Varnel2State& s, int id) {
  using namespace v2menu;
  switch (id) {
    case kData: readdata(s); break;
    case kPeaks: peaksdialog(s); break;
    case kCopyFitted: copyfitted(s); break;
    case kFitRange: fitrangedialog(s); break;
    case kFitSettings: fitsettingsdialog(s); break;
    case kFit: fitrequest(s); break;
    case kDisplayRange: displayrangedialog(s); break;
    case kGrid: togglegrid(s); break;
    case kShowResults: resultdialog(s); break;
    case kShowTable1: screentable(s, 1); break;
    case kShowTable2: screentable(s, 2); break;
    case kShowTable3: screentable(s, 3); break;
    case kSaveParamReport: saveoutput(s, V2Output::paramreport); break;
    case kSaveResultReport: saveoutput(s, V2Output::resultreport); break;
    case kSaveTable1: saveoutput(s, V2Output::table1); break;
    case kSaveTable2: saveoutput(s, V2Output::table2); break;
    case kSaveTable3: saveoutput(s, V2Output::table3); break;
    case kSaveParamFile: saveparams(s); break;
    case kPrintParamReport: printoutput(s, V2Output::paramreport); break;
    case kPrintResultReport: printoutput(s, V2Output::resultreport); break;
    case kPrintTable1: printoutput(s, V2Output::table1); break;
    case kPrintTable2: printoutput(s, V2Output::table2); break;
    case kPrintTable3: printoutput(s, V2Output::table3); break;
    case kAbout: about(); break;
    case kEnd: return false;
    default: break;
  }
  return true;
}

// The program state of the run.
Varnel2State& programstate() {
  static Varnel2State state;
  return state;
}

}  // namespace

void settable2menus(const Varnel2State& s) {
  const int state = s.npeaks >= 2 ? 1 : 0;
  setstate(v2menu::kShowTable2, state);
  setstate(v2menu::kSaveTable2, state);
  setstate(v2menu::kPrintTable2, state);
}

void plotgraph(Varnel2State& s) {
  static constexpr int kMeasuredColour[1] = {kDataColour};
  static constexpr int kMeasuredFlags[1] = {1};
  const int base = s.fitted == 1 ? 6 : 1;
  PlotSeriesSet measured;
  measured.x = arrays.T;
  measured.y = arrays.J;
  measured.f1 = numbers.n1;
  measured.f2 = numbers.n2;
  measured.first = 1;
  measured.n = s.Nin;
  measured.colours = kMeasuredColour;
  measured.kind = 1;
  measured.stride = 0;
  measured.count = 1;
  measured.flags = kMeasuredFlags;
  PlotSeriesSet curves;
  curves.x = s.curves.col[0];
  // The five curves lie one after the other in the curve array.
  curves.y = std::span<const double>(&s.curves.col[base][0], size_t(5 * CurveArray::rows));
  curves.f1 = 1;
  curves.f2 = s.Nout;
  curves.first = 1;
  curves.n = s.Nout;
  curves.colours = kPeakColours;
  curves.kind = 2;
  curves.stride = CurveArray::rows;
  curves.count = 5;
  curves.flags = s.plotflags;
  // The plot routine writes back the range it used: the display range
  // itself stays as the user set it.
  double xmin = s.tdmin, xmax = s.tdmax;
  winplotn(measured, curves, xmin, xmax, "      T   ", "     Jd,Ja", s.markersize, "(F10.1)",
           "(1P,E11.2)", 1, s.gridflag);
}

void replot(Varnel2State& s) {
  igrarea(0.0f, 0.0f, 1.0f, 1.0f);
  igrareaclear();
  plotgraph(s);
}

void varnel2main() {
  Varnel2State& s = programstate();
  winitialise(" ");
  WindowStyle style;
  style.flags = kWindowFlags;
  style.x = 160;
  style.y = -1;
  style.width = -1;
  style.height = -1;
  style.menu = V2_MENU;
  setwindowtitle(style, "Program Varnel2");
  windowbell("ON", 2);
  windowopen(style);

  const ParamsResult params = readvarnel2params(s);
  if (!params.ok()) startupfailed(params);
  buildvector(s);
  s.loaded = 0;
  s.markersize = 0.002;
  wdialogload(V2_DLG_PEAKS);
  wdialogload(V2_DLG_FIT_SETTINGS);
  wdialogload(V2_DLG_FIT_RANGE);
  wdialogload(V2_DLG_DISPLAY_RANGE);
  settable2menus(s);

  for (;;) {
    int type = 0;
    WindowMessage msg;
    wmessage(type, msg);
    if (type == kMenuSelect) {
      if (!command(s, msg.value1)) break;
    } else if (type == kExpose || type == kResize) {
      // The window layer has erased the damaged part to the white class
      // background; drawn over that, the white frame, ticks and labels
      // would vanish. The whole graph is cleared and drawn again.
      if (s.loaded == 1) replot(s);
    } else if (type == kCloseRequest) {
      if (msg.win != 0) {
        windowclosechild(msg.win);
      } else {
        break;
      }
    }
  }
  windowclose();
}

}  // namespace tsd
