// Runs of the built varnel2 in a folder of its own with the example files,
// and what the tests read back from its display log.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/testkit/display_log.h"
#include "tools/testkit/program_test.h"

namespace tsd::varnel2::test {

using testkit::boxtexts;
using testkit::runin;
using testkit::dialogline;
using testkit::examplefile;

// A working folder named after the running test, holding VARNEL2.PAR and
// sample.dat from examples/ (without the parameter file when asked).
inline std::string workdir(bool withparams = true) {
  if (withparams) return testkit::examplefolder({"VARNEL2.PAR", "sample.dat"});
  return testkit::examplefolder({"sample.dat"});
}

// The script lines that load the example data.
inline const char kLoad[] = "menu V2_CM_DATA\nfile \"sample.dat\"\n";


// The text logged for field `id` of a dialog line ("" when the field is blank).
inline std::string fieldof(const std::string& line, int id) {
  const std::string text = testkit::controltext(line, "EDIT", id);
  return text == "<none>" ? "" : text;
}

inline std::string describe(const testkit::ProgramRun& r) {
  return "exit " + std::to_string(r.exitcode) + (r.timedout ? " (timed out)" : "") +
         "\noutput:\n" + r.output + "\nlog:\n" + r.log;
}

}  // namespace tsd::varnel2::test
