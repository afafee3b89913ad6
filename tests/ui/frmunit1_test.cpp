// The entry editors driven by keystrokes through the real fields of the
// control window.
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
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

// Types one character with the given key code, as a keyboard would.
void TypeChar(QWidget* field, QChar c, Qt::Key key = Qt::Key_unknown) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
  QApplication::sendEvent(field, &press);
  QApplication::sendEvent(field, &release);
}

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

  // Chains the tables with the editor that holds the focus active.
  void Chain() {
    exportTable().Link(&importTable());
    Qctecp->RefreshViews();
  }

  void Enter(TFrame1* frame) {
    frame->EdAlphaIn->setFocus();
    ASSERT_TRUE(frame->IsActive());
  }

  TFrame1* exp = nullptr;
  TFrame1* imp = nullptr;
};

using ExportRoad = EntryEditor;

TEST_F(ExportRoad, CharacterSourceHexTargetEnterCommitsAndMirrors) {
  Enter(exp);
  Chain();
  ASSERT_EQ(imp->PartnerFrame, exp);

  QTest::keyClicks(exp->EdAlphaIn, "A");
  EXPECT_EQ(exportTable().CurrentPosition, 0x41);
  EXPECT_EQ(exp->EdAlphaIn->text(), "A");
  EXPECT_EQ(exp->EdHexIn->text(), "41");
  EXPECT_EQ(exp->EdHexOut->text(), "");
  EXPECT_EQ(QApplication::focusWidget(), exp->EdHexOut);
  EXPECT_EQ(exp->ScrollBar1->value(), 0x41);
  // The partner shows the same position while it is unassigned.
  EXPECT_EQ(importTable().CurrentPosition, 0x41);
  EXPECT_EQ(imp->EdHexIn->text(), "41");
  EXPECT_EQ(Background(exp->InputHeader), Resolved(clBtnShadow));

  QTest::keyClicks(exp->EdHexOut, "c1");
  EXPECT_EQ(exp->EdHexOut->text(), "C1");
  EXPECT_EQ(exp->EdAlphaOut->text(), Shown(0xC1));
  EXPECT_EQ(exportTable().Entries[0x41].Target, -1);

  QTest::keyClick(exp->EdHexOut, Qt::Key_Return);
  EXPECT_EQ(exportTable().Entries[0x41].Target, 0xC1);
  EXPECT_EQ(importTable().Entries[0xC1].Target, 0x41);
  EXPECT_EQ(Background(exp->InputHeader), Resolved(clGreen));
  EXPECT_EQ(imp->EdHexIn->text(), "C1");
  EXPECT_EQ(imp->EdAlphaIn->text(), Shown(0xC1));
  EXPECT_EQ(imp->EdHexOut->text(), "41");
  EXPECT_EQ(imp->EdAlphaOut->text(), "A");
  EXPECT_EQ(Background(imp->InputHeader), Resolved(clGreen));
  EXPECT_EQ(QApplication::focusWidget(), exp->EdAlphaIn);
  EXPECT_EQ(Background(exp->Rand), Resolved(exportTable().ActiveColor));
  EXPECT_EQ(Background(imp->Rand), Resolved(clBtnFace));
}

TEST_F(ExportRoad, SecondEditTypesOverThePresentTarget) {
  Enter(exp);
  Chain();
  QTest::keyClicks(exp->EdAlphaIn, "A");
  QTest::keyClicks(exp->EdHexOut, "C1");
  QTest::keyClick(exp->EdHexOut, Qt::Key_Return);

  QTest::keyClicks(exp->EdAlphaIn, "A");
  EXPECT_EQ(exp->EdHexOut->text(), "C1");
  EXPECT_EQ(imp->EdHexIn->text(), "C1");  // the partner shows the inverse entry
  QTest::keyClicks(exp->EdHexOut, "C2");
  QTest::keyClick(exp->EdHexOut, Qt::Key_Enter);
  EXPECT_EQ(exportTable().Entries[0x41].Target, 0xC2);
  EXPECT_EQ(exportTable().Entries[0xC1].Count, -1);
  EXPECT_EQ(importTable().Entries[0xC2].Target, 0x41);
}

