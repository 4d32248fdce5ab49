// libFuzzer target: varnel2's parameter file. Whatever the bytes, the read
// ends without harm; a file it accepts survives the program's own rewrite:
// the rewritten file is accepted and rewrites to the same bytes.
#include <cstdint>
#include <memory>

#include "fuzz/fuzz_files.h"
#include "multipeak/varnel2/varnel2_params.h"

namespace {

using tsd::fuzz::check;

std::string rewrite(const tsd::varnel2::State& s) {
  check(tsd::varnel2::writeparams(s).ok(), "the rewrite is written");
  return tsd::fuzz::readwhole(tsd::fuzz::folder() + "/VARNEL2.PAR");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file = tsd::fuzz::writeinput("VARNEL2.PAR", data, size);
  auto first = std::make_unique<tsd::varnel2::State>();
  if (!tsd::varnel2::readparamsfrom(file, *first).ok()) return 0;
  first->startdir = tsd::fuzz::folder();
  const std::string written = rewrite(*first);
  auto second = std::make_unique<tsd::varnel2::State>();
  const bool again = tsd::varnel2::readparamsfrom(file, *second).ok();
  check(again, "the program reads back what it wrote");
  second->startdir = tsd::fuzz::folder();
  check(rewrite(*second) == written, "a second rewrite gives the same file");
  return 0;
}
