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
    exp_ = TheControl->ExportEditor;
    imp_ = TheControl->ImportEditor;
    ASSERT_TRUE(ShowControlWindow());
    exp_->SourceChar()->setFocus();
    TheSession->LoadIsoCp273.Both->trigger();
    QApplication::processEvents();
  }

  EntryEditor* exp_ = nullptr;
  EntryEditor* imp_ = nullptr;
};

TEST_F(Repaints, ANewBoxColourRepaintsTheBoxAndEachControlOnce) {
  QTest::keyClicks(exp_->SourceChar(), "A");
  QTest::keyClicks(exp_->TargetHex(), "C2");
  QApplication::processEvents();
  BoxPaints export_box(exp_->InputBox());
  BoxPaints import_box(imp_->InputBox());

  QTest::keyClick(exp_->TargetHex(), Qt::Key_Return);  // C2 turns ambiguous: both boxes turn red
  QApplication::processEvents();

  ASSERT_EQ(ExportTable().Target(0x41), 0xC2);
  EXPECT_EQ(import_box.Paints["InputBox"], 1);
  EXPECT_EQ(import_box.Most(), 1);
  // In the EXPORT box the focus also moves from the target field back to
  // the source field; only what lies under those two paints again.
  for (const char* control : {"CharCaption", "HexCaption", "CharEquals", "HexEquals", "TargetChar", "SourceHex"})
    EXPECT_EQ(export_box.Paints[control], 1) << control;
}

TEST_F(Repaints, ARefreshThatChangesNothingRepaintsNoField) {
  QTest::keyClicks(exp_->SourceChar(), "A");
  QApplication::processEvents();
  const QString shown[] = {exp_->SourceChar()->text(), exp_->SourceHex()->text(), exp_->TargetChar()->text(),
                           exp_->TargetHex()->text()};
  BoxPaints export_box(exp_->InputBox());
  BoxPaints import_box(imp_->InputBox());

  emit TheSession->TablesChanged();
  QApplication::processEvents();

  EXPECT_EQ(export_box.Most(), 0);
  EXPECT_EQ(import_box.Most(), 0);
  EXPECT_EQ(exp_->SourceChar()->text(), shown[0]);
  EXPECT_EQ(exp_->SourceHex()->text(), "41");
  EXPECT_EQ(exp_->TargetChar()->text(), shown[2]);
  EXPECT_EQ(exp_->TargetHex()->text(), "C1");
  // The target field keeps its selection, ready to be typed over.
  EXPECT_EQ(exp_->TargetHex()->selectedText(), "C1");
}

// Commands change the tables and announce it once; the views follow through
// the session's signal alone, and each grid paints once.
TEST_F(Repaints, ATableCommandRepaintsEachGridOnceThroughTheSignal) {
  QWidget* export_cells = TheControl->ExportWindow->findChild<QWidget*>("Cells");
  QWidget* import_cells = TheControl->ImportWindow->findChild<QWidget*>("Cells");
  for (QAction* command : {TheSession->LoadDin.Both, TheSession->ClearExport, TheSession->LoadUnix.Import,
                           TheSession->ChainTablesAction, TheSession->ClearBoth}) {
    SCOPED_TRACE(command->objectName().toStdString());
    PaintCounter export_paints(export_cells);
    PaintCounter import_paints(import_cells);
    int announced = 0;
    const auto connection = QObject::connect(TheSession, &Session::TablesChanged, [&] { ++announced; });
    command->trigger();
    QApplication::processEvents();
    QObject::disconnect(connection);
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(export_paints.Paints, 1);
    EXPECT_EQ(import_paints.Paints, 1);
  }
  EXPECT_EQ(CaptionText(*TheControl->ExportWindow), "QAVO CodeTab EXPORT [Courier New] ");
}

// An edit typed into the EXPORT editor reaches both grids the same way.
TEST_F(Repaints, AKeystrokeEditRepaintsEachGridOnce) {
  PaintCounter export_paints(TheControl->ExportWindow->findChild<QWidget*>("Cells"));
  PaintCounter import_paints(TheControl->ImportWindow->findChild<QWidget*>("Cells"));
  QTest::keyClicks(exp_->SourceChar(), "A");
  QTest::keyClicks(exp_->TargetHex(), "C1");
  QApplication::processEvents();
  export_paints.Paints = import_paints.Paints = 0;
  QTest::keyClick(exp_->TargetHex(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(ExportTable().Target(0x41), 0xC1);
  EXPECT_EQ(ImportTable().Target(0xC1), 0x41);
  EXPECT_EQ(export_paints.Paints, 1);
  EXPECT_EQ(import_paints.Paints, 1);
}
}  // namespace
