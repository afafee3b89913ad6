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
    exp_ = TheControl->ExportEditor;
    imp_ = TheControl->ImportEditor;
    export_grid_ = TheControl->ExportWindow->Grid;
    import_grid_ = TheControl->ImportWindow->Grid;
  }

  // Chains the pair with EXPORT active: A -> C1 is confirmed by the partner.
  void ChainWithProvenEntry() {
    ExportTable().SetActive(true);
    ImportTable().SetActive(false);
    ExportTable().Link(&ImportTable());
    ExportTable().Assign(0x41, 0xC1);
    exp_->MoveTo(0x41);
    emit TheSession->TablesChanged();
  }

  QString OfferedColor() const { return prompter_->CallsOf("color").back().Text; }

  EntryEditor* exp_ = nullptr;
  EntryEditor* imp_ = nullptr;
  TableGrid* export_grid_ = nullptr;
  TableGrid* import_grid_ = nullptr;
};

TEST_F(StateColors, NewAmbiguousColourShowsInBothGridsAndBothEditors) {
  ExportTable().Assign(0x41, 0xC1);
  ExportTable().Assign(0x42, 0xC1);
  ImportTable().Assign(0xC1, 0x41);
  ImportTable().Assign(0xC2, 0x41);
  exp_->MoveTo(0x41);
  imp_->MoveTo(0xC1);
  emit TheSession->TablesChanged();
  ASSERT_EQ(Background(exp_->InputBox()), Resolved(kColorRed));

  prompter_->AnswerColor(QColor(0, 0, 255));
  TheSession->ColorAmbiguousAction->trigger();
  EXPECT_EQ(OfferedColor(), "#ff0000");
  EXPECT_EQ(TheSession->AmbiguousColor, kColorBlue);
  EXPECT_EQ(ShownColor(*export_grid_, 0x42), Resolved(kColorBlue));
  EXPECT_EQ(ShownColor(*import_grid_, 0xC2), Resolved(kColorBlue));
  EXPECT_EQ(Background(exp_->InputBox()), Resolved(kColorBlue));
  EXPECT_EQ(Background(imp_->InputBox()), Resolved(kColorBlue));
}

TEST_F(StateColors, NewProofColourShowsInBothGridsWhereChained) {
  ExportTable().Assign(0x41, 0xC1);
  emit TheSession->TablesChanged();
  prompter_->AnswerColor(QColor(0, 128, 128));
  TheSession->ColorProofAction->trigger();
  EXPECT_EQ(OfferedColor(), "#008000");
  EXPECT_EQ(TheSession->ProofColor, kColorTeal);
  // Not chained: nothing is confirmed, so the colour shows nowhere yet.
  EXPECT_NE(ShownColor(*export_grid_, 0x41), Resolved(kColorTeal));

  ExportTable().Unassign(0x41);
  ChainWithProvenEntry();
  EXPECT_EQ(ShownColor(*export_grid_, 0x41), Resolved(kColorTeal));
  EXPECT_EQ(ShownColor(*import_grid_, 0xC1), Resolved(kColorTeal));
  EXPECT_EQ(Background(exp_->InputBox()), Resolved(kColorTeal));
}

TEST_F(StateColors, NewActiveColourFramesTheActiveEditorAndGrid) {
  exp_->SourceChar()->setFocus();
  ASSERT_TRUE(ExportTable().IsActive());
  prompter_->AnswerColor(QColor(0, 0, 255));
  TheSession->ColorActiveAction->trigger();
  EXPECT_EQ(OfferedColor(), "#ff00ff");
  EXPECT_EQ(TheSession->ActiveColor, kColorBlue);
  EXPECT_EQ(Background(exp_->Border()), Resolved(kColorBlue));
  EXPECT_EQ(Background(imp_->Border()), Resolved(kColorButtonFace));
  EXPECT_EQ(ShownBorder(*export_grid_), Resolved(kColorBlue));
  EXPECT_EQ(ShownBorder(*import_grid_), Resolved(kColorButtonFace));
}

TEST_F(StateColors, NewChainedColourShowsOnceTheTablesAreChained) {
  prompter_->AnswerColor(QColor(0, 0, 255));
  TheSession->ColorChainedAction->trigger();
  EXPECT_EQ(OfferedColor(), "#ff00ff");
  EXPECT_EQ(TheSession->ChainedColor, kColorBlue);
  EXPECT_EQ(Background(TheControl->ChainMargin), Resolved(kColorButtonFace));
  ChainWithProvenEntry();
  EXPECT_EQ(Background(TheControl->ChainMargin), Resolved(kColorBlue));

  prompter_->AnswerColor(QColor(0, 128, 128));
  TheSession->ColorChainedAction->trigger();
  EXPECT_EQ(OfferedColor(), "#0000ff");
  EXPECT_EQ(Background(TheControl->ChainMargin), Resolved(kColorTeal));
}

TEST_F(StateColors, SystemColourIsOfferedAsItsPresentRgbValue) {
  TheSession->SetActiveColor(kColorButtonShadow);
  prompter_->AnswerCancel();
  TheSession->ColorActiveAction->trigger();
  EXPECT_EQ(OfferedColor(), Resolved(kColorButtonShadow).name());
  EXPECT_EQ(TheSession->ActiveColor, kColorButtonShadow);
}

TEST_F(StateColors, CancelledDialogChangesNothing) {
  ChainWithProvenEntry();
  const std::vector<int32_t> before = ColorsNow();
  for (QAction* action : {TheSession->ColorChainedAction, TheSession->ColorActiveAction, TheSession->ColorProofAction,
                          TheSession->ColorAmbiguousAction}) {
    prompter_->AnswerCancel();
    action->trigger();
    EXPECT_EQ(ColorsNow(), before) << action->objectName().toStdString();
  }
  EXPECT_EQ(prompter_->CallsOf("color").size(), 4u);
  EXPECT_EQ(Background(TheControl->ChainMargin), Resolved(kColorFuchsia));
  EXPECT_EQ(ShownColor(*export_grid_, 0x41), Resolved(kColorGreen));
}

TEST_F(StateColors, SettersIgnoreUnsetColours) {
  const std::vector<int32_t> before = ColorsNow();
  TheSession->SetActiveColor(kNoColor);
  TheSession->SetAmbiguousColor(kNoColor);
  TheSession->SetProofColor(kNoColor);
  EXPECT_EQ(ColorsNow(), before);
}

}  // namespace
