// The session: the EXPORT and IMPORT tables, every command of the program
// as an action, the dialog settings, and the display font and colours that
// all views share. It never reaches into a window: it announces every change
// through its signals, and the windows follow.
#pragma once

#include <QAction>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>
#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/changemarks.h"
#include "files/codepages.h"
#include "files/compare.h"
#include "files/pagecomparison.h"
#include "files/recognize.h"
#include "files/tableformat.h"
#include "model/codetable.h"
#include "model/pairsnapshot.h"
#include "model/presets.h"
#include "platform/colors.h"
#include "platform/displayfont.h"
#include "platform/prompter.h"

class QMimeData;
class QRect;
class QWidget;

// The display fonts and colours a session starts with; the font entries are
// also what "&Zeichensatz" offers.
struct SessionDefaults {
  DisplayFont CourierNew{"Courier New", -12};
  DisplayFont FixedSys{"Fixedsys", -11};
  DisplayFont SansSerif{"MS Sans Serif", -11};
  DisplayFont Terminal{"Terminal", -12, true, true};
  int32_t ChainedColor = kColorFuchsia;
  int32_t ActiveColor = kColorFuchsia;
  int32_t AmbiguousColor = kColorRed;
  int32_t ProofColor = kColorGreen;
  int32_t NoDataColor = kColorButtonShadow;
};

// The three commands of one preset: both tables chained, or one of them.
struct PresetActions {
  QAction* Both = nullptr;
  QAction* Export = nullptr;
  QAction* Import = nullptr;
};

class Session : public QObject {
  Q_OBJECT

 public:
  explicit Session(QObject* parent = nullptr);
  ~Session() override;

  // Dialogs. File dialog settings persist between uses, as the dialogs do.
  FileDialogSettings OpenDialog;
  DisplayFont FontDialog;
  FileDialogSettings SaveDialog;
  // The code page dialog keeps the last code page and newline choice, as the
  // file dialogs do; it offers the workstation character set of the session.
  CodePageChoice CodePageDialogChoice;
  Prompter& Prompt() const { return *prompter_; }
  void SetPrompter(std::unique_ptr<Prompter> prompter);

  // Actions, by the menu they serve.
  QAction* SaveUnix;
  QAction* SaveV3;
  QAction* SaveV5;
  QAction* SaveCHeader;
  QAction* SavePascal;
  QAction* SaveUcm;
  QAction* SavePython;
  QAction* SaveJava;
  QAction* Print;
  QAction* Quit;

  QAction* Undo;
  QAction* Redo;
  QAction* ChainTablesAction;
  QAction* SwapRowsColumns;
  QAction* CopyExportToImport;
  QAction* CopyImportToExport;
  QAction* ClearBoth;
  QAction* ClearExport;
  QAction* ClearImport;
  QAction* CompareDin;
  QAction* CompareTable;
  QAction* ComparePage;
  QAction* IdentifyPage;

  PresetActions LoadDin;
  PresetActions LoadIsoCp273;
  PresetActions LoadIsoCp37;
  PresetActions LoadUnix;
  QAction* LoadTableFile;
  QAction* LoadImport;
  QAction* LoadExport;
  QAction* LoadUcm;
  QAction* MoreCodePages;

  QAction* FontCourierNew;
  QAction* FontSansSerif;
  QAction* FontFixedSys;
  QAction* FontTerminal;
  QAction* ChooseFont;
  QAction* ColorChainedAction;
  QAction* ColorActiveAction;
  QAction* ColorProofAction;
  QAction* ColorAmbiguousAction;
  QAction* WorkstationIso8859;
  QAction* WorkstationWindows1252;

  QAction* ZoomIn;
  QAction* ZoomOut;
  QAction* ZoomNormal;

  QAction* ShowBoth;
  QAction* ShowExport;
  QAction* ShowImport;
  QAction* ShowSampleText;

  QAction* Help;
  QAction* About;

  // State.
  // The fonts of Defaults are the ones the display font points to.
  SessionDefaults Defaults;
  CodeTable* const ExportTable;
  CodeTable* const ImportTable;
  bool OemFontShown = false;
  DisplayFont* CurrentFont = nullptr;
  int32_t ChainedColor = -1;
  int32_t AmbiguousColor = -1;
  int32_t ActiveColor = 0;
  int32_t ProofColor = 0;
  int32_t NoDataColor = -1;
  // The character set of the workstation side: what the views show a byte
  // as, what a typed character becomes, and what every export writes.
  Workstation WorkstationCharset() const { return workstation_; }
  // The size of the table windows' cells and font, in percent of the
  // designed size.
  int Zoom() const { return zoom_; }

