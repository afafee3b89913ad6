// The four colour actions through the colour dialog, and their setters.
#include "platform/colors.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>

#include "support/drawncells.h"
#include "support/session.h"
#include "ui/entryeditor.h"
#include "ui/tablegrid.h"
#include "ui/tablewindow.h"

namespace {

constexpr int32_t kColorBlue = RgbColor(0, 0, 255);
constexpr int32_t kColorTeal = RgbColor(0, 128, 128);

QColor Resolved(int32_t color) { return ResolveColor(color, LightPalette()); }
QColor Background(const QWidget* widget) { return widget->palette().color(QPalette::Window); }

// Every colour the session keeps.
std::vector<int32_t> ColorsNow() {
  const Session& session = *TheSession;
  return {session.ChainedColor, session.ActiveColor, session.AmbiguousColor, session.ProofColor};
}

class StateColors : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    ASSERT_TRUE(ShowControlWindow());
    exp = TheControl->ExportEditor;
    imp = TheControl->ImportEditor;
    exportGrid = TheControl->ExportWindow->Grid;
    importGrid = TheControl->ImportWindow->Grid;
  }

  // Chains the pair with EXPORT active: A -> C1 is confirmed by the partner.
  void ChainWithProvenEntry() {
    exportTable().SetActive(true);
    importTable().SetActive(false);
    exportTable().Link(&importTable());
    exportTable().Assign(0x41, 0xC1);
    exp->MoveTo(0x41);
    emit TheSession->TablesChanged();
  }

  QString OfferedColor() const { return prompter->CallsOf("color").back().Text; }

  EntryEditor* exp = nullptr;
  EntryEditor* imp = nullptr;
  TableGrid* exportGrid = nullptr;
  TableGrid* importGrid = nullptr;
};

TEST_F(StateColors, NewAmbiguousColourShowsInBothGridsAndBothEditors) {
  exportTable().Assign(0x41, 0xC1);
  exportTable().Assign(0x42, 0xC1);
  importTable().Assign(0xC1, 0x41);
  importTable().Assign(0xC2, 0x41);
  exp->MoveTo(0x41);
  imp->MoveTo(0xC1);
  emit TheSession->TablesChanged();
  ASSERT_EQ(Background(exp->InputBox()), Resolved(kColorRed));

  prompter->AnswerColor(QColor(0, 0, 255));
  TheSession->ColorAmbiguousAction->trigger();
  EXPECT_EQ(OfferedColor(), "#ff0000");
  EXPECT_EQ(TheSession->AmbiguousColor, kColorBlue);
  EXPECT_EQ(exportGrid->CachedColors().Ambiguous, kColorBlue);
  EXPECT_EQ(importGrid->CachedColors().Ambiguous, kColorBlue);
  EXPECT_EQ(GridTextColor(exportTable(), 0x42, exportGrid->CachedColors()), kColorBlue);
  EXPECT_EQ(GridTextColor(importTable(), 0xC2, importGrid->CachedColors()), kColorBlue);
  EXPECT_EQ(Background(exp->InputBox()), Resolved(kColorBlue));
  EXPECT_EQ(Background(imp->InputBox()), Resolved(kColorBlue));
}

TEST_F(StateColors, NewProofColourShowsInBothGridsWhereChained) {
  exportTable().Assign(0x41, 0xC1);
  emit TheSession->TablesChanged();
  prompter->AnswerColor(QColor(0, 128, 128));
  TheSession->ColorProofAction->trigger();
  EXPECT_EQ(OfferedColor(), "#008000");
  EXPECT_EQ(TheSession->ProofColor, kColorTeal);
  EXPECT_EQ(exportGrid->CachedColors().Proof, kColorTeal);
  // Not chained: nothing is confirmed, so the colour shows nowhere yet.
  EXPECT_NE(GridTextColor(exportTable(), 0x41, exportGrid->CachedColors()), kColorTeal);

  exportTable().Unassign(0x41);
  ChainWithProvenEntry();
  EXPECT_EQ(GridTextColor(exportTable(), 0x41, exportGrid->CachedColors()), kColorTeal);
  EXPECT_EQ(GridTextColor(importTable(), 0xC1, importGrid->CachedColors()), kColorTeal);
  EXPECT_EQ(Background(exp->InputBox()), Resolved(kColorTeal));
}

TEST_F(StateColors, NewActiveColourFramesTheActiveEditorAndGrid) {
  exp->SourceChar()->setFocus();
  ASSERT_TRUE(exportTable().IsActive());
  prompter->AnswerColor(QColor(0, 0, 255));
  TheSession->ColorActiveAction->trigger();
  EXPECT_EQ(OfferedColor(), "#ff00ff");
  EXPECT_EQ(TheSession->ActiveColor, kColorBlue);
  EXPECT_EQ(Background(exp->Border()), Resolved(kColorBlue));
  EXPECT_EQ(Background(imp->Border()), Resolved(kColorButtonFace));
  EXPECT_EQ(ShownBorder(*exportGrid), Resolved(kColorBlue));
  EXPECT_EQ(ShownBorder(*importGrid), Resolved(kColorButtonFace));
}

TEST_F(StateColors, NewChainedColourShowsOnceTheTablesAreChained) {
  prompter->AnswerColor(QColor(0, 0, 255));
  TheSession->ColorChainedAction->trigger();
  EXPECT_EQ(OfferedColor(), "#ff00ff");
  EXPECT_EQ(TheSession->ChainedColor, kColorBlue);
  EXPECT_EQ(Background(TheControl->ChainMargin), Resolved(kColorButtonFace));
  ChainWithProvenEntry();
  EXPECT_EQ(Background(TheControl->ChainMargin), Resolved(kColorBlue));

  prompter->AnswerColor(QColor(0, 128, 128));
  TheSession->ColorChainedAction->trigger();
  EXPECT_EQ(OfferedColor(), "#0000ff");
  EXPECT_EQ(Background(TheControl->ChainMargin), Resolved(kColorTeal));
}

TEST_F(StateColors, SystemColourIsOfferedAsItsPresentRgbValue) {
  TheSession->SetActiveColor(kColorButtonShadow);
  prompter->AnswerCancel();
  TheSession->ColorActiveAction->trigger();
  EXPECT_EQ(OfferedColor(), Resolved(kColorButtonShadow).name());
  EXPECT_EQ(TheSession->ActiveColor, kColorButtonShadow);
}

TEST_F(StateColors, CancelledDialogChangesNothing) {
  ChainWithProvenEntry();
  const std::vector<int32_t> before = ColorsNow();
  for (QAction* action : {TheSession->ColorChainedAction, TheSession->ColorActiveAction, TheSession->ColorProofAction,
                          TheSession->ColorAmbiguousAction}) {
    prompter->AnswerCancel();
    action->trigger();
    EXPECT_EQ(ColorsNow(), before) << action->objectName().toStdString();
  }
  EXPECT_EQ(prompter->CallsOf("color").size(), 4u);
  EXPECT_EQ(Background(TheControl->ChainMargin), Resolved(kColorFuchsia));
  EXPECT_EQ(exportGrid->CachedColors().Proof, kColorGreen);
}

TEST_F(StateColors, SettersIgnoreUnsetColours) {
  const std::vector<int32_t> before = ColorsNow();
  TheSession->SetActiveColor(NoColor);
  TheSession->SetAmbiguousColor(NoColor);
  TheSession->SetProofColor(NoColor);
  EXPECT_EQ(ColorsNow(), before);
}

}  // namespace
