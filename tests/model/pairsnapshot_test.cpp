#include "model/pairsnapshot.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/tablecontent.h"

namespace {

// Every field of the record, one by one.
void ExpectSameTable(const CodeTable& a, const CodeTable& b) {
  EXPECT_EQ(std::memcmp(a.Entries, b.Entries, sizeof a.Entries), 0);
  EXPECT_EQ(std::memcmp(a.CellText, b.CellText, sizeof a.CellText), 0);
  EXPECT_STREQ(a.HexText, b.HexText);
  EXPECT_STREQ(a.Header, b.Header);
  EXPECT_STREQ(a.FontName, b.FontName);
  EXPECT_EQ(a.Partner, b.Partner);
  EXPECT_EQ(a.AmbiguousColor, b.AmbiguousColor);
  EXPECT_EQ(a.ProofColor, b.ProofColor);
  EXPECT_EQ(a.ActiveColor, b.ActiveColor);
  EXPECT_EQ(a.NoDataColor, b.NoDataColor);
  EXPECT_EQ(a.Kind, b.Kind);
  EXPECT_EQ(a.Font, b.Font);
  EXPECT_EQ(a.CurrentOrdinal, b.CurrentOrdinal);
  EXPECT_EQ(a.CurrentPosition, b.CurrentPosition);
  EXPECT_EQ(a.Active, b.Active);
  EXPECT_EQ(a.LinkBusy, b.LinkBusy);
}

struct Pair {
  CodeTable exportTab{Export};
  CodeTable importTab{Import};
  Pair() {
    exportTab.SetFont(nullptr, "Courier New");
    importTab.SetFont(nullptr, "Courier New");
    exportTab.Link(&importTab);
    exportTab.SetActive(1);
    exportTab.Assign(0x41, 0xC1);
    exportTab.Assign(0x42, 0xC1);
    exportTab.BuildHeader(-1, "DIN");
    importTab.Select(0xC1);
  }
  // Everything a user can do to the tables between two steps.
  void Scramble() {
    exportTab.Unassign(0x41);
    importTab.SetActive(1);
    importTab.Assign(0x05, 0x07);
    exportTab.Link(nullptr);
    exportTab.Reset(true);
    exportTab.SetKind(Export);
    importTab.BuildHeader(-1, "other");
    importTab.HexOf(0x33);
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
  EXPECT_EQ(pair.importTab.Entries[0xC3].Target, 0x43);
}

// A table that had forgotten its kind forgets it again.
TEST(PairSnapshot, RestoresAnUnknownKind) {
  Pair pair;
  pair.exportTab.Reset(true);
  const CodeTable exportBefore = pair.exportTab;
  const PairSnapshot snapshot(pair.exportTab, pair.importTab);
  pair.exportTab.SetKind(Import);
  snapshot.Restore(pair.exportTab, pair.importTab);
  EXPECT_EQ(pair.exportTab.Kind, Unknown);
  EXPECT_STREQ(pair.exportTab.Header, exportBefore.Header);
}

// A font chosen after the step stays: the header keeps it with the old name.
TEST(PairSnapshot, KeepsTheFontAndColoursOfNow) {
  Pair pair;
  const PairSnapshot snapshot(pair.exportTab, pair.importTab);
  pair.Scramble();
  int font = 0;
  DisplayFont* fontRef = reinterpret_cast<DisplayFont*>(&font);
  pair.exportTab.SetFont(fontRef, "Terminal");
  pair.importTab.SetFont(fontRef, nullptr);
  pair.exportTab.ProofColor = 77;

  snapshot.Restore(pair.exportTab, pair.importTab);
  EXPECT_STREQ(pair.exportTab.Header, "QAVO CodeTab EXPORT [Terminal] DIN");
  EXPECT_STREQ(pair.exportTab.HeaderName(), "DIN");
  EXPECT_STREQ(pair.importTab.Header, "QAVO CodeTab IMPORT ");
  EXPECT_EQ(pair.exportTab.Font, fontRef);
  EXPECT_EQ(pair.exportTab.ProofColor, 77);
  EXPECT_EQ(pair.exportTab.Entries[0x41].Target, 0xC1);
}

// Content is what a file keeps: the targets, the kind and the name.
TEST(TableContent, TargetsKindAndNameOnly) {
  Pair pair;
  const TableContent before(pair.exportTab);
  EXPECT_STREQ(before.Name, "DIN");
  pair.exportTab.Select(0x42);
  pair.exportTab.SetActive(0);
  pair.exportTab.Link(nullptr);
  pair.exportTab.SetFont(nullptr, "Terminal");
  EXPECT_TRUE(TableContent(pair.exportTab) == before);

  pair.exportTab.BuildHeader(-1, "renamed");
  EXPECT_TRUE(TableContent(pair.exportTab) != before);
  pair.exportTab.BuildHeader(Import, "DIN");
  EXPECT_TRUE(TableContent(pair.exportTab) != before);
  pair.exportTab.BuildHeader(Export, "DIN");
  EXPECT_TRUE(TableContent(pair.exportTab) == before);
  pair.exportTab.Assign(0x42, 0xC2);
  pair.exportTab.BuildHeader(-1, "DIN");
  EXPECT_TRUE(TableContent(pair.exportTab) != before);
}

// Without a font part the name follows the kind word directly.
TEST(TableContent, NameOfAHeaderWithoutFont) {
  CodeTable table(Import);
  table.BuildHeader(-1, "CP273_ISO8859-1");
  EXPECT_STREQ(HeaderNamePart(table), "CP273_ISO8859-1");
  EXPECT_STREQ(table.HeaderName(), "");
  table.SetFont(nullptr, "A font name longer than twenty");
  EXPECT_STREQ(table.Header, "QAVO CodeTab IMPORT [A font name longer t] CP273_ISO8859-1");
  EXPECT_STREQ(HeaderNamePart(table), "CP273_ISO8859-1");
  table.BuildHeader(-1, "x");
  EXPECT_STREQ(HeaderNamePart(table), "x");
}

}  // namespace
