#include "multipeak/fitworkers.h"

#include <sched.h>

#include <chrono>
#include <cstring>

namespace tsd {

namespace {

constexpr int kMaxFitThreads = 4;       // more threads give nothing on 800 points
constexpr int kSpinMicroseconds = 200;  // an idle worker spins this long before sleeping
constexpr int kPausesPerClockRead = 64;
constexpr std::uint64_t kFieldMask = 0xffffu;
// How long the caller waits for a chunk a worker took before computing it
// itself: twice what a chunk took the caller, and at least this.
constexpr long long kMinPatienceNs = 5000;
constexpr long long kPatienceWithoutOwnChunkNs = 50000;

using Clock = std::chrono::steady_clock;

long long nanoseconds_since(Clock::time_point t) {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - t).count();
}

void cpu_relax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

// The ticket: generation in bits 32..63, the job's number of chunks in bits
// 16..31, the next chunk to take in bits 0..15. Whether there is a chunk
// left is decided from this one atomic word.
std::uint64_t ticket_of(std::uint32_t gen, int chunks) {
  return (std::uint64_t(gen) << 32) | (std::uint64_t(chunks) << 16);
}

// A chunk's state: the generation it was last touched in (bits 2..33) and
// what happened to it then.
constexpr std::uint64_t kClaimed = 1;     // a worker computes it
constexpr std::uint64_t kCommitting = 2;  // a worker copies its result into r2
constexpr std::uint64_t kDone = 3;        // its result is in r2, or the caller computes it

std::uint64_t state_of(std::uint32_t gen, std::uint64_t what) {
  return (std::uint64_t(gen) << 2) | what;
}

// Whether a state is from a generation before gen (the chunk not yet
// touched in gen); generations wrap around.
bool older(std::uint64_t state, std::uint32_t gen) {
  return std::int32_t(std::uint32_t(state >> 2) - gen) < 0;
}

}  // namespace

FitWorkers::FitWorkers(int threads) {
  for (int w = 1; w < threads; ++w) workers_.emplace_back([this] { work(); });
}

FitWorkers::~FitWorkers() {
  stop_.store(true, std::memory_order_release);
  generation_.fetch_add(1, std::memory_order_release);
  generation_.notify_all();
  for (std::thread& t : workers_) t.join();
}

void FitWorkers::compute_chunk(const Job& job, int chunk, double* out) const {
  const int first = chunk * kChunk;
  const int n = job.count - first < kChunk ? job.count - first : kChunk;
  if (job.one_peak)
    tsd::peak_currents(job.peaks[0], job.T + first, n, out);
  else
    tsd::residual_squares(job.peaks, job.m, job.T + first, job.J + first, n, out);
}

int FitWorkers::take_chunks(std::uint32_t gen, bool caller) {
  int taken = 0;
  std::uint64_t t = ticket_.load(std::memory_order_seq_cst);
  for (;;) {
    if (std::uint32_t(t >> 32) != gen) return taken;  // a later job: not ours to take
    const int chunk = int(t & kFieldMask);
    if (chunk >= int((t >> 16) & kFieldMask)) return taken;  // all taken
    if (!ticket_.compare_exchange_weak(t, t + 1, std::memory_order_seq_cst)) continue;
    if (caller) {
      compute_chunk(job_, chunk, job_.r2 + chunk * kChunk);
      chunk_state_[chunk].store(state_of(gen, kDone), std::memory_order_release);
    } else {
      worker_chunk(gen, chunk);
    }
    ++taken;
    t = ticket_.load(std::memory_order_seq_cst);
  }
}

void FitWorkers::worker_chunk(std::uint32_t gen, int chunk) {
  // Mark the chunk as ours and copy the job, unless the caller has taken the
  // chunk over (then it may already be writing the next job). While
  // readers_ is raised the caller does not rewrite the job.
  readers_.fetch_add(1, std::memory_order_seq_cst);
  std::uint64_t s = chunk_state_[chunk].load(std::memory_order_seq_cst);
  const bool mine = older(s, gen) && chunk_state_[chunk].compare_exchange_strong(
                                         s, state_of(gen, kClaimed), std::memory_order_seq_cst);
  Job job;
  if (mine) job = job_;
  readers_.fetch_sub(1, std::memory_order_seq_cst);
  if (!mine) return;

  double out[kChunk];
  compute_chunk(job, chunk, out);
  std::uint64_t claimed = state_of(gen, kClaimed);
  if (!chunk_state_[chunk].compare_exchange_strong(claimed, state_of(gen, kCommitting),
                                                   std::memory_order_acq_rel))
    return;  // the caller computed it meanwhile
  const int first = chunk * kChunk;
  const int n = job.count - first < kChunk ? job.count - first : kChunk;
  std::memcpy(job.r2 + first, out, sizeof(double) * std::size_t(n));
  chunk_state_[chunk].store(state_of(gen, kDone), std::memory_order_release);
}

