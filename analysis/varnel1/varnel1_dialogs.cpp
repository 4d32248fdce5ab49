#include "analysis/varnel1/varnel1_dialogs.h"

namespace tsd {

void rangedialog() {}
void methoddialog() {}
void outputdialog() {}
void seriesdialog() {}

}  // namespace tsd
