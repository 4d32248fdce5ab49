#include "peakcurve/mokrin/mokrin_frame.h"

#include <string>

#include "peakcurve/mokrin/mokrin_commands.h"
#include "peakcurve/mokrin/mokrin_params.h"
#include "peakcurve/mokrin/mokrin_plot.h"
#include "resources/mokrin/mokrin_ids.h"
#include "runtime/paramfile.h"
#include "runtime/textfile.h"
#include "shell/frame.h"
#include "shell/params.h"

namespace tsd::mokrin {

namespace {

// Start-up steps 3 to 8: the parameter file, the derived tau0 and P0, the
// dialog filled, the switches, the model curves.
void startstate(State& s) {
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

void run(Variant variant) {
  State s;
  s.variant = variant;
  const std::string title = "Program " + std::string(variantinfo(variant).program);
  openprogramwindow({.title = title, .y = 40, .menu = MK_MENU});
  startstate(s);
  redraw(s);  // plot 1 without data, on the cleared window
  runframe({[&](int id) { return command(s, id); }, [&] { redraw(s); }});
}

}  // namespace tsd::mokrin
