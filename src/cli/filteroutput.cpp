#include "cli/filteroutput.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

FilterOutput::FilterOutput(std::string path) : path_(std::move(path)), kind_(ClassifyOutput(path_)) {}

FilterOutput::~FilterOutput() {
  if (kind_ == OutputKind::kStream && fd_ >= 0) close(fd_);
}

bool FilterOutput::Open() {
  if (kind_ == OutputKind::kStandardOutput) {
    fd_ = STDOUT_FILENO;
    return true;
  }
  if (kind_ == OutputKind::kStream) {
    // A reader that goes away is a failure to tell, not a reason to die.
    signal(SIGPIPE, SIG_IGN);
    fd_ = open(path_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    return fd_ >= 0 || Failed();
  }
  file_.emplace(path_);
  file_->LeaveUnsynced();
  if (!file_->Open()) {
    error_ = file_->Error();
    return false;
  }
  fd_ = file_->Descriptor();
  return true;
}

bool FilterOutput::Finish(bool written) {
  if (!written && kind_ == OutputKind::kStandardOutput && errno == EPIPE) return false;
  if (!written && !file_) return Failed();
  if (file_) {
    if (!written) file_->Fail();
    if (written && file_->Commit()) return true;
    error_ = file_->Error();
    return false;
  }
  if (kind_ == OutputKind::kStream) {
    const int closed = close(fd_);
    fd_ = -1;
    if (closed != 0) return Failed();
  }
  return true;
}

bool FilterOutput::Failed() {
  error_ = WriteFailure(path_);
  return false;
}
