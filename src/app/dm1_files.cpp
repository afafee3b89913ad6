// File commands of the session: saving the tables as binary table files and
// as C or Pascal declarations, and loading table files with recognition.
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "app/dm1unit.h"
#include "files/declaration.h"
#include "files/formats.h"
#include "files/recognize.h"
#include "ui/teunit1.h"

namespace {


// "EXPORT" or "IMPORT": which table of the pair a message is about.
QString TableWord(const TDM1& session, const TCodeTab& table) {
  return &table == session.ExportTable ? QStringLiteral("EXPORT") : QStringLiteral("IMPORT");
}

QString NotSaved(const QString& word) { return word + QStringLiteral("-Tabelle nicht gespeichert!"); }

const QString PairNotSaved = QStringLiteral("EXPORT-IMPORT-QAVO-WINDOWS-Tabelle nicht gespeichert!");

void ReportNotWritten(TPrompter& prompter, const QString& fileName, const QString& notSaved) {
  prompter.Information(QStringLiteral("Datei: ") + fileName + QStringLiteral("\nkonnte nicht geschrieben werden!\n") +
                       notSaved);
}

void WarnIfIncomplete(TPrompter& prompter, const QString& word, const TCodeTab& table) {
  if (table.CountAssigned() == 256) return;
  prompter.Information(word + QString::fromUtf8(
                                  "-Tabelle unvollständig oder leer!\nNicht zugeordnete Zeichen bleiben 1:1."));
}

void SetSaveDialog(TFileDialogSettings& dialog, const QString& title, const QString& defaultExt,
                   const QString& fileName, bool overwritePrompt) {
  dialog.Title = title;
  dialog.DefaultExt = defaultExt;
  dialog.FileName = fileName;
  dialog.OverwritePrompt = overwritePrompt;
}

// The file is replaced only once all of it is written: a failed write leaves
// a former file of that name as it was. commit() alone would miss a failure
// of the last buffered write, hence the flush.
bool WriteWholeFile(const QString& fileName, const std::vector<uint8_t>& bytes) {
  QSaveFile file(fileName);
  const qint64 size = static_cast<qint64>(bytes.size());
  return file.open(QIODevice::WriteOnly) && file.write(reinterpret_cast<const char*>(bytes.data()), size) == size &&
         file.flush() && file.commit();
}

// Only a plain file can be read whole: opening a pipe waits for a writer
// that never comes, and a device may never end.
bool IsPlainFile(const QString& fileName) { return QFileInfo(fileName).isFile(); }

bool ReadWholeFile(const QString& fileName, QByteArray& content) {
  QFile file(fileName);
  if (!IsPlainFile(fileName) || !file.open(QIODevice::ReadOnly)) return false;
  content = file.readAll();
  return file.error() == QFileDevice::NoError;
}

// Appends one declaration after asking about an incomplete table; false when
// nothing was appended.
bool AppendDeclaration(TPrompter& prompter, QIODevice& file, const TCodeTab& table, const std::string& text) {
  if (!file.isOpen() || !file.isWritable()) return false;
  if (table.CountAssigned() != 256 &&
      !prompter.Confirm(QStringLiteral("Tabelle: ") + HeaderText(table) +
                        QString::fromUtf8("\nist unvollständig!\nNicht zugeordnete Zeichen werden 1:1 übersetzt!")))
    return false;
  const qint64 size = static_cast<qint64>(text.size());
  return file.write(text.data(), size) == size;
}

}  // namespace

bool TDM1::WriteTableFile(int format, const TCodeTab& table, const QString& fileName) {
  std::vector<uint8_t> bytes;
  const bool isExport = &table == ExportTable;
  switch (format) {
    case 0:
      bytes = UnixImage(table);
      break;
    case 1:
      if (!table.Partner) return false;
      bytes = V3Image(table, *table.Partner);
      break;
    case 2:
      if (!table.Partner)
        bytes = V5Image(table, isExport ? Export : Import);
      else if (isExport)
        bytes = V5PairImage(table, *table.Partner);
      else
        bytes = V5PairImage(*table.Partner, table);
      break;
    default:
      return false;
  }
  return WriteWholeFile(fileName, bytes);
}

void TDM1::SaveUnixTable(const TCodeTab& table, const QString& word, const QString& proposedName) {
  if (!table.Partner && !table.Active) return;
  WarnIfIncomplete(Prompter(), word, table);
  SetSaveDialog(SaveDialog1, QStringLiteral("Tabelle speichern im 'UNIX-Format' ( ") + HeaderText(table) + ")",
                "tab", proposedName, true);
  if (!Prompter().SaveFile(SaveDialog1)) {
    Prompter().Information(NotSaved(word));
    return;
  }
  if (!WriteTableFile(0, table, SaveDialog1.FileName))
    ReportNotWritten(Prompter(), SaveDialog1.FileName, NotSaved(word));
}

