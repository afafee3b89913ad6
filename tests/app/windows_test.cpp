// Showing, hiding and transposing the two table windows.
#include <gtest/gtest.h>

#include <QTest>

#include "app/session.h"
#include "support/scriptedprompter.h"
#include "ui/tablegrid.h"
#include "ui/tablewindow.h"

namespace {

struct ActionState {
  QString Text;
  bool Enabled;
  bool Checked;
};

class TableWindows : public testing::Test {
 protected:
  ScriptedPrompter* prompter = nullptr;
  CodeTable exportTable{Export};
  CodeTable importTable{Import};
  DisplayFont courier{"Courier New", -12};
  DisplayFont terminal{"Terminal", -12, true};

  void SetUp() override {
    DM1 = new Session();
    auto scripted = std::make_unique<ScriptedPrompter>();
    prompter = scripted.get();
    DM1->SetPrompter(std::move(scripted));
    exportTable.SetFont(&courier, "Courier New");
    importTable.SetFont(&courier, "Courier New");
    DM1->CurrentFont = &terminal;
    DM1->AttachExport(&exportTable);
    DM1->AttachImport(&importTable);
  }

  void TearDown() override {
    delete DM1->ExportWindow;
    delete DM1->ImportWindow;
    delete DM1;
    DM1 = nullptr;
  }

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
    const CellRect rect = ItemRect(column * GridSide + row, list->width());
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(rect.X + 3, rect.Y + 3));
  }
};

TEST_F(TableWindows, ShowCompleteFollowsTheTwoWindowActions) {
  Session& dm = *DM1;
  const auto run = [&](bool exportShown, bool importShown) {
    dm.ShowExport->setChecked(exportShown);
    dm.ShowImport->setChecked(importShown);
    dm.ShowComplete->trigger();
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
  Session& dm = *DM1;
  EXPECT_EQ(dm.ExportWindow, nullptr);
  dm.ShowBoth->trigger();
  ASSERT_NE(dm.ExportWindow, nullptr);
  ASSERT_NE(dm.ImportWindow, nullptr);
  TableWindow& exportWindow = *dm.ExportWindow;
  TableWindow& importWindow = *dm.ImportWindow;
  EXPECT_EQ(exportWindow.parent(), nullptr);
  EXPECT_TRUE(exportWindow.isVisible());
  EXPECT_TRUE(importWindow.isVisible());
  EXPECT_EQ(exportWindow.frameGeometry().topLeft(), QPoint(0, 0));
  EXPECT_EQ(importWindow.frameGeometry().topLeft(), QPoint(0, importWindow.frameGeometry().height() - 8));
  EXPECT_EQ(importWindow.geometry().size(), QSize(800, 294));

  EXPECT_EQ(exportWindow.Grid->Table(), &exportTable);
  EXPECT_EQ(importWindow.Grid->Table(), &importTable);
  EXPECT_EQ(exportWindow.windowTitle(), "QAVO CodeTab EXPORT [Courier New] ");
  EXPECT_EQ(importWindow.windowTitle(), "QAVO CodeTab IMPORT [Courier New] ");
  EXPECT_EQ(exportWindow.Grid->ItemMapper, &MapRowsHigh);
  EXPECT_EQ(exportWindow.Grid->ItemCount(), GridItems);

  ExpectState(dm.ShowBoth, "&Beide Tabellen verbergen", true, true);
  ExpectState(dm.ShowExport, "Export-Tabellenfenster verbergen", true, true);
  ExpectState(dm.ShowImport, "Import-Tabellenfenster verbergen", true, true);
}

TEST_F(TableWindows, NewWindowsTakeTheDisplayFontAndTheTransposition) {
  Session& dm = *DM1;
  exportTable.Font = nullptr;
  dm.SwapRowsColumns->trigger();
  dm.ShowExport->trigger();
  const QFont font = dm.ExportWindow->findChild<QWidget*>("Cells")->font();
  EXPECT_EQ(font, terminal.ToQFont());
  EXPECT_EQ(dm.ExportWindow->Grid->ItemMapper, &MapColumnsHigh);
}

TEST_F(TableWindows, ShowBothTogglesBothWindowsAndKeepsThem) {
  Session& dm = *DM1;
  dm.ShowBoth->trigger();
  TableWindow* exportWindow = dm.ExportWindow;
  dm.ShowBoth->trigger();
  EXPECT_FALSE(dm.ExportWindow->isVisible());
  EXPECT_FALSE(dm.ImportWindow->isVisible());
  ExpectState(dm.ShowBoth, "&Beide Tabellen zeigen", true, false);
  ExpectState(dm.ShowExport, "Export-Tabellenfenster zeigen", true, false);
  dm.ShowBoth->trigger();
  EXPECT_EQ(dm.ExportWindow, exportWindow);
  EXPECT_TRUE(dm.ExportWindow->isVisible());
  EXPECT_TRUE(dm.ImportWindow->isVisible());
}

TEST_F(TableWindows, HidingOneWindowDisablesShowBoth) {
  Session& dm = *DM1;
  dm.ShowBoth->trigger();
  dm.ShowImport->trigger();
  EXPECT_TRUE(dm.ExportWindow->isVisible());
  EXPECT_FALSE(dm.ImportWindow->isVisible());
  ExpectState(dm.ShowBoth, "&Beide Tabellen zeigen / verbergen", false, false);
  ExpectState(dm.ShowImport, "Import-Tabellenfenster zeigen", true, false);
  ExpectState(dm.ShowExport, "Export-Tabellenfenster verbergen", true, true);
}

TEST_F(TableWindows, OneExecutionShowsAWindowClosedByItsCloseBox) {
  Session& dm = *DM1;
  dm.ShowBoth->trigger();
  TableWindow* window = dm.ExportWindow;
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(dm.ShowExport->isChecked());
  dm.ShowExport->trigger();
  EXPECT_EQ(dm.ExportWindow, window);
  EXPECT_TRUE(window->isVisible());
  ExpectState(dm.ShowExport, "Export-Tabellenfenster verbergen", true, true);
  ExpectState(dm.ShowBoth, "&Beide Tabellen verbergen", true, true);
}

TEST_F(TableWindows, TransposingTwiceRestoresTheOrientation) {
  Session& dm = *DM1;
  dm.ShowBoth->trigger();
  std::vector<int> chosen;
  dm.ImportWindow->Grid->OnSelectEntry = [&](int entry) { chosen.push_back(entry); };
  ClickCell(dm.ImportWindow, 11, 4);
  dm.SwapRowsColumns->trigger();
  EXPECT_EQ(dm.ExportWindow->Grid->ItemMapper, &MapColumnsHigh);
  EXPECT_EQ(dm.ImportWindow->Grid->ItemMapper, &MapColumnsHigh);
  ClickCell(dm.ImportWindow, 11, 4);
  ClickCell(dm.ImportWindow, 4, 11);
  dm.SwapRowsColumns->trigger();
  EXPECT_EQ(dm.ExportWindow->Grid->ItemMapper, &MapRowsHigh);
  ClickCell(dm.ImportWindow, 11, 4);
  EXPECT_EQ(chosen, (std::vector<int>{0xA3, 0x3A, 0xA3, 0xA3}));
}

}  // namespace
