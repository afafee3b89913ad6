// File commands of the session: saving the tables as binary table files and
// as C or Pascal declarations, and loading table files with recognition.
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "app/droppedfile.h"
#include "app/session.h"
#include "fileio/outputfile.h"
#include "fileio/tablefilereader.h"
#include "files/formats.h"
#include "files/recognize.h"
#include "files/tableformat.h"

namespace {

QString NotSaved(TableKind kind) { return TableName(kind) + QStringLiteral("-Tabelle nicht gespeichert!"); }

const QString kPairNotSaved = QStringLiteral("EXPORT-IMPORT-QAVO-WINDOWS-Tabelle nicht gespeichert!");

void ReportNotWritten(Prompter& prompter, const QString& file_name, const QString& reason, const QString& not_saved) {
  prompter.Information(QStringLiteral("Datei: ") + file_name + QStringLiteral("\nkonnte nicht geschrieben werden (") +
                       reason + QStringLiteral(")!\n") + not_saved);
}

// Says what the format makes of the table's unassigned characters.
void WarnIfIncomplete(Prompter& prompter, TableKind kind, const CodeTable& table, TableFormat format) {
  if (table.CountAssigned() == 256) return;
  prompter.Information(TableName(kind) + QString::fromUtf8("-Tabelle unvollständig oder leer!\n") +
                       (WritesGapsOneToOne(format)
                            ? QStringLiteral("Nicht zugeordnete Zeichen bleiben 1:1.")
                            : QStringLiteral("Nicht zugeordnete Zeichen bleiben unzugeordnet.")));
}

void SetSaveDialog(FileDialogSettings& dialog, const QString& title, const QString& default_ext,
                   const QString& file_name, bool overwrite_prompt) {
  dialog.Title = title;
  dialog.DefaultExt = default_ext;
  dialog.FileName = file_name;
  dialog.OverwritePrompt = overwrite_prompt;
}

// A refused file's name, on a line of its own.
QString FileLine(const QString& file_name) {
  return file_name.isEmpty() ? QString() : QStringLiteral("\nDatei: ") + file_name;
}

bool IsTableLength(size_t length) {
  return length == kTableImageSize || length == kV3ImageSize || length == kV5ImageSize || length == kV5PairImageSize;
}

// The name as the system spells it.
std::string LocalPath(const QString& file_name) { return QFile::encodeName(file_name).toStdString(); }

}  // namespace

// Replaced only once all of it is written; a pipe, a device or a folder
// of that name is refused.
QString Session::WriteFile(const QString& file_name, const std::vector<uint8_t>& bytes) {
  OutputFile file(LocalPath(file_name));
  if (file.Open() && file.Write(bytes.data(), bytes.size()) && file.Commit()) return QString();
  return QString::fromStdString(file.Reason());
}

QString LoadRefusal(const std::string& message, const QString& file_name, size_t length) {
  QString text = QString::fromStdString(message) + FileLine(file_name);
  if (!IsTableLength(length)) text += QStringLiteral("\nTabellendateien haben 256, 512, 1088 oder 2176 Bytes.");
  return text;
}

FormatTables Session::OneTable(const CodeTable& table) const {
  return KindOf(table) == TableKind::kExport ? FormatTables{&table, nullptr} : FormatTables{nullptr, &table};
}

QString Session::WriteTables(TableFormat format, const FormatTables& tables, const QString& file_name) const {
  return WriteFile(file_name, FormatBytes(format, tables, WorkstationCharset()));
}

void Session::SaveUnixTable(const CodeTable& table, const QString& proposed_name) {
  const TableKind kind = KindOf(table);
  if (!table.Partner() && !table.IsActive()) return;
  WarnIfIncomplete(Prompt(), kind, table, TableFormat::kUnix);
  SetSaveDialog(SaveDialog, QStringLiteral("Tabelle speichern im 'UNIX-Format' ( ") + HeaderText(table) + ")", "tab",
                proposed_name, true);
  SaveDialog.Folder = last_folder_;
  if (!Prompt().SaveFile(SaveDialog)) {
    Prompt().Information(NotSaved(kind));
    return;
  }
  const QString reason = WriteTables(TableFormat::kUnix, OneTable(table), SaveDialog.FileName);
  if (reason.isEmpty())
    TableSaved(kind, SaveDialog.FileName);
  else
    ReportNotWritten(Prompt(), SaveDialog.FileName, reason, NotSaved(kind));
}