void TDM1::SpeichernUnixExecute() {
  SaveDialog1.Filter = QStringLiteral("QAVO Codetabelle (*.tab)|*.tab|Alle (*.*)|*.*");
  SaveUnixTable(*ExportTable, QStringLiteral("EXPORT"), QStringLiteral("CTUExport"));
  SaveUnixTable(*ImportTable, QStringLiteral("IMPORT"), QStringLiteral("CTUImport"));
}

void TDM1::SpeichernWindowsQavo3Execute() {
  SaveDialog1.Filter = QStringLiteral("QAVO Codetabelle (*.atb)|*.tab|Alle (*.*)|*.*");
  if (!ExportTable->Partner) {
    Prompter().Information(QStringLiteral("Bitte Tabellen verbinden oder UNIX speichern!"));
    return;
  }
  WarnIfIncomplete(Prompter(), QStringLiteral("EXPORT"), *ExportTable);
  WarnIfIncomplete(Prompter(), QStringLiteral("IMPORT"), *ImportTable);
  SetSaveDialog(SaveDialog1,
                QStringLiteral("Tabelle speichern im 'QAVO-WINDOWS-Format' ( ") + HeaderText(*ImportTable) + ")",
                "tab", QStringLiteral("CTWX2X"), true);
  if (!Prompter().SaveFile(SaveDialog1)) {
    Prompter().Information(PairNotSaved);
    return;
  }
  if (!WriteTableFile(1, *ImportTable, SaveDialog1.FileName))
    ReportNotWritten(Prompter(), SaveDialog1.FileName, PairNotSaved);
}

void TDM1::SpeichernWindowsQavo5Execute() {
  SaveDialog1.Filter = QStringLiteral("QAVO5 Codetabelle (*.qct)|*.qct|Alle (*.*)|*.*");
  WarnIfIncomplete(Prompter(), QStringLiteral("EXPORT"), *ExportTable);
  WarnIfIncomplete(Prompter(), QStringLiteral("IMPORT"), *ImportTable);
  const TCodeTab* table = nullptr;
  if (ExportTable->Partner) {
    table = ExportTable;
    SetSaveDialog(SaveDialog1,
                  QStringLiteral("Tabelle gemeinsam speichern im 'QAVO-WINDOWS-Format' ( ") +
                      HeaderText(*ExportTable) + ")",
                  "qct", QStringLiteral("CTQX2X"), true);
  } else if (ExportTable->Active || ImportTable->Active) {
    table = ExportTable->Active ? ExportTable : ImportTable;
    SetSaveDialog(SaveDialog1, QStringLiteral("Tabelle speichern im 'QAVO-UNIX-Format' ( ") + HeaderText(*table) + ")",
                  "tab", QStringLiteral("CTQ") + (table == ExportTable ? "Export" : "Import"), true);
  } else {
    return;
  }
  if (!Prompter().SaveFile(SaveDialog1)) return;
  if (!WriteTableFile(2, *table, SaveDialog1.FileName))
    ReportNotWritten(Prompter(), SaveDialog1.FileName,
                     table->Partner ? PairNotSaved : NotSaved(TableWord(*this, *table)));
}

bool TDM1::WriteCDeclaration(QIODevice& file, const TCodeTab& table) {
  return AppendDeclaration(Prompter(), file, table, CDeclaration(table));
}

bool TDM1::WritePascalDeclaration(QIODevice& file, const TCodeTab& table) {
  return AppendDeclaration(Prompter(), file, table, PascalDeclaration(table));
}

// The old content and the new declarations go to a new file that replaces
// the old one only when all of it is written, so a failed append leaves the
// file as it was.
void TDM1::SaveDeclarations(const QString& filter, const QString& defaultExt, const QString& title,
                            bool (TDM1::*write)(QIODevice&, const TCodeTab&)) {
  SaveDialog1.Filter = filter;
  SetSaveDialog(SaveDialog1, title, defaultExt, QString(), false);
  if (!Prompter().SaveFile(SaveDialog1)) return;
  const QString fileName = SaveDialog1.FileName;
  const QString exportWord = QStringLiteral("EXPORT");
  const QString importWord = QStringLiteral("IMPORT");

  const bool exists = QFileInfo::exists(fileName);
  if (exists && !Prompter().Confirm(QStringLiteral("Datei: ") + fileName +
                                    QString::fromUtf8("ist vorhanden!\nNeue Deklaration wird angehängt")))
    return;
  QByteArray oldContent;
  QSaveFile file(fileName);
  if ((exists && !ReadWholeFile(fileName, oldContent)) || !file.open(QIODevice::WriteOnly) ||
      file.write(oldContent) != oldContent.size()) {
    ReportNotWritten(Prompter(), fileName, NotSaved(exportWord));
    ReportNotWritten(Prompter(), fileName, NotSaved(importWord));
    return;
  }

  const bool exportWritten = (this->*write)(file, *ExportTable);
  if (!exportWritten) Prompter().Information(NotSaved(exportWord));
  const bool importWritten = (this->*write)(file, *ImportTable);
  if (!importWritten) Prompter().Information(NotSaved(importWord));
  // Without a commit the new file is dropped and the old one stays.
  if (!exportWritten && !importWritten) return;
  if (file.flush() && file.commit()) return;
  if (exportWritten) ReportNotWritten(Prompter(), fileName, NotSaved(exportWord));
  if (importWritten) ReportNotWritten(Prompter(), fileName, NotSaved(importWord));
}

