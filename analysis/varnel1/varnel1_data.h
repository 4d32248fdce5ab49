// varnel1's "&Dane": a measured data file chosen, read and analysed in
// three series, the current graph drawn and the greyed popups enabled.
#pragma once

namespace tsd {

// The menu command. A cancelled file selection changes nothing; a file that
// cannot be read gives "Błąd odczytu danych" and changes no result.
void datacommand();

// Enables the five popups of the menu bar (after the first load).
void enablepopups();

}  // namespace tsd
