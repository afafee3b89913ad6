#include "model/codetable.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>

#include "model/hexdigits.h"
#include "support/tablechecks.h"

namespace {

constexpr int kWhole = CodeTable::kWholeTable;

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
  CodeTable ExportTab{TableKind::kExport};
  CodeTable ImportTab{TableKind::kImport};
  // Chains the pair with the EXPORT table as the one the user works in.
  void LinkExportActive() {
    ExportTab.Link(&ImportTab);
    ExportTab.SetActive(true);
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
  CodeTable import_tab(TableKind::kImport);
  EXPECT_EQ(Cell(import_tab, 0x41), " A=41");
  EXPECT_EQ(Cell(import_tab, 0), "00=00");
  EXPECT_STREQ(import_tab.Header(), "QAVO CodeTab IMPORT ");

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
  EXPECT_EQ(tab.IsAmbiguous(kWhole), 1);
  EXPECT_EQ(tab.IsAmbiguous(-1), 0);

  tab.Assign(0x42, 0xC2);
  EXPECT_EQ(tab.Count(0xC1), 0);
  EXPECT_EQ(tab.Count(0xC2), 0);
  EXPECT_EQ(tab.IsAmbiguous(kWhole), 0);
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
  pair.ExportTab.BuildInverse(source);
  EXPECT_EQ(pair.ExportTab.Target(0x41), 0xC1);
  EXPECT_EQ(pair.ImportTab.Target(0xC1), 0x41);
}

TEST(CodeTabMirror, AssignAndUnassignInTheActiveTable) {
  Pair pair;
  pair.LinkExportActive();
  pair.ExportTab.Assign(0x41, 0xC1);
  EXPECT_EQ(pair.ImportTab.Target(0xC1), 0x41);
  EXPECT_EQ(Cell(pair.ImportTab, 0xC1), " A=41");
  EXPECT_EQ(pair.ImportTab.CurrentPosition(), 0xC1);

  // A second source of C1 is ambiguous: not mirrored.
  pair.ExportTab.Assign(0x61, 0xC1);
  EXPECT_EQ(pair.ImportTab.Target(0xC1), 0x41);
  EXPECT_EQ(pair.ImportTab.Count(0x61), -1);

  // IMPORT C1 belongs to 0x41, not to 0x61: it stays.
  pair.ExportTab.Unassign(0x61);
  EXPECT_EQ(pair.ImportTab.Target(0xC1), 0x41);
  EXPECT_EQ(pair.ExportTab.Target(0x41), 0xC1);

  pair.ExportTab.Unassign(0x41);
  EXPECT_EQ(pair.ImportTab.Target(0xC1), -1);
  EXPECT_EQ(pair.ImportTab.CountAssigned(), 0);
  ExpectConsistent(pair.ExportTab);
  ExpectConsistent(pair.ImportTab);
}

// A -> C2 and B -> C2 with IMPORT C2 -> B: removing A must not take B's
// inverse, whichever table of the pair is the active one.
TEST(CodeTabMirror, RemovalKeepsThePartnerEntryOfAnotherPosition) {
  for (const bool export_active : {true, false}) {
    Pair pair;
    CodeTable& active = export_active ? pair.ExportTab : pair.ImportTab;
    CodeTable& partner = export_active ? pair.ImportTab : pair.ExportTab;
    active.Assign('A', 0xC2);
    active.Assign('B', 0xC2);
    partner.Assign(0xC2, 'B');
    partner.Assign(0xC3, 'A');
    active.Link(&partner);
    active.SetActive(true);

    active.Unassign('A');
    EXPECT_EQ(partner.Target(0xC2), 'B') << export_active;
    EXPECT_EQ(partner.Target(0xC3), 'A') << export_active;
    EXPECT_EQ(active.IsProven('B'), 1) << export_active;
    EXPECT_EQ(Cell(partner, 0xC2).substr(3), "42");

    active.UnassignHex("42");
    EXPECT_EQ(partner.Target(0xC2), -1) << export_active;
    EXPECT_EQ(partner.CountAssigned(), 1) << export_active;
    ExpectConsistent(active);
    ExpectConsistent(partner);
  }
}

TEST(CodeTabMirror, ImportActiveMirrorsIntoExport) {
  Pair pair;
  pair.LinkExportActive();
  pair.ImportTab.SetActive(true);
  pair.ImportTab.Assign(0xC1, 0x41);
  EXPECT_EQ(pair.ExportTab.Target(0x41), 0xC1);
  pair.ExportTab.Assign(0x42, 0xC2);
  EXPECT_EQ(pair.ImportTab.Target(0xC2), -1);
}

TEST(CodeTabMirror, NothingWithoutActiveLinkedTable) {
  Pair pair;
  pair.ExportTab.Link(&pair.ImportTab);
  pair.ExportTab.Assign(0x41, 0xC1);
  EXPECT_EQ(pair.ImportTab.CountAssigned(), 0);

  CodeTable alone(TableKind::kExport);
  alone.SetActive(true);
  alone.Assign(0x41, 0xC1);
  alone.Unassign(0x41);
  EXPECT_EQ(alone.CountAssigned(), 0);
}

TEST(CodeTabMirror, UnambiguousButBrokenPairIsRebuiltAsInverse) {
  Pair pair;
  pair.ExportTab.Assign(0x42, 0xC2);
  pair.ImportTab.Assign(0xC2, 0x43);
  pair.ImportTab.Assign(0x50, 0x44);
  pair.LinkExportActive();
  pair.ExportTab.Assign(0x41, 0xC1);
  EXPECT_EQ(pair.ImportTab.CountAssigned(), 2);
  EXPECT_EQ(pair.ImportTab.Target(0xC1), 0x41);
  EXPECT_EQ(pair.ImportTab.Target(0xC2), 0x42);
  EXPECT_EQ(pair.ImportTab.Target(0x50), -1);
  EXPECT_EQ(pair.ImportTab.CurrentPosition(), 0xC1);
  EXPECT_EQ(pair.ExportTab.IsProven(kWhole), 1);
  EXPECT_EQ(pair.ExportTab.CurrentPosition(), 0x41);
  ExpectConsistent(pair.ImportTab);
}

TEST(CodeTabMirror, NoRebuildWhenActiveTableIsAmbiguousOrProven) {
  Pair ambiguous;
  ambiguous.ExportTab.Assign(0x42, 0xC5);
  ambiguous.ExportTab.Assign(0x43, 0xC5);
  ambiguous.ImportTab.Assign(0x50, 0x44);
  ambiguous.LinkExportActive();
  ambiguous.ExportTab.Assign(0x41, 0xC1);
  EXPECT_EQ(ambiguous.ImportTab.Target(0xC1), 0x41);
  EXPECT_EQ(ambiguous.ImportTab.Target(0x50), 0x44);

  // Partner entries that no position maps to are not examined.
  Pair proven;
  proven.ImportTab.Assign(0x50, 0x44);
  proven.LinkExportActive();
  proven.ExportTab.Assign(0x41, 0xC1);
  EXPECT_EQ(proven.ImportTab.Target(0x50), 0x44);
  EXPECT_EQ(proven.ImportTab.CountAssigned(), 2);
}

// Two active tables would mirror each edit back and forth without end.
TEST(CodeTabMirror, NoBounceBetweenTwoActiveTables) {
  Pair pair;
  pair.ExportTab.SetActive(true);
  pair.ImportTab.SetActive(true);
  pair.ExportTab.Link(&pair.ImportTab);
  pair.ExportTab.Assign(0x41, 0xC1);
  pair.ExportTab.Select(0x41);
  pair.ExportTab.Unassign(0x41);
  EXPECT_EQ(pair.ImportTab.CountAssigned(), 0);
  EXPECT_EQ(pair.ImportTab.CurrentPosition(), -1);
}

TEST(CodeTabSelect, FollowsIntoThePartner) {
  Pair pair;
  pair.ExportTab.Assign(0x30, 0xF0);
  pair.ExportTab.Assign(0x41, 0xC1);
  pair.ImportTab.Assign(0x05, 0x09);
  pair.ImportTab.Assign(0xC1, 0x41);
  pair.LinkExportActive();
  EXPECT_EQ(pair.ExportTab.Select(0x41), 1);
  EXPECT_EQ(pair.ExportTab.CurrentPosition(), 0x41);
  EXPECT_EQ(pair.ImportTab.CurrentPosition(), 0xC1);
  EXPECT_EQ(pair.ImportTab.CurrentOrdinal(), 1);

  EXPECT_EQ(pair.ExportTab.Select(0x50), 1);
  EXPECT_EQ(pair.ExportTab.CurrentPosition(), 0x50);
  EXPECT_EQ(pair.ImportTab.CurrentPosition(), -1);
  EXPECT_EQ(pair.ImportTab.CurrentOrdinal(), -1);

  pair.ImportTab.Select(0xC1);
  EXPECT_EQ(pair.ExportTab.Select(0x10), -1);
  EXPECT_EQ(pair.ExportTab.CurrentPosition(), 0x10);
  EXPECT_EQ(pair.ExportTab.CurrentOrdinal(), -1);
  EXPECT_EQ(pair.ImportTab.CurrentPosition(), 0xC1);

  EXPECT_EQ(pair.ExportTab.Select(-1), -1);
  EXPECT_EQ(pair.ExportTab.CurrentPosition(), -1);
  EXPECT_EQ(pair.ExportTab.Select(0x141), 1);
  EXPECT_EQ(pair.ExportTab.CurrentPosition(), 0x41);

  pair.ImportTab.Select(0x05);
  pair.ExportTab.SetActive(false);
  pair.ExportTab.Select(0x41);
  EXPECT_EQ(pair.ImportTab.CurrentPosition(), 0x05);
}

TEST(CodeTabActive, SetActiveKeepsALinkedPairOpposite) {
  Pair pair;
  pair.ExportTab.Link(&pair.ImportTab);
  pair.ImportTab.SetActive(true);
  EXPECT_FALSE(pair.ExportTab.IsActive());

  pair.ExportTab.SetActive(true);
  EXPECT_TRUE(pair.ExportTab.IsActive());
  EXPECT_FALSE(pair.ImportTab.IsActive());

  pair.ExportTab.SetActive(false);
  EXPECT_FALSE(pair.ExportTab.IsActive());
  EXPECT_TRUE(pair.ImportTab.IsActive());
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
  pair.ExportTab.Assign(0x41, 0xC1);
  pair.ExportTab.Link(&pair.ImportTab);
  EXPECT_EQ(pair.ExportTab.Partner(), &pair.ImportTab);
  EXPECT_EQ(pair.ImportTab.Partner(), &pair.ExportTab);
  EXPECT_EQ(pair.ImportTab.CountAssigned(), 0);
  EXPECT_EQ(pair.ExportTab.IsActive(), 0);
  EXPECT_EQ(pair.ImportTab.IsActive(), 0);

  pair.ExportTab.Link(nullptr);
  EXPECT_EQ(pair.ExportTab.Partner(), nullptr);
  EXPECT_EQ(pair.ImportTab.Partner(), nullptr);
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
  pair.ExportTab.Assign(0x41, 0xC1);
  EXPECT_EQ(pair.ExportTab.IsProven(0x41), 0);
  EXPECT_EQ(pair.ExportTab.IsProven(kWhole), 0);
  pair.ImportTab.Assign(0xC1, 0x41);
  pair.ExportTab.Assign(0xFF, 0x10);
  pair.ImportTab.Assign(0x10, 0xFF);
  pair.ExportTab.Link(&pair.ImportTab);
  EXPECT_EQ(pair.ExportTab.IsProven(0x41), 1);
  EXPECT_EQ(pair.ExportTab.IsProven(0x141), 1);
  EXPECT_EQ(pair.ExportTab.IsProven(0x42), 0);
  EXPECT_EQ(pair.ExportTab.IsProven(-1), 0);
  EXPECT_EQ(pair.ExportTab.IsProven(kWhole), 1);
  EXPECT_EQ(pair.ImportTab.IsProven(kWhole), 1);

  pair.ImportTab.Assign(0x10, 0xFE);
  EXPECT_EQ(pair.ExportTab.IsProven(0xFF), 0);
  EXPECT_EQ(pair.ExportTab.IsProven(kWhole), 0);
  // The partner's -1 must not pass for position FF.
  pair.ImportTab.Unassign(0x10);
  EXPECT_EQ(pair.ImportTab.Target(0x10), -1);
  EXPECT_EQ(pair.ExportTab.IsProven(0xFF), 0);
  pair.ImportTab.Assign(0x10, 0xFF);

  // An ambiguous partner fails the whole table even where entries agree.
  pair.ImportTab.Assign(0x10, 0xFF);
  pair.ImportTab.Assign(0x20, 0xFF);
  EXPECT_EQ(pair.ExportTab.IsProven(0x41), 1);
  EXPECT_EQ(pair.ExportTab.IsProven(kWhole), 0);
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

  const std::string long_name(100, 'n');
  EXPECT_EQ(tab.BuildHeader(TableKind::kUnknown, long_name.c_str()), 64);
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

  const std::string long_font(100, 'f');
  tab.SetFontName(long_font.c_str());
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
  pair.ExportTab.SetFontName("Courier New");
  pair.LinkExportActive();
  pair.ExportTab.Assign(0x41, 0xC1);
  pair.ExportTab.BuildHeader(TableKind::kUnknown, "DIN");

  pair.ExportTab.Reset(false);
  EXPECT_EQ(pair.ExportTab.CountAssigned(), 0);
  EXPECT_EQ(Cell(pair.ExportTab, 0x41), " A:41");
  EXPECT_STREQ(pair.ExportTab.Header(), "QAVO CodeTab EXPORT [Courier New] DIN");
  EXPECT_EQ(pair.ExportTab.CurrentPosition(), 0x41);
  EXPECT_EQ(pair.ExportTab.Partner(), &pair.ImportTab);
  EXPECT_EQ(pair.ExportTab.IsActive(), 1);
  EXPECT_EQ(pair.ImportTab.Target(0xC1), 0x41);

  pair.ExportTab.Reset(true);
  EXPECT_EQ(pair.ExportTab.Kind(), TableKind::kUnknown);
  EXPECT_STREQ(pair.ExportTab.FontName(), "Courier New");
  EXPECT_STREQ(pair.ExportTab.Header(), "QAVO CodeTab USER   [Courier New] ");
  EXPECT_EQ(Cell(pair.ExportTab, 0x41), " A=41");
}

// Every operation with every kind of out-of-range argument, on an active
// linked pair so that mirroring runs too.
TEST(CodeTabBadInput, NoOperationLeavesItsArrays) {
  const int values[] = {-1, -2, 0, 255, 256, 0x1C1, INT_MIN, INT_MAX, INT_MIN + 1, -256};
  const std::string long_name(200, 'N');
  const std::string long_font(200, 'F');
  const char* texts[] = {nullptr, "", "C", "ZZ", "7F", long_name.c_str()};
  Pair pair;
  pair.LinkExportActive();
  for (int a : values) {
    for (int b : values) {
      pair.ExportTab.Assign(a, b);
      pair.ImportTab.Assign(b, a);
    }
    pair.ExportTab.Select(a);
    pair.ImportTab.Select(a);
    pair.ExportTab.IsAmbiguous(a);
    pair.ExportTab.IsProven(a);
    pair.ImportTab.IsProven(a);
    pair.ExportTab.FindTarget(a);
    pair.ExportTab.OrdinalOf(a);
    pair.ExportTab.NthAssigned(a);
    pair.ExportTab.BuildHeader(static_cast<TableKind>(a), long_name.c_str());
    pair.ExportTab.SetKind(static_cast<TableKind>(a));
    pair.ExportTab.SetActive(a != 0);
    pair.ImportTab.SetActive(a != 0);
    pair.ExportTab.Unassign(a);
    pair.ImportTab.Unassign(a);
    ExpectConsistent(pair.ExportTab);
    ExpectConsistent(pair.ImportTab);
  }
  for (const char* text : texts) {
    pair.ExportTab.SetFontName(text);
    pair.ExportTab.BuildHeader(TableKind::kExport, text);
    pair.ExportTab.UnassignHex(text);
    ParseHexByte(text);
    EXPECT_LE(std::strlen(pair.ExportTab.HeaderName()), 64u);
  }
  pair.ExportTab.SetFontName(long_font.c_str());
  pair.ExportTab.BuildHeader(TableKind::kExport, long_name.c_str());
  EXPECT_EQ(std::strlen(pair.ExportTab.Header()), 64u);
  pair.ExportTab.BuildHeader(TableKind::kUnknown, pair.ExportTab.Header());
  pair.ExportTab.SetFontName(pair.ExportTab.Header());
  ExpectConsistent(pair.ExportTab);
  ExpectConsistent(pair.ImportTab);
}

}  // namespace
