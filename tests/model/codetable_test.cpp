#include "model/codetable.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>

#include "model/hexdigits.h"
#include "support/tablechecks.h"

namespace {

constexpr int Whole = CodeTable::kWholeTable;

std::string Cell(const CodeTable& tab, int p) { return std::string(tab.Cell(p), 5); }

// Cell of an untouched position: a space and the character, or 00 for code 0.
std::string OwnCell(int p, char separator) {
  const char* hex = "0123456789ABCDEF";
  std::string cell = p == 0 ? std::string("00") : std::string(" ") + static_cast<char>(p);
  return cell + separator + hex[p >> 4] + hex[p & 0xF];
}

// Everything every operation must keep, whatever it was called with.
void ExpectConsistent(const CodeTable& tab) { EXPECT_EQ(TableFault(tab), ""); }

struct Pair {
  CodeTable exportTab{TableKind::kExport};
  CodeTable importTab{TableKind::kImport};
  // Chains the pair with the EXPORT table as the one the user works in.
  void LinkExportActive() {
    exportTab.Link(&importTab);
    exportTab.SetActive(true);
  }
};

TEST(CodeTabNew, ExportTable) {
  CodeTable tab(TableKind::kExport);
  EXPECT_EQ(tab.Kind(), TableKind::kExport);
  EXPECT_EQ(tab.CountAssigned(), 0);
  int position = 7;
  EXPECT_EQ(tab.FirstAssigned(position), -1);
  EXPECT_EQ(position, -1);
  for (int p = 0; p < 256; ++p) {
    EXPECT_EQ(Cell(tab, p), OwnCell(p, ':')) << p;
    EXPECT_EQ(tab.Target(p), -1);
    EXPECT_EQ(tab.Count(p), -1);
  }
  EXPECT_EQ(Cell(tab, 0x41), " A:41");
  EXPECT_EQ(Cell(tab, 0), "00:00");
  EXPECT_STREQ(tab.Header(), "QAVO CodeTab EXPORT ");
  EXPECT_STREQ(tab.FontName(), "");
  EXPECT_EQ(tab.Partner(), nullptr);
  EXPECT_EQ(tab.CurrentOrdinal(), -1);
  EXPECT_EQ(tab.CurrentPosition(), -1);
  EXPECT_EQ(tab.IsActive(), 0);
  ExpectConsistent(tab);
}

TEST(CodeTabNew, ImportAndOtherKinds) {
  CodeTable importTab(TableKind::kImport);
  EXPECT_EQ(Cell(importTab, 0x41), " A=41");
  EXPECT_EQ(Cell(importTab, 0), "00=00");
  EXPECT_STREQ(importTab.Header(), "QAVO CodeTab IMPORT ");

  CodeTable user(TableKind::kUnknown);
  EXPECT_EQ(user.Kind(), TableKind::kUnknown);
  EXPECT_EQ(Cell(user, 0x41), " A=41");
  EXPECT_STREQ(user.Header(), "QAVO CodeTab USER   ");

  CodeTable odd(static_cast<TableKind>(7));
  EXPECT_EQ(odd.Kind(), static_cast<TableKind>(7));
  EXPECT_EQ(Cell(odd, 0xFF), std::string(" \xFF=FF"));
  EXPECT_STREQ(odd.Header(), "QAVO CodeTab USER   ");
}

TEST(CodeTabAssign, ExportShowsSourceCharacterAndTargetCode) {
  CodeTable tab(TableKind::kExport);
  tab.SetFontName("Courier New");
  tab.BuildHeader(TableKind::kExport, "DIN");
  EXPECT_EQ(tab.Assign(0x41, 0xC1), 0);
  EXPECT_EQ(tab.Target(0x41), 0xC1);
  EXPECT_EQ(tab.Count(0xC1), 0);
  EXPECT_EQ(Cell(tab, 0x41), " A:C1");
  EXPECT_EQ(Cell(tab, 0xC1), OwnCell(0xC1, ':'));
  EXPECT_EQ(tab.CurrentPosition(), 0x41);
  EXPECT_EQ(tab.CurrentOrdinal(), 0);
  EXPECT_STREQ(tab.Header(), "QAVO CodeTab EXPORT [Courier New] ");
  EXPECT_STREQ(tab.HeaderName(), "");
  tab.Assign(0x42, 0);
  EXPECT_EQ(Cell(tab, 0x42), " B:00");
  ExpectConsistent(tab);
}

TEST(CodeTabAssign, ImportShowsTargetCharacterAndCode) {
  CodeTable tab(TableKind::kImport);
  tab.Assign(0xC1, 0x41);
  EXPECT_EQ(Cell(tab, 0xC1), " A=41");
  tab.Assign(0x25, 0);
  EXPECT_EQ(Cell(tab, 0x25), "00=00");
  tab.Assign(0, 0x20);
  EXPECT_EQ(Cell(tab, 0), "  =20");
  ExpectConsistent(tab);
}

TEST(CodeTabAssign, SeparatorStaysAsResetWroteIt) {
  CodeTable tab(TableKind::kExport);
  tab.SetKind(TableKind::kImport);
  tab.Assign(0xC1, 0x41);
  EXPECT_EQ(Cell(tab, 0xC1), " A:41");
  tab.Unassign(0xC1);
  EXPECT_EQ(Cell(tab, 0xC1), OwnCell(0xC1, ':'));
  tab.Reset(false);
  EXPECT_EQ(Cell(tab, 0xC1), OwnCell(0xC1, '='));
}

TEST(CodeTabAssign, CountsFollowReassignment) {
  CodeTable tab(TableKind::kExport);
  tab.Assign(0x41, 0xC1);
  tab.Assign(0x42, 0xC1);
  EXPECT_EQ(tab.Count(0xC1), 1);
  EXPECT_EQ(tab.IsAmbiguous(0x41), 1);
  EXPECT_EQ(tab.IsAmbiguous(0x42), 1);
  EXPECT_EQ(tab.IsAmbiguous(0x43), 0);
  EXPECT_EQ(tab.IsAmbiguous(Whole), 1);
  EXPECT_EQ(tab.IsAmbiguous(-1), 0);

  tab.Assign(0x42, 0xC2);
  EXPECT_EQ(tab.Count(0xC1), 0);
  EXPECT_EQ(tab.Count(0xC2), 0);
  EXPECT_EQ(tab.IsAmbiguous(Whole), 0);
  tab.Assign(0x42, 0xC2);
  EXPECT_EQ(tab.Count(0xC2), 0);
  EXPECT_EQ(tab.Count(0xC1), 0);
  ExpectConsistent(tab);
}

TEST(CodeTabAssign, ArgumentsAreCutToEightBits) {
  CodeTable tab(TableKind::kExport);
  EXPECT_EQ(tab.Assign(0x10, -1), 0);
  EXPECT_EQ(tab.Target(0x10), 0xFF);
  tab.Assign(0x141, 0x1C1);
  EXPECT_EQ(tab.Target(0x41), 0xC1);
  EXPECT_EQ(tab.CurrentPosition(), 0x41);
  EXPECT_EQ(tab.CurrentOrdinal(), 1);
  EXPECT_EQ(tab.Assign(-1, 0x42), -1);
  EXPECT_EQ(tab.CountAssigned(), 2);
  EXPECT_EQ(tab.Count(0x42), -1);
  EXPECT_EQ(tab.CurrentPosition(), 0x41);
  ExpectConsistent(tab);
}

TEST(CodeTabUnassign, ReturnsCellToItsOwnPosition) {
  CodeTable tab(TableKind::kImport);
  tab.BuildHeader(TableKind::kImport, "kept");
  tab.Assign(0x10, 0x20);
  tab.Assign(0x41, 0xC1);
  tab.Select(0x10);
  tab.BuildHeader(TableKind::kImport, "kept");
  EXPECT_EQ(tab.Unassign(0x41), 0);
  EXPECT_EQ(Cell(tab, 0x41), " A=41");
  EXPECT_EQ(tab.Target(0x41), -1);
  EXPECT_EQ(tab.Count(0xC1), -1);
  EXPECT_EQ(tab.CurrentPosition(), 0x10);
  EXPECT_EQ(tab.CurrentOrdinal(), 0);
  EXPECT_STREQ(tab.Header(), "QAVO CodeTab IMPORT kept");
  EXPECT_EQ(tab.Unassign(0x05), -1);
  EXPECT_EQ(tab.Unassign(-1), -1);
  EXPECT_EQ(tab.Count(0x20), 0);
  ExpectConsistent(tab);
}

TEST(CodeTabLoad, LoadEntriesFromItsOwnEntries) {
  CodeTable tab(TableKind::kExport);
  tab.Assign(0x41, 0xC1);
  tab.Assign(0x42, 0xC2);
  tab.LoadEntries(tab.Entries());
  EXPECT_EQ(tab.CountAssigned(), 2);
  EXPECT_EQ(tab.Target(0x41), 0xC1);
  EXPECT_EQ(tab.Target(0x42), 0xC2);
  ExpectConsistent(tab);
}

TEST(CodeTabInverse, HighestSourceWins) {
  CodeTable source(TableKind::kExport), dest(TableKind::kImport);
  dest.Assign(0x99, 0x99);
  source.Assign(3, 0x40);
  source.Assign(7, 0x40);
  source.Assign(0x41, 0xC1);
  dest.BuildInverse(source);
  EXPECT_EQ(dest.CountAssigned(), 2);
  EXPECT_EQ(dest.Target(0x40), 7);
  EXPECT_EQ(dest.Target(0xC1), 0x41);
  EXPECT_EQ(dest.Target(0x99), -1);
  EXPECT_EQ(Cell(dest, 0xC1), " A=41");
  EXPECT_EQ(dest.CurrentPosition(), 0x40);
  EXPECT_EQ(dest.CurrentOrdinal(), 0);
  ExpectConsistent(dest);
}

TEST(CodeTabInverse, OfItself) {
  CodeTable tab(TableKind::kExport);
  tab.Assign(1, 5);
  tab.BuildInverse(tab);
  EXPECT_EQ(tab.CountAssigned(), 1);
  EXPECT_EQ(tab.Target(5), 1);
  ExpectConsistent(tab);
}

TEST(CodeTabInverse, ActiveLinkedDestinationMirrorsIntoItsPartner) {
  Pair pair;
  CodeTable source(TableKind::kImport);
  source.Assign(0xC1, 0x41);
  pair.LinkExportActive();
  pair.exportTab.BuildInverse(source);
  EXPECT_EQ(pair.exportTab.Target(0x41), 0xC1);
  EXPECT_EQ(pair.importTab.Target(0xC1), 0x41);
}

TEST(CodeTabMirror, AssignAndUnassignInTheActiveTable) {
  Pair pair;
  pair.LinkExportActive();
  pair.exportTab.Assign(0x41, 0xC1);
  EXPECT_EQ(pair.importTab.Target(0xC1), 0x41);
  EXPECT_EQ(Cell(pair.importTab, 0xC1), " A=41");
  EXPECT_EQ(pair.importTab.CurrentPosition(), 0xC1);

  // A second source of C1 is ambiguous: not mirrored.
  pair.exportTab.Assign(0x61, 0xC1);
  EXPECT_EQ(pair.importTab.Target(0xC1), 0x41);
  EXPECT_EQ(pair.importTab.Count(0x61), -1);

  // IMPORT C1 belongs to 0x41, not to 0x61: it stays.
  pair.exportTab.Unassign(0x61);
  EXPECT_EQ(pair.importTab.Target(0xC1), 0x41);
  EXPECT_EQ(pair.exportTab.Target(0x41), 0xC1);

  pair.exportTab.Unassign(0x41);
  EXPECT_EQ(pair.importTab.Target(0xC1), -1);
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
    active.SetActive(true);

    active.Unassign('A');
    EXPECT_EQ(partner.Target(0xC2), 'B') << exportActive;
    EXPECT_EQ(partner.Target(0xC3), 'A') << exportActive;
    EXPECT_EQ(active.IsProven('B'), 1) << exportActive;
    EXPECT_EQ(Cell(partner, 0xC2).substr(3), "42");

    active.UnassignHex("42");
    EXPECT_EQ(partner.Target(0xC2), -1) << exportActive;
    EXPECT_EQ(partner.CountAssigned(), 1) << exportActive;
    ExpectConsistent(active);
    ExpectConsistent(partner);
  }
}

