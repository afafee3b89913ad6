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

#include "model/codetab.h"
#include "platform/fontobj.h"
#include "platform/prompter.h"

class TDiffList;
class TListBoxForm;
class QFile;
class QIODevice;
class QRect;
class QWidget;

class TDM1 : public QObject {
  Q_OBJECT

 public:
  explicit TDM1(QObject* parent = nullptr);
  ~TDM1() override;

  // Dialogs. File dialog settings persist between uses, as the dialogs do.
  TFileDialogSettings OpenDialog1;
  TFont FontDialog1;
  TFileDialogSettings SaveDialog1;
  // The code page dialog keeps the last choice, as the file dialogs do.
  TCodePageChoice CodePageDialog1;
  TPrompter& Prompter() const { return *prompter_; }
  void SetPrompter(std::unique_ptr<TPrompter> prompter);

  // Actions, in declared order.
  QAction* BeendenAction;
  QAction* ChainTablesAction;
  QAction* ClearBoth;
  QAction* ClearExport;
  QAction* ClearImport;
  QAction* ColorActiveAction;
  QAction* ColorAmbiguousAction;
  QAction* ColorProofAction;
  QAction* ColorChainedAction;
  QAction* CopyExport2Import;
  QAction* CopyImport2Export;
  QAction* DoSwap;
  QAction* FontCourierNew;
  QAction* FontFixedSys;
  QAction* FontSansSerif;
  QAction* FontSetzen;
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
  QAction* SpeichernUnix;
  QAction* SpeichernWindowsQavo3;
  QAction* SpeichernWindowsQavo5;
  QAction* SpeichernCHeader;
  QAction* SpeichernPascal;
  QAction* ShowComplete;
  QAction* Drucken;
  QAction* Help;
  // Code page pairs from the system's converter, and comparisons.
  QAction* MoreCodePages;
  QAction* CompareDin;
  QAction* CompareTable;

  // Session fields.
  TCodeTab* ExportTable = nullptr;
  TCodeTab* ImportTable = nullptr;
  TListBoxForm* ExportWindow = nullptr;
  TListBoxForm* ImportWindow = nullptr;
  int32_t OemFont = 0;
  TFont* DisplayFont = nullptr;
  // The list window of the last comparison, created on first use.
  QPointer<TDiffList> DiffWindow;
  int32_t ChainedColor = -1;
  int32_t AmbiguousColor = -1;
  int32_t ActiveColor = 0;
  int32_t ProofColor = 0;
  int32_t NoDataColor = -1;

  void DataModuleCreate();
  void AttachExport(TCodeTab* table);
  void AttachImport(TCodeTab* table);

  // Grid steps for the entry editors (Ctrl+arrows).
  int StepUp(const TCodeTab& table) const;
  int StepDown(const TCodeTab& table) const;
  int StepLeft(const TCodeTab& table) const;
  int StepRight(const TCodeTab& table) const;

  // Files. WriteTableFile returns false when the file could not be written;
  // an existing file of that name is then left as it was.
  bool WriteTableFile(int format, const TCodeTab& table, const QString& fileName);
  bool ReadTableFile(std::vector<uint8_t>& buffer);
  // ReadTableFile with another title for OpenDialog1.
  bool ReadTableFile(const QString& title, std::vector<uint8_t>& buffer);
  void LoadTableImage(const uint8_t* bytes, int length, int kind, const QString& name);
  // A whole table's entries, from a 256-byte or a V5 image; name is 8-bit text.
  void LoadExportImage(const TEntry (&entries)[256], const std::string& name);
  void LoadImportImage(const TEntry (&entries)[256], const std::string& name);
  bool WriteCDeclaration(QIODevice& file, const TCodeTab& table);
  bool WritePascalDeclaration(QIODevice& file, const TCodeTab& table);

  // Fonts and colours.
  void ApplyFont(TFont* font);
  void SetChainedColor(int32_t color);
  void SetActiveColor(int32_t color);
  void SetAmbiguousColor(int32_t color);
  void SetProofColor(int32_t color);

  // Printing: told of every window picture put on the page and its place.
  std::function<void(const QWidget& window, const QRect& place)> PicturePrinted;

 public slots:
  void BeendenActionExecute();
  void ChainTablesActionExecute();
  void ClearBothExecute();
  void ClearExportExecute();
  void ClearImportExecute();
  void CopyExport2ImportExecute();
  void CopyImport2ExportExecute();
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
  void SpeichernUnixExecute();
  void SpeichernWindowsQavo3Execute();
  void SpeichernWindowsQavo5Execute();
  void SpeichernCHeaderExecute();
  void SpeichernPascalExecute();

  void ShowBothExecute();
  void ShowExportExecute();
  void ShowImportExecute();
  void ShowCompleteExecute();
  void DoSwapExecute();

  void FontCourierNewExecute();
  void FontFixedSysExecute();
  void FontSansSerifExecute();
  void FontTerminalExecute();
  void FontSetzenExecute();
  void ColorChainedActionExecute();
  void ColorActiveActionExecute();
  void ColorProofActionExecute();
  void ColorAmbiguousActionExecute();

  void DruckenExecute();
  void HelpExecute();

  void MoreCodePagesExecute();
  void CompareDinExecute();
  void CompareTableExecute();

 private:
  // One grid step: unswapped while DoSwap is unchecked, swapped while checked.
  int Step(const TCodeTab& table, int unswapped, int swapped) const;
  QAction* MakeAction(const char* name, const QString& caption, void (TDM1::*handler)());
  void CreateActions();
  void LoadImage(TCodeTab& table, TableKind kind, const TEntry (&entries)[256], const std::string& name);
  void SaveUnixTable(const TCodeTab& table, const QString& word, const QString& proposedName);
  TCodeTab& ComparedTable() const;
  void ShowDifferences(const TCodeTab& table, const TEntry (&other)[256], const QString& otherName);
  void SaveDeclarations(const QString& filter, const QString& defaultExt, const QString& title,
                        bool (TDM1::*write)(QIODevice&, const TCodeTab&));

  std::unique_ptr<TPrompter> prompter_;
};

extern TDM1* DM1;

// The table's header line as the user reads it (its bytes are Latin-1).
QString HeaderText(const TCodeTab& table);
// Gives the table a display font and that font's name (none: no name).
void SetTableFont(TCodeTab& table, TFont* font);
