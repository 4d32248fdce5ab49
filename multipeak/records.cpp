#include "multipeak/records.h"

namespace tsd {

ArraysRecord arrays;
NumbersRecord numbers;
FitVectorRecord fitvector;

}  // namespace tsd
