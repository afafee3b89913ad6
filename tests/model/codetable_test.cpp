#include "model/codetable.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr int Whole = CodeTable::WholeTable;

std::string Cell(const CodeTable& tab, int p) { return std::string(tab.CellText[p], 5); }

// Cell of an untouched position: a space and the character, or 00 for code 0.
std::string OwnCell(int p, char separator) {
  const char* hex = "0123456789ABCDEF";
  std::string cell = p == 0 ? std::string("00") : std::string(" ") + static_cast<char>(p);
  return cell + separator + hex[p >> 4] + hex[p & 0xF];
}

// Everything every operation must keep, whatever it was called with.
void ExpectConsistent(const CodeTable& tab) {
  int sources[256] = {};
  for (int p = 0; p < 256; ++p) {
    const int t = tab.Entries[p].Target;
    ASSERT_GE(t, -1) << p;
    ASSERT_LE(t, 255) << p;
    if (t >= 0) ++sources[t];
    EXPECT_EQ(tab.CellText[p][5], '\0') << p;
  }
  for (int c = 0; c < 256; ++c) EXPECT_EQ(tab.Entries[c].Count, sources[c] - 1) << c;
  EXPECT_LE(std::strlen(tab.Header), 64u);
  EXPECT_LE(std::strlen(tab.FontName), 67u);
  EXPECT_GE(tab.CurrentPosition, -1);
  EXPECT_LE(tab.CurrentPosition, 255);
  if (tab.Partner != nullptr) {
    EXPECT_EQ(tab.Partner->Partner, &tab);
    EXPECT_FALSE(tab.Active == 1 && tab.Partner->Active == 1);
  }
}

struct Pair {
  CodeTable exportTab{Export};
  CodeTable importTab{Import};
  // Chains the pair with the EXPORT table as the one the user works in.
  void LinkExportActive() {
    exportTab.Link(&importTab);
    exportTab.SetActive(1);
  }
};

TEST(CodeTabNew, ExportTable) {
  CodeTable tab(Export);
  EXPECT_EQ(tab.Kind, Export);
  EXPECT_EQ(tab.CountAssigned(), 0);
  int position = 7;
  EXPECT_EQ(tab.FirstAssigned(position), -1);
  EXPECT_EQ(position, -1);
  for (int p = 0; p < 256; ++p) {
    EXPECT_EQ(Cell(tab, p), OwnCell(p, ':')) << p;
    EXPECT_EQ(tab.Entries[p].Target, -1);
    EXPECT_EQ(tab.Entries[p].Count, -1);
  }
  EXPECT_EQ(Cell(tab, 0x41), " A:41");
  EXPECT_EQ(Cell(tab, 0), "00:00");
  EXPECT_STREQ(tab.Header, "QAVO CodeTab EXPORT ");
  EXPECT_STREQ(tab.HexText, "");
  EXPECT_STREQ(tab.FontName, "");
  EXPECT_EQ(tab.Partner, nullptr);
  EXPECT_EQ(tab.Font, nullptr);
  EXPECT_EQ(tab.AmbiguousColor, -1);
  EXPECT_EQ(tab.ProofColor, -1);
  EXPECT_EQ(tab.ActiveColor, -1);
  EXPECT_EQ(tab.NoDataColor, -1);
  EXPECT_EQ(tab.CurrentOrdinal, -1);
  EXPECT_EQ(tab.CurrentPosition, -1);
  EXPECT_EQ(tab.Active, 0);
  EXPECT_EQ(tab.LinkBusy, 0);
  ExpectConsistent(tab);
}

TEST(CodeTabNew, ImportAndOtherKinds) {
  CodeTable importTab(Import);
  EXPECT_EQ(Cell(importTab, 0x41), " A=41");
  EXPECT_EQ(Cell(importTab, 0), "00=00");
  EXPECT_STREQ(importTab.Header, "QAVO CodeTab IMPORT ");

  CodeTable user(Unknown);
  EXPECT_EQ(user.Kind, Unknown);
  EXPECT_EQ(Cell(user, 0x41), " A=41");
  EXPECT_STREQ(user.Header, "QAVO CodeTab USER   ");

  CodeTable odd(7);
  EXPECT_EQ(odd.Kind, 7);
  EXPECT_EQ(Cell(odd, 0xFF), std::string(" \xFF=FF"));
  EXPECT_STREQ(odd.Header, "QAVO CodeTab USER   ");
}

TEST(CodeTabAssign, ExportShowsSourceCharacterAndTargetCode) {
  CodeTable tab(Export);
  tab.SetFont(nullptr, "Courier New");
  tab.BuildHeader(Export, "DIN");
  EXPECT_EQ(tab.Assign(0x41, 0xC1), 0);
  EXPECT_EQ(tab.Entries[0x41].Target, 0xC1);
  EXPECT_EQ(tab.Entries[0xC1].Count, 0);
  EXPECT_EQ(Cell(tab, 0x41), " A:C1");
  EXPECT_EQ(Cell(tab, 0xC1), OwnCell(0xC1, ':'));
  EXPECT_EQ(tab.CurrentPosition, 0x41);
  EXPECT_EQ(tab.CurrentOrdinal, 0);
  EXPECT_STREQ(tab.Header, "QAVO CodeTab EXPORT [Courier New] ");
  EXPECT_STREQ(tab.HeaderName(), "");
  tab.Assign(0x42, 0);
  EXPECT_EQ(Cell(tab, 0x42), " B:00");
  ExpectConsistent(tab);
}