void Session::SaveUnixFiles() {
  SaveDialog.Filter = QStringLiteral("QAVO Codetabelle (*.tab)|*.tab|Alle (*.*)|*.*");
  SaveUnixTable(*ExportTable, QStringLiteral("CTUExport"));
  SaveUnixTable(*ImportTable, QStringLiteral("CTUImport"));
}

void Session::SaveV3File() {
  SaveDialog.Filter = QStringLiteral("QAVO Codetabelle (*.atb)|*.tab|Alle (*.*)|*.*");
  if (!ExportTable->Partner()) {
    Prompt().Information(QStringLiteral("Bitte Tabellen verbinden oder UNIX speichern!"));
    return;
  }
  WarnIfIncomplete(Prompt(), TableKind::kExport, *ExportTable, TableFormat::kV3);
  WarnIfIncomplete(Prompt(), TableKind::kImport, *ImportTable, TableFormat::kV3);
  SetSaveDialog(SaveDialog,
                QStringLiteral("Tabelle speichern im 'QAVO-WINDOWS-Format' ( ") + HeaderText(*ImportTable) + ")", "tab",
                QStringLiteral("CTWX2X"), true);
  SaveDialog.Folder = last_folder_;
  if (!Prompt().SaveFile(SaveDialog)) {
    Prompt().Information(kPairNotSaved);
    return;
  }
  const QString reason = WriteTables(TableFormat::kV3, {ExportTable, ImportTable}, SaveDialog.FileName);
  if (!reason.isEmpty()) {
    ReportNotWritten(Prompt(), SaveDialog.FileName, reason, kPairNotSaved);
    return;
  }
  TableSaved(TableKind::kExport, SaveDialog.FileName);
  TableSaved(TableKind::kImport, SaveDialog.FileName);
}

void Session::SaveV5File() {
  SaveDialog.Filter = QStringLiteral("QAVO5 Codetabelle (*.qct)|*.qct|Alle (*.*)|*.*");
  WarnIfIncomplete(Prompt(), TableKind::kExport, *ExportTable, TableFormat::kV5);
  WarnIfIncomplete(Prompt(), TableKind::kImport, *ImportTable, TableFormat::kV5);
  const CodeTable* table = nullptr;
  if (ExportTable->Partner()) {
    table = ExportTable;
    SetSaveDialog(
        SaveDialog,
        QStringLiteral("Tabelle gemeinsam speichern im 'QAVO-WINDOWS-Format' ( ") + HeaderText(*ExportTable) + ")",
        "qct", QStringLiteral("CTQX2X"), true);
  } else if (ExportTable->IsActive() || ImportTable->IsActive()) {
    table = ExportTable->IsActive() ? ExportTable : ImportTable;
    SetSaveDialog(SaveDialog, QStringLiteral("Tabelle speichern im 'QAVO-UNIX-Format' ( ") + HeaderText(*table) + ")",
                  "tab", QStringLiteral("CTQ") + (table == ExportTable ? "Export" : "Import"), true);
  } else {
    return;
  }
  SaveDialog.Folder = last_folder_;
  if (!Prompt().SaveFile(SaveDialog)) return;
  const TableKind kind = table == ExportTable ? TableKind::kExport : TableKind::kImport;
  const QString reason =
      WriteTables(TableFormat::kV5, table->Partner() ? FormatTables{ExportTable, ImportTable} : OneTable(*table),
                  SaveDialog.FileName);
  if (!reason.isEmpty()) {
    ReportNotWritten(Prompt(), SaveDialog.FileName, reason, table->Partner() ? kPairNotSaved : NotSaved(kind));
    return;
  }
  TableSaved(kind, SaveDialog.FileName);
  if (table->Partner())
    TableSaved(kind == TableKind::kExport ? TableKind::kImport : TableKind::kExport, SaveDialog.FileName);
}

