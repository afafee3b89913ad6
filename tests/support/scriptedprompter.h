// A prompter for tests: answers from a queue and records every call.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "platform/displayfont.h"
#include "platform/prompter.h"

struct PromptCall {
  QString Kind;  // "open", "save", "information", "confirm", "message", "fileerror", "font", "color", "print", "beep",
                 // "about", "codepage"
  QString Title;
  QString Text;
  QStringList Buttons;
  FileDialogSettings Settings;  // for "open" and "save", as the dialog was set
  std::vector<int> CodePages;   // for "codepage", the pages offered
  CodePageChoice CodePage;      // for "codepage", the choice it was shown with
};

struct PromptAnswer {
  bool Accept = false;
  QString FileName;  // open / save / print (PDF output file)
  DisplayFont Font;
  QColor Color;
  CodePageChoice CodePage;
};

class ScriptedPrompter : public Prompter {
 public:
  std::vector<PromptCall> Calls;
  std::deque<PromptAnswer> Answers;  // an empty queue answers "cancel"

  void AnswerFile(const QString& file_name);
  void AnswerOk();
  void AnswerCancel();
  void AnswerFont(const DisplayFont& font);
  void AnswerColor(const QColor& color);
  void AnswerPrinter(const QString& pdf_file_name);
  void AnswerCodePage(const CodePageChoice& choice);

  // The calls of one kind, their texts in order, and how many beeps there were.
  std::vector<PromptCall> CallsOf(const QString& kind) const;
  std::vector<QString> TextsOf(const QString& kind) const;
  int Beeps() const;
  void Clear();

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

 private:
  PromptAnswer Next();
  bool File(const QString& kind, FileDialogSettings& settings);
};
