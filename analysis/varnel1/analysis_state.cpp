#include "analysis/varnel1/analysis_state.h"

namespace tsd::varnel1 {

AnalysisState analysis;

}  // namespace tsd::varnel1
