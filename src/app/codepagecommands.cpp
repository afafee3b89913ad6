// "&Weitere Codepages ...": a table pair built from the system's character
// converter for one EBCDIC code page, loaded and chained like a preset pair;
// the workstation character set chosen for it becomes the session's.
#include "app/session.h"
#include "files/codepages.h"

void Session::LoadCodePagePair() {
  Workstation workstation;
  if (!ChooseCodePage(AvailableCodePages(),
                      QString::fromUtf8("Der Zeichensatz-Konverter des Systems kennt keine EBCDIC-Codepage."),
                      workstation))
    return;
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
  SetWorkstationCharset(workstation);
}

bool Session::ChooseCodePage(const std::vector<int>& pages, const QString& no_page_message, Workstation& chosen) {
  if (pages.empty()) {
    Prompt().Message(no_page_message);
    return false;
  }
  CodePageDialogChoice.Windows1252 = workstation_ == Workstation::kCp1252;
  if (!Prompt().ChooseCodePage(CodePageDialogChoice, pages)) return false;
  chosen = CodePageDialogChoice.Windows1252 ? Workstation::kCp1252 : Workstation::kIsoLatin1;
  return true;
}
