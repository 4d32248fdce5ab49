#include "peakcurve/mokrin/mokrin_frame.h"

#include "shell/params.h"
#include <string>

#include "peakcurve/mokrin/mokrin_commands.h"
#include "peakcurve/mokrin/mokrin_params.h"
#include "runtime/paramfile.h"
#include "runtime/textfile.h"
#include "peakcurve/mokrin/mokrin_plot.h"
#include "toolkit/window/winit.h"
#include "toolkit/window/wmessage.h"
#include "toolkit/window/wwindow.h"

namespace tsd::mokrin {

namespace {

// The program state: one record for the whole run.
MokrinState state;

void openwindow(Variant variant) {
  WindowStyle style;
  style.flags = kStyleSysMenu | kStyleMinBox | kStyleMaxBox;  // 7
  style.x = 160;
  style.y = 40;
  style.width = -1;
  style.height = -1;
  style.menu = MK_MENU;
  const std::string title = "Program " + std::string(variantinfo(variant).program);
  setwindowtitle(style, title.c_str());
  windowopen(style);
}

// Start-up steps 3 to 8: the parameter file, the derived tau0 and P0, the
// dialog filled, the switches, the model curves.
void startstate(MokrinState& s) {
  s.startdir = runtime::currentdirectory();
  // A save the program did not finish leaves a temporary file beside it.
  runtime::removereplaceleftovers(paramfilepath(s, s.startdir));
  const ParamsResult r = readparams(s);
  if (!r.ok()) startupfailed(r);
  if (variantinfo(s.variant).derived) peakcurve::derivetau0p0(s.peak);
  filldialog(s);
  s.gridflag = 0;
  s.currentplot = kPlotCurrent;
  s.dataflag = 0;
  peakcurve::peakcurves(s.peak);
}

}  // namespace

void mokrinmain(Variant variant) {
  MokrinState& s = state;
  s.variant = variant;
  winitialise(" ");
  openwindow(variant);
  startstate(s);
  drawcurrent(s);  // plot 1 without data, on the cleared window

  for (;;) {
    int type = 0;
    WindowMessage m;
    wmessage(type, m);
    if (type == kMenuSelect) {
      if (!mokrincommand(s, m.value1)) return;
    } else if (type == kExpose || type == kResize) {
      drawcurrent(s);
    } else if (type == kCloseRequest) {
      if (m.win == 0) {
        windowclose();
        return;
      }
      windowclosechild(m.win);
    }
  }
}

}  // namespace tsd::mokrin
