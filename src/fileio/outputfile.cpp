#include "fileio/outputfile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <utility>

#include "fileio/signalcleanup.h"

const char kNotRegularReason[] = "keine reguläre Datei";
WriteFunction WriteCall = ::write;
int (*ReserveCall)(int, off_t, off_t) = ::posix_fallocate;
int (*ChangeModeCall)(int, mode_t) = ::fchmod;
int (*ChangeOwnerCall)(int, uid_t, gid_t) = ::fchown;

namespace {

const char kDanglingLinkReason[] = "Verknüpfung ohne Ziel";
// "." before the name and ".XXXXXX" after it.
constexpr long kTemporaryNameExtra = 8;

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

// The mode a new file would get from the umask.
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// A name that fits the directory's name limit, however long the target's is.
std::string TemporaryPattern(const std::string& target) {
  const std::string directory = DirectoryOf(target);
  long name_max = pathconf(directory.c_str(), _PC_NAME_MAX);
  if (name_max <= 0) name_max = NAME_MAX;
  const std::string base = BaseOf(target).substr(0, static_cast<size_t>(name_max - kTemporaryNameExtra));
  return directory + "/." + base + ".XXXXXX";
}

// Owner and group where the process may set both, else the group alone where
// the process belongs to it; otherwise they stay the process's own. False
// with errno set when the system fails for another reason than permission.
bool GiveTo(int fd, uid_t owner, gid_t group) {
  if (ChangeOwnerCall(fd, owner, group) == 0) return true;
  if (errno != EPERM) return false;
  return ChangeOwnerCall(fd, static_cast<uid_t>(-1), group) == 0 || errno == EPERM;
}

// The bytes get(buffer, size) gives, xattr style: asked for their size
// first, and asked again when they grew meanwhile.
bool AttributeBytes(const std::function<ssize_t(char*, size_t)>& get, std::vector<char>& bytes) {
  for (;;) {
    const ssize_t size = get(nullptr, 0);
    if (size < 0) return false;
    bytes.resize(static_cast<size_t>(size));
    const ssize_t got = get(bytes.data(), bytes.size());
    if (got >= 0) {
      bytes.resize(static_cast<size_t>(got));
      return true;
    }
    if (errno != ERANGE) return false;
  }
}

// Writers of the same file in place wait for each other.
class FileLock {
 public:
  explicit FileLock(int fd) : fd_(fd) {
    while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
  }
  ~FileLock() { flock(fd_, LOCK_UN); }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  const int fd_;
};

// A file-size limit then fails the write with EFBIG instead of ending the
// process with its temporary file left behind.
void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

// The rename is durable only once the directory is on disk too.
void SyncDirectoryOf(const std::string& path) {
  const int fd = open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

OutputFile::OutputFile(std::string path, Start start) : path_(std::move(path)), start_with_(start), target_(path_) {}

OutputFile::~OutputFile() {
  if (fd_ >= 0) close(fd_);
  if (former_fd_ >= 0) close(former_fd_);
  if (!committed_ && !temp_path_.empty()) {
    unlink(temp_path_.c_str());
    ForgetPendingTemporaryFile();
  }
}

void OutputFile::Fail() { Refuse(ErrorText(errno)); }

bool OutputFile::Failed() {
  Fail();
  return false;
}

bool OutputFile::Refuse(const std::string& reason) {
  why_ = reason;
  message_ = path_ + ": kann nicht geschrieben werden (" + reason + ")";
  return false;
}

bool OutputFile::Open() { return FindTarget() && OpenFormer() && CreateTemporary(); }

bool OutputFile::FindTarget() {
  std::string reason;
  return ResolveOutputTarget(path_, target_, reason) || Refuse(reason);
}

// Opening the former file for writing refuses a write-protected one as a
// shell redirection would; O_NONBLOCK keeps a pipe put there meanwhile from
// blocking.
bool OutputFile::OpenFormer() {
  const int access = start_with_ == kWithFormerContent ? O_RDWR : O_WRONLY;
  former_fd_ = open(target_.c_str(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (former_fd_ < 0) {
    if (errno == ENOENT) return true;
    Fail();
    return false;
  }
  if (fstat(former_fd_, &former_) != 0) {
    Fail();
    return false;
  }
  if (!S_ISREG(former_.st_mode)) return Refuse(kNotRegularReason);
  return true;
}

// Where the directory refuses a new file but the former file may be
// written, the new content waits in memory and then overwrites it.
bool OutputFile::CreateTemporary() {
  IgnoreFileSizeSignal();
  std::string pattern = TemporaryPattern(target_);
  fd_ = mkostemp(&pattern[0], O_CLOEXEC);
  if (fd_ < 0 && (errno == EACCES || errno == EPERM) && former_fd_ >= 0) {
    in_place_ = true;
    fd_ = memfd_create("qavo-output", MFD_CLOEXEC);
    return fd_ >= 0 || Failed();
  }
  if (fd_ < 0) return Failed();
  in_place_ = former_fd_ >= 0 && former_.st_nlink > 1;
  temp_path_ = pattern;
  SetPendingTemporaryFile(temp_path_.c_str());
  return true;
}

// The former content is copied only when the new content comes, so that
// what another program adds while the user is asked is kept.
bool OutputFile::CopyFormerContent() {
  if (start_with_ != kWithFormerContent || former_fd_ < 0 || former_copied_) return true;
  former_copied_ = true;
  uint8_t buffer[65536];
  for (off_t at = 0;;) {
    const ssize_t got = pread(former_fd_, buffer, sizeof buffer, at);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      Fail();
      return false;
    }
    if (got == 0) return true;
    if (!WriteAll(fd_, buffer, static_cast<size_t>(got))) return Failed();
    at += got;
  }
}

bool OutputFile::Write(const uint8_t* data, size_t length) {
  if (!CopyFormerContent()) return false;
  if (WriteAll(fd_, data, length)) return true;
  Fail();
  return false;
}

// Owner and group go over where the process may set them; setuid and setgid
// never go to a file that someone else now owns. The attributes come after
// the owner, whose change would drop some of them, and before the mode,
// which an access control list would otherwise change.
bool OutputFile::TakeOverOwnerAndMode() {
  if (former_fd_ < 0) return ChangeModeCall(fd_, NewFileMode()) == 0 || Failed();
  struct stat mine;
  if (fstat(fd_, &mine) != 0) return Failed();
  if (mine.st_uid != former_.st_uid || mine.st_gid != former_.st_gid) {
    if (!GiveTo(fd_, former_.st_uid, former_.st_gid) || fstat(fd_, &mine) != 0) return Failed();
  }
  if (!CopyExtendedAttributes()) return false;
  mode_t mode = former_.st_mode & 07777;
  if (mine.st_uid != former_.st_uid) mode &= ~(S_ISUID | S_ISGID);
  if (mine.st_gid != former_.st_gid) mode &= ~S_ISGID;
  return ChangeModeCall(fd_, mode) == 0 || Failed();
}

// Extended attributes, among them the access control list, go over as far
// as the process may set them.
bool OutputFile::CopyExtendedAttributes() {
  // Each name ends with a zero byte.
  std::vector<char> names, value;
  const int from = former_fd_;
  if (!AttributeBytes([from](char* bytes, size_t size) { return flistxattr(from, bytes, size); }, names) &&
      errno != ENOTSUP)
    return Failed();
  for (size_t at = 0; at < names.size(); at += std::strlen(&names[at]) + 1) {
    const char* name = &names[at];
    if (!AttributeBytes([from, name](char* bytes, size_t size) { return fgetxattr(from, name, bytes, size); }, value)) {
      if (errno == ENODATA) continue;
      return Failed();
    }
    if (fsetxattr(fd_, name, value.data(), value.size(), 0) != 0 && errno != EPERM && errno != ENOTSUP) return Failed();
  }
  return true;
}

bool OutputFile::Commit() {
  if (!why_.empty() || !CopyFormerContent()) return false;
  if (!in_place_ && !TakeOverOwnerAndMode()) return false;
  if (sync_ && fsync(fd_) != 0) return Failed();
  if (!(in_place_ ? OverwriteFormer() : PutInPlace())) return false;
  committed_ = true;
  ForgetPendingTemporaryFile();
  return true;
}

// The complete new content is in the temporary file; only now is the former
// file itself overwritten, once its new size is reserved, so that a full disk
// fails before the first byte changes.
bool OutputFile::OverwriteFormer() {
  const off_t size = lseek(fd_, 0, SEEK_END);
  if (size < 0) return Failed();
  const FileLock lock(former_fd_);
  const TerminationSignalsHeld held;
  const int reserved = size > 0 ? ReserveCall(former_fd_, 0, size) : 0;
  if (reserved != 0) {
    errno = reserved;
    return Failed();
  }
  if (!CopyIntoFormer(size) || ftruncate(former_fd_, size) != 0 || fsync(former_fd_) != 0) return Failed();
  if (!temp_path_.empty()) unlink(temp_path_.c_str());
  ForgetPendingTemporaryFile();
  return true;
}

bool OutputFile::CopyIntoFormer(off_t size) {
  uint8_t buffer[65536];
  for (off_t at = 0; at < size;) {
    const ssize_t got = pread(fd_, buffer, sizeof buffer, at);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      if (got == 0) errno = EIO;
      return false;
    }
    if (lseek(former_fd_, at, SEEK_SET) != at || !WriteAll(former_fd_, buffer, static_cast<size_t>(got))) return false;
    at += got;
  }
  return true;
}

// In a sticky directory another user's file may be written but not replaced.
bool OutputFile::PutInPlace() {
  // close reports write errors the file system held back.
  const int closed = close(fd_);
  fd_ = -1;
  if (closed != 0) return Failed();
  if (rename(temp_path_.c_str(), target_.c_str()) == 0) {
    if (sync_) SyncDirectoryOf(target_);
    return true;
  }
  if ((errno != EPERM && errno != EACCES) || former_fd_ < 0) return Failed();
  fd_ = open(temp_path_.c_str(), O_RDONLY | O_CLOEXEC);
  return (fd_ >= 0 || Failed()) && OverwriteFormer();
}

// A link is followed to the file it points to, which is replaced, not the
// link; a link that leads nowhere is refused rather than replaced.
bool ResolveOutputTarget(const std::string& path, std::string& target, std::string& reason) {
  target = path;
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return true;
    reason = ErrorText(errno);
    return false;
  }
  if (S_ISLNK(info.st_mode)) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved) {
      reason = errno == ENOENT ? kDanglingLinkReason : ErrorText(errno);
      return false;
    }
    target = resolved;
    std::free(resolved);
    if (stat(target.c_str(), &info) != 0) {
      reason = ErrorText(errno);
      return false;
    }
  }
  if (S_ISDIR(info.st_mode))
    reason = ErrorText(EISDIR);
  else if (!S_ISREG(info.st_mode))
    reason = kNotRegularReason;
  return reason.empty();
}

std::string WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  OutputFile file(path);
  if (file.Open() && file.Write(bytes.data(), bytes.size()) && file.Commit()) return std::string();
  return file.Error();
}

bool WriteAll(int fd, const uint8_t* data, size_t length) {
  while (length > 0) {
    const ssize_t put = WriteCall(fd, data, length);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      if (put == 0) errno = EIO;
      return false;
    }
    data += put;
    length -= static_cast<size_t>(put);
  }
  return true;
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
    case ELOOP:
      return "Verknüpfungen im Kreis";
    case ENAMETOOLONG:
      return "Name zu lang";
    default:
      return std::strerror(error);
  }
}
