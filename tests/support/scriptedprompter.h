// A prompter for tests: answers from a queue and records every call.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "platform/fontobj.h"
#include "platform/prompter.h"

struct TPromptCall {
  QString Kind;  // "open", "save", "information", "confirm", "message", "fileerror", "font", "color", "print", "beep", "about", "codepage"
  QString Title;
  QString Text;
  QStringList Buttons;
  TFileDialogSettings Settings;  // for "open" and "save", as the dialog was set
  std::vector<int> CodePages;    // for "codepage", the pages offered
  TCodePageChoice CodePage;      // for "codepage", the choice it was shown with
};

struct TPromptAnswer {
  bool Accept = false;
  QString FileName;  // open / save / print (PDF output file)
  TFont Font;
  QColor Color;
  TCodePageChoice CodePage;
};

class TScriptedPrompter : public TPrompter {
 public:
  std::vector<TPromptCall> Calls;
  std::deque<TPromptAnswer> Answers;  // an empty queue answers "cancel"

  void AnswerFile(const QString& fileName);
  void AnswerOk();
  void AnswerCancel();
  void AnswerFont(const TFont& font);
  void AnswerColor(const QColor& color);
  void AnswerPrinter(const QString& pdfFileName);
  void AnswerCodePage(const TCodePageChoice& choice);

  // The calls of one kind, and how many beeps there were.
  std::vector<TPromptCall> CallsOf(const QString& kind) const;
  int Beeps() const;
  void Clear();

  bool OpenFile(TFileDialogSettings& settings) override;
  bool SaveFile(TFileDialogSettings& settings) override;
  void Information(const QString& text) override;
  bool Confirm(const QString& text) override;
  void Message(const QString& text) override;
  void FileError(const QString& text) override;
  bool ChooseFont(TFont& font) override;
  bool ChooseColor(QColor& color) override;
  bool ChoosePrinter(QPrinter& printer) override;
  void Beep() override;
  void About(const QString& title, const QString& text) override;
  bool ChooseCodePage(TCodePageChoice& choice, const std::vector<int>& available) override;

 private:
  TPromptAnswer Next();
  bool File(const QString& kind, TFileDialogSettings& settings);
};