// Adds one declaration to bytes after asking about an incomplete table;
// false when it was not added.
bool Session::AppendDeclaration(std::vector<uint8_t>& bytes, const CodeTable& table, TableFormat language) {
  if (table.CountAssigned() != 256 &&
      !Prompt().Confirm(QStringLiteral("Tabelle: ") + HeaderText(table) +
                        QString::fromUtf8("\nist unvollständig!\nNicht zugeordnete Zeichen werden 1:1 übersetzt!")))
    return false;
  const std::vector<uint8_t> declaration = FormatBytes(language, OneTable(table), WorkstationCharset());
  bytes.insert(bytes.end(), declaration.begin(), declaration.end());
  return true;
}

// The old content and the new declarations go to a new file that replaces
// the old one only when all of it is written, so a failed append leaves the
// file as it was. The old content is copied after the questions, so that
// what another program adds meanwhile stays.
void Session::SaveDeclarations(const QString& filter, const QString& default_ext, const QString& title,
                               TableFormat language) {
  SaveDialog.Filter = filter;
  SetSaveDialog(SaveDialog, title, default_ext, QString(), false);
  SaveDialog.Folder = last_folder_;
  if (!Prompt().SaveFile(SaveDialog)) return;
  const QString file_name = SaveDialog.FileName;

  const bool exists = QFileInfo::exists(file_name);
  if (exists && !Prompt().Confirm(QStringLiteral("Datei: ") + file_name +
                                  QString::fromUtf8(" ist vorhanden!\nNeue Deklaration wird angehängt")))
    return;
  OutputFile file(LocalPath(file_name), OutputFile::kWithFormerContent);
  const auto reason = [&] { return QString::fromStdString(file.Reason()); };
  if (!file.Open()) {
    ReportNotWritten(Prompt(), file_name, reason(), NotSaved(TableKind::kExport));
    ReportNotWritten(Prompt(), file_name, reason(), NotSaved(TableKind::kImport));
    return;
  }

  std::vector<uint8_t> bytes;
  const bool export_written = AppendDeclaration(bytes, *ExportTable, language);
  if (!export_written) Prompt().Information(NotSaved(TableKind::kExport));
  const bool import_written = AppendDeclaration(bytes, *ImportTable, language);
  if (!import_written) Prompt().Information(NotSaved(TableKind::kImport));
  // Without a commit the new file is dropped and the old one stays.
  if (!export_written && !import_written) return;
  if (file.Write(bytes.data(), bytes.size()) && file.Commit()) {
    last_folder_ = QFileInfo(file_name).absolutePath();
    return;
  }
  if (export_written) ReportNotWritten(Prompt(), file_name, reason(), NotSaved(TableKind::kExport));
  if (import_written) ReportNotWritten(Prompt(), file_name, reason(), NotSaved(TableKind::kImport));
}

void Session::AppendCDeclarations() {
  SaveDeclarations(QStringLiteral("C Header (*.h)|*.h|Alle (*.*)|*.*"), QStringLiteral("h"),
                   QStringLiteral("C - Header Datei"), TableFormat::kC);
}

void Session::AppendPascalDeclarations() {
  SaveDeclarations(QStringLiteral("Pascal (Delphi) Header (*.hpp)|*.hpp|Alle (*.*)|*.*"), QStringLiteral("hpp"),
                   QStringLiteral("Pascal (Delphi) - Header Datei"), TableFormat::kPascal);
}

bool Session::ReadTableFile(const QString& title, std::vector<uint8_t>& buffer) {
  buffer.clear();
  OpenDialog.Title = title;
  OpenDialog.Folder = last_folder_;
  return Prompt().OpenFile(OpenDialog) && ReadNamedFile(LocalPath(OpenDialog.FileName), buffer);
}

