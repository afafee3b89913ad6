#include "fileio/signalcleanup.h"

#include <limits.h>
#include <pthread.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

namespace {

const int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Read by the handler, so only written while the signals are blocked.
char PendingPath[PATH_MAX];
volatile sig_atomic_t HasPending = 0;
// Another thread of the process may take a signal that this one holds: the
// handler then leaves it for the holder to deliver.
volatile sig_atomic_t Holding = 0;
volatile sig_atomic_t HeldSignal = 0;

void RemovePendingAndDie(int signal) {
  if (Holding) {
    HeldSignal = signal;
    return;
  }
  if (HasPending) unlink(PendingPath);
  // Once the handler returns, the signal ends the process with the status a
  // shell expects.
  struct sigaction standard = {};
  standard.sa_handler = SIG_DFL;
  sigaction(signal, &standard, nullptr);
  raise(signal);
}

sigset_t Block() {
  sigset_t set, before;
  sigemptyset(&set);
  for (const int signal : kCleanedSignals) sigaddset(&set, signal);
  pthread_sigmask(SIG_BLOCK, &set, &before);
  return before;
}

class SignalsBlocked {
 public:
  SignalsBlocked() : before_(Block()) {}
  ~SignalsBlocked() { pthread_sigmask(SIG_SETMASK, &before_, nullptr); }

 private:
  sigset_t before_;
};

}  // namespace

void RemoveTemporaryFileOnSignals() {
  struct sigaction action = {};
  action.sa_handler = RemovePendingAndDie;
  sigemptyset(&action.sa_mask);
  for (const int signal : kCleanedSignals) {
    struct sigaction before;
    // A signal ignored by the caller (nohup) stays ignored.
    if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    sigaction(signal, &action, nullptr);
  }
}

void SetPendingTemporaryFile(const char* path) {
  const SignalsBlocked blocked;
  HasPending = std::strlen(path) < sizeof PendingPath;
  if (HasPending) std::strcpy(PendingPath, path);
}

void ForgetPendingTemporaryFile() {
  const SignalsBlocked blocked;
  HasPending = 0;
}

TerminationSignalsHeld::TerminationSignalsHeld() : before_(Block()) { Holding = Holding + 1; }

TerminationSignalsHeld::~TerminationSignalsHeld() {
  Holding = Holding - 1;
  const int held = Holding == 0 ? HeldSignal : 0;
  pthread_sigmask(SIG_SETMASK, &before_, nullptr);
  if (held) raise(held);
}
