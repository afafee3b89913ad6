// The display font: the fixed fonts, the font dialog, the 12-pixel cap, the
// Terminal rule and OEM mode, through the real editors and grids.
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "support/drawncells.h"
#include "support/session.h"
#include "support/typing.h"
#include "ui/entryeditor.h"
#include "ui/tablegrid.h"
#include "ui/tablewindow.h"

namespace {

// A font dialog that remembers the font it was offered.
class FontDialogRecorder : public ScriptedPrompter {
 public:
  std::vector<DisplayFont> Offered;
  bool ChooseFont(DisplayFont& font) override {
    Offered.push_back(font);
    return ScriptedPrompter::ChooseFont(font);
  }
};

// The text the grid draws in the cell of an entry.
QString GridCellText(TableGrid& grid, int entry) { return DrawnItem(grid, ItemOfEntry(grid, entry)).Text; }

class DisplayFonts : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    auto recorder = std::make_unique<FontDialogRecorder>();
    dialog_ = recorder.get();
    TheSession->SetPrompter(std::move(recorder));
    prompter_ = nullptr;
    ASSERT_TRUE(ShowControlWindow());
    ASSERT_NE(TheControl->ExportWindow, nullptr);
    ASSERT_NE(TheControl->ImportWindow, nullptr);
  }

  TableGrid& Grid(TableWindow* window) const { return *window->Grid; }

  // Every view shows the font: tables, captions, label, editors and grids.
  void ExpectEverywhere(const DisplayFont& font, const QString& name) const {
    const QFont drawn = font.ToQFont();
    const QString bracket = "[" + name + "]";
    EXPECT_EQ(QString::fromLatin1(TheSession->ExportTable->Header()), "QAVO CodeTab EXPORT " + bracket + " ");
    EXPECT_EQ(QString::fromLatin1(TheSession->ImportTable->Header()), "QAVO CodeTab IMPORT " + bracket + " ");
    EXPECT_TRUE(CaptionText(*TheControl->ExportWindow).contains(bracket));
    EXPECT_TRUE(CaptionText(*TheControl->ImportWindow).contains(bracket));
    EXPECT_EQ(TheControl->CurrentFontLabel->text(), name);
    EXPECT_EQ(TheControl->CurrentFontLabel->font(), drawn);
    for (EntryEditor* frame : {TheControl->ExportEditor, TheControl->ImportEditor}) {
      EXPECT_EQ(frame->SourceChar()->font(), drawn);
      EXPECT_EQ(frame->TargetChar()->font(), drawn);
    }
    EXPECT_EQ(Grid(TheControl->ExportWindow).Cells->font(), drawn);
    EXPECT_EQ(Grid(TheControl->ImportWindow).Cells->font(), drawn);
  }

  FontDialogRecorder* dialog_ = nullptr;
};

