#include "cli/tablefile.h"

#include <cstdint>
#include <filesystem>
#include <vector>

#include "fileio/outputpath.h"
#include "fileio/tablefilereader.h"
#include "files/formats.h"
#include "files/recognize.h"

const char kDisplayFontName[] = "Courier New";

namespace {

// Longest stretch of a refusal message kept, in characters.
constexpr size_t kMessageLimit = 100;

}  // namespace

void TablePair::Load(TableKind kind, const TableEntry (&entries)[256], const std::string& name) {
  CodeTable& table = Table(kind);
  table.LoadEntries(entries);
  table.SetFontName(kDisplayFontName);
  table.BuildHeader(kind, name.c_str());
  (kind == TableKind::kExport ? HasExport : HasImport) = true;
  if (HasExport && HasImport) ExportTable.Link(&ImportTable);
}

ReadResult ReadTableFile(const std::string& path, TableKind kind, const std::string* name, TablePair& pair,
                         std::string& error) {
  std::vector<uint8_t> data;
  size_t length = 0;
  std::string reason;
  const bool read = IsStandardStream(path) ? ReadStandardInput(kTableReadLimit, data, length, reason)
                                           : ReadTableBytes(path, data, length, reason);
  if (!read) {
    error = path + ": kann nicht gelesen werden (" + reason + ")";
    return ReadResult::kUnreadable;
  }
  if (!LengthAccepted(length)) {
    error = path + ": " + LengthRefusal(length);
    return ReadResult::kRefused;
  }
  const std::string table_name = Utf8ToLatin1(name ? *name : IsStandardStream(path) ? path : FullPath(path));
  const LoadPlan plan = RecognizeTableImage(data.data(), length, kind, table_name);
  for (const LoadStep& step : plan.Steps)
    if (!step.Loads()) {
      // The editor's hint to force the kind, in the tool's words.
      const char* hint = length == kTableImageSize ? " (--export oder --import)" : "";
      error = path + ": " + OneLine(step.Message) + hint;
      return ReadResult::kRefused;
    }
  if (plan.Steps.empty()) {
    error = path + ": Tabelle nicht erkannt (Kennbuchstabe im Kopf ist weder A noch E)";
    return ReadResult::kRefused;
  }
  for (const LoadStep& step : plan.Steps) pair.Load(step.Table, step.Entries, name ? table_name : step.Name);
  return ReadResult::kLoaded;
}

std::string OneLine(const std::string& text) {
  std::string line;
  size_t characters = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const bool starts = (c & 0xC0) != 0x80;
    if (starts && characters == kMessageLimit) return line + "...";
    if (starts) ++characters;
    if (c == '\n')
      line += ' ';
    else if (c < 0x20 || c == 0x7F)
      line += '.';
    else
      line += static_cast<char>(c);
  }
  return line;
}
