#include "multipeak/fitscope.h"

#include <cstring>

namespace tsd {

namespace {

FitScope* g_running = nullptr;  // the scope of the running fit, if any

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool same_constants(const PeakConstants& a, const PeakConstants& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// The same exponentials: Ea, s and start (P0 and tau0 may differ).
bool same_decay(const PeakConstants& a, const PeakConstants& b) {
  return same_bits(a.Ea, b.Ea) && same_bits(a.s, b.s) && same_bits(a.start, b.start);
}

}  // namespace

PeakCurrentCache::PeakCurrentCache()
    : values_(std::size_t(2 * kMaxPeaks * kWays) * std::size_t(kCapacity)) {}

void PeakCurrentCache::residual_squares(const PeakConstants* peaks, int m, const double* T,
                                        const double* J, int count, double* r2) {
  if (m < 1 || m > kMaxPeaks || count < 1 || count > kCapacity) {
    tsd::residual_squares(peaks, m, T, J, count, r2);
    return;
  }
  if (T != T_ || count != count_) {
    // Another range of points: nothing kept applies.
    for (auto& row : entries_)
      for (Entry& e : row) e.valid = false;
    T_ = T;
    count_ = count;
  }
  const double* chosen[kMaxPeaks];
  for (int p = 0; p < m; ++p) {
    ++clock_;
    int way = -1;
    for (int w = 0; w < kWays && way < 0; ++w)
      if (entries_[p][w].valid && same_constants(entries_[p][w].key, peaks[p])) way = w;
    for (int w = 0; w < kWays && way < 0; ++w)
      if (entries_[p][w].valid && same_decay(entries_[p][w].key, peaks[p])) {
        way = w;
        currents_from_exponentials(peaks[p].P0, peaks[p].tau0, exponentials(p, w), count,
                                   currents(p, w));
        entries_[p][w].key = peaks[p];
      }
    if (way < 0) {
      // An empty entry of this peak, else its least recently used one, gets
      // the new currents.
      way = 0;
      for (int w = 0; w < kWays; ++w) {
        if (!entries_[p][w].valid) {
          way = w;
          break;
        }
        if (entries_[p][w].used < entries_[p][way].used) way = w;
      }
      Entry& e = entries_[p][way];
      e.valid = false;
      peak_currents(peaks[p], T, count, currents(p, way), exponentials(p, way));
      e.key = peaks[p];
      e.valid = true;
    }
    entries_[p][way].used = clock_;
    chosen[p] = currents(p, way);
  }
  residuals_from_currents(chosen, m, J, count, r2);
}

FitScope::FitScope() : previous_(g_running) { g_running = this; }

FitScope::~FitScope() { g_running = previous_; }

FitScope* running_fit() { return g_running; }

}  // namespace tsd
