// The session: every command of the program as an action, the dialog
// settings, and the state that all windows share. One instance, DM1.
#pragma once

#include <QAction>
#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/codetable.h"
#include "platform/displayfont.h"
#include "platform/prompter.h"

class DifferenceList;
class TableWindow;
class QFile;
class QIODevice;
class QRect;
class QWidget;

class Session : public QObject {
  Q_OBJECT

 public:
  explicit Session(QObject* parent = nullptr);
  ~Session() override;

  // Dialogs. File dialog settings persist between uses, as the dialogs do.
  FileDialogSettings OpenDialog;
  DisplayFont FontDialog;
  FileDialogSettings SaveDialog;
  // The code page dialog keeps the last choice, as the file dialogs do.
  CodePageChoice CodePageDialogChoice;
  Prompter& Prompt() const { return *prompter_; }
  void SetPrompter(std::unique_ptr<Prompter> prompter);

  // Actions, in declared order.
  QAction* Quit;
  QAction* ChainTablesAction;
  QAction* ClearBoth;
  QAction* ClearExport;
  QAction* ClearImport;
  QAction* ColorActiveAction;
  QAction* ColorAmbiguousAction;
  QAction* ColorProofAction;
  QAction* ColorChainedAction;
  QAction* CopyExportToImport;
  QAction* CopyImportToExport;
  QAction* SwapRowsColumns;
  QAction* FontCourierNew;
  QAction* FontFixedSys;
  QAction* FontSansSerif;
  QAction* ChooseFont;
  QAction* FontTerminal;
  QAction* LoadDIN;
  QAction* LoadIsoCp273;
  QAction* LoadIsoCp37;
  QAction* LoadUnix;
  QAction* LoadDinExport;
  QAction* LoadIsoExportCp273;
  QAction* LoadIsoExportCp37;
  QAction* LoadUnixExport;
  QAction* LoadDinImport;
  QAction* LoadIsoImportCp273;
  QAction* LoadIsoImportCp37;
  QAction* LoadUnixImport;
  QAction* LoadExport;
  QAction* LoadImport;
  QAction* LoadTableFile;
  QAction* MakeDiff2DIN;
  QAction* MakeDiff2Table;
  QAction* ShowBoth;
  QAction* ShowExport;
  QAction* ShowImport;
  QAction* SaveUnix;
  QAction* SaveV3;
  QAction* SaveV5;
  QAction* SaveCHeader;
  QAction* SavePascal;
  QAction* ShowComplete;
  QAction* Print;
  QAction* Help;
  // Code page pairs from the system's converter, and comparisons.
  QAction* MoreCodePages;
  QAction* CompareDin;
  QAction* CompareTable;

  // Session fields.
  CodeTable* ExportTable = nullptr;
  CodeTable* ImportTable = nullptr;
  TableWindow* ExportWindow = nullptr;
  TableWindow* ImportWindow = nullptr;
  int32_t OemFont = 0;
  DisplayFont* CurrentFont = nullptr;
  // The list window of the last comparison, created on first use.
  QPointer<DifferenceList> DifferenceWindow;
  int32_t ChainedColor = -1;
  int32_t AmbiguousColor = -1;
  int32_t ActiveColor = 0;
  int32_t ProofColor = 0;
  int32_t NoDataColor = -1;

  void DataModuleCreate();
  void AttachExport(CodeTable* table);
  void AttachImport(CodeTable* table);

  // Grid steps for the entry editors (Ctrl+arrows).
  int StepUp(const CodeTable& table) const;
  int StepDown(const CodeTable& table) const;
  int StepLeft(const CodeTable& table) const;
  int StepRight(const CodeTable& table) const;

  // Files. WriteTableFile returns false when the file could not be written;
  // an existing file of that name is then left as it was.
  bool WriteTableFile(int format, const CodeTable& table, const QString& fileName);
  bool ReadTableFile(std::vector<uint8_t>& buffer);
  // ReadTableFile with another title for OpenDialog.
  bool ReadTableFile(const QString& title, std::vector<uint8_t>& buffer);
  void LoadTableImage(const uint8_t* bytes, int length, int kind, const QString& name);
  // A whole table's entries, from a 256-byte or a V5 image; name is 8-bit text.
  void LoadExportImage(const TableEntry (&entries)[256], const std::string& name);
  void LoadImportImage(const TableEntry (&entries)[256], const std::string& name);
  bool WriteCDeclaration(QIODevice& file, const CodeTable& table);
  bool WritePascalDeclaration(QIODevice& file, const CodeTable& table);

  // Fonts and colours.
  void ApplyFont(DisplayFont* font);
  void SetChainedColor(int32_t color);
  void SetActiveColor(int32_t color);
  void SetAmbiguousColor(int32_t color);
  void SetProofColor(int32_t color);

  // Printing: told of every window picture put on the page and its place.
  std::function<void(const QWidget& window, const QRect& place)> PicturePrinted;

 public slots:
  void QuitExecute();
  void ChainTablesActionExecute();
  void ClearBothExecute();
  void ClearExportExecute();
  void ClearImportExecute();
  void CopyExportToImportExecute();
  void CopyImportToExportExecute();
  void MakeDiff2DINExecute();
  void MakeDiff2TableExecute();

  void LoadDINExecute();
  void LoadDinExportExecute();
  void LoadDinImportExecute();
  void LoadIsoCp273Execute();
  void LoadIsoExportCp273Execute();
  void LoadIsoImportCp273Execute();
  void LoadIsoCp37Execute();
  void LoadIsoExportCp37Execute();
  void LoadIsoImportCp37Execute();
  void LoadUnixExecute();
  void LoadUnixExportExecute();
  void LoadUnixImportExecute();

  void LoadTableFileExecute();
  void LoadExportExecute();
  void LoadImportExecute();
  void SaveUnixExecute();
  void SaveV3Execute();
  void SaveV5Execute();
  void SaveCHeaderExecute();
  void SavePascalExecute();

  void ShowBothExecute();
  void ShowExportExecute();
  void ShowImportExecute();
  void ShowCompleteExecute();
  void SwapRowsColumnsExecute();

  void FontCourierNewExecute();
  void FontFixedSysExecute();
  void FontSansSerifExecute();
  void FontTerminalExecute();
  void ChooseFontExecute();
  void ColorChainedActionExecute();
  void ColorActiveActionExecute();
  void ColorProofActionExecute();
  void ColorAmbiguousActionExecute();

  void PrintExecute();
  void HelpExecute();

  void MoreCodePagesExecute();
  void CompareDinExecute();
  void CompareTableExecute();

 private:
  // One grid step: unswapped while SwapRowsColumns is unchecked, swapped while checked.
  int Step(const CodeTable& table, int unswapped, int swapped) const;
  QAction* MakeAction(const char* name, const QString& caption, void (Session::*handler)());
  void CreateActions();
  void LoadImage(CodeTable& table, TableKind kind, const TableEntry (&entries)[256], const std::string& name);
  void SaveUnixTable(const CodeTable& table, const QString& word, const QString& proposedName);
  CodeTable& ComparedTable() const;
  void ShowDifferences(const CodeTable& table, const TableEntry (&other)[256], const QString& otherName);
  void SaveDeclarations(const QString& filter, const QString& defaultExt, const QString& title,
                        bool (Session::*write)(QIODevice&, const CodeTable&));

  std::unique_ptr<Prompter> prompter_;
};

extern Session* DM1;

// The table's header line as the user reads it (its bytes are Latin-1).
QString HeaderText(const CodeTable& table);
// Gives the table a display font and that font's name (none: no name).
void SetTableFont(CodeTable& table, DisplayFont* font);
