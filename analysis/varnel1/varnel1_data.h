// varnel1's "&Dane": a measured data file chosen, read and analysed in
// three series, the current graph drawn and the greyed popups enabled.
#pragma once

#include <string_view>

#include "analysis/datafile.h"
#include "analysis/varnel1/varnel1_state.h"

namespace tsd::varnel1 {

// The menu command. A cancelled file selection changes nothing; a file that
// cannot be read gives "Błąd odczytu danych" (one that cannot be opened
// "Nie można otworzyć pliku ...") and changes no result.
void readdata(State& s);

// What the command does after the file selection: reads the file and, when
// it was read, analyses it, draws the current graph and enables the popups.
// A file that cannot be opened or read changes neither the data held nor b
// and T0; its status comes back for the caller's box.
DataFileStatus loaddata(State& s, std::string_view name);

// Enables the five popups of the menu bar (after the first load).
void enablepopups();

}  // namespace tsd::varnel1
