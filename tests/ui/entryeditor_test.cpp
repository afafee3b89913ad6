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
    exp_ = TheControl->ExportEditor;
    imp_ = TheControl->ImportEditor;
    ASSERT_TRUE(ShowControlWindow());
  }
  // Chains the tables; the editor that holds the focus leads.
  void Chain() {
    ExportTable().Link(&ImportTable());
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

  EntryEditor* exp_ = nullptr;
  EntryEditor* imp_ = nullptr;
};

using Roads = EntryEditors;

TEST_F(Roads, ExportCharacterSourceHexTargetMirrorsIntoImport) {
  Enter(exp_, exp_->SourceChar());
  Chain();
  QTest::keyClicks(exp_->SourceChar(), "A");
  EXPECT_EQ(ExportTable().CurrentPosition(), 0x41);
  EXPECT_EQ(exp_->SourceHex()->text(), "41");
  EXPECT_EQ(QApplication::focusWidget(), exp_->TargetHex());
  EXPECT_EQ(exp_->PositionBar()->value(), 0x41);
  EXPECT_EQ(imp_->SourceHex()->text(), "41");  // unassigned: the same position
  EXPECT_EQ(Background(exp_->InputBox()), Resolved(kColorButtonShadow));

  QTest::keyClicks(exp_->TargetHex(), "c1");
  EXPECT_EQ(exp_->TargetHex()->text(), "C1");
  EXPECT_EQ(exp_->TargetChar()->text(), Shown(0xC1));
  EXPECT_EQ(ExportTable().Target(0x41), -1);

  QTest::keyClick(exp_->TargetHex(), Qt::Key_Return);
  EXPECT_EQ(ExportTable().Target(0x41), 0xC1);
  EXPECT_EQ(ImportTable().Target(0xC1), 0x41);
  EXPECT_EQ(QApplication::focusWidget(), exp_->SourceChar());
  EXPECT_EQ(Background(exp_->InputBox()), Resolved(kColorGreen));
  EXPECT_EQ(Background(imp_->InputBox()), Resolved(kColorGreen));
  EXPECT_EQ((QStringList{imp_->SourceChar()->text(), imp_->SourceHex()->text(), imp_->TargetChar()->text(),
                         imp_->TargetHex()->text()}),
            (QStringList{Shown(0xC1), "C1", "A", "41"}));
  EXPECT_EQ(Background(exp_->Border()), Resolved(TheSession->ActiveColor));
  EXPECT_EQ(Background(imp_->Border()), Resolved(kColorButtonFace));

  // A second edit types over the present target.
  Edit(exp_, "A", "C2");
  EXPECT_EQ(ExportTable().Target(0x41), 0xC2);
  EXPECT_EQ(ExportTable().Count(0xC1), -1);
  EXPECT_EQ(ImportTable().Target(0xC2), 0x41);
}

TEST_F(Roads, ImportHexSourceCharacterTargetMirrorsIntoExport) {
  Enter(imp_, imp_->SourceHex());
  ASSERT_FALSE(exp_->IsActive());
  Chain();
  QTest::keyClicks(imp_->SourceHex(), "c1");
  EXPECT_EQ(ImportTable().CurrentPosition(), 0xC1);
  EXPECT_EQ(imp_->SourceChar()->text(), Shown(0xC1));
  EXPECT_EQ(QApplication::focusWidget(), imp_->TargetChar());
  QTest::keyClicks(imp_->TargetChar(), "A");
  EXPECT_EQ(imp_->TargetHex()->text(), "41");
  QTest::keyClick(imp_->TargetChar(), Qt::Key_Return);
  EXPECT_EQ(ImportTable().Target(0xC1), 0x41);
  EXPECT_EQ(ExportTable().Target(0x41), 0xC1);
  EXPECT_EQ(exp_->TargetHex()->text(), "C1");
  EXPECT_EQ(QApplication::focusWidget(), imp_->SourceHex());

  // "." reaches the target field and acts through its change handler.
  QTest::keyClicks(imp_->SourceHex(), "4B");
  QTest::keyClicks(imp_->TargetChar(), ".");
  EXPECT_EQ(imp_->TargetHex()->text(), "2E");
}

TEST_F(Roads, EnterCommitsOnlyTwoHexDigitsOnBothSides) {
  Enter(exp_, exp_->SourceChar());
  Edit(exp_, "A", "C");
  EXPECT_EQ(QApplication::focusWidget(), exp_->TargetHex());
  exp_->TargetHex()->setText("4G");  // pasted
  QTest::keyClick(exp_->TargetHex(), Qt::Key_Return);
  EXPECT_EQ(ExportTable().CountAssigned(), 0);
  exp_->TargetHex()->clear();
  QTest::keyClicks(exp_->TargetHex(), QString::fromUtf8("cß"));
  EXPECT_EQ(exp_->TargetHex()->text(), QString::fromUtf8("Cß"));
  exp_->TargetHex()->setText("C2");
  QTest::keyClick(exp_->TargetChar(), Qt::Key_Enter);
  EXPECT_EQ(ExportTable().Target(0x41), 0xC2);
}

