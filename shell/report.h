// Reports and tables written out the one way every program writes them:
// appended to a chosen file (created when missing) or sent to the printer
// "PRN" as one job, through a routine that writes the records into a
// runtime::TextFile; one set of failure texts and the boxes that follow.
// Texts are code page 1250.
//
// A failure never ends the program: it comes back as a status, shown in a
// "Błąd" box.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/textfile.h"

namespace tsd {

// File and printer texts differ only where the printer gets plain letters
// instead of Polish ones.
enum class OutputVariant { file, printer };

enum class OutputStatus {
  ok,
  open_failed,          // the file cannot be opened or created
  write_failed,         // writing or closing the file failed
  printer_unavailable,  // no printer to write to
  print_failed,         // the printer did not take the job
};

// Writes the records of one report or table into an open file.
using OutputWriter = std::function<void(runtime::TextFile&)>;

// Appends what `write` writes to the file (trailing blanks of the name
// ignored), creating it when missing. On open_failed nothing was written.
OutputStatus appendoutput(std::string_view filename, const OutputWriter& write);
// Sends what `write` writes to the printer as one job.
OutputStatus printoutput(const OutputWriter& write);

// The same for a report already made as lines, each written as it is.
OutputStatus appendlines(std::string_view filename, const std::vector<std::string>& lines);
OutputStatus printlines(const std::vector<std::string>& lines);

// The text of the "Błąd" box for a failed save (filename: the chosen file)
// or print (filename ignored); empty for ok:
//   open_failed          "Nie można otworzyć pliku <name>"
//   write_failed         "Błąd zapisu w pliku <name>"
//   printer_unavailable  "Drukarka niedostępna"
//   print_failed         "Błąd wydruku"
std::string outputerrortext(OutputStatus status, std::string_view filename);

// The information box after a save: `prefix` ("Tabela 1 zapisana w pliku ")
// and the file name without trailing blanks, padded with blanks to 79
// characters; a longer name is given whole.
std::string savedtext(std::string_view prefix, std::string_view filename);

// The box after a save: `info` (made by savedtext) in an information box
// when it went well, outputerrortext in an error box when not.
void tellsaved(OutputStatus status, std::string_view info, std::string_view filename);
// The error box of a print that failed; nothing when it went well.
void tellprinted(OutputStatus status);

}  // namespace tsd
