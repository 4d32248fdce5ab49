// End-to-end runs of varnel1: the built program started in a folder of its
// own with the example parameter file and data file, driven by a script.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tools/testkit/display_log.h"
#include "tools/testkit/program_test.h"

namespace tsd::varnel1::testing {

using testkit::count;
using testkit::examplefile;
using testkit::runin;

// A working folder named after the running test, with the example
// VARNEL1.PAR (unless withparams is false) and sample.dat.
inline std::string varnel1folder(bool withparams = true) {
  if (withparams) return testkit::examplefolder({"VARNEL1.PAR", "sample.dat"});
  return testkit::examplefolder({"sample.dat"});
}

// The script lines that load sample.dat of the folder.
inline std::string loadsample(const std::string& dir) {
  return "menu V1_CM_DATA\nfile \"" + dir + "/sample.dat\"\n";
}

}  // namespace tsd::varnel1::testing
