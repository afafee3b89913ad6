// ICU mapping tables (.ucm): "&Datei -> &Speichern" writes the chained pair
// as one, "&Tabelle laden -> &Aus Datei" reads one into the pair.
#include <QFile>
#include <QFileInfo>

#include "app/session.h"
#include "files/ucm.h"

namespace {

// A single-byte .ucm is some ten kilobytes; a larger file is no such table.
constexpr qint64 kLargestUcm = 4 * 1024 * 1024;

const QString kUcmFilter = QString::fromUtf8("ICU-Zeichensatztabelle (*.ucm)|*.ucm|Alle (*.*)|*.*");

QString FileMessage(const QString& file_name, const char* what) {
  return QStringLiteral("Datei: ") + file_name + "\n" + QString::fromUtf8(what);
}

}  // namespace

void Session::SaveUcmFile() {
  SavePairAs(QStringLiteral("ICU-Zeichensatztabelle"), QStringLiteral("ICU-Tabelle"), kUcmFilter, QStringLiteral("ucm"),
             QStringLiteral("CTX2X"), TableFormat::kUcm);
}

void Session::LoadUcmFile() {
  FileDialogSettings dialog = OpenDialog;
  dialog.Title = QStringLiteral("ICU-Zeichensatztabelle laden");
  dialog.Filter = kUcmFilter;
  dialog.FilterIndex = 1;
  // The last table file is of another kind: nothing is proposed.
  dialog.FileName.clear();
  dialog.Folder = last_folder_;
  if (!Prompt().OpenFile(dialog)) return;
  const QString& file_name = dialog.FileName;
  // A pipe or a device might never end; only a plain file is read.
  const QFileInfo info(file_name);
  QFile file(file_name);
  if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
    Prompt().Message(FileMessage(file_name, "kann nicht gelesen werden!"));
    return;
  }
  if (info.size() > kLargestUcm) {
    Prompt().Message(FileMessage(file_name, "ist zu groß für eine ICU-Zeichensatztabelle!"));
    return;
  }
  const QByteArray content = file.read(kLargestUcm);
  last_folder_ = info.absolutePath();
  UcmPair pair;
  const std::string refusal = ReadUcm(content.toStdString(), WorkstationCharset(), pair);
  if (!refusal.empty()) {
    Prompt().Message(FileMessage(file_name, "") + QString::fromStdString(refusal));
    return;
  }
  const std::string name = (pair.Name.empty() ? file_name : QString::fromStdString(pair.Name)).toLatin1().toStdString();
  ChangeTables(QFileInfo(file_name).fileName() + " laden", [&] {
    LoadImage(TableKind::kExport, pair.Export, name);
    LoadImage(TableKind::kImport, pair.Import, name);
    ChainTablesAction->setChecked(true);
    Chain(true);
  });
  if (pair.LeftOut.empty()) return;
  QStringList left_out;
  for (const std::string& character : LeftOutToShow(pair.LeftOut)) left_out << QString::fromStdString(character);
  Prompt().Information(QString::fromUtf8("Nicht in der Codepage der Arbeitsstation, bleiben unzugeordnet:\n") +
                       left_out.join("\n"));
}
