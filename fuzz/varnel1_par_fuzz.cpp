// libFuzzer target: varnel1's parameter file. Whatever the bytes, the read
// ends without harm; a file it accepts holds values within the limits the
// program relies on, and survives the program's own rewrite: the rewritten
// file is accepted and rewrites to the same bytes.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <memory>

#include "analysis/varnel1/varnel1_params.h"
#include "fuzz/fuzz_files.h"

namespace {

using tsd::fuzz::check;

struct Read {
  tsd::varnel1::State state;
  bool ok = false;
};

// The start-up read in the fuzz folder, as the program does it.
std::unique_ptr<Read> startread() {
  auto r = std::make_unique<Read>();
  r->ok = tsd::varnel1::readparams(r->state).ok();
  // The first graph shown is the one read; a save writes the one shown.
  r->state.settings.curgraph = r->state.settings.defgraph;
  return r;
}

std::string rewrite(const Read& r) {
  check(tsd::varnel1::writeparams(r.state).ok(), "the rewrite is written");
  return tsd::fuzz::readwhole(tsd::fuzz::folder() + "/VARNEL1.PAR");
}

}  // namespace

// The program reads and writes its file in the current directory: the fuzz
// folder for the time of one input, the fuzzer's own folder otherwise (its
// corpus and artifact paths may be relative).
class InFolder {
 public:
  InFolder() : back_(open(".", O_RDONLY | O_DIRECTORY)) {
    check(back_ >= 0 && chdir(tsd::fuzz::folder().c_str()) == 0, "into the fuzz folder");
  }
  ~InFolder() {
    check(fchdir(back_) == 0, "back from the fuzz folder");
    close(back_);
  }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  int back_;
};

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const InFolder here;
  tsd::fuzz::writeinput("VARNEL1.PAR", data, size);
  const std::unique_ptr<Read> first = startread();
  if (!first->ok) return 0;
  check(first->state.analysis.nwyj >= 2 && first->state.analysis.nwyj <= 800, "nwyj within 2..800");
  check(first->state.settings.tabseries >= 1 && first->state.settings.tabseries <= 3, "tabseries within 1..3");
  const std::string written = rewrite(*first);
  const std::unique_ptr<Read> second = startread();
  check(second->ok, "the program reads back what it wrote");
  check(rewrite(*second) == written, "a second rewrite gives the same file");
  return 0;
}
