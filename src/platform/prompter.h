// The one door for every modal exchange with the user: file dialogs,
// message boxes, the font, colour and print dialogs and the beep. The
// program installs QtPrompter; tests install a scripted one.
#pragma once

#include <QColor>
#include <QString>
#include <vector>

class QPrinter;
struct DisplayFont;

// Settings of an open or save dialog. Filter is written as
// "Text|pattern|Text|pattern"; FilterIndex is 1-based and keeps the user's
// last choice between uses.
struct FileDialogSettings {
  QString Title;
  QString Filter;
  int FilterIndex = 1;
  QString DefaultExt;
  QString FileName;
  bool OverwritePrompt = false;
  // The folder the dialog starts in; empty: the one of FileName, or Qt's.
  QString Folder;
};

// Choice of the code page dialog: an EBCDIC code page, the workstation
// character set (ISO 8859-1 or Windows-1252) and whether EBCDIC 15 and 25
// change places, as z/OS UNIX needs.
struct CodePageChoice {
  int CodePage = 1141;
  bool Windows1252 = false;
  bool SwapNl = false;
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  // Each returns false when the user cancels; the chosen file goes to
  // settings.FileName, the chosen filter to settings.FilterIndex.
  virtual bool OpenFile(FileDialogSettings& settings) = 0;
  virtual bool SaveFile(FileDialogSettings& settings) = 0;
  // "Information" box with OK.
  virtual void Information(const QString& text) = 0;
  // "Bestätigung" box with OK and Abbrechen, Abbrechen the default; true
  // only for OK.
  virtual bool Confirm(const QString& text) = 0;
  // Plain message box with OK, titled with the application title.
  virtual void Message(const QString& text) = 0;
  // "File Error" box with OK and Cancel; the answer is not used.
  virtual void FileError(const QString& text) = 0;
  virtual bool ChooseFont(DisplayFont& font) = 0;
  virtual bool ChooseColor(QColor& color) = 0;
  virtual bool ChoosePrinter(QPrinter& printer) = 0;
  virtual void Beep() = 0;
  // The about box of "&Info".
  virtual void About(const QString& title, const QString& text) = 0;
  // The code page dialog, offering the pages of available; false when
  // cancelled, choice then unchanged.
  virtual bool ChooseCodePage(CodePageChoice& choice, const std::vector<int>& available) = 0;
};

class QtPrompter : public Prompter {
 public:
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
};

// Qt name filters for a "Text|pattern|..." filter: each entry reads as its
// text with the pattern, shown once, in place of the text's own list.
QStringList NameFilters(const QString& filter);
