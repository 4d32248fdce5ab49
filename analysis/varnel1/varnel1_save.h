// varnel1's "Zapis" and "Wydruk" commands without their windows: the lines
// of each report or table, their writing to a chosen file (appended, the file
// created when missing) or to the printer "PRN", and the texts of the file
// dialog and of the boxes that follow. Every text is code page 1250.
//
// A failure never ends the program: it comes back as a status, which
// outputerrortext turns into the text of a "Błąd" box.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/varnel1/analysis_state.h"
#include "analysis/varnel1/varnel1_output.h"
#include "analysis/varnel1/varnel1_settings.h"

namespace tsd {

enum class Report { parameters, results, table1, table2, table3, table4 };

// The lines of a report: the parameter report (datafile: the data file
// name), the results report, or table 1..4 of settings.tabseries.
std::vector<std::string> reportlines(Report report, OutputVariant variant,
                                     const AnalysisState& state, const Varnel1Settings& settings,
                                     std::string_view datafile);

// What the file dialog of a "Zapis" command shows, and the prefix of the
// information box after the save.
struct SaveDialogText {
  std::string filter;  // "Plik tekstowy (*.txt)|*.txt|Plik danych (*.dat)|*.dat|" or the reverse
  std::string title;   // "Zapis parametrów obliczeń", ..., "Zapis tabeli 4"
  std::string prefix;  // "Parametry obliczeń zapisane w pliku ", ..., "Tabela 4 zapisana w pliku "
};
SaveDialogText savedialogtext(Report report);

// The information box after a save: the prefix and the file name padded with
// blanks to 79 characters; a longer name is given whole.
std::string saveinfotext(Report report, std::string_view filename);

enum class OutputStatus {
  ok,
  open_failed,          // the file cannot be opened or created
  write_failed,         // writing or closing the file failed
  printer_unavailable,  // no printer to write to
  print_failed,         // the printer did not take the job
};

// Appends the lines to the file (trailing blanks of the name ignored),
// creating it when missing. On open_failed nothing was written anywhere.
OutputStatus appendlines(std::string_view filename, const std::vector<std::string>& lines);
// Writes the lines to the printer "PRN" as one job.
OutputStatus printlines(const std::vector<std::string>& lines);

// The "Zapis" command after the file dialog, and the "Wydruk" command:
// reportlines of the file or the printer variant, written.
OutputStatus savereport(Report report, std::string_view filename, const AnalysisState& state,
                        const Varnel1Settings& settings, std::string_view datafile);
OutputStatus printreport(Report report, const AnalysisState& state,
                         const Varnel1Settings& settings, std::string_view datafile);

// The text of the "Błąd" box for a failed save (filename: the chosen file)
// or print (filename ignored); empty for ok:
//   open_failed          "Nie można otworzyć pliku <name>"
//   write_failed         "Błąd zapisu w pliku <name>"
//   printer_unavailable  "Drukarka niedostępna"
//   print_failed         "Błąd wydruku"
std::string outputerrortext(OutputStatus status, std::string_view filename);

}  // namespace tsd
