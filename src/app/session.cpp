#include "app/session.h"

#include <QActionGroup>
#include <QUndoCommand>
#include <algorithm>

#include "model/hexdigits.h"
#include "platform/helpviewer.h"

QString HexText(int value) { return QString::fromStdString(HexByte(value)); }

QString HeaderText(const CodeTable& table) { return QString::fromLatin1(table.Header()); }

void SetTableFont(CodeTable& table, const DisplayFont* font) {
  table.SetFontName(font ? font->Name.toLatin1().constData() : "");
}

namespace {

// One user action on the tables: both tables before and after it.
class TableStep : public QUndoCommand {
 public:
  TableStep(Session& session, const QString& name, const PairSnapshot& before, const PairSnapshot& after)
      : QUndoCommand(name), session_(session), before_(before), after_(after) {}

  void undo() override { session_.RestoreTables(before_); }
  // The first redo comes with the push, when the change is already made.
  void redo() override {
    if (pushed_) session_.RestoreTables(after_);
    pushed_ = true;
  }

 private:
  Session& session_;
  const PairSnapshot before_;
  const PairSnapshot after_;
  bool pushed_ = false;
};

}  // namespace

Session::Session(QObject* parent)
    : QObject(parent),
      ExportTable(&export_record_),
      ImportTable(&import_record_),
      UndoStack(new QUndoStack(this)),
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
  for (CodeTable* table : {ExportTable, ImportTable}) SetTableFont(*table, CurrentFont);
  marks_.Saved(TableKind::kExport);
  marks_.Saved(TableKind::kImport);
  FollowUndoStack();
}

Session::~Session() = default;

void Session::SetPrompter(std::unique_ptr<Prompter> prompter) { prompter_ = std::move(prompter); }

QAction* Session::MakeAction(const char* name, const QString& caption, void (Session::*handler)()) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  if (handler) connect(action, &QAction::triggered, this, handler);
  return action;
}

PresetActions Session::MakePresetActions(const PresetPair& preset, const char* both_name, const char* export_name,
                                         const char* import_name) {
  PresetActions actions;
  actions.Both = new QAction("&Beide", this);
  actions.Export = new QAction("&EXPORT (a/e)", this);
  actions.Import = new QAction("&IMPORT (e/a)", this);
  actions.Both->setObjectName(both_name);
  actions.Export->setObjectName(export_name);
  actions.Import->setObjectName(import_name);
  connect(actions.Both, &QAction::triggered, this, [this, &preset] { LoadPresetPair(preset); });
  connect(actions.Export, &QAction::triggered, this, [this, &preset] { LoadPreset(preset, TableKind::kExport); });
  connect(actions.Import, &QAction::triggered, this, [this, &preset] { LoadPreset(preset, TableKind::kImport); });
  return actions;
}