  CodeTable& Table(TableKind kind) const { return kind == TableKind::kExport ? *ExportTable : *ImportTable; }
  // Which of the two tables this is, whatever kind its header names.
  TableKind KindOf(const CodeTable& table) const {
    return &table == ExportTable ? TableKind::kExport : TableKind::kImport;
  }
  // The current entry of each table and which table is active change here
  // only; the views follow EntrySelected and ActiveTableChanged.
  // position -1: no current entry.
  void SelectEntry(TableKind kind, int position);
  void SetActiveTable(TableKind kind);
  // Every change of the tables is one step here, back to the start.
  QUndoStack* const UndoStack;
  // Puts both tables back as they were before or after a step.
  void RestoreTables(const PairSnapshot& state);
  // Does the table hold what no file holds?
  bool IsChanged(TableKind kind) const { return marks_.IsChanged(kind); }
  // Asks whether to quit although a table is changed; true: quit.
  bool ConfirmQuit();
  // Is the entry one the open comparison lists? The grids mark it.
  bool ComparisonMarked(const CodeTable& table, int position) const;
  // The list of the last comparison was closed: no entry is marked.
  void EndComparison();

  // Is this key combination the shortcut of a command? Such keys run the
  // command wherever the focus is, also in a field that would type them.
  bool IsCommandShortcut(const QKeySequence& keys) const;

  // Grid steps for the entry editors (Ctrl+arrows).
  int StepUp(const CodeTable& table) const;
  int StepDown(const CodeTable& table) const;
  int StepLeft(const CodeTable& table) const;
  int StepRight(const CodeTable& table) const;

  // Edits from the entry editors.
  void CommitPair(TableKind kind, int source, int target);
  void RemoveAssignment(TableKind kind, const QString& hex_text);

  // Files. Replaces the file only once all of it is written; why it was not, or
  // the empty text.
  static QString WriteFile(const QString& file_name, const std::vector<uint8_t>& bytes);
  // Asks for a table file and reads it; false when nothing was read.
  bool ReadTableFile(const QString& title, std::vector<uint8_t>& buffer);
  // Loads each file as "&automatische Erkennung" does (the command line):
  // paths as the system spells them, a relative one named with its full path.
  void OpenFiles(const std::vector<std::string>& paths);
  // Loads the one table file of a drop, or says why not.
  void OpenDrop(const QMimeData& data);

  // Colours.
  void SetActiveColor(int32_t color);
  void SetAmbiguousColor(int32_t color);
  void SetProofColor(int32_t color);

  // The windows of the ui, as plain widgets: printing draws them, and a
  // window closed with its close box is no longer shown.
  void SetTableWindow(TableKind kind, QWidget* window);
  void TableWindowClosed(TableKind kind);

 signals:
  // Printing put a window's picture on the page at place.
  void PicturePrinted(const QWidget& window, const QRect& place);
  // Entries, headers, the chain or the active table changed.
  void TablesChanged();
  void DisplayFontChanged();
  void WorkstationCharsetChanged();
  // The table windows are to show their cells at percent of their size.
  void ZoomChanged(int percent);
  void ColorsChanged();
  void SwapChanged();
  void TableWindowShownChanged(TableKind kind, bool shown);
  // A comparison's result; an empty list means no differences.
  void DifferencesFound(TableKind kind, const QString& other_name, const std::vector<Difference>& differences);
  // A comparison of the pair with a code page; no differences: nothing to list.
  void PageCompared(const PageComparison& comparison);
  void ComparisonMarksChanged();
  void QuitRequested();
  void SampleTextRequested();
  // The table's current entry is now position (-1: none).
  void EntrySelected(TableKind kind, int position);
  // kind is now the active table, the other one is not.
  void ActiveTableChanged(TableKind kind);
  // A table became changed or unchanged (IsChanged).
  void ChangeMarksChanged();

 private:
  // The commands' handlers, by the menu they serve; the actions call them.
  void SaveUnixFiles();
  void SaveV3File();
  void SaveV5File();
  void AppendCDeclarations();
  void AppendPascalDeclarations();
  void SaveUcmFile();
  void SavePythonCodec();
  void SaveJavaCharset();
  void PrintWindows();
  void RequestQuit();

  void ChainTables();
  void AnnounceSwap();
  void InvertExportIntoImport();
  void InvertImportIntoExport();
  void ClearBothTables();
  void ClearExportTable();
  void ClearImportTable();
  void CompareWithDin();
  void CompareWithTableFile();
  void CompareWithCodePage();
  void IdentifyNearestPages();

  void LoadRecognizedFile();
  void LoadImportFile();
  void LoadExportFile();
  void LoadUcmFile();
  void LoadCodePagePair();

  void UseCourierNew();
  void UseSansSerif();
  void UseFixedSys();
  void UseTerminal();
  void AskForFont();
  void AskChainedColor();
  void AskActiveColor();
  void AskProofColor();
  void AskAmbiguousColor();
  void EnlargeTableWindows();
  void ShrinkTableWindows();
  void ShowTableWindowsAtNormalSize();
  void UseIso8859Workstation();
  void UseWindows1252Workstation();