TEST_F(ExportRoad, EnterWithoutTwoHexCharactersAssignsNothing) {
  Enter(exp);
  QTest::keyClicks(exp->EdAlphaIn, "A");
  QTest::keyClicks(exp->EdHexOut, "C");
  QTest::keyClick(exp->EdHexOut, Qt::Key_Return);
  EXPECT_EQ(exportTable().Entries[0x41].Target, -1);
  EXPECT_EQ(QApplication::focusWidget(), exp->EdHexOut);

  exp->EdHexOut->setText("4G");  // pasted text
  QTest::keyClick(exp->EdHexOut, Qt::Key_Return);
  EXPECT_EQ(exportTable().CountAssigned(), 0);
}

TEST_F(ExportRoad, EnterInAnyFieldCommits) {
  Enter(exp);
  QTest::keyClicks(exp->EdAlphaIn, "B");
  QTest::keyClicks(exp->EdHexOut, "C2");
  QTest::keyClick(exp->EdAlphaOut, Qt::Key_Return);
  EXPECT_EQ(exportTable().Entries[0x42].Target, 0xC2);
}

using ImportRoad = EntryEditor;

TEST_F(ImportRoad, HexSourceCharacterTargetEnterCommitsAndMirrors) {
  imp->EdHexIn->setFocus();
  ASSERT_TRUE(imp->IsActive());
  ASSERT_FALSE(exp->IsActive());
  Chain();
  ASSERT_EQ(imp->PartnerFrame, exp);

  QTest::keyClicks(imp->EdHexIn, "c1");
  EXPECT_EQ(importTable().CurrentPosition, 0xC1);
  EXPECT_EQ(imp->EdAlphaIn->text(), Shown(0xC1));
  EXPECT_EQ(QApplication::focusWidget(), imp->EdAlphaOut);

  QTest::keyClicks(imp->EdAlphaOut, "A");
  EXPECT_EQ(imp->EdAlphaOut->text(), "A");
  EXPECT_EQ(imp->EdHexOut->text(), "41");
  EXPECT_EQ(importTable().Entries[0xC1].Target, -1);

  QTest::keyClick(imp->EdAlphaOut, Qt::Key_Return);
  EXPECT_EQ(importTable().Entries[0xC1].Target, 0x41);
  EXPECT_EQ(exportTable().Entries[0x41].Target, 0xC1);
  EXPECT_EQ(exp->EdHexIn->text(), "41");
  EXPECT_EQ(exp->EdHexOut->text(), "C1");
  EXPECT_EQ(QApplication::focusWidget(), imp->EdHexIn);
  EXPECT_EQ(Background(imp->InputHeader), Resolved(clGreen));
}

TEST_F(ImportRoad, DotInTheTargetFieldActsThroughItsChangeHandler) {
  imp->EdHexIn->setFocus();
  QTest::keyClicks(imp->EdHexIn, "4B");
  ASSERT_EQ(imp->EdAlphaOut->text(), "");
  QTest::keyClicks(imp->EdAlphaOut, ".");
  EXPECT_EQ(imp->EdAlphaOut->text(), ".");
  EXPECT_EQ(imp->EdHexOut->text(), "2E");
}

using FindSource = EntryEditor;

TEST_F(FindSource, F3MovesToTheSourceOfTheTarget) {
  Enter(exp);
  exportTable().Assign(0x30, 0xF0);
  exportTable().Assign(0x41, 0xC1);
  exportTable().Assign(0x61, 0xC1);
  QTest::keyClicks(exp->EdAlphaIn, "0");
  QTest::keyClicks(exp->EdHexOut, "C1");
  QTest::keyClick(exp->EdHexOut, Qt::Key_F3);
  EXPECT_EQ(exportTable().CurrentPosition, 0x41);  // the lowest source
  EXPECT_EQ(exp->EdAlphaIn->text(), "A");
  EXPECT_EQ(Background(exp->InputHeader), Resolved(clRed));  // ambiguous
  EXPECT_TRUE(prompter->CallsOf("information").empty());
}

