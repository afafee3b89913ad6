// The benchmark's prompter: every open dialog picks one file, every other
// exchange is cancelled at once, so no dialog ever blocks a measurement.
#pragma once

#include "platform/prompter.h"

class BenchPrompter : public Prompter {
 public:
  QString OpenFileName;

  bool OpenFile(FileDialogSettings& settings) override;
  bool SaveFile(FileDialogSettings& settings) override;
  void Information(const QString& text) override;
  bool Confirm(const QString& text) override;
  void Message(const QString& text) override;
  void FileError(const QString& text) override;
  bool ChooseFont(DisplayFont& font) override;
  bool ChooseColor(QColor& color) override;
  bool ChoosePrinter(QPrinter& printer) override;
  void Beep() override;
  void About(const QString& title, const QString& text) override;
  bool ChooseCodePage(CodePageChoice& choice, const std::vector<int>& available) override;

  // Messages that a measurement did not expect: a refused load, a warning.
  int Unexpected = 0;
};
