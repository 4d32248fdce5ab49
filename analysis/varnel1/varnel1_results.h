// varnel1's results dialog (109), table dialogs (101, 111, 102, 103), and
// the reports and tables appended to a chosen file or printed.
#pragma once

#include "analysis/varnel1/varnel1_save.h"

namespace tsd::varnel1 {

void resultsdialog();
void tabledialog(int table);       // table 1..4
void savecommand(Report report);   // "Zapis": file dialog, append, information box
void printcommand(Report report);  // "Wydruk": to the printer

}  // namespace tsd::varnel1
