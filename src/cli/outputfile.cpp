#include "cli/outputfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

namespace {

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The mode a new file would get, or that of the file being replaced.
mode_t ModeFor(const std::string& path) {
  struct stat existing;
  if (stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

// A symbolic link is followed, so the file it points to is replaced, not
// the link.
OutputFile::OutputFile(std::string path) : Path(std::move(path)), Target(Path) {
  std::error_code error;
  if (std::filesystem::is_symlink(Path, error)) {
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(Path, error);
    if (!error) Target = resolved.string();
  }
}

OutputFile::~OutputFile() {
  if (Fd >= 0) close(Fd);
  if (!Committed && !TempPath.empty()) unlink(TempPath.c_str());
}

void OutputFile::Fail() { Reason = Path + ": kann nicht geschrieben werden (" + ErrorText(errno) + ")"; }

bool OutputFile::Open() {
  std::string pattern = DirectoryOf(Target) + "/." + BaseOf(Target) + ".XXXXXX";
  Fd = mkstemp(&pattern[0]);
  if (Fd < 0) {
    Fail();
    return false;
  }
  TempPath = pattern;
  return true;
}

bool OutputFile::Write(const uint8_t* data, size_t length) {
  while (length > 0) {
    const ssize_t put = write(Fd, data, length);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      if (put == 0) errno = EIO;
      Fail();
      return false;
    }
    data += put;
    length -= static_cast<size_t>(put);
  }
  return true;
}

bool OutputFile::Commit() {
  bool ok = fchmod(Fd, ModeFor(Target)) == 0;
  int error = errno;
  // close reports write errors the file system held back.
  if (close(Fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  Fd = -1;
  if (ok && rename(TempPath.c_str(), Target.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    errno = error;
    Fail();
    return false;
  }
  Committed = true;
  return true;
}

std::string WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  OutputFile file(path);
  if (file.Open() && file.Write(bytes.data(), bytes.size()) && file.Commit()) return std::string();
  return file.Error();
}

std::string ErrorText(int error) {
  switch (error) {
    case ENOENT:
      return "nicht gefunden";
    case EACCES:
    case EPERM:
      return "keine Berechtigung";
    case EISDIR:
      return "ist ein Verzeichnis";
    case ENOTDIR:
      return "Pfad enthält eine Datei, wo ein Verzeichnis stehen müsste";
    case ENOSPC:
      return "kein Platz mehr auf dem Datenträger";
    case EROFS:
      return "Dateisystem ist nur lesbar";
    case EFBIG:
      return "Datei zu groß";
    default:
      return std::strerror(error);
  }
}
