// The chained pair for other programs: "&Datei -> &Speichern" writes it as
// a Python codec module or a Java charset JAR, with the workstation code
// page of the .ucm export.
#include <QFileInfo>

#include "app/session.h"
#include "files/javacharset.h"
#include "files/pythoncodec.h"

void Session::SavePairAs(const QString& what, const QString& notSaved, const QString& filter, const QString& extension,
                         const QString& proposedName, const std::function<std::vector<uint8_t>()>& bytes) {
  if (!ExportTable->Partner()) {
    Prompt().Information(QStringLiteral("Bitte Tabellen verbinden!"));
    return;
  }
  SaveDialog.Filter = filter;
  SaveDialog.Title = QStringLiteral("Tabellen speichern als ") + what + " ( " + HeaderText(*ExportTable) + ")";
  SaveDialog.DefaultExt = extension;
  SaveDialog.FileName = proposedName;
  SaveDialog.OverwritePrompt = true;
  SaveDialog.Folder = lastFolder_;
  if (!Prompt().SaveFile(SaveDialog)) return;
  // Such a file need not keep every entry as it is, so the tables keep
  // their changed marks.
  const QString reason = WriteFile(SaveDialog.FileName, bytes());
  if (reason.isEmpty())
    lastFolder_ = QFileInfo(SaveDialog.FileName).absolutePath();
  else
    Prompt().Information(QStringLiteral("Datei: ") + SaveDialog.FileName +
                         QStringLiteral("\nkonnte nicht geschrieben werden (") + reason +
                         QStringLiteral(")!\nEXPORT-IMPORT-") + notSaved + QStringLiteral(" nicht gespeichert!"));
}

CharsetMapping Session::PairCharset() const {
  return CharsetMappingOf(*ExportTable, *ImportTable, WorkstationCharset(), ExportTable->HeaderName());
}

// The proposed file names are the codec's and the charset's names: an
// import names the module by its file.
void Session::SavePythonExecute() {
  const QString codec = QString::fromStdString(PythonCodecName(CharsetBaseName(ExportTable->HeaderName())));
  SavePairAs(QStringLiteral("Python-Codec"), QStringLiteral("Python-Codec"),
             QStringLiteral("Python-Codec (*.py)|*.py|Alle (*.*)|*.*"), QStringLiteral("py"), codec, [this] {
               const std::string text = PythonCodecModule(PairCharset(), WorkstationLabel(WorkstationCharset()));
               return std::vector<uint8_t>(text.begin(), text.end());
             });
}

void Session::SaveJavaExecute() {
  const QString charset = QString::fromStdString(JavaCharsetName(CharsetBaseName(ExportTable->HeaderName())));
  SavePairAs(QStringLiteral("Java-Zeichensatz"), QStringLiteral("Java-Zeichensatz"),
             QStringLiteral("Java-Zeichensatz (*.jar)|*.jar|Alle (*.*)|*.*"), QStringLiteral("jar"), charset,
             [this] { return JavaCharsetJar(PairCharset()); });
}
