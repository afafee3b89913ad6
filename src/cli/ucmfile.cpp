#include "cli/ucmfile.h"

#include "fileio/outputfile.h"
#include "fileio/outputpath.h"
#include "fileio/tablefilereader.h"
#include "files/recognize.h"
#include "files/ucm.h"

ReadResult ReadUcmFile(const std::string& path, Workstation workstation, TablePair& pair,
                       std::vector<std::string>& left_out, std::string& error) {
  // A pipe or a device named is refused before it is opened: it might never
  // end. Standard input is read as far as the limit.
  std::vector<uint8_t> bytes;
  size_t length = 0;
  std::string reason;
  const bool loaded = IsStandardStream(path) ? ReadStandardInput(kUcmFileLimit + 1, bytes, length, reason)
                                             : ReadRegularFile(path, kUcmFileLimit + 1, bytes, length, reason);
  if (!loaded) {
    error = path + ": kann nicht gelesen werden (" + reason + ")";
    return ReadResult::kUnreadable;
  }
  const std::string text(bytes.begin(), bytes.end());
  if (length > kUcmFileLimit) {
    error = path + ": zu groß für eine Zeichensatztabelle (mehr als 4 MiB)";
    return ReadResult::kRefused;
  }
  UcmPair read;
  const std::string refusal = ReadUcm(text, workstation, read);
  if (!refusal.empty()) {
    error = path + ": " + OneLine(refusal);
    return ReadResult::kRefused;
  }
  const std::string name = Utf8ToLatin1(read.Name.empty() ? path : read.Name);
  pair.Load(TableKind::kExport, read.Export, name);
  pair.Load(TableKind::kImport, read.Import, name);
  left_out = read.LeftOut;
  return ReadResult::kLoaded;
}
