#include "app/dm1unit.h"

#include <QApplication>

#include "platform/colors.h"
#include "platform/helpviewer.h"
#include "ui/teunit1.h"

TDM1* DM1 = nullptr;

QString HeaderText(const TCodeTab& table) {
  return QString::fromLatin1(table.Header, static_cast<int>(qstrnlen(table.Header, sizeof table.Header)));
}

void SetTableFont(TCodeTab& table, TFont* font) {
  table.SetFont(font, font ? font->Name.toLatin1().constData() : "");
}

TDM1::TDM1(QObject* parent) : QObject(parent), prompter_(std::make_unique<TQtPrompter>()) {
  setObjectName("DM1");
  OpenDialog1.Filter = "Alle (*.*)|*.*|Qavo Code Tables (*.tab;*.qct)|*.tab;*.qct";
  OpenDialog1.FilterIndex = 2;
  FontDialog1 = TFont("MS Sans Serif", -11);
  CreateActions();
  DataModuleCreate();
}

TDM1::~TDM1() {
  if (DM1 == this) DM1 = nullptr;
}

void TDM1::SetPrompter(std::unique_ptr<TPrompter> prompter) { prompter_ = std::move(prompter); }

QAction* TDM1::MakeAction(const char* name, const QString& caption, void (TDM1::*handler)()) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  connect(action, &QAction::triggered, this, handler);
  return action;
}

