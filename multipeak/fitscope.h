// What the objective keeps while a fit runs: each peak's current at every
// point for the last few parameter sets of that peak.
//
// The minimiser's exploratory trials change one parameter, so one peak,
// at a time and come back to the base point: most calls need the currents
// of one peak afresh and find the others' as an earlier call left them. A
// trial of Jm changes only the peak's P0, not the exponential of its
// current: the currents are then formed from the kept exponentials. The
// kept currents are the kernel's values for exactly the same peak constants
// (compared bit for bit), and the model at each point is summed from them in
// peak order from 0.0 as the kernel sums it, so the objective's value does
// not depend on what was kept.
//
// The kept currents belong to one fit: the measured points, T0 and b do not
// change while it runs. A FitScope lives around the minimisation only.
#pragma once

#include <vector>

#include "multipeak/objective_blocks.h"
#include "multipeak/records.h"

namespace tsd {

class PeakCurrentCache {
 public:
  PeakCurrentCache();

  // residual_squares for the points T, J (count of them), the currents of
  // every peak whose constants were met lately taken from the cache, the
  // others computed and kept.
  void residual_squares(const PeakConstants* peaks, int m, const double* T, const double* J,
                        int count, double* r2);

  static constexpr int kWays = 3;  // parameter sets kept per peak

 private:
  struct Entry {
    PeakConstants key;
    bool valid = false;
    unsigned long used = 0;  // when last used (larger is later)
  };
  // The currents of entry w of peak p and their exponentials (see
  // peak_currents); points as the range the cache holds.
  double* currents(int p, int w) {
    return &values_[std::size_t(2 * (p * kWays + w)) * kCapacity];
  }
  double* exponentials(int p, int w) { return currents(p, w) + kCapacity; }

  static constexpr int kCapacity = ArraysRecord::capacity;
  Entry entries_[kMaxPeaks][kWays];
  std::vector<double> values_;
  const double* T_ = nullptr;  // the points the entries were computed for
  int count_ = 0;
  unsigned long clock_ = 0;
};

// Makes the cache available to func for the lifetime of the scope
// (fitcompute keeps one around the minimisation).
class FitScope {
 public:
  FitScope();
  ~FitScope();
  FitScope(const FitScope&) = delete;
  FitScope& operator=(const FitScope&) = delete;

  PeakCurrentCache cache;

 private:
  FitScope* previous_;
};

// The scope of the fit that is running, or nullptr.
FitScope* running_fit();

}  // namespace tsd
