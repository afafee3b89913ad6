// The entry editors driven by keystrokes through the real fields of the
// control window.
#include "ui/entryeditor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "platform/codepage.h"
#include "platform/colors.h"
#include "support/paintcounter.h"
#include "support/session.h"
#include "support/typing.h"
#include "ui/tablegrid.h"
#include "ui/tablewindow.h"

namespace {

QColor Resolved(int32_t color) { return ResolveColor(color, LightPalette()); }
QColor Background(const QWidget* widget) { return widget->palette().color(QPalette::Window); }
QString Shown(int byte) { return QString(DisplayChar(static_cast<uint8_t>(byte), {})); }

class EntryEditors : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    exp = TheControl->ExportEditor;
    imp = TheControl->ImportEditor;
    ASSERT_TRUE(ShowControlWindow());
  }
  // Chains the tables; the editor that holds the focus leads.
  void Chain() {
    exportTable().Link(&importTable());
    emit TheSession->TablesChanged();
  }
  void Enter(EntryEditor* frame, QLineEdit* field) {
    field->setFocus();
    ASSERT_TRUE(frame->IsActive());
  }
  void Edit(EntryEditor* frame, const char* source, const char* target) {
    QTest::keyClicks(frame->Kind() == TableKind::kExport ? frame->SourceChar() : frame->SourceHex(), source);
    QTest::keyClicks(frame->Kind() == TableKind::kExport ? frame->TargetHex() : frame->TargetChar(), target);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  }

  EntryEditor* exp = nullptr;
  EntryEditor* imp = nullptr;
};

using Roads = EntryEditors;

TEST_F(Roads, ExportCharacterSourceHexTargetMirrorsIntoImport) {
  Enter(exp, exp->SourceChar());
  Chain();
  QTest::keyClicks(exp->SourceChar(), "A");
  EXPECT_EQ(exportTable().CurrentPosition(), 0x41);
  EXPECT_EQ(exp->SourceHex()->text(), "41");
  EXPECT_EQ(QApplication::focusWidget(), exp->TargetHex());
  EXPECT_EQ(exp->PositionBar()->value(), 0x41);
  EXPECT_EQ(imp->SourceHex()->text(), "41");  // unassigned: the same position
  EXPECT_EQ(Background(exp->InputBox()), Resolved(kColorButtonShadow));

  QTest::keyClicks(exp->TargetHex(), "c1");
  EXPECT_EQ(exp->TargetHex()->text(), "C1");
  EXPECT_EQ(exp->TargetChar()->text(), Shown(0xC1));
  EXPECT_EQ(exportTable().Target(0x41), -1);

  QTest::keyClick(exp->TargetHex(), Qt::Key_Return);
  EXPECT_EQ(exportTable().Target(0x41), 0xC1);
  EXPECT_EQ(importTable().Target(0xC1), 0x41);
  EXPECT_EQ(QApplication::focusWidget(), exp->SourceChar());
  EXPECT_EQ(Background(exp->InputBox()), Resolved(kColorGreen));
  EXPECT_EQ(Background(imp->InputBox()), Resolved(kColorGreen));
  EXPECT_EQ((QStringList{imp->SourceChar()->text(), imp->SourceHex()->text(), imp->TargetChar()->text(),
                         imp->TargetHex()->text()}),
            (QStringList{Shown(0xC1), "C1", "A", "41"}));
  EXPECT_EQ(Background(exp->Border()), Resolved(TheSession->ActiveColor));
  EXPECT_EQ(Background(imp->Border()), Resolved(kColorButtonFace));

  // A second edit types over the present target.
  Edit(exp, "A", "C2");
  EXPECT_EQ(exportTable().Target(0x41), 0xC2);
  EXPECT_EQ(exportTable().Count(0xC1), -1);
  EXPECT_EQ(importTable().Target(0xC2), 0x41);
}

