// What a command repaints in the control window: a new box colour repaints
// the box and its controls once, and a refresh that changes nothing lays out
// and repaints no field.
#include <QApplication>
#include <QTest>
#include <map>

#include "support/paintcounter.h"
#include "support/session.h"
#include "ui/entryeditor.h"
#include "ui/tablewindow.h"

namespace {

// Counts the paint events of every widget in one editor's input box.
class BoxPaints : public QObject {
 public:
  explicit BoxPaints(QWidget* box) {
    box->installEventFilter(this);
    for (QWidget* control : box->findChildren<QWidget*>()) control->installEventFilter(this);
  }
  std::map<QString, int> Paints;
  int Most() const {
    int most = 0;
    for (const auto& [name, paints] : Paints) most = std::max(most, paints);
    return most;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Paints[watched->objectName()];
    return false;
  }
};

class Repaints : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    exp = TheControl->ExportEditor;
    imp = TheControl->ImportEditor;
    ASSERT_TRUE(ShowControlWindow());
    exp->SourceChar()->setFocus();
    TheSession->LoadIsoCp273.Both->trigger();
    QApplication::processEvents();
  }

  EntryEditor* exp = nullptr;
  EntryEditor* imp = nullptr;
};

TEST_F(Repaints, ANewBoxColourRepaintsTheBoxAndEachControlOnce) {
  QTest::keyClicks(exp->SourceChar(), "A");
  QTest::keyClicks(exp->TargetHex(), "C2");
  QApplication::processEvents();
  BoxPaints exportBox(exp->InputBox());
  BoxPaints importBox(imp->InputBox());

  QTest::keyClick(exp->TargetHex(), Qt::Key_Return);  // C2 turns ambiguous: both boxes turn red
  QApplication::processEvents();

  ASSERT_EQ(exportTable().Target(0x41), 0xC2);
  EXPECT_EQ(importBox.Paints["InputBox"], 1);
  EXPECT_EQ(importBox.Most(), 1);
  // In the EXPORT box the focus also moves from the target field back to
  // the source field; only what lies under those two paints again.
  for (const char* control : {"CharCaption", "HexCaption", "CharEquals", "HexEquals", "TargetChar", "SourceHex"})
    EXPECT_EQ(exportBox.Paints[control], 1) << control;
}

TEST_F(Repaints, ARefreshThatChangesNothingRepaintsNoField) {
  QTest::keyClicks(exp->SourceChar(), "A");
  QApplication::processEvents();
  const QString shown[] = {exp->SourceChar()->text(), exp->SourceHex()->text(), exp->TargetChar()->text(),
                           exp->TargetHex()->text()};
  BoxPaints exportBox(exp->InputBox());
  BoxPaints importBox(imp->InputBox());

  emit TheSession->TablesChanged();
  QApplication::processEvents();

  EXPECT_EQ(exportBox.Most(), 0);
  EXPECT_EQ(importBox.Most(), 0);
  EXPECT_EQ(exp->SourceChar()->text(), shown[0]);
  EXPECT_EQ(exp->SourceHex()->text(), "41");
  EXPECT_EQ(exp->TargetChar()->text(), shown[2]);
  EXPECT_EQ(exp->TargetHex()->text(), "C1");
  // The target field keeps its selection, ready to be typed over.
  EXPECT_EQ(exp->TargetHex()->selectedText(), "C1");
}

// Commands change the tables and announce it once; the views follow through
// the session's signal alone, and each grid paints once.
TEST_F(Repaints, ATableCommandRepaintsEachGridOnceThroughTheSignal) {
  QWidget* exportCells = TheControl->ExportWindow->findChild<QWidget*>("Cells");
  QWidget* importCells = TheControl->ImportWindow->findChild<QWidget*>("Cells");
  for (QAction* command : {TheSession->LoadDin.Both, TheSession->ClearExport, TheSession->LoadUnix.Import,
                           TheSession->ChainTablesAction, TheSession->ClearBoth}) {
    SCOPED_TRACE(command->objectName().toStdString());
    PaintCounter exportPaints(exportCells);
    PaintCounter importPaints(importCells);
    int announced = 0;
    const auto connection = QObject::connect(TheSession, &Session::TablesChanged, [&] { ++announced; });
    command->trigger();
    QApplication::processEvents();
    QObject::disconnect(connection);
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(exportPaints.Paints, 1);
    EXPECT_EQ(importPaints.Paints, 1);
  }
  EXPECT_EQ(CaptionText(*TheControl->ExportWindow), "QAVO CodeTab EXPORT [Courier New] ");
}

// An edit typed into the EXPORT editor reaches both grids the same way.
TEST_F(Repaints, AKeystrokeEditRepaintsEachGridOnce) {
  PaintCounter exportPaints(TheControl->ExportWindow->findChild<QWidget*>("Cells"));
  PaintCounter importPaints(TheControl->ImportWindow->findChild<QWidget*>("Cells"));
  QTest::keyClicks(exp->SourceChar(), "A");
  QTest::keyClicks(exp->TargetHex(), "C1");
  QApplication::processEvents();
  exportPaints.Paints = importPaints.Paints = 0;
  QTest::keyClick(exp->TargetHex(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(exportTable().Target(0x41), 0xC1);
  EXPECT_EQ(importTable().Target(0xC1), 0x41);
  EXPECT_EQ(exportPaints.Paints, 1);
  EXPECT_EQ(importPaints.Paints, 1);
}
}  // namespace
