// The entry editors driven by keystrokes through the real fields of the
// control window.
#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "platform/codepage.h"
#include "platform/colors.h"
#include "support/session.h"
#include "ui/frmunit1.h"
#include "ui/frmunit2.h"
#include "ui/listform.h"

namespace {

QColor Resolved(int32_t color) { return ResolveColor(color, QApplication::palette()); }
QColor Background(const QWidget* widget) { return widget->palette().color(QPalette::Window); }
QString Shown(int byte) { return QString(DisplayChar(static_cast<uint8_t>(byte), false)); }

// Types one character that QTest cannot spell as a key.
void TypeChar(QWidget* field, QChar c) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
  QApplication::sendEvent(field, &press);
}

class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int Paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Paints;
    return false;
  }
};

class EntryEditor : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    exp = Qctecp->FrmExport;
    imp = Qctecp->FrmImport;
    Qctecp->show();
    QApplication::setActiveWindow(Qctecp);
    ASSERT_TRUE(QTest::qWaitForWindowActive(Qctecp));
  }
  // Chains the tables; the editor that holds the focus leads.
  void Chain() {
    exportTable().Link(&importTable());
    Qctecp->RefreshViews();
  }
  void Enter(TFrame1* frame, QLineEdit* field) {
    field->setFocus();
    ASSERT_TRUE(frame->IsActive());
  }
  void Edit(TFrame1* frame, const char* source, const char* target) {
    QTest::keyClicks(frame->ExportRole ? frame->EdAlphaIn : frame->EdHexIn, source);
    QTest::keyClicks(frame->ExportRole ? frame->EdHexOut : frame->EdAlphaOut, target);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  }

  TFrame1* exp = nullptr;
  TFrame1* imp = nullptr;
};

using Roads = EntryEditor;

TEST_F(Roads, ExportCharacterSourceHexTargetMirrorsIntoImport) {
  Enter(exp, exp->EdAlphaIn);
  Chain();
  QTest::keyClicks(exp->EdAlphaIn, "A");
  EXPECT_EQ(exportTable().CurrentPosition, 0x41);
  EXPECT_EQ(exp->EdHexIn->text(), "41");
  EXPECT_EQ(QApplication::focusWidget(), exp->EdHexOut);
  EXPECT_EQ(exp->ScrollBar1->value(), 0x41);
  EXPECT_EQ(imp->EdHexIn->text(), "41");  // unassigned: the same position
  EXPECT_EQ(Background(exp->InputHeader), Resolved(clBtnShadow));

  QTest::keyClicks(exp->EdHexOut, "c1");
  EXPECT_EQ(exp->EdHexOut->text(), "C1");
  EXPECT_EQ(exp->EdAlphaOut->text(), Shown(0xC1));
  EXPECT_EQ(exportTable().Entries[0x41].Target, -1);

  QTest::keyClick(exp->EdHexOut, Qt::Key_Return);
  EXPECT_EQ(exportTable().Entries[0x41].Target, 0xC1);
  EXPECT_EQ(importTable().Entries[0xC1].Target, 0x41);
  EXPECT_EQ(QApplication::focusWidget(), exp->EdAlphaIn);
  EXPECT_EQ(Background(exp->InputHeader), Resolved(clGreen));
  EXPECT_EQ(Background(imp->InputHeader), Resolved(clGreen));
  EXPECT_EQ((QStringList{imp->EdAlphaIn->text(), imp->EdHexIn->text(), imp->EdAlphaOut->text(),
                         imp->EdHexOut->text()}),
            (QStringList{Shown(0xC1), "C1", "A", "41"}));
  EXPECT_EQ(Background(exp->Rand), Resolved(exportTable().ActiveColor));
  EXPECT_EQ(Background(imp->Rand), Resolved(clBtnFace));

  // A second edit types over the present target.
  Edit(exp, "A", "C2");
  EXPECT_EQ(exportTable().Entries[0x41].Target, 0xC2);
  EXPECT_EQ(exportTable().Entries[0xC1].Count, -1);
  EXPECT_EQ(importTable().Entries[0xC2].Target, 0x41);
}

