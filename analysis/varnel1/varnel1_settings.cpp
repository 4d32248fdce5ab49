#include "analysis/varnel1/varnel1_settings.h"

namespace tsd::varnel1 {

Varnel1Settings varnel1settings;

void computejmask(Varnel1Settings& settings) {
  settings.jmask = {0, 0, 0};
  for (int s = Varnel1Settings::kSeries; s >= 1; --s) {
    if (settings.plotseries[s - 1] == 1) {
      settings.jmask[s - 1] = 1;
      return;
    }
  }
}

}  // namespace tsd::varnel1