TEST(CodeTabMirror, ImportActiveMirrorsIntoExport) {
  Pair pair;
  pair.LinkExportActive();
  pair.importTab.SetActive(true);
  pair.importTab.Assign(0xC1, 0x41);
  EXPECT_EQ(pair.exportTab.Target(0x41), 0xC1);
  pair.exportTab.Assign(0x42, 0xC2);
  EXPECT_EQ(pair.importTab.Target(0xC2), -1);
}

TEST(CodeTabMirror, NothingWithoutActiveLinkedTable) {
  Pair pair;
  pair.exportTab.Link(&pair.importTab);
  pair.exportTab.Assign(0x41, 0xC1);
  EXPECT_EQ(pair.importTab.CountAssigned(), 0);

  CodeTable alone(TableKind::kExport);
  alone.SetActive(true);
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
  EXPECT_EQ(pair.importTab.Target(0xC1), 0x41);
  EXPECT_EQ(pair.importTab.Target(0xC2), 0x42);
  EXPECT_EQ(pair.importTab.Target(0x50), -1);
  EXPECT_EQ(pair.importTab.CurrentPosition(), 0xC1);
  EXPECT_EQ(pair.exportTab.IsProven(Whole), 1);
  EXPECT_EQ(pair.exportTab.CurrentPosition(), 0x41);
  ExpectConsistent(pair.importTab);
}

