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
    for (int i = 0; i < 9; ++i) ExportTable().Assign('A' + i, 0xC1 + i);
    for (int i = 0; i < 9; ++i) ImportTable().Assign(0xC1 + i, 'A' + i);
    ImportTable().Assign(0xC1, 'a');
    ImportTable().Assign(0x50, 0x50);
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
  const CodeTable export_before = Snapshot(ExportTable());
  const CodeTable import_before = Snapshot(ImportTable());

  ChainByMenu();

  EXPECT_TRUE(TheSession->ChainTablesAction->isChecked());
  EXPECT_EQ(ExportTable().Partner(), &ImportTable());
  EXPECT_EQ(ImportTable().Partner(), &ExportTable());
  EXPECT_EQ(ExportTable().IsActive(), export_before.IsActive());
  EXPECT_EQ(ImportTable().IsActive(), import_before.IsActive());
  ExpectSameEntries(ExportTable(), export_before);
  ExpectSameEntries(ImportTable(), import_before);
  EXPECT_STREQ(ExportTable().Header(), export_before.Header());
  EXPECT_EQ(prompter_->Calls.size(), 0u);
}

TEST_F(PairTest, FirstUniqueAssignmentAfterChainingRebuildsThePartnerAsInverse) {
  FillDisagreeingPair();
  MakeExportActive();
  ChainByMenu();
  ASSERT_EQ(ExportTable().IsProven(CodeTable::kWholeTable), 0);

  ExportTable().Assign('Z', 0xE9);

  for (int p = 0; p < 256; ++p) {
    const int t = ExportTable().Target(p);
    if (t != -1) {
      EXPECT_EQ(ImportTable().Target(t), p) << "code " << t;
    }
  }
  EXPECT_EQ(ImportTable().Target(0x50), -1);
  EXPECT_EQ(ImportTable().CountAssigned(), ExportTable().CountAssigned());
  EXPECT_EQ(ExportTable().IsProven(CodeTable::kWholeTable), 1);
}

TEST_F(PairTest, UnchainingUnlinksAndStopsMirroring) {
  MakeExportActive();
  ChainByMenu();
  ExportTable().Assign('A', 0xC1);
  ASSERT_EQ(ImportTable().Target(0xC1), 'A');

  ChainByMenu();

  EXPECT_FALSE(TheSession->ChainTablesAction->isChecked());
  EXPECT_EQ(ExportTable().Partner(), nullptr);
  EXPECT_EQ(ImportTable().Partner(), nullptr);
  ExportTable().Assign('B', 0xC2);
  ExportTable().Unassign('A');
  EXPECT_EQ(ImportTable().Target(0xC2), -1);
  EXPECT_EQ(ImportTable().Target(0xC1), 'A');
}

TEST_F(PairTest, ClearingOneTableOfALinkedPairLeavesThePartnerAndTheChain) {
  FillDisagreeingPair();
  MakeExportActive();
  ChainByMenu();
  ExportTable().Select('C');
  const int position = ExportTable().CurrentPosition();
  const int ordinal = ExportTable().CurrentOrdinal();
  const CodeTable import_before = Snapshot(ImportTable());

  TheSession->ClearExport->trigger();

  EXPECT_EQ(ExportTable().CountAssigned(), 0);
  for (int c = 0; c < 256; ++c) EXPECT_EQ(ExportTable().Count(c), -1);
  EXPECT_STREQ(ExportTable().Header(), "QAVO CodeTab EXPORT [Courier New] ");
  EXPECT_EQ(ExportTable().Kind(), TableKind::kExport);
  EXPECT_STREQ(ExportTable().Cell('A'), " A=41");
  EXPECT_STREQ(ExportTable().Cell('C'), " C=43");
  EXPECT_EQ(ExportTable().CurrentPosition(), position);
  EXPECT_EQ(ExportTable().CurrentOrdinal(), ordinal);
  ExpectSameEntries(ImportTable(), import_before);
  EXPECT_EQ(ExportTable().Partner(), &ImportTable());
  EXPECT_TRUE(TheSession->ChainTablesAction->isChecked());
}

