// The files a user chooses in every program: a measured data file to read
// and a file to append a report or table to, each through the file dialog,
// and the boxes when a data file cannot be read. Names are blank-padded
// buffers that keep the last choice for the next dialog.
#pragma once

#include <span>
#include <string_view>

#include "analysis/datafile.h"

namespace tsd {

// Filters of the save dialog: reports offer text files first, tables data
// files first.
inline constexpr std::string_view kReportFilter = "Plik tekstowy (*.txt)|*.txt|Plik danych (*.dat)|*.dat|";
inline constexpr std::string_view kTableFilter = "Plik danych (*.dat)|*.dat|Plik tekstowy (*.txt)|*.txt|";

// "Czytanie danych": the open dialog for a measured data file. It keeps the
// folder the user went to and does not offer to create a file. False when
// the user cancelled.
bool choosedatafile(std::span<char> name);

// The save dialog titled `title` (code page 1250) for a report or table. It
// keeps the folder the user went to and appends the chosen filter's
// extension when none is typed; reports are only ever appended, so there is
// no overwrite question. False when the user cancelled.
bool choosereportfile(std::string_view filter, std::span<char> name, std::string_view title);

// The error box of a data file that could not be read (status not ok):
// "Nie można otworzyć pliku <name>" or "Błąd odczytu danych".
void datafilefailed(DataFileStatus status, std::string_view name);

}  // namespace tsd