TEST(CodeTabAssign, ImportShowsTargetCharacterAndCode) {
  CodeTable tab(Import);
  tab.Assign(0xC1, 0x41);
  EXPECT_EQ(Cell(tab, 0xC1), " A=41");
  tab.Assign(0x25, 0);
  EXPECT_EQ(Cell(tab, 0x25), "00=00");
  tab.Assign(0, 0x20);
  EXPECT_EQ(Cell(tab, 0), "  =20");
  ExpectConsistent(tab);
}

TEST(CodeTabAssign, SeparatorStaysAsResetWroteIt) {
  CodeTable tab(Export);
  tab.SetKind(Import);
  tab.Assign(0xC1, 0x41);
  EXPECT_EQ(Cell(tab, 0xC1), " A:41");
  tab.Unassign(0xC1);
  EXPECT_EQ(Cell(tab, 0xC1), OwnCell(0xC1, ':'));
  tab.Reset(false);
  EXPECT_EQ(Cell(tab, 0xC1), OwnCell(0xC1, '='));
}

TEST(CodeTabAssign, CountsFollowReassignment) {
  CodeTable tab(Export);
  tab.Assign(0x41, 0xC1);
  tab.Assign(0x42, 0xC1);
  EXPECT_EQ(tab.Entries[0xC1].Count, 1);
  EXPECT_EQ(tab.IsAmbiguous(0x41), 1);
  EXPECT_EQ(tab.IsAmbiguous(0x42), 1);
  EXPECT_EQ(tab.IsAmbiguous(0x43), 0);
  EXPECT_EQ(tab.IsAmbiguous(Whole), 1);
  EXPECT_EQ(tab.IsAmbiguous(-1), 0);

  tab.Assign(0x42, 0xC2);
  EXPECT_EQ(tab.Entries[0xC1].Count, 0);
  EXPECT_EQ(tab.Entries[0xC2].Count, 0);
  EXPECT_EQ(tab.IsAmbiguous(Whole), 0);
  tab.Assign(0x42, 0xC2);
  EXPECT_EQ(tab.Entries[0xC2].Count, 0);
  EXPECT_EQ(tab.Entries[0xC1].Count, 0);
  ExpectConsistent(tab);
}

TEST(CodeTabAssign, ArgumentsAreCutToEightBits) {
  CodeTable tab(Export);
  EXPECT_EQ(tab.Assign(0x10, -1), 0);
  EXPECT_EQ(tab.Entries[0x10].Target, 0xFF);
  tab.Assign(0x141, 0x1C1);
  EXPECT_EQ(tab.Entries[0x41].Target, 0xC1);
  EXPECT_EQ(tab.CurrentPosition, 0x41);
  EXPECT_EQ(tab.CurrentOrdinal, 1);
  EXPECT_EQ(tab.Assign(-1, 0x42), -1);
  EXPECT_EQ(tab.CountAssigned(), 2);
  EXPECT_EQ(tab.Entries[0x42].Count, -1);
  EXPECT_EQ(tab.CurrentPosition, 0x41);
  ExpectConsistent(tab);
}

TEST(CodeTabUnassign, ReturnsCellToItsOwnPosition) {
  CodeTable tab(Import);
  tab.BuildHeader(Import, "kept");
  tab.Assign(0x10, 0x20);
  tab.Assign(0x41, 0xC1);
  tab.Select(0x10);
  tab.BuildHeader(Import, "kept");
  EXPECT_EQ(tab.Unassign(0x41), 0);
  EXPECT_EQ(Cell(tab, 0x41), " A=41");
  EXPECT_EQ(tab.Entries[0x41].Target, -1);
  EXPECT_EQ(tab.Entries[0xC1].Count, -1);
  EXPECT_EQ(tab.CurrentPosition, 0x10);
  EXPECT_EQ(tab.CurrentOrdinal, 0);
  EXPECT_STREQ(tab.Header, "QAVO CodeTab IMPORT kept");
  EXPECT_EQ(tab.Unassign(0x05), -1);
  EXPECT_EQ(tab.Unassign(-1), -1);
  EXPECT_EQ(tab.Entries[0x20].Count, 0);
  ExpectConsistent(tab);
}

TEST(CodeTabUnassign, CountNeverDropsBelowMinusOne) {
  CodeTable tab(Export);
  // A target written behind the table's back carries no count.
  tab.Entries[0x30].Target = 0x50;
  tab.Unassign(0x30);
  EXPECT_EQ(tab.Entries[0x50].Count, -1);
  tab.Entries[0x31].Target = 0x51;
  tab.Assign(0x31, 0x52);
  EXPECT_EQ(tab.Entries[0x51].Count, -1);
  EXPECT_EQ(tab.Entries[0x52].Count, 0);
  tab.Unassign(0x31);
  tab.Unassign(0x31);
  EXPECT_EQ(tab.Entries[0x52].Count, -1);
}

