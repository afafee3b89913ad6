// "&Weitere Codepages ...": the pages offered, the pair built from the
// converter loaded and chained like a preset pair, and a cancelled dialog.
#include "files/codepages.h"

#include <string>

#include "support/session.h"
#include "support/tablefiles.h"
#include "ui/gridmath.h"

namespace {

class CodePagesTest : public SessionTest {
 protected:
  void Choose(int code_page, bool windows1252, bool swap_nl) {
    CodePageChoice choice;
    choice.CodePage = code_page;
    choice.Windows1252 = windows1252;
    choice.SwapNl = swap_nl;
    prompter_->AnswerCodePage(choice);
    TheSession->MoreCodePages->trigger();
  }

  static void ExpectEntries(const CodeTable& table, const TableEntry (&entries)[256]) {
    for (int p = 0; p < 256; ++p) {
      EXPECT_EQ(table.Target(p), entries[p].Target) << "position " << p;
      EXPECT_EQ(table.Count(p), entries[p].Count) << "code " << p;
    }
  }

  static std::string Header(const char* kind, const char* name) {
    return std::string("QAVO CodeTab ") + kind + " [Courier New] " + name;
  }
};

TEST_F(CodePagesTest, TheDialogOffersExactlyThePagesTheConverterProvides) {
  const std::vector<int> available = AvailableCodePages();
  for (const int page : {37,   273,  277,  278,  280,  284,  285,  297,  500,  871, 1047,
                         1140, 1141, 1142, 1143, 1144, 1145, 1146, 1147, 1148, 1149})
    EXPECT_NE(std::find(available.begin(), available.end(), page), available.end()) << "CP " << page;
  prompter_->AnswerCancel();
  TheSession->MoreCodePages->trigger();
  const auto calls = prompter_->CallsOf("codepage");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].CodePages, available);
}

TEST_F(CodePagesTest, ThePairIsLoadedChainedAndNamedAsTheConverterBuildsIt) {
  ExportTable().SetActive(true);
  ImportTable().SetActive(false);
  Choose(1141, false, false);
  CodePagePair pair;
  ASSERT_TRUE(BuildCodePagePair(1141, Workstation::kIsoLatin1, false, pair));
  ExpectEntries(ExportTable(), pair.Export);
  ExpectEntries(ImportTable(), pair.Import);
  EXPECT_EQ(ExportTable().Header(), Header("EXPORT", "ISO8859-1_CP1141"));
  EXPECT_EQ(ImportTable().Header(), Header("IMPORT", "CP1141_ISO8859-1"));
  EXPECT_TRUE(TheSession->ChainTablesAction->isChecked());
  EXPECT_EQ(ExportTable().Partner(), &ImportTable());
  EXPECT_EQ(ImportTable().Partner(), &ExportTable());
  EXPECT_EQ(ExportTable().IsActive(), 1);
  EXPECT_TRUE(prompter_->CallsOf("message").empty());
}

TEST_F(CodePagesTest, CodesWithoutCounterpartStayUnassigned) {
  Choose(1141, false, false);
  // ISO 8859-1 has no euro sign, and CP 1141 has no currency sign.
  EXPECT_EQ(ExportTable().Target(0xA4), -1);
  EXPECT_EQ(ImportTable().Target(0x9F), -1);
  EXPECT_EQ(ExportTable().Target(0x41), 0xC1);
  EXPECT_EQ(ExportTable().Target(0x0A), 0x25);
  EXPECT_LT(ExportTable().CountAssigned(), 256);
  EXPECT_EQ(GridTextColor(ExportTable(), 0xA4, kDefaultGridColors), kColorGrayText);
  EXPECT_EQ(GridTextColor(ImportTable(), 0x9F, kDefaultGridColors), kColorGrayText);

  Choose(1141, true, false);
  EXPECT_EQ(ExportTable().Target(0x80), 0x9F);
  EXPECT_EQ(ImportTable().Target(0x9F), 0x80);
  EXPECT_EQ(ExportTable().Header(), Header("EXPORT", "CP1252_CP1141"));
  EXPECT_EQ(ImportTable().Header(), Header("IMPORT", "CP1141_CP1252"));
}

TEST_F(CodePagesTest, SwappingNlAndLfMakesTheLineFeedTheUnixNewline) {
  Choose(1047, false, true);
  CodePagePair pair;
  ASSERT_TRUE(BuildCodePagePair(1047, Workstation::kIsoLatin1, true, pair));
  ExpectEntries(ExportTable(), pair.Export);
  ExpectEntries(ImportTable(), pair.Import);
  EXPECT_EQ(ExportTable().Target(0x0A), 0x15);
  EXPECT_EQ(ImportTable().Target(0x15), 0x0A);
  EXPECT_EQ(ExportTable().Target(0x85), 0x25);
}

TEST_F(CodePagesTest, TheDialogShowsTheLastChoice) {
  Choose(285, true, true);
  prompter_->AnswerCancel();
  TheSession->MoreCodePages->trigger();
  const auto calls = prompter_->CallsOf("codepage");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].CodePage.CodePage, 1141);
  EXPECT_EQ(calls[1].CodePage.CodePage, 285);
  EXPECT_TRUE(calls[1].CodePage.Windows1252);
  EXPECT_TRUE(calls[1].CodePage.SwapNl);
}

// A pair built for a workstation character set switches the setting to it;
// DIN is built for none. The dialog offers the setting.
TEST_F(CodePagesTest, APairBuiltForAWorkstationSetSwitchesTheSetting) {
  Session& s = *TheSession;
  CodePageChoice iso, windows;
  windows.Windows1252 = true;
  prompter_->AnswerCodePage(iso);
  prompter_->AnswerCodePage(windows);
  QString checked;
  for (QAction* step : {s.LoadIsoCp37.Export, s.WorkstationWindows1252, s.LoadDin.Both, s.LoadIsoCp273.Import,
                        s.WorkstationWindows1252, s.MoreCodePages, s.MoreCodePages}) {
    step->trigger();
    checked += s.WorkstationIso8859->isChecked() ? 'I' : 'W';
  }
  EXPECT_EQ(checked, "IWWIWIW");
  const auto shown = prompter_->CallsOf("codepage");
  EXPECT_EQ(std::make_pair(shown.at(0).CodePage.Windows1252, shown.at(1).CodePage.Windows1252),
            std::make_pair(true, false));
}

TEST_F(CodePagesTest, CancellingChangesNothing) {
  TheSession->LoadDin.Both->trigger();
  TheSession->ChainTablesAction->setChecked(true);
  TheSession->ChainTablesAction->trigger();
  const TableState export_before(ExportTable());
  const TableState import_before(ImportTable());
  prompter_->AnswerCancel();
  TheSession->MoreCodePages->trigger();
  EXPECT_TRUE(export_before == TableState(ExportTable()));
  EXPECT_TRUE(import_before == TableState(ImportTable()));
  EXPECT_FALSE(TheSession->ChainTablesAction->isChecked());
}

TEST_F(CodePagesTest, APageTheConverterLacksIsRefused) {
  const TableState export_before(ExportTable());
  Choose(99999, false, false);
  const auto messages = prompter_->CallsOf("message");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].Text, QString::fromUtf8("Codepage 99999 ist nicht verfügbar."));
  EXPECT_TRUE(export_before == TableState(ExportTable()));
}

}  // namespace
