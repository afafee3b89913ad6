#include "model/pairsnapshot.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/tablecontent.h"
#include "support/tablechecks.h"

namespace {

void ExpectSameTable(const CodeTable& a, const CodeTable& b) { EXPECT_EQ(RecordDifference(a, b), ""); }

struct Pair {
  CodeTable exportTab{TableKind::kExport};
  CodeTable importTab{TableKind::kImport};
  Pair() {
    exportTab.SetFontName("Courier New");
    importTab.SetFontName("Courier New");
    exportTab.Link(&importTab);
    exportTab.SetActive(true);
    exportTab.Assign(0x41, 0xC1);
    exportTab.Assign(0x42, 0xC1);
    exportTab.BuildHeader(TableKind::kUnknown, "DIN");
    importTab.Select(0xC1);
  }
  // Everything a user can do to the tables between two steps.
  void Scramble() {
    exportTab.Unassign(0x41);
    importTab.SetActive(true);
    importTab.Assign(0x05, 0x07);
    exportTab.Link(nullptr);
    exportTab.Reset(true);
    exportTab.SetKind(TableKind::kExport);
    importTab.BuildHeader(TableKind::kUnknown, "other");
  }
};

TEST(PairSnapshot, RestoresEveryFieldOfBothTables) {
  Pair pair;
  const CodeTable exportBefore = pair.exportTab;
  const CodeTable importBefore = pair.importTab;
  const PairSnapshot snapshot(pair.exportTab, pair.importTab);
  pair.Scramble();
  EXPECT_FALSE(snapshot.SameState(PairSnapshot(pair.exportTab, pair.importTab)));

  snapshot.Restore(pair.exportTab, pair.importTab);
  ExpectSameTable(pair.exportTab, exportBefore);
  ExpectSameTable(pair.importTab, importBefore);
  EXPECT_TRUE(snapshot.SameState(PairSnapshot(pair.exportTab, pair.importTab)));

  // Restored, the pair mirrors again from the EXPORT table.
  pair.exportTab.Assign(0x43, 0xC3);
  EXPECT_EQ(pair.importTab.Target(0xC3), 0x43);
}

// A table that had forgotten its kind forgets it again.
TEST(PairSnapshot, RestoresAnUnknownKind) {
  Pair pair;
  pair.exportTab.Reset(true);
  const CodeTable exportBefore = pair.exportTab;
  const PairSnapshot snapshot(pair.exportTab, pair.importTab);
  pair.exportTab.SetKind(TableKind::kImport);
  snapshot.Restore(pair.exportTab, pair.importTab);
  EXPECT_EQ(pair.exportTab.Kind(), TableKind::kUnknown);
  EXPECT_STREQ(pair.exportTab.Header(), exportBefore.Header());
}

// A font chosen after the step stays: the header keeps it with the old name.
TEST(PairSnapshot, KeepsTheFontOfNow) {
  Pair pair;
  const PairSnapshot snapshot(pair.exportTab, pair.importTab);
  pair.Scramble();
  pair.exportTab.SetFontName("Terminal");
  pair.importTab.SetFontName(nullptr);

  snapshot.Restore(pair.exportTab, pair.importTab);
  EXPECT_STREQ(pair.exportTab.Header(), "QAVO CodeTab EXPORT [Terminal] DIN");
  EXPECT_STREQ(pair.exportTab.HeaderName(), "DIN");
  EXPECT_STREQ(pair.importTab.Header(), "QAVO CodeTab IMPORT ");
  EXPECT_EQ(pair.exportTab.Target(0x41), 0xC1);
}

// Content is what a file keeps: the targets, the kind and the name.
TEST(TableContent, TargetsKindAndNameOnly) {
  Pair pair;
  const TableContent before(pair.exportTab);
  EXPECT_STREQ(before.Name, "DIN");
  pair.exportTab.Select(0x42);
  pair.exportTab.SetActive(false);
  pair.exportTab.Link(nullptr);
  pair.exportTab.SetFontName("Terminal");
  EXPECT_TRUE(TableContent(pair.exportTab) == before);

  pair.exportTab.BuildHeader(TableKind::kUnknown, "renamed");
  EXPECT_TRUE(TableContent(pair.exportTab) != before);
  pair.exportTab.BuildHeader(TableKind::kImport, "DIN");
  EXPECT_TRUE(TableContent(pair.exportTab) != before);
  pair.exportTab.BuildHeader(TableKind::kExport, "DIN");
  EXPECT_TRUE(TableContent(pair.exportTab) == before);
  pair.exportTab.Assign(0x42, 0xC2);
  pair.exportTab.BuildHeader(TableKind::kUnknown, "DIN");
  EXPECT_TRUE(TableContent(pair.exportTab) != before);
}

// Without a font part the name follows the kind word directly.
TEST(TableContent, NameOfAHeaderWithoutFont) {
  CodeTable table(TableKind::kImport);
  table.BuildHeader(TableKind::kUnknown, "CP273_ISO8859-1");
  EXPECT_STREQ(HeaderNamePart(table), "CP273_ISO8859-1");
  EXPECT_STREQ(table.HeaderName(), "");
  table.SetFontName("A font name longer than twenty");
  EXPECT_STREQ(table.Header(), "QAVO CodeTab IMPORT [A font name longer t] CP273_ISO8859-1");
  EXPECT_STREQ(HeaderNamePart(table), "CP273_ISO8859-1");
  table.BuildHeader(TableKind::kUnknown, "x");
  EXPECT_STREQ(HeaderNamePart(table), "x");
}

}  // namespace
