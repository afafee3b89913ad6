#include "benchprompter.h"

bool TBenchPrompter::OpenFile(TFileDialogSettings& settings) {
  if (OpenFileName.isEmpty()) return false;
  settings.FileName = OpenFileName;
  return true;
}

bool TBenchPrompter::SaveFile(TFileDialogSettings&) { return false; }
void TBenchPrompter::Information(const QString&) { ++Unexpected; }
bool TBenchPrompter::Confirm(const QString&) { return false; }
void TBenchPrompter::Message(const QString&) { ++Unexpected; }
void TBenchPrompter::FileError(const QString&) { ++Unexpected; }
bool TBenchPrompter::ChooseFont(TFont&) { return false; }
bool TBenchPrompter::ChooseColor(QColor&) { return false; }
bool TBenchPrompter::ChoosePrinter(QPrinter&) { return false; }
void TBenchPrompter::Beep() { ++Unexpected; }
void TBenchPrompter::About(const QString&, const QString&) {}

bool TBenchPrompter::ChooseCodePage(TCodePageChoice&, const std::vector<int>&) { return false; }