TEST(CodeTabHex, HexOfAndParseHex2) {
  CodeTable tab(Export);
  EXPECT_STREQ(tab.HexOf(-1), "");
  EXPECT_STREQ(tab.HexOf(0x1C1), "C1");
  EXPECT_STREQ(tab.HexText, "C1");
  EXPECT_STREQ(tab.HexOf(0), "00");
  EXPECT_STREQ(tab.HexOf(-2), "FE");
  EXPECT_STREQ(tab.HexOf(INT_MIN), "00");
  EXPECT_STREQ(tab.HexOf(INT_MAX), "FF");

  EXPECT_EQ(CodeTable::ParseHex2("C1"), 193);
  EXPECT_EQ(CodeTable::ParseHex2("FF"), 255);
  EXPECT_EQ(CodeTable::ParseHex2("c1"), 193);
  EXPECT_EQ(CodeTable::ParseHex2("ff"), 255);
  EXPECT_EQ(CodeTable::ParseHex2("aB"), 171);
  EXPECT_EQ(CodeTable::ParseHex2("09"), 9);
  EXPECT_EQ(CodeTable::ParseHex2("C1X"), 193);
  EXPECT_EQ(CodeTable::ParseHex2("4G"), -1);
  EXPECT_EQ(CodeTable::ParseHex2("G4"), -1);
  EXPECT_EQ(CodeTable::ParseHex2(" 4"), -1);
  EXPECT_EQ(CodeTable::ParseHex2(""), -1);
  EXPECT_EQ(CodeTable::ParseHex2("C"), -1);
  EXPECT_EQ(CodeTable::ParseHex2(nullptr), -1);
}

// Exactly sized heap buffers let the address checker catch a read past the NUL.
TEST(CodeTabHex, ParseHex2StopsAtTheNul) {
  std::unique_ptr<char[]> empty(new char[1]{'\0'});
  EXPECT_EQ(CodeTable::ParseHex2(empty.get()), -1);
  std::unique_ptr<char[]> one(new char[2]{'C', '\0'});
  EXPECT_EQ(CodeTable::ParseHex2(one.get()), -1);
}

TEST(CodeTabHex, UnassignHex) {
  CodeTable tab(Export);
  tab.Assign(0xC1, 0x41);
  tab.UnassignHex("XY");
  tab.UnassignHex("");
  tab.UnassignHex(nullptr);
  EXPECT_EQ(tab.Entries[0xC1].Target, 0x41);
  tab.UnassignHex("C1");
  EXPECT_EQ(tab.Entries[0xC1].Target, -1);
  tab.Assign(0xFF, 0x41);
  tab.UnassignHex("ff");
  EXPECT_EQ(tab.Entries[0xFF].Target, -1);
}

TEST(CodeTabOrdinals, CountingAssignedPositions) {
  CodeTable tab(Export);
  EXPECT_EQ(tab.NthAssigned(0), -1);
  EXPECT_EQ(tab.OrdinalOf(0x80), -1);
  tab.Assign(0x10, 1);
  tab.Assign(0x20, 2);
  tab.Assign(0xFF, 3);
  EXPECT_EQ(tab.CountAssigned(), 3);
  EXPECT_EQ(tab.NthAssigned(0), 0x10);
  EXPECT_EQ(tab.NthAssigned(2), 0xFF);
  EXPECT_EQ(tab.NthAssigned(3), -1);
  EXPECT_EQ(tab.NthAssigned(-1), -1);
  EXPECT_EQ(tab.NthAssigned(INT_MAX), -1);
  EXPECT_EQ(tab.NthAssigned(INT_MIN), -1);
  EXPECT_EQ(tab.OrdinalOf(0x0F), -1);
  EXPECT_EQ(tab.OrdinalOf(0x10), 0);
  EXPECT_EQ(tab.OrdinalOf(0x1F), 0);
  EXPECT_EQ(tab.OrdinalOf(0x20), 1);
  EXPECT_EQ(tab.OrdinalOf(0xFE), 1);
  EXPECT_EQ(tab.OrdinalOf(0xFF), 2);
  EXPECT_EQ(tab.OrdinalOf(-1), -1);
  EXPECT_EQ(tab.OrdinalOf(0x120), 1);
  int position = -1;
  EXPECT_EQ(tab.FirstAssigned(position), 0);
  EXPECT_EQ(position, 0x10);
  EXPECT_EQ(tab.Unassign(0xFF), 1);
  EXPECT_EQ(tab.Unassign(0x10), -1);
}

TEST(CodeTabFind, FindTargetReturnsLowestSource) {
  CodeTable tab(Export);
  tab.Assign(0x90, 0xC1);
  tab.Assign(0x41, 0xC1);
  EXPECT_EQ(tab.FindTarget(0xC1), 0x41);
  EXPECT_EQ(tab.FindTarget(0x1C1), 0x41);
  EXPECT_EQ(tab.FindTarget(0xC2), -1);
  EXPECT_EQ(tab.FindTarget(-1), -1);
  tab.Assign(0x50, 0xFF);
  EXPECT_EQ(tab.FindTarget(-1), -1);
  EXPECT_EQ(tab.FindTarget(INT_MAX), 0x50);
}

TEST(CodeTabLoad, LoadBytesAssignsEveryPosition) {
  CodeTable tab(Import);
  tab.SetFont(nullptr, "Courier New");
  tab.BuildHeader(Import, "old");
  tab.Assign(0x10, 0x99);
  uint8_t bytes[256];
  for (int p = 0; p < 256; ++p) bytes[p] = static_cast<uint8_t>(p < 128 ? p : 0);
  tab.LoadBytes(bytes);
  EXPECT_EQ(tab.CountAssigned(), 256);
  EXPECT_EQ(tab.CurrentPosition, 0);
  EXPECT_EQ(tab.CurrentOrdinal, 0);
  EXPECT_EQ(tab.Entries[0].Count, 128);
  EXPECT_EQ(tab.Entries[0x99].Count, -1);
  EXPECT_EQ(Cell(tab, 0x80), "00=00");
  EXPECT_EQ(Cell(tab, 0x41), " A=41");
  EXPECT_STREQ(tab.Header, "QAVO CodeTab IMPORT [Courier New] ");
  ExpectConsistent(tab);
}