void Session::CreateActions() {
  SaveUnix = MakeAction("SaveUnix", "QAVO &UNIX-kompatible (256 Byte + 256 Byte) ...", &Session::SaveUnixFiles);
  SaveV3 = MakeAction("SaveV3", "&Windows QAVO V3 kompatibel (512 Byte) ...", &Session::SaveV3File);
  SaveV5 = MakeAction("SaveV5", "Windows QAVO V&5 (1088/2176 Bytes) ...", &Session::SaveV5File);
  SaveCHeader = MakeAction("SaveCHeader", "&C Header ...", &Session::AppendCDeclarations);
  SavePascal = MakeAction("SavePascal", "&Pascal (Delphi) Header ...", &Session::AppendPascalDeclarations);
  SaveUcm = MakeAction("SaveUcm", "ICU-Zeichensatztabelle (.ucm) ...", &Session::SaveUcmFile);
  SavePython = MakeAction("SavePython", "Python-Codec (.py) ...", &Session::SavePythonCodec);
  SaveJava = MakeAction("SaveJava", "Java-Zeichensatz (.jar) ...", &Session::SaveJavaCharset);
  Print = MakeAction("Print", "&Drucken ...", &Session::PrintWindows);
  Quit = MakeAction("Quit", "&Beenden", &Session::RequestQuit);

  Undo = MakeAction("Undo", QString::fromUtf8("&Rückgängig"), nullptr);
  Redo = MakeAction("Redo", "&Wiederholen", nullptr);
  ChainTablesAction = MakeAction("ChainTablesAction", "Tabellen &verbinden", &Session::ChainTables);
  ChainTablesAction->setCheckable(true);
  SwapRowsColumns = MakeAction("SwapRowsColumns", "&Zeilen und Spalten vertauschen", &Session::AnnounceSwap);
  SwapRowsColumns->setCheckable(true);
  CopyExportToImport = MakeAction("CopyExportToImport", "Von &EXPORT nach IMPORT", &Session::InvertExportIntoImport);
  CopyImportToExport = MakeAction("CopyImportToExport", "Von &IMPORT nach  EXPORT", &Session::InvertImportIntoExport);
  ClearBoth = MakeAction("ClearBoth", "&Beide Tabellen leeren", &Session::ClearBothTables);
  ClearExport = MakeAction("ClearExport", "&EXPORT Tabelle leeren", &Session::ClearExportTable);
  ClearImport = MakeAction("ClearImport", "&IMPORT Tablee leeren", &Session::ClearImportTable);
  CompareDin = MakeAction("CompareDin", "Mit &DIN vergleichen", &Session::CompareWithDin);
  CompareTable = MakeAction("CompareTable", "Mit &Tabelle vergleichen ...", &Session::CompareWithTableFile);
  ComparePage = MakeAction("ComparePage", "mit &Codepage ...", &Session::CompareWithCodePage);
  IdentifyPage =
      MakeAction("IdentifyPage", QString::fromUtf8("&Nächste Codepage bestimmen"), &Session::IdentifyNearestPages);
  // In no menu, and they change nothing.
  MakeAction("MakeDiff2DIN", "MakeDiff2DIN", nullptr);
  MakeAction("MakeDiff2Table", "MakeDiff2Table", nullptr);

  LoadDin = MakePresetActions(kDinPreset, "LoadDIN", "LoadDinExport", "LoadDinImport");
  LoadIsoCp273 = MakePresetActions(kIsoCp273Preset, "LoadIsoCp273", "LoadIsoExportCp273", "LoadIsoImportCp273");
  LoadIsoCp37 = MakePresetActions(kIsoCp37Preset, "LoadIsoCp37", "LoadIsoExportCp37", "LoadIsoImportCp37");
  LoadUnix = MakePresetActions(kUnixPreset, "LoadUnix", "LoadUnixExport", "LoadUnixImport");
  LoadTableFile = MakeAction("LoadTableFile", "&automatische Erkennung ...", &Session::LoadRecognizedFile);
  LoadImport = MakeAction("LoadImport", "&IIMPORT  (256 Bytes) ...", &Session::LoadImportFile);
  LoadExport = MakeAction("LoadExport", "&EXPORT (256 Bytes) ...", &Session::LoadExportFile);
  LoadUcm = MakeAction("LoadUcm", "ICU-Zeichensatztabelle (.ucm) ...", &Session::LoadUcmFile);
  MoreCodePages = MakeAction("MoreCodePages", "&Weitere Codepages ...", &Session::LoadCodePagePair);

  FontCourierNew = MakeAction("FontCourierNew", "WINDOWS &Courier new", &Session::UseCourierNew);
  FontSansSerif = MakeAction("FontSansSerif", "WINDOWS MS &Sans Serif", &Session::UseSansSerif);
  FontFixedSys = MakeAction("FontFixedSys", "&ANSI (WINDOWS FixedSys)", &Session::UseFixedSys);
  FontTerminal = MakeAction("FontTerminal", "&OEM (WINDOWS Terminal)", &Session::UseTerminal);
  ChooseFont = MakeAction("ChooseFont", QString::fromUtf8("&Zeichensatz wählen ..."), &Session::AskForFont);
  ColorChainedAction = MakeAction("ColorChainedAction", "&Verbundene Tabellen ...", &Session::AskChainedColor);
  ColorActiveAction = MakeAction("ColorActiveAction", "&Aktiviert ...", &Session::AskActiveColor);
  ColorProofAction = MakeAction("ColorProofAction", "&Eindeutige Zuordnung ...", &Session::AskProofColor);
  ColorAmbiguousAction = MakeAction("ColorAmbiguousAction", "&Mehrfach-Zuordnung ...", &Session::AskAmbiguousColor);
  WorkstationIso8859 = MakeAction("WorkstationIso8859", "&ISO 8859-1", &Session::UseIso8859Workstation);
  WorkstationWindows1252 = MakeAction("WorkstationWindows1252", "&Windows-1252", &Session::UseWindows1252Workstation);
  auto* workstations = new QActionGroup(this);
  for (QAction* action : {WorkstationIso8859, WorkstationWindows1252}) {
    action->setCheckable(true);
    workstations->addAction(action);
  }
  WorkstationWindows1252->setChecked(true);

  ZoomIn = MakeAction("ZoomIn", QString::fromUtf8("&Vergrößern"), &Session::EnlargeTableWindows);
  ZoomOut = MakeAction("ZoomOut", "Ver&kleinern", &Session::ShrinkTableWindows);
  ZoomNormal = MakeAction("ZoomNormal", QString::fromUtf8("&Normalgröße"), &Session::ShowTableWindowsAtNormalSize);

  ShowBoth = MakeAction("ShowBoth", "&Beide Tabellen zeigen", &Session::ToggleBothWindows);
  ShowBoth->setCheckable(true);
  ShowBoth->setChecked(true);
  ShowExport = MakeAction("ShowExport", "&EXPORT Fenster zeigen", &Session::ToggleExportWindow);
  ShowExport->setCheckable(true);
  ShowImport = MakeAction("ShowImport", "&IMPORT Fenster zeigen", &Session::ToggleImportWindow);
  ShowImport->setCheckable(true);
  MakeAction("ShowComplete", "ShowComplete", &Session::FollowShownWindows);
  ShowSampleText = MakeAction("ShowSampleText", "&Probetext", &Session::RequestSampleText);

  Help = MakeAction("Help", "&Hilfe", &Session::ShowHelpContents);
  About = MakeAction("About", "&Info", &Session::ShowAbout);

  // The shortcuts work in every window of the program, the table windows too.
  Undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  Redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  LoadTableFile->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  Print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  Quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  ZoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  ZoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  ZoomNormal->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  for (QAction* action : {Undo, Redo, LoadTableFile, Print, Quit, ZoomIn, ZoomOut, ZoomNormal})
    action->setShortcutContext(Qt::ApplicationShortcut);
}

