// The control window: the main menu, the EXPORT and IMPORT entry editors
// and the refresh that brings every view into step.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <cstdint>
#include <memory>

#include "model/codetab.h"
#include "platform/fontobj.h"
#include "ui/menurows.h"


class TFrame1;

// A hidden label that only carries a default font and colour.
class TSampleLabel : public QLabel {
  Q_OBJECT

 public:
  TSampleLabel(const char* name, const QString& caption, int32_t color, const TFont& font, QWidget* parent);
  int32_t Color;
  TFont SampleFont;
};

class TQctecp : public QMainWindow {
  Q_OBJECT

 public:
  explicit TQctecp(QWidget* owner = nullptr);
  ~TQctecp() override;

  QWidget* ToGether;
  QWidget* Panel2;
  TFrame1* FrmExport;
  QLabel* LblCurrentFont;
  TFrame1* FrmImport;
  TSampleLabel* LblFixedSys;
  TSampleLabel* LblSanSerif;
  TSampleLabel* LblNoData;
  TSampleLabel* LblActiv;
  TSampleLabel* LblOem;
  TSampleLabel* LblCurier;
  TSampleLabel* LblFont;
  TMenuRows* MainMenu1;

  TCodeTab ExportRecord{Export};
  TCodeTab ImportRecord{Import};

  void FormCreate();
  void ConnectExportTable(TCodeTab* table);
  void ConnectImportTable(TCodeTab* table);
  void RefreshViews();
  void SelectExportEntry(int position);
  void SelectImportEntry(int position);
  void FrmExportHeaderBoxEnter();
  void FrmImportHeaderBoxEnter();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildForm();
  void BuildMenu();
  void FormShow();
  void FormClose();
  bool shown_ = false;
};

extern TQctecp* Qctecp;
