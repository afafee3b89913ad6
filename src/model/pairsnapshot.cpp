#include "model/pairsnapshot.h"

#include <cstring>

#include "model/tablecontent.h"

namespace {

void RestoreTable(const CodeTable& saved, CodeTable& table) {
  std::memcpy(table.Entries, saved.Entries, sizeof table.Entries);
  std::memcpy(table.CellText, saved.CellText, sizeof table.CellText);
  std::memcpy(table.HexText, saved.HexText, sizeof table.HexText);
  // The table keeps the font it has now; the header shows it.
  if (std::strcmp(table.FontName, saved.FontName) == 0) table.Font = saved.Font;
  // Set directly: BuildHeader keeps the kind it has for "unknown".
  table.Kind = saved.Kind;
  table.BuildHeader(-1, saved.Name);
  table.Partner = saved.Partner;
  table.CurrentOrdinal = saved.CurrentOrdinal;
  table.CurrentPosition = saved.CurrentPosition;
  table.Active = saved.Active;
}

bool SameTableState(const CodeTable& a, const CodeTable& b) {
  return TableContent(a) == TableContent(b) && std::strcmp(a.Name, b.Name) == 0 &&
         std::memcmp(a.Entries, b.Entries, sizeof a.Entries) == 0 &&
         std::memcmp(a.CellText, b.CellText, sizeof a.CellText) == 0 && a.Partner == b.Partner &&
         a.CurrentOrdinal == b.CurrentOrdinal && a.CurrentPosition == b.CurrentPosition && a.Active == b.Active;
}

}  // namespace

PairSnapshot::PairSnapshot(const CodeTable& exportTable, const CodeTable& importTable)
    : export_(exportTable), import_(importTable) {}

void PairSnapshot::Restore(CodeTable& exportTable, CodeTable& importTable) const {
  RestoreTable(export_, exportTable);
  RestoreTable(import_, importTable);
}

bool PairSnapshot::SameState(const PairSnapshot& other) const {
  return SameTableState(export_, other.export_) && SameTableState(import_, other.import_);
}
