// The orderly end of a program on a fatal input/output error, such as a
// parameter file that cannot be read at start-up: one line naming the file
// and the problem on standard error, then exit with a code other than 0.
// Texts are code page 1250, as the programs hold them; the line is written
// in the host's UTF-8. The frame may show the same text in a box first.
#pragma once

#include <string>
#include <string_view>

namespace tsd::runtime {

inline constexpr int kFatalExitCode = 2;

// The line fatal_io_error writes, without its line end (code page 1250):
// "<file>: <problem>"; just the problem when no file is named.
std::string fatal_message(std::string_view file, std::string_view problem);

// Writes fatal_message to standard error as one line, after flushing
// standard output.
void fatal_report(std::string_view file, std::string_view problem);

// fatal_report, then ends the process with kFatalExitCode.
[[noreturn]] void fatal_io_error(std::string_view file, std::string_view problem);

}  // namespace tsd::runtime