  void ToggleBothWindows();
  void ToggleExportWindow();
  void ToggleImportWindow();
  void FollowShownWindows();
  void RequestSampleText();

  void ShowHelpContents();
  void ShowAbout();

  void ApplyFont(DisplayFont* font);
  void SetChainedColor(int32_t color);

  QAction* MakeAction(const char* name, const QString& caption, void (Session::*handler)());
  PresetActions MakePresetActions(const PresetPair& preset, const char* both_name, const char* export_name,
                                  const char* import_name);
  void CreateActions();

  // Every change of the tables runs through here; the views follow once.
  // stepName names the step in "&Rückgängig" and "&Wiederholen".
  void ChangeTables(const QString& step_name, const std::function<void()>& change);
  void FollowUndoStack();
  void TableSaved(TableKind kind, const QString& file_name);
  void LoadPreset(const PresetPair& preset, TableKind kind);
  void LoadPresetPair(const PresetPair& preset);
  void LoadFromFile(TableKind kind);
  // Reads a whole table file, with the messages of a refused one.
  bool ReadNamedFile(const std::string& path, std::vector<uint8_t>& buffer);
  void LoadNamedFile(const std::string& path, TableKind kind);
  // A preset array, recognised as a 256-byte file would be.
  void LoadTableImage(const uint8_t (&bytes)[256], const char* name);
  // Refusals name fileName (none for a preset) and, for a file of another
  // length than a table file's, the lengths a table file has.
  void RunLoadPlan(const LoadPlan& plan, const QString& file_name, size_t length);
  void LoadImage(TableKind kind, const TableEntry (&entries)[256], const std::string& name);
  void Chain(bool on);
  void ClearTable(TableKind kind);
  void CopyInverse(TableKind destination);

  // Checks the setting's menu item and tells the views.
  void SetWorkstationCharset(Workstation workstation);
  // The code page dialog, its workstation character set preset to the
  // session's; false when cancelled, or with the message when there is no
  // page to offer.
  bool ChooseCodePage(const std::vector<int>& pages, const QString& no_page_message, Workstation& chosen);
  // Saves the chained pair as a file of another program (.ucm, codec,
  // charset): what names it in the dialog's title, notSaved in the box of a
  // failure ("EXPORT-IMPORT-" notSaved " nicht gespeichert!").
  void SavePairAs(const QString& what, const QString& not_saved, const QString& filter, const QString& extension,
                  const QString& proposed_name, TableFormat format);
  void SaveUnixTable(const CodeTable& table, const QString& proposed_name);
  void SaveDeclarations(const QString& filter, const QString& default_ext, const QString& title, TableFormat language);
  bool AppendDeclaration(std::vector<uint8_t>& bytes, const CodeTable& table, TableFormat language);
  // The table alone, in its place of the pair.
  FormatTables OneTable(const CodeTable& table) const;
  // Why the file could not be written, empty when it was; an existing file
  // of that name is then left as it was.
  QString WriteTables(TableFormat format, const FormatTables& tables, const QString& file_name) const;

  CodeTable& ComparedTable() const;
  void ShowDifferences(const CodeTable& table, const TableEntry (&other)[256], const QString& other_name);
  PairTargets CurrentTargets() const;
  void SetComparisonMarks(const std::bitset<256>& export_marks, const std::bitset<256>& import_marks);

  void ToggleTableWindow(TableKind kind);
  void SetZoom(int percent);
  int Step(const CodeTable& table, int unswapped, int swapped) const;

  std::unique_ptr<Prompter> prompter_;
  CodeTable export_record_{TableKind::kExport};
  CodeTable import_record_{TableKind::kImport};
  ChangeMarks marks_{export_record_, import_record_};
  // Which tables the running step loaded.
  bool loaded_export_ = false;
  bool loaded_import_ = false;
  // The folder of the last file loaded or saved; the dialogs start there.
  QString last_folder_;
  int zoom_ = 100;
  bool export_shown_ = false;
  bool import_shown_ = false;
  QWidget* export_window_ = nullptr;
  QWidget* import_window_ = nullptr;
  std::bitset<256> export_marks_;
  std::bitset<256> import_marks_;
  Workstation workstation_ = Workstation::kCp1252;
};

// The two hex digits of the byte value & 0xFF.
QString HexText(int value);
// The table's header line as the user reads it (its bytes are Latin-1).
QString HeaderText(const CodeTable& table);
// Gives the table the name of a display font for its header (none: no name).
void SetTableFont(CodeTable& table, const DisplayFont* font);
// A refused load's message with the file's name and, where its length is no
// table file's, the lengths a table file has, each on a line of its own.
QString LoadRefusal(const std::string& message, const QString& file_name, size_t length);
