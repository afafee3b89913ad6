// Comparing the active table with the DIN preset or with the table of the
// same direction in a table file, or the pair with a code page as iconv and
// ICU build it; the differences go to a list window and are marked in the
// grids while it is open.
#include <QFileInfo>

#include "app/session.h"
#include "files/compare.h"
#include "files/recognize.h"
#include "model/presets.h"

// The table the user works in. Neither is active before an editor or a
// grid has been entered; the EXPORT table is then taken, as the editor that
// holds the focus at start is the EXPORT one.
CodeTable& Session::ComparedTable() const {
  return ImportTable->IsActive() && !ExportTable->IsActive() ? *ImportTable : *ExportTable;
}

void Session::CompareWithDin() {
  const CodeTable& table = ComparedTable();
  TableEntry din[256];
  EntriesOf(&table == ExportTable ? kDinPreset.Export : kDinPreset.Import, din);
  ShowDifferences(table, din, QStringLiteral("DIN"));
}

void Session::CompareWithTableFile() {
  std::vector<uint8_t> buffer;
  if (!ReadTableFile(QStringLiteral("QAVO Codetabelle vergleichen"), buffer)) return;
  const QString file_name = OpenDialog.FileName;
  const CodeTable& table = ComparedTable();
  const TableKind kind = &table == ExportTable ? TableKind::kExport : TableKind::kImport;
  // Recognised as a load would be, and refused with the same messages; the
  // session's tables are not touched.
  const LoadPlan plan = RecognizeTableImage(buffer.data(), buffer.size(), TableKind::kUnknown, std::string());
  const LoadStep* match = nullptr;
  bool refused = false;
  for (const LoadStep& step : plan.Steps) {
    if (!step.Loads()) {
      Prompt().Message(LoadRefusal(step.Message, file_name, buffer.size()));
      refused = true;
    } else if (step.Table == kind && !match) {
      match = &step;
    }
  }
  if (!match) {
    if (!refused)
      Prompt().Message(QStringLiteral("Datei: ") + file_name + QString::fromUtf8("\nenthält keine ") + TableName(kind) +
                       QStringLiteral("-Tabelle!"));
    return;
  }
  ShowDifferences(table, match->Entries, QFileInfo(file_name).fileName());
}

void Session::ShowDifferences(const CodeTable& table, const TableEntry (&other)[256], const QString& other_name) {
  const std::vector<Difference> differences = CompareTables(table, other);
  std::bitset<256> marks;
  for (const Difference& difference : differences) marks.set(difference.Position);
  SetComparisonMarks(&table == ExportTable ? marks : std::bitset<256>(),
                     &table == ImportTable ? marks : std::bitset<256>());
  emit DifferencesFound(&table == ExportTable ? TableKind::kExport : TableKind::kImport, other_name, differences);
  if (differences.empty()) Prompt().Information(QStringLiteral("Keine Unterschiede"));
}

PairTargets Session::CurrentTargets() const { return TargetsOf(ExportTable->Entries(), ImportTable->Entries()); }

void Session::CompareWithCodePage() {
  // Compared with the character set chosen; the setting stays, as nothing is loaded.
  Workstation workstation;
  if (!ChooseCodePage(ComparablePages(), QString::fromUtf8("Weder iconv noch ICU kennen eine EBCDIC-Codepage."),
                      workstation))
    return;
  PageComparison comparison;
  if (!ComparePairWithPage(CurrentTargets(), CodePageDialogChoice.CodePage, workstation, CodePageDialogChoice.SwapNl,
                           comparison)) {
    Prompt().Message(QStringLiteral("Codepage %1 kennen weder iconv noch ICU.").arg(CodePageDialogChoice.CodePage));
    return;
  }
  std::bitset<256> export_marks;
  std::bitset<256> import_marks;
  for (const PageDifference& difference : comparison.Differences)
    (difference.Kind == TableKind::kExport ? export_marks : import_marks).set(difference.Position);
  SetComparisonMarks(export_marks, import_marks);
  emit PageCompared(comparison);
  if (comparison.Differences.empty()) Prompt().Information(QStringLiteral("Keine Unterschiede"));
}

void Session::IdentifyNearestPages() {
  QString text = QString::fromUtf8("Nächste Codepages zum Paar (Arbeitsplatz %1):")
                     .arg(QString::fromUtf8(WorkstationLabel(WorkstationCharset())));
  for (const std::string& line : IdentifyReport(CurrentTargets(), WorkstationCharset()))
    text += "\n" + QString::fromStdString(line);
  Prompt().Message(text);
}

bool Session::ComparisonMarked(const CodeTable& table, int position) const {
  return (&table == ExportTable ? export_marks_ : import_marks_).test(position & 0xFF);
}

void Session::EndComparison() { SetComparisonMarks({}, {}); }

void Session::SetComparisonMarks(const std::bitset<256>& export_marks, const std::bitset<256>& import_marks) {
  if (export_marks == export_marks_ && import_marks == import_marks_) return;
  export_marks_ = export_marks;
  import_marks_ = import_marks;
  emit ComparisonMarksChanged();
}
