#include "analysis/analysis_state.h"

namespace tsd {

AnalysisState analysis;

}  // namespace tsd
