// The control window: the main menu, the EXPORT and IMPORT entry editors
// and the refresh that brings every view into step.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <cstdint>
#include <memory>

#include "model/codetable.h"
#include "platform/displayfont.h"
#include "ui/menurows.h"


class EntryEditor;

// A hidden label that only carries a default font and colour.
class SampleLabel : public QLabel {
  Q_OBJECT

 public:
  SampleLabel(const char* name, const QString& caption, int32_t color, const DisplayFont& font, QWidget* parent);
  int32_t Color;
  DisplayFont SampleFont;
};

class ControlWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit ControlWindow(QWidget* owner = nullptr);
  ~ControlWindow() override;

  QWidget* ChainMargin;
  QWidget* Panel2;
  EntryEditor* ExportEditor;
  QLabel* CurrentFontLabel;
  EntryEditor* ImportEditor;
  SampleLabel* LblFixedSys;
  SampleLabel* LblSanSerif;
  SampleLabel* LblNoData;
  SampleLabel* LblActiv;
  SampleLabel* LblOem;
  SampleLabel* LblCurier;
  SampleLabel* LblFont;
  MenuRows* Menu;

  CodeTable ExportRecord{Export};
  CodeTable ImportRecord{Import};

  void FormCreate();
  void ConnectExportTable(CodeTable* table);
  void ConnectImportTable(CodeTable* table);
  void RefreshViews();
  void SelectExportEntry(int position);
  void SelectImportEntry(int position);
  void ExportEditorEntered();
  void ImportEditorEntered();

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

extern ControlWindow* Qctecp;
