// Runs of the built varnel2 in a folder of its own with the example files,
// and what the tests read back from its display log.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/testkit/display_log.h"
#include "tools/testkit/program_run.h"

namespace tsd::v2test {

using testkit::boxtexts;
using testkit::examplefile;

// A working folder named after the running test, holding VARNEL2.PAR and
// sample.dat from examples/ (without the parameter file when asked).
inline std::string workdir(bool withparams = true) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name = std::string("v2_") + info->test_suite_name() + "_" + info->name();
  if (withparams) return testkit::examplefolder(name, {"VARNEL2.PAR", "sample.dat"});
  return testkit::examplefolder(name, {"sample.dat"});
}

inline testkit::ProgramRun run(const std::string& dir, const std::string& script,
                               std::vector<std::pair<std::string, std::string>> env = {}) {
  testkit::ProgramSetup setup;
  setup.exe = testkit::programexe("varnel2");
  setup.workdir = dir;
  setup.script = script;
  setup.env = std::move(env);
  return testkit::runprogram(setup);
}

// The script lines that load the example data.
inline const char kLoad[] = "menu V2_CM_DATA\nfile \"sample.dat\"\n";

// The "dialog shown" line of the last showing of the dialog titled `title`.
inline std::string dialogline(const std::string& log, const std::string& title) {
  const size_t p = log.rfind("dialog shown: \"" + title + "\"");
  if (p == std::string::npos) return "";
  return log.substr(p, log.find('\n', p) - p);
}

// The text logged for field `id` of a dialog line ("" when the field is blank).
inline std::string fieldof(const std::string& line, int id) {
  const std::string key = " " + std::to_string(id) + " \"";
  size_t p = line.find("EDIT" + key);
  if (p == std::string::npos) return "";
  p += 4 + key.size();
  return line.substr(p, line.find('"', p) - p);
}

inline std::string describe(const testkit::ProgramRun& r) {
  return "exit " + std::to_string(r.exitcode) + (r.timedout ? " (timed out)" : "") +
         "\noutput:\n" + r.output + "\nlog:\n" + r.log;
}

}  // namespace tsd::v2test
