#include "multipeak/fitworkers.h"

#include <sched.h>

#include <chrono>

namespace tsd {

namespace {

constexpr int kChunk = 64;            // points per chunk (two blocks of the kernel)
constexpr int kMaxFitThreads = 4;     // more threads give nothing on 800 points
constexpr int kSpinMicroseconds = 200;  // an idle worker spins this long before sleeping
constexpr int kPausesPerClockRead = 64;
constexpr std::uint64_t kFieldMask = 0xffffu;

FitWorkers* g_running = nullptr;  // the workers of the running fit, if any

void cpu_relax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

// The ticket: generation in bits 32..63, the job's number of chunks in bits
// 16..31, the next chunk to take in bits 0..15. Everything a thread needs to
// decide whether there is a chunk left is in one atomic word, so the job
// itself is read only after a chunk of it has been claimed.
std::uint64_t ticket_of(std::uint32_t gen, int chunks) {
  return (std::uint64_t(gen) << 32) | (std::uint64_t(chunks) << 16);
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

void FitWorkers::take_chunks(std::uint32_t gen) {
  std::uint64_t t = ticket_.load(std::memory_order_acquire);
  for (;;) {
    if (std::uint32_t(t >> 32) != gen) return;  // a later job: not ours to take
    const int chunk = int(t & kFieldMask);
    if (chunk >= int((t >> 16) & kFieldMask)) return;  // all taken
    if (!ticket_.compare_exchange_weak(t, t + 1, std::memory_order_acq_rel,
                                       std::memory_order_acquire))
      continue;
    // The job cannot change while a chunk of it is taken and not done, so
    // reading it after a successful claim sees this generation's job.
    const int first = chunk * kChunk;
    const int n = job_.count - first < kChunk ? job_.count - first : kChunk;
    tsd::residual_squares(job_.peaks, job_.m, job_.T + first, job_.J + first, n,
                          job_.r2 + first);
    done_.fetch_add(1, std::memory_order_acq_rel);
    t = ticket_.load(std::memory_order_acquire);
  }
}

void FitWorkers::work() {
  std::uint32_t seen = 0;
  for (;;) {
    // Wait for the next generation: spin a while (the minimiser's next call
    // comes within microseconds), then sleep.
    std::uint32_t gen = generation_.load(std::memory_order_acquire);
    const auto spin_end =
        std::chrono::steady_clock::now() + std::chrono::microseconds(kSpinMicroseconds);
    while (gen == seen) {
      for (int i = 0; i < kPausesPerClockRead && gen == seen; ++i) {
        cpu_relax();
        gen = generation_.load(std::memory_order_acquire);
      }
      if (gen != seen || std::chrono::steady_clock::now() >= spin_end) break;
    }
    if (gen == seen) {
      generation_.wait(seen, std::memory_order_acquire);
      continue;
    }
    seen = gen;
    if (stop_.load(std::memory_order_acquire)) return;
    take_chunks(gen);
  }
}

void FitWorkers::residual_squares(const PeakConstants* peaks, int m, const double* T,
                                  const double* J, int count, double* r2) {
  if (workers_.empty() || count <= kChunk) {
    tsd::residual_squares(peaks, m, T, J, count, r2);
    return;
  }
  // Every chunk of the previous job is done (this call waited for them), so
  // no thread reads the job while it is replaced.
  job_ = Job{peaks, m, T, J, count, r2, (count + kChunk - 1) / kChunk};
  done_.store(0, std::memory_order_relaxed);
  const std::uint32_t gen = generation_.load(std::memory_order_relaxed) + 1;
  ticket_.store(ticket_of(gen, job_.chunks), std::memory_order_release);
  generation_.store(gen, std::memory_order_release);
  generation_.notify_all();

  take_chunks(gen);
  // The chunks still being computed by workers.
  for (int spins = 0; done_.load(std::memory_order_acquire) < job_.chunks; ++spins) {
    if (spins < kPausesPerClockRead * kPausesPerClockRead)
      cpu_relax();
    else
      std::this_thread::yield();  // a worker was descheduled mid-chunk
  }
}

int fit_thread_count() {
  cpu_set_t set;
  CPU_ZERO(&set);
  int cpus = 1;
  if (sched_getaffinity(0, sizeof set, &set) == 0) cpus = CPU_COUNT(&set);
  if (cpus < 1) cpus = 1;
  return cpus < kMaxFitThreads ? cpus : kMaxFitThreads;
}

FitWorkers* running_fit_workers() { return g_running; }

FitWorkersScope::FitWorkersScope(int threads) : workers_(threads), previous_(g_running) {
  g_running = &workers_;
}

FitWorkersScope::~FitWorkersScope() { g_running = previous_; }

}  // namespace tsd
