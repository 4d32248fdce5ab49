// varnel1's "Zapis" and "Wydruk" commands: the lines of each report or
// table, appended to a file the user chooses or written to the printer,
// and the texts of the file dialog and of the box that follows a save.
// Every text is code page 1250.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/varnel1/varnel1_state.h"
#include "shell/report.h"

namespace tsd::varnel1 {

enum class Output { parameters, results, table1, table2, table3, table4 };

// The lines of an output: the parameter report (naming the file whose data
// are held), the results report, or table 1..4 of settings.tabseries.
std::vector<std::string> outputlines(const State& s, Output output, OutputVariant variant);

// What the file dialog of a "Zapis" command shows, and the prefix of the
// information box after the save.
struct SaveDialogText {
  std::string_view filter;  // kReportFilter or kTableFilter
  std::string title;        // "Zapis parametrów obliczeń", ..., "Zapis tabeli 4"
  std::string prefix;       // "Parametry obliczeń zapisane w pliku ", ..., "Tabela 4 zapisana w pliku "
};
SaveDialogText savedialogtext(Output output);

// The information box after a save: savedtext with the output's prefix.
std::string saveinfotext(Output output, std::string_view filename);

// "Zapis": the file dialog, the lines of the file variant appended, the
// box that tells how it went. A cancelled selection writes nothing.
void save(State& s, Output output);

// "Wydruk": the lines of the printer variant to the printer; a box only
// when it cannot be reached.
void print(const State& s, Output output);

}  // namespace tsd::varnel1
