// ICU mapping tables (.ucm): "&Datei -> &Speichern" writes the chained pair
// as one, "&Tabelle laden -> &Aus Datei" reads one into the pair.
#include <QFile>
#include <QFileInfo>

#include "app/session.h"
#include "files/ucm.h"

namespace {

// A single-byte .ucm is some ten kilobytes; a larger file is no such table.
constexpr qint64 LargestUcm = 4 * 1024 * 1024;

const QString UcmFilter = QString::fromUtf8("ICU-Zeichensatztabelle (*.ucm)|*.ucm|Alle (*.*)|*.*");

QString FileMessage(const QString& fileName, const char* what) {
  return QStringLiteral("Datei: ") + fileName + "\n" + QString::fromUtf8(what);
}

}  // namespace

void Session::SaveUcmFile() {
  SavePairAs(QStringLiteral("ICU-Zeichensatztabelle"), QStringLiteral("ICU-Tabelle"), UcmFilter, QStringLiteral("ucm"),
             QStringLiteral("CTX2X"), TableFormat::kUcm);
}

void Session::LoadUcmFile() {
  FileDialogSettings dialog = OpenDialog;
  dialog.Title = QStringLiteral("ICU-Zeichensatztabelle laden");
  dialog.Filter = UcmFilter;
  dialog.FilterIndex = 1;
  // The last table file is of another kind: nothing is proposed.
  dialog.FileName.clear();
  dialog.Folder = lastFolder_;
  if (!Prompt().OpenFile(dialog)) return;
  const QString& fileName = dialog.FileName;
  // A pipe or a device might never end; only a plain file is read.
  const QFileInfo info(fileName);
  QFile file(fileName);
  if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
    Prompt().Message(FileMessage(fileName, "kann nicht gelesen werden!"));
    return;
  }
  if (info.size() > LargestUcm) {
    Prompt().Message(FileMessage(fileName, "ist zu groß für eine ICU-Zeichensatztabelle!"));
    return;
  }
  const QByteArray content = file.read(LargestUcm);
  lastFolder_ = info.absolutePath();
  UcmPair pair;
  const std::string refusal = ReadUcm(content.toStdString(), WorkstationCharset(), pair);
  if (!refusal.empty()) {
    Prompt().Message(FileMessage(fileName, "") + QString::fromStdString(refusal));
    return;
  }
  const std::string name = (pair.Name.empty() ? fileName : QString::fromStdString(pair.Name)).toLatin1().toStdString();
  ChangeTables(QFileInfo(fileName).fileName() + " laden", [&] {
    LoadImage(TableKind::kExport, pair.Export, name);
    LoadImage(TableKind::kImport, pair.Import, name);
    ChainTablesAction->setChecked(true);
    Chain(true);
  });
  if (pair.LeftOut.empty()) return;
  QStringList leftOut;
  for (const std::string& character : LeftOutToShow(pair.LeftOut)) leftOut << QString::fromStdString(character);
  Prompt().Information(QString::fromUtf8("Nicht in der Codepage der Arbeitsstation, bleiben unzugeordnet:\n") +
                       leftOut.join("\n"));
}
