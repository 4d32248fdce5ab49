#include "analysis/varnel1/varnel1_results.h"

namespace tsd {

void resultsdialog() {}
void tabledialog(int) {}
void savecommand(Report) {}
void printcommand(Report) {}

}  // namespace tsd