TEST_F(DisplayFonts, EachFixedFontActionAppliesItsSampleFont) {
  struct Case {
    QAction* Action;
    DisplayFont* Font;
    const char* Name;
    int Oem;
  };
  const Case cases[] = {{TheSession->FontFixedSys, &TheSession->Defaults.FixedSys, "Fixedsys", 0},
                        {TheSession->FontTerminal, &TheSession->Defaults.Terminal, "Terminal", 1},
                        {TheSession->FontSansSerif, &TheSession->Defaults.SansSerif, "MS Sans Serif", 0},
                        {TheSession->FontCourierNew, &TheSession->Defaults.CourierNew, "Courier New", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    c.Action->trigger();
    EXPECT_EQ(TheSession->CurrentFont, c.Font);
    EXPECT_EQ(TheSession->OemFontShown, c.Oem != 0);
    EXPECT_EQ(TheControl->ExportEditor->OemInput(), c.Oem != 0);
    EXPECT_EQ(TheControl->ImportEditor->OemInput(), c.Oem != 0);
    ExpectEverywhere(*c.Font, c.Name);
  }
  EXPECT_TRUE(dialog_->Calls.empty());
}

TEST_F(DisplayFonts, TallFontIsCutTo12PixelsAndTheDialogOffersTheCutSize) {
  dialog_->AnswerFont(DisplayFont("DejaVu Sans", -16));
  TheSession->ChooseFont->trigger();
  ASSERT_EQ(dialog_->Offered.size(), 1u);
  EXPECT_EQ(dialog_->Offered[0].Name, "Courier New");
  EXPECT_EQ(dialog_->Offered[0].Height, -12);
  ASSERT_EQ(TheSession->CurrentFont, &TheSession->FontDialog);
  EXPECT_EQ(TheSession->CurrentFont->Height, -12);
  EXPECT_FALSE(TheSession->OemFontShown);
  ExpectEverywhere(DisplayFont("DejaVu Sans", -12), "DejaVu Sans");
  EXPECT_EQ(TheControl->ExportEditor->SourceChar()->font().pixelSize(), 12);

  dialog_->AnswerCancel();
  TheSession->ChooseFont->trigger();
  ASSERT_EQ(dialog_->Offered.size(), 2u);
  EXPECT_EQ(dialog_->Offered[1].Name, "DejaVu Sans");
  EXPECT_EQ(dialog_->Offered[1].Height, -12);
}

TEST_F(DisplayFonts, SmallerFontsKeepTheirSize) {
  for (const int height : {-12, -9}) {
    dialog_->AnswerFont(DisplayFont("DejaVu Sans Mono", height));
    TheSession->ChooseFont->trigger();
    EXPECT_EQ(TheSession->CurrentFont->Height, height);
    EXPECT_EQ(Grid(TheControl->ExportWindow).Cells->font().pixelSize(), -height);
  }
}

TEST_F(DisplayFonts, TerminalInAnySizeOrStyleGivesTheOemSampleFont) {
  DisplayFont big_italic("Terminal", -20);
  big_italic.Italic = true;
  dialog_->AnswerFont(big_italic);
  TheSession->ChooseFont->trigger();
  ASSERT_EQ(TheSession->CurrentFont, &TheSession->Defaults.Terminal);
  const DisplayFont& oem = *TheSession->CurrentFont;
  EXPECT_EQ(oem.Name, "Terminal");
  EXPECT_EQ(oem.Height, -12);
  EXPECT_TRUE(oem.Bold);
  EXPECT_FALSE(oem.Italic);
  EXPECT_TRUE(oem.OemCharset);
  EXPECT_TRUE(TheSession->OemFontShown);
  // The dialog's own font is left as chosen.
  EXPECT_EQ(TheSession->FontDialog.Height, -20);
  ExpectEverywhere(oem, "Terminal");

  // Opening the dialog again offers the OEM font; any other font ends OEM mode.
  dialog_->AnswerFont(DisplayFont("Courier New", -12));
  TheSession->ChooseFont->trigger();
  EXPECT_TRUE(dialog_->Offered.back().OemCharset);
  EXPECT_FALSE(TheSession->OemFontShown);
  EXPECT_FALSE(TheControl->ExportEditor->OemInput());
  EXPECT_FALSE(TheControl->ImportEditor->OemInput());
}

TEST_F(DisplayFonts, TerminalIsRecognisedByItsExactName) {
  dialog_->AnswerFont(DisplayFont("terminal", -14));
  TheSession->ChooseFont->trigger();
  EXPECT_FALSE(TheSession->OemFontShown);
  EXPECT_EQ(TheSession->CurrentFont, &TheSession->FontDialog);
  EXPECT_EQ(TheSession->CurrentFont->Height, -12);
  EXPECT_FALSE(TheSession->CurrentFont->OemCharset);
}

// A font without a family would take the tables' names with it.
TEST_F(DisplayFonts, CancelledDialogOrAFontWithoutNameChangesNothing) {
  TheSession->FontFixedSys->trigger();
  TheSession->LoadIsoCp273.Both->trigger();
  const QString header = QString::fromLatin1(TheSession->ExportTable->Header());
  dialog_->AnswerCancel();
  TheSession->ChooseFont->trigger();
  dialog_->AnswerFont(DisplayFont("", -12));
  TheSession->ChooseFont->trigger();
  TheSession->FontSansSerif->trigger();
  TheSession->FontFixedSys->trigger();
  EXPECT_EQ(dialog_->Offered.size(), 2u);
  EXPECT_EQ(dialog_->Offered.back().Name, "Fixedsys");
  EXPECT_EQ(TheSession->CurrentFont, &TheSession->Defaults.FixedSys);
  EXPECT_EQ(QString::fromLatin1(TheSession->ExportTable->Header()), header);
}

TEST_F(DisplayFonts, OemModeTypesAndShowsBytesThroughCodePage850) {
  const QChar a_umlaut(0xE4);
  const QChar low_quote(0x201E);  // Windows-1252 0x84
  EntryEditor* exp = TheControl->ExportEditor;
  EntryEditor* imp = TheControl->ImportEditor;

  TheSession->FontTerminal->trigger();
  exp->SourceChar()->setFocus();
  TypeChar(exp->SourceChar(), a_umlaut);
  EXPECT_EQ(TheSession->ExportTable->CurrentPosition(), 0x84);
  EXPECT_EQ(exp->SourceHex()->text(), "84");
  EXPECT_EQ(exp->SourceChar()->text(), QString(a_umlaut));
  EXPECT_TRUE(GridCellText(Grid(TheControl->ExportWindow), 0x84).contains(a_umlaut));
  EXPECT_TRUE(GridCellText(Grid(TheControl->ImportWindow), 0x84).contains(a_umlaut));

  imp->SourceHex()->setFocus();
  QTest::keyClicks(imp->SourceHex(), "C0");
  TypeChar(imp->TargetChar(), a_umlaut);
  EXPECT_EQ(imp->TargetHex()->text(), "84");

  TheSession->FontCourierNew->trigger();
  exp->SourceChar()->setFocus();
  TypeChar(exp->SourceChar(), a_umlaut);
  EXPECT_EQ(TheSession->ExportTable->CurrentPosition(), 0xE4);
  EXPECT_EQ(exp->SourceHex()->text(), "E4");
  const QString ansi_cell = GridCellText(Grid(TheControl->ExportWindow), 0x84);
  EXPECT_TRUE(ansi_cell.contains(low_quote)) << ansi_cell.toStdString();
  EXPECT_FALSE(ansi_cell.contains(a_umlaut));
}

}  // namespace
