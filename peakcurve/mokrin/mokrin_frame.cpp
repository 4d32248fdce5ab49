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

// What the program starts with once its parameter file is read: mokrin2's
// tau0 and P0 derived from Tm and Jm, dialog 101 loaded and filled, and the
// model curves on the grid. A new State already shows plot 1, without the
// grid and without data.
void startup(State& s) {
  if (variantinfo(s.variant).derived) peakcurve::derivetau0p0(s.peak);
  filldialog(s);
  peakcurve::peakcurves(s.peak);
}

}  // namespace

void run(Variant variant) {
  State s;
  s.variant = variant;
  const std::string title = "Program " + std::string(variantinfo(variant).program);
  openprogramwindow({.title = title, .y = 40, .menu = MK_MENU});
  // The parameter file lives where the program started; a save the program
  // did not finish leaves a temporary file beside it.
  s.startdir = runtime::currentdirectory();
  runtime::removereplaceleftovers(paramfilepath(s, s.startdir));
  if (const ParamsResult r = readparams(s); !r.ok()) startupfailed(r);
  startup(s);
  redraw(s);  // plot 1 without data, on the cleared window
  runframe({[&](int id) { return command(s, id); }, [&] { redraw(s); }});
}

}  // namespace tsd::mokrin
