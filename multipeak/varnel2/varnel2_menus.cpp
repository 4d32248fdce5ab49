#include "multipeak/varnel2/varnel2_menus.h"

#include "resources/varnel2/varnel2_ids.h"
#include "toolkit/window/wmenu.h"

namespace tsd::varnel2 {

namespace {

void setstate(int id, int state) { wmenusetstate(id, 1, state); }

}  // namespace

void enabledatamenus() {
  setstate(V2_POPUP_PARAMETERS, 1);
  setstate(V2_CM_FIT, 1);
  setstate(V2_POPUP_GRAPH, 1);
}

void enablefitmenus(const State& s) {
  setstate(V2_CM_COPY_FITTED, 1);
  setstate(V2_POPUP_TABLES, 1);
  setstate(V2_POPUP_SAVE, 1);
  setstate(V2_POPUP_PRINT, 1);
  settable2menus(s);
}

void settable2menus(const State& s) {
  const int state = s.npeaks >= 2 ? 1 : 0;
  setstate(V2_CM_TABLE2, state);
  setstate(V2_CM_SAVE_TABLE2, state);
  setstate(V2_CM_PRINT_TABLE2, state);
}

}  // namespace tsd::varnel2