void TDM1::CreateActions() {
  const QString both = "&Beide";
  const QString exportArray = "&EXPORT (a/e)";
  const QString importArray = "&IMPORT (e/a)";
  BeendenAction = MakeAction("BeendenAction", "&Beenden", &TDM1::BeendenActionExecute);
  ChainTablesAction = MakeAction("ChainTablesAction", "Tabellen &verbinden", &TDM1::ChainTablesActionExecute);
  ChainTablesAction->setCheckable(true);
  ClearBoth = MakeAction("ClearBoth", "&Beide Tabellen leeren", &TDM1::ClearBothExecute);
  ClearExport = MakeAction("ClearExport", "&EXPORT Tabelle leeren", &TDM1::ClearExportExecute);
  ClearImport = MakeAction("ClearImport", "&IMPORT Tablee leeren", &TDM1::ClearImportExecute);
  ColorActiveAction = MakeAction("ColorActiveAction", "&Aktiviert", &TDM1::ColorActiveActionExecute);
  ColorAmbiguousAction =
      MakeAction("ColorAmbiguousAction", "&Mehrfach-Zuordnung", &TDM1::ColorAmbiguousActionExecute);
  ColorProofAction = MakeAction("ColorProofAction", "&Eindeutige Zuordnung", &TDM1::ColorProofActionExecute);
  ColorChainedAction =
      MakeAction("ColorChainedAction", "&Verbundene Tabellen", &TDM1::ColorChainedActionExecute);
  CopyExport2Import =
      MakeAction("CopyExport2Import", "Von &EXPORT nach IMPORT", &TDM1::CopyExport2ImportExecute);
  CopyImport2Export =
      MakeAction("CopyImport2Export", "Von &IMPORT nach  EXPORT", &TDM1::CopyImport2ExportExecute);
  DoSwap = MakeAction("DoSwap", "&Zeilen und Spalten vertauschen", &TDM1::DoSwapExecute);
  DoSwap->setCheckable(true);
  FontCourierNew = MakeAction("FontCourierNew", "WINDOWS &Courier new", &TDM1::FontCourierNewExecute);
  FontFixedSys = MakeAction("FontFixedSys", "&ANSI (WINDOWS FixedSys)", &TDM1::FontFixedSysExecute);
  FontSansSerif = MakeAction("FontSansSerif", "WINDOWS MS &Sans Serif", &TDM1::FontSansSerifExecute);
  FontSetzen = MakeAction("FontSetzen", QString::fromUtf8("&Zeichensatz wählen"), &TDM1::FontSetzenExecute);
  FontTerminal = MakeAction("FontTerminal", "&OEM (WINDOWS Terminal)", &TDM1::FontTerminalExecute);
  LoadDIN = MakeAction("LoadDIN", both, &TDM1::LoadDINExecute);
  LoadIsoCp273 = MakeAction("LoadIsoCp273", both, &TDM1::LoadIsoCp273Execute);
  LoadIsoCp37 = MakeAction("LoadIsoCp37", both, &TDM1::LoadIsoCp37Execute);
  LoadUnix = MakeAction("LoadUnix", both, &TDM1::LoadUnixExecute);
  LoadDinExport = MakeAction("LoadDinExport", exportArray, &TDM1::LoadDinExportExecute);
  LoadIsoExportCp273 = MakeAction("LoadIsoExportCp273", exportArray, &TDM1::LoadIsoExportCp273Execute);
  LoadIsoExportCp37 = MakeAction("LoadIsoExportCp37", exportArray, &TDM1::LoadIsoExportCp37Execute);
  LoadUnixExport = MakeAction("LoadUnixExport", exportArray, &TDM1::LoadUnixExportExecute);
  LoadDinImport = MakeAction("LoadDinImport", importArray, &TDM1::LoadDinImportExecute);
  LoadIsoImportCp273 = MakeAction("LoadIsoImportCp273", importArray, &TDM1::LoadIsoImportCp273Execute);
  LoadIsoImportCp37 = MakeAction("LoadIsoImportCp37", importArray, &TDM1::LoadIsoImportCp37Execute);
  LoadUnixImport = MakeAction("LoadUnixImport", importArray, &TDM1::LoadUnixImportExecute);
  LoadExport = MakeAction("LoadExport", "&EXPORT (256 Bytes)", &TDM1::LoadExportExecute);
  LoadImport = MakeAction("LoadImport", "&IIMPORT  (256 Bytes)", &TDM1::LoadImportExecute);
  LoadTableFile = MakeAction("LoadTableFile", "&automatische Erkennung", &TDM1::LoadTableFileExecute);
  MakeDiff2DIN = MakeAction("MakeDiff2DIN", "MakeDiff2DIN", &TDM1::MakeDiff2DINExecute);
  MakeDiff2Table = MakeAction("MakeDiff2Table", "MakeDiff2Table", &TDM1::MakeDiff2TableExecute);
  ShowBoth = MakeAction("ShowBoth", "&Beide Tabellen zeigen", &TDM1::ShowBothExecute);
  ShowBoth->setCheckable(true);
  ShowBoth->setChecked(true);
  ShowExport = MakeAction("ShowExport", "&EXPORT Fenster zeigen", &TDM1::ShowExportExecute);
  ShowExport->setCheckable(true);
  ShowImport = MakeAction("ShowImport", "&IMPORT Fenster zeigen", &TDM1::ShowImportExecute);
  ShowImport->setCheckable(true);
  SpeichernUnix = MakeAction("SpeichernUnix", "QAVO &UNIX-kompatible (256 Byte + 256 Byte) ...",
                             &TDM1::SpeichernUnixExecute);
  SpeichernWindowsQavo3 = MakeAction("SpeichernWindowsQavo3", "&Windows QAVO V3 kompatibel (512 Byte) ...",
                                     &TDM1::SpeichernWindowsQavo3Execute);
  SpeichernWindowsQavo5 = MakeAction("SpeichernWindowsQavo5", "Windows QAVO V&5 (1088/2176 Bytes) ...",
                                     &TDM1::SpeichernWindowsQavo5Execute);
  SpeichernCHeader = MakeAction("SpeichernCHeader", "&C Header", &TDM1::SpeichernCHeaderExecute);
  SpeichernPascal = MakeAction("SpeichernPascal", "&Pascal (Delphi) Header", &TDM1::SpeichernPascalExecute);
  ShowComplete = MakeAction("ShowComplete", "ShowComplete", &TDM1::ShowCompleteExecute);
  Drucken = MakeAction("Drucken", "&Drucken", &TDM1::DruckenExecute);
  Help = MakeAction("Help", "&Hilfe", &TDM1::HelpExecute);
  MoreCodePages = MakeAction("MoreCodePages", "&Weitere Codepages ...", &TDM1::MoreCodePagesExecute);
  CompareDin = MakeAction("CompareDin", "Mit &DIN vergleichen", &TDM1::CompareDinExecute);
  CompareTable = MakeAction("CompareTable", "Mit &Tabelle vergleichen ...", &TDM1::CompareTableExecute);
}

void TDM1::DataModuleCreate() {
  DisplayFont = nullptr;
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
void CopySessionColors(const TDM1& session, TCodeTab& table) {
  TCodeTab* partner = table.Partner;
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

void TDM1::AttachExport(TCodeTab* table) {
  ExportTable = table;
  if (table) CopySessionColors(*this, *table);
}

void TDM1::AttachImport(TCodeTab* table) {
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

int TDM1::Step(const TCodeTab& table, int unswapped, int swapped) const {
  const int p = table.CurrentPosition;
  if (p == -1) return 0;
  return Wrap(p + (DoSwap->isChecked() ? swapped : unswapped));
}

int TDM1::StepUp(const TCodeTab& table) const { return Step(table, -16, -1); }

int TDM1::StepDown(const TCodeTab& table) const { return Step(table, 16, 1); }

int TDM1::StepLeft(const TCodeTab& table) const { return Step(table, -1, -16); }

int TDM1::StepRight(const TCodeTab& table) const { return Step(table, 1, 16); }

void TDM1::BeendenActionExecute() {
  if (Qctecp) Qctecp->close();
}

void TDM1::MakeDiff2DINExecute() {}

void TDM1::MakeDiff2TableExecute() {}

void TDM1::HelpExecute() { ShowHelp(HelpContents); }
