#include "multipeak/varnel2/varnel2_menus.h"

#include "resources/varnel2/varnel2_ids.h"
#include "shell/frame.h"

namespace tsd::varnel2 {

namespace {

constexpr int kDataItems[] = {V2_POPUP_PARAMETERS, V2_CM_FIT, V2_POPUP_GRAPH};
constexpr int kFitItems[] = {V2_CM_COPY_FITTED, V2_POPUP_TABLES, V2_POPUP_SAVE, V2_POPUP_PRINT};
constexpr int kTable2Items[] = {V2_CM_TABLE2, V2_CM_SAVE_TABLE2, V2_CM_PRINT_TABLE2};

}  // namespace

void enabledatamenus() { setmenustate(kDataItems, 1); }

void enablefitmenus(const State& s) {
  setmenustate(kFitItems, 1);
  settable2menus(s);
}

void settable2menus(const State& s) { setmenustate(kTable2Items, s.npeaks >= 2 ? 1 : 0); }

}  // namespace tsd::varnel2
