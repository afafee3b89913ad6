#include "benchprompter.h"

bool BenchPrompter::OpenFile(FileDialogSettings& settings) {
  if (OpenFileName.isEmpty()) return false;
  settings.FileName = OpenFileName;
  return true;
}

bool BenchPrompter::SaveFile(FileDialogSettings&) { return false; }
void BenchPrompter::Information(const QString&) { ++Unexpected; }
bool BenchPrompter::Confirm(const QString&) { return false; }
void BenchPrompter::Message(const QString&) { ++Unexpected; }
void BenchPrompter::FileError(const QString&) { ++Unexpected; }
bool BenchPrompter::ChooseFont(DisplayFont&) { return false; }
bool BenchPrompter::ChooseColor(QColor&) { return false; }
bool BenchPrompter::ChoosePrinter(QPrinter&) { return false; }
void BenchPrompter::Beep() { ++Unexpected; }
void BenchPrompter::About(const QString&, const QString&) {}

bool BenchPrompter::ChooseCodePage(CodePageChoice&, const std::vector<int>&) { return false; }
