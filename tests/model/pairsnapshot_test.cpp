#include "model/pairsnapshot.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/tablecontent.h"
#include "support/tablechecks.h"

namespace {

void ExpectSameTable(const CodeTable& a, const CodeTable& b) { EXPECT_EQ(RecordDifference(a, b), ""); }

struct Pair {
  CodeTable ExportTab{TableKind::kExport};
  CodeTable ImportTab{TableKind::kImport};
  Pair() {
    ExportTab.SetFontName("Courier New");
    ImportTab.SetFontName("Courier New");
    ExportTab.Link(&ImportTab);
    ExportTab.SetActive(true);
    ExportTab.Assign(0x41, 0xC1);
    ExportTab.Assign(0x42, 0xC1);
    ExportTab.BuildHeader(TableKind::kUnknown, "DIN");
    ImportTab.Select(0xC1);
  }
  // Everything a user can do to the tables between two steps.
  void Scramble() {
    ExportTab.Unassign(0x41);
    ImportTab.SetActive(true);
    ImportTab.Assign(0x05, 0x07);
    ExportTab.Link(nullptr);
    ExportTab.Reset(true);
    ExportTab.SetKind(TableKind::kExport);
    ImportTab.BuildHeader(TableKind::kUnknown, "other");
  }
};

TEST(PairSnapshot, RestoresEveryFieldOfBothTables) {
  Pair pair;
  const CodeTable export_before = pair.ExportTab;
  const CodeTable import_before = pair.ImportTab;
  const PairSnapshot snapshot(pair.ExportTab, pair.ImportTab);
  pair.Scramble();
  EXPECT_FALSE(snapshot.SameState(PairSnapshot(pair.ExportTab, pair.ImportTab)));

  snapshot.Restore(pair.ExportTab, pair.ImportTab);
  ExpectSameTable(pair.ExportTab, export_before);
  ExpectSameTable(pair.ImportTab, import_before);
  EXPECT_TRUE(snapshot.SameState(PairSnapshot(pair.ExportTab, pair.ImportTab)));

  // Restored, the pair mirrors again from the EXPORT table.
  pair.ExportTab.Assign(0x43, 0xC3);
  EXPECT_EQ(pair.ImportTab.Target(0xC3), 0x43);
}

// A table that had forgotten its kind forgets it again.
TEST(PairSnapshot, RestoresAnUnknownKind) {
  Pair pair;
  pair.ExportTab.Reset(true);
  const CodeTable export_before = pair.ExportTab;
  const PairSnapshot snapshot(pair.ExportTab, pair.ImportTab);
  pair.ExportTab.SetKind(TableKind::kImport);
  snapshot.Restore(pair.ExportTab, pair.ImportTab);
  EXPECT_EQ(pair.ExportTab.Kind(), TableKind::kUnknown);
  EXPECT_STREQ(pair.ExportTab.Header(), export_before.Header());
}

// A font chosen after the step stays: the header keeps it with the old name.
TEST(PairSnapshot, KeepsTheFontOfNow) {
  Pair pair;
  const PairSnapshot snapshot(pair.ExportTab, pair.ImportTab);
  pair.Scramble();
  pair.ExportTab.SetFontName("Terminal");
  pair.ImportTab.SetFontName(nullptr);

  snapshot.Restore(pair.ExportTab, pair.ImportTab);
  EXPECT_STREQ(pair.ExportTab.Header(), "QAVO CodeTab EXPORT [Terminal] DIN");
  EXPECT_STREQ(pair.ExportTab.HeaderName(), "DIN");
  EXPECT_STREQ(pair.ImportTab.Header(), "QAVO CodeTab IMPORT ");
  EXPECT_EQ(pair.ExportTab.Target(0x41), 0xC1);
}

// Content is what a file keeps: the targets, the kind and the name.
TEST(TableContent, TargetsKindAndNameOnly) {
  Pair pair;
  const TableContent before(pair.ExportTab);
  EXPECT_STREQ(before.Name, "DIN");
  pair.ExportTab.Select(0x42);
  pair.ExportTab.SetActive(false);
  pair.ExportTab.Link(nullptr);
  pair.ExportTab.SetFontName("Terminal");
  EXPECT_TRUE(TableContent(pair.ExportTab) == before);

  pair.ExportTab.BuildHeader(TableKind::kUnknown, "renamed");
  EXPECT_TRUE(TableContent(pair.ExportTab) != before);
  pair.ExportTab.BuildHeader(TableKind::kImport, "DIN");
  EXPECT_TRUE(TableContent(pair.ExportTab) != before);
  pair.ExportTab.BuildHeader(TableKind::kExport, "DIN");
  EXPECT_TRUE(TableContent(pair.ExportTab) == before);
  pair.ExportTab.Assign(0x42, 0xC2);
  pair.ExportTab.BuildHeader(TableKind::kUnknown, "DIN");
  EXPECT_TRUE(TableContent(pair.ExportTab) != before);
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
