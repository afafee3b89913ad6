// The tooltips of grid cells and editor fields: the entry in words.
#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

#include "support/session.h"
#include "ui/entrydescription.h"
#include "ui/entryeditor.h"
#include "ui/tablegrid.h"
#include "ui/tablewindow.h"

namespace {

const QString kAgrave = QString::fromUtf8("À");

using Tooltips = SessionTest;

TEST_F(Tooltips, EachStateOfAnEntryInWords) {
  CodeTable& exp = ExportTable();
  EXPECT_EQ(DescribeEntry(exp, 0xC0, {}), "Position C0 (192)\nZeichen: " + kAgrave +
                                              "  LATIN CAPITAL LETTER A WITH GRAVE\nZiel: --\nnicht zugeordnet");
  exp.Assign(0xC0, 0x64);
  EXPECT_EQ(DescribeEntry(exp, 0xC0, {}),
            "Position C0 (192)\nZeichen: " + kAgrave + "  LATIN CAPITAL LETTER A WITH GRAVE\nZiel: 64\neindeutig");
  exp.Assign(0x41, 0x64);
  exp.Assign(0x42, 0x64);
  EXPECT_TRUE(DescribeEntry(exp, 0xC0, {}).endsWith("\nZiel: 64\nmehrdeutig (auch 41, 42)"));
  exp.Unassign(0x41);
  exp.Unassign(0x42);
  exp.Link(&ImportTable());
  ImportTable().Assign(0x64, 0xC0);
  EXPECT_TRUE(DescribeEntry(exp, 0xC0, {}).endsWith(QString::fromUtf8("\nZiel: 64\nbestätigt")));
  // An IMPORT entry names the workstation character it maps to.
  EXPECT_EQ(DescribeEntry(ImportTable(), 0x64, {}),
            QString::fromUtf8("Position 64 (100)\nZeichen: ") + kAgrave +
                QString::fromUtf8("  LATIN CAPITAL LETTER A WITH GRAVE\nZiel: C0\nbestätigt"));
  // A control byte by its name, no glyph; CP 850 where that font is shown.
  EXPECT_TRUE(DescribeEntry(exp, 0x0A, {}).contains("\nZeichen: <control-000A>"));
  EXPECT_TRUE(DescribeEntry(exp, 0x8E, {Workstation::kCp1252, true})
                  .contains(QString::fromUtf8("Zeichen: Ä  LATIN CAPITAL LETTER A WITH DIAERESIS")));
}

// Hovering a grid cell and an editor's character field shows the tooltip.
TEST_F(Tooltips, HoveringACellOrACharacterField) {
  TheControl->show();
  ASSERT_NE(TheControl->ExportWindow, nullptr);
  ExportTable().Assign(0x41, 0xC1);
  QWidget* cells = TheControl->ExportWindow->findChild<QWidget*>("Cells");
  const TableGrid& grid = *TheControl->ExportWindow->Grid;
  int item = -1;
  for (int i = 0; i < kGridItems; ++i)
    if (grid.ItemMapper(i).High == 4 && grid.ItemMapper(i).Low == 1) item = i;
  const CellRect cell = ItemRect(item, cells->width());
  const QPoint at(cell.X + 3, cell.Y + 3);
  QHelpEvent hover(QEvent::ToolTip, at, cells->mapToGlobal(at));
  QApplication::sendEvent(cells, &hover);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), DescribeEntry(ExportTable(), 0x41, {}));
  QToolTip::hideText();

  QTest::keyClicks(TheControl->ExportEditor->SourceChar(), "A");
  const EntryEditor& editor = *TheControl->ExportEditor;
  for (QLineEdit* field : {editor.SourceChar(), editor.TargetChar(), editor.SourceHex(), editor.TargetHex()}) {
    QHelpEvent field_hover(QEvent::ToolTip, QPoint(2, 2), field->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(field, &field_hover);
    EXPECT_EQ(QToolTip::text(), DescribeEntry(ExportTable(), 0x41, {})) << field->objectName().toStdString();
    QToolTip::hideText();
  }
}

}  // namespace