TEST(CodeTabLoad, LoadEntriesRecomputesCountsAndCutsTargets) {
  TableEntry entries[256];
  for (TableEntry& e : entries) e = {-1, 77};
  entries[0x20] = {0x141, 5};
  entries[0x30] = {0x41, -1};
  entries[0x40] = {-5, 0};
  CodeTable tab(Export);
  tab.Assign(0x01, 0x02);
  tab.LoadEntries(entries);
  EXPECT_EQ(tab.CountAssigned(), 3);
  EXPECT_EQ(tab.Entries[0x01].Target, -1);
  EXPECT_EQ(tab.Entries[0x20].Target, 0x41);
  EXPECT_EQ(tab.Entries[0x40].Target, 0xFB);
  EXPECT_EQ(tab.Entries[0x41].Count, 1);
  EXPECT_EQ(tab.CurrentPosition, 0x20);
  EXPECT_EQ(tab.CurrentOrdinal, 0);
  ExpectConsistent(tab);

  for (TableEntry& e : entries) e = {-1, 0};
  tab.LoadEntries(entries);
  EXPECT_EQ(tab.CountAssigned(), 0);
  EXPECT_EQ(tab.CurrentPosition, -1);
  EXPECT_EQ(tab.CurrentOrdinal, -1);
  ExpectConsistent(tab);
}

TEST(CodeTabLoad, LoadEntriesFromItsOwnEntries) {
  CodeTable tab(Export);
  tab.Assign(0x41, 0xC1);
  tab.Assign(0x42, 0xC2);
  tab.LoadEntries(tab.Entries);
  EXPECT_EQ(tab.CountAssigned(), 2);
  EXPECT_EQ(tab.Entries[0x41].Target, 0xC1);
  EXPECT_EQ(tab.Entries[0x42].Target, 0xC2);
  ExpectConsistent(tab);
}

TEST(CodeTabInverse, HighestSourceWins) {
  CodeTable source(Export), dest(Import);
  dest.Assign(0x99, 0x99);
  source.Assign(3, 0x40);
  source.Assign(7, 0x40);
  source.Assign(0x41, 0xC1);
  dest.BuildInverse(source);
  EXPECT_EQ(dest.CountAssigned(), 2);
  EXPECT_EQ(dest.Entries[0x40].Target, 7);
  EXPECT_EQ(dest.Entries[0xC1].Target, 0x41);
  EXPECT_EQ(dest.Entries[0x99].Target, -1);
  EXPECT_EQ(Cell(dest, 0xC1), " A=41");
  EXPECT_EQ(dest.CurrentPosition, 0x40);
  EXPECT_EQ(dest.CurrentOrdinal, 0);
  ExpectConsistent(dest);
}

TEST(CodeTabInverse, OfItself) {
  CodeTable tab(Export);
  tab.Assign(1, 5);
  tab.BuildInverse(tab);
  EXPECT_EQ(tab.CountAssigned(), 1);
  EXPECT_EQ(tab.Entries[5].Target, 1);
  ExpectConsistent(tab);
}

TEST(CodeTabInverse, ActiveLinkedDestinationMirrorsIntoItsPartner) {
  Pair pair;
  CodeTable source(Import);
  source.Assign(0xC1, 0x41);
  pair.LinkExportActive();
  pair.exportTab.BuildInverse(source);
  EXPECT_EQ(pair.exportTab.Entries[0x41].Target, 0xC1);
  EXPECT_EQ(pair.importTab.Entries[0xC1].Target, 0x41);
}

TEST(CodeTabMirror, AssignAndUnassignInTheActiveTable) {
  Pair pair;
  pair.LinkExportActive();
  pair.exportTab.Assign(0x41, 0xC1);
  EXPECT_EQ(pair.importTab.Entries[0xC1].Target, 0x41);
  EXPECT_EQ(Cell(pair.importTab, 0xC1), " A=41");
  EXPECT_EQ(pair.importTab.CurrentPosition, 0xC1);

  // A second source of C1 is ambiguous: not mirrored.
  pair.exportTab.Assign(0x61, 0xC1);
  EXPECT_EQ(pair.importTab.Entries[0xC1].Target, 0x41);
  EXPECT_EQ(pair.importTab.Entries[0x61].Count, -1);

  // IMPORT C1 belongs to 0x41, not to 0x61: it stays.
  pair.exportTab.Unassign(0x61);
  EXPECT_EQ(pair.importTab.Entries[0xC1].Target, 0x41);
  EXPECT_EQ(pair.exportTab.Entries[0x41].Target, 0xC1);

  pair.exportTab.Unassign(0x41);
  EXPECT_EQ(pair.importTab.Entries[0xC1].Target, -1);
  EXPECT_EQ(pair.importTab.CountAssigned(), 0);
  ExpectConsistent(pair.exportTab);
  ExpectConsistent(pair.importTab);
}