TEST_F(PairTest, ClearingTheImportTableKeepsItsKindWord) {
  FillDisagreeingPair();
  const CodeTable export_before = Snapshot(ExportTable());

  TheSession->ClearImport->trigger();

  EXPECT_EQ(ImportTable().CountAssigned(), 0);
  EXPECT_STREQ(ImportTable().Header(), "QAVO CodeTab IMPORT [Courier New] ");
  EXPECT_EQ(ImportTable().Kind(), TableKind::kImport);
  EXPECT_STREQ(ImportTable().Cell(0xC1), " \xC1=C1");
  ExpectSameEntries(ExportTable(), export_before);
}

TEST_F(PairTest, ClearingBothEmptiesBothAndKeepsTheLinkState) {
  FillDisagreeingPair();
  TheSession->ClearBoth->trigger();
  EXPECT_EQ(ExportTable().CountAssigned(), 0);
  EXPECT_EQ(ImportTable().CountAssigned(), 0);
  EXPECT_EQ(ExportTable().Partner(), nullptr);

  FillDisagreeingPair();
  ChainByMenu();
  TheSession->ClearBoth->trigger();
  EXPECT_EQ(ExportTable().CountAssigned(), 0);
  EXPECT_EQ(ImportTable().CountAssigned(), 0);
  EXPECT_EQ(ExportTable().Partner(), &ImportTable());
  EXPECT_TRUE(TheSession->ChainTablesAction->isChecked());
}

TEST_F(PairTest, CopyIntoAnEmptyDestinationAsksNothingAndInverts) {
  ExportTable().Assign(3, 0x40);
  ExportTable().Assign(7, 0x40);
  ExportTable().Assign('A', 0xC1);

  TheSession->CopyExportToImport->trigger();

  EXPECT_TRUE(prompter_->CallsOf("confirm").empty());
  EXPECT_EQ(ImportTable().Target(0x40), 7);
  EXPECT_EQ(ImportTable().Target(0xC1), 'A');
  EXPECT_EQ(ImportTable().FindTarget(3), -1);
  EXPECT_EQ(ImportTable().CountAssigned(), 2);
  EXPECT_EQ(ImportTable().CurrentPosition(), 0x40);
  EXPECT_EQ(ImportTable().CurrentOrdinal(), 0);
  EXPECT_STREQ(ImportTable().Header(), "QAVO CodeTab IMPORT [Courier New] ");
  EXPECT_STREQ(ImportTable().Cell(0x40), " \x07=07");
}

TEST_F(PairTest, CopyOverANonEmptyDestinationAsksAndAbbrechenChangesNothing) {
  FillDisagreeingPair();
  const CodeTable export_before = Snapshot(ExportTable());
  const CodeTable import_before = Snapshot(ImportTable());

  prompter_->AnswerCancel();
  TheSession->CopyExportToImport->trigger();
  prompter_->AnswerCancel();
  TheSession->CopyImportToExport->trigger();

  const auto confirms = prompter_->CallsOf("confirm");
  ASSERT_EQ(confirms.size(), 2u);
  EXPECT_EQ(confirms[0].Title, QString::fromUtf8("Bestätigung"));
  EXPECT_EQ(confirms[0].Text, QString::fromUtf8("IMPORT-Tabelle nicht leer!\nÜberschreiben?"));
  EXPECT_EQ(confirms[1].Text, QString::fromUtf8("EXPORT-Tabelle nicht leer!\nÜberschreiben?"));
  ExpectSameEntries(ExportTable(), export_before);
  ExpectSameEntries(ImportTable(), import_before);
  EXPECT_EQ(ImportTable().CurrentPosition(), import_before.CurrentPosition());
  EXPECT_EQ(ExportTable().CurrentPosition(), export_before.CurrentPosition());
}

TEST_F(PairTest, CopyFromImportToExportAfterOkReplacesTheExportTable) {
  FillDisagreeingPair();
  prompter_->AnswerOk();

  TheSession->CopyImportToExport->trigger();

  ASSERT_EQ(prompter_->CallsOf("confirm").size(), 1u);
  EXPECT_EQ(ExportTable().CountAssigned(), ImportTable().CountAssigned());
  EXPECT_EQ(ExportTable().Target('a'), 0xC1);
  EXPECT_EQ(ExportTable().Target('A'), -1);
  EXPECT_EQ(ExportTable().Target(0x50), 0x50);
  EXPECT_EQ(ExportTable().Target('B'), 0xC2);
  EXPECT_EQ(ExportTable().CurrentPosition(), 'B');
  EXPECT_STREQ(ExportTable().Cell('B'), " B:C2");
}

