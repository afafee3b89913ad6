// The dialog of "&Weitere Codepages ...": one EBCDIC code page of those the
// system's converter provides, the workstation character set and the
// newline swap of z/OS UNIX.
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "platform/prompter.h"

class QCheckBox;
class QListWidget;
class QPushButton;
class QRadioButton;

// "CP 1141  Deutschland, Österreich (Euro)"; pages without a known region
// read "CP n".
QString CodePageCaption(int code_page);

class CodePageDialog : public QDialog {
  Q_OBJECT

 public:
  // Lists the pages of available in their order and preselects choice.
  CodePageDialog(const CodePageChoice& choice, const std::vector<int>& available, QWidget* parent = nullptr);

  QListWidget* ListCodePages;
  QRadioButton* RbIso8859;
  QRadioButton* RbWindows1252;
  QCheckBox* CbSwapNl;

  // The choice as the controls show it; CodePage -1 while none is selected.
  CodePageChoice Choice() const;

 private:
  void UpdateOk();

  std::vector<int> pages_;
  QPushButton* ok_;
};