TEST_F(FindSource, F3WithoutSourceReportsAndKeepsTheSelection) {
  Enter(exp);
  exportTable().Assign(0x41, 0xC1);
  QTest::keyClicks(exp->EdAlphaIn, "A");
  QTest::keyClicks(exp->EdHexOut, "C2");
  QTest::keyClick(exp->EdHexOut, Qt::Key_F3, Qt::ShiftModifier);
  QTest::keyClicks(exp->EdHexOut, "X");  // refused: nothing but a beep
  exp->EdHexOut->setText("");
  QTest::keyClick(exp->EdHexOut, Qt::Key_F3);
  const auto calls = prompter->CallsOf("information");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].Text, "Zeichen nicht zugeordnet!");
  EXPECT_EQ(calls[1].Text, "Zeichen nicht zugeordnet!");
  EXPECT_EQ(exportTable().CurrentPosition, 0x41);
}

using GridSteps = EntryEditor;

TEST_F(GridSteps, CtrlArrowsWrapBy255) {
  Enter(exp);
  QTest::keyClick(exp->EdAlphaIn, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(exportTable().CurrentPosition, 0);  // no current entry
  EXPECT_EQ(exp->EdHexIn->text(), "00");
  QTest::keyClick(exp->EdHexOut, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(exportTable().CurrentPosition, 0xFE);
  EXPECT_EQ(exp->EdHexIn->text(), "FE");
  QTest::keyClick(exp->EdHexOut, Qt::Key_Right, Qt::ControlModifier);
  QTest::keyClick(exp->EdHexOut, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(exportTable().CurrentPosition, 0x01);
  QTest::keyClick(exp->EdHexOut, Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(exportTable().CurrentPosition, 0x11);
  QTest::keyClick(exp->EdHexOut, Qt::Key_Up, Qt::ControlModifier);
  QTest::keyClick(exp->EdHexOut, Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(exportTable().CurrentPosition, 0xF0);
  EXPECT_EQ(exp->ScrollBar1->value(), 0xF0);
}

TEST_F(GridSteps, SwappedRowsAndColumns) {
  DM1->DoSwap->setChecked(true);
  Enter(exp);
  QTest::keyClick(exp->EdAlphaIn, Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(exportTable().CurrentPosition, 0);
  QTest::keyClick(exp->EdHexOut, Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(exportTable().CurrentPosition, 0xFE);
  QTest::keyClick(exp->EdHexOut, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(exportTable().CurrentPosition, 0x0F);  // 0xFE + 16 - 255
  QTest::keyClick(exp->EdHexOut, Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(exportTable().CurrentPosition, 0x10);
  QTest::keyClick(exp->EdHexOut, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(exportTable().CurrentPosition, 0x00);
}

using Removal = EntryEditor;

TEST_F(Removal, CtrlDeleteRemovesTheEntryAndItsMirror) {
  Enter(exp);
  Chain();
  QTest::keyClicks(exp->EdAlphaIn, "A");
  QTest::keyClicks(exp->EdHexOut, "C1");
  QTest::keyClick(exp->EdHexOut, Qt::Key_Return);
  ASSERT_EQ(importTable().Entries[0xC1].Target, 0x41);

  QTest::keyClick(exp->EdAlphaIn, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(exportTable().Entries[0x41].Target, -1);
  EXPECT_EQ(exportTable().Entries[0xC1].Count, -1);
  EXPECT_EQ(importTable().Entries[0xC1].Target, -1);
  EXPECT_EQ(exportTable().CurrentPosition, -1);
  EXPECT_EQ(exp->EdHexIn->text(), "");
  EXPECT_EQ(exp->EdHexOut->text(), "");
  EXPECT_EQ(imp->EdHexIn->text(), "");
  EXPECT_EQ(importTable().CurrentPosition, -1);
}

TEST_F(Removal, CtrlDeleteWithoutTwoHexDigitsOnlyClearsTheSelection) {
  Enter(exp);
  exportTable().Assign(0x04, 0x37);
  QTest::keyClicks(exp->EdAlphaIn, "A");
  exp->EdHexIn->setText("4");
  QTest::keyClick(exp->EdHexIn, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(exportTable().Entries[0x04].Target, 0x37);
  EXPECT_EQ(exportTable().CurrentPosition, -1);
  EXPECT_EQ(exportTable().CurrentOrdinal, -1);
  EXPECT_EQ(exp->EdHexIn->text(), "");
}

using Positions = EntryEditor;

TEST_F(Positions, ZeroThroughHexShowsAnEmptyCharacter) {
  Enter(exp);
  exp->EdHexIn->setFocus();
  QTest::keyClicks(exp->EdHexIn, "00");
  EXPECT_EQ(exportTable().CurrentPosition, 0);
  EXPECT_EQ(exp->EdAlphaIn->text(), "");
  EXPECT_EQ(exp->EdHexIn->text(), "00");
  EXPECT_EQ(QApplication::focusWidget(), exp->EdHexOut);
}

TEST_F(Positions, ByteFFNeverClearsTheSelection) {
  Enter(exp);
  TypeChar(exp->EdAlphaIn, QChar(0xFF));
  EXPECT_EQ(exportTable().CurrentPosition, 0xFF);
  EXPECT_EQ(exp->EdHexIn->text(), "FF");
  exp->EdHexIn->setFocus();
  exp->EdHexIn->selectAll();
  QTest::keyClicks(exp->EdHexIn, "ff");
  EXPECT_EQ(exportTable().CurrentPosition, 0xFF);
  EXPECT_EQ(exp->EdAlphaIn->text(), Shown(0xFF));
}

TEST_F(Positions, DotAndBackspaceActThroughTheChangeHandler) {
  Enter(exp);
  exportTable().Assign(0x2E, 0x4B);
  QTest::keyClicks(exp->EdAlphaIn, ".");
  EXPECT_EQ(exportTable().CurrentPosition, 0x2E);
  EXPECT_EQ(exp->EdHexIn->text(), "2E");
  EXPECT_EQ(exp->EdHexOut->text(), "4B");

  exp->EdAlphaIn->setFocus();
  exp->EdAlphaIn->end(false);
  QTest::keyClick(exp->EdAlphaIn, Qt::Key_Backspace);
  EXPECT_EQ(exp->EdAlphaIn->text(), "");
  EXPECT_EQ(exportTable().CurrentPosition, -1);
  EXPECT_EQ(exp->EdHexIn->text(), "");
  EXPECT_EQ(exp->EdHexOut->text(), "");
  EXPECT_EQ(Background(exp->InputHeader), Resolved(clBtnFace));
}

TEST_F(Positions, CtrlLetterSelectsTheControlCharacter) {
  Enter(exp);
  QTest::keyClick(exp->EdAlphaIn, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(exportTable().CurrentPosition, 0x01);
  EXPECT_EQ(exp->EdAlphaIn->text(), Shown(0x01));
  QTest::keyClick(exp->EdAlphaIn, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(exportTable().CurrentPosition, 0x1A);
  // Ctrl+V is a character here too, not a paste.
  QTest::keyClick(exp->EdAlphaIn, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(exportTable().CurrentPosition, 0x16);
}

TEST_F(Positions, ScrollBarMovesTheEditorAndRepaintLeavesIt) {
  Enter(exp);
  exp->ScrollBar1->setValue(0x30);
  EXPECT_EQ(exportTable().CurrentPosition, 0x30);
  EXPECT_EQ(exp->EdAlphaIn->text(), "0");
  exportTable().CurrentPosition = 0x50;
  exp->Repaint();
  EXPECT_EQ(exp->EdHexIn->text(), "50");
  EXPECT_EQ(exp->ScrollBar1->value(), 0x30);
}

using KeyFilters = EntryEditor;

TEST_F(KeyFilters, NonHexKeyInAHexFieldBeepsAndIsSwallowed) {
  Enter(exp);
  exportTable().Assign(0x41, 0xC1);
  exportTable().Assign(0x42, 0xC1);
  QTest::keyClicks(exp->EdAlphaIn, "A");
  ASSERT_EQ(Background(exp->InputHeader), Resolved(clRed));
  exp->EdHexOut->selectAll();
  QTest::keyClicks(exp->EdHexOut, "G");
  EXPECT_EQ(prompter->Beeps(), 1);
  EXPECT_EQ(exp->EdHexOut->text(), "C1");
  EXPECT_EQ(Background(exp->InputHeader), Resolved(clBtnFace));
  QTest::keyClicks(exp->EdHexIn, " z");
  EXPECT_EQ(prompter->Beeps(), 3);
  EXPECT_EQ(exportTable().CurrentPosition, 0x41);
  QTest::keyClick(exp->EdHexOut, Qt::Key_Return);
  EXPECT_EQ(prompter->Beeps(), 3);  // Enter is swallowed silently
}

TEST_F(KeyFilters, CharacterOutsideWindows1252IsRefused) {
  Enter(exp);
  TypeChar(exp->EdAlphaIn, QChar(0x03A9));
  EXPECT_EQ(prompter->Beeps(), 1);
  EXPECT_EQ(exportTable().CurrentPosition, -1);
  TypeChar(exp->EdAlphaIn, QChar(0x20AC));  // the euro sign is 0x80
  EXPECT_EQ(exportTable().CurrentPosition, 0x80);
}

TEST_F(KeyFilters, OemInputConvertsTypedCharacters) {
  TFont terminal("Terminal", -12, true, true);
  for (TFrame1* frame : {exp, imp}) {
    frame->SetDisplayFont(terminal);
    frame->OemInput = true;
  }
  Enter(exp);
  TypeChar(exp->EdAlphaIn, QChar(0xE4));
  EXPECT_EQ(exportTable().CurrentPosition, 0x84);
  EXPECT_EQ(exp->EdHexIn->text(), "84");
  EXPECT_EQ(exp->EdAlphaIn->text(), QString(QChar(0xE4)));  // drawn through CP 850
  QTest::keyClick(exp->EdAlphaIn, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(exp->EdAlphaIn->text(), QString(QChar(0x263A)));

  imp->EdHexIn->setFocus();
  QTest::keyClicks(imp->EdHexIn, "C0");
  TypeChar(imp->EdAlphaOut, QChar(0xDF));
  EXPECT_EQ(imp->EdHexOut->text(), "E1");
}

using Layout = EntryEditor;

TEST_F(Layout, CaptionsTabOrderAndMarksOfBothRoles) {
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
  EXPECT_EQ(imp->EdHexOut->property("tag").toInt(), 0);
  for (QLineEdit* field : {exp->EdAlphaIn, exp->EdAlphaOut, exp->EdHexIn, exp->EdHexOut})
    EXPECT_EQ(field->property("helpContext").toInt(), 5);
  for (QLineEdit* field : {imp->EdAlphaIn, imp->EdAlphaOut, imp->EdHexIn, imp->EdHexOut})
    EXPECT_EQ(field->property("helpContext").toInt(), 6);
}

TEST_F(Layout, SizesOfTheControlWindowInstances) {
  for (TFrame1* frame : {exp, imp}) {
    EXPECT_EQ(frame->Rand->geometry(), QRect(0, 0, 200, 173));
    EXPECT_EQ(frame->Innen->geometry(), QRect(5, 5, 190, 163));
    EXPECT_EQ(frame->HeaderBox->width(), 190);
    EXPECT_EQ(frame->ScrollBar1->geometry(), QRect(2, 144, 186, 17));
    EXPECT_EQ(frame->InputHeader->geometry(), QRect(6, 24, 178, 114));
    EXPECT_EQ(frame->Bevel2->geometry(), QRect(16, 69, 147, 35));
    EXPECT_EQ(frame->EdAlphaIn->geometry(), QRect(64, 28, 30, 21));
    EXPECT_EQ(frame->EdHexOut->geometry(), QRect(120, 76, 30, 21));
    EXPECT_EQ(frame->Label2->pos(), QPoint(104, 80));
    EXPECT_EQ(frame->EdAlphaIn->maxLength(), 1);
    EXPECT_EQ(frame->EdHexIn->maxLength(), 2);
    EXPECT_EQ(frame->ScrollBar1->pageStep(), 16);
    EXPECT_EQ(frame->ScrollBar1->maximum(), 255);
    EXPECT_FALSE(frame->LblNoData->isVisible());
  }
  EXPECT_EQ(exp->StaticText2->geometry(), QRect(31, 80, 26, 20));
  EXPECT_EQ(imp->StaticText1->geometry(), QRect(20, 32, 34, 20));
  EXPECT_TRUE(exp->HeaderBox->font().bold());
  EXPECT_EQ(exp->HeaderBox->font().pixelSize(), 13);
  EXPECT_EQ(exp->EdHexIn->font().pixelSize(), 11);
  EXPECT_EQ(exp->EdAlphaIn->font().family(), QFont("Courier New").family());
}

using Colors = EntryEditor;

TEST_F(Colors, StateColourOfTheEntry) {
  Enter(exp);
  Chain();
  exportTable().Assign(0x41, 0xC1);  // mirrored, proven
  exportTable().Assign(0x42, 0xC2);  // mirrored, proven
  exportTable().Assign(0x43, 0xC2);  // ambiguous, not mirrored
  importTable().Link(nullptr);
  exportTable().Assign(0x44, 0xC4);  // assigned, no round trip
  EXPECT_EQ(exp->EntryColor(-1), clBtnFace);
  EXPECT_EQ(exp->EntryColor(0x41), clBtnFace);  // no partner: nothing is proven
  exportTable().Link(&importTable());
  EXPECT_EQ(exp->EntryColor(0x41), exportTable().ProofColor);
  EXPECT_EQ(exp->EntryColor(0x42), exportTable().AmbiguousColor);
  EXPECT_EQ(exp->EntryColor(0x44), clBtnFace);
  EXPECT_EQ(exp->EntryColor(0x45), clBtnShadow);

  // The inactive table of a pair shows the partner's colours.
  exportTable().ProofColor = clYellow;
  EXPECT_EQ(imp->EntryColor(0xC1), clYellow);
  exportTable().SetActive(0);
  EXPECT_EQ(imp->EntryColor(0xC1), importTable().ProofColor);
}

TEST_F(Colors, BorderFollowsTheActiveEditor) {
  exportTable().Link(&importTable());
  imp->EdHexIn->setFocus();
  EXPECT_EQ(Background(imp->Rand), Resolved(importTable().ActiveColor));
  EXPECT_EQ(Background(exp->Rand), Resolved(clBtnFace));
  imp->SetActiveColor(clYellow);
  EXPECT_EQ(importTable().ActiveColor, clYellow);
  EXPECT_EQ(exportTable().ActiveColor, clYellow);
  EXPECT_EQ(Background(imp->Rand), Resolved(clYellow));
  exp->EdAlphaIn->setFocus();
  EXPECT_TRUE(exportTable().Active);
  EXPECT_FALSE(importTable().Active);
  EXPECT_EQ(Background(exp->Rand), Resolved(clYellow));
  EXPECT_EQ(Background(imp->Rand), Resolved(clBtnFace));
}

TEST_F(Colors, PartnerLinkIsMutualAndClearedTogether) {
  exp->SetPartnerFrame(imp);
  EXPECT_EQ(imp->PartnerFrame, exp);
  exp->SetPartnerFrame(nullptr);
  EXPECT_EQ(exp->PartnerFrame, nullptr);
  EXPECT_EQ(imp->PartnerFrame, nullptr);
}

// Counts the paint events a widget receives.
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

using Speed = EntryEditor;

TEST_F(Speed, ACommitPaintsEachGridOnce) {
  Enter(exp);
  Chain();
  ASSERT_EQ(exp->TableWindow, DM1->ExportWindow);
  ASSERT_EQ(imp->TableWindow, DM1->ImportWindow);
  ASSERT_TRUE(DM1->ExportWindow->isVisible());
  QTest::keyClicks(exp->EdAlphaIn, "A");
  QTest::keyClicks(exp->EdHexOut, "C1");
  QApplication::processEvents();

  PaintCounter exportGrid(DM1->ExportWindow->FrmListBox1->ListBox1);
  PaintCounter importGrid(DM1->ImportWindow->FrmListBox1->ListBox1);
  QTest::keyClick(exp->EdHexOut, Qt::Key_Return);
  EXPECT_EQ(exportGrid.Paints + importGrid.Paints, 0);  // painted later, once
  QApplication::processEvents();
  EXPECT_EQ(exportGrid.Paints, 1);
  EXPECT_EQ(importGrid.Paints, 1);
}

TEST(HexValue, OnlyTwoUpperCaseDigits) {
  EXPECT_EQ(TFrame1::HexValue("C1"), 0xC1);
  EXPECT_EQ(TFrame1::HexValue("00"), 0);
  EXPECT_EQ(TFrame1::HexValue("FF"), 255);
  EXPECT_EQ(TFrame1::HexValue("c1"), -1);
  EXPECT_EQ(TFrame1::HexValue("C"), -1);
  EXPECT_EQ(TFrame1::HexValue("C1 "), -1);
  EXPECT_EQ(TFrame1::HexValue("G0"), -1);
  EXPECT_EQ(TFrame1::HexValue(""), -1);
}

}  // namespace
