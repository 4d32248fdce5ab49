#include "analysis/varnel1/analysis_state.h"

namespace tsd {

AnalysisState analysis;

}  // namespace tsd