void FitWorkers::finish_chunks(std::uint32_t gen, long long patience_ns) {
  const int chunks = (job_.count + kChunk - 1) / kChunk;
  const Clock::time_point start = Clock::now();
  for (int c = 0; c < chunks; ++c) {
    for (;;) {
      std::uint64_t s = chunk_state_[c].load(std::memory_order_acquire);
      if (s == state_of(gen, kDone)) break;
      if (s != state_of(gen, kCommitting) && nanoseconds_since(start) > patience_ns) {
        // Late: computed here, and the worker's result will not be taken.
        if (chunk_state_[c].compare_exchange_strong(s, state_of(gen, kDone),
                                                    std::memory_order_acq_rel)) {
          compute_chunk(job_, c, job_.r2 + c * kChunk);
          break;
        }
        continue;
      }
      if (s == state_of(gen, kCommitting) && nanoseconds_since(start) > patience_ns)
        std::this_thread::yield();  // a copy of 32 numbers, interrupted
      else
        cpu_relax();
    }
  }
}

void FitWorkers::work() {
  std::uint32_t seen = 0;
  for (;;) {
    // Wait for the next generation: spin a while (the minimiser's next call
    // comes within microseconds), then sleep.
    std::uint32_t gen = generation_.load(std::memory_order_acquire);
    const Clock::time_point spin_end = Clock::now() + std::chrono::microseconds(kSpinMicroseconds);
    while (gen == seen) {
      for (int i = 0; i < kPausesPerClockRead && gen == seen; ++i) {
        cpu_relax();
        gen = generation_.load(std::memory_order_acquire);
      }
      if (gen != seen || Clock::now() >= spin_end) break;
    }
    if (gen == seen) {
      generation_.wait(seen, std::memory_order_acquire);
      continue;
    }
    seen = gen;
    if (stop_.load(std::memory_order_acquire)) return;
    take_chunks(gen, false);
  }
}

void FitWorkers::residual_squares(const PeakConstants* peaks, int m, const double* T,
                                  const double* J, int count, double* r2) {
  if (workers_.empty() || count <= kChunk || count > ArraysRecord::capacity || m > kMaxPeaks) {
    tsd::residual_squares(peaks, m, T, J, count, r2);
    return;
  }
  run(false, peaks, m, T, J, count, r2);
}

void FitWorkers::peak_currents(const PeakConstants& peak, const double* T, int count,
                               double* c) {
  if (workers_.empty() || count <= kChunk || count > ArraysRecord::capacity) {
    tsd::peak_currents(peak, T, count, c);
    return;
  }
  run(true, &peak, 1, T, nullptr, count, c);
}

void FitWorkers::run(bool one_peak, const PeakConstants* peaks, int m, const double* T,
                     const double* J, int count, double* out) {
  // Every chunk of the previous job is done; a worker may still be looking
  // at that job (to find its chunk taken over): it is rewritten only after.
  while (readers_.load(std::memory_order_seq_cst) != 0) cpu_relax();
  job_.one_peak = one_peak;
  job_.m = m;
  for (int p = 0; p < m; ++p) job_.peaks[p] = peaks[p];
  job_.T = T;
  job_.J = J;
  job_.count = count;
  job_.r2 = out;
  const int chunks = (count + kChunk - 1) / kChunk;
  const std::uint32_t gen = generation_.load(std::memory_order_relaxed) + 1;
  ticket_.store(ticket_of(gen, chunks), std::memory_order_seq_cst);
  generation_.store(gen, std::memory_order_release);
  generation_.notify_all();

  // The time this thread took per chunk sets its patience with the workers.
  const Clock::time_point start = Clock::now();
  const int own = take_chunks(gen, true);
  long long patience = kPatienceWithoutOwnChunkNs;
  if (own > 0) {
    patience = 2 * nanoseconds_since(start) / own;
    if (patience < kMinPatienceNs) patience = kMinPatienceNs;
  }
  finish_chunks(gen, patience);
}

int fit_thread_count() {
  cpu_set_t set;
  CPU_ZERO(&set);
  int cpus = 1;
  if (sched_getaffinity(0, sizeof set, &set) == 0) cpus = CPU_COUNT(&set);
  if (cpus < 1) cpus = 1;
  return cpus < kMaxFitThreads ? cpus : kMaxFitThreads;
}

}  // namespace tsd
