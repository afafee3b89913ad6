// "&Weitere Codepages ...": a table pair built from the system's character
// converter for one EBCDIC code page, loaded and chained like a preset pair.
#include "app/dm1unit.h"
#include "files/codepages.h"

void TDM1::MoreCodePagesExecute() {
  const std::vector<int> pages = AvailableCodePages();
  if (pages.empty()) {
    Prompter().Message(QString::fromUtf8("Der Zeichensatz-Konverter des Systems kennt keine EBCDIC-Codepage."));
    return;
  }
  if (!Prompter().ChooseCodePage(CodePageDialog1, pages)) return;
  const TWorkstation workstation = CodePageDialog1.Windows1252 ? TWorkstation::Cp1252 : TWorkstation::Iso8859_1;
  TCodePagePair pair;
  if (!BuildCodePagePair(CodePageDialog1.CodePage, workstation, CodePageDialog1.SwapNl, pair)) {
    Prompter().Message(QString::fromUtf8("Codepage %1 ist nicht verfügbar.").arg(CodePageDialog1.CodePage));
    return;
  }
  LoadExportImage(pair.Export, pair.ExportName);
  LoadImportImage(pair.Import, pair.ImportName);
  ChainTablesAction->setChecked(true);
  ChainTablesActionExecute();
}
