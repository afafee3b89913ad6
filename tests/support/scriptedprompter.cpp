#include "support/scriptedprompter.h"

#include <QApplication>
#include <QPrinter>

void ScriptedPrompter::AnswerFile(const QString& file_name) {
  PromptAnswer answer;
  answer.Accept = true;
  answer.FileName = file_name;
  Answers.push_back(answer);
}

void ScriptedPrompter::AnswerOk() {
  PromptAnswer answer;
  answer.Accept = true;
  Answers.push_back(answer);
}

void ScriptedPrompter::AnswerCancel() { Answers.push_back(PromptAnswer()); }

void ScriptedPrompter::AnswerFont(const DisplayFont& font) {
  PromptAnswer answer;
  answer.Accept = true;
  answer.Font = font;
  Answers.push_back(answer);
}

void ScriptedPrompter::AnswerColor(const QColor& color) {
  PromptAnswer answer;
  answer.Accept = true;
  answer.Color = color;
  Answers.push_back(answer);
}

void ScriptedPrompter::AnswerPrinter(const QString& pdf_file_name) { AnswerFile(pdf_file_name); }

void ScriptedPrompter::AnswerCodePage(const CodePageChoice& choice) {
  PromptAnswer answer;
  answer.Accept = true;
  answer.CodePage = choice;
  Answers.push_back(answer);
}

std::vector<PromptCall> ScriptedPrompter::CallsOf(const QString& kind) const {
  std::vector<PromptCall> result;
  for (const PromptCall& call : Calls)
    if (call.Kind == kind) result.push_back(call);
  return result;
}

std::vector<QString> ScriptedPrompter::TextsOf(const QString& kind) const {
  std::vector<QString> texts;
  for (const PromptCall& call : CallsOf(kind)) texts.push_back(call.Text);
  return texts;
}

int ScriptedPrompter::Beeps() const { return static_cast<int>(CallsOf("beep").size()); }

void ScriptedPrompter::Clear() {
  Calls.clear();
  Answers.clear();
}

PromptAnswer ScriptedPrompter::Next() {
  if (Answers.empty()) return PromptAnswer();
  PromptAnswer answer = Answers.front();
  Answers.pop_front();
  return answer;
}

bool ScriptedPrompter::File(const QString& kind, FileDialogSettings& settings) {
  Calls.push_back({kind, settings.Title, QString(), {}, settings, {}, {}});
  const PromptAnswer answer = Next();
  if (!answer.Accept) return false;
  settings.FileName = answer.FileName;
  return true;
}

bool ScriptedPrompter::OpenFile(FileDialogSettings& settings) { return File("open", settings); }

bool ScriptedPrompter::SaveFile(FileDialogSettings& settings) { return File("save", settings); }

void ScriptedPrompter::Information(const QString& text) {
  Calls.push_back({"information", "Information", text, {"OK"}, {}, {}, {}});
}

bool ScriptedPrompter::Confirm(const QString& text) {
  Calls.push_back({"confirm", QString::fromUtf8("Bestätigung"), text, {"OK", "Abbrechen"}, {}, {}, {}});
  return Next().Accept;
}

void ScriptedPrompter::Message(const QString& text) {
  Calls.push_back({"message", QApplication::applicationName(), text, {"OK"}, {}, {}, {}});
}

void ScriptedPrompter::FileError(const QString& text) {
  Calls.push_back({"fileerror", "File Error", text, {"OK", "Cancel"}, {}, {}, {}});
}

bool ScriptedPrompter::ChooseFont(DisplayFont& font) {
  Calls.push_back({"font", QString(), font.Name, {}, {}, {}, {}});
  const PromptAnswer answer = Next();
  if (answer.Accept) font = answer.Font;
  return answer.Accept;
}

bool ScriptedPrompter::ChooseColor(QColor& color) {
  Calls.push_back({"color", QString(), color.name(), {}, {}, {}, {}});
  const PromptAnswer answer = Next();
  if (answer.Accept) color = answer.Color;
  return answer.Accept;
}

bool ScriptedPrompter::ChoosePrinter(QPrinter& printer) {
  Calls.push_back({"print", QString(), QString(), {}, {}, {}, {}});
  const PromptAnswer answer = Next();
  if (!answer.Accept) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(answer.FileName);
  return true;
}

void ScriptedPrompter::Beep() { Calls.push_back({"beep", QString(), QString(), {}, {}, {}, {}}); }

void ScriptedPrompter::About(const QString& title, const QString& text) {
  Calls.push_back({"about", title, text, {"OK"}, {}, {}, {}});
}

bool ScriptedPrompter::ChooseCodePage(CodePageChoice& choice, const std::vector<int>& available) {
  PromptCall call;
  call.Kind = "codepage";
  call.CodePages = available;
  call.CodePage = choice;
  Calls.push_back(call);
  const PromptAnswer answer = Next();
  if (answer.Accept) choice = answer.CodePage;
  return answer.Accept;
}
