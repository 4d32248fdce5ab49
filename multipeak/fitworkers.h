// Worker threads that share the points of one objective evaluation while a
// fit runs.
//
// The points are cut into fixed chunks; the calling thread and the workers
// take chunks until none is left, and each chunk's squared residuals go to
// their own places in the caller's array, so the caller then sums them in
// point order exactly as a single thread would. The minimiser still makes its
// calls one after the other from the calling thread: only the inside of one
// call is shared.
//
// The workers exist only while a FitWorkers object lives (fitcompute keeps
// one for the minimisation); between two calls they wait briefly spinning,
// then asleep. On a machine where the program may run on one processor only
// no worker is started and everything runs in the calling thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "multipeak/objective_blocks.h"

namespace tsd {

class FitWorkers {
 public:
  // Starts threads - 1 workers (none for threads <= 1).
  explicit FitWorkers(int threads);
  ~FitWorkers();
  FitWorkers(const FitWorkers&) = delete;
  FitWorkers& operator=(const FitWorkers&) = delete;

  // residual_squares over all count points, chunks shared with the workers.
  // Returns when every chunk is done.
  void residual_squares(const PeakConstants* peaks, int m, const double* T, const double* J,
                        int count, double* r2);

  int threads() const { return int(workers_.size()) + 1; }

 private:
  struct Job {
    const PeakConstants* peaks = nullptr;
    int m = 0;
    const double* T = nullptr;
    const double* J = nullptr;
    int count = 0;
    double* r2 = nullptr;
    int chunks = 0;
  };

  void work();
  // Takes and computes chunks of job generation gen until none is left.
  void take_chunks(std::uint32_t gen);

  Job job_;
  // Generation, number of chunks and next chunk to take (see ticket_of).
  std::atomic<std::uint64_t> ticket_{0};
  std::atomic<std::uint32_t> generation_{0};  // what idle workers wait on
  std::atomic<int> done_{0};                  // chunks finished in this generation
  std::atomic<bool> stop_{false};
  std::vector<std::thread> workers_;
};

// Threads worth using for a fit: the processors this process may run on,
// capped at a few (more give nothing on 800 points).
int fit_thread_count();

// The workers of the fit that is running, or nullptr: func shares its points
// with them when there are any. Set for its lifetime by FitWorkersScope.
FitWorkers* running_fit_workers();

// Makes workers available to func for the lifetime of the scope (nested
// scopes are not used: fitcompute is the only owner).
class FitWorkersScope {
 public:
  explicit FitWorkersScope(int threads);
  ~FitWorkersScope();
  FitWorkersScope(const FitWorkersScope&) = delete;
  FitWorkersScope& operator=(const FitWorkersScope&) = delete;

 private:
  FitWorkers workers_;
  FitWorkers* previous_;
};

}  // namespace tsd
