// varnel2's frame: start-up, the message loop, the menu table, reading a
// measured data file, the grid switch, the parameter file rewrite, the
// About box, and the drawing of the graph.
#include <string>

#include "shell/files.h"
#include "shell/frame.h"
#include "shell/params.h"
#include "analysis/var.h"
#include "multipeak/varnel2/v2commands.h"
#include "multipeak/varnel2/winplotn.h"
#include "multipeak/varnel2/varnel2_params.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wmenu.h"

namespace tsd::varnel2 {

namespace {

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
  setstate(V2_POPUP_PARAMETERS, 1);
  setstate(V2_CM_FIT, 1);
  setstate(V2_POPUP_GRAPH, 1);
}

void saveparams(const Varnel2State& s) {
  tellparamssaved(writevarnel2params(s), v2paramssavedtext(), v2paramswritefailedtext());
}

void about() {
  aboutbox({"Program Varnel2, wersja 1.10",
            "Aproksymacja krzywej prądu depolaryzacji termicznie stymulowanej",
            "sumą do czterech pików pierwszego rzędu",
            "(Ea, Tm, Jm każdego piku; tau0 i P0 z błędami standardowymi)"});
}

// One menu command; false when the program is to end.
bool command(Varnel2State& s, int id) {
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
      replot(s);
      break;
    case V2_CM_RESULTS: resultdialog(s); break;
    case V2_CM_TABLE1: screentable(s, 1); break;
    case V2_CM_TABLE2: screentable(s, 2); break;
    case V2_CM_TABLE3: screentable(s, 3); break;
    case V2_CM_SAVE_PARAMETERS: saveoutput(s, V2Output::paramreport); break;
    case V2_CM_SAVE_RESULTS: saveoutput(s, V2Output::resultreport); break;
    case V2_CM_SAVE_TABLE1: saveoutput(s, V2Output::table1); break;
    case V2_CM_SAVE_TABLE2: saveoutput(s, V2Output::table2); break;
    case V2_CM_SAVE_TABLE3: saveoutput(s, V2Output::table3); break;
    case V2_CM_SAVE_PARAMFILE: saveparams(s); break;
    case V2_CM_PRINT_PARAMETERS: printoutput(s, V2Output::paramreport); break;
    case V2_CM_PRINT_RESULTS: printoutput(s, V2Output::resultreport); break;
    case V2_CM_PRINT_TABLE1: printoutput(s, V2Output::table1); break;
    case V2_CM_PRINT_TABLE2: printoutput(s, V2Output::table2); break;
    case V2_CM_PRINT_TABLE3: printoutput(s, V2Output::table3); break;
    case V2_CM_ABOUT: about(); break;
    case V2_CM_END: return false;
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
  setstate(V2_CM_TABLE2, state);
  setstate(V2_CM_SAVE_TABLE2, state);
  setstate(V2_CM_PRINT_TABLE2, state);
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
  cleargraphics();
  plotgraph(s);
}

void varnel2main() {
  Varnel2State& s = programstate();
  openprogramwindow({"Program Varnel2", -1, V2_MENU, true});

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

  runframe({[&](int id) { return command(s, id); },
            [&] {
              // The window layer has erased the damaged part to the white
              // class background; drawn over that, the white frame, ticks and
              // labels would vanish. The whole graph is cleared and drawn again.
              if (s.loaded == 1) replot(s);
            }});
}

}  // namespace tsd::varnel2