TEST(CodeTabMirror, NoRebuildWhenActiveTableIsAmbiguousOrProven) {
  Pair ambiguous;
  ambiguous.exportTab.Assign(0x42, 0xC5);
  ambiguous.exportTab.Assign(0x43, 0xC5);
  ambiguous.importTab.Assign(0x50, 0x44);
  ambiguous.LinkExportActive();
  ambiguous.exportTab.Assign(0x41, 0xC1);
  EXPECT_EQ(ambiguous.importTab.Target(0xC1), 0x41);
  EXPECT_EQ(ambiguous.importTab.Target(0x50), 0x44);

  // Partner entries that no position maps to are not examined.
  Pair proven;
  proven.importTab.Assign(0x50, 0x44);
  proven.LinkExportActive();
  proven.exportTab.Assign(0x41, 0xC1);
  EXPECT_EQ(proven.importTab.Target(0x50), 0x44);
  EXPECT_EQ(proven.importTab.CountAssigned(), 2);
}

// Two active tables would mirror each edit back and forth without end.
TEST(CodeTabMirror, NoBounceBetweenTwoActiveTables) {
  Pair pair;
  pair.exportTab.SetActive(true);
  pair.importTab.SetActive(true);
  pair.exportTab.Link(&pair.importTab);
  pair.exportTab.Assign(0x41, 0xC1);
  pair.exportTab.Select(0x41);
  pair.exportTab.Unassign(0x41);
  EXPECT_EQ(pair.importTab.CountAssigned(), 0);
  EXPECT_EQ(pair.importTab.CurrentPosition(), -1);
}