// A -> C2 and B -> C2 with IMPORT C2 -> B: removing A must not take B's
// inverse, whichever table of the pair is the active one.
TEST(CodeTabMirror, RemovalKeepsThePartnerEntryOfAnotherPosition) {
  for (const bool exportActive : {true, false}) {
    Pair pair;
    CodeTable& active = exportActive ? pair.exportTab : pair.importTab;
    CodeTable& partner = exportActive ? pair.importTab : pair.exportTab;
    active.Assign('A', 0xC2);
    active.Assign('B', 0xC2);
    partner.Assign(0xC2, 'B');
    partner.Assign(0xC3, 'A');
    active.Link(&partner);
    active.SetActive(1);

    active.Unassign('A');
    EXPECT_EQ(partner.Entries[0xC2].Target, 'B') << exportActive;
    EXPECT_EQ(partner.Entries[0xC3].Target, 'A') << exportActive;
    EXPECT_EQ(active.IsProven('B'), 1) << exportActive;
    EXPECT_EQ(Cell(partner, 0xC2).substr(3), "42");

    active.UnassignHex("42");
    EXPECT_EQ(partner.Entries[0xC2].Target, -1) << exportActive;
    EXPECT_EQ(partner.CountAssigned(), 1) << exportActive;
    ExpectConsistent(active);
    ExpectConsistent(partner);
  }
}

TEST(CodeTabMirror, ImportActiveMirrorsIntoExport) {
  Pair pair;
  pair.LinkExportActive();
  pair.importTab.SetActive(1);
  pair.importTab.Assign(0xC1, 0x41);
  EXPECT_EQ(pair.exportTab.Entries[0x41].Target, 0xC1);
  pair.exportTab.Assign(0x42, 0xC2);
  EXPECT_EQ(pair.importTab.Entries[0xC2].Target, -1);
}

TEST(CodeTabMirror, NothingWithoutActiveLinkedTable) {
  Pair pair;
  pair.exportTab.Link(&pair.importTab);
  pair.exportTab.Assign(0x41, 0xC1);
  EXPECT_EQ(pair.importTab.CountAssigned(), 0);

  CodeTable alone(Export);
  alone.SetActive(1);
  alone.Assign(0x41, 0xC1);
  alone.Unassign(0x41);
  EXPECT_EQ(alone.CountAssigned(), 0);
}

TEST(CodeTabMirror, UnambiguousButBrokenPairIsRebuiltAsInverse) {
  Pair pair;
  pair.exportTab.Assign(0x42, 0xC2);
  pair.importTab.Assign(0xC2, 0x43);
  pair.importTab.Assign(0x50, 0x44);
  pair.LinkExportActive();
  pair.exportTab.Assign(0x41, 0xC1);
  EXPECT_EQ(pair.importTab.CountAssigned(), 2);
  EXPECT_EQ(pair.importTab.Entries[0xC1].Target, 0x41);
  EXPECT_EQ(pair.importTab.Entries[0xC2].Target, 0x42);
  EXPECT_EQ(pair.importTab.Entries[0x50].Target, -1);
  EXPECT_EQ(pair.importTab.CurrentPosition, 0xC1);
  EXPECT_EQ(pair.exportTab.IsProven(Whole), 1);
  EXPECT_EQ(pair.exportTab.CurrentPosition, 0x41);
  ExpectConsistent(pair.importTab);
}

TEST(CodeTabMirror, NoRebuildWhenActiveTableIsAmbiguousOrProven) {
  Pair ambiguous;
  ambiguous.exportTab.Assign(0x42, 0xC5);
  ambiguous.exportTab.Assign(0x43, 0xC5);
  ambiguous.importTab.Assign(0x50, 0x44);
  ambiguous.LinkExportActive();
  ambiguous.exportTab.Assign(0x41, 0xC1);
  EXPECT_EQ(ambiguous.importTab.Entries[0xC1].Target, 0x41);
  EXPECT_EQ(ambiguous.importTab.Entries[0x50].Target, 0x44);

  // Partner entries that no position maps to are not examined.
  Pair proven;
  proven.importTab.Assign(0x50, 0x44);
  proven.LinkExportActive();
  proven.exportTab.Assign(0x41, 0xC1);
  EXPECT_EQ(proven.importTab.Entries[0x50].Target, 0x44);
  EXPECT_EQ(proven.importTab.CountAssigned(), 2);
}

// Two active tables would mirror each edit back and forth without end.
TEST(CodeTabMirror, NoBounceBetweenTwoActiveTables) {
  Pair pair;
  pair.exportTab.Link(&pair.importTab);
  pair.exportTab.Active = 1;
  pair.importTab.Active = 1;
  pair.exportTab.Assign(0x41, 0xC1);
  pair.exportTab.Select(0x41);
  pair.exportTab.Unassign(0x41);
  EXPECT_EQ(pair.importTab.CountAssigned(), 0);
  EXPECT_EQ(pair.importTab.CurrentPosition, -1);
}

TEST(CodeTabSelect, FollowsIntoThePartner) {
  Pair pair;
  pair.exportTab.Assign(0x30, 0xF0);
  pair.exportTab.Assign(0x41, 0xC1);
  pair.importTab.Assign(0x05, 0x09);
  pair.importTab.Assign(0xC1, 0x41);
  pair.LinkExportActive();
  EXPECT_EQ(pair.exportTab.Select(0x41), 1);
  EXPECT_EQ(pair.exportTab.CurrentPosition, 0x41);
  EXPECT_EQ(pair.importTab.CurrentPosition, 0xC1);
  EXPECT_EQ(pair.importTab.CurrentOrdinal, 1);

  EXPECT_EQ(pair.exportTab.Select(0x50), 1);
  EXPECT_EQ(pair.exportTab.CurrentPosition, 0x50);
  EXPECT_EQ(pair.importTab.CurrentPosition, -1);
  EXPECT_EQ(pair.importTab.CurrentOrdinal, -1);

  pair.importTab.Select(0xC1);
  EXPECT_EQ(pair.exportTab.Select(0x10), -1);
  EXPECT_EQ(pair.exportTab.CurrentPosition, 0x10);
  EXPECT_EQ(pair.exportTab.CurrentOrdinal, -1);
  EXPECT_EQ(pair.importTab.CurrentPosition, 0xC1);

  EXPECT_EQ(pair.exportTab.Select(-1), -1);
  EXPECT_EQ(pair.exportTab.CurrentPosition, -1);
  EXPECT_EQ(pair.exportTab.Select(0x141), 1);
  EXPECT_EQ(pair.exportTab.CurrentPosition, 0x41);

  pair.importTab.Select(0x05);
  pair.exportTab.SetActive(0);
  pair.exportTab.Select(0x41);
  EXPECT_EQ(pair.importTab.CurrentPosition, 0x05);
}