// Read bounded, and only from a regular file: a pipe would block, a device
// might never end. path is the name as the system spells it, which need not
// be UTF-8.
bool Session::ReadNamedFile(const std::string& path, std::vector<uint8_t>& buffer) {
  buffer.clear();
  size_t length = 0;
  std::string reason;
  const QString file_name = QFile::decodeName(path.c_str());
  if (ReadTableBytes(path, buffer, length, reason)) {
    if (LengthAccepted(length)) {
      last_folder_ = QFileInfo(file_name).absolutePath();
      return true;
    }
    buffer.clear();
    Prompt().Message(LoadRefusal(LengthRefusal(length), file_name, length));
    return false;
  }
  Prompt().FileError(QStringLiteral("Can't perform one of the following file operations: Open, Seek, Read, Close.") +
                     FileLine(file_name));
  return false;
}

// kUnknown recognises the file; kExport or kImport takes a 256-byte table as
// that table.
void Session::LoadFromFile(TableKind kind) {
  OpenDialog.Title = QStringLiteral("QAVO Codetabelle laden");
  OpenDialog.Folder = last_folder_;
  if (Prompt().OpenFile(OpenDialog)) LoadNamedFile(LocalPath(OpenDialog.FileName), kind);
}

// The table is named after the file as the tool names it.
void Session::LoadNamedFile(const std::string& path, TableKind kind) {
  std::vector<uint8_t> buffer;
  if (!ReadNamedFile(path, buffer)) return;
  if (kind != TableKind::kUnknown && buffer.size() != kTableImageSize) return;
  const LoadPlan plan = RecognizeTableImage(buffer.data(), buffer.size(), kind, Utf8ToLatin1(path));
  const QString file_name = QFile::decodeName(path.c_str());
  const bool loads =
      std::any_of(plan.Steps.begin(), plan.Steps.end(), [](const LoadStep& step) { return step.Loads(); });
  // A refused file changes nothing, so the views are left as they are.
  if (loads)
    ChangeTables(QFileInfo(file_name).fileName() + " laden", [&] { RunLoadPlan(plan, file_name, buffer.size()); });
  else
    RunLoadPlan(plan, file_name, buffer.size());
}

void Session::OpenFiles(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) LoadNamedFile(FullPath(path), TableKind::kUnknown);
}

void Session::OpenDrop(const QMimeData& data) {
  const DroppedFile dropped = TableFileOfDrop(data);
  if (dropped.FileName.isEmpty())
    Prompt().Message(dropped.Refusal);
  else
    LoadNamedFile(LocalPath(dropped.FileName), TableKind::kUnknown);
}

// A table saved in a format that holds it is no longer changed.
void Session::TableSaved(TableKind kind, const QString& file_name) {
  marks_.Saved(kind);
  last_folder_ = QFileInfo(file_name).absolutePath();
  emit ChangeMarksChanged();
}

void Session::LoadRecognizedFile() { LoadFromFile(TableKind::kUnknown); }

void Session::LoadExportFile() { LoadFromFile(TableKind::kExport); }

void Session::LoadImportFile() { LoadFromFile(TableKind::kImport); }

void Session::LoadTableImage(const uint8_t (&bytes)[256], const char* name) {
  RunLoadPlan(RecognizeTableImage(bytes, 256, TableKind::kUnknown, name), QString(), 256);
}

void Session::RunLoadPlan(const LoadPlan& plan, const QString& file_name, size_t length) {
  for (const LoadStep& step : plan.Steps) {
    if (step.Table == TableKind::kExport || step.Table == TableKind::kImport)
      LoadImage(step.Table, step.Entries, step.Name);
    else
      Prompt().Message(LoadRefusal(step.Message, file_name, length));
  }
}

void Session::LoadImage(TableKind kind, const TableEntry (&entries)[256], const std::string& name) {
  CodeTable& table = Table(kind);
  // The active table of a chained pair would mirror the load into its partner.
  CodeTable* partner = nullptr;
  if (table.Partner() && table.IsActive()) {
    partner = table.Partner();
    table.Link(nullptr);
  }
  table.LoadEntries(entries);
  if (partner) table.Link(partner);
  SetTableFont(table, CurrentFont);
  table.BuildHeader(kind, name.c_str());
  (kind == TableKind::kExport ? loaded_export_ : loaded_import_) = true;
}
