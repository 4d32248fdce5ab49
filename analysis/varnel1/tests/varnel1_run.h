// End-to-end runs of varnel1: the built program started in a folder of its
// own with the example parameter file and data file, driven by a script.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tools/testkit/display_log.h"
#include "tools/testkit/program_run.h"

namespace tsd::testing {

using testkit::count;
using testkit::examplefile;

inline std::string varnel1exe() { return testkit::programexe("varnel1"); }

// A working folder named after the running test, with the example
// VARNEL1.PAR (unless withparams is false) and sample.dat.
inline std::string varnel1folder(bool withparams = true) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "_" + info->name();
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  if (withparams) return testkit::examplefolder(name, {"VARNEL1.PAR", "sample.dat"});
  return testkit::examplefolder(name, {"sample.dat"});
}

inline testkit::ProgramRun runvarnel1(const std::string& dir, const std::string& script,
                                      std::vector<std::pair<std::string, std::string>> env = {}) {
  testkit::ProgramSetup setup;
  setup.exe = varnel1exe();
  setup.workdir = dir;
  setup.script = script;
  setup.env = std::move(env);
  testkit::ProgramRun run = testkit::runprogram(setup);
  EXPECT_FALSE(run.timedout) << "varnel1 did not end; its log:\n" << run.log;
  return run;
}

// The script lines that load sample.dat of the folder.
inline std::string loadsample(const std::string& dir) {
  return "menu V1_CM_DATA\nfile \"" + dir + "/sample.dat\"\n";
}

}  // namespace tsd::testing