TEST(CodeTabActive, SetActiveKeepsALinkedPairOpposite) {
  Pair pair;
  pair.exportTab.ActiveColor = 0x123456;
  pair.exportTab.Link(&pair.importTab);
  pair.importTab.SetActive(1);
  EXPECT_EQ(pair.exportTab.Active, 0);

  pair.exportTab.ActiveColor = 0x00FF00;
  pair.exportTab.SetActive(1);
  EXPECT_EQ(pair.exportTab.Active, 1);
  EXPECT_EQ(pair.importTab.Active, 0);
  EXPECT_EQ(pair.importTab.ActiveColor, 0x00FF00);

  // Already opposite: the partner keeps its colour.
  pair.exportTab.ActiveColor = 0x0000FF;
  pair.exportTab.SetActive(1);
  EXPECT_EQ(pair.importTab.ActiveColor, 0x00FF00);

  pair.exportTab.SetActive(0);
  EXPECT_EQ(pair.exportTab.Active, 0);
  EXPECT_EQ(pair.importTab.Active, 1);
  EXPECT_EQ(pair.importTab.ActiveColor, 0x0000FF);
}

TEST(CodeTabActive, WithoutPartnerOnlyOwnFlag) {
  CodeTable tab(Export);
  tab.SetActive(5);
  EXPECT_EQ(tab.Active, 1);
  tab.SetActive(INT_MIN);
  EXPECT_EQ(tab.Active, 1);
  tab.SetActive(0);
  EXPECT_EQ(tab.Active, 0);
}

TEST(CodeTabLink, LinkCopiesColoursAndUnlinkKeepsThem) {
  Pair pair;
  pair.exportTab.ActiveColor = 1;
  pair.exportTab.ProofColor = 2;
  pair.exportTab.AmbiguousColor = 3;
  pair.exportTab.NoDataColor = 4;
  pair.exportTab.Assign(0x41, 0xC1);
  pair.exportTab.Link(&pair.importTab);
  EXPECT_EQ(pair.exportTab.Partner, &pair.importTab);
  EXPECT_EQ(pair.importTab.Partner, &pair.exportTab);
  EXPECT_EQ(pair.importTab.ActiveColor, 1);
  EXPECT_EQ(pair.importTab.ProofColor, 2);
  EXPECT_EQ(pair.importTab.AmbiguousColor, 3);
  EXPECT_EQ(pair.importTab.NoDataColor, -1);
  EXPECT_EQ(pair.importTab.CountAssigned(), 0);
  EXPECT_EQ(pair.exportTab.Active, 0);
  EXPECT_EQ(pair.importTab.Active, 0);

  pair.exportTab.Link(nullptr);
  EXPECT_EQ(pair.exportTab.Partner, nullptr);
  EXPECT_EQ(pair.importTab.Partner, nullptr);
  EXPECT_EQ(pair.importTab.ActiveColor, 1);
  EXPECT_EQ(pair.exportTab.LinkBusy, 0);
  EXPECT_EQ(pair.importTab.LinkBusy, 0);
}

TEST(CodeTabLink, RelinkDetachesTheOldPartnerOnly) {
  CodeTable a(Export), b(Import), c(Import);
  a.Link(&b);
  a.Link(&c);
  EXPECT_EQ(b.Partner, nullptr);
  EXPECT_EQ(a.Partner, &c);
  EXPECT_EQ(c.Partner, &a);

  CodeTable d(Export);
  d.Link(&c);
  EXPECT_EQ(c.Partner, &d);
  EXPECT_EQ(a.Partner, &c);
}

TEST(CodeTabLink, NeverItsOwnPartner) {
  CodeTable tab(Export);
  CodeTable other(Import);
  tab.Link(&other);
  tab.Link(&tab);
  EXPECT_EQ(tab.Partner, nullptr);
  EXPECT_EQ(other.Partner, nullptr);
  tab.SetActive(1);
  EXPECT_EQ(tab.Active, 1);
  tab.Assign(0x41, 0xC1);
  EXPECT_EQ(tab.Entries[0xC1].Target, -1);
}

