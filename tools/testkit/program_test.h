// A program run inside a test: the program of the build tree started in a
// working folder on the headless display with a scripted user, failing the
// test when it does not end in its time. Header only.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tools/testkit/program_run.h"
#include "tools/testkit/temp_folder.h"

namespace tsd::testkit {

// A fresh working folder named after the running test, holding copies of
// the named files of examples/.
inline std::string examplefolder(const std::vector<std::string>& examples) {
  return examplefolder(testname(), examples);
}

// Runs `program` ("varnel1", "varnel2", "mokrin1", "mokrin2") in `dir`
// with the script and the further environment; a run that had to be
// killed fails the test with its log.
inline ProgramRun runin(const std::string& program, const std::string& dir, const std::string& script,
                        std::vector<std::pair<std::string, std::string>> env = {}) {
  ProgramSetup setup;
  setup.exe = programexe(program);
  setup.workdir = dir;
  setup.script = script;
  setup.env = std::move(env);
  ProgramRun run = runprogram(setup);
  EXPECT_FALSE(run.timedout) << program << " did not end; its log:\n" << run.log;
  return run;
}

}  // namespace tsd::testkit
