// libFuzzer target: the parameter files of mokrin1 and mokrin2 (one layout,
// read by each variant). Whatever the bytes, the read ends without harm; a
// file a variant accepts survives its own rewrite: the rewritten file is
// accepted and rewrites to the same bytes.
#include <cstdint>
#include <memory>

#include "fuzz/fuzz_files.h"
#include "peakcurve/mokrin/mokrin_params.h"

namespace {

using tsd::fuzz::check;
using tsd::mokrin::State;
using tsd::mokrin::Variant;

std::unique_ptr<State> startread(Variant v, bool* ok) {
  auto s = std::make_unique<State>();
  s->variant = v;
  s->startdir = tsd::fuzz::folder();
  *ok = tsd::mokrin::readparams(*s).ok();
  return s;
}

std::string rewrite(const State& s) {
  check(tsd::mokrin::writeparams(s).ok(), "the rewrite is written");
  return tsd::fuzz::readwhole(tsd::mokrin::paramfilepath(s, s.startdir));
}

void property(Variant v, const std::uint8_t* data, std::size_t size) {
  const std::string name(tsd::mokrin::variantinfo(v).paramfile);
  tsd::fuzz::writeinput(name, data, size);
  bool ok = false;
  const auto first = startread(v, &ok);
  if (!ok) return;
  check(first->peak.Nout >= 1, "a usable number of curve points");
  const std::string written = rewrite(*first);
  const auto second = startread(v, &ok);
  check(ok, "the program reads back what it wrote");
  check(rewrite(*second) == written, "a second rewrite gives the same file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  property(Variant::mokrin1, data, size);
  property(Variant::mokrin2, data, size);
  return 0;
}
