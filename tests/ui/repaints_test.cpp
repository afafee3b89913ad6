// What a command repaints in the control window: a new box colour repaints
// the box and its controls once, and a refresh that changes nothing lays out
// and repaints no field.
#include <QApplication>
#include <QTest>
#include <map>

#include "support/session.h"
#include "ui/frmunit1.h"

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
    exp = Qctecp->FrmExport;
    imp = Qctecp->FrmImport;
    Qctecp->show();
    QApplication::setActiveWindow(Qctecp);
    ASSERT_TRUE(QTest::qWaitForWindowActive(Qctecp));
    exp->EdAlphaIn->setFocus();
    DM1->LoadIsoCp273->trigger();
    QApplication::processEvents();
  }

  TFrame1* exp = nullptr;
  TFrame1* imp = nullptr;
};

TEST_F(Repaints, ANewBoxColourRepaintsTheBoxAndEachControlOnce) {
  QTest::keyClicks(exp->EdAlphaIn, "A");
  QTest::keyClicks(exp->EdHexOut, "C2");
  QApplication::processEvents();
  BoxPaints exportBox(exp->InputHeader);
  BoxPaints importBox(imp->InputHeader);

  QTest::keyClick(exp->EdHexOut, Qt::Key_Return);  // C2 turns ambiguous: both boxes turn red
  QApplication::processEvents();

  ASSERT_EQ(exportTable().Entries[0x41].Target, 0xC2);
  EXPECT_EQ(importBox.Paints["InputHeader"], 1);
  EXPECT_EQ(importBox.Most(), 1);
  // In the EXPORT box the focus also moves from the target field back to
  // the source field; only what lies under those two paints again.
  for (const char* control : {"StaticText1", "StaticText2", "Label1", "Label2", "EdAlphaOut", "EdHexIn"})
    EXPECT_EQ(exportBox.Paints[control], 1) << control;
}

TEST_F(Repaints, ARefreshThatChangesNothingRepaintsNoField) {
  QTest::keyClicks(exp->EdAlphaIn, "A");
  QApplication::processEvents();
  const QString shown[] = {exp->EdAlphaIn->text(), exp->EdHexIn->text(), exp->EdAlphaOut->text(),
                           exp->EdHexOut->text()};
  BoxPaints exportBox(exp->InputHeader);
  BoxPaints importBox(imp->InputHeader);

  Qctecp->RefreshViews();
  QApplication::processEvents();

  EXPECT_EQ(exportBox.Most(), 0);
  EXPECT_EQ(importBox.Most(), 0);
  EXPECT_EQ(exp->EdAlphaIn->text(), shown[0]);
  EXPECT_EQ(exp->EdHexIn->text(), "41");
  EXPECT_EQ(exp->EdAlphaOut->text(), shown[2]);
  EXPECT_EQ(exp->EdHexOut->text(), "C1");
  // The target field keeps its selection, ready to be typed over.
  EXPECT_EQ(exp->EdHexOut->selectedText(), "C1");
}

}  // namespace
