#include "app/session.h"

#include "platform/helpviewer.h"

QString TableWord(TableKind kind) { return QString::fromLatin1(TableName(kind)); }

QString HeaderText(const CodeTable& table) {
  return QString::fromLatin1(table.Header, static_cast<int>(qstrnlen(table.Header, sizeof table.Header)));
}

void SetTableFont(CodeTable& table, DisplayFont* font) {
  table.SetFont(font, font ? font->Name.toLatin1().constData() : "");
}

namespace {

// Copies the session's set colours into a table.
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

Session::Session(QObject* parent)
    : QObject(parent),
      ExportTable(&exportRecord_),
      ImportTable(&importRecord_),
      prompter_(std::make_unique<QtPrompter>()) {
  setObjectName("Session");
  OpenDialog.Filter = "Alle (*.*)|*.*|Qavo Code Tables (*.tab;*.qct)|*.tab;*.qct";
  OpenDialog.FilterIndex = 2;
  FontDialog = DisplayFont("MS Sans Serif", -11);
  CreateActions();
  ChainedColor = Defaults.ChainedColor;
  ActiveColor = Defaults.ActiveColor;
  AmbiguousColor = Defaults.AmbiguousColor;
  ProofColor = Defaults.ProofColor;
  NoDataColor = Defaults.NoDataColor;
  CurrentFont = &Defaults.CourierNew;
  for (CodeTable* table : {ExportTable, ImportTable}) {
    SetTableFont(*table, CurrentFont);
    CopySessionColors(*this, *table);
  }
}

Session::~Session() = default;

void Session::SetPrompter(std::unique_ptr<Prompter> prompter) { prompter_ = std::move(prompter); }

QAction* Session::MakeAction(const char* name, const QString& caption, void (Session::*handler)()) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  connect(action, &QAction::triggered, this, handler);
  return action;
}

PresetActions Session::MakePresetActions(const PresetPair& preset, const char* bothName, const char* exportName,
                                         const char* importName) {
  PresetActions actions;
  actions.Both = new QAction("&Beide", this);
  actions.Export = new QAction("&EXPORT (a/e)", this);
  actions.Import = new QAction("&IMPORT (e/a)", this);
  actions.Both->setObjectName(bothName);
  actions.Export->setObjectName(exportName);
  actions.Import->setObjectName(importName);
  connect(actions.Both, &QAction::triggered, this, [this, &preset] { LoadPresetPair(preset); });
  connect(actions.Export, &QAction::triggered, this, [this, &preset] { LoadPreset(preset, Export); });
  connect(actions.Import, &QAction::triggered, this, [this, &preset] { LoadPreset(preset, Import); });
  return actions;
}

