// Which standard EBCDIC page a pair is nearest to, and where it departs
// from a page as the system's converter (iconv) and ICU build it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/codepages.h"
#include "model/codetable.h"

// The 2 x 256 targets of a pair, -1 = unassigned.
struct PairTargets {
  int16_t Export[256];
  int16_t Import[256];
};

PairTargets TargetsOf(const TableEntry (&export_entries)[256], const TableEntry (&import_entries)[256]);

// Does the pair's target agree with the page's? A code the page leaves
// without counterpart agrees with an unassigned entry and with one written
// 1:1, as the table formats write unassigned entries.
bool Agrees(int pair_target, int page_target, int position);

// The nearest pages of iconv and ICU, best first, at most five lines such as
// "CP 1141 (ICU ibm-1141_P100-1997): 509 von 512 gleich; abweichend EXPORT 80, IMPORT 9F",
// then the newline profile. A page both build alike is one line.
std::vector<std::string> IdentifyReport(const PairTargets& pair, Workstation workstation);

// A position where the pair, iconv's page and ICU's page do not all agree.
struct PageDifference {
  TableKind Kind;
  int Position;
  int Pair;   // -1 = unassigned
  int Iconv;  // -1 = unassigned; unused when iconv lacks the page
  int Icu;    // likewise for ICU
};

struct PageComparison {
  int CodePage = 0;
  Workstation Station = Workstation::kIsoLatin1;
  bool SwapNl = false;
  std::string IconvName;  // "IBM273"; empty when iconv lacks the page
  std::string IcuName;    // "ibm-273_P100-1995"; empty when ICU lacks it
  std::vector<PageDifference> Differences;
  int FromIconv = 0;  // positions where the pair departs from iconv's page
  int FromIcu = 0;
  int IconvFromIcu = 0;
  bool PairDiffers() const { return FromIconv > 0 || FromIcu > 0; }
};

// Every position where the three do not agree, EXPORT first, ascending.
// false when neither library has the page.
bool ComparePairWithPage(const PairTargets& pair, int code_page, Workstation workstation, bool swap_nl,
                         PageComparison& comparison);

// "CP 273: iconv IBM273, ICU ibm-273_P100-1995; Arbeitsplatz ISO 8859-1",
// naming a library that lacks the page and a swapped newline.
std::string ComparisonHeading(const PageComparison& comparison);
// "Paar und iconv: 2 Abweichungen; Paar und ICU: 2 Abweichungen; iconv und ICU: 0 Abweichungen"
std::string ComparisonSummary(const PageComparison& comparison);
// The position as the line names it: "7C (VERTICAL LINE)" in EXPORT, whose
// positions are workstation characters; "BC" in IMPORT.
std::string PositionText(const PageComparison& comparison, const PageDifference& difference);
// A target: "BB" in EXPORT, "AF (MACRON)" in IMPORT, "--" unassigned.
std::string TargetText(const PageComparison& comparison, TableKind kind, int target);
// The heading, one line per difference
// ("IMPORT BC: Paar 7E (TILDE), iconv AF (MACRON), ICU AF (MACRON)") and the summary.
std::vector<std::string> ComparisonReport(const PageComparison& comparison);

// Every page iconv or ICU has as single-byte EBCDIC, ascending.
std::vector<int> ComparablePages();