TEST(CodeTabSelect, FollowsIntoThePartner) {
  Pair pair;
  pair.exportTab.Assign(0x30, 0xF0);
  pair.exportTab.Assign(0x41, 0xC1);
  pair.importTab.Assign(0x05, 0x09);
  pair.importTab.Assign(0xC1, 0x41);
  pair.LinkExportActive();
  EXPECT_EQ(pair.exportTab.Select(0x41), 1);
  EXPECT_EQ(pair.exportTab.CurrentPosition(), 0x41);
  EXPECT_EQ(pair.importTab.CurrentPosition(), 0xC1);
  EXPECT_EQ(pair.importTab.CurrentOrdinal(), 1);

  EXPECT_EQ(pair.exportTab.Select(0x50), 1);
  EXPECT_EQ(pair.exportTab.CurrentPosition(), 0x50);
  EXPECT_EQ(pair.importTab.CurrentPosition(), -1);
  EXPECT_EQ(pair.importTab.CurrentOrdinal(), -1);

  pair.importTab.Select(0xC1);
  EXPECT_EQ(pair.exportTab.Select(0x10), -1);
  EXPECT_EQ(pair.exportTab.CurrentPosition(), 0x10);
  EXPECT_EQ(pair.exportTab.CurrentOrdinal(), -1);
  EXPECT_EQ(pair.importTab.CurrentPosition(), 0xC1);

  EXPECT_EQ(pair.exportTab.Select(-1), -1);
  EXPECT_EQ(pair.exportTab.CurrentPosition(), -1);
  EXPECT_EQ(pair.exportTab.Select(0x141), 1);
  EXPECT_EQ(pair.exportTab.CurrentPosition(), 0x41);

  pair.importTab.Select(0x05);
  pair.exportTab.SetActive(false);
  pair.exportTab.Select(0x41);
  EXPECT_EQ(pair.importTab.CurrentPosition(), 0x05);
}

