// End-to-end runs of varnel1: the built program started in a folder of its
// own with the example parameter file and data file, driven by a script.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tools/testkit/program_run.h"

namespace tsd::testing {

inline std::string varnel1exe() { return testkit::buildtree() + "/analysis/varnel1/varnel1"; }

inline std::string examplefile(const std::string& name) {
  return std::string(TSD_SOURCE_DIR) + "/examples/" + name;
}

// A working folder named after the running test, with the example
// VARNEL1.PAR (unless withparams is false) and sample.dat.
inline std::string varnel1folder(bool withparams = true) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "_" + info->name();
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  const std::string dir = testkit::makeworkdir(name);
  if (withparams) {
    std::filesystem::copy_file(examplefile("VARNEL1.PAR"), dir + "/VARNEL1.PAR");
  }
  std::filesystem::copy_file(examplefile("sample.dat"), dir + "/sample.dat");
  return dir;
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

// How many times `what` occurs in `text`.
inline int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

}  // namespace tsd::testing