void Session::CreateActions() {
  SaveUnix = MakeAction("SaveUnix", "QAVO &UNIX-kompatible (256 Byte + 256 Byte) ...", &Session::SaveUnixExecute);
  SaveV3 = MakeAction("SaveV3", "&Windows QAVO V3 kompatibel (512 Byte) ...", &Session::SaveV3Execute);
  SaveV5 = MakeAction("SaveV5", "Windows QAVO V&5 (1088/2176 Bytes) ...", &Session::SaveV5Execute);
  SaveCHeader = MakeAction("SaveCHeader", "&C Header", &Session::SaveCHeaderExecute);
  SavePascal = MakeAction("SavePascal", "&Pascal (Delphi) Header", &Session::SavePascalExecute);
  SaveUcm = MakeAction("SaveUcm", "ICU-Zeichensatztabelle (.ucm) ...", &Session::SaveUcmExecute);
  Print = MakeAction("Print", "&Drucken", &Session::PrintExecute);
  Quit = MakeAction("Quit", "&Beenden", &Session::QuitExecute);

  ChainTablesAction = MakeAction("ChainTablesAction", "Tabellen &verbinden", &Session::ChainTablesActionExecute);
  ChainTablesAction->setCheckable(true);
  SwapRowsColumns =
      MakeAction("SwapRowsColumns", "&Zeilen und Spalten vertauschen", &Session::SwapRowsColumnsExecute);
  SwapRowsColumns->setCheckable(true);
  CopyExportToImport =
      MakeAction("CopyExportToImport", "Von &EXPORT nach IMPORT", &Session::CopyExportToImportExecute);
  CopyImportToExport =
      MakeAction("CopyImportToExport", "Von &IMPORT nach  EXPORT", &Session::CopyImportToExportExecute);
  ClearBoth = MakeAction("ClearBoth", "&Beide Tabellen leeren", &Session::ClearBothExecute);
  ClearExport = MakeAction("ClearExport", "&EXPORT Tabelle leeren", &Session::ClearExportExecute);
  ClearImport = MakeAction("ClearImport", "&IMPORT Tablee leeren", &Session::ClearImportExecute);
  CompareDin = MakeAction("CompareDin", "Mit &DIN vergleichen", &Session::CompareDinExecute);
  CompareTable = MakeAction("CompareTable", "Mit &Tabelle vergleichen ...", &Session::CompareTableExecute);
  MakeDiff2DIN = MakeAction("MakeDiff2DIN", "MakeDiff2DIN", &Session::MakeDiff2DINExecute);
  MakeDiff2Table = MakeAction("MakeDiff2Table", "MakeDiff2Table", &Session::MakeDiff2TableExecute);

  LoadDin = MakePresetActions(DinPreset, "LoadDIN", "LoadDinExport", "LoadDinImport");
  LoadIsoCp273 = MakePresetActions(IsoCp273Preset, "LoadIsoCp273", "LoadIsoExportCp273", "LoadIsoImportCp273");
  LoadIsoCp37 = MakePresetActions(IsoCp37Preset, "LoadIsoCp37", "LoadIsoExportCp37", "LoadIsoImportCp37");
  LoadUnix = MakePresetActions(UnixPreset, "LoadUnix", "LoadUnixExport", "LoadUnixImport");
  LoadTableFile = MakeAction("LoadTableFile", "&automatische Erkennung", &Session::LoadTableFileExecute);
  LoadImport = MakeAction("LoadImport", "&IIMPORT  (256 Bytes)", &Session::LoadImportExecute);
  LoadExport = MakeAction("LoadExport", "&EXPORT (256 Bytes)", &Session::LoadExportExecute);
  LoadUcm = MakeAction("LoadUcm", "ICU-Zeichensatztabelle (.ucm) ...", &Session::LoadUcmExecute);
  MoreCodePages = MakeAction("MoreCodePages", "&Weitere Codepages ...", &Session::MoreCodePagesExecute);

  FontCourierNew = MakeAction("FontCourierNew", "WINDOWS &Courier new", &Session::FontCourierNewExecute);
  FontSansSerif = MakeAction("FontSansSerif", "WINDOWS MS &Sans Serif", &Session::FontSansSerifExecute);
  FontFixedSys = MakeAction("FontFixedSys", "&ANSI (WINDOWS FixedSys)", &Session::FontFixedSysExecute);
  FontTerminal = MakeAction("FontTerminal", "&OEM (WINDOWS Terminal)", &Session::FontTerminalExecute);
  ChooseFont = MakeAction("ChooseFont", QString::fromUtf8("&Zeichensatz wählen"), &Session::ChooseFontExecute);
  ColorChainedAction =
      MakeAction("ColorChainedAction", "&Verbundene Tabellen", &Session::ColorChainedActionExecute);
  ColorActiveAction = MakeAction("ColorActiveAction", "&Aktiviert", &Session::ColorActiveActionExecute);
  ColorProofAction = MakeAction("ColorProofAction", "&Eindeutige Zuordnung", &Session::ColorProofActionExecute);
  ColorAmbiguousAction =
      MakeAction("ColorAmbiguousAction", "&Mehrfach-Zuordnung", &Session::ColorAmbiguousActionExecute);

  ShowBoth = MakeAction("ShowBoth", "&Beide Tabellen zeigen", &Session::ShowBothExecute);
  ShowBoth->setCheckable(true);
  ShowBoth->setChecked(true);
  ShowExport = MakeAction("ShowExport", "&EXPORT Fenster zeigen", &Session::ShowExportExecute);
  ShowExport->setCheckable(true);
  ShowImport = MakeAction("ShowImport", "&IMPORT Fenster zeigen", &Session::ShowImportExecute);
  ShowImport->setCheckable(true);
  ShowComplete = MakeAction("ShowComplete", "ShowComplete", &Session::ShowCompleteExecute);
  ShowSampleText = MakeAction("ShowSampleText", "&Probetext", &Session::ShowSampleTextExecute);

  Help = MakeAction("Help", "&Hilfe", &Session::HelpExecute);
  About = MakeAction("About", "&Info", &Session::AboutExecute);
}

void Session::ChangeTables(const std::function<void()>& change) {
  change();
  emit TablesChanged();
}

void Session::CommitPair(TableKind kind, int source, int target) {
  ChangeTables([&] { Table(kind).Assign(source, target); });
}

void Session::RemoveAssignment(TableKind kind, const QString& hexText) {
  // The model reads two characters; shorter text is padded with NULs.
  char text[3] = {0, 0, 0};
  const QByteArray latin1 = hexText.left(2).toLatin1();
  for (int i = 0; i < latin1.size(); ++i) text[i] = latin1[i];
  ChangeTables([&] { Table(kind).UnassignHex(text); });
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

void Session::QuitExecute() { emit QuitRequested(); }

void Session::MakeDiff2DINExecute() {}

void Session::MakeDiff2TableExecute() {}

void Session::HelpExecute() { ShowHelp(HelpContents); }

void Session::AboutExecute() {
  Prompt().About("Info", QString::fromUtf8("QAVO Code Table Editor\nVersion %1\n\n"
                                           "Bearbeitet die Codetabellen ASCII / ISO 8859-1 nach EBCDIC "
                                           "(EXPORT) und zurück (IMPORT).")
                             .arg(QStringLiteral(QCTE_VERSION)));
}
