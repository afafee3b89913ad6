#include "support/scriptedprompter.h"

#include <QApplication>
#include <QPrinter>

void TScriptedPrompter::AnswerFile(const QString& fileName) {
  TPromptAnswer answer;
  answer.Accept = true;
  answer.FileName = fileName;
  Answers.push_back(answer);
}

void TScriptedPrompter::AnswerOk() {
  TPromptAnswer answer;
  answer.Accept = true;
  Answers.push_back(answer);
}

void TScriptedPrompter::AnswerCancel() { Answers.push_back(TPromptAnswer()); }

void TScriptedPrompter::AnswerFont(const TFont& font) {
  TPromptAnswer answer;
  answer.Accept = true;
  answer.Font = font;
  Answers.push_back(answer);
}

void TScriptedPrompter::AnswerColor(const QColor& color) {
  TPromptAnswer answer;
  answer.Accept = true;
  answer.Color = color;
  Answers.push_back(answer);
}

void TScriptedPrompter::AnswerPrinter(const QString& pdfFileName) { AnswerFile(pdfFileName); }

void TScriptedPrompter::AnswerCodePage(const TCodePageChoice& choice) {
  TPromptAnswer answer;
  answer.Accept = true;
  answer.CodePage = choice;
  Answers.push_back(answer);
}

std::vector<TPromptCall> TScriptedPrompter::CallsOf(const QString& kind) const {
  std::vector<TPromptCall> result;
  for (const TPromptCall& call : Calls)
    if (call.Kind == kind) result.push_back(call);
  return result;
}

int TScriptedPrompter::Beeps() const { return static_cast<int>(CallsOf("beep").size()); }

void TScriptedPrompter::Clear() {
  Calls.clear();
  Answers.clear();
}

TPromptAnswer TScriptedPrompter::Next() {
  if (Answers.empty()) return TPromptAnswer();
  TPromptAnswer answer = Answers.front();
  Answers.pop_front();
  return answer;
}

bool TScriptedPrompter::File(const QString& kind, TFileDialogSettings& settings) {
  Calls.push_back({kind, settings.Title, QString(), {}, settings, {}, {}});
  const TPromptAnswer answer = Next();
  if (!answer.Accept) return false;
  settings.FileName = answer.FileName;
  return true;
}

bool TScriptedPrompter::OpenFile(TFileDialogSettings& settings) { return File("open", settings); }

bool TScriptedPrompter::SaveFile(TFileDialogSettings& settings) { return File("save", settings); }

void TScriptedPrompter::Information(const QString& text) {
  Calls.push_back({"information", "Information", text, {"OK"}, {}, {}, {}});
}

bool TScriptedPrompter::Confirm(const QString& text) {
  Calls.push_back({"confirm", QString::fromUtf8("Bestätigung"), text, {"OK", "Abbrechen"}, {}, {}, {}});
  return Next().Accept;
}

void TScriptedPrompter::Message(const QString& text) {
  Calls.push_back({"message", QApplication::applicationName(), text, {"OK"}, {}, {}, {}});
}

void TScriptedPrompter::FileError(const QString& text) {
  Calls.push_back({"fileerror", "File Error", text, {"OK", "Cancel"}, {}, {}, {}});
}

bool TScriptedPrompter::ChooseFont(TFont& font) {
  Calls.push_back({"font", QString(), font.Name, {}, {}, {}, {}});
  const TPromptAnswer answer = Next();
  if (answer.Accept) font = answer.Font;
  return answer.Accept;
}

bool TScriptedPrompter::ChooseColor(QColor& color) {
  Calls.push_back({"color", QString(), color.name(), {}, {}, {}, {}});
  const TPromptAnswer answer = Next();
  if (answer.Accept) color = answer.Color;
  return answer.Accept;
}

bool TScriptedPrompter::ChoosePrinter(QPrinter& printer) {
  Calls.push_back({"print", QString(), QString(), {}, {}, {}, {}});
  const TPromptAnswer answer = Next();
  if (!answer.Accept) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(answer.FileName);
  return true;
}

void TScriptedPrompter::Beep() { Calls.push_back({"beep", QString(), QString(), {}, {}, {}, {}}); }

void TScriptedPrompter::About(const QString& title, const QString& text) {
  Calls.push_back({"about", title, text, {"OK"}, {}, {}, {}});
}

bool TScriptedPrompter::ChooseCodePage(TCodePageChoice& choice, const std::vector<int>& available) {
  TPromptCall call;
  call.Kind = "codepage";
  call.CodePages = available;
  call.CodePage = choice;
  Calls.push_back(call);
  const TPromptAnswer answer = Next();
  if (answer.Accept) choice = answer.CodePage;
  return answer.Accept;
}
