// The files a user chooses in every program: a measured data file to read
// and a file to append a report or table to, each through the file dialog,
// and the boxes when a data file cannot be read. Names are held in a
// runtime::FileName, which keeps the last choice for the next dialog; a
// chosen path the host cannot take (longer than it opens) is refused with
// the box "Za długa nazwa pliku" and the name kept as it was: no name is
// ever cut.
#pragma once

#include <string>
#include <string_view>

#include "analysis/datafile.h"
#include "runtime/filename.h"

namespace tsd {

// Filters of the save dialog: reports offer text files first, tables data
// files first.
inline constexpr std::string_view kReportFilter = "Plik tekstowy (*.txt)|*.txt|Plik danych (*.dat)|*.dat|";
inline constexpr std::string_view kTableFilter = "Plik danych (*.dat)|*.dat|Plik tekstowy (*.txt)|*.txt|";

// "Czytanie danych": the open dialog for a measured data file. It keeps the
// folder the user went to and does not offer to create a file. False when
// the user cancelled or the path was refused.
bool choosedatafile(runtime::FileName& name);

// The save dialog titled `title` (code page 1250) for a report or table. It
// keeps the folder the user went to and appends the chosen filter's
// extension when none is typed; reports are only ever appended, so there is
// no overwrite question. False when the user cancelled or the path was
// refused.
bool choosereportfile(std::string_view filter, runtime::FileName& name, std::string_view title);

// The text of the box of a path the host cannot take: "Za długa nazwa pliku".
std::string toolongnametext();

// The error box of a data file that could not be read (status not ok):
// "Nie można otworzyć pliku <name>" or "Błąd odczytu danych".
void datafilefailed(DataFileStatus status, std::string_view name);

}  // namespace tsd