// "&Rückgängig" and "&Wiederholen" name the step they would take.
void Session::FollowUndoStack() {
  connect(Undo, &QAction::triggered, UndoStack, &QUndoStack::undo);
  connect(Redo, &QAction::triggered, UndoStack, &QUndoStack::redo);
  const auto follow = [this] {
    Undo->setEnabled(UndoStack->canUndo());
    Redo->setEnabled(UndoStack->canRedo());
    const QString undo_text = UndoStack->undoText();
    const QString redo_text = UndoStack->redoText();
    Undo->setText(QString::fromUtf8("&Rückgängig") + (undo_text.isEmpty() ? QString() : ": " + undo_text));
    Redo->setText(QStringLiteral("&Wiederholen") + (redo_text.isEmpty() ? QString() : ": " + redo_text));
  };
  connect(UndoStack, &QUndoStack::indexChanged, this, follow);
  follow();
}

// One user action, one step: both tables before and after it, unless it
// changed nothing. A loaded table is unchanged.
void Session::ChangeTables(const QString& step_name, const std::function<void()>& change) {
  const PairSnapshot before(*ExportTable, *ImportTable);
  loaded_export_ = false;
  loaded_import_ = false;
  change();
  if (loaded_export_) marks_.Saved(TableKind::kExport);
  if (loaded_import_) marks_.Saved(TableKind::kImport);
  const PairSnapshot after(*ExportTable, *ImportTable);
  if (!after.SameState(before)) UndoStack->push(new TableStep(*this, step_name, before, after));
  emit TablesChanged();
  emit ChangeMarksChanged();
}

