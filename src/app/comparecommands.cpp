// Comparing the active table with the DIN preset or with the table of the
// same direction in a table file; the differences go to a list window.
#include <QFileInfo>

#include "app/session.h"
#include "files/compare.h"
#include "files/recognize.h"
#include "model/presets.h"

namespace {

void EntriesOf(const uint8_t (&bytes)[256], TableEntry (&entries)[256]) {
  for (int p = 0; p < 256; ++p) entries[p] = {bytes[p], -1};
}

}  // namespace

// The table the user works in. Neither is active before an editor or a
// grid has been entered; the EXPORT table is then taken, as the editor that
// holds the focus at start is the EXPORT one.
CodeTable& Session::ComparedTable() const {
  return ImportTable->IsActive() && !ExportTable->IsActive() ? *ImportTable : *ExportTable;
}

void Session::CompareDinExecute() {
  const CodeTable& table = ComparedTable();
  TableEntry din[256];
  EntriesOf(&table == ExportTable ? DinPreset.Export : DinPreset.Import, din);
  ShowDifferences(table, din, QStringLiteral("DIN"));
}

void Session::CompareTableExecute() {
  std::vector<uint8_t> buffer;
  if (!ReadTableFile(QStringLiteral("QAVO Codetabelle vergleichen"), buffer)) return;
  const QString fileName = OpenDialog.FileName;
  const CodeTable& table = ComparedTable();
  const TableKind kind = &table == ExportTable ? TableKind::kExport : TableKind::kImport;
  // Recognised as a load would be, and refused with the same messages; the
  // session's tables are not touched.
  const LoadPlan plan = RecognizeTableImage(buffer.data(), buffer.size(), TableKind::kUnknown, std::string());
  const LoadStep* match = nullptr;
  bool refused = false;
  for (const LoadStep& step : plan.Steps) {
    if (!step.Loads()) {
      Prompt().Message(QString::fromStdString(step.Message));
      refused = true;
    } else if (step.Table == kind && !match) {
      match = &step;
    }
  }
  if (!match) {
    if (!refused)
      Prompt().Message(QStringLiteral("Datei: ") + fileName + QString::fromUtf8("\nenthält keine ") + TableWord(kind) +
                       QStringLiteral("-Tabelle!"));
    return;
  }
  ShowDifferences(table, match->Entries, QFileInfo(fileName).fileName());
}

void Session::ShowDifferences(const CodeTable& table, const TableEntry (&other)[256], const QString& otherName) {
  const std::vector<Difference> differences = CompareTables(table, other);
  emit DifferencesFound(&table == ExportTable ? TableKind::kExport : TableKind::kImport, otherName, differences);
  if (differences.empty()) Prompt().Information(QStringLiteral("Keine Unterschiede"));
}
