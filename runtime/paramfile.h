// Pieces every program's parameter file shares: where the file is (the
// directory the program started in), and the texts that name a record at
// fault. Texts are code page 1250.
#pragma once

#include <string>
#include <string_view>

#include "runtime/freeread.h"

namespace tsd::runtime {

// The current directory, code page 1250; empty when it cannot be found.
std::string currentdirectory();

// The file `name` in directory `dir` (the current directory when empty).
std::string fileindirectory(std::string_view dir, std::string_view name);

// True when no file of that name (code page 1250) exists, as opposed to
// one that exists but cannot be opened.
bool fileismissing(std::string_view file);

// "rekord <record>: ", the start of every problem text.
std::string recordprefix(int record);

// The problem of a read of `record` that did not give all its values:
// `badvalue` when a value was not a number of the kind asked for, else a
// file that ended too early or a value missing.
std::string readproblem(const ReadResult& result, int record, std::string_view badvalue);

}  // namespace tsd::runtime
