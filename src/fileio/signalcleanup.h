// An interrupted program must not leave its half-written temporary file
// behind: SIGINT, SIGTERM and SIGHUP remove it before the program ends as
// the signal ends it.
#pragma once

// Installs the handlers; the command-line tool calls it once at start.
void RemoveTemporaryFileOnSignals();

// The temporary file a signal would remove now; one at a time.
void SetPendingTemporaryFile(const char* path);
void ForgetPendingTemporaryFile();
