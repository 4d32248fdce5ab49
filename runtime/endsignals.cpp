// Holding SIGTERM and SIGINT while files are written. A signal is process
// wide, so its state here is too: how many holders there are, the signal
// that came meanwhile, and the dispositions to give back.
#include "runtime/endsignals.h"

#include <signal.h>

namespace tsd::runtime {

namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT};

struct Held {
  int holders = 0;  // changed only with the ending signals blocked
  volatile sig_atomic_t pending = 0;
  struct sigaction before[2] = {};
};

Held& held() {
  static Held h;
  return h;
}

void on_end_signal(int sig) { held().pending = sig; }

// Runs `change` with the ending signals blocked, so no handler runs halfway.
template <typename F>
void blocked(F change) {
  sigset_t set, old;
  sigemptyset(&set);
  for (int s : kEndSignals) sigaddset(&set, s);
  sigprocmask(SIG_BLOCK, &set, &old);
  change();
  sigprocmask(SIG_SETMASK, &old, nullptr);
}

}  // namespace

EndSignalsHeld::EndSignalsHeld() {
  blocked([] {
    Held& h = held();
    if (h.holders++ > 0) return;
    h.pending = 0;
    struct sigaction a = {};
    a.sa_handler = on_end_signal;
    sigemptyset(&a.sa_mask);
    a.sa_flags = SA_RESTART;
    for (int i = 0; i < 2; ++i) sigaction(kEndSignals[i], &a, &h.before[i]);
  });
}

EndSignalsHeld::~EndSignalsHeld() {
  int came = 0;
  blocked([&] {
    Held& h = held();
    if (--h.holders > 0) return;
    for (int i = 0; i < 2; ++i) sigaction(kEndSignals[i], &h.before[i], nullptr);
    came = h.pending;
    h.pending = 0;
  });
  // With the dispositions given back, the signal does what it would have.
  if (came != 0) raise(came);
}

}  // namespace tsd::runtime
