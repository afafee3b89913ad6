// translate's output, as a filter writes it: standard output and a pipe or
// character device of that name are written into as they are; a file is
// written to a temporary name and renamed into place, so that a failure
// leaves a former file as it was. Like cp, dd and iconv, it does not sync.
#pragma once

#include <optional>
#include <string>

#include "fileio/outputfile.h"
#include "fileio/outputpath.h"

class FilterOutput {
 public:
  explicit FilterOutput(std::string path);
  ~FilterOutput();
  FilterOutput(const FilterOutput&) = delete;
  FilterOutput& operator=(const FilterOutput&) = delete;

  // False and Error() when it cannot be written.
  bool Open();
  int Descriptor() const { return fd_; }
  // Ends the output once everything is written; written false records the
  // failed write's errno. False and Error() when the output is not whole.
  bool Finish(bool written);
  // Empty after a closed pipe on standard output: a filter ends quietly then.
  const std::string& Error() const { return error_; }

 private:
  bool Failed();

  std::string path_;
  OutputKind kind_;
  int fd_ = -1;
  std::optional<OutputFile> file_;
  std::string error_;
};
