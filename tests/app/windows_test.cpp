// Showing, hiding and transposing the two table windows.
#include <gtest/gtest.h>

#include <QTest>

#include "app/session.h"
#include "platform/codepage.h"
#include "support/drawncells.h"
#include "support/session.h"
#include "ui/tablegrid.h"
#include "ui/tablewindow.h"

namespace {

struct ActionState {
  QString Text;
  bool Enabled;
  bool Checked;
};

class TableWindows : public SessionTest {
 protected:
  static ActionState StateOf(const QAction* action) {
    return {action->text(), action->isEnabled(), action->isChecked()};
  }

  static void ExpectState(const QAction* action, const QString& text, bool enabled, bool checked) {
    const ActionState state = StateOf(action);
    EXPECT_EQ(state.Text, text);
    EXPECT_EQ(state.Enabled, enabled) << text.toStdString();
    EXPECT_EQ(state.Checked, checked) << text.toStdString();
  }

  void ClickCell(TableWindow* window, int row, int column) {
    QWidget* list = window->findChild<QWidget*>("Cells");
    const CellRect rect = ItemRect(column * kGridSide + row, list->width());
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(rect.X + 3, rect.Y + 3));
  }
};

TEST_F(TableWindows, ShowCompleteFollowsTheTwoWindows) {
  Session& dm = *TheSession;
  QAction* const show_complete = dm.findChild<QAction*>("ShowComplete");
  ASSERT_NE(show_complete, nullptr);
  const auto run = [&](bool export_shown, bool import_shown) {
    if (dm.ShowExport->isChecked() != export_shown) dm.ShowExport->trigger();
    if (dm.ShowImport->isChecked() != import_shown) dm.ShowImport->trigger();
    show_complete->trigger();
  };
  run(true, true);
  ExpectState(dm.ShowBoth, "&Beide Tabellen verbergen", true, true);
  ExpectState(dm.ShowExport, "Export-Tabellenfenster verbergen", true, true);
  ExpectState(dm.ShowImport, "Import-Tabellenfenster verbergen", true, true);
  run(false, false);
  ExpectState(dm.ShowBoth, "&Beide Tabellen zeigen", true, false);
  ExpectState(dm.ShowExport, "Export-Tabellenfenster zeigen", true, false);
  ExpectState(dm.ShowImport, "Import-Tabellenfenster zeigen", true, false);
  run(true, false);
  ExpectState(dm.ShowBoth, "&Beide Tabellen zeigen / verbergen", false, false);
  ExpectState(dm.ShowExport, "Export-Tabellenfenster verbergen", true, true);
  ExpectState(dm.ShowImport, "Import-Tabellenfenster zeigen", true, false);
  run(false, true);
  ExpectState(dm.ShowBoth, "&Beide Tabellen zeigen / verbergen", false, false);
  ExpectState(dm.ShowExport, "Export-Tabellenfenster zeigen", true, false);
  ExpectState(dm.ShowImport, "Import-Tabellenfenster verbergen", true, true);
}

TEST_F(TableWindows, FirstShowCreatesAndPlacesBothWindows) {
  Session& dm = *TheSession;
  EXPECT_EQ(TheControl->ExportWindow, nullptr);
  dm.ShowBoth->trigger();
  ASSERT_NE(TheControl->ExportWindow, nullptr);
  ASSERT_NE(TheControl->ImportWindow, nullptr);
  TableWindow& export_window = *TheControl->ExportWindow;
  TableWindow& import_window = *TheControl->ImportWindow;
  EXPECT_EQ(export_window.parent(), nullptr);
  EXPECT_TRUE(export_window.isVisible());
  EXPECT_TRUE(import_window.isVisible());
  EXPECT_EQ(export_window.frameGeometry().topLeft(), QPoint(0, 0));
  EXPECT_EQ(import_window.frameGeometry().topLeft(), QPoint(0, import_window.frameGeometry().height() - 8));
  EXPECT_EQ(import_window.geometry().size(), QSize(800, 294));

  EXPECT_EQ(DrawnItem(*export_window.Grid, ItemOfEntry(*export_window.Grid, 0x41)).Text,
            DisplayCell(ExportTable().Cell(0x41), {}));
  EXPECT_EQ(DrawnItem(*import_window.Grid, ItemOfEntry(*import_window.Grid, 0x41)).Text,
            DisplayCell(ImportTable().Cell(0x41), {}));
  EXPECT_EQ(CaptionText(export_window), "QAVO CodeTab EXPORT [Courier New] ");
  EXPECT_EQ(CaptionText(import_window), "QAVO CodeTab IMPORT [Courier New] ");
  EXPECT_EQ(export_window.Grid->ItemMapper, &MapRowsHigh);

  ExpectState(dm.ShowBoth, "&Beide Tabellen verbergen", true, true);
  ExpectState(dm.ShowExport, "Export-Tabellenfenster verbergen", true, true);
  ExpectState(dm.ShowImport, "Import-Tabellenfenster verbergen", true, true);
}

