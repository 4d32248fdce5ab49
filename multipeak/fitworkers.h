// Worker threads that share the points of one objective evaluation while a
// fit runs.
//
// The points are cut into chunks of one kernel block; the calling thread and
// the workers take chunks until none is left, and each chunk's squared
// residuals go to their own places in the caller's array, so the caller then
// sums them in point order exactly as a single thread would. The minimiser
// still makes its calls one after the other from the calling thread: only
// the inside of one call is shared.
//
// A worker the system has put aside (a busy machine) must not hold the
// caller up: when a chunk a worker took is late, the caller computes it
// itself, and the worker's result for it is thrown away. So with workers
// that never run, a call costs what it costs on one thread.
//
// The workers exist only while a FitWorkers object lives (the FitScope that
// fitcompute keeps for the minimisation); between two calls they wait briefly spinning,
// then asleep. Where the program may run on one processor only no worker is
// started and everything runs in the calling thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "multipeak/objective_blocks.h"
#include "multipeak/records.h"

namespace tsd {

class FitWorkers {
 public:
  // Starts threads - 1 workers (none for threads <= 1).
  explicit FitWorkers(int threads);
  ~FitWorkers();
  FitWorkers(const FitWorkers&) = delete;
  FitWorkers& operator=(const FitWorkers&) = delete;

  // residual_squares over all count points (at most ArraysRecord::capacity),
  // chunks shared with the workers. Returns when every chunk is in r2.
  void residual_squares(const PeakConstants* peaks, int m, const double* T, const double* J,
                        int count, double* r2);

  // peak_currents of one peak over all count points, shared likewise.
  void peak_currents(const PeakConstants& peak, const double* T, int count, double* c);

  int threads() const { return int(workers_.size()) + 1; }

  static constexpr int kChunk = 32;  // points per chunk (one block of the kernel)
  static constexpr int kMaxChunks = (ArraysRecord::capacity + kChunk - 1) / kChunk;

 private:
  // What one evaluation asks; workers copy it before they compute.
  struct Job {
    bool one_peak = false;  // peak_currents of peaks[0] into r2, else residual_squares
    PeakConstants peaks[kMaxPeaks];
    int m = 0;
    const double* T = nullptr;
    const double* J = nullptr;
    int count = 0;
    double* r2 = nullptr;
  };

  // Publishes a job, takes chunks of it and returns when all are done.
  void run(bool one_peak, const PeakConstants* peaks, int m, const double* T, const double* J,
           int count, double* out);
  void work();
  // Claims chunks of generation gen through the ticket and computes them
  // (the calling thread into r2 directly, a worker through worker_chunk);
  // returns how many it claimed.
  int take_chunks(std::uint32_t gen, bool caller);
  // A worker's chunk: computed from a private copy of the job into a private
  // buffer, then copied into r2 unless the caller has taken it over.
  void worker_chunk(std::uint32_t gen, int chunk);
  // The caller: waits for the chunks workers took, taking over late ones.
  void finish_chunks(std::uint32_t gen, long long patience_ns);
  void compute_chunk(const Job& job, int chunk, double* out) const;

  Job job_;
  // Generation, number of chunks and next chunk to take (see ticket_of).
  std::atomic<std::uint64_t> ticket_{0};
  std::atomic<std::uint32_t> generation_{0};  // what idle workers wait on
  std::atomic<int> readers_{0};               // workers copying job_
  std::atomic<std::uint64_t> chunk_state_[kMaxChunks] = {};  // see state_of
  std::atomic<bool> stop_{false};
  std::vector<std::thread> workers_;
};

// Threads worth using for a fit: the processors this process may run on,
// capped at a few (more give nothing on 800 points).
int fit_thread_count();

}  // namespace tsd