void Session::RestoreTables(const PairSnapshot& state) {
  state.Restore(*ExportTable, *ImportTable);
  ChainTablesAction->setChecked(ExportTable->Partner() != nullptr);
  emit TablesChanged();
  emit ChangeMarksChanged();
}

void Session::SelectEntry(TableKind kind, int position) {
  CodeTable& table = Table(kind);
  if (position == -1)
    table.Deselect();
  else
    table.SetCurrent(position);
  emit EntrySelected(kind, table.CurrentPosition());
}

void Session::SetActiveTable(TableKind kind) {
  Table(kind).SetActive(true);
  Table(OtherKind(kind)).SetActive(false);
  emit ActiveTableChanged(kind);
}

bool Session::ConfirmQuit() {
  const bool export_changed = IsChanged(TableKind::kExport);
  const bool import_changed = IsChanged(TableKind::kImport);
  if (!export_changed && !import_changed) return true;
  const QString tables =
      export_changed && import_changed
          ? QStringLiteral("EXPORT- und IMPORT-Tabelle")
          : TableName(export_changed ? TableKind::kExport : TableKind::kImport) + QStringLiteral("-Tabelle");
  return Prompt().Confirm(tables + QString::fromUtf8(" geändert und nicht gespeichert!\nTrotzdem beenden?"));
}

bool Session::IsCommandShortcut(const QKeySequence& keys) const {
  const QList<QAction*> actions = findChildren<QAction*>(Qt::FindDirectChildrenOnly);
  return std::any_of(actions.begin(), actions.end(),
                     [&keys](const QAction* action) { return action->shortcuts().contains(keys); });
}

void Session::CommitPair(TableKind kind, int source, int target) {
  ChangeTables(HexText(source) + " -> " + HexText(target), [&] { Table(kind).Assign(source, target); });
}

void Session::RemoveAssignment(TableKind kind, const QString& hex_text) {
  // The model reads two characters; shorter text is padded with NULs.
  char text[3] = {0, 0, 0};
  const QByteArray latin1 = hex_text.left(2).toLatin1();
  for (int i = 0; i < latin1.size(); ++i) text[i] = latin1[i];
  ChangeTables(hex_text.left(2) + " entfernen", [&] { Table(kind).UnassignHex(text); });
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
  const int p = table.CurrentPosition();
  if (p == -1) return 0;
  return Wrap(p + (SwapRowsColumns->isChecked() ? swapped : unswapped));
}

int Session::StepUp(const CodeTable& table) const { return Step(table, -16, -1); }

int Session::StepDown(const CodeTable& table) const { return Step(table, 16, 1); }

int Session::StepLeft(const CodeTable& table) const { return Step(table, -1, -16); }

int Session::StepRight(const CodeTable& table) const { return Step(table, 1, 16); }

void Session::RequestQuit() { emit QuitRequested(); }

void Session::ShowHelpContents() { ShowHelp(kHelpContents); }

void Session::ShowAbout() {
  Prompt().About("Info", QString::fromUtf8("QAVO Code Table Editor\nVersion %1\n\n"
                                           "Bearbeitet die Codetabellen ASCII / ISO 8859-1 nach EBCDIC "
                                           "(EXPORT) und zurück (IMPORT).")
                             .arg(QStringLiteral(QCTE_VERSION)));
}