TEST_F(Roads, ImportHexSourceCharacterTargetMirrorsIntoExport) {
  Enter(imp, imp->SourceHex());
  ASSERT_FALSE(exp->IsActive());
  Chain();
  QTest::keyClicks(imp->SourceHex(), "c1");
  EXPECT_EQ(importTable().CurrentPosition(), 0xC1);
  EXPECT_EQ(imp->SourceChar()->text(), Shown(0xC1));
  EXPECT_EQ(QApplication::focusWidget(), imp->TargetChar());
  QTest::keyClicks(imp->TargetChar(), "A");
  EXPECT_EQ(imp->TargetHex()->text(), "41");
  QTest::keyClick(imp->TargetChar(), Qt::Key_Return);
  EXPECT_EQ(importTable().Target(0xC1), 0x41);
  EXPECT_EQ(exportTable().Target(0x41), 0xC1);
  EXPECT_EQ(exp->TargetHex()->text(), "C1");
  EXPECT_EQ(QApplication::focusWidget(), imp->SourceHex());

  // "." reaches the target field and acts through its change handler.
  QTest::keyClicks(imp->SourceHex(), "4B");
  QTest::keyClicks(imp->TargetChar(), ".");
  EXPECT_EQ(imp->TargetHex()->text(), "2E");
}

TEST_F(Roads, EnterCommitsOnlyTwoHexDigitsOnBothSides) {
  Enter(exp, exp->SourceChar());
  Edit(exp, "A", "C");
  EXPECT_EQ(QApplication::focusWidget(), exp->TargetHex());
  exp->TargetHex()->setText("4G");  // pasted
  QTest::keyClick(exp->TargetHex(), Qt::Key_Return);
  EXPECT_EQ(exportTable().CountAssigned(), 0);
  exp->TargetHex()->clear();
  QTest::keyClicks(exp->TargetHex(), QString::fromUtf8("cß"));
  EXPECT_EQ(exp->TargetHex()->text(), QString::fromUtf8("Cß"));
  exp->TargetHex()->setText("C2");
  QTest::keyClick(exp->TargetChar(), Qt::Key_Enter);
  EXPECT_EQ(exportTable().Target(0x41), 0xC2);
}

TEST_F(Roads, ACommitPaintsEachGridOnce) {
  Enter(exp, exp->SourceChar());
  Chain();
  QTest::keyClicks(exp->SourceChar(), "A");
  QTest::keyClicks(exp->TargetHex(), "C1");
  QApplication::processEvents();
  PaintCounter exportGrid(TheControl->ExportWindow->Grid->Cells);
  PaintCounter importGrid(TheControl->ImportWindow->Grid->Cells);
  QTest::keyClick(exp->TargetHex(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(exportGrid.Paints, 1);
  EXPECT_EQ(importGrid.Paints, 1);
}

// The inactive editor of a chained pair follows the session's selection of
// the active table, whoever made it.
TEST_F(Roads, ChainedEditorFollowsTheSessionsSelection) {
  Enter(exp, exp->SourceChar());
  Chain();
  exportTable().Assign(0x41, 0xC1);
  TheSession->SelectEntry(TableKind::kExport, 0x41);
  EXPECT_EQ((QStringList{imp->SourceChar()->text(), imp->SourceHex()->text(), imp->TargetChar()->text(),
                         imp->TargetHex()->text()}),
            (QStringList{Shown(0xC1), "C1", "A", "41"}));
  TheSession->SelectEntry(TableKind::kExport, 0x42);
  EXPECT_EQ(importTable().CurrentPosition(), 0x42);
  TheSession->SelectEntry(TableKind::kExport, -1);
  EXPECT_EQ(importTable().CurrentPosition(), -1);
  EXPECT_EQ(imp->SourceHex()->text(), "");
  TheSession->SelectEntry(TableKind::kImport, 0x30);
  EXPECT_EQ(exportTable().CurrentPosition(), -1);
}

using Keys = EntryEditors;

TEST_F(Keys, F3FindsTheLowestSourceOrReports) {
  Enter(exp, exp->SourceChar());
  exportTable().Assign(0x30, 0xF0);
  exportTable().Assign(0x61, 0xC1);
  exportTable().Assign(0x41, 0xC1);
  QTest::keyClicks(exp->SourceChar(), "0");
  QTest::keyClicks(exp->TargetHex(), "C1");
  QTest::keyClick(exp->TargetHex(), Qt::Key_F3);
  EXPECT_EQ(exportTable().CurrentPosition(), 0x41);
  EXPECT_EQ(exp->SourceChar()->text(), "A");
  EXPECT_EQ(Background(exp->InputBox()), Resolved(kColorRed));  // ambiguous

  QTest::keyClicks(exp->TargetHex(), "C2");
  QTest::keyClick(exp->TargetHex(), Qt::Key_F3, Qt::ShiftModifier);
  exp->TargetHex()->clear();
  QTest::keyClick(exp->TargetHex(), Qt::Key_F3);
  const auto calls = prompter->CallsOf("information");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].Text, "Zeichen nicht zugeordnet!");
  EXPECT_EQ(exportTable().CurrentPosition(), 0x41);
}

