// The chained pair for other programs: "&Datei -> &Speichern" writes it as
// a Python codec module or a Java charset JAR, with the workstation code
// page of the .ucm export.
#include <QFileInfo>

#include "app/session.h"
#include "files/charsetmapping.h"

void Session::SavePairAs(const QString& what, const QString& not_saved, const QString& filter, const QString& extension,
                         const QString& proposed_name, TableFormat format) {
  if (!ExportTable->Partner()) {
    Prompt().Information(QStringLiteral("Bitte Tabellen verbinden!"));
    return;
  }
  SaveDialog.Filter = filter;
  SaveDialog.Title = QStringLiteral("Tabellen speichern als ") + what + " ( " + HeaderText(*ExportTable) + ")";
  SaveDialog.DefaultExt = extension;
  SaveDialog.FileName = proposed_name;
  SaveDialog.OverwritePrompt = true;
  SaveDialog.Folder = last_folder_;
  if (!Prompt().SaveFile(SaveDialog)) return;
  // Such a file need not keep every entry as it is, so the tables keep
  // their changed marks.
  const QString reason = WriteTables(format, {ExportTable, ImportTable}, SaveDialog.FileName);
  if (reason.isEmpty())
    last_folder_ = QFileInfo(SaveDialog.FileName).absolutePath();
  else
    Prompt().Information(QStringLiteral("Datei: ") + SaveDialog.FileName +
                         QStringLiteral("\nkonnte nicht geschrieben werden (") + reason +
                         QStringLiteral(")!\nEXPORT-IMPORT-") + not_saved + QStringLiteral(" nicht gespeichert!"));
}

// The proposed file names are the codec's and the charset's names: an
// import names the module by its file.
void Session::SavePythonCodec() {
  const QString codec = QString::fromStdString(PythonCodecName(CharsetBaseName(ExportTable->HeaderName())));
  SavePairAs(QStringLiteral("Python-Codec"), QStringLiteral("Python-Codec"),
             QStringLiteral("Python-Codec (*.py)|*.py|Alle (*.*)|*.*"), QStringLiteral("py"), codec,
             TableFormat::kPython);
}

void Session::SaveJavaCharset() {
  const QString charset = QString::fromStdString(JavaCharsetName(CharsetBaseName(ExportTable->HeaderName())));
  SavePairAs(QStringLiteral("Java-Zeichensatz"), QStringLiteral("Java-Zeichensatz"),
             QStringLiteral("Java-Zeichensatz (*.jar)|*.jar|Alle (*.*)|*.*"), QStringLiteral("jar"), charset,
             TableFormat::kJava);
}
