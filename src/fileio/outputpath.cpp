#include "fileio/outputpath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "fileio/outputfile.h"

bool IsStandardStream(const std::string& path) { return path == "-"; }

OutputKind ClassifyOutput(const std::string& path) {
  if (IsStandardStream(path)) return OutputKind::kStandardOutput;
  struct stat named, standard;
  if (stat(path.c_str(), &named) != 0) return OutputKind::kFile;
  if (fstat(STDOUT_FILENO, &standard) == 0 && named.st_dev == standard.st_dev && named.st_ino == standard.st_ino)
    return OutputKind::kStandardOutput;
  if (S_ISFIFO(named.st_mode) || S_ISCHR(named.st_mode)) return OutputKind::kStream;
  return OutputKind::kFile;
}

std::string WriteOutput(const std::string& path, const std::vector<uint8_t>& bytes) {
  if (ClassifyOutput(path) != OutputKind::kStandardOutput) return WriteWholeFile(path, bytes);
  return WriteAll(STDOUT_FILENO, bytes.data(), bytes.size()) ? std::string() : WriteFailure(path);
}

std::string WriteFailure(const std::string& path) {
  const std::string reason = errno == EPIPE ? "der Leser hat geschlossen" : ErrorText(errno);
  return path + ": kann nicht geschrieben werden (" + reason + ")";
}