TEST_F(Keys, CtrlArrowsStepThroughTheGridWrappingBy255) {
  Enter(exp, exp->SourceChar());
  const auto step = [&](Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
    return exportTable().CurrentPosition();
  };
  EXPECT_EQ(step(Qt::Key_Right), 0x00);  // no current entry
  EXPECT_EQ(exp->SourceHex()->text(), "00");
  EXPECT_EQ(step(Qt::Key_Left), 0xFE);
  EXPECT_EQ(step(Qt::Key_Right), 0xFF);
  EXPECT_EQ(step(Qt::Key_Right), 0x01);
  EXPECT_EQ(step(Qt::Key_Down), 0x11);
  EXPECT_EQ(step(Qt::Key_Up), 0x01);
  EXPECT_EQ(step(Qt::Key_Up), 0xF0);
  TheSession->SwapRowsColumns->setChecked(true);
  EXPECT_EQ(step(Qt::Key_Right), 0x01);
  EXPECT_EQ(step(Qt::Key_Up), 0x00);
  EXPECT_EQ(step(Qt::Key_Up), 0xFE);
  EXPECT_EQ(step(Qt::Key_Down), 0xFF);
  EXPECT_EQ(step(Qt::Key_Left), 0xEF);
}

TEST_F(Keys, CtrlDeleteRemovesWithTheMirrorAndAlwaysClears) {
  Enter(exp, exp->SourceChar());
  Chain();
  Edit(exp, "A", "C1");
  exportTable().Assign(0x04, 0x37);
  QTest::keyClick(exp->SourceChar(), Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(exportTable().Target(0x41), -1);
  EXPECT_EQ(importTable().Target(0xC1), -1);
  EXPECT_EQ(exportTable().CurrentPosition(), -1);
  EXPECT_EQ(importTable().CurrentPosition(), -1);
  EXPECT_EQ(exp->SourceHex()->text(), "");
  EXPECT_EQ(imp->SourceHex()->text(), "");

  QTest::keyClicks(exp->SourceChar(), "A");
  exp->SourceHex()->setText("4");
  QTest::keyClick(exp->SourceHex(), Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(exportTable().CountAssigned(), 1);
  EXPECT_EQ(exportTable().CurrentOrdinal(), -1);
}

TEST_F(Keys, SpecialPositions) {
  Enter(exp, exp->SourceHex());
  QTest::keyClicks(exp->SourceHex(), "00");
  EXPECT_EQ(exportTable().CurrentPosition(), 0);
  EXPECT_EQ(exp->SourceChar()->text(), "");
  EXPECT_EQ(QApplication::focusWidget(), exp->TargetHex());

  TypeChar(exp->SourceChar(), QChar(0xFF));
  EXPECT_EQ(exportTable().CurrentPosition(), 0xFF);
  exp->SourceHex()->selectAll();
  QTest::keyClicks(exp->SourceHex(), "ff");
  EXPECT_EQ(exportTable().CurrentPosition(), 0xFF);

  QTest::keyClick(exp->SourceChar(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(exportTable().CurrentPosition(), 0x01);
  EXPECT_EQ(exp->SourceChar()->text(), Shown(0x01));
  QTest::keyClick(exp->SourceChar(), Qt::Key_V, Qt::ControlModifier);  // a character, not a paste
  EXPECT_EQ(exportTable().CurrentPosition(), 0x16);

  exp->PositionBar()->setValue(0x30);
  EXPECT_EQ(exp->SourceChar()->text(), "0");
  exportTable().SetCurrent(0x50);
  exp->Repaint();
  EXPECT_EQ(exp->SourceHex()->text(), "50");
  EXPECT_EQ(exp->PositionBar()->value(), 0x30);
}

TEST_F(Keys, DotAndBackspaceActThroughTheChangeHandler) {
  Enter(exp, exp->SourceChar());
  exportTable().Assign(0x2E, 0x4B);
  QTest::keyClicks(exp->SourceChar(), "A");
  exp->SourceChar()->end(false);
  QTest::keyClicks(exp->SourceChar(), ".");  // the full field refuses it
  EXPECT_EQ(exportTable().CurrentPosition(), 0x41);
  exp->SourceChar()->selectAll();
  QTest::keyClicks(exp->SourceChar(), ".");
  EXPECT_EQ(exportTable().CurrentPosition(), 0x2E);
  EXPECT_EQ(exp->TargetHex()->text(), "4B");
  exp->SourceChar()->end(false);
  QTest::keyClick(exp->SourceChar(), Qt::Key_Backspace);
  EXPECT_EQ(exportTable().CurrentPosition(), -1);
  EXPECT_EQ(exp->TargetHex()->text(), "");
  EXPECT_EQ(Background(exp->InputBox()), Resolved(kColorButtonFace));
}

TEST_F(Keys, RefusedCharactersBeep) {
  Enter(exp, exp->SourceChar());
  exportTable().Assign(0x41, 0xC1);
  exportTable().Assign(0x42, 0xC1);
  QTest::keyClicks(exp->SourceChar(), "A");
  ASSERT_EQ(Background(exp->InputBox()), Resolved(kColorRed));
  QTest::keyClicks(exp->TargetHex(), "G");
  EXPECT_EQ(prompter->Beeps(), 1);
  EXPECT_EQ(exp->TargetHex()->text(), "C1");
  EXPECT_EQ(Background(exp->InputBox()), Resolved(kColorButtonFace));
  QTest::keyClicks(exp->SourceHex(), " z");
  QTest::keyClick(exp->TargetHex(), Qt::Key_Return);
  EXPECT_EQ(prompter->Beeps(), 3);

  TypeChar(exp->SourceChar(), QChar(0x03A9));  // not in Windows-1252
  EXPECT_EQ(prompter->Beeps(), 4);
  EXPECT_EQ(exportTable().CurrentPosition(), 0x41);
  TypeChar(exp->SourceChar(), QChar(0x20AC));
  EXPECT_EQ(exportTable().CurrentPosition(), 0x80);
}

TEST_F(Keys, OemInputConvertsTypedCharacters) {
  const DisplayFont terminal("Terminal", -12, true, true);
  for (EntryEditor* frame : {exp, imp}) {
    frame->SetDisplayFont(terminal);
    frame->SetOemInput(true);
  }
  Enter(exp, exp->SourceChar());
  TypeChar(exp->SourceChar(), QChar(0xE4));
  EXPECT_EQ(exportTable().CurrentPosition(), 0x84);
  EXPECT_EQ(exp->SourceChar()->text(), QString(QChar(0xE4)));  // drawn through CP 850
  QTest::keyClick(exp->SourceChar(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(exp->SourceChar()->text(), QString(QChar(0x263A)));

  Enter(imp, imp->SourceHex());
  QTest::keyClicks(imp->SourceHex(), "C0");
  TypeChar(imp->TargetChar(), QChar(0xDF));
  EXPECT_EQ(imp->TargetHex()->text(), "E1");
}

using Form = EntryEditors;

TEST_F(Form, CaptionsTabOrderAndMarksOfBothRoles) {
  EXPECT_EQ(exp->HeaderBox()->title(), "Export von ASCII");
  EXPECT_EQ(exp->InputBox()->title(), "                   ASCII    =    Export");
  EXPECT_EQ(imp->HeaderBox()->title(), "Import nach ASCII");
  EXPECT_EQ(imp->InputBox()->title(), "                  Import    =    ASCII");
  const auto tabChain = [](QLineEdit* first) {
    std::vector<QWidget*> chain{first};
    first->setFocus();
    for (int i = 0; i < 3; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      chain.push_back(QApplication::focusWidget());
    }
    return chain;
  };
  EXPECT_EQ(tabChain(exp->SourceChar()),
            (std::vector<QWidget*>{exp->SourceChar(), exp->TargetHex(), exp->TargetChar(), exp->SourceHex()}));
  EXPECT_EQ(tabChain(imp->SourceHex()),
            (std::vector<QWidget*>{imp->SourceHex(), imp->TargetChar(), imp->TargetHex(), imp->SourceChar()}));
  EXPECT_EQ(exp->TargetHex()->property("tag").toInt(), 2);
  EXPECT_EQ(exp->TargetChar()->property("tag").toInt(), 0);
  EXPECT_EQ(imp->TargetChar()->property("tag").toInt(), 2);
  EXPECT_EQ(exp->TargetChar()->property("helpContext").toInt(), 5);
  EXPECT_EQ(imp->SourceHex()->property("helpContext").toInt(), 6);
}

TEST_F(Form, InstanceSizesFollowTheAnchors) {
  for (EntryEditor* frame : {exp, imp}) {
    EXPECT_EQ(frame->Inner()->geometry(), QRect(5, 5, 190, 163));
    EXPECT_EQ(frame->PositionBar()->geometry(), QRect(2, 144, 186, 17));
    EXPECT_EQ(frame->InputBox()->geometry(), QRect(6, 24, 178, 114));
    EXPECT_EQ(frame->HexBevel()->geometry(), QRect(16, 69, 147, 35));
    EXPECT_EQ(frame->TargetHex()->geometry(), QRect(120, 76, 30, 21));
    EXPECT_EQ(frame->HexEquals()->pos(), QPoint(104, 80));
  }
  EXPECT_EQ(exp->HexCaption()->geometry(), QRect(31, 80, 26, 20));
  EXPECT_EQ(imp->CharCaption()->geometry(), QRect(20, 32, 34, 20));
  EXPECT_EQ(exp->HeaderBox()->font().pixelSize(), 13);
  EXPECT_EQ(exp->SourceHex()->font().pixelSize(), 11);
}

TEST_F(Form, StateColoursComeFromTheActiveTable) {
  Enter(exp, exp->SourceChar());
  Chain();
  exportTable().Assign(0x41, 0xC1);  // mirrored: proven
  exportTable().Assign(0x42, 0xC2);
  exportTable().Assign(0x43, 0xC2);  // ambiguous
  exportTable().Link(nullptr);
  EXPECT_EQ(exp->EntryColor(0x41), kColorButtonFace);  // no partner, no proof
  exportTable().Link(&importTable());
  EXPECT_EQ(exp->EntryColor(0x41), TheSession->ProofColor);
  EXPECT_EQ(exp->EntryColor(0x42), TheSession->AmbiguousColor);
  EXPECT_EQ(exp->EntryColor(0x45), kColorButtonShadow);
  TheSession->SetProofColor(kColorYellow);
  EXPECT_EQ(imp->EntryColor(0xC1), kColorYellow);
}

TEST_F(Form, BorderFollowsTheActiveEditor) {
  exportTable().Link(&importTable());
  Enter(imp, imp->SourceHex());
  EXPECT_EQ(Background(imp->Border()), Resolved(TheSession->ActiveColor));
  EXPECT_EQ(Background(exp->Border()), Resolved(kColorButtonFace));
  TheSession->SetActiveColor(kColorYellow);
  EXPECT_EQ(Background(imp->Border()), Resolved(kColorYellow));
  Enter(exp, exp->SourceChar());
  EXPECT_FALSE(importTable().IsActive());
  EXPECT_EQ(Background(exp->Border()), Resolved(kColorYellow));
  EXPECT_EQ(Background(imp->Border()), Resolved(kColorButtonFace));
}

}  // namespace
