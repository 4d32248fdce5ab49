// The boxes of every program's parameter file: the end of a start-up that
// cannot go on because the file is missing or cannot be used, and the box
// after the file is rewritten.
#pragma once

#include <string>
#include <string_view>

#include "runtime/paramfile.h"

namespace tsd {

// The text of the error box: "Błąd odczytu parametrów", and for a file that
// exists but cannot be used a second line "<file>: <problem>".
std::string startupfailedtext(const runtime::ParamsResult& result);

// Shows startupfailedtext in an error box, closes the window layer, writes
// one line "<file>: <problem>" to standard error ("<file>: brak pliku" for a
// missing file) and ends the process with runtime::kFatalExitCode.
[[noreturn]] void startupfailed(const runtime::ParamsResult& result);

// After a rewrite of the parameter file: `saved` in an information box, or
// `failed` in an error box with a second line "<file>: <problem>" when the
// problem is known.
void tellparamssaved(const runtime::ParamsResult& result, std::string_view saved,
                     std::string_view failed);

}  // namespace tsd