TEST(CodeTabActive, SetActiveKeepsALinkedPairOpposite) {
  Pair pair;
  pair.exportTab.Link(&pair.importTab);
  pair.importTab.SetActive(true);
  EXPECT_FALSE(pair.exportTab.IsActive());

  pair.exportTab.SetActive(true);
  EXPECT_TRUE(pair.exportTab.IsActive());
  EXPECT_FALSE(pair.importTab.IsActive());

  pair.exportTab.SetActive(false);
  EXPECT_FALSE(pair.exportTab.IsActive());
  EXPECT_TRUE(pair.importTab.IsActive());
}

TEST(CodeTabActive, WithoutPartnerOnlyOwnFlag) {
  CodeTable tab(TableKind::kExport);
  tab.SetActive(true);
  EXPECT_TRUE(tab.IsActive());
  tab.SetActive(false);
  EXPECT_FALSE(tab.IsActive());
}

TEST(CodeTabLink, LinkAndUnlink) {
  Pair pair;
  pair.exportTab.Assign(0x41, 0xC1);
  pair.exportTab.Link(&pair.importTab);
  EXPECT_EQ(pair.exportTab.Partner(), &pair.importTab);
  EXPECT_EQ(pair.importTab.Partner(), &pair.exportTab);
  EXPECT_EQ(pair.importTab.CountAssigned(), 0);
  EXPECT_EQ(pair.exportTab.IsActive(), 0);
  EXPECT_EQ(pair.importTab.IsActive(), 0);

  pair.exportTab.Link(nullptr);
  EXPECT_EQ(pair.exportTab.Partner(), nullptr);
  EXPECT_EQ(pair.importTab.Partner(), nullptr);
}

TEST(CodeTabLink, RelinkDetachesTheOldPartnerOnly) {
  CodeTable a(TableKind::kExport), b(TableKind::kImport), c(TableKind::kImport);
  a.Link(&b);
  a.Link(&c);
  EXPECT_EQ(b.Partner(), nullptr);
  EXPECT_EQ(a.Partner(), &c);
  EXPECT_EQ(c.Partner(), &a);

  CodeTable d(TableKind::kExport);
  d.Link(&c);
  EXPECT_EQ(c.Partner(), &d);
  EXPECT_EQ(a.Partner(), &c);
}

TEST(CodeTabLink, NeverItsOwnPartner) {
  CodeTable tab(TableKind::kExport);
  CodeTable other(TableKind::kImport);
  tab.Link(&other);
  tab.Link(&tab);
  EXPECT_EQ(tab.Partner(), nullptr);
  EXPECT_EQ(other.Partner(), nullptr);
  tab.SetActive(true);
  EXPECT_EQ(tab.IsActive(), 1);
  tab.Assign(0x41, 0xC1);
  EXPECT_EQ(tab.Target(0xC1), -1);
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
  EXPECT_EQ(pair.importTab.Target(0x10), -1);
  EXPECT_EQ(pair.exportTab.IsProven(0xFF), 0);
  pair.importTab.Assign(0x10, 0xFF);

  // An ambiguous partner fails the whole table even where entries agree.
  pair.importTab.Assign(0x10, 0xFF);
  pair.importTab.Assign(0x20, 0xFF);
  EXPECT_EQ(pair.exportTab.IsProven(0x41), 1);
  EXPECT_EQ(pair.exportTab.IsProven(Whole), 0);
}

