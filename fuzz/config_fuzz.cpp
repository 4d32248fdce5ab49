// libFuzzer target: the toolkit configuration file (KEY=VALUE lines) on
// arbitrary bytes. Whatever a line holds, applying the file ends without
// harm, a character-set folder that was set ends with the separator where
// its field has room, and the unit numbers (only ever set equal to the two
// others) keep their values.
#include <cstdint>
#include <span>

#include "fuzz/fuzz_files.h"
#include "toolkit/window/records.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/winit.h"

namespace {

using tsd::fuzz::check;

void checkfolder(std::span<const char> f) {
  const int n = tsd::iactuallength(std::string_view(f.data(), f.size()));
  if (n > 0 && static_cast<std::size_t>(n) < f.size())
    check(f[static_cast<std::size_t>(n - 1)] == '/', "CHARDIR ends with the separator");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file = tsd::fuzz::writeinput("quorba.ini", data, size);
  tsd::assign(tsd::tkfiles.plotfile, "plandrox.plt");
  tsd::assign(tsd::tkfiles.charset, "standard.chr");
  tsd::assign(tsd::tkfiles.chardir, "");
  tsd::tkunits = tsd::TkUnits{};
  check(tsd::yyapplyconfigfile(file), "the file written is opened");
  checkfolder(tsd::tkfiles.chardir);
  const tsd::TkUnits units{};
  check(tsd::tkunits.general == units.general && tsd::tkunits.plotout == units.plotout &&
            tsd::tkunits.plotin == units.plotin,
        "the unit numbers, equal to one another, keep their values");
  return 0;
}
