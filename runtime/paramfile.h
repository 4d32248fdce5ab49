// Pieces every program's parameter file shares: where the file is (the
// directory the program started in), and the texts that name a record at
// fault. Texts are code page 1250.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "runtime/freeread.h"
#include "runtime/textfile.h"

namespace tsd::runtime {

// What a read or rewrite of a parameter file came to.
enum class ParamsStatus {
  ok,
  missing,       // no parameter file in the directory
  unreadable,    // cannot be opened, or a record is not the numbers it must hold
  out_of_range,  // a value the program cannot work with
  write_failed,  // the rewrite could not be completed; the old file is kept
};

struct ParamsResult {
  ParamsStatus status = ParamsStatus::ok;
  std::string file;     // the file read or written (code page 1250)
  int record = 0;       // record at fault (unreadable, out_of_range), else 0
  std::string problem;  // what is wrong, code page 1250; empty when ok
  bool ok() const { return status == ParamsStatus::ok; }
};

// The integers an "I3" field holds with a blank before it, so that a
// free-format read tells the value from the one written before it: 100 or
// -10 would fill all three characters and run into its neighbour.
inline constexpr int kI3Lowest = -9;
inline constexpr int kI3Highest = 99;

// A failed result.
ParamsResult paramsfault(ParamsStatus status, const std::string& file, int record,
                         std::string problem);

// The error box when the file is missing: "Błąd odczytu parametrów".
std::string paramsmissingtext();

// The problem named with its file, for the orderly end at start-up or an
// error box: "<file>: <problem>".
std::string paramsproblemtext(const ParamsResult& result);

// The current directory, code page 1250; empty when it cannot be found.
std::string currentdirectory();

// The file `name` in directory `dir` (the current directory when empty).
std::string fileindirectory(std::string_view dir, std::string_view name);

// True when no file of that name (code page 1250) exists, as opposed to
// one that exists but cannot be opened.
bool fileismissing(std::string_view file);

// Opens a parameter file for reading. A fault tells a missing file
// ("brak pliku") from one that exists but cannot be opened.
ParamsResult openparamsfile(FreeReader& reader, const std::string& file);

// The two ends of a parameter file's rewrite: opening the replacement
// beside the file, and closing it, which puts it in the file's place. A
// fault names what failed, and why when the user can do something about
// it ("brak prawa zapisu pliku", "dysk tylko do odczytu"); the old file is
// kept either way.
ParamsResult beginparamsrewrite(TextFile& f, const std::string& file);
ParamsResult endparamsrewrite(TextFile& f, const std::string& file);

// "rekord <record>: ", the start of every problem text.
std::string recordprefix(int record);

// An integer of a record that must lie within lo..hi.
struct RangeCheck {
  int record = 0;
  std::string name;  // as the problem text names it, code page 1250
  int value = 0;
  int lo = 0;
  int hi = 0;
};

// "rekord <record>: <name> = <value> poza zakresem <lo>..<hi>".
std::string outofrangetext(const RangeCheck& check);

// The first check whose value lies outside its range as an out_of_range
// fault of `file`; an ok result when every value lies within.
ParamsResult firstoutofrange(const std::string& file, std::span<const RangeCheck> checks);

// The problem of a read of `record` that did not give all its values:
// `badvalue` when a value was not a number of the kind asked for, else a
// file that ended too early or a value missing.
std::string readproblem(const ReadResult& result, int record, std::string_view badvalue);

}  // namespace tsd::runtime
