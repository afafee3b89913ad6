// Comparing the active table with the DIN preset or with the table of the
// same direction in a table file; the differences go to a list window.
#include <QFileInfo>

#include "app/dm1unit.h"
#include "files/compare.h"
#include "files/recognize.h"
#include "model/presets.h"
#include "ui/difflist.h"
#include "ui/teunit1.h"

namespace {

QString TableWord(TableKind kind) { return kind == Export ? QStringLiteral("EXPORT") : QStringLiteral("IMPORT"); }

void EntriesOf(const uint8_t (&bytes)[256], TEntry (&entries)[256]) {
  for (int p = 0; p < 256; ++p) entries[p] = {bytes[p], -1};
}

}  // namespace

// The table the user works in. Neither is active before an editor or a
// grid has been entered; the EXPORT table is then taken, as the editor that
// holds the focus at start is the EXPORT one.
TCodeTab& TDM1::ComparedTable() const {
  return ImportTable->Active && !ExportTable->Active ? *ImportTable : *ExportTable;
}

void TDM1::CompareDinExecute() {
  const TCodeTab& table = ComparedTable();
  TEntry din[256];
  EntriesOf(&table == ExportTable ? DinPreset.Export : DinPreset.Import, din);
  ShowDifferences(table, din, QStringLiteral("DIN"));
}

void TDM1::CompareTableExecute() {
  std::vector<uint8_t> buffer;
  if (!ReadTableFile(QStringLiteral("QAVO Codetabelle vergleichen"), buffer)) return;
  const QString fileName = OpenDialog1.FileName;
  const TCodeTab& table = ComparedTable();
  const TableKind kind = &table == ExportTable ? Export : Import;
  // Recognised as a load would be, and refused with the same messages; the
  // session's tables are not touched.
  const TLoadPlan plan = RecognizeTableImage(buffer.data(), buffer.size(), -1, std::string());
  const TLoadStep* match = nullptr;
  bool refused = false;
  for (const TLoadStep& step : plan.Steps) {
    if (!step.Loads()) {
      Prompter().Message(QString::fromStdString(step.Message));
      refused = true;
    } else if (step.Table == kind && !match) {
      match = &step;
    }
  }
  if (!match) {
    if (!refused)
      Prompter().Message(QStringLiteral("Datei: ") + fileName + QString::fromUtf8("\nenthält keine ") +
                         TableWord(kind) + QStringLiteral("-Tabelle!"));
    return;
  }
  ShowDifferences(table, match->Entries, QFileInfo(fileName).fileName());
}

void TDM1::ShowDifferences(const TCodeTab& table, const TEntry (&other)[256], const QString& otherName) {
  const std::vector<TDifference> differences = CompareTables(table, other);
  if (differences.empty()) {
    if (DiffWindow) DiffWindow->hide();
    Prompter().Information(QStringLiteral("Keine Unterschiede"));
    return;
  }
  const bool isExport = &table == ExportTable;
  if (!DiffWindow) DiffWindow = new TDiffList(Qctecp);
  DiffWindow->OnChoose = [isExport](int position) {
    if (!Qctecp) return;
    if (isExport)
      Qctecp->SelectExportEntry(position);
    else
      Qctecp->SelectImportEntry(position);
  };
  DiffWindow->ShowDifferences(table, TableWord(isExport ? Export : Import), otherName, differences, DisplayFont,
                              OemFont != 0);
  DiffWindow->show();
  DiffWindow->raise();
}