void TDM1::SpeichernCHeaderExecute() {
  SaveDeclarations(QStringLiteral("C Header (*.h)|*.h|Alle (*.*)|*.*"), QStringLiteral("h"),
                   QStringLiteral("C - Header Datei"), &TDM1::WriteCDeclaration);
}

void TDM1::SpeichernPascalExecute() {
  SaveDeclarations(QStringLiteral("Pascal (Delphi) Header (*.hpp)|*.hpp|Alle (*.*)|*.*"), QStringLiteral("hpp"),
                   QStringLiteral("Pascal (Delphi) - Header Datei"), &TDM1::WritePascalDeclaration);
}

bool TDM1::ReadTableFile(std::vector<uint8_t>& buffer) {
  return ReadTableFile(QStringLiteral("QAVO Codetabelle laden"), buffer);
}

bool TDM1::ReadTableFile(const QString& title, std::vector<uint8_t>& buffer) {
  buffer.clear();
  OpenDialog1.Title = title;
  if (!Prompter().OpenFile(OpenDialog1)) return false;
  QFile file(OpenDialog1.FileName);
  if (IsPlainFile(OpenDialog1.FileName) && file.open(QIODevice::ReadOnly)) {
    const qint64 length = file.size();
    if (!LengthAccepted(static_cast<size_t>(length))) {
      Prompter().Message(QString::fromStdString(LengthRefusal(static_cast<size_t>(length))));
      return false;
    }
    buffer.resize(static_cast<size_t>(length));
    if (file.read(reinterpret_cast<char*>(buffer.data()), length) == length) return true;
  }
  buffer.clear();
  Prompter().FileError(QStringLiteral("Can't perform one of the following file operations: Open, Seek, Read, Close."));
  return false;
}

void TDM1::LoadTableFileExecute() {
  std::vector<uint8_t> buffer;
  if (!ReadTableFile(buffer)) return;
  LoadTableImage(buffer.data(), static_cast<int>(buffer.size()), -1, OpenDialog1.FileName);
}

void TDM1::LoadExportExecute() {
  std::vector<uint8_t> buffer;
  if (ReadTableFile(buffer) && buffer.size() == TableImageSize)
    LoadTableImage(buffer.data(), static_cast<int>(buffer.size()), Export, OpenDialog1.FileName);
}

void TDM1::LoadImportExecute() {
  std::vector<uint8_t> buffer;
  if (ReadTableFile(buffer) && buffer.size() == TableImageSize)
    LoadTableImage(buffer.data(), static_cast<int>(buffer.size()), Import, OpenDialog1.FileName);
}

void TDM1::LoadTableImage(const uint8_t* bytes, int length, int kind, const QString& name) {
  if (bytes == nullptr || length < 0) return;
  const TLoadPlan plan =
      RecognizeTableImage(bytes, static_cast<size_t>(length), kind, name.toLatin1().toStdString());
  for (const TLoadStep& step : plan.Steps) {
    if (step.Table == Export)
      LoadExportImage(step.Entries, step.Name);
    else if (step.Table == Import)
      LoadImportImage(step.Entries, step.Name);
    else
      Prompter().Message(QString::fromStdString(step.Message));
  }
}

void TDM1::LoadExportImage(const TEntry (&entries)[256], const std::string& name) {
  LoadImage(*ExportTable, Export, entries, name);
}

void TDM1::LoadImportImage(const TEntry (&entries)[256], const std::string& name) {
  LoadImage(*ImportTable, Import, entries, name);
}

void TDM1::LoadImage(TCodeTab& table, TableKind kind, const TEntry (&entries)[256], const std::string& name) {
  // The active table of a chained pair would mirror the load into its partner.
  TCodeTab* partner = nullptr;
  if (table.Partner && table.Active) {
    partner = table.Partner;
    table.Link(nullptr);
  }
  table.LoadEntries(entries);
  if (partner) table.Link(partner);
  SetTableFont(table, DisplayFont);
  table.BuildHeader(kind, name.c_str());
  if (Qctecp) Qctecp->RefreshViews();
}
