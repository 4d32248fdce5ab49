// libFuzzer target: the free-format reader on arbitrary text. The first
// bytes choose the kinds of the targets of each read (integer, double,
// float); the rest is the text. Every read ends, the reader moves forward
// through the text, a target that received a value holds a finite number,
// a target that received none keeps what it held, and reading the same
// text as a file gives the same values.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_files.h"
#include "runtime/freeread.h"

namespace {

using tsd::fuzz::check;
using tsd::runtime::FreeReader;
using tsd::runtime::ReadResult;
using tsd::runtime::ReadStatus;
using tsd::runtime::ReadTarget;

constexpr int kKeep = 12345;

struct Values {
  std::vector<int> ints;
  std::vector<double> reals;
  std::vector<float> singles;
};

// All the reads of one pass; the results and values in `out`.
void pass(FreeReader& r, std::string_view kinds, std::vector<ReadResult>& results, std::vector<double>& values) {
  for (int round = 0; round < 64; ++round) {
    const std::size_t n = kinds.empty() ? 1 : 1 + static_cast<unsigned char>(kinds[round % kinds.size()]) % 6;
    Values v;
    v.ints.assign(n, kKeep);
    v.reals.assign(n, kKeep);
    v.singles.assign(n, kKeep);
    std::vector<ReadTarget> t;
    for (std::size_t i = 0; i < n; ++i) {
      const unsigned k = kinds.empty() ? 1 : (static_cast<unsigned char>(kinds[(round + i) % kinds.size()]) >> 4) % 3;
      if (k == 0) t.emplace_back(v.ints[i]);
      else if (k == 1) t.emplace_back(v.reals[i]);
      else t.emplace_back(v.singles[i]);
    }
    const ReadResult res = r.read(t);
    results.push_back(res);
    for (std::size_t i = 0; i < n; ++i) {
      const bool got = (res.assigned >> i) & 1u;
      double x = 0;
      if (t[i].kind == ReadTarget::Kind::integer) x = v.ints[i];
      else if (t[i].kind == ReadTarget::Kind::real) x = v.reals[i];
      else x = v.singles[i];
      if (got) check(std::isfinite(x), "a value read is finite");
      else check(x == kKeep, "a target without a value keeps it");
      values.push_back(x);
    }
    check(res.assigned >> n == 0, "only the targets given are marked");
    if (res.status != ReadStatus::ok) break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t nk = size == 0 ? 0 : std::min<std::size_t>(data[0] % 8, size - 1);
  const std::string_view kinds(reinterpret_cast<const char*>(data) + (size ? 1 : 0), nk);
  const std::string_view text(reinterpret_cast<const char*>(data) + (size ? 1 : 0) + nk, size - (size ? 1 : 0) - nk);
  std::vector<ReadResult> a, b;
  std::vector<double> va, vb;
  FreeReader mem(text);
  pass(mem, kinds, a, va);
  const std::string file =
      tsd::fuzz::writeinput("wolny.txt", reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  FreeReader disk;
  check(disk.open(file), "the file written is opened");
  pass(disk, kinds, b, vb);
  check(a.size() == b.size(), "a file reads as the same text in memory");
  for (std::size_t i = 0; i < a.size(); ++i)
    check(a[i].status == b[i].status && a[i].assigned == b[i].assigned, "same results from file and memory");
  for (std::size_t i = 0; i < va.size(); ++i)
    check(va[i] == vb[i] || (std::isnan(va[i]) && std::isnan(vb[i])), "same values from file and memory");
  return 0;
}
