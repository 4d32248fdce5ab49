#include "analysis/var.h"

namespace tsd {

VarRecord var;

}  // namespace tsd