TEST(CodeTabHeader, FontPartAndName) {
  CodeTable tab(TableKind::kExport);
  tab.SetFontName("Courier New");
  EXPECT_EQ(tab.BuildHeader(TableKind::kExport, "DIN"), 37);
  EXPECT_STREQ(tab.Header(), "QAVO CodeTab EXPORT [Courier New] DIN");
  EXPECT_STREQ(tab.HeaderName(), "DIN");

  tab.SetFontName("ABCDEFGHIJKLMNOPQRSTUVWXY");
  EXPECT_STREQ(tab.FontName(), "ABCDEFGHIJKLMNOPQRSTUVWXY");
  EXPECT_STREQ(tab.Header(), "QAVO CodeTab EXPORT [ABCDEFGHIJKLMNOPQRST] DIN");

  const std::string longName(100, 'n');
  EXPECT_EQ(tab.BuildHeader(TableKind::kUnknown, longName.c_str()), 64);
  EXPECT_EQ(std::string(tab.Header()), "QAVO CodeTab EXPORT [ABCDEFGHIJKLMNOPQRST] " + std::string(21, 'n'));
  EXPECT_EQ(tab.Header()[64], '\0');

  tab.BuildHeader(TableKind::kUnknown, "");
  EXPECT_STREQ(tab.Header(), "QAVO CodeTab EXPORT [ABCDEFGHIJKLMNOPQRST] ");
  tab.BuildHeader(TableKind::kUnknown, nullptr);
  EXPECT_STREQ(tab.HeaderName(), "");
}

TEST(CodeTabHeader, SetFontKeepsKindAndName) {
  CodeTable tab(TableKind::kImport);
  tab.SetFontName("Fixedsys");
  tab.BuildHeader(TableKind::kImport, "CP37_ISO8859-1");
  tab.SetFontName("Terminal");
  EXPECT_STREQ(tab.Header(), "QAVO CodeTab IMPORT [Terminal] CP37_ISO8859-1");
  tab.SetFontName(nullptr);
  EXPECT_STREQ(tab.FontName(), "");
  EXPECT_STREQ(tab.Header(), "QAVO CodeTab IMPORT CP37_ISO8859-1");
  // The name survives a header without brackets.
  tab.SetFontName("Terminal");
  EXPECT_STREQ(tab.Header(), "QAVO CodeTab IMPORT [Terminal] CP37_ISO8859-1");

  const std::string longFont(100, 'f');
  tab.SetFontName(longFont.c_str());
  EXPECT_EQ(std::string(tab.FontName()), std::string(67, 'f'));
  // The header shows the font name's first 20 characters only.
  EXPECT_EQ(std::string(tab.Header()), "QAVO CodeTab IMPORT [" + std::string(20, 'f') + "] CP37_ISO8859-1");
  tab.SetFontName(tab.FontName());
  EXPECT_EQ(std::string(tab.FontName()), std::string(67, 'f'));
}

// A long name is cut to fit beside a long font name, and comes back whole
// beside a shorter one.
TEST(CodeTabHeader, AFontChangeCutsTheNameOnlyWhileItIsShown) {
  CodeTable tab(TableKind::kExport);
  const std::string name(40, 'n');
  tab.SetFontName("Fixedsys");
  tab.BuildHeader(TableKind::kUnknown, name.c_str());
  EXPECT_EQ(std::string(tab.Header()), "QAVO CodeTab EXPORT [Fixedsys] " + std::string(33, 'n'));
  tab.SetFontName("DejaVu Sans Mono");
  EXPECT_EQ(std::string(tab.Header()), "QAVO CodeTab EXPORT [DejaVu Sans Mono] " + std::string(25, 'n'));
  tab.SetFontName(nullptr);
  EXPECT_EQ(std::string(tab.Header()), "QAVO CodeTab EXPORT " + name);
  EXPECT_EQ(std::string(tab.Name()), name);
}