TEST(CodeTabProven, RoundTripThroughThePartner) {
  Pair pair;
  pair.exportTab.Assign(0x41, 0xC1);
  EXPECT_EQ(pair.exportTab.IsProven(0x41), 0);
  EXPECT_EQ(pair.exportTab.IsProven(Whole), 0);
  pair.importTab.Assign(0xC1, 0x41);
  pair.exportTab.Assign(0xFF, 0x10);
  pair.importTab.Assign(0x10, 0xFF);
  pair.exportTab.Link(&pair.importTab);
  EXPECT_EQ(pair.exportTab.IsProven(0x41), 1);
  EXPECT_EQ(pair.exportTab.IsProven(0x141), 1);
  EXPECT_EQ(pair.exportTab.IsProven(0x42), 0);
  EXPECT_EQ(pair.exportTab.IsProven(-1), 0);
  EXPECT_EQ(pair.exportTab.IsProven(Whole), 1);
  EXPECT_EQ(pair.importTab.IsProven(Whole), 1);

  pair.importTab.Assign(0x10, 0xFE);
  EXPECT_EQ(pair.exportTab.IsProven(0xFF), 0);
  EXPECT_EQ(pair.exportTab.IsProven(Whole), 0);
  // The partner's -1 must not pass for position FF.
  pair.importTab.Unassign(0x10);
  EXPECT_EQ(pair.importTab.Entries[0x10].Target, -1);
  EXPECT_EQ(pair.exportTab.IsProven(0xFF), 0);
  pair.importTab.Assign(0x10, 0xFF);

  // An ambiguous partner fails the whole table even where entries agree.
  pair.importTab.Assign(0x10, 0xFF);
  pair.importTab.Assign(0x20, 0xFF);
  EXPECT_EQ(pair.exportTab.IsProven(0x41), 1);
  EXPECT_EQ(pair.exportTab.IsProven(Whole), 0);
}

TEST(CodeTabHeader, FontPartAndName) {
  CodeTable tab(Export);
  tab.SetFont(nullptr, "Courier New");
  EXPECT_EQ(tab.BuildHeader(Export, "DIN"), 37);
  EXPECT_STREQ(tab.Header, "QAVO CodeTab EXPORT [Courier New] DIN");
  EXPECT_STREQ(tab.HeaderName(), "DIN");

  tab.SetFont(nullptr, "ABCDEFGHIJKLMNOPQRSTUVWXY");
  EXPECT_STREQ(tab.FontName, "ABCDEFGHIJKLMNOPQRSTUVWXY");
  EXPECT_STREQ(tab.Header, "QAVO CodeTab EXPORT [ABCDEFGHIJKLMNOPQRST] DIN");

  const std::string longName(100, 'n');
  EXPECT_EQ(tab.BuildHeader(-1, longName.c_str()), 64);
  EXPECT_EQ(std::string(tab.Header), "QAVO CodeTab EXPORT [ABCDEFGHIJKLMNOPQRST] " + std::string(21, 'n'));
  EXPECT_EQ(tab.Header[64], '\0');

  tab.BuildHeader(-1, "");
  EXPECT_STREQ(tab.Header, "QAVO CodeTab EXPORT [ABCDEFGHIJKLMNOPQRST] ");
  tab.BuildHeader(-1, nullptr);
  EXPECT_STREQ(tab.HeaderName(), "");
}

TEST(CodeTabHeader, SetFontKeepsKindAndName) {
  CodeTable tab(Import);
  tab.SetFont(nullptr, "Fixedsys");
  tab.BuildHeader(Import, "CP37_ISO8859-1");
  tab.SetFont(nullptr, "Terminal");
  EXPECT_STREQ(tab.Header, "QAVO CodeTab IMPORT [Terminal] CP37_ISO8859-1");
  tab.SetFont(nullptr, nullptr);
  EXPECT_STREQ(tab.FontName, "");
  EXPECT_STREQ(tab.Header, "QAVO CodeTab IMPORT CP37_ISO8859-1");
  // The name survives a header without brackets.
  tab.SetFont(nullptr, "Terminal");
  EXPECT_STREQ(tab.Header, "QAVO CodeTab IMPORT [Terminal] CP37_ISO8859-1");

  const std::string longFont(100, 'f');
  tab.SetFont(nullptr, longFont.c_str());
  EXPECT_EQ(std::string(tab.FontName), std::string(67, 'f'));
  // The header shows the font name's first 20 characters only.
  EXPECT_EQ(std::string(tab.Header), "QAVO CodeTab IMPORT [" + std::string(20, 'f') + "] CP37_ISO8859-1");
  tab.SetFont(nullptr, tab.FontName);
  EXPECT_EQ(std::string(tab.FontName), std::string(67, 'f'));
}

// A long name is cut to fit beside a long font name, and comes back whole
// beside a shorter one.
TEST(CodeTabHeader, AFontChangeCutsTheNameOnlyWhileItIsShown) {
  CodeTable tab(Export);
  const std::string name(40, 'n');
  tab.SetFont(nullptr, "Fixedsys");
  tab.BuildHeader(-1, name.c_str());
  EXPECT_EQ(std::string(tab.Header), "QAVO CodeTab EXPORT [Fixedsys] " + std::string(33, 'n'));
  tab.SetFont(nullptr, "DejaVu Sans Mono");
  EXPECT_EQ(std::string(tab.Header), "QAVO CodeTab EXPORT [DejaVu Sans Mono] " + std::string(25, 'n'));
  tab.SetFont(nullptr, nullptr);
  EXPECT_EQ(std::string(tab.Header), "QAVO CodeTab EXPORT " + name);
  EXPECT_EQ(std::string(tab.Name), name);
}

