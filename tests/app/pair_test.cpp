// Chaining, clearing and copying the table pair through the session's actions.
#include <QMenu>
#include <QMenuBar>
#include <cstring>
#include <vector>

#include "model/presets.h"
#include "support/session.h"
#include "support/tablechecks.h"

namespace {

class PairTest : public SessionTest {
 protected:
  // EXPORT maps the letters A..Z to C1..; IMPORT maps C1.. back, but sends
  // C1 to 'a' so that the pair does not round-trip.
  void FillDisagreeingPair() {
    for (int i = 0; i < 9; ++i) exportTable().Assign('A' + i, 0xC1 + i);
    for (int i = 0; i < 9; ++i) importTable().Assign(0xC1 + i, 'A' + i);
    importTable().Assign(0xC1, 'a');
    importTable().Assign(0x50, 0x50);
  }

  void ChainByMenu() { TheSession->ChainTablesAction->trigger(); }

  static void ExpectSameEntries(const CodeTable& a, const CodeTable& b) {
    for (int p = 0; p < 256; ++p) {
      EXPECT_EQ(a.Target(p), b.Target(p)) << "position " << p;
      EXPECT_EQ(a.Count(p), b.Count(p)) << "position " << p;
    }
  }

  static CodeTable Snapshot(const CodeTable& table) { return table; }
};

TEST_F(PairTest, ChainingLinksBothTablesAndChangesNoEntry) {
  FillDisagreeingPair();
  const CodeTable exportBefore = Snapshot(exportTable());
  const CodeTable importBefore = Snapshot(importTable());

  ChainByMenu();

  EXPECT_TRUE(TheSession->ChainTablesAction->isChecked());
  EXPECT_EQ(exportTable().Partner(), &importTable());
  EXPECT_EQ(importTable().Partner(), &exportTable());
  EXPECT_EQ(exportTable().IsActive(), exportBefore.IsActive());
  EXPECT_EQ(importTable().IsActive(), importBefore.IsActive());
  ExpectSameEntries(exportTable(), exportBefore);
  ExpectSameEntries(importTable(), importBefore);
  EXPECT_STREQ(exportTable().Header(), exportBefore.Header());
  EXPECT_EQ(prompter->Calls.size(), 0u);
}

TEST_F(PairTest, FirstUniqueAssignmentAfterChainingRebuildsThePartnerAsInverse) {
  FillDisagreeingPair();
  MakeExportActive();
  ChainByMenu();
  ASSERT_EQ(exportTable().IsProven(CodeTable::kWholeTable), 0);

  exportTable().Assign('Z', 0xE9);

  for (int p = 0; p < 256; ++p) {
    const int t = exportTable().Target(p);
    if (t != -1) {
      EXPECT_EQ(importTable().Target(t), p) << "code " << t;
    }
  }
  EXPECT_EQ(importTable().Target(0x50), -1);
  EXPECT_EQ(importTable().CountAssigned(), exportTable().CountAssigned());
  EXPECT_EQ(exportTable().IsProven(CodeTable::kWholeTable), 1);
}

TEST_F(PairTest, UnchainingUnlinksAndStopsMirroring) {
  MakeExportActive();
  ChainByMenu();
  exportTable().Assign('A', 0xC1);
  ASSERT_EQ(importTable().Target(0xC1), 'A');

  ChainByMenu();

  EXPECT_FALSE(TheSession->ChainTablesAction->isChecked());
  EXPECT_EQ(exportTable().Partner(), nullptr);
  EXPECT_EQ(importTable().Partner(), nullptr);
  exportTable().Assign('B', 0xC2);
  exportTable().Unassign('A');
  EXPECT_EQ(importTable().Target(0xC2), -1);
  EXPECT_EQ(importTable().Target(0xC1), 'A');
}

TEST_F(PairTest, ClearingOneTableOfALinkedPairLeavesThePartnerAndTheChain) {
  FillDisagreeingPair();
  MakeExportActive();
  ChainByMenu();
  exportTable().Select('C');
  const int position = exportTable().CurrentPosition();
  const int ordinal = exportTable().CurrentOrdinal();
  const CodeTable importBefore = Snapshot(importTable());

  TheSession->ClearExport->trigger();

  EXPECT_EQ(exportTable().CountAssigned(), 0);
  for (int c = 0; c < 256; ++c) EXPECT_EQ(exportTable().Count(c), -1);
  EXPECT_STREQ(exportTable().Header(), "QAVO CodeTab EXPORT [Courier New] ");
  EXPECT_EQ(exportTable().Kind(), TableKind::kExport);
  EXPECT_STREQ(exportTable().Cell('A'), " A=41");
  EXPECT_STREQ(exportTable().Cell('C'), " C=43");
  EXPECT_EQ(exportTable().CurrentPosition(), position);
  EXPECT_EQ(exportTable().CurrentOrdinal(), ordinal);
  ExpectSameEntries(importTable(), importBefore);
  EXPECT_EQ(exportTable().Partner(), &importTable());
  EXPECT_TRUE(TheSession->ChainTablesAction->isChecked());
}

TEST_F(PairTest, ClearingTheImportTableKeepsItsKindWord) {
  FillDisagreeingPair();
  const CodeTable exportBefore = Snapshot(exportTable());

  TheSession->ClearImport->trigger();

  EXPECT_EQ(importTable().CountAssigned(), 0);
  EXPECT_STREQ(importTable().Header(), "QAVO CodeTab IMPORT [Courier New] ");
  EXPECT_EQ(importTable().Kind(), TableKind::kImport);
  EXPECT_STREQ(importTable().Cell(0xC1), " \xC1=C1");
  ExpectSameEntries(exportTable(), exportBefore);
}

TEST_F(PairTest, ClearingBothEmptiesBothAndKeepsTheLinkState) {
  FillDisagreeingPair();
  TheSession->ClearBoth->trigger();
  EXPECT_EQ(exportTable().CountAssigned(), 0);
  EXPECT_EQ(importTable().CountAssigned(), 0);
  EXPECT_EQ(exportTable().Partner(), nullptr);

  FillDisagreeingPair();
  ChainByMenu();
  TheSession->ClearBoth->trigger();
  EXPECT_EQ(exportTable().CountAssigned(), 0);
  EXPECT_EQ(importTable().CountAssigned(), 0);
  EXPECT_EQ(exportTable().Partner(), &importTable());
  EXPECT_TRUE(TheSession->ChainTablesAction->isChecked());
}

TEST_F(PairTest, CopyIntoAnEmptyDestinationAsksNothingAndInverts) {
  exportTable().Assign(3, 0x40);
  exportTable().Assign(7, 0x40);
  exportTable().Assign('A', 0xC1);

  TheSession->CopyExportToImport->trigger();

  EXPECT_TRUE(prompter->CallsOf("confirm").empty());
  EXPECT_EQ(importTable().Target(0x40), 7);
  EXPECT_EQ(importTable().Target(0xC1), 'A');
  EXPECT_EQ(importTable().FindTarget(3), -1);
  EXPECT_EQ(importTable().CountAssigned(), 2);
  EXPECT_EQ(importTable().CurrentPosition(), 0x40);
  EXPECT_EQ(importTable().CurrentOrdinal(), 0);
  EXPECT_STREQ(importTable().Header(), "QAVO CodeTab IMPORT [Courier New] ");
  EXPECT_STREQ(importTable().Cell(0x40), " \x07=07");
}

TEST_F(PairTest, CopyOverANonEmptyDestinationAsksAndAbbrechenChangesNothing) {
  FillDisagreeingPair();
  const CodeTable exportBefore = Snapshot(exportTable());
  const CodeTable importBefore = Snapshot(importTable());

  prompter->AnswerCancel();
  TheSession->CopyExportToImport->trigger();
  prompter->AnswerCancel();
  TheSession->CopyImportToExport->trigger();

  const auto confirms = prompter->CallsOf("confirm");
  ASSERT_EQ(confirms.size(), 2u);
  EXPECT_EQ(confirms[0].Title, QString::fromUtf8("Bestätigung"));
  EXPECT_EQ(confirms[0].Text, QString::fromUtf8("IMPORT-Tabelle nicht leer!\nÜberschreiben?"));
  EXPECT_EQ(confirms[1].Text, QString::fromUtf8("EXPORT-Tabelle nicht leer!\nÜberschreiben?"));
  ExpectSameEntries(exportTable(), exportBefore);
  ExpectSameEntries(importTable(), importBefore);
  EXPECT_EQ(importTable().CurrentPosition(), importBefore.CurrentPosition());
  EXPECT_EQ(exportTable().CurrentPosition(), exportBefore.CurrentPosition());
}

TEST_F(PairTest, CopyFromImportToExportAfterOkReplacesTheExportTable) {
  FillDisagreeingPair();
  prompter->AnswerOk();

  TheSession->CopyImportToExport->trigger();

  ASSERT_EQ(prompter->CallsOf("confirm").size(), 1u);
  EXPECT_EQ(exportTable().CountAssigned(), importTable().CountAssigned());
  EXPECT_EQ(exportTable().Target('a'), 0xC1);
  EXPECT_EQ(exportTable().Target('A'), -1);
  EXPECT_EQ(exportTable().Target(0x50), 0x50);
  EXPECT_EQ(exportTable().Target('B'), 0xC2);
  EXPECT_EQ(exportTable().CurrentPosition(), 'B');
  EXPECT_STREQ(exportTable().Cell('B'), " B:C2");
}

TEST_F(PairTest, CopyingAnEmptySourceEmptiesTheDestinationAndItsSelection) {
  FillDisagreeingPair();
  TheSession->ClearExport->trigger();
  prompter->AnswerOk();

  TheSession->CopyExportToImport->trigger();

  EXPECT_EQ(importTable().CountAssigned(), 0);
  EXPECT_EQ(importTable().CurrentPosition(), -1);
  EXPECT_EQ(importTable().CurrentOrdinal(), -1);
}

TEST_F(PairTest, CopyIntoTheActiveTableOfALinkedPairLeavesAnAmbiguousSourceAlone) {
  LoadBytes(exportTable(), UnixExport);
  importTable().Assign(0x41, 0x41);
  ChainByMenu();
  MakeImportActive();
  ASSERT_EQ(exportTable().IsAmbiguous(CodeTable::kWholeTable), 1);
  const CodeTable exportBefore = Snapshot(exportTable());
  prompter->AnswerOk();

  TheSession->CopyExportToImport->trigger();

  ExpectSameEntries(exportTable(), exportBefore);
  EXPECT_STREQ(exportTable().Header(), exportBefore.Header());
  EXPECT_EQ(importTable().Target(0x00), 0xFF);
  EXPECT_EQ(importTable().Target(0xC1), 'A');
  EXPECT_EQ(importTable().Target(0x06), 0xFD);
  EXPECT_EQ(importTable().Partner(), &exportTable());
  EXPECT_EQ(exportTable().Partner(), &importTable());
  EXPECT_EQ(importTable().IsActive(), 1);
  // The selection follows into the source.
  EXPECT_EQ(importTable().CurrentPosition(), 0x00);
  EXPECT_EQ(exportTable().CurrentPosition(), 0xFF);
}

TEST_F(PairTest, CopyIntoTheInactiveTableOfALinkedPairMirrorsNothingBack) {
  FillDisagreeingPair();
  ChainByMenu();
  MakeImportActive();
  const CodeTable importBefore = Snapshot(importTable());
  prompter->AnswerOk();

  TheSession->CopyImportToExport->trigger();

  ExpectSameEntries(importTable(), importBefore);
  EXPECT_EQ(exportTable().Target('a'), 0xC1);
  EXPECT_EQ(exportTable().Partner(), &importTable());
}

TEST_F(PairTest, MakeDiffCommandsChangeNothingAndAreInNoMenu) {
  FillDisagreeingPair();
  const CodeTable exportBefore = Snapshot(exportTable());
  const CodeTable importBefore = Snapshot(importTable());

  QAction* const makeDiff2Din = TheSession->findChild<QAction*>("MakeDiff2DIN");
  QAction* const makeDiff2Table = TheSession->findChild<QAction*>("MakeDiff2Table");
  ASSERT_TRUE(makeDiff2Din && makeDiff2Table);
  makeDiff2Din->trigger();
  makeDiff2Table->trigger();

  EXPECT_EQ(std::memcmp(&exportTable(), &exportBefore, sizeof exportBefore), 0);
  EXPECT_EQ(std::memcmp(&importTable(), &importBefore, sizeof importBefore), 0);
  EXPECT_TRUE(prompter->Calls.empty());

  const QList<QAction*> top = TheControl->Menu->actions();
  std::vector<QAction*> pending(top.begin(), top.end());
  int menuActions = 0;
  while (!pending.empty()) {
    QAction* action = pending.back();
    pending.pop_back();
    EXPECT_NE(action, makeDiff2Din);
    EXPECT_NE(action, makeDiff2Table);
    ++menuActions;
    if (QMenu* menu = action->menu())
      for (QAction* child : menu->actions()) pending.push_back(child);
  }
  // The walk did reach the submenus.
  EXPECT_GT(menuActions, 40);
}

}  // namespace