TEST_F(PairTest, CopyingAnEmptySourceEmptiesTheDestinationAndItsSelection) {
  FillDisagreeingPair();
  TheSession->ClearExport->trigger();
  prompter_->AnswerOk();

  TheSession->CopyExportToImport->trigger();

  EXPECT_EQ(ImportTable().CountAssigned(), 0);
  EXPECT_EQ(ImportTable().CurrentPosition(), -1);
  EXPECT_EQ(ImportTable().CurrentOrdinal(), -1);
}

TEST_F(PairTest, CopyIntoTheActiveTableOfALinkedPairLeavesAnAmbiguousSourceAlone) {
  LoadBytes(ExportTable(), kUnixExport);
  ImportTable().Assign(0x41, 0x41);
  ChainByMenu();
  MakeImportActive();
  ASSERT_EQ(ExportTable().IsAmbiguous(CodeTable::kWholeTable), 1);
  const CodeTable export_before = Snapshot(ExportTable());
  prompter_->AnswerOk();

  TheSession->CopyExportToImport->trigger();

  ExpectSameEntries(ExportTable(), export_before);
  EXPECT_STREQ(ExportTable().Header(), export_before.Header());
  EXPECT_EQ(ImportTable().Target(0x00), 0xFF);
  EXPECT_EQ(ImportTable().Target(0xC1), 'A');
  EXPECT_EQ(ImportTable().Target(0x06), 0xFD);
  EXPECT_EQ(ImportTable().Partner(), &ExportTable());
  EXPECT_EQ(ExportTable().Partner(), &ImportTable());
  EXPECT_EQ(ImportTable().IsActive(), 1);
  // The selection follows into the source.
  EXPECT_EQ(ImportTable().CurrentPosition(), 0x00);
  EXPECT_EQ(ExportTable().CurrentPosition(), 0xFF);
}

TEST_F(PairTest, CopyIntoTheInactiveTableOfALinkedPairMirrorsNothingBack) {
  FillDisagreeingPair();
  ChainByMenu();
  MakeImportActive();
  const CodeTable import_before = Snapshot(ImportTable());
  prompter_->AnswerOk();

  TheSession->CopyImportToExport->trigger();

  ExpectSameEntries(ImportTable(), import_before);
  EXPECT_EQ(ExportTable().Target('a'), 0xC1);
  EXPECT_EQ(ExportTable().Partner(), &ImportTable());
}

TEST_F(PairTest, MakeDiffCommandsChangeNothingAndAreInNoMenu) {
  FillDisagreeingPair();
  const CodeTable export_before = Snapshot(ExportTable());
  const CodeTable import_before = Snapshot(ImportTable());

  QAction* const make_diff2_din = TheSession->findChild<QAction*>("MakeDiff2DIN");
  QAction* const make_diff2_table = TheSession->findChild<QAction*>("MakeDiff2Table");
  ASSERT_TRUE(make_diff2_din && make_diff2_table);
  make_diff2_din->trigger();
  make_diff2_table->trigger();

  EXPECT_EQ(std::memcmp(&ExportTable(), &export_before, sizeof export_before), 0);
  EXPECT_EQ(std::memcmp(&ImportTable(), &import_before, sizeof import_before), 0);
  EXPECT_TRUE(prompter_->Calls.empty());

  const QList<QAction*> top = TheControl->Menu->actions();
  std::vector<QAction*> pending(top.begin(), top.end());
  int menu_actions = 0;
  while (!pending.empty()) {
    QAction* action = pending.back();
    pending.pop_back();
    EXPECT_NE(action, make_diff2_din);
    EXPECT_NE(action, make_diff2_table);
    ++menu_actions;
    if (QMenu* menu = action->menu())
      for (QAction* child : menu->actions()) pending.push_back(child);
  }
  // The walk did reach the submenus.
  EXPECT_GT(menu_actions, 40);
}

}  // namespace
