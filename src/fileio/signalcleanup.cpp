#include "fileio/signalcleanup.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

namespace {

const int CleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Read by the handler, so only written while the signals are blocked.
char PendingPath[PATH_MAX];
volatile sig_atomic_t HasPending = 0;

void RemovePendingAndDie(int signal) {
  if (HasPending) unlink(PendingPath);
  // The handler reset itself: once it returns, the signal ends the process
  // with the status a shell expects.
  raise(signal);
}

class SignalsBlocked {
 public:
  SignalsBlocked() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : CleanedSignals) sigaddset(&set, signal);
    pthread_sigmask(SIG_BLOCK, &set, &Before);
  }
  ~SignalsBlocked() { pthread_sigmask(SIG_SETMASK, &Before, nullptr); }

 private:
  sigset_t Before;
};

}  // namespace

void RemoveTemporaryFileOnSignals() {
  struct sigaction action = {};
  action.sa_handler = RemovePendingAndDie;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  for (const int signal : CleanedSignals) {
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
