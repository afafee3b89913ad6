// "&Weitere Codepages ...": a table pair built from the system's character
// converter for one EBCDIC code page, loaded and chained like a preset pair.
#include "app/session.h"
#include "files/codepages.h"

void Session::LoadCodePagePair() {
  const std::vector<int> pages = AvailableCodePages();
  if (pages.empty()) {
    Prompt().Message(QString::fromUtf8("Der Zeichensatz-Konverter des Systems kennt keine EBCDIC-Codepage."));
    return;
  }
  if (!Prompt().ChooseCodePage(CodePageDialogChoice, pages)) return;
  const Workstation workstation = CodePageDialogChoice.Windows1252 ? Workstation::Cp1252 : Workstation::Iso8859_1;
  CodePagePair pair;
  if (!BuildCodePagePair(CodePageDialogChoice.CodePage, workstation, CodePageDialogChoice.SwapNl, pair)) {
    Prompt().Message(QString::fromUtf8("Codepage %1 ist nicht verfügbar.").arg(CodePageDialogChoice.CodePage));
    return;
  }
  ChangeTables(QStringLiteral("Codepage %1 laden").arg(CodePageDialogChoice.CodePage), [&] {
    LoadImage(TableKind::kExport, pair.Export, pair.ExportName);
    LoadImage(TableKind::kImport, pair.Import, pair.ImportName);
    ChainTablesAction->setChecked(true);
    Chain(true);
  });
}