TEST(CodeTabHeader, SetKindKeepsTheName) {
  CodeTable tab(Export);
  tab.SetFont(nullptr, "Courier New");
  tab.BuildHeader(-1, "ISO8859-1_CP273");
  tab.SetKind(Import);
  EXPECT_EQ(tab.Kind, Import);
  EXPECT_STREQ(tab.Header, "QAVO CodeTab IMPORT [Courier New] ISO8859-1_CP273");
  tab.SetKind(-1);
  EXPECT_EQ(tab.Kind, Import);
  tab.SetKind(9);
  EXPECT_STREQ(tab.Header, "QAVO CodeTab USER   [Courier New] ISO8859-1_CP273");

  CodeTable bare(Export);
  bare.BuildHeader(-1, "DIN");
  EXPECT_STREQ(bare.Header, "QAVO CodeTab EXPORT DIN");
  EXPECT_STREQ(bare.HeaderName(), "");
  bare.SetKind(Import);
  EXPECT_STREQ(bare.Header, "QAVO CodeTab IMPORT DIN");
}

TEST(CodeTabHeader, HeaderNameSkipsOneSpaceOnly) {
  CodeTable tab(Export);
  std::strcpy(tab.Header, "QAVO CodeTab EXPORT [x]name");
  EXPECT_STREQ(tab.HeaderName(), "name");
  std::strcpy(tab.Header, "QAVO CodeTab EXPORT [x]  name");
  EXPECT_STREQ(tab.HeaderName(), " name");
  std::strcpy(tab.Header, "QAVO CodeTab EXPORT [x]");
  EXPECT_STREQ(tab.HeaderName(), "");
}

TEST(CodeTabReset, ForgettingTheKind) {
  Pair pair;
  int font = 0;
  DisplayFont* fontRef = reinterpret_cast<DisplayFont*>(&font);
  pair.exportTab.SetFont(fontRef, "Courier New");
  pair.exportTab.ProofColor = 9;
  pair.LinkExportActive();
  pair.exportTab.Assign(0x41, 0xC1);
  pair.exportTab.BuildHeader(-1, "DIN");
  pair.exportTab.HexOf(0x41);

  pair.exportTab.Reset(false);
  EXPECT_EQ(pair.exportTab.CountAssigned(), 0);
  EXPECT_EQ(Cell(pair.exportTab, 0x41), " A:41");
  EXPECT_STREQ(pair.exportTab.HexText, "");
  EXPECT_STREQ(pair.exportTab.Header, "QAVO CodeTab EXPORT [Courier New] DIN");
  EXPECT_EQ(pair.exportTab.Font, fontRef);
  EXPECT_EQ(pair.exportTab.CurrentPosition, 0x41);
  EXPECT_EQ(pair.exportTab.Partner, &pair.importTab);
  EXPECT_EQ(pair.exportTab.Active, 1);
  EXPECT_EQ(pair.exportTab.ProofColor, 9);
  EXPECT_EQ(pair.importTab.Entries[0xC1].Target, 0x41);

  pair.exportTab.Reset(true);
  EXPECT_EQ(pair.exportTab.Kind, Unknown);
  EXPECT_EQ(pair.exportTab.Font, nullptr);
  EXPECT_STREQ(pair.exportTab.FontName, "Courier New");
  EXPECT_STREQ(pair.exportTab.Header, "QAVO CodeTab USER   [Courier New] ");
  EXPECT_EQ(Cell(pair.exportTab, 0x41), " A=41");
}

// Every operation with every kind of out-of-range argument, on an active
// linked pair so that mirroring runs too.
TEST(CodeTabBadInput, NoOperationLeavesItsArrays) {
  const int values[] = {-1, -2, 0, 255, 256, 0x1C1, INT_MIN, INT_MAX, INT_MIN + 1, -256};
  const std::string longName(200, 'N');
  const std::string longFont(200, 'F');
  const char* texts[] = {nullptr, "", "C", "ZZ", "7F", longName.c_str()};
  Pair pair;
  pair.LinkExportActive();
  for (int a : values) {
    for (int b : values) {
      pair.exportTab.Assign(a, b);
      pair.importTab.Assign(b, a);
    }
    pair.exportTab.Select(a);
    pair.importTab.Select(a);
    pair.exportTab.IsAmbiguous(a);
    pair.exportTab.IsProven(a);
    pair.importTab.IsProven(a);
    pair.exportTab.FindTarget(a);
    pair.exportTab.OrdinalOf(a);
    pair.exportTab.NthAssigned(a);
    EXPECT_LE(std::strlen(pair.exportTab.HexOf(a)), 2u);
    pair.exportTab.BuildHeader(a, longName.c_str());
    pair.exportTab.SetKind(a);
    pair.exportTab.SetActive(a);
    pair.importTab.SetActive(a);
    pair.exportTab.Unassign(a);
    pair.importTab.Unassign(a);
    ExpectConsistent(pair.exportTab);
    ExpectConsistent(pair.importTab);
  }
  for (const char* text : texts) {
    pair.exportTab.SetFont(nullptr, text);
    pair.exportTab.BuildHeader(Export, text);
    pair.exportTab.UnassignHex(text);
    CodeTable::ParseHex2(text);
    EXPECT_LE(std::strlen(pair.exportTab.HeaderName()), 64u);
  }
  pair.exportTab.SetFont(nullptr, longFont.c_str());
  pair.exportTab.BuildHeader(Export, longName.c_str());
  EXPECT_EQ(std::strlen(pair.exportTab.Header), 64u);
  pair.exportTab.BuildHeader(-1, pair.exportTab.Header);
  pair.exportTab.SetFont(nullptr, pair.exportTab.Header);
  ExpectConsistent(pair.exportTab);
  ExpectConsistent(pair.importTab);
}

}  // namespace