TEST_F(Roads, ACommitPaintsEachGridOnce) {
  Enter(exp_, exp_->SourceChar());
  Chain();
  QTest::keyClicks(exp_->SourceChar(), "A");
  QTest::keyClicks(exp_->TargetHex(), "C1");
  QApplication::processEvents();
  PaintCounter export_grid(TheControl->ExportWindow->Grid->Cells);
  PaintCounter import_grid(TheControl->ImportWindow->Grid->Cells);
  QTest::keyClick(exp_->TargetHex(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(export_grid.Paints, 1);
  EXPECT_EQ(import_grid.Paints, 1);
}

// The inactive editor of a chained pair follows the session's selection of
// the active table, whoever made it.
TEST_F(Roads, ChainedEditorFollowsTheSessionsSelection) {
  Enter(exp_, exp_->SourceChar());
  Chain();
  ExportTable().Assign(0x41, 0xC1);
  TheSession->SelectEntry(TableKind::kExport, 0x41);
  EXPECT_EQ((QStringList{imp_->SourceChar()->text(), imp_->SourceHex()->text(), imp_->TargetChar()->text(),
                         imp_->TargetHex()->text()}),
            (QStringList{Shown(0xC1), "C1", "A", "41"}));
  TheSession->SelectEntry(TableKind::kExport, 0x42);
  EXPECT_EQ(ImportTable().CurrentPosition(), 0x42);
  TheSession->SelectEntry(TableKind::kExport, -1);
  EXPECT_EQ(ImportTable().CurrentPosition(), -1);
  EXPECT_EQ(imp_->SourceHex()->text(), "");
  TheSession->SelectEntry(TableKind::kImport, 0x30);
  EXPECT_EQ(ExportTable().CurrentPosition(), -1);
}

using Keys = EntryEditors;

TEST_F(Keys, F3FindsTheLowestSourceOrReports) {
  Enter(exp_, exp_->SourceChar());
  ExportTable().Assign(0x30, 0xF0);
  ExportTable().Assign(0x61, 0xC1);
  ExportTable().Assign(0x41, 0xC1);
  QTest::keyClicks(exp_->SourceChar(), "0");
  QTest::keyClicks(exp_->TargetHex(), "C1");
  QTest::keyClick(exp_->TargetHex(), Qt::Key_F3);
  EXPECT_EQ(ExportTable().CurrentPosition(), 0x41);
  EXPECT_EQ(exp_->SourceChar()->text(), "A");
  EXPECT_EQ(Background(exp_->InputBox()), Resolved(kColorRed));  // ambiguous

  QTest::keyClicks(exp_->TargetHex(), "C2");
  QTest::keyClick(exp_->TargetHex(), Qt::Key_F3, Qt::ShiftModifier);
  exp_->TargetHex()->clear();
  QTest::keyClick(exp_->TargetHex(), Qt::Key_F3);
  const auto calls = prompter_->CallsOf("information");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].Text, "Zeichen nicht zugeordnet!");
  EXPECT_EQ(ExportTable().CurrentPosition(), 0x41);
}