TEST_F(Roads, ImportHexSourceCharacterTargetMirrorsIntoExport) {
  Enter(imp, imp->EdHexIn);
  ASSERT_FALSE(exp->IsActive());
  Chain();
  QTest::keyClicks(imp->EdHexIn, "c1");
  EXPECT_EQ(importTable().CurrentPosition, 0xC1);
  EXPECT_EQ(imp->EdAlphaIn->text(), Shown(0xC1));
  EXPECT_EQ(QApplication::focusWidget(), imp->EdAlphaOut);
  QTest::keyClicks(imp->EdAlphaOut, "A");
  EXPECT_EQ(imp->EdHexOut->text(), "41");
  QTest::keyClick(imp->EdAlphaOut, Qt::Key_Return);
  EXPECT_EQ(importTable().Entries[0xC1].Target, 0x41);
  EXPECT_EQ(exportTable().Entries[0x41].Target, 0xC1);
  EXPECT_EQ(exp->EdHexOut->text(), "C1");
  EXPECT_EQ(QApplication::focusWidget(), imp->EdHexIn);

  // "." reaches the target field and acts through its change handler.
  QTest::keyClicks(imp->EdHexIn, "4B");
  QTest::keyClicks(imp->EdAlphaOut, ".");
  EXPECT_EQ(imp->EdHexOut->text(), "2E");
}

TEST_F(Roads, EnterCommitsOnlyTwoHexDigitsOnBothSides) {
  Enter(exp, exp->EdAlphaIn);
  Edit(exp, "A", "C");
  EXPECT_EQ(QApplication::focusWidget(), exp->EdHexOut);
  exp->EdHexOut->setText("4G");  // pasted
  QTest::keyClick(exp->EdHexOut, Qt::Key_Return);
  EXPECT_EQ(exportTable().CountAssigned(), 0);
  exp->EdHexOut->setText("C2");
  QTest::keyClick(exp->EdAlphaOut, Qt::Key_Enter);
  EXPECT_EQ(exportTable().Entries[0x41].Target, 0xC2);
}

TEST_F(Roads, ACommitPaintsEachGridOnce) {
  Enter(exp, exp->EdAlphaIn);
  Chain();
  ASSERT_EQ(exp->TableWindow, DM1->ExportWindow);
  ASSERT_EQ(imp->TableWindow, DM1->ImportWindow);
  QTest::keyClicks(exp->EdAlphaIn, "A");
  QTest::keyClicks(exp->EdHexOut, "C1");
  QApplication::processEvents();
  PaintCounter exportGrid(DM1->ExportWindow->FrmListBox1->ListBox1);
  PaintCounter importGrid(DM1->ImportWindow->FrmListBox1->ListBox1);
  QTest::keyClick(exp->EdHexOut, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(exportGrid.Paints, 1);
  EXPECT_EQ(importGrid.Paints, 1);
}

using Keys = EntryEditor;

TEST_F(Keys, F3FindsTheLowestSourceOrReports) {
  Enter(exp, exp->EdAlphaIn);
  exportTable().Assign(0x30, 0xF0);
  exportTable().Assign(0x61, 0xC1);
  exportTable().Assign(0x41, 0xC1);
  QTest::keyClicks(exp->EdAlphaIn, "0");
  QTest::keyClicks(exp->EdHexOut, "C1");
  QTest::keyClick(exp->EdHexOut, Qt::Key_F3);
  EXPECT_EQ(exportTable().CurrentPosition, 0x41);
  EXPECT_EQ(exp->EdAlphaIn->text(), "A");
  EXPECT_EQ(Background(exp->InputHeader), Resolved(clRed));  // ambiguous

  QTest::keyClicks(exp->EdHexOut, "C2");
  QTest::keyClick(exp->EdHexOut, Qt::Key_F3, Qt::ShiftModifier);
  exp->EdHexOut->clear();
  QTest::keyClick(exp->EdHexOut, Qt::Key_F3);
  const auto calls = prompter->CallsOf("information");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].Text, "Zeichen nicht zugeordnet!");
  EXPECT_EQ(exportTable().CurrentPosition, 0x41);
}

