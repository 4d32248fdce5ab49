#include "runtime/fatal.h"

#include <cstdio>
#include <cstdlib>

#include "text/cp1250.h"

namespace tsd::runtime {

std::string fatal_message(std::string_view file, std::string_view problem) {
  std::string line;
  if (!file.empty()) {
    line.append(file);
    line.append(": ");
  }
  line.append(problem);
  return line;
}

void fatal_report(std::string_view file, std::string_view problem) {
  const std::string line = text::utf8_from_cp1250(fatal_message(file, problem)) + "\n";
  std::fflush(stdout);
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

void fatal_io_error(std::string_view file, std::string_view problem) {
  fatal_report(file, problem);
  std::exit(kFatalExitCode);
}

}  // namespace tsd::runtime
