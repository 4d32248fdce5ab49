// libFuzzer target: the measured data file. Whatever the bytes, the read
// ends without harm and never writes past the 800 points; a file it
// accepts gives 2..800 points with finite temperatures and current
// densities, and a finite, non-zero sample area.
#include <cmath>
#include <cstdint>
#include <memory>

#include "analysis/datafile.h"
#include "fuzz/fuzz_files.h"

using tsd::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file = tsd::fuzz::writeinput("dane.dat", data, size);
  auto d = std::make_unique<tsd::MeasuredData>();
  const tsd::DataFileStatus st = tsd::readdatafile(file, *d);
  check(st != tsd::DataFileStatus::cannot_open, "the file written is opened");
  check(d->N >= 0 && d->N <= tsd::kMaxMeasuredPoints, "N never beyond the points held");
  if (st != tsd::DataFileStatus::ok) return 0;
  check(d->N >= 2, "at least two points");
  check(std::isfinite(d->b) && std::isfinite(d->T0), "finite b and T0");
  check(std::isfinite(d->S) && d->S != 0.0, "a usable sample area");
  for (int i = 0; i < d->N; ++i) check(std::isfinite(d->T[i]) && std::isfinite(d->J[i]), "finite points");
  return 0;
}
