// An interrupted program must not leave its half-written temporary file
// behind: SIGINT, SIGTERM and SIGHUP remove it before the program ends as
// the signal ends it.
#pragma once

#include <signal.h>

// Installs the handlers; the command-line tool and the editor call it once
// at start.
void RemoveTemporaryFileOnSignals();

// The temporary file a signal would remove now; one at a time.
void SetPendingTemporaryFile(const char* path);
void ForgetPendingTemporaryFile();

// While one exists, SIGINT, SIGTERM and SIGHUP wait: a file overwritten in
// place is never left half new and half old. A signal that arrived ends the
// program once the last one is gone.
class TerminationSignalsHeld {
 public:
  TerminationSignalsHeld();
  ~TerminationSignalsHeld();
  TerminationSignalsHeld(const TerminationSignalsHeld&) = delete;
  TerminationSignalsHeld& operator=(const TerminationSignalsHeld&) = delete;

 private:
  sigset_t before_;
};