TEST_F(Keys, CtrlArrowsStepThroughTheGridWrappingBy255) {
  Enter(exp_, exp_->SourceChar());
  const auto step = [&](Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
    return ExportTable().CurrentPosition();
  };
  EXPECT_EQ(step(Qt::Key_Right), 0x00);  // no current entry
  EXPECT_EQ(exp_->SourceHex()->text(), "00");
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
  Enter(exp_, exp_->SourceChar());
  Chain();
  Edit(exp_, "A", "C1");
  ExportTable().Assign(0x04, 0x37);
  QTest::keyClick(exp_->SourceChar(), Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(ExportTable().Target(0x41), -1);
  EXPECT_EQ(ImportTable().Target(0xC1), -1);
  EXPECT_EQ(ExportTable().CurrentPosition(), -1);
  EXPECT_EQ(ImportTable().CurrentPosition(), -1);
  EXPECT_EQ(exp_->SourceHex()->text(), "");
  EXPECT_EQ(imp_->SourceHex()->text(), "");

  QTest::keyClicks(exp_->SourceChar(), "A");
  exp_->SourceHex()->setText("4");
  QTest::keyClick(exp_->SourceHex(), Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(ExportTable().CountAssigned(), 1);
  EXPECT_EQ(ExportTable().CurrentOrdinal(), -1);
}

TEST_F(Keys, SpecialPositions) {
  Enter(exp_, exp_->SourceHex());
  QTest::keyClicks(exp_->SourceHex(), "00");
  EXPECT_EQ(ExportTable().CurrentPosition(), 0);
  EXPECT_EQ(exp_->SourceChar()->text(), "");
  EXPECT_EQ(QApplication::focusWidget(), exp_->TargetHex());

  TypeChar(exp_->SourceChar(), QChar(0xFF));
  EXPECT_EQ(ExportTable().CurrentPosition(), 0xFF);
  exp_->SourceHex()->selectAll();
  QTest::keyClicks(exp_->SourceHex(), "ff");
  EXPECT_EQ(ExportTable().CurrentPosition(), 0xFF);

  QTest::keyClick(exp_->SourceChar(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(ExportTable().CurrentPosition(), 0x01);
  EXPECT_EQ(exp_->SourceChar()->text(), Shown(0x01));
  QTest::keyClick(exp_->SourceChar(), Qt::Key_V, Qt::ControlModifier);  // a character, not a paste
  EXPECT_EQ(ExportTable().CurrentPosition(), 0x16);

  exp_->PositionBar()->setValue(0x30);
  EXPECT_EQ(exp_->SourceChar()->text(), "0");
  ExportTable().SetCurrent(0x50);
  exp_->Repaint();
  EXPECT_EQ(exp_->SourceHex()->text(), "50");
  EXPECT_EQ(exp_->PositionBar()->value(), 0x30);
}

TEST_F(Keys, DotAndBackspaceActThroughTheChangeHandler) {
  Enter(exp_, exp_->SourceChar());
  ExportTable().Assign(0x2E, 0x4B);
  QTest::keyClicks(exp_->SourceChar(), "A");
  exp_->SourceChar()->end(false);
  QTest::keyClicks(exp_->SourceChar(), ".");  // the full field refuses it
  EXPECT_EQ(ExportTable().CurrentPosition(), 0x41);
  exp_->SourceChar()->selectAll();
  QTest::keyClicks(exp_->SourceChar(), ".");
  EXPECT_EQ(ExportTable().CurrentPosition(), 0x2E);
  EXPECT_EQ(exp_->TargetHex()->text(), "4B");
  exp_->SourceChar()->end(false);
  QTest::keyClick(exp_->SourceChar(), Qt::Key_Backspace);
  EXPECT_EQ(ExportTable().CurrentPosition(), -1);
  EXPECT_EQ(exp_->TargetHex()->text(), "");
  EXPECT_EQ(Background(exp_->InputBox()), Resolved(kColorButtonFace));
}

TEST_F(Keys, RefusedCharactersBeep) {
  Enter(exp_, exp_->SourceChar());
  ExportTable().Assign(0x41, 0xC1);
  ExportTable().Assign(0x42, 0xC1);
  QTest::keyClicks(exp_->SourceChar(), "A");
  ASSERT_EQ(Background(exp_->InputBox()), Resolved(kColorRed));
  QTest::keyClicks(exp_->TargetHex(), "G");
  EXPECT_EQ(prompter_->Beeps(), 1);
  EXPECT_EQ(exp_->TargetHex()->text(), "C1");
  EXPECT_EQ(Background(exp_->InputBox()), Resolved(kColorButtonFace));
  QTest::keyClicks(exp_->SourceHex(), " z");
  QTest::keyClick(exp_->TargetHex(), Qt::Key_Return);
  EXPECT_EQ(prompter_->Beeps(), 3);

  TypeChar(exp_->SourceChar(), QChar(0x03A9));  // not in Windows-1252
  EXPECT_EQ(prompter_->Beeps(), 4);
  EXPECT_EQ(ExportTable().CurrentPosition(), 0x41);
  TypeChar(exp_->SourceChar(), QChar(0x20AC));
  EXPECT_EQ(ExportTable().CurrentPosition(), 0x80);
}

TEST_F(Keys, OemInputConvertsTypedCharacters) {
  const DisplayFont terminal("Terminal", -12, true, true);
  for (EntryEditor* frame : {exp_, imp_}) {
    frame->SetDisplayFont(terminal);
    frame->SetOemInput(true);
  }
  Enter(exp_, exp_->SourceChar());
  TypeChar(exp_->SourceChar(), QChar(0xE4));
  EXPECT_EQ(ExportTable().CurrentPosition(), 0x84);
  EXPECT_EQ(exp_->SourceChar()->text(), QString(QChar(0xE4)));  // drawn through CP 850
  QTest::keyClick(exp_->SourceChar(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(exp_->SourceChar()->text(), QString(QChar(0x263A)));

  Enter(imp_, imp_->SourceHex());
  QTest::keyClicks(imp_->SourceHex(), "C0");
  TypeChar(imp_->TargetChar(), QChar(0xDF));
  EXPECT_EQ(imp_->TargetHex()->text(), "E1");
}

using Form = EntryEditors;

TEST_F(Form, CaptionsTabOrderAndMarksOfBothRoles) {
  EXPECT_EQ(exp_->HeaderBox()->title(), "Export von ASCII");
  EXPECT_EQ(exp_->InputBox()->title(), "                   ASCII    =    Export");
  EXPECT_EQ(imp_->HeaderBox()->title(), "Import nach ASCII");
  EXPECT_EQ(imp_->InputBox()->title(), "                  Import    =    ASCII");
  const auto tab_chain = [](QLineEdit* first) {
    std::vector<QWidget*> chain{first};
    first->setFocus();
    for (int i = 0; i < 3; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      chain.push_back(QApplication::focusWidget());
    }
    return chain;
  };
  EXPECT_EQ(tab_chain(exp_->SourceChar()),
            (std::vector<QWidget*>{exp_->SourceChar(), exp_->TargetHex(), exp_->TargetChar(), exp_->SourceHex()}));
  EXPECT_EQ(tab_chain(imp_->SourceHex()),
            (std::vector<QWidget*>{imp_->SourceHex(), imp_->TargetChar(), imp_->TargetHex(), imp_->SourceChar()}));
  EXPECT_EQ(exp_->TargetHex()->property("tag").toInt(), 2);
  EXPECT_EQ(exp_->TargetChar()->property("tag").toInt(), 0);
  EXPECT_EQ(imp_->TargetChar()->property("tag").toInt(), 2);
  EXPECT_EQ(exp_->TargetChar()->property("helpContext").toInt(), 5);
  EXPECT_EQ(imp_->SourceHex()->property("helpContext").toInt(), 6);
}

TEST_F(Form, InstanceSizesFollowTheAnchors) {
  for (EntryEditor* frame : {exp_, imp_}) {
    EXPECT_EQ(frame->Inner()->geometry(), QRect(5, 5, 190, 163));
    EXPECT_EQ(frame->PositionBar()->geometry(), QRect(2, 144, 186, 17));
    EXPECT_EQ(frame->InputBox()->geometry(), QRect(6, 24, 178, 114));
    EXPECT_EQ(frame->HexBevel()->geometry(), QRect(16, 69, 147, 35));
    EXPECT_EQ(frame->TargetHex()->geometry(), QRect(120, 76, 30, 21));
    EXPECT_EQ(frame->HexEquals()->pos(), QPoint(104, 80));
  }
  EXPECT_EQ(exp_->HexCaption()->geometry(), QRect(31, 80, 26, 20));
  EXPECT_EQ(imp_->CharCaption()->geometry(), QRect(20, 32, 34, 20));
  EXPECT_EQ(exp_->HeaderBox()->font().pixelSize(), 13);
  EXPECT_EQ(exp_->SourceHex()->font().pixelSize(), 11);
}

TEST_F(Form, StateColoursComeFromTheActiveTable) {
  Enter(exp_, exp_->SourceChar());
  Chain();
  ExportTable().Assign(0x41, 0xC1);  // mirrored: proven
  ExportTable().Assign(0x42, 0xC2);
  ExportTable().Assign(0x43, 0xC2);  // ambiguous
  ExportTable().Link(nullptr);
  EXPECT_EQ(exp_->EntryColor(0x41), kColorButtonFace);  // no partner, no proof
  ExportTable().Link(&ImportTable());
  EXPECT_EQ(exp_->EntryColor(0x41), TheSession->ProofColor);
  EXPECT_EQ(exp_->EntryColor(0x42), TheSession->AmbiguousColor);
  EXPECT_EQ(exp_->EntryColor(0x45), kColorButtonShadow);
  TheSession->SetProofColor(kColorYellow);
  EXPECT_EQ(imp_->EntryColor(0xC1), kColorYellow);
}

TEST_F(Form, BorderFollowsTheActiveEditor) {
  ExportTable().Link(&ImportTable());
  Enter(imp_, imp_->SourceHex());
  EXPECT_EQ(Background(imp_->Border()), Resolved(TheSession->ActiveColor));
  EXPECT_EQ(Background(exp_->Border()), Resolved(kColorButtonFace));
  TheSession->SetActiveColor(kColorYellow);
  EXPECT_EQ(Background(imp_->Border()), Resolved(kColorYellow));
  Enter(exp_, exp_->SourceChar());
  EXPECT_FALSE(ImportTable().IsActive());
  EXPECT_EQ(Background(exp_->Border()), Resolved(kColorYellow));
  EXPECT_EQ(Background(imp_->Border()), Resolved(kColorButtonFace));
}

}  // namespace
