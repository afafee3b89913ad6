#include "fileio/tablefilereader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "fileio/outputfile.h"
#include "files/formats.h"

const size_t kTableReadLimit = kV5PairImageSize + 1;

namespace {

bool RefuseKind(const struct stat& info, std::string& reason) {
  if (S_ISREG(info.st_mode)) return false;
  reason = S_ISDIR(info.st_mode) ? ErrorText(EISDIR) : kNotRegularReason;
  return true;
}

bool ReadUpToLimit(int fd, size_t limit, std::vector<uint8_t>& bytes) {
  bytes.assign(limit, 0);
  size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got = read(fd, bytes.data() + filled, bytes.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    filled += static_cast<size_t>(got);
  }
  bytes.resize(filled);
  return true;
}

}  // namespace

bool ReadTableBytes(const std::string& path, std::vector<uint8_t>& bytes, size_t& length, std::string& reason) {
  return ReadRegularFile(path, kTableReadLimit, bytes, length, reason);
}

bool ReadStandardInput(size_t limit, std::vector<uint8_t>& bytes, size_t& length, std::string& reason) {
  length = 0;
  if (!ReadUpToLimit(STDIN_FILENO, limit, bytes)) {
    reason = ErrorText(errno);
    bytes.clear();
    return false;
  }
  length = bytes.size();
  return true;
}

bool ReadRegularFile(const std::string& path, size_t limit, std::vector<uint8_t>& bytes, size_t& length,
                     std::string& reason) {
  bytes.clear();
  length = 0;
  struct stat info;
  if (stat(path.c_str(), &info) != 0) {
    reason = ErrorText(errno);
    return false;
  }
  if (RefuseKind(info, reason)) return false;
  // O_NONBLOCK: a pipe put in the file's place meanwhile must not block.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    reason = ErrorText(errno);
    return false;
  }
  bool ok = fstat(fd, &info) == 0;
  if (!ok) reason = ErrorText(errno);
  ok = ok && !RefuseKind(info, reason);
  if (ok && !ReadUpToLimit(fd, limit, bytes)) {
    reason = ErrorText(errno);
    ok = false;
  }
  close(fd);
  if (!ok) {
    bytes.clear();
    return false;
  }
  length = bytes.size() == limit ? std::max(limit, static_cast<size_t>(info.st_size)) : bytes.size();
  return true;
}

std::string FullPath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  return error ? path : full.lexically_normal().string();
}