TEST(CodeTabHeader, SetKindKeepsTheName) {
  CodeTable tab(TableKind::kExport);
  tab.SetFontName("Courier New");
  tab.BuildHeader(TableKind::kUnknown, "ISO8859-1_CP273");
  tab.SetKind(TableKind::kImport);
  EXPECT_EQ(tab.Kind(), TableKind::kImport);
  EXPECT_STREQ(tab.Header(), "QAVO CodeTab IMPORT [Courier New] ISO8859-1_CP273");
  tab.SetKind(TableKind::kUnknown);
  EXPECT_EQ(tab.Kind(), TableKind::kImport);
  tab.SetKind(static_cast<TableKind>(9));
  EXPECT_STREQ(tab.Header(), "QAVO CodeTab USER   [Courier New] ISO8859-1_CP273");

  CodeTable bare(TableKind::kExport);
  bare.BuildHeader(TableKind::kUnknown, "DIN");
  EXPECT_STREQ(bare.Header(), "QAVO CodeTab EXPORT DIN");
  EXPECT_STREQ(bare.HeaderName(), "");
  bare.SetKind(TableKind::kImport);
  EXPECT_STREQ(bare.Header(), "QAVO CodeTab IMPORT DIN");
}

TEST(CodeTabHeader, HeaderNameSkipsOneSpaceOnly) {
  CodeTable tab(TableKind::kExport);
  tab.SetFontName("x");
  tab.BuildHeader(TableKind::kUnknown, "name");
  EXPECT_STREQ(tab.HeaderName(), "name");
  tab.BuildHeader(TableKind::kUnknown, " name");
  EXPECT_STREQ(tab.HeaderName(), " name");
  tab.BuildHeader(TableKind::kUnknown, "");
  EXPECT_STREQ(tab.HeaderName(), "");
}

TEST(CodeTabReset, ForgettingTheKind) {
  Pair pair;
  pair.exportTab.SetFontName("Courier New");
  pair.LinkExportActive();
  pair.exportTab.Assign(0x41, 0xC1);
  pair.exportTab.BuildHeader(TableKind::kUnknown, "DIN");

  pair.exportTab.Reset(false);
  EXPECT_EQ(pair.exportTab.CountAssigned(), 0);
  EXPECT_EQ(Cell(pair.exportTab, 0x41), " A:41");
  EXPECT_STREQ(pair.exportTab.Header(), "QAVO CodeTab EXPORT [Courier New] DIN");
  EXPECT_EQ(pair.exportTab.CurrentPosition(), 0x41);
  EXPECT_EQ(pair.exportTab.Partner(), &pair.importTab);
  EXPECT_EQ(pair.exportTab.IsActive(), 1);
  EXPECT_EQ(pair.importTab.Target(0xC1), 0x41);

  pair.exportTab.Reset(true);
  EXPECT_EQ(pair.exportTab.Kind(), TableKind::kUnknown);
  EXPECT_STREQ(pair.exportTab.FontName(), "Courier New");
  EXPECT_STREQ(pair.exportTab.Header(), "QAVO CodeTab USER   [Courier New] ");
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
    pair.exportTab.BuildHeader(static_cast<TableKind>(a), longName.c_str());
    pair.exportTab.SetKind(static_cast<TableKind>(a));
    pair.exportTab.SetActive(a != 0);
    pair.importTab.SetActive(a != 0);
    pair.exportTab.Unassign(a);
    pair.importTab.Unassign(a);
    ExpectConsistent(pair.exportTab);
    ExpectConsistent(pair.importTab);
  }
  for (const char* text : texts) {
    pair.exportTab.SetFontName(text);
    pair.exportTab.BuildHeader(TableKind::kExport, text);
    pair.exportTab.UnassignHex(text);
    ParseHexByte(text);
    EXPECT_LE(std::strlen(pair.exportTab.HeaderName()), 64u);
  }
  pair.exportTab.SetFontName(longFont.c_str());
  pair.exportTab.BuildHeader(TableKind::kExport, longName.c_str());
  EXPECT_EQ(std::strlen(pair.exportTab.Header()), 64u);
  pair.exportTab.BuildHeader(TableKind::kUnknown, pair.exportTab.Header());
  pair.exportTab.SetFontName(pair.exportTab.Header());
  ExpectConsistent(pair.exportTab);
  ExpectConsistent(pair.importTab);
}

}  // namespace
