#include "app/session.h"

#include <QApplication>

#include "platform/colors.h"
#include "platform/helpviewer.h"
#include "ui/controlwindow.h"

Session* DM1 = nullptr;

QString HeaderText(const CodeTable& table) {
  return QString::fromLatin1(table.Header, static_cast<int>(qstrnlen(table.Header, sizeof table.Header)));
}

void SetTableFont(CodeTable& table, DisplayFont* font) {
  table.SetFont(font, font ? font->Name.toLatin1().constData() : "");
}

Session::Session(QObject* parent) : QObject(parent), prompter_(std::make_unique<QtPrompter>()) {
  setObjectName("DM1");
  OpenDialog.Filter = "Alle (*.*)|*.*|Qavo Code Tables (*.tab;*.qct)|*.tab;*.qct";
  OpenDialog.FilterIndex = 2;
  FontDialog = DisplayFont("MS Sans Serif", -11);
  CreateActions();
  DataModuleCreate();
}

Session::~Session() {
  if (DM1 == this) DM1 = nullptr;
}

void Session::SetPrompter(std::unique_ptr<Prompter> prompter) { prompter_ = std::move(prompter); }

QAction* Session::MakeAction(const char* name, const QString& caption, void (Session::*handler)()) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  connect(action, &QAction::triggered, this, handler);
  return action;
}

void Session::CreateActions() {
  const QString both = "&Beide";
  const QString exportArray = "&EXPORT (a/e)";
  const QString importArray = "&IMPORT (e/a)";
  Quit = MakeAction("Quit", "&Beenden", &Session::QuitExecute);
  ChainTablesAction = MakeAction("ChainTablesAction", "Tabellen &verbinden", &Session::ChainTablesActionExecute);
  ChainTablesAction->setCheckable(true);
  ClearBoth = MakeAction("ClearBoth", "&Beide Tabellen leeren", &Session::ClearBothExecute);
  ClearExport = MakeAction("ClearExport", "&EXPORT Tabelle leeren", &Session::ClearExportExecute);
  ClearImport = MakeAction("ClearImport", "&IMPORT Tablee leeren", &Session::ClearImportExecute);
  ColorActiveAction = MakeAction("ColorActiveAction", "&Aktiviert", &Session::ColorActiveActionExecute);
  ColorAmbiguousAction =
      MakeAction("ColorAmbiguousAction", "&Mehrfach-Zuordnung", &Session::ColorAmbiguousActionExecute);
  ColorProofAction = MakeAction("ColorProofAction", "&Eindeutige Zuordnung", &Session::ColorProofActionExecute);
  ColorChainedAction =
      MakeAction("ColorChainedAction", "&Verbundene Tabellen", &Session::ColorChainedActionExecute);
  CopyExportToImport =
      MakeAction("CopyExportToImport", "Von &EXPORT nach IMPORT", &Session::CopyExportToImportExecute);
  CopyImportToExport =
      MakeAction("CopyImportToExport", "Von &IMPORT nach  EXPORT", &Session::CopyImportToExportExecute);
  SwapRowsColumns = MakeAction("SwapRowsColumns", "&Zeilen und Spalten vertauschen", &Session::SwapRowsColumnsExecute);
  SwapRowsColumns->setCheckable(true);
  FontCourierNew = MakeAction("FontCourierNew", "WINDOWS &Courier new", &Session::FontCourierNewExecute);
  FontFixedSys = MakeAction("FontFixedSys", "&ANSI (WINDOWS FixedSys)", &Session::FontFixedSysExecute);
  FontSansSerif = MakeAction("FontSansSerif", "WINDOWS MS &Sans Serif", &Session::FontSansSerifExecute);
  ChooseFont = MakeAction("ChooseFont", QString::fromUtf8("&Zeichensatz wählen"), &Session::ChooseFontExecute);
  FontTerminal = MakeAction("FontTerminal", "&OEM (WINDOWS Terminal)", &Session::FontTerminalExecute);
  LoadDIN = MakeAction("LoadDIN", both, &Session::LoadDINExecute);
  LoadIsoCp273 = MakeAction("LoadIsoCp273", both, &Session::LoadIsoCp273Execute);
  LoadIsoCp37 = MakeAction("LoadIsoCp37", both, &Session::LoadIsoCp37Execute);
  LoadUnix = MakeAction("LoadUnix", both, &Session::LoadUnixExecute);
  LoadDinExport = MakeAction("LoadDinExport", exportArray, &Session::LoadDinExportExecute);
  LoadIsoExportCp273 = MakeAction("LoadIsoExportCp273", exportArray, &Session::LoadIsoExportCp273Execute);
  LoadIsoExportCp37 = MakeAction("LoadIsoExportCp37", exportArray, &Session::LoadIsoExportCp37Execute);
  LoadUnixExport = MakeAction("LoadUnixExport", exportArray, &Session::LoadUnixExportExecute);
  LoadDinImport = MakeAction("LoadDinImport", importArray, &Session::LoadDinImportExecute);
  LoadIsoImportCp273 = MakeAction("LoadIsoImportCp273", importArray, &Session::LoadIsoImportCp273Execute);
  LoadIsoImportCp37 = MakeAction("LoadIsoImportCp37", importArray, &Session::LoadIsoImportCp37Execute);
  LoadUnixImport = MakeAction("LoadUnixImport", importArray, &Session::LoadUnixImportExecute);
  LoadExport = MakeAction("LoadExport", "&EXPORT (256 Bytes)", &Session::LoadExportExecute);
  LoadImport = MakeAction("LoadImport", "&IIMPORT  (256 Bytes)", &Session::LoadImportExecute);
  LoadTableFile = MakeAction("LoadTableFile", "&automatische Erkennung", &Session::LoadTableFileExecute);
  MakeDiff2DIN = MakeAction("MakeDiff2DIN", "MakeDiff2DIN", &Session::MakeDiff2DINExecute);
  MakeDiff2Table = MakeAction("MakeDiff2Table", "MakeDiff2Table", &Session::MakeDiff2TableExecute);
  ShowBoth = MakeAction("ShowBoth", "&Beide Tabellen zeigen", &Session::ShowBothExecute);
  ShowBoth->setCheckable(true);
  ShowBoth->setChecked(true);
  ShowExport = MakeAction("ShowExport", "&EXPORT Fenster zeigen", &Session::ShowExportExecute);
  ShowExport->setCheckable(true);
  ShowImport = MakeAction("ShowImport", "&IMPORT Fenster zeigen", &Session::ShowImportExecute);
  ShowImport->setCheckable(true);
  SaveUnix = MakeAction("SaveUnix", "QAVO &UNIX-kompatible (256 Byte + 256 Byte) ...",
                             &Session::SaveUnixExecute);
  SaveV3 = MakeAction("SaveV3", "&Windows QAVO V3 kompatibel (512 Byte) ...",
                                     &Session::SaveV3Execute);
  SaveV5 = MakeAction("SaveV5", "Windows QAVO V&5 (1088/2176 Bytes) ...",
                                     &Session::SaveV5Execute);
  SaveCHeader = MakeAction("SaveCHeader", "&C Header", &Session::SaveCHeaderExecute);
  SavePascal = MakeAction("SavePascal", "&Pascal (Delphi) Header", &Session::SavePascalExecute);
  ShowComplete = MakeAction("ShowComplete", "ShowComplete", &Session::ShowCompleteExecute);
  Print = MakeAction("Print", "&Drucken", &Session::PrintExecute);
  Help = MakeAction("Help", "&Hilfe", &Session::HelpExecute);
  MoreCodePages = MakeAction("MoreCodePages", "&Weitere Codepages ...", &Session::MoreCodePagesExecute);
  CompareDin = MakeAction("CompareDin", "Mit &DIN vergleichen", &Session::CompareDinExecute);
  CompareTable = MakeAction("CompareTable", "Mit &Tabelle vergleichen ...", &Session::CompareTableExecute);
}