TEST_F(TableWindows, NewWindowsTakeTheDisplayFontAndTheTransposition) {
  Session& dm = *TheSession;
  dm.FontTerminal->trigger();
  dm.SwapRowsColumns->trigger();
  dm.ShowExport->trigger();
  const QFont font = TheControl->ExportWindow->findChild<QWidget*>("Cells")->font();
  EXPECT_EQ(font, dm.Defaults.Terminal.ToQFont());
  EXPECT_EQ(TheControl->ExportWindow->Grid->ItemMapper, &MapColumnsHigh);
}

TEST_F(TableWindows, ShowBothTogglesBothWindowsAndKeepsThem) {
  Session& dm = *TheSession;
  dm.ShowBoth->trigger();
  TableWindow* export_window = TheControl->ExportWindow;
  dm.ShowBoth->trigger();
  EXPECT_FALSE(TheControl->ExportWindow->isVisible());
  EXPECT_FALSE(TheControl->ImportWindow->isVisible());
  ExpectState(dm.ShowBoth, "&Beide Tabellen zeigen", true, false);
  ExpectState(dm.ShowExport, "Export-Tabellenfenster zeigen", true, false);
  dm.ShowBoth->trigger();
  EXPECT_EQ(TheControl->ExportWindow, export_window);
  EXPECT_TRUE(TheControl->ExportWindow->isVisible());
  EXPECT_TRUE(TheControl->ImportWindow->isVisible());
}

TEST_F(TableWindows, HidingOneWindowDisablesShowBoth) {
  Session& dm = *TheSession;
  dm.ShowBoth->trigger();
  dm.ShowImport->trigger();
  EXPECT_TRUE(TheControl->ExportWindow->isVisible());
  EXPECT_FALSE(TheControl->ImportWindow->isVisible());
  ExpectState(dm.ShowBoth, "&Beide Tabellen zeigen / verbergen", false, false);
  ExpectState(dm.ShowImport, "Import-Tabellenfenster zeigen", true, false);
  ExpectState(dm.ShowExport, "Export-Tabellenfenster verbergen", true, true);
}

TEST_F(TableWindows, TheItemsFollowACloseBoxAndOneExecutionShowsTheWindowAgain) {
  Session& dm = *TheSession;
  dm.ShowBoth->trigger();
  TableWindow* window = TheControl->ExportWindow;
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(window->isVisible());
  ExpectState(dm.ShowExport, "Export-Tabellenfenster zeigen", true, false);
  ExpectState(dm.ShowBoth, "&Beide Tabellen zeigen / verbergen", false, false);
  dm.ShowExport->trigger();
  EXPECT_EQ(TheControl->ExportWindow, window);
  EXPECT_TRUE(window->isVisible());
  ExpectState(dm.ShowExport, "Export-Tabellenfenster verbergen", true, true);
  ExpectState(dm.ShowBoth, "&Beide Tabellen verbergen", true, true);
}

TEST_F(TableWindows, TransposingTwiceRestoresTheOrientation) {
  Session& dm = *TheSession;
  dm.ShowBoth->trigger();
  std::vector<int> chosen;
  QObject::connect(TheControl->ImportWindow->Grid, &TableGrid::EntryChosen,
                   [&](int entry) { chosen.push_back(entry); });
  ClickCell(TheControl->ImportWindow, 11, 4);
  dm.SwapRowsColumns->trigger();
  EXPECT_EQ(TheControl->ExportWindow->Grid->ItemMapper, &MapColumnsHigh);
  EXPECT_EQ(TheControl->ImportWindow->Grid->ItemMapper, &MapColumnsHigh);
  ClickCell(TheControl->ImportWindow, 11, 4);
  ClickCell(TheControl->ImportWindow, 4, 11);
  dm.SwapRowsColumns->trigger();
  EXPECT_EQ(TheControl->ExportWindow->Grid->ItemMapper, &MapRowsHigh);
  ClickCell(TheControl->ImportWindow, 11, 4);
  EXPECT_EQ(chosen, (std::vector<int>{0xA3, 0x3A, 0xA3, 0xA3}));
}

}  // namespace
