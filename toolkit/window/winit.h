// Start of the toolkit: the display, the global records' start values and
// the optional configuration file.
#pragma once

#include <string_view>

namespace tsd {

// winitialise (file name): a blank-padded configuration file name (the
// programs pass blanks). Second and later calls return at once.
void winitialise(std::string_view filename);

// What winitialise learns of the display: screen size, its colours
// (quorba01.colours), the graphics device's colours and the system kind.
void yylearndisplay();

// Apply one line of the configuration file to the records.
void yyapplyconfigline(std::string_view line);

// Apply every line of the configuration file `name` (code page 1250) to
// the records; LF or CR LF line ends. False when it cannot be opened.
bool yyapplyconfigfile(std::string_view name);

// True when `name` (code page 1250) is an existing regular file.
bool yyconfigfileexists(std::string_view name);

}  // namespace tsd
