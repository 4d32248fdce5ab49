// varnel1's "&Dane": a measured data file chosen, read and analysed in
// three series, the current graph drawn and the greyed popups enabled.
#pragma once

#include <string_view>

namespace tsd::varnel1 {

// The menu command. A cancelled file selection changes nothing; a file that
// cannot be read gives "Błąd odczytu danych" and changes no result.
void datacommand();

// What the command does after the file selection: reads the file and, when
// it was read, analyses it, draws the current graph and enables the popups.
// False when the file could not be read (the box has been shown).
bool loaddatafile(std::string_view name);

// Enables the five popups of the menu bar (after the first load).
void enablepopups();

}  // namespace tsd::varnel1