TEST_F(Keys, CtrlArrowsStepThroughTheGridWrappingBy255) {
  Enter(exp, exp->EdAlphaIn);
  const auto step = [&](Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
    return exportTable().CurrentPosition;
  };
  EXPECT_EQ(step(Qt::Key_Right), 0x00);  // no current entry
  EXPECT_EQ(exp->EdHexIn->text(), "00");
  EXPECT_EQ(step(Qt::Key_Left), 0xFE);
  EXPECT_EQ(step(Qt::Key_Right), 0xFF);
  EXPECT_EQ(step(Qt::Key_Right), 0x01);
  EXPECT_EQ(step(Qt::Key_Down), 0x11);
  EXPECT_EQ(step(Qt::Key_Up), 0x01);
  EXPECT_EQ(step(Qt::Key_Up), 0xF0);
  DM1->DoSwap->setChecked(true);
  EXPECT_EQ(step(Qt::Key_Right), 0x01);
  EXPECT_EQ(step(Qt::Key_Up), 0x00);
  EXPECT_EQ(step(Qt::Key_Up), 0xFE);
  EXPECT_EQ(step(Qt::Key_Down), 0xFF);
  EXPECT_EQ(step(Qt::Key_Left), 0xEF);
}

TEST_F(Keys, CtrlDeleteRemovesWithTheMirrorAndAlwaysClears) {
  Enter(exp, exp->EdAlphaIn);
  Chain();
  Edit(exp, "A", "C1");
  exportTable().Assign(0x04, 0x37);
  QTest::keyClick(exp->EdAlphaIn, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(exportTable().Entries[0x41].Target, -1);
  EXPECT_EQ(importTable().Entries[0xC1].Target, -1);
  EXPECT_EQ(exportTable().CurrentPosition, -1);
  EXPECT_EQ(importTable().CurrentPosition, -1);
  EXPECT_EQ(exp->EdHexIn->text(), "");
  EXPECT_EQ(imp->EdHexIn->text(), "");

  QTest::keyClicks(exp->EdAlphaIn, "A");
  exp->EdHexIn->setText("4");
  QTest::keyClick(exp->EdHexIn, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(exportTable().CountAssigned(), 1);
  EXPECT_EQ(exportTable().CurrentOrdinal, -1);
}

TEST_F(Keys, SpecialPositions) {
  Enter(exp, exp->EdHexIn);
  QTest::keyClicks(exp->EdHexIn, "00");
  EXPECT_EQ(exportTable().CurrentPosition, 0);
  EXPECT_EQ(exp->EdAlphaIn->text(), "");
  EXPECT_EQ(QApplication::focusWidget(), exp->EdHexOut);

  TypeChar(exp->EdAlphaIn, QChar(0xFF));
  EXPECT_EQ(exportTable().CurrentPosition, 0xFF);
  exp->EdHexIn->selectAll();
  QTest::keyClicks(exp->EdHexIn, "ff");
  EXPECT_EQ(exportTable().CurrentPosition, 0xFF);

  QTest::keyClick(exp->EdAlphaIn, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(exportTable().CurrentPosition, 0x01);
  EXPECT_EQ(exp->EdAlphaIn->text(), Shown(0x01));
  QTest::keyClick(exp->EdAlphaIn, Qt::Key_V, Qt::ControlModifier);  // a character, not a paste
  EXPECT_EQ(exportTable().CurrentPosition, 0x16);

  exp->ScrollBar1->setValue(0x30);
  EXPECT_EQ(exp->EdAlphaIn->text(), "0");
  exportTable().CurrentPosition = 0x50;
  exp->Repaint();
  EXPECT_EQ(exp->EdHexIn->text(), "50");
  EXPECT_EQ(exp->ScrollBar1->value(), 0x30);
}

TEST_F(Keys, DotAndBackspaceActThroughTheChangeHandler) {
  Enter(exp, exp->EdAlphaIn);
  exportTable().Assign(0x2E, 0x4B);
  QTest::keyClicks(exp->EdAlphaIn, "A");
  exp->EdAlphaIn->end(false);
  QTest::keyClicks(exp->EdAlphaIn, ".");  // the full field refuses it
  EXPECT_EQ(exportTable().CurrentPosition, 0x41);
  exp->EdAlphaIn->selectAll();
  QTest::keyClicks(exp->EdAlphaIn, ".");
  EXPECT_EQ(exportTable().CurrentPosition, 0x2E);
  EXPECT_EQ(exp->EdHexOut->text(), "4B");
  exp->EdAlphaIn->end(false);
  QTest::keyClick(exp->EdAlphaIn, Qt::Key_Backspace);
  EXPECT_EQ(exportTable().CurrentPosition, -1);
  EXPECT_EQ(exp->EdHexOut->text(), "");
  EXPECT_EQ(Background(exp->InputHeader), Resolved(clBtnFace));
}

TEST_F(Keys, RefusedCharactersBeep) {
  Enter(exp, exp->EdAlphaIn);
  exportTable().Assign(0x41, 0xC1);
  exportTable().Assign(0x42, 0xC1);
  QTest::keyClicks(exp->EdAlphaIn, "A");
  ASSERT_EQ(Background(exp->InputHeader), Resolved(clRed));
  QTest::keyClicks(exp->EdHexOut, "G");
  EXPECT_EQ(prompter->Beeps(), 1);
  EXPECT_EQ(exp->EdHexOut->text(), "C1");
  EXPECT_EQ(Background(exp->InputHeader), Resolved(clBtnFace));
  QTest::keyClicks(exp->EdHexIn, " z");
  QTest::keyClick(exp->EdHexOut, Qt::Key_Return);
  EXPECT_EQ(prompter->Beeps(), 3);

  TypeChar(exp->EdAlphaIn, QChar(0x03A9));  // not in Windows-1252
  EXPECT_EQ(prompter->Beeps(), 4);
  EXPECT_EQ(exportTable().CurrentPosition, 0x41);
  TypeChar(exp->EdAlphaIn, QChar(0x20AC));
  EXPECT_EQ(exportTable().CurrentPosition, 0x80);
}

TEST_F(Keys, OemInputConvertsTypedCharacters) {
  const TFont terminal("Terminal", -12, true, true);
  for (TFrame1* frame : {exp, imp}) {
    frame->SetDisplayFont(terminal);
    frame->OemInput = true;
  }
  Enter(exp, exp->EdAlphaIn);
  TypeChar(exp->EdAlphaIn, QChar(0xE4));
  EXPECT_EQ(exportTable().CurrentPosition, 0x84);
  EXPECT_EQ(exp->EdAlphaIn->text(), QString(QChar(0xE4)));  // drawn through CP 850
  QTest::keyClick(exp->EdAlphaIn, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(exp->EdAlphaIn->text(), QString(QChar(0x263A)));

  Enter(imp, imp->EdHexIn);
  QTest::keyClicks(imp->EdHexIn, "C0");
  TypeChar(imp->EdAlphaOut, QChar(0xDF));
  EXPECT_EQ(imp->EdHexOut->text(), "E1");
}

using Form = EntryEditor;

TEST_F(Form, CaptionsTabOrderAndMarksOfBothRoles) {
  EXPECT_EQ(exp->HeaderBox->title(), "Export von ASCII");
  EXPECT_EQ(exp->InputHeader->title(), "                   ASCII    =    Export");
  EXPECT_EQ(imp->HeaderBox->title(), "Import nach ASCII");
  EXPECT_EQ(imp->InputHeader->title(), "                  Import    =    ASCII");
  const auto tabChain = [](QLineEdit* first) {
    std::vector<QWidget*> chain{first};
    first->setFocus();
    for (int i = 0; i < 3; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      chain.push_back(QApplication::focusWidget());
    }
    return chain;
  };
  EXPECT_EQ(tabChain(exp->EdAlphaIn),
            (std::vector<QWidget*>{exp->EdAlphaIn, exp->EdHexOut, exp->EdAlphaOut, exp->EdHexIn}));
  EXPECT_EQ(tabChain(imp->EdHexIn),
            (std::vector<QWidget*>{imp->EdHexIn, imp->EdAlphaOut, imp->EdHexOut, imp->EdAlphaIn}));
  EXPECT_EQ(exp->EdHexOut->property("tag").toInt(), 2);
  EXPECT_EQ(exp->EdAlphaOut->property("tag").toInt(), 0);
  EXPECT_EQ(imp->EdAlphaOut->property("tag").toInt(), 2);
  EXPECT_EQ(exp->EdAlphaOut->property("helpContext").toInt(), 5);
  EXPECT_EQ(imp->EdHexIn->property("helpContext").toInt(), 6);
}

TEST_F(Form, InstanceSizesFollowTheAnchors) {
  for (TFrame1* frame : {exp, imp}) {
    EXPECT_EQ(frame->Innen->geometry(), QRect(5, 5, 190, 163));
    EXPECT_EQ(frame->ScrollBar1->geometry(), QRect(2, 144, 186, 17));
    EXPECT_EQ(frame->InputHeader->geometry(), QRect(6, 24, 178, 114));
    EXPECT_EQ(frame->Bevel2->geometry(), QRect(16, 69, 147, 35));
    EXPECT_EQ(frame->EdHexOut->geometry(), QRect(120, 76, 30, 21));
    EXPECT_EQ(frame->Label2->pos(), QPoint(104, 80));
  }
  EXPECT_EQ(exp->StaticText2->geometry(), QRect(31, 80, 26, 20));
  EXPECT_EQ(imp->StaticText1->geometry(), QRect(20, 32, 34, 20));
  EXPECT_EQ(exp->HeaderBox->font().pixelSize(), 13);
  EXPECT_EQ(exp->EdHexIn->font().pixelSize(), 11);
}

TEST_F(Form, StateColoursComeFromTheActiveTable) {
  Enter(exp, exp->EdAlphaIn);
  Chain();
  exportTable().Assign(0x41, 0xC1);  // mirrored: proven
  exportTable().Assign(0x42, 0xC2);
  exportTable().Assign(0x43, 0xC2);  // ambiguous
  exportTable().Link(nullptr);
  EXPECT_EQ(exp->EntryColor(0x41), clBtnFace);  // no partner, no proof
  exportTable().Link(&importTable());
  EXPECT_EQ(exp->EntryColor(0x41), exportTable().ProofColor);
  EXPECT_EQ(exp->EntryColor(0x42), exportTable().AmbiguousColor);
  EXPECT_EQ(exp->EntryColor(0x45), clBtnShadow);
  exportTable().ProofColor = clYellow;
  EXPECT_EQ(imp->EntryColor(0xC1), clYellow);
  exportTable().SetActive(0);
  EXPECT_EQ(imp->EntryColor(0xC1), importTable().ProofColor);
}

TEST_F(Form, BorderFollowsTheActiveEditor) {
  exportTable().Link(&importTable());
  Enter(imp, imp->EdHexIn);
  EXPECT_EQ(Background(imp->Rand), Resolved(importTable().ActiveColor));
  EXPECT_EQ(Background(exp->Rand), Resolved(clBtnFace));
  imp->SetActiveColor(clYellow);
  EXPECT_EQ(exportTable().ActiveColor, clYellow);
  Enter(exp, exp->EdAlphaIn);
  EXPECT_FALSE(importTable().Active);
  EXPECT_EQ(Background(exp->Rand), Resolved(clYellow));
  EXPECT_EQ(Background(imp->Rand), Resolved(clBtnFace));
}

}  // namespace
