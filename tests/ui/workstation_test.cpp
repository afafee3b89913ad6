// The workstation character set: byte 80 of the CP 1141 + ISO 8859-1 pair
// in the grid, its tooltip and the .ucm, in each setting.
#include <QApplication>
#include <QHelpEvent>
#include <QTemporaryDir>
#include <QToolTip>

#include "support/acceptance.h"
#include "support/session.h"
#include "support/tablefiles.h"

namespace {

using WorkstationCharset = SessionTest;

QString HoveredTooltip(const TableGrid& grid, int entry) {
  const CellRect cell = ItemRect(ItemOfEntry(grid, entry), grid.Cells->width());
  QHelpEvent hover(QEvent::ToolTip, QPoint(cell.X + 3, cell.Y + 3), QPoint());
  QApplication::sendEvent(grid.Cells, &hover);
  return QToolTip::text();
}

TEST_F(WorkstationCharset, Byte80OfTheCp1141IsoPairInEachSetting) {
  TheControl->show();
  prompter_->AnswerCodePage(CodePageChoice());  // CP 1141 against ISO 8859-1
  TheSession->MoreCodePages->trigger();
  const struct {
    QAction* Setting;
    QString Label, Cell, Character;
    const char* UcmLine;
  } settings[] = {
      {TheSession->WorkstationIso8859, "ISO 8859-1", QString(" ") + DisplayChar(0x0A, {}) + ":20", "<control-0080>",
       "\n<U0080> \\x20 |0\n"},
      {TheSession->WorkstationWindows1252, "Windows-1252", QString::fromUtf8(" €:20"),
       QString::fromUtf8("€  EURO SIGN"), "\n<U20AC> \\x20 |0\n"},
  };
  QTemporaryDir dir;
  for (const auto& setting : settings) {
    setting.Setting->trigger();
    EXPECT_EQ(TheControl->WorkstationCharsetLabel->text(), setting.Label);
    EXPECT_EQ(acceptance::DrawnEntry(TheControl->ExportWindow, 0x80).Text, setting.Cell);
    EXPECT_EQ(HoveredTooltip(*TheControl->ExportWindow->Grid, 0x80),
              "Position 80 (128)\nZeichen: " + setting.Character + QString::fromUtf8("\nZiel: 20\nbestätigt"));
    prompter_->AnswerFile(dir.filePath(setting.Label));
    TheSession->SaveUcm->trigger();
    EXPECT_TRUE(ReadBytes(dir.filePath(setting.Label)).contains(setting.UcmLine)) << setting.UcmLine;
  }
}

}  // namespace