void Session::DataModuleCreate() {
  CurrentFont = nullptr;
  NoDataColor = -1;
  ChainedColor = -1;
  AmbiguousColor = -1;
  ExportWindow = nullptr;
  ImportWindow = nullptr;
  AttachExport(nullptr);
  AttachImport(nullptr);
  OemFont = 0;
}

namespace {

// Copies the session's set colours into a newly attached table.
void CopySessionColors(const Session& session, CodeTable& table) {
  CodeTable* partner = table.Partner;
  if (session.ActiveColor >= 0) {
    table.ActiveColor = session.ActiveColor;
    if (table.Active && partner) partner->ActiveColor = session.ActiveColor;
  }
  if (session.AmbiguousColor != -1) {
    table.AmbiguousColor = session.AmbiguousColor;
    if (partner) partner->AmbiguousColor = session.AmbiguousColor;
  }
  if (session.ProofColor != -1) {
    table.ProofColor = session.ProofColor;
    if (table.Active && partner) partner->ProofColor = session.ProofColor;
  }
  if (session.NoDataColor != -1) {
    table.NoDataColor = session.NoDataColor;
    if (partner) partner->NoDataColor = session.NoDataColor;
  }
}

}  // namespace

void Session::AttachExport(CodeTable* table) {
  ExportTable = table;
  if (table) CopySessionColors(*this, *table);
}

void Session::AttachImport(CodeTable* table) {
  ImportTable = table;
  if (table) CopySessionColors(*this, *table);
}

namespace {

// Grid steps wrap by 255, not 256: past the last row the step continues at
// the top of the next column.
int Wrap(int p) {
  if (p < 0) return p + 255;
  if (p > 255) return p - 255;
  return p;
}

}  // namespace

int Session::Step(const CodeTable& table, int unswapped, int swapped) const {
  const int p = table.CurrentPosition;
  if (p == -1) return 0;
  return Wrap(p + (SwapRowsColumns->isChecked() ? swapped : unswapped));
}

int Session::StepUp(const CodeTable& table) const { return Step(table, -16, -1); }

int Session::StepDown(const CodeTable& table) const { return Step(table, 16, 1); }

int Session::StepLeft(const CodeTable& table) const { return Step(table, -1, -16); }

int Session::StepRight(const CodeTable& table) const { return Step(table, 1, 16); }

void Session::QuitExecute() {
  if (Qctecp) Qctecp->close();
}

void Session::MakeDiff2DINExecute() {}

void Session::MakeDiff2TableExecute() {}

void Session::HelpExecute() { ShowHelp(HelpContents); }
