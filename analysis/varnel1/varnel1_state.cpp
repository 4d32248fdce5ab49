#include "analysis/varnel1/varnel1_state.h"

namespace tsd::varnel1 {

void computejmask(Settings& settings) {
  settings.jmask = {0, 0, 0};
  for (int s = Settings::kSeries; s >= 1; --s) {
    if (settings.plotseries[s - 1] == 1) {
      settings.jmask[s - 1] = 1;
      return;
    }
  }
}

}  // namespace tsd::varnel1
