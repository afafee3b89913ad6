#include "cli/ucmfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "cli/outputfile.h"
#include "files/ucm.h"

namespace {

// Up to one byte past the limit, so that a larger file is told as such.
bool ReadLimited(const std::string& path, std::string& text) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  text.clear();
  char block[65536];
  for (;;) {
    const ssize_t got = read(fd, block, sizeof block);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      const int error = errno;
      close(fd);
      errno = error;
      return got == 0;
    }
    text.append(block, static_cast<size_t>(got));
    if (text.size() > UcmFileLimit) break;
  }
  close(fd);
  return true;
}

}  // namespace

ReadResult ReadUcmFile(const std::string& path, Workstation workstation, TablePair& pair,
                       std::vector<std::string>& leftOut, std::string& error) {
  std::string text;
  if (!ReadLimited(path, text)) {
    error = path + ": kann nicht gelesen werden (" + ErrorText(errno) + ")";
    return ReadResult::Unreadable;
  }
  if (text.size() > UcmFileLimit) {
    error = path + ": zu groß für eine Zeichensatztabelle (mehr als 4 MiB)";
    return ReadResult::Refused;
  }
  UcmPair read;
  const std::string refusal = ReadUcm(text, workstation, read);
  if (!refusal.empty()) {
    error = path + ": " + OneLine(refusal);
    return ReadResult::Refused;
  }
  const std::string name = Utf8ToLatin1(read.Name.empty() ? path : read.Name);
  pair.Load(Export, read.Export, name);
  pair.Load(Import, read.Import, name);
  leftOut = read.LeftOut;
  return ReadResult::Loaded;
}
