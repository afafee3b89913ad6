#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>

#include "platform/codepagedialog.h"
#include "platform/displayfont.h"
#include "platform/prompter.h"

QStringList NameFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList result;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    // Qt shows and filters by the last parenthesised list: the text's own
    // list gives way to the pattern, so each pattern shows once and is the
    // one that filters.
    QString text = parts[i].trimmed();
    if (text.endsWith(')') && text.lastIndexOf('(') > 0) text = text.left(text.lastIndexOf('(')).trimmed();
    result << text + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
  }
  return result;
}

namespace {

bool RunFileDialog(FileDialogSettings& settings, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(QApplication::activeWindow(), settings.Title);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  const QStringList filters = NameFilters(settings.Filter);
  dialog.setNameFilters(filters);
  if (settings.FilterIndex >= 1 && settings.FilterIndex <= filters.size())
    dialog.selectNameFilter(filters[settings.FilterIndex - 1]);
  dialog.setDefaultSuffix(settings.DefaultExt);
  if (!settings.Folder.isEmpty()) dialog.setDirectory(settings.Folder);
  // A file name with a path would take the dialog to its own folder.
  const QString name = settings.Folder.isEmpty() ? settings.FileName : QFileInfo(settings.FileName).fileName();
  if (!name.isEmpty()) dialog.selectFile(name);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.OverwritePrompt);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  settings.FileName = dialog.selectedFiles().first();
  settings.FilterIndex = filters.indexOf(dialog.selectedNameFilter()) + 1;
  return true;
}

void Box(QMessageBox::Icon icon, const QString& title, const QString& text) {
  QMessageBox box(icon, title, text, QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

}  // namespace

bool QtPrompter::OpenFile(FileDialogSettings& settings) { return RunFileDialog(settings, QFileDialog::AcceptOpen); }

bool QtPrompter::SaveFile(FileDialogSettings& settings) { return RunFileDialog(settings, QFileDialog::AcceptSave); }

void QtPrompter::Information(const QString& text) { Box(QMessageBox::Information, "Information", text); }

bool QtPrompter::Confirm(const QString& text) {
  QMessageBox box(QMessageBox::Question, QString::fromUtf8("Bestätigung"), text, QMessageBox::NoButton,
                  QApplication::activeWindow());
  QPushButton* ok = box.addButton("OK", QMessageBox::AcceptRole);
  // Enter must not say yes to what cannot be taken back.
  box.setDefaultButton(box.addButton("Abbrechen", QMessageBox::RejectRole));
  box.exec();
  return box.clickedButton() == ok;
}

void QtPrompter::Message(const QString& text) { Box(QMessageBox::NoIcon, QApplication::applicationName(), text); }

void QtPrompter::FileError(const QString& text) {
  QMessageBox box(QMessageBox::Critical, "File Error", text, QMessageBox::Ok | QMessageBox::Cancel,
                  QApplication::activeWindow());
  box.exec();
}

bool QtPrompter::ChooseFont(DisplayFont& font) {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, font.ToQFont(), QApplication::activeWindow());
  if (ok) font = DisplayFont::FromQFont(chosen);
  return ok;
}

bool QtPrompter::ChooseColor(QColor& color) {
  const QColor chosen = QColorDialog::getColor(color, QApplication::activeWindow());
  if (!chosen.isValid()) return false;
  color = chosen;
  return true;
}

bool QtPrompter::ChoosePrinter(QPrinter& printer) {
  QPrintDialog dialog(&printer, QApplication::activeWindow());
  return dialog.exec() == QDialog::Accepted;
}

void QtPrompter::Beep() { QApplication::beep(); }

void QtPrompter::About(const QString& title, const QString& text) {
  QMessageBox::about(QApplication::activeWindow(), title, text);
}

bool QtPrompter::ChooseCodePage(CodePageChoice& choice, const std::vector<int>& available) {
  CodePageDialog dialog(choice, available, QApplication::activeWindow());
  if (dialog.exec() != QDialog::Accepted) return false;
  const CodePageChoice chosen = dialog.Choice();
  if (chosen.CodePage == -1) return false;
  choice = chosen;
  return true;
}
